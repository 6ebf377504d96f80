#include "logic/ModuleLauncher.h"
#include "MainFormFixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTest>

using namespace kolmasyst;

namespace {

TEST(ModuleLauncherTest, CommandLines) {
    struct Case {
        const char* configArgument;
        const char* executable;
        int userId;
        const char* expected;
    };
    const Case cases[] = {
        {"", "kolmryz.exe ", 17, "kolmryz.exe 0 17"}, {"", "kolmryz.exe ", 0, "kolmryz.exe 0 "},
        {"3", "kolmryz.exe ", 0, "kolmryz.exe 3 "},   {"2", "kolmadmin.exe ", 5, "kolmadmin.exe 2 5"},
        {"2", "kolmdob.exe ", 0, "kolmdob.exe 2 "},   {"9", "kolmbhp.exe ", 123456, "kolmbhp.exe 9 123456"},
    };
    for (const Case& c : cases) {
        const ModuleLauncher launcher("/nowhere", c.configArgument);
        EXPECT_EQ(launcher.commandLine(c.executable, c.userId), c.expected) << c.expected;
    }
}

TEST(ModuleLauncherTest, TheFiveModulesAndTheWindowClasses) {
    const QVector<ModuleLauncher::Module>& m = ModuleLauncher::modules();
    ASSERT_EQ(m.size(), 5);
    const char* expected[][3] = {{"kolmAdm", "Administracja", "kolmadmin.exe "},
                                 {"kolm", "Ryzyko", "kolmryz.exe "},
                                 {"kolmWyp", "Wypadki", "kolmwyp.exe "},
                                 {"kolmBHP", "BHP", "kolmbhp.exe "},
                                 {"kolmDob", "Dobór", "kolmdob.exe "}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(m[i].component, expected[i][0]);
        EXPECT_EQ(m[i].caption, QString::fromUtf8(expected[i][1]));
        EXPECT_EQ(m[i].executable, expected[i][2]);
    }
    EXPECT_EQ(ModuleLauncher::ModuleWindowClasses, (QStringList{"TfrmStanowiska", "TRejestrWypForm"}));
}

class ModuleStartTest : public MainFormFixture {
protected:
    // Puts a stand-in module under this name into folder.
    static void installModule(const QString& folder, const QString& name) {
        const QString target = QDir(folder).filePath(name);
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(KOLM_FAKE_MODULE, target));
        QFile::setPermissions(target, QFile::permissions(KOLM_FAKE_MODULE));
    }
    // What the stand-in recorded: its current folder, then its arguments; empty when it did
    // not run within the time.
    static QStringList recorded(const QString& folder, const QString& name, int timeoutMs = 5000) {
        const QString file = QDir(folder).filePath(name + ".args");
        QDeadlineTimer deadline(timeoutMs);
        while (!QFileInfo::exists(file) && !deadline.hasExpired())
            QTest::qWait(10);
        QStringList lines = QString::fromLocal8Bit(TestSupport::readFile(file)).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
};

TEST_F(ModuleStartTest, EveryMenuItemStartsItsModuleWithTheConfigurationAndTheUser) {
    const QStringList names{"kolmadmin", "kolmryz", "kolmwyp", "kolmbhp", "kolmdob"};
    for (const QString& name : names)
        installModule(m_dir.path(), name);
    addUser(17, "jan", storedHash("Dobre123!"));
    ASSERT_EQ(m_session->CheckLogin("jan", "Dobre123!"), LoginSession::Outcome::LoggedIn);

    const QList<QAction*> items = m_form->modkolm->menu()->actions();
    ASSERT_EQ(items.size(), 5);
    for (int i = 0; i < 5; ++i) {
        items[i]->trigger();
        EXPECT_EQ(recorded(m_dir.path(), names[i]),
                  (QStringList{"cwd=" + QDir::currentPath(), "argc=2", "0", "17"}))
            << names[i].toStdString();
    }
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(ModuleStartTest, NobodyLoggedInGivesTheConfigurationArgumentOnly) {
    installModule(m_dir.path(), "kolmryz");
    m_form->kolm->trigger();
    EXPECT_EQ(recorded(m_dir.path(), "kolmryz").mid(1), (QStringList{"argc=1", "0"}));
}

TEST_F(ModuleStartTest, TheAssistantsConfigurationDigitGoesToEveryModule) {
    TestSupport::writeFile(m_dir.filePath("brel_2.ini"), "[Database]\nAliasName=firma\n");
    AppContext context(m_dir.path(), {"2"}, m_messages);
    LoginSession session(context.karty(), m_messages, m_clock);
    TfrmLogowanie login(session, m_messages);
    TfrmMainForm form(context, login, *m_help);
    installModule(m_dir.path(), "kolmbhp");
    installModule(m_dir.path(), "kolmdob");
    form.kolmBHP->trigger();
    form.kolmDob->trigger();
    EXPECT_EQ(recorded(m_dir.path(), "kolmbhp").mid(1), (QStringList{"argc=1", "2"}));
    EXPECT_EQ(recorded(m_dir.path(), "kolmdob").mid(1), (QStringList{"argc=1", "2"}));
}

TEST_F(ModuleStartTest, AModuleThatCannotStartIsSaidAndTheSearchPathIsTheFallback) {
    // Not in the programs' folder and not on the search path: said, with where it was looked for.
    m_form->kolmWyp->trigger();
    ASSERT_EQ(m_messages.texts().size(), 1);
    EXPECT_EQ(m_messages.texts().first(),
              "Nie znaleziono programu kolmwyp w folderze " + m_dir.path() + " ani na ścieżce PATH.");
    EXPECT_FALSE(m_form->isVisible());
    // A file that is no program: said, with the system's reason.
    TestSupport::writeFile(m_dir.filePath("kolmdob"), "to nie jest program\n");
    QFile::setPermissions(m_dir.filePath("kolmdob"), QFile::permissions(KOLM_FAKE_MODULE));
    m_form->kolmDob->trigger();
    ASSERT_EQ(m_messages.texts().size(), 2);
    EXPECT_TRUE(m_messages.texts().last().startsWith("Nie można uruchomić programu " +
                                                     m_dir.filePath("kolmdob") + ". "))
        << m_messages.texts().last().toStdString();
    m_messages.clear();

    // Found on the search path when the programs' folder lacks it.
    QTemporaryDir elsewhere;
    installModule(elsewhere.path(), "kolmwyp");
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", elsewhere.path().toLocal8Bit() + ":" + oldPath);
    m_form->kolmWyp->trigger();
    qputenv("PATH", oldPath);
    EXPECT_EQ(recorded(elsewhere.path(), "kolmwyp").mid(1), (QStringList{"argc=1", "0"}));

    // The programs' folder comes first.
    installModule(m_dir.path(), "kolmwyp");
    QFile::remove(QDir(elsewhere.path()).filePath("kolmwyp.args"));
    qputenv("PATH", elsewhere.path().toLocal8Bit() + ":" + oldPath);
    m_form->kolmWyp->trigger();
    qputenv("PATH", oldPath);
    EXPECT_FALSE(recorded(m_dir.path(), "kolmwyp").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir(elsewhere.path()).filePath("kolmwyp.args")));
    EXPECT_TRUE(m_messages.shown().isEmpty()) << "started modules are not talked about";
}

} // namespace
