#include "widgets/TBitBtnWithColor.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kolmasyst;

namespace {

class TBitBtnWithColorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.resize(200, 100);
        m_button = new TBitBtnWithColor(QString(), &m_window);
        m_button->setGeometry(10, 10, 80, 25);
        m_other = new TBitBtnWithColor(QStringLiteral("Inny"), &m_window);
        m_other->setGeometry(100, 10, 80, 25);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        m_other->setFocus();
    }
    QImage drawn() const { return m_button->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Colours compared as 8-bit RGB, as they reach the screen.
    static QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }
    QRgb role(QPalette::ColorRole r) const { return m_button->palette().color(QPalette::Active, r).rgb(); }
    static QRgb face() { return QColor(237, 216, 131).rgb(); }

    QWidget m_window;
    TBitBtnWithColor* m_button = nullptr;
    TBitBtnWithColor* m_other = nullptr;
};

TEST_F(TBitBtnWithColorTest, FaceIsFilledWithItsColourAndRepaintsWhenItChanges) {
    EXPECT_EQ(m_button->faceColor(), QColor(237, 216, 131));
    EXPECT_EQ(at(drawn(), 40, 12), face());
    m_button->setFaceColor(QColor(10, 120, 200));
    EXPECT_EQ(at(drawn(), 40, 12), QColor(10, 120, 200).rgb());
    EXPECT_EQ(m_button->palette().color(QPalette::Button), QColor(10, 120, 200));
}

TEST_F(TBitBtnWithColorTest, EdgesForUpPressedDefaultAndFocused) {
    // Up: a raised edge, light top-left and dark bottom-right.
    QImage up = drawn();
    EXPECT_EQ(at(up, 0, 0), role(QPalette::Light));
    EXPECT_EQ(at(up, 79, 24), role(QPalette::Shadow));
    EXPECT_EQ(at(up, 78, 23), role(QPalette::Dark));

    // Pressed: a one-pixel shadow frame instead, and the content one pixel right and down.
    m_button->setText("X");
    const QImage released = drawn();
    m_button->setDown(true);
    const QImage pressed = drawn();
    EXPECT_EQ(at(pressed, 0, 0), role(QPalette::Dark));
    EXPECT_EQ(at(pressed, 79, 24), role(QPalette::Dark));
    EXPECT_EQ(at(pressed, 1, 1), face());
    const QImage textUp = released.copy(20, 4, 40, 17);
    const QImage textDown = pressed.copy(21, 5, 40, 17);
    EXPECT_EQ(textUp, textDown);
    m_button->setDown(false);

    // Default: a window-frame outline around the raised edge.
    m_button->setDefault(true);
    QImage outlined = drawn();
    EXPECT_EQ(at(outlined, 0, 0), role(QPalette::Shadow));
    EXPECT_EQ(at(outlined, 79, 0), role(QPalette::Shadow));
    EXPECT_EQ(at(outlined, 1, 1), role(QPalette::Light));
    m_button->setDefault(false);

    // Focused: the outline and a dotted focus rectangle four pixels inside the edge.
    m_button->setFocus();
    ASSERT_TRUE(m_button->hasFocus());
    const QImage focused = drawn();
    EXPECT_EQ(at(focused, 0, 0), role(QPalette::Shadow));
    int dots = 0;
    for (int x = 4; x <= 75; ++x)
        dots += at(focused, x, 4) == role(QPalette::ButtonText) ? 1 : 0;
    EXPECT_GT(dots, 20);
    EXPECT_LT(dots, 60); // dotted, not solid
    EXPECT_EQ(at(focused, 3, 12), face());
    EXPECT_EQ(at(up, 4, 4), face());
}

TEST_F(TBitBtnWithColorTest, DoubleClickCountsAsASecondPress) {
    QSignalSpy clicks(m_button, &QPushButton::clicked);
    // A double click arrives as press, release, double click, release.
    const QPoint at(20, 10);
    QTest::mousePress(m_button, Qt::LeftButton, {}, at);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, m_button->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_button, &second);
    EXPECT_TRUE(m_button->isDown());
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(TBitBtnWithColorTest, GlyphBesideAboveOrBelowTheCaption) {
    QPixmap glyph(16, 16);
    glyph.fill(QColor(255, 0, 0));
    m_button->setGeometry(10, 10, 120, 60);
    m_button->setText("OK");
    m_button->setGlyph(glyph);
    EXPECT_EQ(m_button->spacing(), 4);
    EXPECT_EQ(m_button->margin(), -1);
    // The red square's bounding box in the drawn button.
    auto glyphBox = [this] {
        const QImage image = drawn();
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColor(image.pixel(x, y)) == QColor(255, 0, 0))
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QSize text = m_button->fontMetrics().size(Qt::TextShowMnemonic, "OK");
    const int textWidth = text.width();
    const int textHeight = text.height();
    // Content area: the button less two pixels of edge on each side.
    const int areaWidth = 116, areaHeight = 56;
    struct Case {
        TBitBtnWithColor::GlyphLayout layout;
        int margin;
        QPoint topLeft;
    };
    const Case cases[] = {
        {TBitBtnWithColor::GlyphLayout::Left, -1, QPoint(2 + (areaWidth - 16 - 4 - textWidth) / 2, 2 + 20)},
        {TBitBtnWithColor::GlyphLayout::Right, -1,
         QPoint(2 + areaWidth - (areaWidth - 16 - 4 - textWidth) / 2 - 16, 2 + 20)},
        {TBitBtnWithColor::GlyphLayout::Top, -1, QPoint(2 + 50, 2 + (areaHeight - 16 - 4 - textHeight) / 2)},
        {TBitBtnWithColor::GlyphLayout::Bottom, -1,
         QPoint(2 + 50, 2 + areaHeight - (areaHeight - 16 - 4 - textHeight) / 2 - 16)},
        {TBitBtnWithColor::GlyphLayout::Left, 6, QPoint(2 + 6, 2 + 20)},
    };
    for (const Case& c : cases) {
        m_button->setGlyphLayout(c.layout);
        m_button->setMargin(c.margin);
        EXPECT_EQ(glyphBox(), QRect(c.topLeft, QSize(16, 16))) << int(c.layout) << " margin " << c.margin;
    }

    // Disabled: the second image when there is one, else a greyed copy of the first.
    m_button->setMargin(-1);
    m_button->setGlyphLayout(TBitBtnWithColor::GlyphLayout::Left);
    m_button->setEnabled(false);
    EXPECT_TRUE(glyphBox().isEmpty());
    QPixmap disabled(16, 16);
    disabled.fill(QColor(0, 0, 255));
    m_button->setGlyph(glyph, disabled);
    const QImage image = drawn();
    const QPoint centre = QPoint(2 + (areaWidth - 16 - 4 - textWidth) / 2 + 8, 2 + 28);
    EXPECT_EQ(QColor(image.pixel(centre)), QColor(0, 0, 255));
}

} // namespace
