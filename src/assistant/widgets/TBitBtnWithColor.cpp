#include "widgets/TBitBtnWithColor.h"

#include <QIcon>
#include <QPainter>
#include <qdrawutil.h>

namespace kolmasyst {

const QColor TBitBtnWithColor::DefaultFace(237, 216, 131);

namespace {

// Where the glyph and the caption go along one axis of the content area.
struct AxisPlacement {
    int glyph = 0;
    int text = 0;
};

AxisPlacement placeAlong(int available, int glyphSize, int textSize, int margin, int spacing,
                         bool glyphFirst) {
    if (glyphSize == 0 || textSize == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            // Glyph and caption spread evenly over the area.
            spacing = (available - glyphSize - textSize) / 3;
            margin = spacing;
        } else {
            margin = (available - glyphSize - spacing - textSize) / 2;
        }
    } else if (spacing == -1) {
        spacing = (available - margin - glyphSize - textSize) / 2;
    }
    AxisPlacement at;
    if (glyphFirst) {
        at.glyph = margin;
        at.text = margin + glyphSize + spacing;
    } else {
        at.glyph = available - margin - glyphSize;
        at.text = at.glyph - spacing - textSize;
    }
    return at;
}

} // namespace

TBitBtnWithColor::TBitBtnWithColor(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFaceColor(DefaultFace);
}

void TBitBtnWithColor::setFaceColor(const QColor& color) {
    m_face = color;
    QPalette p = palette();
    p.setColor(QPalette::Button, color);
    setPalette(p);
    update();
}

void TBitBtnWithColor::setGlyph(const QPixmap& normal, const QPixmap& disabled) {
    m_glyph = normal;
    m_disabledGlyph = disabled;
    updateGeometry();
    update();
}

void TBitBtnWithColor::setGlyphLayout(GlyphLayout layout) {
    m_layout = layout;
    update();
}

void TBitBtnWithColor::setSpacing(int spacing) {
    m_spacing = spacing;
    update();
}

void TBitBtnWithColor::setMargin(int margin) {
    m_margin = margin;
    update();
}

QSize TBitBtnWithColor::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    const QSize text = fm.size(Qt::TextShowMnemonic, this->text());
    QSize content = text;
    if (!m_glyph.isNull()) {
        const QSize g = m_glyph.deviceIndependentSize().toSize();
        const int gap = text.isEmpty() ? 0 : qMax(m_spacing, 0);
        if (m_layout == GlyphLayout::Left || m_layout == GlyphLayout::Right)
            content = QSize(g.width() + gap + text.width(), qMax(g.height(), text.height()));
        else
            content = QSize(qMax(g.width(), text.width()), g.height() + gap + text.height());
    }
    return content + QSize(2 * (FocusInset + 6), 2 * (FocusInset + 2));
}

QPixmap TBitBtnWithColor::currentGlyph() const {
    if (m_glyph.isNull() || isEnabled())
        return m_glyph;
    if (!m_disabledGlyph.isNull())
        return m_disabledGlyph;
    return QIcon(m_glyph).pixmap(m_glyph.deviceIndependentSize().toSize(), devicePixelRatio(),
                                 QIcon::Disabled);
}

void TBitBtnWithColor::drawContent(QPainter& painter, const QRect& area) const {
    const QPixmap glyph = currentGlyph();
    const QSize g = glyph.isNull() ? QSize(0, 0) : glyph.deviceIndependentSize().toSize();
    const QSize t = text().isEmpty() ? QSize(0, 0) : fontMetrics().size(Qt::TextShowMnemonic, text());
    const bool horizontal = m_layout == GlyphLayout::Left || m_layout == GlyphLayout::Right;
    const bool glyphFirst = m_layout == GlyphLayout::Left || m_layout == GlyphLayout::Top;
    QPoint glyphAt, textAt;
    if (horizontal) {
        const AxisPlacement x =
            placeAlong(area.width(), g.width(), t.width(), m_margin, m_spacing, glyphFirst);
        glyphAt = QPoint(x.glyph, (area.height() - g.height()) / 2);
        textAt = QPoint(x.text, (area.height() - t.height()) / 2);
    } else {
        const AxisPlacement y =
            placeAlong(area.height(), g.height(), t.height(), m_margin, m_spacing, glyphFirst);
        glyphAt = QPoint((area.width() - g.width()) / 2, y.glyph);
        textAt = QPoint((area.width() - t.width()) / 2, y.text);
    }
    glyphAt += area.topLeft();
    textAt += area.topLeft();
    if (!glyph.isNull())
        painter.drawPixmap(glyphAt, glyph);
    if (t.isEmpty())
        return;
    const QRect textRect(textAt, t);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        painter.drawText(textRect, flags, text());
    } else {
        // Disabled captions are embossed: a light copy one pixel down-right under a grey one.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(textRect.translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(textRect, flags, text());
    }
}

void TBitBtnWithColor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect r = rect();
    const bool pressed = isDown() || isChecked();
    const bool focused = hasFocus();
    painter.fillRect(r, m_face);
    if (focused || isDefault()) {
        // The window-frame outline of the focused or default button.
        qDrawPlainRect(&painter, r, palette().color(QPalette::Shadow), 1);
        r.adjust(1, 1, -1, -1);
    }
    if (pressed)
        qDrawPlainRect(&painter, r, palette().color(QPalette::Dark), 1);
    else
        qDrawWinButton(&painter, r, palette(), false, nullptr);

    QRect content = rect().adjusted(2, 2, -2, -2);
    if (pressed)
        content.translate(1, 1);
    drawContent(painter, content);

    if (focused) {
        // A dotted rectangle, as the classic focus mark.
        const QRect focusRect = rect().adjusted(FocusInset, FocusInset, -FocusInset - 1, -FocusInset - 1);
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(focusRect);
    }
}

} // namespace kolmasyst
