#include "AliasRegistry.h"
#include "Errors.h"
#include "MainFormFixture.h"
#include "SilentServer.h"
#include "Win1250.h"
#include "logic/AliasNameModel.h"
#include "logic/DatabaseSwitch.h"
#include "widgets/ListBoxScrollWidth.h"
#include "widgets/TBitBtnWithColor.h"
#include "widgets/TOwnerDrawnMenu.h"
#include "windows/TfrmAliasName.h"
#include "windows/TfrmChangeDB.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <csignal>

using namespace kolmasyst;

namespace {

// A programs' folder with an alias registry of several kinds of aliases and a configuration
// that lists some of them, garbage lines included.
class AliasNameTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        m_second = TestSupport::createDatabase(m_dir.path(), "drugi.fdb");
        TestSupport::addAlias(m_dir.path(), "drugi", m_second);
        TestSupport::addAlias(m_dir.path(), "IBLocal", m_second);
        TestSupport::addAlias(m_dir.path(), "obca", m_second, "MSSQL");
        TestSupport::addAlias(m_dir.path(), QString::fromUtf8("łódź"), m_dir.filePath("nie-ma.fdb"));
        writeIni(QString::fromUtf8("[Database]\nAliasName=firma\n; uwaga\n[AliasDatabases]\n"
                                   "ALIAS.firma.Str=Firma główna\nALIAS.zniknela.Str=Usunięta\n"
                                   "ALIAS.obca.Str=Obca\nALIAS.drugi.Str=Druga\nśmieci\n"
                                   "[PathDatabases]\nPATH.firma.Str=/srv/kolm\nASYST.firma.Str=/srv/raporty\n"
                                   "BACKUP.firma.Str=/srv/kopie\nPATH.zniknela.Str=/x\n[Inne]\nA=1\n"));
    }
    QString ini() const { return m_dir.filePath("brel.ini"); }
    // The configuration file is Windows-1250 text.
    void writeIni(const QString& text) { TestSupport::writeFile(ini(), Win1250::encode(text)); }
    QString readIni() const { return Win1250::decode(TestSupport::readFile(ini())); }
    QString registry() const { return m_dir.filePath("aliases.ini"); }
    TfrmAliasName& dialog() {
        TfrmAliasName& d = *m_form->aliasDialog();
        d.show();
        return d;
    }
    static void pick(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.first());
        found.first()->setSelected(true);
    }
    QStringList texts(const QListWidget* list) const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QString m_second;
};

TEST_F(AliasNameTest, TheListsShowInterBaseAliasesAndTheUsedDatabasesTheEngineKnows) {
    TfrmAliasName& d = dialog();
    EXPECT_EQ(texts(d.lbAliasName), (QStringList{"drugi", "firma", QString::fromUtf8("łódź")}));
    EXPECT_EQ(texts(d.lbWybAliasName), (QStringList{"drugi", "firma"}));
    EXPECT_EQ(d.eWybAlias->text(), "firma");
    EXPECT_FALSE(m_app->karty().exists()) << "the shared connection stays closed while the dialog is open";
    EXPECT_EQ(d.lbAliasName->property("scrollWidth").toInt(), ListBoxScrollWidth(d.lbAliasName));
    EXPECT_GT(ListBoxScrollWidth(d.lbAliasName), 28);

    pick(d.lbWybAliasName, "firma");
    d.lbWybAliasNameClick();
    EXPECT_EQ(d.eAlias->text(), "firma");
    EXPECT_EQ(d.eBase->text(), m_db);
    EXPECT_EQ(d.eOpisBazy->text(), QString::fromUtf8("Firma główna"));
    EXPECT_EQ(d.ePath->text(), "/srv/kolm");
    EXPECT_EQ(d.eLokAsys->text(), "/srv/raporty");
    EXPECT_EQ(d.eLokBackup->text(), "/srv/kopie");
    EXPECT_FALSE(d.ePath->isHidden());
    pick(d.lbAliasName, "drugi");
    d.lbAliasNameClick();
    EXPECT_EQ(d.eBase->text(), m_second);
    EXPECT_TRUE(d.ePath->isHidden());
    EXPECT_EQ(d.WybranyAlias(), "drugi");
    d.reject();
}

TEST_F(AliasNameTest, KeysPickLikeClicksEditsGoToTheShownDatabaseAndEscSaves) {
    TfrmAliasName& d = *m_form->aliasDialog();
    d.chooseFolder = [](const QString&) { return QStringLiteral("/srv/nowe-raporty"); };
    whenModal(&d, [&] {
        // Down the used list with the keys: each pick fills the fields as a click would.
        d.lbWybAliasName->setFocus();
        QTest::keyClick(d.lbWybAliasName, Qt::Key_Home);
        EXPECT_EQ(d.eAlias->text(), "drugi");
        EXPECT_EQ(d.eOpisBazy->text(), "Druga");
        QTest::keyClick(d.lbWybAliasName, Qt::Key_Down);
        EXPECT_EQ(d.eAlias->text(), "firma");
        EXPECT_EQ(d.ePath->text(), "/srv/kolm");
        // Typed into the description, then back to the list: firma's description changes.
        d.eOpisBazy->setFocus();
        d.eOpisBazy->selectAll();
        QTest::keyClicks(d.eOpisBazy, "Nowy opis");
        d.lbWybAliasName->setFocus();
        // The folder chooser changes the database shown, firma.
        d.btRap->click();
        EXPECT_EQ(d.eLokAsys->text(), "/srv/nowe-raporty");
        // Up to drugi: its fields, untouched by the edits of firma.
        QTest::keyClick(d.lbWybAliasName, Qt::Key_Up);
        EXPECT_EQ(d.eAlias->text(), "drugi");
        EXPECT_EQ(d.eOpisBazy->text(), "Druga");
        EXPECT_EQ(d.eLokAsys->text(), "");
        // Esc: saved and closed like "Zamknij".
        QTest::keyClick(d.lbWybAliasName, Qt::Key_Escape);
    });
    m_form->mConfBaseClick();
    EXPECT_FALSE(d.isVisible());
    const QString saved = readIni();
    EXPECT_TRUE(saved.contains("ALIAS.firma.Str=Nowy opis")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("ASYST.firma.Str=/srv/nowe-raporty")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("ALIAS.drugi.Str=Druga")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("ASYST.drugi.Str=\n")) << saved.toStdString();
}

TEST_F(AliasNameTest, TheCloseControlAsksBeforeChangesAreDropped) {
    TfrmAliasName& d = *m_form->aliasDialog();
    const QString before = readIni();
    // No change: closed without a question.
    whenModal(&d, [&] { d.close(); });
    m_form->mConfBaseClick();
    EXPECT_TRUE(m_messages.shown().isEmpty());
    struct Case {
        bool save;
        const char* description;
    };
    for (const Case& c : {Case{false, "Porzucony"}, Case{true, "Zapisany"}}) {
        SCOPED_TRACE(c.description);
        m_messages.clear();
        m_messages.answerNext(c.save);
        whenModal(&d, [&] {
            pick(d.lbWybAliasName, "firma");
            d.lbWybAliasNameClick();
            d.eOpisBazy->setText(c.description);
            d.close();
        });
        m_form->mConfBaseClick();
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_EQ(m_messages.shown()[0].text, TfrmAliasName::SaveQuestion);
        EXPECT_EQ(readIni().contains(QString("ALIAS.firma.Str=") + c.description), c.save);
    }
    EXPECT_NE(readIni(), before);
}

TEST_F(AliasNameTest, TheListsSortInPolishOrder) {
    for (const char* alias : {"zakład", "Alfa", "ćma", "cel"})
        TestSupport::addAlias(m_dir.path(), QString::fromUtf8(alias), m_second);
    TfrmAliasName& d = dialog();
    EXPECT_EQ(texts(d.lbAliasName), (QStringList{"Alfa", "cel", QString::fromUtf8("ćma"), "drugi", "firma",
                                                 QString::fromUtf8("łódź"), QString::fromUtf8("zakład")}));
    d.reject();
}

TEST_F(AliasNameTest, ClosingWritesTheUsedDatabasesInListOrderInOneUpdate) {
    TfrmAliasName& d = dialog();
    pick(d.lbWybAliasName, "drugi");
    d.lbWybAliasNameClick();
    // The description field takes 32 characters.
    d.eOpisBazy->setText(QString::fromUtf8("Zakład w Łodzi, opis dłuższy niż trzydzieści dwa znaki"));
    d.eOpisBazyExit();
    d.ePath->setText("/srv/drugi");
    d.ePathExit();
    d.eLokAsys->setText(QString::fromUtf8("/srv/raporty/łódź"));
    d.bWyborClick();
    EXPECT_EQ(d.eWybAlias->text(), "drugi");
    d.bEndClick();
    const QString description =
        QString::fromUtf8("Zakład w Łodzi, opis dłuższy niż trzydzieści dwa znaki").left(32);
    EXPECT_EQ(readIni(),
              QString::fromUtf8("[Database]\nAliasName=drugi\n; uwaga\n[AliasDatabases]\nśmieci\n"
                                "ALIAS.drugi.Str=%1\nALIAS.firma.Str=Firma główna\n[PathDatabases]\n"
                                "PATH.drugi.Str=/srv/drugi\nASYST.drugi.Str=/srv/raporty/łódź\n"
                                "BACKUP.drugi.Str=\nPATH.firma.Str=/srv/kolm\n"
                                "ASYST.firma.Str=/srv/raporty\nBACKUP.firma.Str=/srv/kopie\n"
                                "[Inne]\nA=1\n[SavedSettings]\nGLOBAL.path.Str=/srv/drugi/drugi.fdb\n")
                  .arg(description));
    EXPECT_EQ(m_form->AktywnyAlias(), "drugi");
    EXPECT_EQ(m_app->karty().GetDatabase().connectionName(), "drugi");
    EXPECT_TRUE(m_app->karty().GetDatabase().isOpen());
    EXPECT_TRUE(m_messages.shown().isEmpty()) << m_messages.texts().join('|').toStdString();
}

TEST_F(AliasNameTest, AChosenDatabaseThatCannotBeOpenedKeepsThePreviousOne) {
    TfrmAliasName& d = dialog();
    pick(d.lbAliasName, QString::fromUtf8("łódź"));
    d.bAliasDodClick();
    pick(d.lbWybAliasName, QString::fromUtf8("łódź"));
    d.lbWybAliasNameClick();
    d.bWyborClick();
    const QByteArray before = TestSupport::readFile(ini());
    d.bEndClick();
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.shown()[0].text.startsWith(SharedConnection::AccessMessage));
    EXPECT_TRUE(m_messages.shown()[0].text.contains("nie-ma.fdb"))
        << m_messages.texts().join('|').toStdString();
    const TMyIniFile settings(ini());
    EXPECT_EQ(settings.ReadAliasName(), "firma");
    EXPECT_EQ(settings.ReadSavedSetting("GLOBAL", "path"), TMyIniFile::Missing);
    QStringList used;
    settings.ReadAliasDatabases(used);
    EXPECT_EQ(used.size(), 3) << "the used list itself was saved";
    EXPECT_EQ(m_form->AktywnyAlias(), "firma");
    EXPECT_FALSE(m_app->endRequested());
    EXPECT_EQ(m_app->karty().GetDatabase().connectionName(), "firma");
    EXPECT_TRUE(m_app->karty().GetDatabase().isOpen());
    EXPECT_NE(before, TestSupport::readFile(ini()));
}

TEST_F(AliasNameTest, EngineAliasesAreAddedModifiedAndRemoved) {
    TfrmAliasName& d = dialog();
    const QString third = TestSupport::createDatabase(m_dir.path(), QString::fromUtf8("trzecia.fdb"));
    d.chooseDatabaseFile = [&] { return third; };
    d.eAlias->setText(QString::fromUtf8("trzecia_ź"));
    d.eAliasExit();
    d.btWybierzClick();
    EXPECT_EQ(d.eBase->text(), third);
    EXPECT_EQ(d.ePath->text(), m_dir.path());
    d.bDodajClick();
    EXPECT_TRUE(texts(d.lbAliasName).contains(QString::fromUtf8("trzecia_ź")));
    const AliasRegistry reg(registry());
    EXPECT_EQ(reg.parameters(QString::fromUtf8("trzecia_ź")),
              (QStringList{"SERVER NAME=" + third, "USER NAME=BREL", "LANGDRIVER=anpolish"}));

    // Modify after picking; a name retyped after picking does nothing.
    pick(d.lbAliasName, QString::fromUtf8("trzecia_ź"));
    d.lbAliasNameClick();
    d.eBase->setText(m_second);
    m_messages.answerNext(true);
    d.bModyfClick();
    EXPECT_EQ(AliasRegistry(registry()).parameter(QString::fromUtf8("trzecia_ź"), "SERVER NAME"), m_second);
    d.eAlias->setText("drugi");
    d.eAliasExit();
    const QByteArray registryBefore = TestSupport::readFile(registry());
    d.bModyfClick();
    d.bUsunClick();
    EXPECT_EQ(TestSupport::readFile(registry()), registryBefore);

    // The chosen database's alias cannot go.
    pick(d.lbAliasName, "firma");
    d.lbAliasNameClick();
    m_messages.clear();
    d.bUsunClick();
    EXPECT_EQ(m_messages.texts(), QStringList{AliasNameModel::CannotRemoveChosenMessage});
    pick(d.lbWybAliasName, "firma");
    m_messages.clear();
    d.bAliasUsunClick();
    EXPECT_EQ(m_messages.texts(), QStringList{AliasNameModel::CannotRemoveChosenMessage});

    // Another one goes from the registry and from the used list; No keeps it.
    pick(d.lbAliasName, "drugi");
    d.lbAliasNameClick();
    m_messages.answerNext(false);
    d.bUsunClick();
    EXPECT_TRUE(texts(d.lbAliasName).contains("drugi"));
    m_messages.answerNext(true);
    d.bUsunClick();
    EXPECT_FALSE(texts(d.lbAliasName).contains("drugi"));
    EXPECT_FALSE(texts(d.lbWybAliasName).contains("drugi"));
    EXPECT_TRUE(AliasRegistry(registry()).resolve("drugi").isEmpty());
    EXPECT_EQ(d.eAlias->text(), "");
    d.reject();
}

TEST_F(AliasNameTest, AliasNamesThatWouldBreakTheRegistryAreRefusedWithNothingWritten) {
    TfrmAliasName& d = dialog();
    const QByteArray before = TestSupport::readFile(registry());
    const QString names[] = {"",       " nowa",  "nowa ",
                             "no[wa",  "no]wa",  "no=wa",
                             "no\nwa", "no\rwa", QString("no") + QChar(1) + "wa",
                             "FIRMA",  "no/wa",  "..",
                             "no\\wa"};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        m_messages.clear();
        d.eAlias->setText(name);
        d.eBase->setText(m_second);
        d.bDodajClick();
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_FALSE(m_messages.shown()[0].text.isEmpty());
        EXPECT_EQ(TestSupport::readFile(registry()), before);
    }
    // The same name again: nothing at all, as the engine would.
    m_messages.clear();
    d.eAlias->setText("firma");
    d.bDodajClick();
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_EQ(TestSupport::readFile(registry()), before);
    // A server name with a line break would add a line to the registry.
    d.eAlias->setText("nowa");
    d.eBase->setText("/srv/a.fdb\n[firma]");
    d.bDodajClick();
    EXPECT_EQ(TestSupport::readFile(registry()), before);
    d.reject();
}

TEST_F(AliasNameTest, TheConnectionTestSaysWhetherTheDatabaseAnswers) {
    TfrmAliasName& d = dialog();
    TestSupport::writeFile(m_dir.filePath("tekst.fdb"), "to nie jest baza danych");
    TestSupport::addAlias(m_dir.path(), "tekst", m_dir.filePath("tekst.fdb"));
    SilentServer server;
    TestSupport::addAlias(m_dir.path(), "cichy",
                          QString("127.0.0.1/%1:/srv/kolm/firma.fdb").arg(server.port()));
    d.testTimeoutSeconds = 2;
    struct Case {
        const char* alias;
        QString message;
    };
    const Case cases[] = {
        {"drugi", AliasNameModel::ConnectedMessage},
        {"zadna", AliasNameModel::NoConnectionMessage},
        {"tekst", AliasNameModel::NoConnectionMessage},
        {"cichy", AliasNameModel::NoConnectionMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alias);
        m_messages.clear();
        d.eAlias->setText(c.alias);
        int ticks = 0;
        bool waitingShown = false;
        QTimer painter;
        QObject::connect(&painter, &QTimer::timeout, [&] {
            ++ticks;
            waitingShown = waitingShown || (m_form->changeNotice().isVisible() && !d.bTest->isEnabled());
        });
        painter.start(100);
        QElapsedTimer timer;
        timer.start();
        d.bTestClick();
        const qint64 ms = timer.elapsed();
        ASSERT_EQ(m_messages.texts().size(), 1);
        EXPECT_TRUE(m_messages.texts().first().startsWith(c.message))
            << m_messages.texts().first().toStdString();
        if (c.message == AliasNameModel::NoConnectionMessage) {
            EXPECT_GT(m_messages.texts().first().size(), c.message.size() + 5) << "with the engine's reason";
        }
        if (QString(c.alias) == "cichy") {
            std::printf("the silent server was given up after %lld ms\n", static_cast<long long>(ms));
            EXPECT_GE(ticks, 5) << "the window went on with its events while the test waited";
            EXPECT_TRUE(waitingShown) << "the notice said that the test waits";
            EXPECT_FALSE(m_form->changeNotice().isVisible());
        }
    }
    EXPECT_EQ(AliasNameModel::TestTimeoutSeconds, 10);
    d.reject();
}

TEST_F(AliasNameTest, AKillDuringClosingLeavesTheOldOrTheNewConfigurationNeverAMix) {
    QProcess helper;
    for (int round = 0; round < 12; ++round) {
        helper.start(TestSupport::helperPath(), {"alias-save", m_dir.path()});
        ASSERT_TRUE(helper.waitForReadyRead(10000));
        QThread::msleep(TestSupport::random().bounded(1, 60));
        ::kill(pid_t(helper.processId()), SIGKILL);
        helper.waitForFinished();
        const TMyIniFile settings(ini());
        QStringList used, paths;
        settings.ReadAliasDatabases(used);
        settings.ReadPathDatabases(paths);
        const bool older = used == QStringList{"ALIAS.drugi.Str=stary", "ALIAS.firma.Str=stary"};
        const bool newer = used == QStringList{"ALIAS.drugi.Str=nowy", "ALIAS.firma.Str=nowy"};
        const bool first = used == QStringList{QString::fromUtf8("ALIAS.firma.Str=Firma główna"),
                                               QString::fromUtf8("ALIAS.zniknela.Str=Usunięta"),
                                               "ALIAS.obca.Str=Obca", "ALIAS.drugi.Str=Druga"};
        EXPECT_TRUE(older || newer || first) << used.join('|').toStdString();
        if (!first) {
            EXPECT_EQ(paths.size(), 6) << paths.join('|').toStdString();
        }
        EXPECT_EQ(settings.ReadAliasName(), "firma");
    }
}

TEST_F(AliasNameTest, TheMenuSwitchesTheActiveDatabaseAndUndoesARefusedLogin) {
    TfrmMainForm& f = *m_form;
    f.pTimerTimer(); // the first tick: the active alias and the database submenu
    const QList<QAction*> items = f.mWybBazyMenu->actions();
    ASSERT_EQ(items.size(), 4) << "Konfiguracja, separator, drugi and firma";
    EXPECT_EQ(TOwnerDrawnMenu::drawnText(items[2]), QString::fromUtf8("firma - Firma główna"));
    EXPECT_EQ(TOwnerDrawnMenu::drawnText(items[3]), "drugi - Druga");
    EXPECT_TRUE(items[2]->isChecked());
    EXPECT_EQ(f.mWybBazyMenu->itemKind(items[3]), TOwnerDrawnMenu::ItemKind::Database);

    // Nobody logged in: the switch goes through at once.
    items[3]->trigger();
    EXPECT_EQ(f.AktywnyAlias(), "drugi");
    EXPECT_EQ(TMyIniFile(ini()).ReadAliasName(), "drugi");
    EXPECT_EQ(m_app->karty().GetDatabase().connectionName(), "drugi");
    EXPECT_TRUE(items[3]->isChecked());
    EXPECT_FALSE(items[2]->isChecked());

    // The user has an account in both databases, with another password in the second.
    addUser(17, "jan", storedHash("Inne123!"));
    items[2]->trigger();
    addUser(17, "jan", storedHash("Dobre123!"));
    m_session->LoadUserRights("jan");
    m_login->eHaslo->setText("Dobre123!");
    m_session->setUserPassword("Dobre123!");

    // Logged in with its password, the user must log in again there; refusing undoes the switch.
    answerLogin(QString(), QString(), false);
    items[3]->trigger();
    EXPECT_EQ(f.AktywnyAlias(), "firma");
    EXPECT_EQ(TMyIniFile(ini()).ReadAliasName(), "firma");
    EXPECT_EQ(m_session->UserPassword(), "Dobre123!");
    EXPECT_EQ(m_login->eHaslo->text(), "Dobre123!");
    EXPECT_TRUE(items[2]->isChecked());
    EXPECT_FALSE(m_app->karty().exists()) << "the next use opens the previous database again";
    EXPECT_EQ(m_app->karty().GetDatabase().connectionName(), "firma");

    // Logging in there completes it.
    answerLogin("jan", "Inne123!");
    items[3]->trigger();
    EXPECT_EQ(f.AktywnyAlias(), "drugi");
    EXPECT_EQ(TMyIniFile(ini()).ReadAliasName(), "drugi");
    EXPECT_EQ(m_session->UserPassword(), "Inne123!");
    EXPECT_TRUE(items[3]->isChecked());
    EXPECT_TRUE(m_messages.shown().isEmpty()) << m_messages.texts().join('|').toStdString();

    // "Konfiguracja bazy danych" opens the dialog; the submenu is hidden meanwhile and rebuilt after.
    bool hiddenMeanwhile = false;
    whenModal(f.aliasDialog(), [&] {
        hiddenMeanwhile = !f.mWybBazy->isVisible();
        f.aliasDialog()->bEndClick();
    });
    f.mConfBaseClick();
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(f.mWybBazy->isVisible());
    // Saved in list order now: drugi first.
    ASSERT_EQ(f.mWybBazyMenu->actions().size(), 4);
    EXPECT_EQ(f.mWybBazyMenu->actions()[2]->data().toString(), "drugi");
    EXPECT_TRUE(f.mWybBazyMenu->actions()[2]->isChecked()) << "drugi stays active";
    EXPECT_FALSE(f.mWybBazyMenu->actions()[3]->isChecked());
}

TEST_F(AliasNameTest, ASwitchToADatabaseThatCannotBeOpenedKeepsThePreviousOneRunning) {
    writeIni(readIni().replace("[PathDatabases]", QString::fromUtf8("ALIAS.łódź.Str=Z\n[PathDatabases]")));
    QString aktywny = "firma";
    DatabaseSwitch::Hooks hooks;
    bool moduleOpen = true;
    hooks.moduleWindowOpen = [&] { return moduleOpen; };
    DatabaseSwitch change(*m_app, *m_session, hooks);
    EXPECT_EQ(change.AliasClick(QString::fromUtf8("łódź"), aktywny), DatabaseSwitch::Outcome::Refused);
    EXPECT_EQ(m_messages.texts(), QStringList{DatabaseSwitch::ModuleRunningMessage});
    EXPECT_EQ(TMyIniFile(ini()).ReadAliasName(), "firma");

    moduleOpen = false;
    m_messages.clear();
    EXPECT_EQ(change.AliasClick(QString::fromUtf8("łódź"), aktywny), DatabaseSwitch::Outcome::Failed);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.shown()[0].text.contains("nie-ma.fdb"))
        << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(aktywny, "firma");
    EXPECT_EQ(TMyIniFile(ini()).ReadAliasName(), "firma");
    EXPECT_FALSE(m_app->endRequested());
    EXPECT_TRUE(m_app->karty().GetDatabase().isOpen());
    EXPECT_EQ(m_app->karty().GetDatabase().connectionName(), "firma");

    // The active one again: no reconnection, the access path refreshed.
    m_messages.clear();
    const int opened = m_app->karty().openCount();
    EXPECT_EQ(change.AliasClick("firma", aktywny), DatabaseSwitch::Outcome::Unchanged);
    EXPECT_EQ(m_app->karty().openCount(), opened);
    EXPECT_EQ(TMyIniFile(ini()).ReadSavedSetting("GLOBAL", "path"),
              "/srv/kolm/" + QFileInfo(m_db).fileName());
}

TEST(ChangeDbNoticeTest, TheNoticeShowsItsLinesWithoutATitleBar) {
    TfrmChangeDB notice;
    notice.showNotice(DatabaseSwitch::ChangingNotice, QString::fromUtf8("łódź"));
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.size(), QSize(271, 115));
    EXPECT_TRUE(notice.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(notice.lCzekaj->text(), QString::fromUtf8("Proszę czekać !!!"));
    EXPECT_EQ(notice.lAlias->text(), QString::fromUtf8("łódź"));
    EXPECT_EQ(notice.lAlias->palette().color(QPalette::WindowText), QColor(Qt::red));
    notice.closeNotice();
    EXPECT_FALSE(notice.isVisible());
}

} // namespace
