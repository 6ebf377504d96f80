#include "TBitBtnWithColor.h"

const QColor TBitBtnWithColor::DefaultFace(237, 216, 131);

TBitBtnWithColor::TBitBtnWithColor(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFaceColor(DefaultFace);
}

void TBitBtnWithColor::setFaceColor(const QColor& color) {
    m_face = color;
    QPalette p = palette();
    p.setColor(QPalette::Button, color);
    setPalette(p);
    setAutoFillBackground(true);
}
