#pragma once

class QListWidget;

namespace kolmasyst {

// The horizontal scrolling extent of a list box: the widest item text in the list's font plus
// 14 pixels, plus 14 (14 for an empty list).
int ListBoxScrollWidth(const QListWidget* list);

} // namespace kolmasyst
