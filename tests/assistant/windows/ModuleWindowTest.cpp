// Needs an X server: run under Xvfb by the ctest entry assistant_x11_windows; skipped where there
// is no display (failed instead when KOLM_REQUIRE_X11 is set).
#include "MainFormFixture.h"
#include "platform/TopLevelWindows.h"
#include "windows/TfrmAliasName.h"

#include <QMenu>
#include <QThread>

#ifdef KOLM_HAVE_XCB
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

using namespace kolmasyst;
#endif

namespace {

#ifdef KOLM_HAVE_XCB
// A top-level window of another program, with a given WM_CLASS and title, on its own connection.
// Framed: as a reparenting window manager keeps it, inside a frame window without a class, and
// listed in the root window's _NET_CLIENT_LIST.
class ForeignWindow {
public:
    enum Placement { Mapped, Unmapped, Framed };

    ForeignWindow(const char* className, const char* title, Placement placement = Mapped) {
        int screenNumber = 0;
        m_c = xcb_connect(nullptr, &screenNumber);
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_c));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&it);
        const xcb_screen_t* screen = it.data;
        m_root = screen->root;
        xcb_window_t parent = m_root;
        if (placement == Framed) {
            m_frame = create(screen, m_root);
            xcb_map_window(m_c, m_frame);
            parent = m_frame;
        }
        m_window = create(screen, parent);
        QByteArray wmClass = QByteArray("module") + '\0' + className + '\0';
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                            uint32_t(wmClass.size()), wmClass.constData());
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            uint32_t(std::strlen(title)), title);
        if (placement != Unmapped)
            xcb_map_window(m_c, m_window);
        if (placement == Framed) {
            m_clientList = atom("_NET_CLIENT_LIST");
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_root, m_clientList, XCB_ATOM_WINDOW, 32, 1,
                                &m_window);
        }
        sync();
    }
    ~ForeignWindow() {
        if (m_clientList != XCB_ATOM_NONE)
            xcb_delete_property(m_c, m_root, m_clientList);
        xcb_destroy_window(m_c, m_window);
        if (m_frame != XCB_WINDOW_NONE)
            xcb_destroy_window(m_c, m_frame);
        sync();
        xcb_disconnect(m_c);
    }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

private:
    xcb_window_t create(const xcb_screen_t* screen, xcb_window_t parent) {
        const xcb_window_t w = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, w, parent, 10, 10, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        return w;
    }
    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    }
    // A round trip: the server has done everything asked before it.
    void sync() { std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr)); }

    xcb_connection_t* m_c;
    xcb_window_t m_root;
    xcb_window_t m_window;
    xcb_window_t m_frame = XCB_WINDOW_NONE;
    xcb_atom_t m_clientList = XCB_ATOM_NONE;
};
#endif

// The X server shows a new window a moment after it was asked to; look again for up to two
// seconds before taking the answer.
template <typename F> bool settles(F&& check) {
    for (int i = 0; i < 40; ++i) {
        if (check())
            return true;
        QThread::msleep(50);
    }
    return false;
}

class ModuleWindowTest : public MainFormFixture {
protected:
    void SetUp() override {
#ifndef KOLM_HAVE_XCB
        GTEST_SKIP() << "built without xcb";
#endif
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            if (!qEnvironmentVariableIsEmpty("KOLM_REQUIRE_X11"))
                FAIL() << "no X display";
            GTEST_SKIP() << "no X display";
        }
        MainFormFixture::SetUp();
    }
    void TearDown() override {
        if (m_form)
            MainFormFixture::TearDown();
    }
};

#ifdef KOLM_HAVE_XCB
TEST_F(ModuleWindowTest, ModuleWindowsAreRecognisedByTheirTwoClassesOnly) {
    struct Case {
        const char* className;
        ForeignWindow::Placement placement;
        bool recognised;
    };
    const Case cases[] = {
        {"TfrmStanowiska", ForeignWindow::Mapped, true},
        {"TRejestrWypForm", ForeignWindow::Mapped, true},
        // Under a window manager that puts its clients into frames.
        {"TfrmStanowiska", ForeignWindow::Framed, true},
        {"TRejestrWypForm", ForeignWindow::Framed, true},
        // Window classes are compared without regard to letter case.
        {"tfrmstanowiska", ForeignWindow::Mapped, true},
        // The administration, BHP and selection modules are not recognised.
        {"TfrmAdministracja", ForeignWindow::Mapped, false},
        {"TfrmBHP", ForeignWindow::Framed, false},
        {"TfrmDobor", ForeignWindow::Mapped, false},
        {"TfrmStanowiskaX", ForeignWindow::Mapped, false},
        // A window that is not on the screen does not count.
        {"TfrmStanowiska", ForeignWindow::Unmapped, false},
    };
    EXPECT_FALSE(m_form->IsModuleWindowOpen());
    for (const Case& c : cases) {
        ForeignWindow window(c.className, "Moduł", c.placement);
        const bool listed = c.placement != ForeignWindow::Unmapped;
        EXPECT_TRUE(settles([&] { return TopLevelWindows::classNames().contains(c.className) == listed; }))
            << c.className;
        EXPECT_EQ(m_form->IsModuleWindowOpen(), c.recognised) << c.className << " placement " << c.placement;
    }
    EXPECT_FALSE(m_form->IsModuleWindowOpen());
}

TEST_F(ModuleWindowTest, DatabaseConfigurationIsRefusedWhileAModuleWindowIsOpen) {
    {
        // Any title: only the class counts.
        ForeignWindow risk("TfrmStanowiska", "Ryzyko zawodowe - stanowiska");
        ASSERT_TRUE(settles([&] { return m_form->IsModuleWindowOpen(); }));
        m_form->mConfBase->trigger();
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_EQ(m_messages.shown().first().text,
                  QString::fromUtf8("Brak możliwości przeprowadzenia konfiguracji bazy danych\r"
                                    "Uruchomiony jest jeden z modułów systemu KOLM"));
        EXPECT_EQ(m_messages.shown().first().caption, "");
    }
    {
        ForeignWindow accidents("TRejestrWypForm", "");
        ASSERT_TRUE(settles([&] { return m_form->IsModuleWindowOpen(); }));
        m_messages.clear();
        m_form->mConfBase->trigger();
        EXPECT_EQ(m_messages.shown().size(), 1);
    }
    // With the module windows gone nothing is refused.
    ASSERT_TRUE(settles([&] { return !m_form->IsModuleWindowOpen(); }));
    m_messages.clear();
    whenModal(m_form->aliasDialog(), [this] { m_form->aliasDialog()->reject(); });
    m_form->mConfBase->trigger();
    EXPECT_TRUE(m_messages.shown().isEmpty());
}
#endif

} // namespace
