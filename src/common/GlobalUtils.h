#pragma once

#include <QString>

class AliasRegistry;

// The local database file an alias names: the path for a local file or "localhost:<path>"
// (any letter case), empty for a database on another host. Raises EDBEngineError for an
// alias the engine does not know.
QString AliasDatabaseFile(const AliasRegistry& registry, const QString& alias);

// The alias's server name: the value of its first parameter line ("SERVER NAME"); empty for
// an alias the engine does not know.
QString AliasServerName(const AliasRegistry& registry, const QString& alias);

// Whether name is an alias of the suite's databases: driver "INTRBASE", not "IBLocal", exact
// letter case.
bool IsInterBaseAlias(const AliasRegistry& registry, const QString& name);

// The text before the last path separator; empty when there is none or it is the first
// character.
QString ExtractFolderPart(const QString& path);
// The text after the last path separator; the whole path when there is none.
QString ExtractNamePart(const QString& path);
