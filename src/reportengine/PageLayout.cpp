#include "PageLayout.h"

#include <algorithm>
#include <limits>

namespace {

constexpr float Epsilon = 0.01f; // device units; absorbs rounding of inch values
constexpr int MaxKeepChain = 32; // a longer keep-with-next chain is placed as it comes

} // namespace

PageLayout::PageLayout(const ReportState& state, TextMetrics& metrics, double dpi)
    : m_state(state), m_design(*state.design), m_metrics(metrics), m_dpi(dpi),
      m_regionLeft(float(m_design.page.regionLeft * dpi)), m_regionTop(float(m_design.page.regionTop * dpi)),
      m_regionBottom(float((m_design.page.regionTop + m_design.page.regionHeight) * dpi)),
      m_cursor(m_regionTop) {
    m_componentFont.reserve(m_design.components.size());
    for (const ComponentDesign& c : m_design.components)
        m_componentFont << (c.kind == ComponentKind::Rule ? -1 : m_metrics.fontIndex(c.font));
    m_list.pageStarts << 0;
    m_pending.resize(4);
}

void PageLayout::printBand(int band, int row) {
    Q_ASSERT(band >= 0 && band < m_design.bands.size());
    if (m_pendingCount == m_pending.size())
        m_pending.resize(m_pending.size() * 2);
    Box& box = m_pending[m_pendingCount++];
    layoutBand(band, row, box);
    if (!m_design.bands[band].keepWithNext || m_pendingCount >= MaxKeepChain)
        flush();
}

void PageLayout::endRepeat(int headerBand) {
    flush();
    for (int i = m_repeating.size() - 1; i >= 0; --i)
        if (m_repeating[i].band == headerBand) {
            m_repeating.remove(i);
            break;
        }
}

DisplayList PageLayout::finish() {
    flush();
    // Each page starts where the one before it ended: the first at the first item, none before.
    Q_ASSERT(!m_list.pageStarts.isEmpty() && m_list.pageStarts.first() == 0);
    Q_ASSERT(std::is_sorted(m_list.pageStarts.begin(), m_list.pageStarts.end()));
    Q_ASSERT(m_list.pageStarts.last() <= m_list.items.size());
    return std::move(m_list);
}

void PageLayout::layoutBand(int band, int row, Box& box) {
    const BandDesign& design = m_design.bands[band];
    box.band = band;
    box.items.clear();
    float growth = 0;
    for (int comp : design.components) {
        const ComponentDesign& c = m_design.components[comp];
        const float left = float(c.left * m_dpi);
        const float top = float(c.top * m_dpi);
        const float width = float(c.width * m_dpi);
        const int font = m_componentFont[comp];
        switch (c.kind) {
        case ComponentKind::Rule: {
            DisplayItem item;
            item.kind = DisplayItem::Rule;
            item.x = left;
            item.y = top;
            item.width = width;
            item.thickness = float(c.thickness * m_dpi / 72.0);
            item.top = top - item.thickness / 2;
            item.bottom = top + item.thickness / 2;
            box.items << item;
            break;
        }
        case ComponentKind::Memo: {
            m_lines.clear();
            m_metrics.wrap(font, m_state.printedText(comp, row), width, m_lines);
            const float spacing = float(m_metrics.lineSpacing(font));
            for (int i = 0; i < m_lines.size(); ++i)
                addText(box, font, m_lines[i], left, top + i * spacing, width, c.align);
            growth = std::max(growth, m_lines.size() * spacing - float(c.height * m_dpi));
            break;
        }
        default:
            addText(box, font, m_state.printedText(comp, row), left, top, width, c.align);
            break;
        }
    }
    box.height = float(design.height * m_dpi) + growth;
}

void PageLayout::addText(Box& box, int font, const QString& text, float left, float top, float width,
                         TextAlign align) {
    if (text.isEmpty())
        return;
    const float textWidth = float(m_metrics.width(font, text));
    DisplayItem item;
    item.kind = textWidth > width + Epsilon ? DisplayItem::ClippedText : DisplayItem::Text;
    item.font = qint16(font);
    item.x = left;
    if (align == TextAlign::Center)
        item.x += (width - textWidth) / 2;
    else if (align == TextAlign::Right)
        item.x += width - textWidth;
    item.y = top + float(m_metrics.ascent(font));
    item.top = top;
    item.bottom = top + float(m_metrics.height(font));
    item.left = left;
    item.width = width;
    item.text = text;
    box.items << item;
}

void PageLayout::flush() {
    if (m_pendingCount == 0)
        return;
    if (m_pendingCount > 1 && m_pageHasBody) {
        float total = 0;
        for (int i = 0; i < m_pendingCount; ++i)
            total += m_pending[i].height;
        if (total > m_regionBottom - m_cursor + Epsilon && total <= freshPageSpace() + Epsilon)
            newPage();
    }
    for (int i = 0; i < m_pendingCount; ++i)
        place(m_pending[i]);
    m_pendingCount = 0;
}

void PageLayout::place(const Box& box) {
    const BandDesign& band = m_design.bands[box.band];
    if (box.height > m_regionBottom - m_cursor + Epsilon && m_pageHasBody &&
        box.height <= freshPageSpace() + Epsilon)
        newPage();
    float from = 0;
    bool first = true;
    // Taller than the space left: cut between lines, as many pieces as it takes.
    while (box.height - from > m_regionBottom - m_cursor + Epsilon) {
        const float space = m_regionBottom - m_cursor;
        float cut = findBreak(box, from, from + space, first);
        if (cut <= from + Epsilon) {
            if (m_pageHasBody) { // nothing of it fits here: start it on a fresh page
                newPage();
                continue;
            }
            // Not even one line fits on an empty page: cut through it rather than loop.
            cut = from + std::max(space, float(m_design.page.regionHeight * m_dpi) / 4);
        }
        emitItems(box, from, cut, first, false);
        newPage();
        from = cut;
        first = false;
    }
    emitItems(box, from, std::numeric_limits<float>::max(), first, true);
    m_cursor += box.height - from;
    m_pageHasBody = true;
    if (band.kind == BandKind::Header && band.repeatOnNewPage)
        m_repeating << box;
}

float PageLayout::findBreak(const Box& box, float from, float limit, bool firstPiece) const {
    float cut = limit;
    bool moved = true;
    while (moved) {
        moved = false;
        for (const DisplayItem& item : box.items) {
            if ((firstPiece || item.top >= from) && item.top < cut && item.bottom > cut + Epsilon) {
                cut = item.top;
                moved = true;
            }
        }
    }
    return cut;
}

void PageLayout::emitItems(const Box& box, float from, float to, bool firstPiece, bool lastPiece) {
    const float dy = m_cursor - from;
    for (const DisplayItem& item : box.items) {
        if ((!firstPiece && item.top < from) || (!lastPiece && item.top >= to))
            continue;
        DisplayItem placed = item;
        placed.x += m_regionLeft;
        placed.left += m_regionLeft;
        placed.y += dy;
        placed.top += dy;
        placed.bottom += dy;
        m_list.items << placed;
    }
}

void PageLayout::newPage() {
    m_list.pageStarts << m_list.items.size();
    m_cursor = m_regionTop;
    m_pageHasBody = false;
    for (const Box& header : m_repeating) {
        emitItems(header, 0, std::numeric_limits<float>::max(), true, true);
        m_cursor += header.height;
    }
}

float PageLayout::freshPageSpace() const {
    float space = m_regionBottom - m_regionTop;
    for (const Box& header : m_repeating)
        space -= header.height;
    return space;
}
