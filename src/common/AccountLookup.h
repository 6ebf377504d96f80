#pragma once

#include <QString>

class SqlQuery;

// Finds a user's row in APRAWADOSTEPU by login name, as every login does: the name
// lower-cased, a name longer than the column never looked up (no row), the name bound as a
// parameter of query (":nazwa"). True when a row was found; account then stands on it.
bool LookUpAccount(SqlQuery& account, const QString& query, const QString& name);
