#include "BandWalker.h"

#include <QVarLengthArray>

namespace {

const QVector<int> NoRows;

} // namespace

BandWalker::BandWalker(ReportState& state, IBandSink& sink)
    : m_state(state), m_design(*state.design), m_sink(sink) {
    const int views = m_design.dataViews.size();
    m_childRows.resize(views);
    m_allRows.resize(views);
    for (int v = 0; v < views; ++v) {
        const DataViewDesign& view = m_design.dataViews[v];
        const int count = m_state.rows[v]->rowCount();
        m_state.currentRow[v] = count > 0 ? 0 : -1;
        if (view.master < 0) {
            m_allRows[v].reserve(count);
            for (int r = 0; r < count; ++r)
                m_allRows[v] << r;
            continue;
        }
        QHash<QString, QVector<int>>& index = m_childRows[v];
        for (int r = 0; r < count; ++r)
            if (keyOf(v, r, view.keys, m_key))
                index[m_key] << r;
    }
}

void BandWalker::run() {
    m_state.printedRows.fill(0);
    for (int band : m_design.titleBands)
        if (m_state.bandVisible[band])
            m_sink.printBand(band, -1);
    for (int view : m_design.topDataViews)
        walk(view, m_allRows[view]);
}

void BandWalker::walk(int view, const QVector<int>& rows) {
    const DataViewDesign& design = m_design.dataViews[view];
    // Whether each detail band of this view has printed under the current row of the level
    // above; its header bands print just before that first time.
    QVarLengthArray<bool, 4> headed(design.detailBands.size());
    std::fill(headed.begin(), headed.end(), false);
    QVarLengthArray<int, 4> repeating;
    for (int row : rows) {
        m_state.currentRow[view] = row;
        if (m_state.handlers[view])
            m_state.handlers[view]();
        bool printed = false;
        for (int i = 0; i < design.detailBands.size(); ++i) {
            const int band = design.detailBands[i];
            if (!m_state.bandVisible[band])
                continue;
            printed = true;
            if (!headed[i]) {
                headed[i] = true;
                for (int header : m_design.bands[band].headers) {
                    if (!m_state.bandVisible[header])
                        continue;
                    m_sink.printBand(header, -1);
                    if (m_design.bands[header].repeatOnNewPage)
                        repeating << header;
                }
            }
            m_sink.printBand(band, row);
        }
        if (printed)
            ++m_state.printedRows[view];
        for (int child : design.children) {
            if (keyOf(view, row, m_design.dataViews[child].keys, m_key))
                walk(child, m_childRows[child].value(m_key, NoRows));
        }
    }
    for (int i = repeating.size() - 1; i >= 0; --i)
        m_sink.endRepeat(repeating[i]);
}

bool BandWalker::keyOf(int view, int row, const QStringList& keys, QString& key) const {
    key.clear();
    const IRowSet* set = m_state.rows[view];
    for (const QString& field : keys) {
        const QVariant v = set->value(row, field);
        if (v.isNull() || !v.isValid())
            return false; // a NULL key matches nothing, as in SQL
        key += v.toString();
        key += QChar(0x1F);
    }
    return true;
}
