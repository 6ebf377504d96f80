#pragma once

#include "SectionSql.h"

#include <QSqlDatabase>
#include <QString>

namespace kolmrap {

// The two tables that hand a section's structure selection to its queries: the position
// table (Id, Poz) and, for long selections, the id table (IdPom). They are global temporary
// tables of the engine, defined once in the database: their rows belong to the connection that
// wrote them and go with it, so two runs on one database never see each other's rows and a
// run that was killed leaves nothing behind. An object of this class empties them when it is
// made and again when it goes, on every path.
class TemporaryTables {
public:
    static const QString PositionTable; // "KOLMRAP_POZ"
    static const QString IdTable;       // "KOLMRAP_ID"
    // Selections with more entries go through the id table instead of an IN list.
    static constexpr int MaxInlineEntries = 401;

    // Defines the tables where the database lacks them, and removes the tables that earlier
    // versions of the program left behind after an interrupted run.
    static void prepareDatabase(const QSqlDatabase& db);

    explicit TemporaryTables(const QSqlDatabase& db);
    ~TemporaryTables();
    TemporaryTables(const TemporaryTables&) = delete;
    TemporaryTables& operator=(const TemporaryTables&) = delete;

    // Writes the comma-separated workstation ids (in selection order) and returns the
    // selection clause for the section's statements.
    SelectionTables fill(const QString& selectedList);

private:
    void clear();

    QSqlDatabase m_db;
};

} // namespace kolmrap
