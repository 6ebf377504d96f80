#pragma once

#include "ReportDesign.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QStringView>
#include <QVector>
#include <array>
#include <memory>

// The fonts of one rendering and their measures on the output device. Widths come from a
// per-character cache: the fonts are built without kerning, so the sum of the advances is the
// painted width, and a long section measures its texts without shaping them one by one.
class TextMetrics {
public:
    explicit TextMetrics(QPaintDevice* device);
    ~TextMetrics();
    TextMetrics(const TextMetrics&) = delete;
    TextMetrics& operator=(const TextMetrics&) = delete;

    int fontIndex(const FontSpec& fontSpec); // the same index for an equal fontSpec
    const QFont& font(int index) const { return m_fonts[index]->font; }
    qreal ascent(int index) const { return m_fonts[index]->ascent; }
    qreal height(int index) const { return m_fonts[index]->height; } // ascent + descent
    qreal lineSpacing(int index) const { return m_fonts[index]->lineSpacing; }

    qreal width(int index, QStringView text);

    // Cuts a memo text into the lines painted within width: line breaks (CR, LF, CR LF) end a
    // paragraph, words wrap at blanks, a word wider than the line breaks between letters.
    // Leading blanks of a paragraph stay (they indent the location text). Appends the lines.
    void wrap(int index, const QString& text, qreal width, QVector<QString>& lines);

private:
    struct Entry {
        FontSpec fontSpec;
        QFont font;
        std::unique_ptr<QFontMetricsF> metrics;
        qreal ascent = 0;
        qreal height = 0;
        qreal lineSpacing = 0;
        std::array<float, 0x250> advance; // Latin letters; negative until measured
        QHash<char16_t, qreal> otherAdvance;
    };
    qreal advance(Entry& e, QChar c);
    void wrapParagraph(Entry& e, const QString& text, int begin, int end, qreal width,
                       QVector<QString>& lines);

    QPaintDevice* m_device;
    QVector<std::shared_ptr<Entry>> m_fonts;
};
