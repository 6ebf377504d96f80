#include "MainFormFixture.h"
#include "logic/DatabaseGate.h"
#include "logic/ReportRunner.h"
#include "widgets/TBitBtnWithColor.h"
#include "widgets/TOwnerDrawnMenu.h"
#include "widgets/TrayImages.h"
#include "windows/TfrmAliasName.h"
#include "windows/TfrmListaRap.h"
#include "windows/TfrmRaport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QUrl>

// Takes the addresses the program opens in the browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

namespace {

class MainFormTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        addUser(17, "jan", storedHash("Dobre123!"));
    }
    // The form's first timer tick is behind it: the animation is off and still.
    void pastFirstTick() { m_form->pTimerTimer(); }
    static QStringList drawnTexts(const QMenu* menu) {
        QStringList out;
        for (const QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("---") : TOwnerDrawnMenu::drawnText(a));
        return out;
    }
    // Logs jan in through the tray's login gate.
    void logInThroughGate(const QString& typedName = QStringLiteral("jan")) {
        answerLogin(typedName, "Dobre123!");
        m_form->mPokaz->trigger();
        ASSERT_EQ(m_session->UserId(), 17) << m_messages.texts().join('|').toStdString();
    }
};

TEST_F(MainFormTest, WindowButtonsGroupsAndLook) {
    TfrmMainForm& f = *m_form;
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.size(), QSize(297, 315));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(f.palette().color(QPalette::Window), QColor(244, 232, 181));
    EXPECT_EQ(f.property("helpContext").toInt(), 3000);

    struct Row {
        TBitBtnWithColor* button;
        const char* text;
        QFrame* bevel;
        bool enabled;
    };
    const Row rows[] = {
        {f.bListRap, "Pokaż listę raportów", f.Bevel1, true},
        {f.bRaport, "Wykonaj raport", f.Bevel1, true},
        {f.bUaktual, "Zobacz uaktualnienia", f.Bevel2, true},
        {f.bUstaw, "Ustawienia", f.Bevel3, true},
        {f.bDaty, "Daty istotnych zmian", f.Bevel3, true},
        {f.bHelp, "Pomoc", f.Bevel4, true},
        {f.bEnd, "Zamknij", f.Bevel4, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(r.button->text(), QString::fromUtf8(r.text));
        EXPECT_EQ(r.button->faceColor(), QColor(237, 216, 131));
        EXPECT_EQ(r.button->isEnabled(), r.enabled);
        EXPECT_TRUE(r.bevel->geometry().contains(r.button->geometry()));
        EXPECT_EQ(r.bevel->frameShadow(), QFrame::Raised);
    }
    // The groups lie top to bottom, the bottom row with "Pomoc" left and "Zamknij" in the middle.
    EXPECT_LT(f.Bevel1->geometry().bottom(), f.Bevel2->geometry().top());
    EXPECT_LT(f.Bevel2->geometry().bottom(), f.Bevel3->geometry().top());
    EXPECT_LT(f.Bevel3->geometry().bottom(), f.Bevel4->geometry().top());
    EXPECT_LT(f.bHelp->geometry().right(), f.bEnd->geometry().left());
    EXPECT_NEAR(f.bEnd->geometry().center().x(), 297 / 2, 1);
    EXPECT_TRUE(f.bEnd->isDefault());
}

TEST_F(MainFormTest, PopupMenuItemsInOrder) {
    TfrmMainForm& f = *m_form;
    EXPECT_EQ(drawnTexts(f.mPopupMenu),
              (QStringList{QString::fromUtf8("Pokaż formularz"), QString::fromUtf8("Pokaż statystyki"), "---",
                           "Uruchom animacje", "---", "Moduły systemu KOLM ",
                           QString::fromUtf8("Wybór bazy danych"), QString::fromUtf8("Użytkownik : "), "---",
                           "Koniec"}));
    EXPECT_EQ(drawnTexts(f.modkolm->menu()),
              (QStringList{"Administracja", "Ryzyko", "Wypadki", "BHP", QString::fromUtf8("Dobór")}));
    EXPECT_EQ(drawnTexts(f.mWybBazy->menu()), (QStringList{"Konfiguracja bazy danych", "---"}));
    EXPECT_EQ(drawnTexts(f.mUzytk->menu()), (QStringList{"Logowanie", "Wylogowanie"}));

    // Own drawing for the seven captions, the standard one for separators and submenu items.
    for (QAction* a : {f.mPokaz, f.mStatys, f.mAnimateIcon, f.modkolm, f.mWybBazy, f.mUzytk, f.mExit})
        EXPECT_EQ(f.mPopupMenu->itemKind(a), TOwnerDrawnMenu::ItemKind::Caption)
            << a->objectName().toStdString();
    for (QAction* a : {f.N1, f.N2, f.N3})
        EXPECT_EQ(f.mPopupMenu->itemKind(a), TOwnerDrawnMenu::ItemKind::Standard);
    EXPECT_EQ(f.mExit->text(), "&Koniec");
    EXPECT_GE(f.mPopupMenu->minimumWidth(), 136);

    // Statistics come with their window; modules, databases and users work without a login.
    EXPECT_TRUE(f.mStatys->isEnabled());
    for (QAction* a : {f.mPokaz, f.mAnimateIcon, f.mExit, f.mConfBase, f.mLogo, f.mWylogo, f.kolmAdm, f.kolm,
                       f.kolmWyp, f.kolmBHP, f.kolmDob})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(f.mAnimateIcon->isChecked());
}

TEST_F(MainFormTest, TrayIconAndTimersAtCreation) {
    TfrmMainForm& f = *m_form;
    EXPECT_EQ(f.TrayIcon->toolTip(), "Asystent systemu KOLM");
    EXPECT_TRUE(f.TrayIcon->isVisible());
    EXPECT_EQ(f.trayImage(), TrayImages::StillImage);
    EXPECT_EQ(f.pImageList.size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(f.pImageList.at(i).pixmap(16, 16).size(), QSize(16, 16)) << i;

    EXPECT_TRUE(f.PierwszyTakt());
    EXPECT_EQ(f.pTimer->interval(), 200);
    EXPECT_TRUE(f.pTimer->isActive());
    EXPECT_EQ(f.pAktywTimer->interval(), 1000);
    EXPECT_TRUE(f.pAktywTimer->isActive());

    // The first tick starts the hourly check and stops the animation timer.
    f.pTimerTimer();
    EXPECT_FALSE(f.PierwszyTakt());
    EXPECT_FALSE(f.pTimer->isActive());
    EXPECT_EQ(f.pAktywTimer->interval(), 3600000);
    EXPECT_TRUE(f.pAktywTimer->isActive());
    EXPECT_EQ(f.trayImage(), TrayImages::StillImage);
}

TEST_F(MainFormTest, AnimationFramesAndSwitch) {
    TfrmMainForm& f = *m_form;
    pastFirstTick();
    struct Step {
        const char* action; // "menu" switches through the menu item, "tick" is one timer tick
        int image;
        bool running;
        const char* itemText;
    };
    const Step steps[] = {
        {"menu", 10, true, "Wstrzymaj animacje"},
        {"tick", 1, true, nullptr},
        {"tick", 2, true, nullptr},
        {"tick", 3, true, nullptr},
        {"tick", 4, true, nullptr},
        {"tick", 5, true, nullptr},
        {"tick", 6, true, nullptr},
        {"tick", 7, true, nullptr},
        {"tick", 8, true, nullptr},
        {"tick", 9, true, nullptr},
        {"tick", 0, true, nullptr},
        {"tick", 1, true, nullptr},
        // Stopped: the still icon at once; restarted: on with the frame after the last one.
        {"menu", 10, false, "Uruchom animacje"},
        {"menu", 10, true, "Wstrzymaj animacje"},
        {"tick", 2, true, nullptr},
    };
    int n = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(++n);
        if (QByteArray(s.action) == "menu")
            f.mAnimateIcon->trigger();
        else
            f.pTimerTimer();
        EXPECT_EQ(f.trayImage(), s.image);
        EXPECT_EQ(f.pTimer->isActive(), s.running);
        EXPECT_EQ(f.mAnimateIcon->isChecked(), s.running);
        if (s.itemText) {
            EXPECT_EQ(f.mAnimateIcon->text(), s.itemText);
        }
    }
    // The handler called directly switches the same way.
    f.mAnimateIconClick();
    EXPECT_FALSE(f.mAnimateIcon->isChecked());
    EXPECT_FALSE(f.pTimer->isActive());
}

TEST_F(MainFormTest, AnimationRunsOnTheTimerAndStopsWhenReportsAreSeen) {
    TfrmMainForm& f = *m_form;
    pastFirstTick();
    // Started as the scheduler starts it: the timer moves the icon by itself.
    f.startAnimation();
    EXPECT_TRUE(f.mAnimateIcon->isChecked());
    QDeadlineTimer deadline(10000);
    while (f.animation().AnimFrame() < 2 && !deadline.hasExpired())
        QTest::qWait(10);
    EXPECT_GE(f.animation().AnimFrame(), 2);
    EXPECT_NE(f.trayImage(), TrayImages::StillImage);

    // Closing the report list or the report runner stops it, whoever started it. The list is
    // closed at once, the runner as soon as its run has ended.
    TestSupport::writeFile(m_dir.filePath("brel.ini"), "[AsystentSettings]\nASYST.DataAsys.Str=2026-12-10\n");
    f.reportWindow()->runner().setStepMs(10);
    const std::function<void()> closers[] = {
        [&f] { f.reportList()->accept(); },
        [&f] {
            QObject::connect(&f.reportWindow()->runner(), &ReportRunner::finished, f.reportWindow(),
                             &QDialog::accept);
        },
    };
    QDialog* windows[] = {f.reportList(), f.reportWindow()};
    const std::function<void()> opens[] = {[&f] { f.bListRapClick(); }, [&f] { f.bRaportClick(); }};
    for (int i = 0; i < 2; ++i) {
        f.startAnimation();
        f.pTimerTimer();
        whenModal(windows[i], closers[i]);
        opens[i]();
        EXPECT_FALSE(f.mAnimateIcon->isChecked());
        EXPECT_FALSE(f.pTimer->isActive());
        EXPECT_EQ(f.trayImage(), TrayImages::StillImage);
    }
}

TEST_F(MainFormTest, LoginGateWithoutRememberedUser) {
    TfrmMainForm& f = *m_form;
    // A cancelled login leaves the window hidden and nobody logged in.
    answerLogin(QString(), QString(), false);
    f.TrayIconMessage(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(m_session->UserId(), 0);
    EXPECT_EQ(m_session->UserName(), "");

    // The name is kept as typed; the window shows the active alias and the user.
    logInThroughGate("JAN");
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(m_session->UserName(), "JAN");
    EXPECT_EQ(m_session->UserPassword(), "Dobre123!");
    EXPECT_EQ(f.windowTitle(), "firma : JAN");
    EXPECT_EQ(TOwnerDrawnMenu::drawnText(f.mUzytk), QString::fromUtf8("Użytkownik : JAN"));
}

TEST_F(MainFormTest, WithoutADatabaseTheFirstClickSaysOnceWhatToDoAndLeadsToTheDatabasesDialog) {
    TfrmMainForm& f = *m_form;
    bool loginShown = false;
    whenLoginShown([&](TfrmLogowanie& d) {
        loginShown = true;
        d.reject();
    });
    struct Case {
        const char* name;
        QByteArray settings;
        QString told;
    };
    const Case cases[] = {
        {"fresh installation", "[Database]\nAliasName=\n", DatabaseGate::NotConfiguredMessage},
        {"no settings at all", "", DatabaseGate::NotConfiguredMessage},
        {"alias unknown to the registry", "[Database]\nAliasName=nieznana\n",
         DatabaseGate::NotConfiguredMessage},
        {"database that cannot be opened", "[Database]\nAliasName=zepsuta\n",
         "Brak dostępu do bazy danych „zepsuta”:"},
    };
    TestSupport::addAlias(m_dir.path(), "zepsuta", m_dir.filePath("nie-ma-takiej.fdb"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestSupport::writeFile(m_dir.filePath("brel.ini"), c.settings);
        m_app->karty().CloseDatabase();
        m_messages.clear();
        // Declined: one box, nothing else, the assistant goes on.
        f.TrayIconMessage(QSystemTrayIcon::Trigger);
        ASSERT_EQ(m_messages.shown().size(), 1) << m_messages.texts().join('|').toStdString();
        EXPECT_TRUE(m_messages.shown()[0].text.contains(c.told)) << m_messages.shown()[0].text.toStdString();
        EXPECT_TRUE(m_messages.shown()[0].text.endsWith(DatabaseGate::OfferQuestion));
        EXPECT_FALSE(loginShown);
        EXPECT_FALSE(f.isVisible());
        EXPECT_FALSE(m_app->endRequested());
    }
    EXPECT_TRUE(m_messages.shown()[0].text.contains("No such file")) << "the engine's reason";
    // From the menu's login too.
    m_messages.clear();
    f.mLogo->trigger();
    EXPECT_EQ(m_messages.shown().size(), 1);
    EXPECT_FALSE(loginShown);

    // Accepted: the databases dialog, where the administrator chooses a working database; the
    // login follows at once.
    m_messages.clear();
    m_messages.answerNext(true);
    bool dialogShown = false;
    whenModal(f.aliasDialog(), [&] {
        dialogShown = true;
        TestSupport::writeFile(m_dir.filePath("brel.ini"), "[Database]\nAliasName=firma\n");
        f.aliasDialog()->reject();
        answerLogin("jan", "Dobre123!");
    });
    f.TrayIconMessage(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(m_messages.shown().size(), 1) << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(m_session->UserId(), 17);
    EXPECT_TRUE(f.isVisible());
}

TEST_F(MainFormTest, TypedKeysGoToThePasswordWhenTheNameIsThereAndTheTitleFollowsTheUser) {
    TfrmMainForm& f = *m_form;
    addUser(18, "ewa", storedHash("Ewa12345!"));
    logInThroughGate();
    EXPECT_EQ(f.windowTitle(), "firma : jan");
    // The menu's login with the name still there: what the user types is the password.
    bool typed = false;
    whenLoginShown([&](TfrmLogowanie& d) {
        typed = true;
        EXPECT_EQ(d.eNazwa->text(), "jan");
        d.eNazwa->setText("ewa");
        QWidget* focused = QApplication::focusWidget();
        ASSERT_EQ(focused, d.eHaslo);
        QTest::keyClicks(focused, "Ewa12345!");
        QTest::keyClick(focused, Qt::Key_Return);
    });
    f.mLogo->trigger();
    EXPECT_TRUE(typed);
    EXPECT_EQ(m_session->UserId(), 18) << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(f.windowTitle(), "firma : ewa");
    // Logging out from the menu: the window says nobody.
    f.mWylogo->trigger();
    EXPECT_EQ(f.windowTitle(), "firma : ");
    // A fresh dialog without a name starts in the name.
    whenLoginShown([&](TfrmLogowanie& d) {
        EXPECT_EQ(QApplication::focusWidget(), d.eNazwa);
        d.reject();
    });
    f.mLogo->trigger();
}

TEST_F(MainFormTest, LoginGateWithRememberedUserShowsNoDialog) {
    TfrmMainForm& f = *m_form;
    logInThroughGate();
    f.bEndClick();
    EXPECT_FALSE(f.isVisible());

    bool dialogShown = false;
    whenLoginShown([&](TfrmLogowanie& d) {
        dialogShown = true;
        d.reject();
    });
    // A login dialog would have run inside the call.
    f.TrayIconMessage(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(m_session->UserId(), 17);
    // The remembered user comes back with the stored password hash.
    EXPECT_EQ(m_login->eNazwa->text(), "jan");
    EXPECT_EQ(m_login->eHaslo->text(), column(17, "HASLO"));
    EXPECT_EQ(f.windowTitle(), "firma : jan");
}

TEST_F(MainFormTest, UserItemFollowsLoginAndLogout) {
    TfrmMainForm& f = *m_form;
    const QString prefix = QString::fromUtf8("Użytkownik : ");
    answerLogin("jan", "Dobre123!");
    f.mLogo->trigger();
    EXPECT_EQ(m_session->UserId(), 17);
    EXPECT_EQ(TOwnerDrawnMenu::drawnText(f.mUzytk), prefix + "jan");
    EXPECT_FALSE(f.isVisible());

    f.mWylogo->trigger();
    EXPECT_EQ(TOwnerDrawnMenu::drawnText(f.mUzytk), prefix);
    EXPECT_EQ(m_session->UserId(), 0);
    for (QLineEdit* e : {m_login->eNazwa, m_login->eHaslo, m_login->eNoweHaslo, m_login->eNoweHasloPotw})
        EXPECT_EQ(e->text(), "") << e->objectName().toStdString();

    // Cancelling "Logowanie" logs the current user out.
    answerLogin("jan", "Dobre123!");
    f.mLogo->trigger();
    ASSERT_EQ(m_session->UserId(), 17);
    answerLogin(QString(), QString(), false);
    f.mLogo->trigger();
    EXPECT_EQ(m_session->UserId(), 0);
    EXPECT_EQ(m_session->UserPassword(), "");
    EXPECT_EQ(TOwnerDrawnMenu::drawnText(f.mUzytk), prefix);

    // A name with "&" shows as typed.
    m_session->setUserName("a&b");
    Q_EMIT f.mPopupMenu->aboutToShow();
    EXPECT_EQ(TOwnerDrawnMenu::drawnText(f.mUzytk), prefix + "a&b");
}

TEST_F(MainFormTest, ExitAsksAndEndsOnlyOnYes) {
    TfrmMainForm& f = *m_form;
    m_messages.answerNext(false);
    EXPECT_FALSE(runUntilEnd([&] { f.mExit->trigger(); }, 300));
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.shown().first().text,
              QString::fromUtf8("Zamknąć okno programu asystenta systemu KOLM ?"));
    EXPECT_EQ(m_messages.shown().first().caption, QString::fromUtf8("Zamknąć okno ?"));
    EXPECT_FALSE(f.endRequested());

    m_messages.answerNext(true);
    EXPECT_TRUE(runUntilEnd([&] { f.mExit->trigger(); }));
    EXPECT_TRUE(f.endRequested());
}

TEST_F(MainFormTest, CloseControlEndsAtOnceWhileZamknijOnlyHides) {
    TfrmMainForm& f = *m_form;
    logInThroughGate();
    // "Zamknij", Enter and Esc hide the window; the program goes on.
    for (int key : {0, int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        f.show();
        if (key == 0)
            QTest::mouseClick(f.bEnd, Qt::LeftButton);
        else
            QTest::keyClick(&f, Qt::Key(key));
        EXPECT_FALSE(f.isVisible()) << key;
        EXPECT_FALSE(f.endRequested()) << key;
    }
    f.show();
    m_messages.clear();
    EXPECT_TRUE(runUntilEnd([&] { f.close(); }));
    EXPECT_TRUE(f.endRequested());
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(MainFormTest, RightClickOpensTheMenuAtTheCursor) {
    TfrmMainForm& f = *m_form;
    QCursor::setPos(200, 150);
    f.TrayIconMessage(QSystemTrayIcon::Context);
    EXPECT_TRUE(f.mPopupMenu->isVisible());
    EXPECT_EQ(f.mPopupMenu->pos(), QPoint(200, 150));
    f.mPopupMenu->hide();
    // Other events (a double click, the middle button) do nothing.
    f.TrayIconMessage(QSystemTrayIcon::DoubleClick);
    f.TrayIconMessage(QSystemTrayIcon::MiddleClick);
    EXPECT_FALSE(f.mPopupMenu->isVisible());
    EXPECT_FALSE(f.isVisible());
}

TEST_F(MainFormTest, UpdatesButtonOpensTheMakersPage) {
    UrlRecorder receiver;
    QDesktopServices::setUrlHandler("https", &receiver, "open");
    m_form->bUaktual->click();
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(receiver.urls.size(), 1);
    EXPECT_EQ(receiver.urls.first(), QUrl(TfrmMainForm::UpdatesAddress));
    EXPECT_TRUE(m_messages.shown().isEmpty());
    // No browser on the desktop: said, with the address to open by hand.
    m_form->openUrl = [](const QUrl&) { return false; };
    m_form->bUaktual->click();
    EXPECT_EQ(m_messages.texts(), QStringList{TfrmMainForm::NoBrowserMessage + TfrmMainForm::UpdatesAddress});
}

TEST_F(MainFormTest, ConfigurationWithoutModuleWindowShowsNoRefusal) {
    // Without a display no module window can be found.
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "a display is present";
    EXPECT_FALSE(m_form->IsModuleWindowOpen());
    bool shown = false;
    whenModal(m_form->aliasDialog(), [&] {
        shown = true;
        m_form->aliasDialog()->reject();
    });
    m_form->mConfBase->trigger();
    EXPECT_TRUE(shown) << "the databases dialog was shown";
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

} // namespace

#include "MainFormTest.moc"

using namespace kolmasyst;
