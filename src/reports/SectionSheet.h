#pragma once

#include "ReportEngine.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

namespace kolmrap {

// One sheet of the run's workbook: a section's printed rows, one column per field. A row is a
// line of the section's deepest level (a workstation, a person) with the lines above it that it
// belongs to (the factor or item, the location); dates are QDate values.
struct SectionSheet {
    QString name;
    QStringList headers;
    QVector<QVector<QVariant>> rows;
    // A row's fill colour (0xRRGGBB), none when absent or negative.
    QVector<int> rowColours;
    // The workstation (structure node Id) each row stands for, -1 for none; not a column.
    QVector<int> rowStations;

    // The location as the report prints it (indented lines, each ended by a line break) as a
    // path: "Zakład / Wydział / Dział".
    static QString locationPath(const QString& printed);

    // Each row's text cells joined, numbers and dates left out: what tells one row from another
    // between two runs.
    QSet<QString> rowKeys() const;

    // From the bands a section's walk printed, in print order; stationOf tells the workstation
    // of a row's band.
    static SectionSheet fromRecord(const QString& name, const QVector<PrintedBand>& bands,
                                   const std::function<int(const PrintedBand&)>& stationOf = {});

    // The rows whose workstation is in stations (colours and workstations kept with them).
    SectionSheet onlyStations(const QSet<int>& stations) const;
};

} // namespace kolmrap
