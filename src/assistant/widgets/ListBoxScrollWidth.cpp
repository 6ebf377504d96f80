#include "widgets/ListBoxScrollWidth.h"

#include <QFontMetrics>
#include <QListWidget>

namespace kolmasyst {

int ListBoxScrollWidth(const QListWidget* list) {
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(list->item(i)->text()) + 14);
    return widest + 14;
}

} // namespace kolmasyst
