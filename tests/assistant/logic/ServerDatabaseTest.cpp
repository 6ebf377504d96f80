#include "FirebirdServer.h"
#include "MainFormFixture.h"
#include "MyIniFile.h"
#include "widgets/TBitBtnWithColor.h"
#include "widgets/TOwnerDrawnMenu.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

using namespace kolmasyst;

namespace {

// The assistant on a workstation whose databases are on a Firebird server, reached by name and
// by address.
class ServerDatabaseTest : public MainFormFixture {
protected:
    void SetUp() override {
        m_server = std::make_unique<FirebirdServer>();
        m_server->start();
        MainFormFixture::SetUp();
        TestSupport::createDatabase(m_server->dataFolder(), "centrala.fdb");
        TestSupport::createDatabase(m_server->dataFolder(), "oddzial.fdb");
        TestSupport::addAlias(m_dir.path(), "centrala", m_server->serverName("centrala.fdb"));
        TestSupport::addAlias(m_dir.path(), "oddzial", m_server->serverName("oddzial.fdb", "127.0.0.1"));
        TestSupport::writeFile(m_dir.filePath("brel.ini"),
                               "[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Lokalna\n"
                               "ALIAS.centrala.Str=Centrala\nALIAS.oddzial.Str=Oddzial\n");
    }
    void TearDown() override {
        MainFormFixture::TearDown();
        m_server.reset();
    }
    // How the active connection reaches its database, and which database it is.
    QString protocol() {
        SqlQuery q(m_app->karty().GetDatabase());
        q.prepare("SELECT A.MON$REMOTE_PROTOCOL AS P, D.MON$DATABASE_NAME AS N FROM MON$ATTACHMENTS A "
                  "CROSS JOIN MON$DATABASE D WHERE A.MON$ATTACHMENT_ID = CURRENT_CONNECTION");
        q.open();
        const QString out =
            q.fieldText("P").trimmed() + " " + QFileInfo(q.fieldText("N").trimmed()).fileName();
        q.close();
        return out;
    }
    QAction* menuItem(const QString& alias) {
        for (QAction* a : m_form->mWybBazyMenu->actions())
            if (a->data().toString() == alias)
                return a;
        return nullptr;
    }
    std::unique_ptr<FirebirdServer> m_server;
};

TEST_F(ServerDatabaseTest, UsersLogInAndSwitchDatabasesThroughTheServer) {
    TfrmMainForm& f = *m_form;
    f.pTimerTimer();
    QAction* centrala = menuItem("centrala");
    QAction* oddzial = menuItem("oddzial");
    ASSERT_TRUE(centrala && oddzial);

    // Nobody logged in: each switch goes through at once. The user has an account in both
    // databases, with another password in each.
    oddzial->trigger();
    ASSERT_EQ(f.AktywnyAlias(), "oddzial") << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(protocol(), "TCPv4 oddzial.fdb");
    exec("INSERT INTO OPARAM (ID, POLITYKAHASEL) VALUES (1, 0)");
    addUser(17, "jan", storedHash("Inne123!"));
    centrala->trigger();
    ASSERT_EQ(f.AktywnyAlias(), "centrala");
    EXPECT_EQ(protocol(), "TCPv4 centrala.fdb");
    exec("INSERT INTO OPARAM (ID, POLITYKAHASEL) VALUES (1, 0)");
    addUser(17, "jan", storedHash("Dobre123!"));

    // Logging in checks the password kept on the server: a wrong one is refused in the dialog.
    int refusals = -1;
    whenLoginShown([&](TfrmLogowanie& d) {
        d.eNazwa->setText("jan");
        d.eHaslo->setText("zle");
        QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
        refusals = m_messages.shown().size();
        QTest::mouseClick(d.BitBtn2, Qt::LeftButton);
    });
    f.mLogo->trigger();
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(m_session->UserId(), 0);
    m_messages.clear();
    answerLogin("jan", "Dobre123!");
    f.mLogo->trigger();
    EXPECT_EQ(m_session->UserId(), 17) << m_messages.texts().join('|').toStdString();

    // Switching while logged in asks for the login of the other database.
    answerLogin("jan", "Inne123!");
    oddzial->trigger();
    EXPECT_EQ(f.AktywnyAlias(), "oddzial");
    EXPECT_EQ(TMyIniFile(m_dir.filePath("brel.ini")).ReadAliasName(), "oddzial");
    EXPECT_EQ(m_session->UserPassword(), "Inne123!");
    EXPECT_EQ(protocol(), "TCPv4 oddzial.fdb");
    EXPECT_TRUE(oddzial->isChecked());
}

TEST_F(ServerDatabaseTest, AStoppedServerIsSaidAndTheAssistantKeepsItsDatabase) {
    TfrmMainForm& f = *m_form;
    f.pTimerTimer();
    m_server->kill();
    menuItem("centrala")->trigger();
    EXPECT_EQ(f.AktywnyAlias(), "firma");
    EXPECT_EQ(TMyIniFile(m_dir.filePath("brel.ini")).ReadAliasName(), "firma");
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.shown()[0].text.contains("Brak dostępu do bazy danych"))
        << m_messages.texts().join('|').toStdString();
    EXPECT_FALSE(m_app->endRequested());
    EXPECT_EQ(protocol(), " test.fdb") << "still the local database, embedded";
}

} // namespace
