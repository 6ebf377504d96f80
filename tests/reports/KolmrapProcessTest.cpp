#include "DatabaseFactory.h"
#include "MyIniFile.h"
#include "OrgGenerator.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// kolmrap as a user starts it: its own programs' folder with brel.ini and aliases.ini.
class KolmrapProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = TestSupport::installProgram("kolmrap", m_programs.path());
        m_db = TestSupport::createDatabase(m_programs.path());
        TestSupport::addAlias(m_programs.path(), "firma", m_db);
        TestSupport::writeFile(m_programs.filePath("brel.ini"),
                               "[Database]\nAliasName=wlasny\n[AliasDatabases]\nALIAS.firma.Str=Firma\n");
    }
    TestSupport::ProcessResult run(const QStringList& args, const QString& cwd = QString()) {
        return TestSupport::run(m_program, args, m_runtime.path(), cwd);
    }
    QTemporaryDir m_programs;
    QTemporaryDir m_runtime;
    QString m_program;
    QString m_db;
};

TEST_F(KolmrapProcessTest, WritesTheReportAndTellsTheOutcomeByExitStatus) {
    DatabaseFactory::runScript(m_db, DatabaseFactory::resourceScript("demo.sql"));
    TestSupport::writeFile(m_programs.filePath("brel.ini"),
                           "[Database]\nAliasName=wlasny\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                           "[PathDatabases]\nASYST.firma.Str=\n[AsystentSettings]\nASYST.PracAdm.Str=T\n");
    const auto r = run({"0", "admin", "Admin123!"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    // Standard error tells what the run did, line by line.
    const QStringList lines = r.stdErr.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << r.stdErr.toStdString();
    EXPECT_TRUE(lines[0].startsWith("Baza \"firma\": raporty w ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains("PracAdm: ") && lines[1].contains(" str.)")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("Raport wykonany")) << lines[2].toStdString();
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    EXPECT_TRUE(QFileInfo::exists(m_programs.filePath("firma/Raporty/PracAdm/PracAdm" + today + ".pdf")));
    const TMyIniFile ini(m_programs.filePath("brel.ini"));
    EXPECT_EQ(ini.ReadAliasName(), "wlasny");
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "DataAsys"), today);

    // The login message goes to standard error; nobody waits for it.
    const auto wrong = run({"0", "admin", "zle"});
    ASSERT_TRUE(wrong.finished);
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.stdErr.contains("UWAGA: Niepoprawne HASŁO lub NAZWA")) << wrong.stdErr.toStdString();
}

TEST_F(KolmrapProcessTest, TheProgramsExplainThemselves) {
    struct Case {
        QString program;
        QString argument;
        QString said;
    };
    const QString bin = QStringLiteral(KOLM_BIN_DIR);
    const Case cases[] = {
        {m_program, "--help", "usage: kolmrap [digit] [user] [password | -]"},
        {m_program, "--version", "kolmrap " KOLM_VERSION},
        {bin + "/kolmasyst", "--help", "usage: kolmasyst [digit]"},
        {bin + "/kolmasyst", "--version", "kolmasyst " KOLM_VERSION},
        {bin + "/kolmdb", "--help", "usage: kolmdb create"},
        {bin + "/kolmdb", "--version", "kolmdb " KOLM_VERSION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.program + " " + c.argument).toStdString());
        QProcess p;
        // No display either: the answer needs none.
        QProcessEnvironment env = TestSupport::environmentWithRuntimeDir(m_runtime.path());
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        p.setProcessEnvironment(env);
        p.start(c.program, {c.argument});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0);
        EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardOutput()).startsWith(c.said));
    }
    // Nothing of a run happened.
    EXPECT_FALSE(QFileInfo::exists(m_programs.filePath("firma")));
    // Wrong arguments to kolmdb: its usage, and a failure.
    QProcess wrong;
    wrong.start(bin + "/kolmdb", {"zle"});
    ASSERT_TRUE(wrong.waitForFinished(30000));
    EXPECT_NE(wrong.exitCode(), 0);
    EXPECT_TRUE(wrong.readAllStandardError().startsWith("usage: kolmdb"));
}

TEST_F(KolmrapProcessTest, APasswordOfDashIsReadFromStandardInput) {
    DatabaseFactory::runScript(m_db, DatabaseFactory::resourceScript("demo.sql"));
    TestSupport::writeFile(m_programs.filePath("brel.ini"),
                           "[Database]\nAliasName=wlasny\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                           "[PathDatabases]\nASYST.firma.Str=\n[AsystentSettings]\nASYST.PracAdm.Str=T\n");
    struct Case {
        QByteArray input;
        int exitCode;
    };
    const Case cases[] = {{"Admin123!\n", 0}, {"Admin123!\r\nreszta\n", 0}, {"zle\n", 1}, {"", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        QProcess p;
        p.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(m_runtime.path()));
        p.start(m_program, {"0", "admin", "-"});
        ASSERT_TRUE(p.waitForStarted());
        p.write(c.input);
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), c.exitCode) << p.readAllStandardError().toStdString();
    }
}

TEST_F(KolmrapProcessTest, UnreachableDatabaseIsReportedOnStandardErrorWithoutWaiting) {
    TestSupport::addAlias(m_programs.path(), "zgubiona", m_programs.filePath("nie-ma.fdb"));
    TestSupport::writeFile(
        m_programs.filePath("brel.ini"),
        "[Database]\nAliasName=wlasny\n[AliasDatabases]\nALIAS.zgubiona.Str=x\nALIAS.firma.Str=y\n");
    const auto r = run({"0"});
    ASSERT_TRUE(r.finished);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.stdErr.contains("Brak dostępu do bazy danych; Skontaktuj się z administratorem"))
        << r.stdErr.toStdString();
    EXPECT_TRUE(r.stdErr.contains("nie-ma.fdb")) << r.stdErr.toStdString();
    EXPECT_EQ(TMyIniFile(m_programs.filePath("brel.ini")).ReadAliasName(), "wlasny");
}

TEST_F(KolmrapProcessTest, MissingNumberedFileIsReportedAndTheRunUsesBrelIni) {
    const auto r = run({"7"});
    ASSERT_TRUE(r.finished);
    EXPECT_TRUE(r.stdErr.contains("Brak pliku konfiguracyjnego : brel_7.ini")) << r.stdErr.toStdString();
    EXPECT_FALSE(r.stdErr.contains(m_programs.path())) << "the bare file name only";
    EXPECT_NE(r.exitCode, 0);
    EXPECT_EQ(TMyIniFile(m_programs.filePath("brel.ini")).ReadAliasName(), "wlasny");
}

TEST_F(KolmrapProcessTest, ConfigurationComesFromTheProgramsFolderNotTheCurrentOne) {
    QTemporaryDir elsewhere;
    TestSupport::writeFile(elsewhere.filePath("brel_3.ini"), "[Database]\nAliasName=obcy\n");
    const auto r = run({"3"}, elsewhere.path());
    EXPECT_TRUE(r.stdErr.contains("Brak pliku konfiguracyjnego : brel_3.ini")) << r.stdErr.toStdString();
}

TEST_F(KolmrapProcessTest, SecondInstanceEndsAtOnceAndAKilledHolderBlocksNothing) {
    QProcess holder;
    holder.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(m_runtime.path()));
    // The holder also starts a child process: the lock must not live on in it.
    holder.start(TestSupport::helperPath(), {"hold-lock", "kolmrap.exe", "--spawn-child"});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readAllStandardOutput().trimmed(), "locked");

    QElapsedTimer timer;
    timer.start();
    const auto second = run({"0"});
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 2);
    EXPECT_EQ(second.stdErr, "");
    EXPECT_LT(timer.elapsed(), 20000);

    ::kill(pid_t(holder.processId()), SIGKILL);
    holder.waitForFinished();
    const auto after = run({"0"});
    EXPECT_TRUE(after.finished);
    EXPECT_NE(after.exitCode, 2) << after.stdErr.toStdString();
}

} // namespace

namespace {

// The text of each PDF of a run (its pages end in form feeds), by section.
QMap<QString, QString> reportTexts(const QString& reportsFolder) {
    QMap<QString, QString> texts;
    for (const QString& section : TestSupport::sectionNames()) {
        const QDir folder(QDir(reportsFolder).filePath(section));
        for (const QString& pdf : folder.entryList({"*.pdf"}, QDir::Files))
            texts.insert(section, TestSupport::pdfText(folder.filePath(pdf)));
    }
    return texts;
}

TEST(KolmrapThreadsTest, OneThreadAndSeveralWriteTheSameFiles) {
    QTemporaryDir programs, runtime;
    const QString program = TestSupport::installProgram("kolmrap", programs.path());
    TestSupport::createDemoDatabase(programs.path());
    // A generated organisation too: sections of hundreds of pages.
    const QString org = programs.filePath("org.fdb");
    OrgGenerator::generate(org, OrgGenerator::sizeNamed("small"), 1, QDate::currentDate());
    TestSupport::addAlias(programs.path(), "org", org);
    TestSupport::writeFile(programs.filePath("brel.ini"),
                           "[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                           "ALIAS.org.Str=Org\n[AsystentSettings]\n" +
                               TestSupport::allSectionsOn());
    struct Case {
        const char* threads;
        const char* queuedRows; // "" for the default
    };
    const Case cases[] = {{"1", ""}, {"2", ""}, {"4", ""}, {"2", "1"}, {"3", "0"}};
    QMap<QString, QString> first[2];
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("threads ") + c.threads + ", queued rows " + c.queuedRows);
        qputenv("KOLM_THREADS", c.threads);
        if (*c.queuedRows)
            qputenv("KOLM_QUEUED_ROWS", c.queuedRows);
        else
            qunsetenv("KOLM_QUEUED_ROWS");
        QDir(programs.filePath("firma")).removeRecursively();
        QDir(programs.filePath("org")).removeRecursively();
        const auto r =
            TestSupport::run(program, {"0", "admin", "Admin123!"}, runtime.path(), QString(), 120000);
        qunsetenv("KOLM_THREADS");
        qunsetenv("KOLM_QUEUED_ROWS");
        ASSERT_TRUE(r.finished);
        ASSERT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
        // Told in the order of the sections, each database's after its own heading.
        QStringList told;
        for (const QString& line : r.stdErr.split('\n'))
            if (line.startsWith("  "))
                told << line.trimmed().section(':', 0, 0);
        EXPECT_EQ(told, TestSupport::sectionNames() + TestSupport::sectionNames());
        const QString folders[2] = {programs.filePath("firma/Raporty"), programs.filePath("org/Raporty")};
        for (int db = 0; db < 2; ++db) {
            const QMap<QString, QString> texts = reportTexts(folders[db]);
            ASSERT_EQ(texts.size(), 9);
            if (first[db].isEmpty()) {
                first[db] = texts;
                continue;
            }
            for (const QString& section : TestSupport::sectionNames()) {
                EXPECT_EQ(texts[section].count('\f'), first[db][section].count('\f'))
                    << section.toStdString();
                EXPECT_TRUE(texts[section] == first[db][section]) << section.toStdString() << " differs";
            }
        }
    }
    int pages = 0;
    for (const QString& text : first[1])
        pages += int(text.count('\f'));
    std::printf("the generated organisation's report: %d pages\n", pages);
}

} // namespace
