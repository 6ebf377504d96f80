#pragma once

#include <QTabBar>

namespace kolmasyst {

// The tabs of the assistant's page controls, drawn in the way of its windows: each tab filled
// with the window colour, its caption centred in it (integer halves, rounded toward zero).
class TOwnerDrawnTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TOwnerDrawnTabBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kolmasyst
