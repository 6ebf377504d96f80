#include "widgets/TOwnerDrawnTabBar.h"

#include "widgets/AssistantLook.h"

#include <QPainter>

namespace kolmasyst {

TOwnerDrawnTabBar::TOwnerDrawnTabBar(QWidget* parent) : QTabBar(parent) {}

void TOwnerDrawnTabBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QRect r = tabRect(i);
        painter.fillRect(r, AssistantLook::Background);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(r.adjusted(0, 0, -1, i == currentIndex() ? 0 : -1));
        painter.setPen(palette().color(QPalette::WindowText));
        const QString text = tabText(i);
        const int x = r.left() + (r.width() / 2 - metrics.horizontalAdvance(text) / 2);
        const int y = r.top() + (r.height() / 2 - metrics.height() / 2);
        painter.save();
        painter.setClipRect(r);
        painter.drawText(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, text);
        painter.restore();
    }
}

} // namespace kolmasyst
