#pragma once

#include "ReportEngine.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// Rows held in memory, as the report generator's queries hand them over.
class MemoryRowSet : public IRowSet {
public:
    explicit MemoryRowSet(const QStringList& fields, const QVector<QVariantList>& rows = {});
    void append(const QVariantList& row) { m_rows << row; }

    int rowCount() const override { return m_rows.size(); }
    QVariant value(int row, const QString& field) const override;

private:
    QHash<QString, int> m_columns;
    QVector<QVariantList> m_rows;
};

namespace EngineTest {

// The report project of the summary report, from the source tree.
const ReportProject& summaryProject();

// Output of a poppler tool run on a file; an empty text when it fails.
QString runTool(const QString& program, const QStringList& arguments);
// The text of each page, from "pdftotext -layout".
QStringList pageTexts(const QString& pdf);
// Value of one line of "pdfinfo" ("Pages", "Page size", ...).
QString pdfInfo(const QString& pdf, const QString& key);

// A word of "pdftotext -bbox" with its box in points from the page's top-left corner.
struct Word {
    int page;
    QString text;
    double xMin, yMin, xMax, yMax;
};
QVector<Word> words(const QString& pdf);

// The bands of a record as "band: text | text" lines, for readable comparisons.
QStringList describe(const QVector<PrintedBand>& bands);

} // namespace EngineTest
