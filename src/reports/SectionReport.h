#pragma once

#include "QueryRowSet.h"
#include "ReportEngine.h"
#include "SectionSql.h"

#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <array>

namespace kolmrap {

class StructureLookup;
struct SectionDescription;

// One section of the summary report for one database: opens the section's queries, feeds
// them to the section's report and applies the row rules (location texts, the safety-item
// group line and the expired-item rule) while the report is printed.
class SectionReport {
public:
    struct Context {
        QSqlDatabase db;
        QDate runDate;
        const SectionDescription* section = nullptr;
        StructureLookup* lookup = nullptr;
        // The text as stored, Polish letters and all, instead of the letters replaced.
        bool polishLetters = false;
        // The PDF in the archival form (PDF/A-1b).
        bool archival = false;
    };

    SectionReport(const ReportProject& project, const Context& context);

    // Opens the queries in item, structure, workstation order. Raises EDBEngineError.
    void open(const SectionStatements& statements);
    // Lets go of the connection once the rows are fetched: the report is written without it,
    // and the connection may be closed meanwhile.
    void releaseDatabase() { m_context.db = QSqlDatabase(); }

    // Each walk starts with no previous location text, so a record taken first does not change
    // what the file shows.
    void executeToPdf(const QString& path);
    QVector<PrintedBand> executeToRecord();
    // For the walks that follow: the text as stored, or with the letters replaced.
    void setPolishLetters(bool on);
    int pageCount() const { return m_report.lastPageCount(); }
    // The lines of the section's deepest level (workstations, persons) the last walk printed:
    // the rows of the section's sheet in the workbook.
    int printedRows() const;
    // The structure node (workstation) a printed band of the deepest level stands for; -1 for
    // the rows of a section that lists no workstations.
    int stationOf(const PrintedBand& band) const;
    const QueryRowSet& rows(int level) const { return m_rows[level]; }
    // Rows fetched at every level: what the section holds in memory until it is written.
    qint64 fetchedRows() const {
        qint64 n = 0;
        for (const QueryRowSet& r : m_rows)
            n += r.rowCount();
        return n;
    }

    static QString connectionName(const QString& queryName, int level);

private:
    void onItemRow();
    void onStructureRow();
    void onGroupRow();
    bool workstationPrinted(int group, int station) const;
    QString shown(const QString& text) const;
    void loadNewestDates();

    Context m_context;
    Report m_report;
    std::array<QueryRowSet, 3> m_rows;
    QString m_connections[3];
    QHash<QPair<int, int>, QDate> m_newest; // (group, workstation) -> newest valid-until date
    // The location text printed last; every section and every walk starts without one.
    QString m_previousLocation;
};

} // namespace kolmrap
