#include "widgets/ClassicMenuMetrics.h"

#include "widgets/TOwnerDrawnMenu.h"

#include <QStyleOptionMenuItem>

namespace kolmasyst {

int ClassicMenuMetrics::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return PanelWidth;
    case PM_MenuVMargin:
        return VerticalMargin;
    case PM_MenuHMargin:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize ClassicMenuMetrics::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                           const QWidget* widget) const {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem)
        return s;
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item && item->menuItemType == QStyleOptionMenuItem::Separator) {
        s.setHeight(SeparatorHeight);
        return s;
    }
    s.setHeight(qMax(ItemHeight, option->fontMetrics.height() + 4));
    const auto* menu = qobject_cast<const TOwnerDrawnMenu*>(widget);
    const int width = menu && item ? menu->captionItemWidth(item->text) : 0;
    if (width > 0)
        s.setWidth(width);
    return s;
}

} // namespace kolmasyst
