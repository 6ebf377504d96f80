#include "PdfRenderer.h"

#include "BandWalker.h"
#include "PageLayout.h"
#include "TextMetrics.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// 720 dots per inch makes the 8, 9, 10 and 12 point sizes whole device units.
constexpr int Dpi = 720;

QString expand(const QString& text, int page, int pages, const QDate& runDate) {
    if (!text.contains(QLatin1Char('{')))
        return text;
    QString out = text;
    out.replace(QLatin1String("{PageNumber}"), QString::number(page));
    out.replace(QLatin1String("{TotalPages}"), QString::number(pages));
    out.replace(QLatin1String("{RunDate}"), runDate.toString(QStringLiteral("yyyy-MM-dd")));
    return out;
}

class Painter {
public:
    Painter(QPdfWriter& writer, TextMetrics& metrics) : m_metrics(metrics) {
        if (!m_painter.begin(&writer))
            throw ReportEngineError(QStringLiteral("Nie można rozpocząć rysowania dokumentu PDF"));
        m_pen = QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
        m_painter.setPen(m_pen);
    }

    void paint(const DisplayItem& item) {
        if (item.kind == DisplayItem::Rule) {
            if (m_pen.widthF() != item.thickness) {
                m_pen.setWidthF(item.thickness);
                m_painter.setPen(m_pen);
            }
            m_painter.drawLine(QPointF(item.x, item.y), QPointF(item.x + item.width, item.y));
            return;
        }
        if (item.font != m_font) {
            m_font = item.font;
            m_painter.setFont(m_metrics.font(m_font));
        }
        if (item.kind == DisplayItem::ClippedText) {
            m_painter.save();
            m_painter.setClipRect(QRectF(item.left, item.top, item.width, item.bottom - item.top));
            m_painter.drawText(QPointF(item.x, item.y), item.text);
            m_painter.restore();
        } else {
            m_painter.drawText(QPointF(item.x, item.y), item.text);
        }
    }

    void end() {
        if (!m_painter.end())
            throw ReportEngineError(QStringLiteral("Nie można zakończyć dokumentu PDF"));
    }

private:
    QPainter m_painter;
    TextMetrics& m_metrics;
    QPen m_pen;
    int m_font = -1;
};

// The page furniture of one page (date, page counter), laid out as a band at the page's origin.
void paintFurniture(Painter& painter, const ReportState& state, const PageLayout& layout,
                    TextMetrics& metrics, int page, int pages) {
    const ReportDesign& design = *state.design;
    for (int comp : design.page.furniture) {
        const ComponentDesign& c = design.components[comp];
        DisplayItem item;
        if (c.kind == ComponentKind::Rule) {
            item.kind = DisplayItem::Rule;
            item.x = float(c.left * Dpi);
            item.y = float(c.top * Dpi);
            item.width = float(c.width * Dpi);
            item.thickness = float(c.thickness * Dpi / 72.0);
            painter.paint(item);
            continue;
        }
        const QString text = expand(state.texts[comp], page, pages, state.runDate);
        if (text.isEmpty())
            continue;
        const int font = layout.componentFont(comp);
        const float width = float(c.width * Dpi);
        const float textWidth = float(metrics.width(font, text));
        item.font = qint16(font);
        item.x = float(c.left * Dpi);
        if (c.align == TextAlign::Center)
            item.x += (width - textWidth) / 2;
        else if (c.align == TextAlign::Right)
            item.x += width - textWidth;
        item.y = float(c.top * Dpi + metrics.ascent(font));
        item.text = text;
        painter.paint(item);
    }
}

} // namespace

namespace PdfRenderer {

int renderToBytes(ReportState& state, QByteArray& pdf) {
    state.checkConnections();
    const ReportDesign& design = *state.design;

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(Dpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(design.page.width, design.page.height), QPageSize::Inch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    // What viewers and search tools show of the file.
    const QString title = design.titleText();
    writer.setTitle(title.isEmpty() ? design.name : title);
    writer.setCreator(state.creator);
    if (state.archival)
        writer.setPdfVersion(QPdfWriter::PdfVersion_A1b);

    TextMetrics metrics(&writer);
    PageLayout layout(state, metrics, Dpi);
    BandWalker(state, layout).run();
    const DisplayList list = layout.finish();
    const int pages = list.pageCount();

    Painter painter(writer, metrics);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !writer.newPage())
            throw ReportEngineError(QStringLiteral("Nie można dodać strony dokumentu PDF"));
        for (int i = list.pageStarts[page], end = list.pageEnd(page); i < end; ++i)
            painter.paint(list.items[i]);
        paintFurniture(painter, state, layout, metrics, page + 1, pages);
    }
    painter.end();
    pdf = buffer.data();
    return pages;
}

int render(ReportState& state, const QString& path) {
    QByteArray pdf;
    const int pages = renderToBytes(state, pdf);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        throw ReportEngineError(
            QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, out.errorString()));
    // A full disk can take fewer bytes than given while the commit still succeeds.
    if (out.write(pdf) != pdf.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        throw ReportEngineError(QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, reason));
    }
    if (!out.commit())
        throw ReportEngineError(
            QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, out.errorString()));
    return pages;
}

} // namespace PdfRenderer
