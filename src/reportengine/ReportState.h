#pragma once

#include "ReportDesign.h"
#include "ReportEngine.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

// What one report holds between runs: its design, the row sets and handlers of its
// connections, the texts and band visibility that handlers change, and the run date.
// Vectors are indexed like the design's data views, components and bands.
struct ReportState {
    explicit ReportState(std::shared_ptr<ReportDesign> d);

    std::shared_ptr<ReportDesign> design;
    QVector<const IRowSet*> rows;
    QVector<std::function<void()>> handlers;
    QVector<int> currentRow;
    // Per data view, the rows that printed at least one band in the last walk.
    QVector<int> printedRows;
    QVector<QString> texts;
    QVector<bool> bandVisible;
    QDate runDate;
    QString creator = QStringLiteral("KOLM"); // the program named in the PDF's information
    int lastPageCount = 0;
    // The PDF is written in the archival form (PDF/A-1b).
    bool archival = false;

    // The text a component prints now; data fields read the given row of their data view.
    QString printedText(int component, int row) const;
    // Raises ReportEngineError when a connection has no row set.
    void checkConnections() const;
};

// A data value as printed: dates in the given format, numbers without needless decimals.
QString formatValue(const QVariant& value, const QString& dateFormat);
