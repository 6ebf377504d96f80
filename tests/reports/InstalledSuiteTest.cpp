#include "AliasRegistry.h"
#include "DatabaseFactory.h"
#include "FirebirdServer.h"
#include "MyIniFile.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The suite as the package installs it: a programs' folder with its installation description,
// the databases in a folder of a Firebird server that every program goes through, and a data
// folder that the group shares (set-group-ID) for reports and backups.
class InstalledSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FirebirdServer::installed())
            GTEST_SKIP() << "no Firebird server on this machine";
        m_server = std::make_unique<FirebirdServer>();
        m_server->start();
        m_data = m_programs.filePath("dane");
        ASSERT_TRUE(QDir().mkdir(m_data));
        ASSERT_EQ(::chmod(QFile::encodeName(m_data).constData(), 02775), 0);
        TestSupport::writeFile(m_programs.filePath("instalacja.ini"),
                               QStringLiteral("[Instalacja]\nBazy=%1\nSerwer=localhost/%2\nDane=%3\n")
                                   .arg(m_server->dataFolder())
                                   .arg(m_server->port())
                                   .arg(m_data)
                                   .toUtf8());
        for (const char* program : {"kolmdb", "kolmrap"})
            TestSupport::installProgram(program, m_programs.path());
    }
    TestSupport::ProcessResult run(const char* program, const QStringList& arguments) {
        return TestSupport::run(m_programs.filePath(program), arguments, m_runtime.path());
    }
    static mode_t modeOf(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_mode & 07777;
    }

    std::unique_ptr<FirebirdServer> m_server;
    QTemporaryDir m_programs;
    QTemporaryDir m_runtime;
    QString m_data;
};

TEST_F(InstalledSuiteTest, TheDemoAndNewDatabasesGoThroughTheServerAndReportsToTheSharedFolder) {
    const auto demo = run("kolmdb", {"demo"});
    ASSERT_EQ(demo.exitCode, 0) << demo.stdErr.toStdString();
    const QString database = m_server->serverName("kolm_demo.fdb");
    EXPECT_EQ(demo.stdOut.trimmed(), database);
    const AliasRegistry registry(m_programs.filePath("aliases.ini"));
    EXPECT_EQ(registry.parameter("kolmdemo", "SERVER NAME"), database);
    const TMyIniFile ini(m_programs.filePath("brel.ini"));
    EXPECT_EQ(ini.ReadAliasName(), "kolmdemo");
    EXPECT_EQ(ini.ReadPathDatabase("PATH", "kolmdemo"), m_server->dataFolder());
    EXPECT_FALSE(QFileInfo::exists(m_programs.filePath("demo"))) << "nothing of the demo beside the programs";

    const auto report = run("kolmrap", {"0", "admin", "Admin123!"});
    ASSERT_EQ(report.exitCode, 0) << report.stdErr.toStdString();
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const QString reports = m_data + "/kolmdemo/Raporty";
    EXPECT_EQ(modeOf(m_data + "/kolmdemo"), 02775);
    EXPECT_EQ(modeOf(reports), 02775);
    for (const QString& section : TestSupport::sectionNames()) {
        const QString pdf = reports + "/" + section + "/" + section + today + ".pdf";
        EXPECT_TRUE(QFileInfo(pdf).size() > 0) << pdf.toStdString();
        EXPECT_EQ(modeOf(pdf) & 0660, 0660)
            << "the next user of the group replaces it: " << pdf.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(m_programs.filePath("kolmdemo")));

    // A plain name is a database of the server's folder; a second demo keeps the first.
    const auto created = run("kolmdb", {"create", "firma"});
    ASSERT_EQ(created.exitCode, 0) << created.stdErr.toStdString();
    EXPECT_EQ(created.stdOut.trimmed(), m_server->serverName("firma.fdb"));
    EXPECT_TRUE(DatabaseFactory::exists(m_server->serverName("firma.fdb")));
    EXPECT_EQ(run("kolmdb", {"demo"}).exitCode, 0);
    EXPECT_EQ(run("kolmdb", {"demo", "--recreate"}).exitCode, 0);
    EXPECT_TRUE(DatabaseFactory::exists(database));
}

} // namespace
