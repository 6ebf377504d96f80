#include "DbEngine.h"
#include "FullDisk.h"
#include "MyIniFile.h"
#include "SqlQuery.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// The date of the run a test just made (read when needed: a test may run across midnight).
QString today() {
    return QDate::currentDate().toString("yyyy-MM-dd");
}

// kolmrap over the demo organisation in a programs' folder of its own, as real processes, with
// the faults users meet: full disks, signals, kills, a second run at once, damaged databases.
class KolmrapFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = TestSupport::installProgram("kolmrap", m_programs.path());
        m_db = TestSupport::createDemoDatabase(m_programs.path());
        configure("[AliasDatabases]\nALIAS.firma.Str=Firma\n");
    }
    // brel.ini with the user's own active alias, the given databases and every section on.
    void configure(const QByteArray& databases, const QString& folder = QString()) {
        TestSupport::writeFile(QDir(folder.isEmpty() ? m_programs.path() : folder).filePath("brel.ini"),
                               "[Database]\nAliasName=wlasny\n" + databases +
                                   "[AsystentSettings]\nASYST.DataAsys.Str=2026-01-01\n" +
                                   TestSupport::allSectionsOn());
    }
    QString ini() const { return m_programs.filePath("brel.ini"); }
    QString dataAsys(const QString& file = QString()) const {
        return TMyIniFile(file.isEmpty() ? ini() : file).ReadAsystentSetting("ASYST", "DataAsys");
    }
    QString pdf(const QString& section, const QString& root = QString()) const {
        return QDir(root.isEmpty() ? m_programs.path() : root)
            .filePath("firma/Raporty/" + section + "/" + section + today() + ".pdf");
    }
    TestSupport::ProcessResult run(const QString& program = QString()) {
        return TestSupport::run(program.isEmpty() ? m_program : program, {"0", "admin", "Admin123!"},
                                m_runtime.path());
    }
    // Starts kolmrap and waits until it is writing its first section.
    void startAndWaitForASection(QProcess& p) {
        p.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(m_runtime.path()));
        p.setReadChannel(QProcess::StandardError);
        p.start(m_program, {"0", "admin", "Admin123!"});
        ASSERT_TRUE(p.waitForStarted());
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 30000) {
            p.waitForReadyRead(100);
            m_stderr += QString::fromUtf8(p.readAll());
            if (m_stderr.contains(" str.)"))
                return;
            ASSERT_EQ(p.state(), QProcess::Running) << m_stderr.toStdString();
        }
        FAIL() << "no section written: " << m_stderr.toStdString();
    }
    QStringList relations(const QString& prefix) {
        QStringList out;
        {
            const QSqlDatabase db = DbEngine::openServerName(m_db, "check");
            SqlQuery q(db);
            q.prepare(
                "SELECT TRIM(RDB$RELATION_NAME) AS N FROM RDB$RELATIONS WHERE RDB$RELATION_NAME STARTING "
                "WITH :p ORDER BY 1");
            q.bind("p", prefix);
            q.open();
            for (; !q.eof(); q.next())
                out << q.fieldText("N");
        }
        DbEngine::closeConnection("check");
        return out;
    }
    void execute(const QString& sql) {
        {
            const QSqlDatabase db = DbEngine::openServerName(m_db, "check");
            SqlQuery::executeDirect(db, sql);
        }
        DbEngine::closeConnection("check");
    }
    // Aliases firma, firma2 .. firma<n> on the one demo database: a run long enough to stop.
    void manyDatabases(int n) {
        QByteArray lines = "[AliasDatabases]\nALIAS.firma.Str=Firma\n";
        for (int i = 2; i <= n; ++i) {
            TestSupport::addAlias(m_programs.path(), QString("firma%1").arg(i), m_db);
            lines += "ALIAS.firma" + QByteArray::number(i) + ".Str=Firma\n";
        }
        configure(lines);
    }

    QTemporaryDir m_programs;
    QTemporaryDir m_runtime;
    QString m_program;
    QString m_db;
    QString m_stderr;
};

TEST_F(KolmrapFaultTest, TheUsersActiveDatabaseIsNeverWrittenEvenWhenTheRunIsKilled) {
    const QByteArray before = TestSupport::readFile(ini());
    QProcess p;
    startAndWaitForASection(p);
    QStringList seen;
    while (p.state() == QProcess::Running) {
        seen << TMyIniFile(ini()).ReadAliasName();
        p.waitForFinished(20);
    }
    seen.removeDuplicates();
    EXPECT_EQ(seen, QStringList{"wlasny"});
    EXPECT_EQ(p.exitCode(), 0) << m_stderr.toStdString();
    // The whole file is as the user left it, with the date of the last report added.
    QByteArray expected = before;
    expected.replace("ASYST.DataAsys.Str=2026-01-01", "ASYST.DataAsys.Str=" + today().toUtf8());
    EXPECT_EQ(TestSupport::readFile(ini()).toStdString(), expected.toStdString());

    configure("[AliasDatabases]\nALIAS.firma.Str=Firma\n");
    const QByteArray again = TestSupport::readFile(ini());
    QProcess killed;
    startAndWaitForASection(killed);
    ::kill(pid_t(killed.processId()), SIGKILL);
    killed.waitForFinished();
    EXPECT_EQ(TestSupport::readFile(ini()), again);
}

TEST_F(KolmrapFaultTest, StopSignalsEndTheRunPromptlyAsAFailure) {
    manyDatabases(8);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        m_stderr.clear();
        QDir(m_programs.filePath("firma8")).removeRecursively();
        QProcess p;
        startAndWaitForASection(p);
        QElapsedTimer timer;
        timer.start();
        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(10000));
        const qint64 ms = timer.elapsed();
        std::printf("signal %d: ended %lld ms after it\n", signal, static_cast<long long>(ms));
        m_stderr += QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 1) << m_stderr.toStdString();
        EXPECT_LT(ms, 6000);
        EXPECT_TRUE(m_stderr.contains("sygnał")) << m_stderr.toStdString();
        EXPECT_FALSE(m_stderr.contains("Raport wykonany")) << m_stderr.toStdString();
        EXPECT_EQ(dataAsys(), "2026-01-01");
        EXPECT_FALSE(QFileInfo::exists(QDir(m_programs.path()).filePath("firma8/Raporty/AktualBhp")))
            << "the run went on after the signal";
    }
}

TEST_F(KolmrapFaultTest, TwoRunsOnOneDatabaseAtOnceEachWriteTheWholeReport) {
    // A second workstation: its own programs' folder and configuration, the same database.
    QTemporaryDir second, secondRuntime;
    const QString secondProgram = TestSupport::installProgram("kolmrap", second.path());
    TestSupport::addAlias(second.path(), "firma", m_db);
    configure("[AliasDatabases]\nALIAS.firma.Str=Firma\n", second.path());

    const auto solo = run();
    ASSERT_EQ(solo.exitCode, 0) << solo.stdErr.toStdString();
    static const QRegularExpression pages("  (\\w+): .*\\((\\d+) str\\.\\)");
    auto pagesOf = [](const QString& text) {
        QStringList out;
        for (auto it = pages.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            out << m.captured(1) + "=" + m.captured(2);
        }
        return out;
    };
    const QStringList expected = pagesOf(solo.stdErr);
    ASSERT_EQ(expected.size(), 9) << solo.stdErr.toStdString();

    for (int round = 0; round < 3; ++round) {
        QProcess a, b;
        a.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(m_runtime.path()));
        b.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(secondRuntime.path()));
        a.start(m_program, {"0", "admin", "Admin123!"});
        b.start(secondProgram, {"0", "admin", "Admin123!"});
        ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
        const QString errA = QString::fromUtf8(a.readAllStandardError());
        const QString errB = QString::fromUtf8(b.readAllStandardError());
        EXPECT_EQ(a.exitCode(), 0) << errA.toStdString();
        EXPECT_EQ(b.exitCode(), 0) << errB.toStdString();
        EXPECT_EQ(pagesOf(errA), expected) << errA.toStdString();
        EXPECT_EQ(pagesOf(errB), expected) << errB.toStdString();
    }
    EXPECT_EQ(relations("TEMP"), QStringList());
}

TEST_F(KolmrapFaultTest, NothingOfAKilledRunStaysInTheDatabaseAfterTheNextRun) {
    // What earlier versions left after interrupted runs, and a table of the user's own.
    execute("CREATE TABLE TEMP123456 (Id Integer, Poz Integer)");
    execute("CREATE TABLE TEMP1234567 (IdPom Integer)");
    execute("CREATE TABLE TEMP99 (Id Integer, Nazwa Varchar(10))");
    QProcess killed;
    startAndWaitForASection(killed);
    ::kill(pid_t(killed.processId()), SIGKILL);
    killed.waitForFinished();

    const auto next = run();
    EXPECT_EQ(next.exitCode, 0) << next.stdErr.toStdString();
    EXPECT_EQ(relations("TEMP"), QStringList{"TEMP99"});
    EXPECT_EQ(relations("KOLMRAP"), (QStringList{"KOLMRAP_ID", "KOLMRAP_POZ"}));
    {
        SqlQuery q(DbEngine::openServerName(m_db, "rows"));
        q.prepare("SELECT (SELECT COUNT(*) FROM KOLMRAP_POZ) + (SELECT COUNT(*) FROM KOLMRAP_ID) AS N FROM "
                  "RDB$DATABASE");
        q.open();
        EXPECT_EQ(q.fieldInt("N"), 0);
    }
    DbEngine::closeConnection("rows");
}

TEST_F(KolmrapFaultTest, SectionsThatCannotBeWrittenFailTheRunAndTheyNeedOnlyTheirOwnTables) {
    struct Case {
        const char* name;
        const char* damage;
        QStringList off; // sections switched off
        int exitCode;
        const char* told;
    };
    const Case cases[] = {
        {"safety items table lost", "DROP TABLE BHPDANE", {}, 1, "BHPDANE"},
        // Without the safety-item groups the other sections are still complete.
        {"groups table missing, no safety-item section",
         "DROP TABLE BHPGRUPY",
         {"PrzetBhp", "AktualBhp"},
         0,
         "Raport wykonany"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir().mkpath(m_programs.filePath(c.name));
        m_db = TestSupport::createDemoDatabase(m_programs.filePath(c.name));
        TestSupport::writeFile(m_programs.filePath("aliases.ini"), "");
        TestSupport::addAlias(m_programs.path(), "firma", m_db);
        execute(c.damage);
        configure("[AliasDatabases]\nALIAS.firma.Str=Firma\n");
        for (const QString& section : c.off)
            TMyIniFile(ini()).WriteAsystentSetting("ASYST", section, "N");
        const auto r = run();
        EXPECT_EQ(r.exitCode, c.exitCode) << r.stdErr.toStdString();
        EXPECT_TRUE(r.stdErr.contains(c.told, Qt::CaseInsensitive)) << r.stdErr.toStdString();
        EXPECT_EQ(dataAsys(), c.exitCode == 0 ? today() : "2026-01-01");
    }
}

TEST_F(KolmrapFaultTest, AliasesThatWouldLeaveTheReportRootAreRefusedAndLongOnesCut) {
    for (const QString& alias : {QString("../poza"), QString("a/b"), QString("x..y")})
        TestSupport::addAlias(m_programs.path(), alias, m_db);
    const QByteArray huge(1 << 20, 'x');
    configure("[AliasDatabases]\nALIAS.../poza.Str=x\nALIAS.a/b.Str=x\nALIAS.x..y.Str=x\nALIAS." + huge +
              ".Str=x\n");
    const auto r = run();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.stdErr.count("nazwa aliasu nie może zawierać"), 3) << r.stdErr.left(2000).toStdString();
    EXPECT_FALSE(QFileInfo::exists(QDir(m_programs.path()).filePath("../poza")));
    EXPECT_FALSE(QFileInfo::exists(m_programs.filePath("a")));
    EXPECT_LT(r.stdErr.size(), 2000) << "a long alias is not echoed whole";
}

TEST_F(KolmrapFaultTest, AFullReportDiskKeepsTheEarlierReportsAndFailsTheRun) {
    if (!FullDisk::available())
        GTEST_SKIP() << "needs root for a small file system";
    FullDisk disk(4096);
    ASSERT_TRUE(disk.mounted());
    configure("[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\nASYST.firma.Str=" +
              disk.path().toUtf8() + "\n");
    ASSERT_EQ(run().exitCode, 0);
    QMap<QString, QByteArray> before;
    for (const QString s : {"CzynnRyz", "TermRyz", "StanAdm", "PracAdm", "AktualBhp"})
        before[s] = TestSupport::readFile(pdf(s, disk.path()));
    TMyIniFile(ini()).WriteAsystentSetting("ASYST", "DataAsys", "2026-01-01");
    disk.fill();
    const auto r = run();
    EXPECT_EQ(r.exitCode, 1) << r.stdErr.toStdString();
    EXPECT_TRUE(r.stdErr.contains("No space left on device")) << r.stdErr.toStdString();
    EXPECT_EQ(dataAsys(), "2026-01-01");
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        EXPECT_EQ(TestSupport::readFile(pdf(it.key(), disk.path())), it.value()) << it.key().toStdString();
}

TEST_F(KolmrapFaultTest, AFullProgramsDiskKeepsTheConfigurationAndFailsTheRun) {
    if (!FullDisk::available())
        GTEST_SKIP() << "needs root for a small file system";
    FullDisk disk(int(QFileInfo(m_program).size() / 1024) + 512);
    ASSERT_TRUE(disk.mounted());
    const QString program = TestSupport::installProgram("kolmrap", disk.path());
    TestSupport::addAlias(disk.path(), "firma", m_db);
    configure("[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\nASYST.firma.Str=" +
                  m_programs.path().toUtf8() + "\n",
              disk.path());
    const QByteArray before = TestSupport::readFile(disk.filePath("brel.ini"));
    disk.fill();
    const auto r = run(program);
    EXPECT_EQ(r.exitCode, 1) << r.stdErr.toStdString();
    EXPECT_TRUE(r.stdErr.contains("brel.ini") && r.stdErr.contains("No space left on device"))
        << r.stdErr.toStdString();
    EXPECT_EQ(TestSupport::readFile(disk.filePath("brel.ini")), before);
}

TEST_F(KolmrapFaultTest, ALinkAtAReportsNameIsReplacedNotWrittenThrough) {
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath("cudzy.txt");
    TestSupport::writeFile(victim, "not yours");
    QDir().mkpath(QFileInfo(pdf("CzynnRyz")).path());
    ASSERT_TRUE(QFile::link(victim, pdf("CzynnRyz")));
    EXPECT_EQ(run().exitCode, 0);
    EXPECT_EQ(TestSupport::readFile(victim), "not yours");
    EXPECT_FALSE(QFileInfo(pdf("CzynnRyz")).isSymLink());
    EXPECT_TRUE(TestSupport::readFile(pdf("CzynnRyz")).startsWith("%PDF"));
}

TEST_F(KolmrapFaultTest, ALockThatCannotBeOpenedIsAnErrorNotAnotherRun) {
    QTemporaryDir temp, elsewhere;
    // No runtime folder; the private folder's name taken by a link.
    ASSERT_TRUE(QFile::link(elsewhere.path(), temp.filePath(QString("kolm-%1").arg(::getuid()))));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_RUNTIME_DIR");
    env.insert("TMPDIR", temp.path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(m_program, {"0"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(
        QString::fromUtf8(p.readAllStandardError()).contains("Nie można założyć blokady kolmrap.exe"));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
}

} // namespace

namespace {

TEST_F(KolmrapFaultTest, AReportFolderThatCannotBeMadeIsNamedWithTheReason) {
    TestSupport::writeFile(m_programs.filePath("plik"), "x");
    configure("[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\nASYST.firma.Str=" +
              m_programs.filePath("plik/raporty").toUtf8() + "\n");
    const auto r = run();
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.stdErr.contains("Nie można utworzyć folderu " + m_programs.filePath("plik/raporty")))
        << r.stdErr.toStdString();
    EXPECT_TRUE(r.stdErr.contains("Not a directory")) << r.stdErr.toStdString();
    EXPECT_EQ(dataAsys(), "2026-01-01") << "a failed run sets no date";
}

} // namespace
