#pragma once

#include <QColor>
#include <QPixmap>
#include <QPushButton>

namespace kolmasyst {

// The push button of all the assistant's windows: its whole face is filled with a colour of
// its own, and it draws itself in the classic way: a raised edge when up; a one-pixel shadow
// frame with the content moved one pixel right and down while pressed; a one-pixel window-frame
// outline when focused or default; a focus rectangle four pixels inside the edge when focused.
// An optional glyph (normal and disabled image) sits beside, above or below the caption.
class TBitBtnWithColor : public QPushButton {
    Q_OBJECT
public:
    static const QColor DefaultFace; // RGB(237,216,131)
    enum class GlyphLayout { Left, Right, Top, Bottom };
    static constexpr int DefaultSpacing = 4;
    // -1: the glyph and the caption are centred together.
    static constexpr int DefaultMargin = -1;
    static constexpr int FocusInset = 4;

    explicit TBitBtnWithColor(const QString& caption, QWidget* parent = nullptr);

    void setFaceColor(const QColor& color);
    const QColor& faceColor() const { return m_face; }

    // disabled: the image shown while the button is disabled; without one a greyed copy of
    // the normal image is used.
    void setGlyph(const QPixmap& normal, const QPixmap& disabled = QPixmap());
    const QPixmap& glyph() const { return m_glyph; }
    void setGlyphLayout(GlyphLayout layout);
    GlyphLayout glyphLayout() const { return m_layout; }
    void setSpacing(int spacing);
    int spacing() const { return m_spacing; }
    void setMargin(int margin);
    int margin() const { return m_margin; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap currentGlyph() const;
    void drawContent(QPainter& painter, const QRect& area) const;

    QColor m_face;
    QPixmap m_glyph;
    QPixmap m_disabledGlyph;
    GlyphLayout m_layout = GlyphLayout::Left;
    int m_spacing = DefaultSpacing;
    int m_margin = DefaultMargin;
};

} // namespace kolmasyst
