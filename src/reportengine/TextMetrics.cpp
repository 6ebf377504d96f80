#include "TextMetrics.h"

namespace {

// Characters whose advance depends on their neighbours: these texts are measured whole.
bool needsShaping(char16_t c) {
    return (c >= 0x0300 && c < 0x0370) || (c >= 0x0590 && c < 0x1E00) || (c >= 0xD800 && c < 0xE000);
}

} // namespace

TextMetrics::TextMetrics(QPaintDevice* device) : m_device(device) {}

TextMetrics::~TextMetrics() = default;

int TextMetrics::fontIndex(const FontSpec& fontSpec) {
    for (int i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i]->fontSpec == fontSpec)
            return i;
    auto e = std::make_shared<Entry>();
    e->fontSpec = fontSpec;
    e->font = QFont(fontSpec.family);
    e->font.setPointSizeF(fontSpec.size);
    e->font.setBold(fontSpec.bold);
    e->font.setItalic(fontSpec.italic);
    e->font.setUnderline(fontSpec.underline);
    e->font.setKerning(false);
    e->metrics = std::make_unique<QFontMetricsF>(e->font, m_device);
    e->ascent = e->metrics->ascent();
    e->height = e->metrics->ascent() + e->metrics->descent();
    e->lineSpacing = e->metrics->lineSpacing();
    e->advance.fill(-1.0f);
    m_fonts << e;
    return m_fonts.size() - 1;
}

qreal TextMetrics::advance(Entry& e, QChar c) {
    const char16_t u = c.unicode();
    if (u < e.advance.size()) {
        float& a = e.advance[u];
        if (a < 0)
            a = float(e.metrics->horizontalAdvance(c));
        return a;
    }
    const auto it = e.otherAdvance.constFind(u);
    if (it != e.otherAdvance.constEnd())
        return *it;
    const qreal a = e.metrics->horizontalAdvance(c);
    e.otherAdvance.insert(u, a);
    return a;
}

qreal TextMetrics::width(int index, QStringView text) {
    Entry& e = *m_fonts[index];
    qreal w = 0;
    for (QChar c : text) {
        if (needsShaping(c.unicode()))
            return e.metrics->horizontalAdvance(text.toString());
        w += advance(e, c);
    }
    return w;
}

void TextMetrics::wrap(int index, const QString& text, qreal width, QVector<QString>& lines) {
    Entry& e = *m_fonts[index];
    const int n = text.size();
    int begin = 0;
    while (begin < n) {
        int end = begin;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        wrapParagraph(e, text, begin, end, width, lines);
        if (end < n && text[end] == QLatin1Char('\r') && end + 1 < n && text[end + 1] == QLatin1Char('\n'))
            ++end;
        begin = end + 1; // a break at the very end opens no further line
    }
}

void TextMetrics::wrapParagraph(Entry& e, const QString& text, int begin, int end, qreal width,
                                QVector<QString>& lines) {
    const auto emit = [&](int from, int to) {
        while (to > from && text[to - 1] == QLatin1Char(' '))
            --to;
        lines << text.mid(from, to - from);
    };
    if (begin == end) {
        lines << QString();
        return;
    }
    int lineStart = begin;
    int lastBreak = -1; // the line may end before this blank
    qreal w = 0;
    for (int i = begin; i < end; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ')) {
            if (i > lineStart && text[i - 1] != QLatin1Char(' '))
                lastBreak = i;
            w += advance(e, c);
            continue;
        }
        const qreal a = advance(e, c);
        if (w + a > width && i > lineStart) {
            int next;
            if (lastBreak > lineStart) {
                emit(lineStart, lastBreak);
                next = lastBreak;
                while (next < i && text[next] == QLatin1Char(' '))
                    ++next;
            } else {
                emit(lineStart, i);
                next = i;
            }
            lineStart = next;
            lastBreak = -1;
            w = 0;
            for (int k = lineStart; k < i; ++k)
                w += advance(e, text[k]);
        }
        w += a;
    }
    emit(lineStart, end);
}
