#pragma once

#include <QHash>
#include <QMenu>
#include <QPixmap>

namespace kolmasyst {

// A popup menu that draws some of its items itself, in the way of the assistant's tray menu:
// - caption items: filled with the highlight colour when selected, else the menu colour, from
//   x = 25 to the right edge, with their text as one line, vertically centred; the strip left
//   of x = 25 belongs to the caption band;
// - database items: the same from x = 20, with the active-database mark drawn at
//   (1, top of the item + 2) when the item is checked; all of them as wide as the widest one
//   measured so far, and at least as wide as the database item width;
// - every other item (separators, plain items) in the style's standard way.
// With the caption band switched on, a grey band from (0,0) to (20,156) carries the
// application title written upwards in white.
class TOwnerDrawnMenu : public QMenu {
    Q_OBJECT
public:
    enum class ItemKind { Standard, Caption, Database };
    static constexpr int CaptionTextLeft = 25;
    static constexpr int DatabaseTextLeft = 20;
    static constexpr int DefaultDatabaseItemWidth = 120;
    static const QColor BandColor;      // RGB(128,128,128)
    static const QRect BandRect;        // (0,0)-(20,156)
    static const QPoint BandTextOrigin; // (2,144)

    explicit TOwnerDrawnMenu(const QString& title = QString(), QWidget* parent = nullptr);

    void setItemKind(QAction* action, ItemKind kind);
    ItemKind itemKind(QAction* action) const { return m_kinds.value(action, ItemKind::Standard); }
    // The text an owner-drawn item shows: its action text without mnemonic markers.
    static QString drawnText(const QAction* action);

    void setCaptionBand(const QString& title);
    const QString& bandTitle() const { return m_bandTitle; }
    void setMarkImage(const QPixmap& mark) { m_mark = mark; }

    // The common width of the database items (AliasMenuWidth); reset when the list is rebuilt.
    int databaseItemWidth() const { return m_databaseItemWidth; }
    void setDatabaseItemWidth(int width);

    // The width a caption item with this action text asks for; 0 when no caption item has it.
    int captionItemWidth(const QString& actionText) const;

    // The colour behind unselected items.
    QColor menuColor() const;
    // The rotated band font: 7-point "Tahoma" made two pixels taller.
    QFont bandFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void actionEvent(QActionEvent* event) override;

private:
    void drawOwnItem(QPainter& painter, QAction* action, const QRect& itemRect, int textLeft);
    void DrawCaptionBand(QPainter& painter);
    void measureDatabaseItems();

    QHash<QAction*, ItemKind> m_kinds;
    QString m_bandTitle;
    QPixmap m_mark;
    int m_databaseItemWidth = DefaultDatabaseItemWidth;
};

} // namespace kolmasyst
