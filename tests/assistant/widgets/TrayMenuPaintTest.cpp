#include "MainFormFixture.h"
#include "widgets/TOwnerDrawnMenu.h"
#include "widgets/TrayImages.h"

#include <QApplication>
#include <QImage>
#include <QTest>

using namespace kolmasyst;

namespace {

class TrayMenuPaintTest : public MainFormFixture {
protected:
    // The menu as it is drawn on screen.
    static QImage drawn(QMenu* menu) {
        menu->popup(QPoint(40, 40));
        QApplication::processEvents();
        return menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static bool isWhite(QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200; }
    // Whether a pixel darker than mid grey lies in the row between x0 and x1.
    static bool hasInk(const QImage& image, int y0, int y1, int x0, int x1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1 && x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 110)
                    return true;
        return false;
    }
    static int firstInkColumn(const QImage& image, const QRect& row) {
        for (int x = 0; x < image.width(); ++x)
            for (int y = row.top(); y <= row.bottom(); ++y)
                if (qGray(image.pixel(x, y)) < 110)
                    return x;
        return -1;
    }
};

TEST_F(TrayMenuPaintTest, GreyBandWithTheTitleWrittenUpwards) {
    TOwnerDrawnMenu* menu = m_form->mPopupMenu;
    const QImage image = drawn(menu);
    ASSERT_GT(image.height(), 156);
    const QColor grey(128, 128, 128);
    // The band covers (0,0) to (20,156) exactly.
    for (const QPoint p : {QPoint(0, 0), QPoint(19, 0), QPoint(0, 155), QPoint(19, 155), QPoint(1, 150)})
        EXPECT_EQ(QColor(image.pixel(p)), grey) << p.x() << "," << p.y();
    EXPECT_NE(QColor(image.pixel(20, 80)), grey);
    EXPECT_NE(QColor(image.pixel(5, 157)), grey);
    // The strip up to x = 25 beside the band is the menu's colour.
    EXPECT_EQ(QColor(image.pixel(22, 30)), menu->menuColor());

    // White letters from y = 144 upwards, none below.
    int whiteAbove = 0, whiteBelow = 0, lowest = -1;
    for (int y = 0; y < 156; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (!isWhite(image.pixel(x, y)))
                continue;
            (y <= 144 ? whiteAbove : whiteBelow)++;
            lowest = qMax(lowest, y);
        }
    }
    EXPECT_GT(whiteAbove, 100);
    EXPECT_EQ(whiteBelow, 0);
    EXPECT_GE(lowest, 135);
    // The letters' tops face the left edge: the text lies in the band's left part.
    EXPECT_EQ(menu->bandTitle(), "Asystent systemu KOLM");
    EXPECT_EQ(menu->bandFont().pixelSize(), qRound(7.0 * menu->logicalDpiY() / 72.0) + 2);
    menu->hide();
}

TEST_F(TrayMenuPaintTest, CaptionItemsDrawFromX25AndHighlightWhenSelected) {
    TOwnerDrawnMenu* menu = m_form->mPopupMenu;
    drawn(menu);
    menu->setActiveAction(m_form->mPokaz);
    const QImage image = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor highlight = menu->palette().color(QPalette::Active, QPalette::Highlight);
    const QRect pokaz = menu->actionGeometry(m_form->mPokaz);
    const QRect statys = menu->actionGeometry(m_form->mStatys);
    const QRect exit = menu->actionGeometry(m_form->mExit);
    const int right = pokaz.right() - 3;
    EXPECT_EQ(QColor(image.pixel(right, pokaz.center().y())), highlight);
    EXPECT_EQ(QColor(image.pixel(25, pokaz.top() + 1)), highlight);
    // Left of x = 25 the selection does not reach.
    EXPECT_NE(QColor(image.pixel(23, pokaz.center().y())), highlight);
    EXPECT_EQ(QColor(image.pixel(right, statys.center().y())), menu->menuColor());

    // The text begins at x = 25 (the first ink right of the band).
    QImage plain = image;
    menu->setActiveAction(nullptr);
    plain = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect exitText(QPoint(20, exit.top()), QPoint(exit.right(), exit.bottom()));
    const QImage row = plain.copy(exitText);
    const int first = firstInkColumn(row, QRect(0, 0, row.width(), row.height()));
    EXPECT_GE(first + 20, 25);
    EXPECT_LE(first + 20, 28);
    EXPECT_TRUE(hasInk(plain, pokaz.top(), pokaz.bottom(), 25, 60));
    menu->hide();
}

TEST_F(TrayMenuPaintTest, MenuIsAtLeast136WideAndItsRowsFitTheBand) {
    TOwnerDrawnMenu* menu = m_form->mPopupMenu;
    const QImage image = drawn(menu);
    EXPECT_GE(image.width(), 136);
    // Seven rows and three separators: the band spans the menu down to its last item.
    const QRect exit = menu->actionGeometry(m_form->mExit);
    EXPECT_GT(exit.bottom(), 156);
    EXPECT_LT(exit.top(), 156);
    menu->hide();
}

TEST_F(TrayMenuPaintTest, DatabaseItemsShowTheMarkAndShareTheirWidth) {
    TOwnerDrawnMenu* menu = m_form->mWybBazyMenu;
    QAction* active = menu->addAction("firma");
    active->setCheckable(true);
    active->setChecked(true);
    QAction* other = menu->addAction("kopia");
    other->setCheckable(true);
    menu->setItemKind(active, TOwnerDrawnMenu::ItemKind::Database);
    menu->setItemKind(other, TOwnerDrawnMenu::ItemKind::Database);
    // At least 120, or the widest proposed width + 10.
    const int initial = menu->databaseItemWidth();
    EXPECT_GE(initial, 120);

    const QImage image = drawn(menu);
    const QImage mark = TrayImages::pixmap(TrayImages::ActiveDatabaseMark).toImage();
    const QRect activeRow = menu->actionGeometry(active);
    const QRect otherRow = menu->actionGeometry(other);
    int matching = 0, opaque = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb m = mark.pixel(x, y);
            if (qAlpha(m) < 255)
                continue;
            ++opaque;
            if (QColor(image.pixel(1 + x, activeRow.top() + 2 + y)) == QColor(m))
                ++matching;
        }
    }
    EXPECT_GT(opaque, 50);
    EXPECT_EQ(matching, opaque);
    // An unchecked database has no mark; its text begins at x = 20.
    EXPECT_FALSE(hasInk(image, otherRow.top(), otherRow.bottom(), 1, 18));
    EXPECT_TRUE(hasInk(image, otherRow.top(), otherRow.bottom(), 20, 40));
    menu->hide();

    // A long name widens every item; the width stays when the name goes, until the rebuild.
    QAction* wide = menu->addAction("baza demonstracyjna zakładu produkcyjnego");
    menu->setItemKind(wide, TOwnerDrawnMenu::ItemKind::Database);
    const int widened = menu->databaseItemWidth();
    EXPECT_GT(widened, 120);
    EXPECT_GE(drawn(menu).width(), widened);
    menu->hide();
    menu->removeAction(wide);
    delete wide;
    EXPECT_EQ(menu->databaseItemWidth(), widened);
    // The rebuild starts from 120 again and measures the items left.
    menu->setDatabaseItemWidth(TOwnerDrawnMenu::DefaultDatabaseItemWidth);
    EXPECT_EQ(menu->databaseItemWidth(), initial);
}

} // namespace
