#pragma once

#include <QColor>
#include <QPushButton>

// The push button of all the assistant's windows, with a face colour of its own.
class TBitBtnWithColor : public QPushButton {
    Q_OBJECT
public:
    static const QColor DefaultFace; // RGB(237,216,131)

    explicit TBitBtnWithColor(const QString& caption, QWidget* parent = nullptr);
    void setFaceColor(const QColor& color);
    const QColor& faceColor() const { return m_face; }

private:
    QColor m_face;
};
