#pragma once

#include "ReportState.h"

#include <QHash>
#include <QVector>

// Receives the bands of a report in print order.
class IBandSink {
public:
    virtual ~IBandSink() = default;
    // A band prints; row is the row of its data view (-1 for title and header bands).
    virtual void printBand(int band, int row) = 0;
    // The rows a repeating header band stands over have ended.
    virtual void endRepeat(int headerBand) = 0;
};

// The walk over the data: for each row of the top data view its handler, its bands, then the
// rows of each child view whose key fields equal the row's, recursively. Band visibility is
// read after the row's handler has run. A header band prints just before the first band it
// heads prints for the current row of the level above.
class BandWalker {
public:
    BandWalker(ReportState& state, IBandSink& sink);
    void run();

private:
    void walk(int view, const QVector<int>& rows);
    bool keyOf(int view, int row, const QStringList& keys, QString& key) const;

    ReportState& m_state;
    const ReportDesign& m_design;
    IBandSink& m_sink;
    QVector<QHash<QString, QVector<int>>> m_childRows; // per view with a master: rows by key
    QVector<QVector<int>> m_allRows;                   // per top view
    QString m_key;                                     // reused key buffer
};
