#pragma once

#include <QStringList>

// The top-level windows of the desktop, found by their window class: on X11 the class part of
// WM_CLASS of the windows the window manager lists (_NET_CLIENT_LIST) and of the mapped
// children of the root window (a desktop without a window manager); on Windows the registered
// window class. Without either (no display) there are no windows.
namespace TopLevelWindows {
// The window classes of all top-level windows found.
QStringList classNames();
// Whether a top-level window of one of these classes exists (class names compare without
// regard to letter case, as window classes do on Windows).
bool existsWithClass(const QStringList& classes);
} // namespace TopLevelWindows
