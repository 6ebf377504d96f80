#pragma once

#include "BandWalker.h"
#include "ReportState.h"
#include "TextMetrics.h"

#include <QString>
#include <QVector>

// One thing painted on a page, in device units of the output (1/720 inch) from the page's
// top-left corner. top and bottom bound it vertically, so a tall band can be cut between pages
// without cutting a line of text.
struct DisplayItem {
    enum Kind : quint8 { Text, ClippedText, Rule };
    Kind kind = Text;
    qint16 font = -1;
    float x = 0; // text: start of the baseline; rule: left end
    float y = 0; // text: baseline; rule: centre line
    float top = 0;
    float bottom = 0;
    float left = 0;  // clipped text: its box
    float width = 0; // clipped text: box width; rule: length
    float thickness = 0;
    QString text;
};

// The measured and paginated report: items of all pages in page order.
struct DisplayList {
    QVector<DisplayItem> items;
    QVector<int> pageStarts; // index of each page's first item
    int pageCount() const { return pageStarts.size(); }
    int pageEnd(int page) const { return page + 1 < pageStarts.size() ? pageStarts[page + 1] : items.size(); }
};

// The first pass: lays out each printed band with the output's font measures and places it on
// the pages. A band that does not fit goes to the next page, together with the bands before
// it marked keep-with-next; a band taller than a page is cut between lines; repeating header
// bands are placed again at the top of each new page while their rows last.
class PageLayout : public IBandSink {
public:
    PageLayout(const ReportState& state, TextMetrics& metrics, double dpi);

    void printBand(int band, int row) override;
    void endRepeat(int headerBand) override;
    DisplayList finish();

    // Font index of a component in the TextMetrics given to the constructor (-1 for rules).
    int componentFont(int component) const { return m_componentFont[component]; }

private:
    struct Box {
        int band = -1;
        float height = 0;
        QVector<DisplayItem> items; // relative to the band's top-left corner
    };

    void layoutBand(int band, int row, Box& box);
    void addText(Box& box, int font, const QString& text, float left, float top, float width,
                 TextAlign align);
    void flush();
    void place(const Box& box);
    float findBreak(const Box& box, float from, float limit, bool firstPiece) const;
    void emitItems(const Box& box, float from, float to, bool firstPiece, bool lastPiece);
    void newPage();
    float freshPageSpace() const;

    const ReportState& m_state;
    const ReportDesign& m_design;
    TextMetrics& m_metrics;
    const double m_dpi;
    const float m_regionLeft;
    const float m_regionTop;
    const float m_regionBottom;
    QVector<int> m_componentFont;

    DisplayList m_list;
    float m_cursor;
    bool m_pageHasBody = false;
    QVector<Box> m_pending; // keep-with-next chain; boxes are reused, their vectors keep capacity
    int m_pendingCount = 0;
    QVector<Box> m_repeating;
    QVector<QString> m_lines;
};
