#include "TextMetrics.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace {

class TextMetricsTest : public ::testing::Test {
protected:
    TextMetricsTest() : m_writer(&m_buffer), m_metrics(&m_writer) {
        m_writer.setResolution(720);
        m_font = m_metrics.fontIndex(FontSpec{"Liberation Sans", 10, false, false, false});
    }
    qreal width(const QString& text) { return m_metrics.width(m_font, text); }

    QBuffer m_buffer;
    QPdfWriter m_writer;
    TextMetrics m_metrics;
    int m_font = -1;
};

// Widths summed from the character cache are the widths the PDF device measures for the whole
// text, for Polish letters and for characters outside the cached range.
TEST_F(TextMetricsTest, CachedWidthsMatchTheDeviceMeasure) {
    QFontMetricsF device(m_metrics.font(m_font), &m_writer);
    for (const QString text :
         {"Wykaz czynników nie mierzonych", "Łódź, żółć; AVATAR Wą", "cena 10 € / 5 ¾ m²"})
        EXPECT_NEAR(width(text), device.horizontalAdvance(text), 0.01) << text.toStdString();
    EXPECT_NEAR(m_metrics.ascent(m_font), device.ascent(), 0.01);
    EXPECT_NEAR(m_metrics.font(m_font).pointSizeF(), 10, 0.001);
    EXPECT_EQ(m_metrics.fontIndex(FontSpec{"Liberation Sans", 10, false, false, false}), m_font);
    EXPECT_NE(m_metrics.fontIndex(FontSpec{"Liberation Sans", 10, true, false, false}), m_font);
}

TEST_F(TextMetricsTest, MemoTextsWrapWithinTheirWidth) {
    struct Case {
        QString text;
        QString fitting; // the widest text that fits on one line
        QStringList lines;
    };
    const Case cases[] = {
        {"abc def ghi", "abc def", {"abc def", "ghi"}},
        {"abc def ghi", "abc def g", {"abc def", "ghi"}}, // words are not split
        {"  abc def", "  abc def", {"  abc def"}},        // a paragraph keeps its indent
        {"abc    def", "abc", {"abc", "def"}},            // blanks at a break vanish
        {"abcdefghij", "abcde", {"abcde", "fghij"}},      // a word wider than the line
        {"a\r\nb\rc\n", "abcdef", {"a", "b", "c"}},       // every line break; none at the end
        {"a\r\rb", "abcdef", {"a", "", "b"}},             // an empty line stays
        {"Zaklad\r    Wydzial\r", "Zaklad Wydzial", {"Zaklad", "    Wydzial"}},
        {"", "abc", {}},
    };
    for (const Case& c : cases) {
        QVector<QString> lines;
        m_metrics.wrap(m_font, c.text, width(c.fitting) + 0.5, lines);
        EXPECT_EQ(QStringList(lines.begin(), lines.end()), c.lines) << c.text.toStdString();
    }
}

} // namespace
