#include "FirebirdServer.h"
#include "MyIniFile.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The date of the run a test just made (read when needed: a test may run across midnight).
QString today() {
    return QDate::currentDate().toString("yyyy-MM-dd");
}

// Workstations that keep the organisation's databases on a Firebird server: kolmrap and kolmdb
// as real processes against a real server of the test's own.
class KolmrapServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_server = std::make_unique<FirebirdServer>();
        m_server->start();
        m_program = TestSupport::installProgram("kolmrap", m_programs.path());
        // The demo organisation, once on this workstation's disk and once on the server.
        m_local = TestSupport::createDemoDatabase(m_programs.path());
        ASSERT_TRUE(QFile::copy(m_local, QDir(m_server->dataFolder()).filePath("firma.fdb")));
    }
    void configure(const QByteArray& databases) {
        TestSupport::writeFile(m_programs.filePath("brel.ini"),
                               "[Database]\nAliasName=firma\n" + databases +
                                   "[AsystentSettings]\nASYST.DataAsys.Str=2026-01-01\n" +
                                   TestSupport::allSectionsOn());
    }
    QString dataAsys() const {
        return TMyIniFile(m_programs.filePath("brel.ini")).ReadAsystentSetting("ASYST", "DataAsys");
    }
    QString pdf(const QString& alias, const QString& section) const {
        return m_programs.filePath(alias + "/Raporty/" + section + "/" + section + today() + ".pdf");
    }
    TestSupport::ProcessResult run() {
        return TestSupport::run(m_program, {"0", "admin", "Admin123!"}, m_runtime.path());
    }

    std::unique_ptr<FirebirdServer> m_server;
    QTemporaryDir m_programs;
    QTemporaryDir m_runtime;
    QString m_program;
    QString m_local;
};

TEST_F(KolmrapServerTest, TheReportThroughTheServerIsTheReportOfTheEmbeddedEngine) {
    TestSupport::addAlias(m_programs.path(), "serwer", m_server->serverName("firma.fdb"));
    TestSupport::addAlias(m_programs.path(), "serwerip", m_server->serverName("firma.fdb", "127.0.0.1"));
    configure("[AliasDatabases]\nALIAS.firma.Str=Firma\nALIAS.serwer.Str=Firma\nALIAS.serwerip.Str=Firma\n");
    const auto r = run();
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    EXPECT_EQ(dataAsys(), today());
    for (const QString& section : TestSupport::sectionNames()) {
        SCOPED_TRACE(section.toStdString());
        const QString embedded = TestSupport::pdfText(pdf("firma", section));
        ASSERT_FALSE(embedded.trimmed().isEmpty());
        EXPECT_EQ(TestSupport::pdfText(pdf("serwer", section)), embedded);
        EXPECT_EQ(TestSupport::pdfText(pdf("serwerip", section)), embedded);
    }
}

TEST_F(KolmrapServerTest, ALoginTheServerRefusesFailsTheRunWithTheEnginesText) {
    // A server whose login of the suite has another password.
    FirebirdServer other(QStringLiteral("inne-haslo"));
    other.start();
    ASSERT_TRUE(QFile::copy(m_local, QDir(other.dataFolder()).filePath("firma.fdb")));
    TestSupport::addAlias(m_programs.path(), "obcy", other.serverName("firma.fdb"));
    configure("[AliasDatabases]\nALIAS.obcy.Str=Obcy\n");
    const auto r = run();
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.stdErr.contains("Your user name and password are not defined")) << r.stdErr.toStdString();
    EXPECT_TRUE(r.stdErr.contains("\"obcy\"")) << r.stdErr.toStdString();
    EXPECT_EQ(dataAsys(), "2026-01-01");
    EXPECT_FALSE(QFileInfo::exists(pdf("obcy", "PracAdm")));
}

TEST_F(KolmrapServerTest, AServerStoppedInMidRunFailsTheRunWithoutAHang) {
    QByteArray lines = "[AliasDatabases]\n";
    for (int i = 1; i <= 6; ++i) {
        const QString alias = QString("serwer%1").arg(i);
        TestSupport::addAlias(m_programs.path(), alias, m_server->serverName("firma.fdb"));
        lines += "ALIAS." + alias.toUtf8() + ".Str=Firma\n";
    }
    configure(lines);
    QProcess p;
    p.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(m_runtime.path()));
    p.setReadChannel(QProcess::StandardError);
    p.start(m_program, {"0", "admin", "Admin123!"});
    ASSERT_TRUE(p.waitForStarted());
    QString said;
    QElapsedTimer timer;
    timer.start();
    while (!said.contains(" str.)") && timer.elapsed() < 60000 && p.state() == QProcess::Running) {
        p.waitForReadyRead(50);
        said += QString::fromUtf8(p.readAll());
    }
    ASSERT_TRUE(said.contains(" str.)")) << said.toStdString();
    m_server->kill();
    timer.restart();
    ASSERT_TRUE(p.waitForFinished(60000)) << "the run hangs on the lost server";
    std::printf("the run ended %lld ms after the server\n", static_cast<long long>(timer.elapsed()));
    said += QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1) << said.toStdString();
    EXPECT_FALSE(said.contains("Raport wykonany")) << said.toStdString();
    EXPECT_EQ(dataAsys(), "2026-01-01");
}

TEST_F(KolmrapServerTest, KolmdbMakesDatabasesOnTheServer) {
    const QString bin = QStringLiteral(KOLM_BIN_DIR);
    // A new empty database with the schema, made by the server in its own folder.
    QProcess create;
    create.start(bin + "/kolmdb", {"create", m_server->serverName("nowa.fdb", "127.0.0.1")});
    ASSERT_TRUE(create.waitForFinished(60000));
    EXPECT_EQ(create.exitCode(), 0) << create.readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(m_server->dataFolder()).filePath("nowa.fdb")));

    // The demo organisation on the server, named in this workstation's configuration; kolmrap
    // then reports on it. Again with --recreate: the server drops and makes it anew.
    for (const QStringList& extra : {QStringList(), QStringList{"--recreate"}}) {
        SCOPED_TRACE(extra.join(' ').toStdString());
        QProcess demo;
        demo.start(bin + "/kolmdb",
                   QStringList{"demo", m_programs.path(), "--database", m_server->serverName("demo.fdb")} +
                       extra);
        ASSERT_TRUE(demo.waitForFinished(120000));
        ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
        EXPECT_EQ(QString::fromUtf8(demo.readAllStandardOutput()).trimmed(),
                  m_server->serverName("demo.fdb"));
        const TMyIniFile ini(m_programs.filePath("brel.ini"));
        EXPECT_EQ(ini.ReadAliasName(), "kolmdemo");
        const auto r = run();
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
        EXPECT_TRUE(
            QFileInfo::exists(m_programs.filePath("kolmdemo/Raporty/PracAdm/PracAdm" + today() + ".pdf")))
            << r.stdErr.toStdString();
        QDir(m_programs.filePath("kolmdemo")).removeRecursively();
    }

    // A database the server cannot make: the engine's text and a failure.
    QProcess refused;
    refused.start(bin + "/kolmdb", {"create", m_server->serverName("nie-ma/folderu.fdb")});
    ASSERT_TRUE(refused.waitForFinished(60000));
    EXPECT_EQ(refused.exitCode(), 1);
    EXPECT_TRUE(refused.readAllStandardError().startsWith("kolmdb: "));
}

} // namespace
