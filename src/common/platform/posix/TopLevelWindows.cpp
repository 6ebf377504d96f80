#include "platform/TopLevelWindows.h"

#include <QSet>
#include <QVector>

#include <memory>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(KOLM_HAVE_XCB)
#include <cstdlib>
#include <xcb/xcb.h>
#endif

#if defined(KOLM_HAVE_XCB) && !defined(Q_OS_WIN)
namespace {

template <typename Reply> struct ReplyDeleter {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, ReplyDeleter<Reply>>;

xcb_atom_t existingAtom(xcb_connection_t* c, const char* name) {
    ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The windows the window manager lists as its clients.
QVector<xcb_window_t> managedWindows(xcb_connection_t* c, xcb_window_t root) {
    QVector<xcb_window_t> out;
    const xcb_atom_t clientList = existingAtom(c, "_NET_CLIENT_LIST");
    if (clientList == XCB_ATOM_NONE)
        return out;
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, clientList, XCB_ATOM_WINDOW, 0, 1u << 16), nullptr));
    if (!reply || reply->format != 32)
        return out;
    const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_window_t));
    for (int i = 0; i < count; ++i)
        out.append(windows[i]);
    return out;
}

// The mapped children of the root window: the top-level windows when no window manager runs.
QVector<xcb_window_t> mappedRootChildren(xcb_connection_t* c, xcb_window_t root) {
    QVector<xcb_window_t> out;
    ReplyPtr<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree)
        return out;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    QVector<xcb_get_window_attributes_cookie_t> cookies;
    cookies.reserve(count);
    for (int i = 0; i < count; ++i)
        cookies.append(xcb_get_window_attributes(c, children[i]));
    for (int i = 0; i < count; ++i) {
        ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, cookies[i], nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
            out.append(children[i]);
    }
    return out;
}

// WM_CLASS holds "instance\0class\0"; the class is the second part.
QString windowClass(xcb_connection_t* c, xcb_window_t window) {
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr));
    if (!reply || reply->format != 8)
        return QString();
    const char* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    const QByteArray bytes(value, length);
    const int split = bytes.indexOf('\0');
    if (split < 0)
        return QString();
    QByteArray className = bytes.mid(split + 1);
    const int end = className.indexOf('\0');
    if (end >= 0)
        className.truncate(end);
    return QString::fromLatin1(className);
}

} // namespace
#endif

namespace TopLevelWindows {

QStringList classNames() {
    QStringList out;
#if defined(KOLM_HAVE_XCB) && !defined(Q_OS_WIN)
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return out;
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return out;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (screens.rem) {
        const xcb_window_t root = screens.data->root;
        QVector<xcb_window_t> windows = managedWindows(c, root);
        QSet<xcb_window_t> seen(windows.cbegin(), windows.cend());
        for (xcb_window_t w : mappedRootChildren(c, root)) {
            if (!seen.contains(w))
                windows.append(w);
        }
        for (xcb_window_t w : windows) {
            const QString name = windowClass(c, w);
            if (!name.isEmpty())
                out.append(name);
        }
    }
    xcb_disconnect(c);
#endif
    return out;
}

bool existsWithClass(const QStringList& classes) {
#if defined(Q_OS_WIN)
    for (const QString& name : classes) {
        if (FindWindowW(reinterpret_cast<LPCWSTR>(name.utf16()), nullptr))
            return true;
    }
    return false;
#else
    const QStringList present = classNames();
    for (const QString& name : classes) {
        if (present.contains(name, Qt::CaseInsensitive))
            return true;
    }
    return false;
#endif
}

} // namespace TopLevelWindows
