#include "AliasRegistry.h"
#include "AppContext.h"
#include "DbEngine.h"
#include "Errors.h"
#include "SharedConnection.h"
#include "SilentServer.h"
#include "SqlQuery.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_db = TestSupport::createDatabase(m_dir.path());
        TestSupport::addAlias(m_dir.path(), "firma", m_db);
        TestSupport::writeFile(m_dir.filePath("brel.ini"), "[Database]\nAliasName=firma\n");
    }
    QTemporaryDir m_dir;
    QString m_db;
};

TEST_F(DatabaseTest, SharedConnectionOpensOnceAndReopensAfterAliasChange) {
    const QString second = TestSupport::createDatabase(m_dir.path(), "second.fdb");
    TestSupport::addAlias(m_dir.path(), "magazyn", second);
    ScriptedMessages messages;
    AppContext app(m_dir.path(), {}, messages);
    SharedConnection& karty = app.karty();

    QSqlDatabase db = karty.GetDatabase();
    ASSERT_TRUE(db.isOpen());
    EXPECT_EQ(db.connectionName(), "firma");
    EXPECT_EQ(karty.GetDatabase().connectionName(), "firma");
    EXPECT_EQ(karty.openCount(), 1);
    SqlQuery::executeDirect(db, "INSERT INTO OPARAM (Id, PolitykaHasel) VALUES (1, 7)");
    db = QSqlDatabase();

    app.settings().WriteAliasName("magazyn");
    karty.CloseDatabase();
    {
        SqlQuery q(karty.GetDatabase());
        q.prepare("SELECT COUNT(*) AS N FROM OPARAM");
        q.open();
        EXPECT_EQ(q.fieldInt("N"), 0) << "the second database is a different file";
    }
    EXPECT_EQ(karty.openCount(), 2);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_FALSE(app.endRequested());
}

TEST_F(DatabaseTest, FailedOpenShowsEngineTextAndDoesNotRetry) {
    TestSupport::addAlias(m_dir.path(), "zgubiona", m_dir.filePath("nie-ma.fdb"));
    struct Case {
        const char* alias;
        const char* engineText;
    };
    const Case cases[] = {{"zgubiona", "nie-ma.fdb"}, {"nieznana", "nieznana"}};
    for (const Case& c : cases) {
        TestSupport::writeFile(m_dir.filePath("brel.ini"),
                               QByteArray("[Database]\nAliasName=") + c.alias + "\n");
        ScriptedMessages messages;
        AppContext app(m_dir.path(), {}, messages);
        EXPECT_FALSE(app.karty().GetDatabase().isOpen());
        ASSERT_EQ(messages.shown().size(), 1) << c.alias;
        const QString text = messages.shown().first().text;
        EXPECT_TRUE(text.startsWith("Brak dostępu do bazy danych; Skontaktuj się z administratorem \n\r"))
            << c.alias;
        EXPECT_TRUE(text.contains(c.engineText)) << text.toStdString();
        EXPECT_TRUE(app.endRequested());
        EXPECT_FALSE(app.karty().GetDatabase().isOpen());
        EXPECT_EQ(app.karty().openCount(), 1);
        EXPECT_EQ(messages.shown().size(), 1);
        // A query on the unopened connection fails with the engine's error class.
        SqlQuery q(app.karty().GetDatabase());
        EXPECT_THROW(q.prepare("SELECT 1 FROM RDB$DATABASE"), EDBEngineError);
    }
}

TEST_F(DatabaseTest, PolishTextNullsAndParameters) {
    ScriptedMessages messages;
    AppContext app(m_dir.path(), {}, messages);
    const QSqlDatabase db = app.karty().GetDatabase();
    SqlQuery::executeDirect(db, "CREATE TABLE T_PROBE (ID INTEGER, V VARCHAR(40), D DATE, N INTEGER)");
    SqlQuery ins(db);
    ins.prepare(QStringList{"INSERT INTO T_PROBE (ID, V, D, N)", "VALUES (:id, :v, :d, :id)"});
    ins.bind("id", 1);
    ins.bind("v", QString::fromUtf8("Zażółć gęślą jaźń ŁÓDŹ"));
    ins.bind("d", QDate(2024, 5, 17));
    ins.execute();
    SqlQuery::executeDirect(db, "INSERT INTO T_PROBE (ID) VALUES (2)");

    SqlQuery q(db);
    q.prepare("SELECT ID, V, D, N FROM T_PROBE ORDER BY ID");
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldText("V"), QString::fromUtf8("Zażółć gęślą jaźń ŁÓDŹ"));
    EXPECT_EQ(q.fieldDate("d"), QDate(2024, 5, 17));
    EXPECT_EQ(q.fieldInt("N"), 1) << "one name used twice takes one value";
    q.next();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldInt("N"), 0);
    EXPECT_EQ(q.fieldText("V"), "");
    EXPECT_FALSE(q.fieldDate("D").isValid());
    EXPECT_TRUE(q.isNull("D"));
    q.next();
    EXPECT_TRUE(q.eof());
    EXPECT_THROW(q.fieldInt("NO_SUCH_FIELD"), EDBEngineError);
    q.close();

    try {
        SqlQuery bad(db);
        bad.prepare("SELECT X FROM NO_SUCH_TABLE");
        bad.open();
        ADD_FAILURE() << "no error";
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.text().contains("NO_SUCH_TABLE")) << e.text().toStdString();
        EXPECT_EQ(e.nativeCode(), "-204");
    }
}

TEST_F(DatabaseTest, TwoProcessesHoldOneLocalDatabaseAndBothCommit) {
    ScriptedMessages messages;
    AppContext app(m_dir.path(), {}, messages);
    const QSqlDatabase db = app.karty().GetDatabase();
    SqlQuery::executeDirect(db, "CREATE TABLE T_PROBE (V VARCHAR(40))");
    SqlQuery::executeDirect(db, "INSERT INTO T_PROBE (V) VALUES ('ours')");

    QProcess other;
    other.start(TestSupport::helperPath(), {"db-insert", m_db, "theirs", "1500"});
    ASSERT_TRUE(other.waitForReadyRead(30000)) << other.readAllStandardError().toStdString();
    ASSERT_EQ(other.readAllStandardOutput().trimmed(), "ok");
    // Both hold the file now; write once more while the other is still attached.
    SqlQuery::executeDirect(db, "INSERT INTO T_PROBE (V) VALUES ('ours again')");
    ASSERT_TRUE(other.waitForFinished(30000));
    EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();

    SqlQuery q(db);
    q.prepare("SELECT LIST(V, ',') AS ALLV FROM (SELECT V FROM T_PROBE ORDER BY V)");
    q.open();
    EXPECT_EQ(q.fieldText("ALLV"), "ours,ours again,theirs");
}

} // namespace

namespace {

TEST(ServerConnectionTest, AServerThatNeverAnswersIsGivenUpWithinTheConnectTimeOut) {
    // The programs wait 15 s; the test holds the same path to a shorter bound.
    EXPECT_EQ(DbEngine::connectTimeoutSeconds(), 15);
    DbEngine::setConnectTimeoutSeconds(2);
    const auto restore =
        qScopeGuard([] { DbEngine::setConnectTimeoutSeconds(DbEngine::DefaultConnectTimeoutSeconds); });
    SilentServer server;
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(DbEngine::openServerName(
                     QStringLiteral("127.0.0.1/%1:/srv/kolm/firma.fdb").arg(server.port()), "silent"),
                 EDBEngineError);
    const qint64 ms = timer.elapsed();
    DbEngine::closeConnection("silent");
    std::printf("a silent server was given up after %lld ms\n", static_cast<long long>(ms));
    EXPECT_LT(ms, 7000);
}

} // namespace
