#include "MainFormFixture.h"
#include "helpkit/TfrmHelpWindow.h"
#include "widgets/TBitBtnWithColor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

using namespace kolmasyst;

namespace {

// Every topic number the assistant's windows carry, with what its page is about.
const std::pair<int, const char*> kTopics[] = {
    {1000, "Logowanie"},      {2200, "Asystent systemu KOLM"},
    {2300, "Statystyki"},     {2610, "Konfiguracja bazy"},
    {3000, "Okno asystenta"}, {3100, "Lista"},
    {3300, "Raport"},         {3310, "Ustawienia"},
    {3320, "Ustawienia"},     {3500, "Daty istotnych zmian"},
};

TEST(HelpBundleTest, EveryTopicHasARealPolishPage) {
    const QDir bundle(QDir(QStringLiteral(KOLM_BIN_DIR)).filePath("kolmasyst.help"));
    ASSERT_TRUE(bundle.exists()) << bundle.path().toStdString();
    const QString contents = QString::fromUtf8(TestSupport::readFile(bundle.filePath("index.html")));
    for (const auto& [topic, subject] : kTopics) {
        SCOPED_TRACE(topic);
        const QString page =
            QString::fromUtf8(TestSupport::readFile(bundle.filePath(QString::number(topic) + ".html")));
        ASSERT_FALSE(page.isEmpty());
        const QRegularExpressionMatch title = QRegularExpression("<title>([^<]+)</title>").match(page);
        ASSERT_TRUE(title.hasMatch());
        EXPECT_TRUE(title.captured(1).contains(QString::fromUtf8(subject)))
            << title.captured(1).toStdString();
        // A few sentences of text, not a stub.
        QString text = page;
        text.remove(QRegularExpression("<[^>]*>"));
        EXPECT_GT(text.simplified().size(), 300);
        EXPECT_TRUE(contents.contains(QString::number(topic) + ".html"));
        // Every link of the page leads to a page of the bundle.
        QRegularExpressionMatchIterator links = QRegularExpression("href=\"([^\"]+)\"").globalMatch(page);
        while (links.hasNext()) {
            const QString target = links.next().captured(1);
            EXPECT_TRUE(bundle.exists(target)) << target.toStdString();
        }
    }
}

// The help kit with the programs' folder as the fixture leaves it: no help bundle.
using HelpKitTest = MainFormFixture;

class HelpTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        installHelpBundle();
        createForm();
    }
    TfrmHelpWindow* onlyWindow() {
        const QList<TfrmHelpWindow*> windows = m_viewer->windows();
        return windows.size() == 1 ? windows.first() : nullptr;
    }
};

TEST_F(HelpTest, F1OpensTheTopicOfTheWindowItIsPressedIn) {
    m_form->show();
    QTest::keyClick(m_form->bUaktual, Qt::Key_F1);
    TfrmHelpWindow* help = onlyWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->topic(), 3000);
    EXPECT_FALSE(help->topicMissing());
    EXPECT_TRUE(help->windowTitle().startsWith("Okno asystenta"));
    EXPECT_TRUE(help->browser->toPlainText().contains("Pokaż listę raportów"));

    // F1 in the login dialog, while it is modal, opens its topic; the help window stays usable.
    bool blockedByDialog = true;
    whenLoginShown([&](TfrmLogowanie& d) {
        QTest::keyClick(d.eNazwa, Qt::Key_F1);
        blockedByDialog = help->windowHandle()->transientParent() != d.windowHandle();
        d.reject();
    });
    m_form->mLogo->trigger();
    EXPECT_EQ(help->topic(), 1000);
    EXPECT_FALSE(blockedByDialog);
    EXPECT_EQ(onlyWindow(), help);
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(HelpTest, PomocOpensTopic2200AndQuitClosesEveryHelpWindow) {
    m_form->show();
    m_form->bHelp->click();
    EXPECT_EQ(m_help->HelpFile(), "KOLMASYST.CHM");
    TfrmHelpWindow* help = onlyWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->topic(), 2200);
    EXPECT_TRUE(help->isVisible());

    // Links and the back command move between topics.
    help->browser->setSource(help->browser->source().resolved(QUrl("3310.html")));
    EXPECT_EQ(help->topic(), 3310);
    help->aBack->trigger();
    EXPECT_EQ(help->topic(), 2200);

    m_help->Quit();
    EXPECT_TRUE(m_viewer->windows().isEmpty());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TfrmHelpWindow*>(w) && w->isVisible());
}

TEST_F(HelpTest, TheEndOfTheProgramClosesTheHelpWindows) {
    m_help->HelpContext(3100);
    ASSERT_NE(onlyWindow(), nullptr);
    m_form.reset();
    EXPECT_TRUE(m_viewer->windows().isEmpty());
}

TEST_F(HelpTest, ATopicWithoutAPageIsReportedInTheHelpWindow) {
    m_help->HelpContext(4242);
    TfrmHelpWindow* help = onlyWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->topicMissing());
    EXPECT_EQ(help->topic(), 4242);
    EXPECT_TRUE(help->browser->toPlainText().contains("4242"));
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(HelpTest, HelpCommandsOtherThanTopicsAndQuitGoBackToTheFramework) {
    EXPECT_FALSE(m_help->HelpCommand(THookHelpSystem::HELP_SETPOPUP_POS, (40 << 16) | 120));
    EXPECT_EQ(m_help->popupPosition(), QPoint(120, 40));
    EXPECT_TRUE(m_help->HelpCommand(3 /* index */, 0));
    EXPECT_TRUE(m_viewer->windows().isEmpty());
    EXPECT_FALSE(m_help->HelpCommand(THookHelpSystem::HELP_CONTEXTPOPUP, 3500));
    ASSERT_NE(onlyWindow(), nullptr);
    EXPECT_EQ(onlyWindow()->topic(), 3500);
}

TEST_F(HelpKitTest, WithoutTheHelpBundleTheHelpWindowSaysSo) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_form->bHelpClick();
        QTest::keyClick(m_form->bHelp, Qt::Key_F1);
    }
    EXPECT_TRUE(m_messages.shown().isEmpty()) << m_messages.texts().join('|').toStdString();
    const QList<TfrmHelpWindow*> windows = m_viewer->windows();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.first()->isVisible());
    EXPECT_TRUE(windows.first()->topicMissing());
    const QString text = windows.first()->browser->toPlainText();
    EXPECT_TRUE(text.contains("Nie można otworzyć pliku pomocy")) << text.toStdString();
    EXPECT_TRUE(text.contains("kolmasyst.help")) << text.toStdString();
}

TEST_F(HelpKitTest, DiagnosticLogOnlyWhenAskedFor) {
    struct Case {
        const char* name;
        QStringList arguments;
        bool switchFile;
        bool logged;
    };
    const Case cases[] = {
        {"nothing", {}, false, false},
        {"/debug", {"/debug"}, false, true},
        {"-DEBUG", {"2", "-DEBUG"}, false, true},
        {"debug.debug", {}, true, true},
        {"other argument", {"debug"}, false, false},
    };
    const QString log = m_dir.filePath("HHDebug.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        destroyForm();
        QFile::remove(log);
        QFile::remove(m_dir.filePath("debug.debug"));
        if (c.switchFile)
            TestSupport::writeFile(m_dir.filePath("debug.debug"), "");
        createForm(c.arguments);
        m_help->HelpContext(2200);
        m_help->Quit();
        ASSERT_EQ(QFile::exists(log), c.logged);
        if (!c.logged)
            continue;
        const QString text = QString::fromUtf8(TestSupport::readFile(log));
        // A header about the system and the program, then the calls with time stamps.
        EXPECT_TRUE(text.contains("Program: ")) << text.toStdString();
        EXPECT_TRUE(text.contains("System: "));
        EXPECT_TRUE(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}  HH_HELP_CONTEXT "
                                       "plik=kolmasyst.chm temat=2200")
                        .match(text)
                        .hasMatch())
            << text.toStdString();
        EXPECT_TRUE(text.contains("HH_CLOSE_ALL"));
        EXPECT_EQ(m_helpLog->fileName(), log);
    }
    QFile::remove(m_dir.filePath("debug.debug"));
}

TEST_F(HelpKitTest, DiagnosticLogGoesToTheTemporaryFolderWhenTheProgramsFolderCannotTakeIt) {
    // A folder in the way of the log file makes the programs' folder unwritable for it.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("HHDebug.txt"));
    const QString temporaryLog = QDir(QDir::tempPath()).filePath("HHDebug.txt");
    createForm({"/debug"});
    EXPECT_EQ(m_helpLog->fileName(), temporaryLog);
    m_help->HelpContext(3000);
    EXPECT_TRUE(QString::fromUtf8(TestSupport::readFile(temporaryLog)).contains("temat=3000"));
    destroyForm();
    QFile::remove(temporaryLog);
}

} // namespace
