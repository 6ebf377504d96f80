#include "logic/Scheduler.h"
#include "AliasRegistry.h"
#include "DbEngine.h"
#include "Errors.h"
#include "MainFormFixture.h"
#include "jobs/DatabaseBackup.h"
#include "logic/ReportRunner.h"
#include "platform/SafeFile.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/TfrmRaport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace kolmasyst;

namespace {

// The schedules of a configuration file, checked with a clock the test moves.
class SchedulerTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::writeFile(
            ini(), "[Database]\nAliasName=firma\n[AsystentSettings]\nASYST.CzestAsys.Str=7\n"
                   "ASYST.GodzAsys.Str=10:00\nASYST.DataAsys.Str=2024-05-10\nASYST.PracAdm.Str=T\n"
                   "[BackupSettings]\nBACKUP.CzestBackup.Str=1\nBACKUP.GodzBackup.Str=23:30:00\n"
                   "BACKUP.DataBackup.Str=2024-05-16\n");
        m_app = std::make_unique<AppContext>(m_dir.path(), QStringList(), m_messages);
        m_app->setClock(m_clock);
        m_scheduler = std::make_unique<Scheduler>(*m_app, Scheduler::Jobs{[this] { ++m_reports; },
                                                                          [this](const QDate& day) {
                                                                              m_backups << day;
                                                                              return true;
                                                                          }});
        m_scheduler->LoadScheduleSettings();
    }
    QString ini() const { return m_dir.filePath("brel.ini"); }
    void at(const QDate& day, const QTime& time) { m_clock.set(QDateTime(day, time)); }

    QTemporaryDir m_dir;
    ScriptedMessages m_messages;
    ManualClock m_clock{QDateTime(QDate(2024, 5, 17), QTime(9, 0))};
    std::unique_ptr<AppContext> m_app;
    std::unique_ptr<Scheduler> m_scheduler;
    int m_reports = 0;
    QList<QDate> m_backups;
};

TEST_F(SchedulerTest, TheReportIsDueOnlyAfterItsHourOfTheDayOnePeriodLater) {
    EXPECT_TRUE(m_scheduler->section(3));
    EXPECT_FALSE(m_scheduler->section(0));
    struct Case {
        QDate day;
        QTime time;
        bool due;
    };
    const Case cases[] = {
        {QDate(2024, 5, 17), QTime(9, 30), false},
        {QDate(2024, 5, 17), QTime(10, 0, 0), false}, // strictly later than the hour
        {QDate(2024, 5, 17), QTime(10, 0, 1), true},
        {QDate(2024, 5, 16), QTime(23, 59), false},
        {QDate(2024, 6, 1), QTime(0, 5), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time.toString().toStdString());
        m_reports = 0;
        at(c.day, c.time);
        m_scheduler->check();
        EXPECT_EQ(m_reports, c.due ? 1 : 0);
    }
}

TEST_F(SchedulerTest, AReportThatRanCountsAtOnceSoItDoesNotStartEveryHour) {
    at(QDate(2024, 5, 17), QTime(11, 0));
    m_scheduler->check();
    EXPECT_EQ(m_reports, 1);
    // kolmrap ran and wrote its date.
    TMyIniFile(ini()).WriteAsystentSetting("ASYST", "DataAsys", "2024-05-17");
    for (int hour = 12; hour < 24; ++hour) {
        at(QDate(2024, 5, 17), QTime(hour, 0));
        m_scheduler->check();
    }
    EXPECT_EQ(m_reports, 1);
    // One period later it is due again, after its hour.
    at(QDate(2024, 5, 24), QTime(10, 30));
    m_scheduler->check();
    EXPECT_EQ(m_reports, 2);
}

TEST_F(SchedulerTest, TheBackupPassesMidnightAndRecordsOnlyASuccess) {
    at(QDate(2024, 5, 17), QTime(23, 29));
    m_scheduler->check();
    EXPECT_TRUE(m_backups.isEmpty());
    at(QDate(2024, 5, 18), QTime(0, 15));
    m_scheduler->check();
    ASSERT_EQ(m_backups, QList<QDate>{QDate(2024, 5, 18)});
    EXPECT_EQ(m_scheduler->text(Scheduler::Field::BackupDate), "2024-05-18");
    // The file follows only a backup that succeeded.
    EXPECT_EQ(TMyIniFile(ini()).ReadBackupSetting("BACKUP", "DataBackup"), "2024-05-16");
    m_scheduler->backupFinished(QDate(2024, 5, 18), false);
    EXPECT_EQ(TMyIniFile(ini()).ReadBackupSetting("BACKUP", "DataBackup"), "2024-05-16");
    m_scheduler->backupFinished(QDate(2024, 5, 18), true);
    EXPECT_EQ(TMyIniFile(ini()).ReadBackupSetting("BACKUP", "DataBackup"), "2024-05-18");
    // Not again the same day.
    m_backups.clear();
    at(QDate(2024, 5, 18), QTime(23, 0));
    m_scheduler->check();
    EXPECT_TRUE(m_backups.isEmpty());
}

TEST_F(SchedulerTest, DatesThatDoNotParseBecomeTodayAndBadSettingsStopTheCheck) {
    TestSupport::writeFile(ini(),
                           "[AsystentSettings]\nASYST.DataAsys.Str=kiedyś\nASYST.GodzAsys.Str=7:30 PM\n"
                           "ASYST.CzestAsys.Str=7\n[BackupSettings]\nBACKUP.GodzBackup.Str=1:00\n"
                           "BACKUP.CzestBackup.Str=1\n");
    at(QDate(2024, 5, 17), QTime(9, 0));
    m_scheduler->LoadScheduleSettings();
    const TMyIniFile settings(ini());
    EXPECT_EQ(settings.ReadAsystentSetting("ASYST", "DataAsys"), "2024-05-17");
    EXPECT_EQ(settings.ReadBackupSetting("BACKUP", "DataBackup"), "2024-05-17");
    // The hour "7:30 PM" is no hour: the check ends with the message, the backup test is skipped.
    at(QDate(2024, 5, 30), QTime(9, 0));
    try {
        m_scheduler->check();
        ADD_FAILURE() << "no conversion error";
    } catch (const EKolmError& e) {
        EXPECT_TRUE(e.text().contains("7:30 PM")) << e.text().toStdString();
    }
    EXPECT_EQ(m_reports, 0);
    EXPECT_TRUE(m_backups.isEmpty());
    // A missing period is an error too.
    TestSupport::writeFile(ini(),
                           "[AsystentSettings]\nASYST.DataAsys.Str=2024-05-01\nASYST.GodzAsys.Str=7:30\n");
    m_scheduler->LoadScheduleSettings();
    EXPECT_THROW(m_scheduler->check(), EKolmError);
    EXPECT_EQ(m_reports, 0);
}

TEST(SchedulerHourTest, HoursAreReadWithOrWithoutSecondsAndWrittenWithThem) {
    struct Case {
        const char* text;
        bool ok;
        QTime time;
    };
    const Case cases[] = {{"7:30", true, QTime(7, 30)},
                          {"07:30", true, QTime(7, 30)},
                          {"7:30:15", true, QTime(7, 30, 15)},
                          {"23:59:59", true, QTime(23, 59, 59)},
                          {"7.30", false, QTime()},
                          {"7:30 PM", false, QTime()},
                          {"INI FILE ERROR", false, QTime()},
                          {"24:00", false, QTime()}};
    for (const Case& c : cases) {
        QTime t;
        EXPECT_EQ(Scheduler::parseHour(c.text, &t), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(t, c.time) << c.text;
        }
    }
    EXPECT_EQ(Scheduler::formatHour(QTime(7, 5)), "7:05:00");
}

// Backups of real database files while another program writes to them.
class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_db = TestSupport::createDatabase(m_dir.path(), "firma.fdb");
        TestSupport::addAlias(m_dir.path(), "firma", m_db);
        TestSupport::writeFile(ini(), "[AliasDatabases]\nALIAS.firma.Str=Firma\n");
        {
            const QSqlDatabase db = DbEngine::openServerName(m_db, "setup");
            SqlQuery::executeDirect(db,
                                    "CREATE TABLE T_PROBE (ID INTEGER, V VARCHAR(40), D DATE, N INTEGER)");
        }
        DbEngine::closeConnection("setup");
    }
    QString ini() const { return m_dir.filePath("brel.ini"); }
    DatabaseBackup backup() const {
        return DatabaseBackup(ini(), AliasRegistry::defaultPath(m_dir.path()), DateConventions());
    }
    // The number a one-column query (column N) gives on a database file.
    static int number(const QString& file, const QString& sql) {
        int n = -1;
        {
            SqlQuery q(DbEngine::openServerName(file, "probe"));
            q.prepare(sql);
            q.open();
            n = q.fieldInt("N");
        }
        DbEngine::closeConnection("probe");
        return n;
    }
    static int count(const QString& file) { return number(file, "SELECT COUNT(*) AS N FROM T_PROBE"); }
    static int backupState(const QString& file) {
        return number(file, "SELECT MON$BACKUP_STATE AS N FROM MON$DATABASE");
    }
    static QString check(const QString& file) {
        QProcess gfix;
        gfix.setProcessChannelMode(QProcess::MergedChannels);
        gfix.start("gfix", {"-v", "-full", "-user", "BREL", "-password", "qzvh", file});
        gfix.waitForFinished(60000);
        return QString::number(gfix.exitCode()) + ":" + QString::fromLocal8Bit(gfix.readAll()).trimmed();
    }

    QTemporaryDir m_dir;
    QString m_db;
};

TEST_F(BackupTest, CopiesGoWhereTheRulesSay) {
    QTemporaryDir elsewhere;
    TestSupport::addAlias(m_dir.path(), "zdalna", "serwer.example:/srv/kolm/zdalna.fdb");
    TestSupport::addAlias(m_dir.path(), "lokalna", "LocalHost:" + m_db);
    const DatabaseBackup b = backup();
    EXPECT_EQ(b.copyPath("firma", m_db, QDate(2024, 5, 17)),
              m_dir.filePath("firma/Backup/firma_2024-05-17.fdb").chopped(4) + ".gdb");
    TestSupport::writeFile(ini(),
                           "[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\nBACKUP.firma.Str=" +
                               elsewhere.path().toUtf8() + "\n");
    EXPECT_EQ(b.copyPath("firma", m_db, QDate(2024, 5, 17)),
              elsewhere.filePath("firma/Backup/firma_2024-05-17.gdb"));
    TestSupport::writeFile(ini(), "[AliasDatabases]\nALIAS.zdalna.Str=Z\nALIAS.lokalna.Str=L\n");
    DatabaseBackup second = backup();
    EXPECT_TRUE(second.BackupDatabases(QDate(2024, 5, 17)));
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath("lokalna/Backup/firma_2024-05-17.gdb")));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("zdalna")));
}

TEST_F(BackupTest, ADateFormatWithSlashesNamesTheCopyWithoutMakingFolders) {
    TestSupport::writeFile(
        ini(), "[AliasDatabases]\nALIAS.firma.Str=Firma\n[BackupSettings]\nBACKUP.IleKopii.Str=2\n");
    DateConventions slashes;
    slashes.ApplyDateFormat("dd/MM/yyyy");
    DatabaseBackup b(ini(), AliasRegistry::defaultPath(m_dir.path()), slashes);
    const QString folder = m_dir.filePath("firma/Backup");
    EXPECT_EQ(b.copyPath("firma", m_db, QDate(2024, 5, 17)), folder + "/firma_17-05-2024.gdb");
    for (int day = 15; day <= 17; ++day) {
        ASSERT_TRUE(b.BackupDatabases(QDate(2024, 5, day))) << day;
        QFile copy(QString("%1/firma_%2-05-2024.gdb").arg(folder).arg(day));
        ASSERT_TRUE(copy.open(QIODevice::ReadWrite)) << day;
        copy.setFileTime(QDateTime(QDate(2024, 5, day), QTime(22, 0)), QFileDevice::FileModificationTime);
    }
    // Every copy was seen by the retention: the two newest are left, and no folders of date parts.
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"firma_16-05-2024.gdb", "firma_17-05-2024.gdb"}));
    EXPECT_EQ(check(folder + "/firma_17-05-2024.gdb"), "0:");
}

TEST_F(BackupTest, RetentionKeepsTheNewestCopiesOfEachDatabaseOnly) {
    struct Case {
        QByteArray setting;
        QStringList kept; // days of the copies left, after backups of days 1 to 4
        bool warned;
    };
    const Case cases[] = {
        {"", {"01", "02", "03", "04"}, false},
        {"BACKUP.IleKopii.Str=0\n", {"01", "02", "03", "04"}, false},
        {"BACKUP.IleKopii.Str=2\n", {"03", "04"}, false},
        {"BACKUP.IleKopii.Str=1\n", {"04"}, false},
        {"BACKUP.IleKopii.Str=dwie\n", {"01", "02", "03", "04"}, true},
        {"BACKUP.IleKopii.Str=-3\n", {"01", "02", "03", "04"}, true},
    };
    const QString folder = m_dir.filePath("firma/Backup");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting.toStdString());
        QDir(m_dir.filePath("firma")).removeRecursively();
        QDir().mkpath(folder);
        // Not copies of this database: another database's copy, a file of the user's, a link.
        TestSupport::writeFile(folder + "/inna_2026-12-01.gdb", "x");
        TestSupport::writeFile(folder + "/notatki.txt", "x");
        QFile::link(folder + "/inna_2026-12-01.gdb", folder + "/firma_2020-01-01.gdb");
        TestSupport::writeFile(ini(),
                               "[AliasDatabases]\nALIAS.firma.Str=Firma\n[BackupSettings]\n" + c.setting);
        QString said;
        for (int day = 1; day <= 4; ++day) {
            // Each backup as the assistant's thread takes it: in a process of its own, with its
            // standard error read back.
            QProcess p;
            p.start(TestSupport::helperPath(),
                    {"backup", m_dir.path(), QDate(2026, 12, day).toString(Qt::ISODate)});
            ASSERT_TRUE(p.waitForFinished(60000));
            ASSERT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), "done");
            said += QString::fromUtf8(p.readAllStandardError());
            // Taken a day apart: the newest copy is the newest file.
            QFile copy(QString("%1/firma_2026-12-%2.gdb").arg(folder).arg(day, 2, 10, QLatin1Char('0')));
            ASSERT_TRUE(copy.open(QIODevice::ReadWrite));
            copy.setFileTime(QDateTime(QDate(2026, 12, day), QTime(22, 0)),
                             QFileDevice::FileModificationTime);
        }
        QStringList kept;
        for (const QString& name : QDir(folder).entryList({"firma_2026-12-*.gdb"}, QDir::Files, QDir::Name))
            kept << name.mid(14, 2);
        EXPECT_EQ(kept, c.kept);
        EXPECT_TRUE(QFileInfo::exists(folder + "/inna_2026-12-01.gdb"));
        EXPECT_TRUE(QFileInfo::exists(folder + "/notatki.txt"));
        EXPECT_TRUE(QFileInfo(folder + "/firma_2020-01-01.gdb").isSymLink());
        EXPECT_EQ(said.contains("BACKUP.IleKopii.Str"), c.warned) << said.toStdString();
        if (c.warned) {
            EXPECT_EQ(said.count('\n'), 4) << "one line per backup run";
        }
    }
}

TEST_F(BackupTest, ACopyTakenWhileRowsGoInOpensCleanlyAndHoldsEveryEarlierRow) {
    QProcess writer;
    writer.start(TestSupport::helperPath(), {"db-insert-loop", m_db});
    ASSERT_TRUE(writer.waitForReadyRead(10000));
    QThread::msleep(200);
    const int before = count(m_db);
    ASSERT_GT(before, 0);
    DatabaseBackup b = backup();
    EXPECT_TRUE(b.BackupDatabases(QDate(2024, 5, 17)));
    QThread::msleep(100);
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished();
    const QString copy = m_dir.filePath("firma/Backup/firma_2024-05-17.gdb");
    ASSERT_TRUE(QFileInfo::exists(copy));
    EXPECT_EQ(check(copy), "0:");
    EXPECT_GE(count(copy), before);
    EXPECT_EQ(backupState(copy), 0);
    EXPECT_EQ(backupState(m_db), 0);
    EXPECT_GT(count(m_db), count(copy)) << "the writer went on while the copy was taken";
    std::printf("rows: %d before the backup, %d in the copy\n", before, count(copy));
}

TEST_F(BackupTest, AKilledBackupLeavesTheEarlierCopyAndNoBackupStateAfterTheNextStart) {
    // The copy of the day taken earlier.
    ASSERT_TRUE(backup().BackupDatabases(QDate(2024, 5, 17)));
    const QString copy = m_dir.filePath("firma/Backup/firma_2024-05-17.gdb");
    // What a kill right after the database entered its backup state leaves: that state, and a
    // partial copy under its temporary name.
    {
        const QSqlDatabase db = DbEngine::openServerName(m_db, "freeze");
        SqlQuery::executeDirect(db, "ALTER DATABASE BEGIN BACKUP");
    }
    DbEngine::closeConnection("freeze");
    TestSupport::writeFile(m_dir.filePath("firma/Backup/.firma_2024-05-17.gdb.Ab12Cd"), "partial");
    ASSERT_EQ(backupState(m_db), 1);
    const QByteArray earlier = TestSupport::readFile(copy);
    backup().endStalledBackups();
    EXPECT_EQ(backupState(m_db), 0);
    EXPECT_EQ(TestSupport::readFile(copy), earlier);

    // Backups killed at any moment.
    for (int round = 0; round < 8; ++round) {
        const QByteArray good = TestSupport::readFile(copy);
        QProcess run;
        run.start(TestSupport::helperPath(), {"backup", m_dir.path(), "2024-05-17"});
        ASSERT_TRUE(run.waitForStarted());
        QThread::msleep(TestSupport::random().bounded(20, 160));
        ::kill(pid_t(run.processId()), SIGKILL);
        run.waitForFinished();
        // Either the earlier copy or a new whole one.
        const QByteArray now = TestSupport::readFile(copy);
        if (now != good) {
            EXPECT_EQ(check(copy), "0:") << round;
        }
        // The next start ends a backup state the killed one left.
        backup().endStalledBackups();
        EXPECT_EQ(backupState(m_db), 0) << round;
    }
    // And the next backup, some time later, works and leaves no temporary copies of the killed
    // ones. Right after a killed one the engine may still be merging what the killed one left:
    // a later try goes through.
    for (const QFileInfo& left :
         QDir(m_dir.filePath("firma/Backup")).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile file(left.absoluteFilePath());
        if (left.fileName().startsWith('.') && file.open(QIODevice::ReadWrite))
            file.setFileTime(QDateTime::currentDateTime().addSecs(-SafeFile::LeftoverAgeSeconds - 60),
                             QFileDevice::FileModificationTime);
    }
    bool done = false;
    for (int attempt = 0; attempt < 100 && !done; ++attempt) {
        done = backup().BackupDatabases(QDate(2024, 5, 17));
        if (!done)
            QThread::msleep(100);
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(QDir(m_dir.filePath("firma/Backup")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"firma_2024-05-17.gdb"});
    EXPECT_EQ(check(copy), "0:");
}

} // namespace

namespace {

// The assistant starting the real kolmrap, as the scheduler and the runner window do.
class ReportStartTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        m_runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        TestSupport::installProgram("kolmrap", m_dir.path());
        addUser(5, "admin", storedHash("Admin123!"), 1, "'2026-12-01 08:00:00'");
        TestSupport::writeFile(m_dir.filePath("brel.ini"),
                               "[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                               "[PathDatabases]\nASYST.firma.Str=\n[AsystentSettings]\nASYST.PracAdm.Str=T\n"
                               "ASYST.DataAsys.Str=2026-01-01\n");
    }
    void TearDown() override {
        qputenv("XDG_RUNTIME_DIR", m_runtimeBefore);
        MainFormFixture::TearDown();
    }
    // The arguments of a running process, its program first.
    static QStringList commandLine(qint64 pid) {
        const QByteArray raw = TestSupport::readFile(QStringLiteral("/proc/%1/cmdline").arg(pid));
        QStringList out;
        for (const QByteArray& part : raw.split('\0'))
            if (!part.isEmpty())
                out << QString::fromLocal8Bit(part);
        return out;
    }
    static void waitForEnd(qint64 pid) {
        // Ended when gone or a zombie that nobody has reaped yet.
        auto running = [pid] {
            const QList<QByteArray> stat =
                TestSupport::readFile(QStringLiteral("/proc/%1/stat").arg(pid)).split(' ');
            return stat.size() > 2 && stat[2] != "Z";
        };
        QDeadlineTimer deadline(60000);
        while (running() && !deadline.hasExpired())
            QThread::msleep(20);
    }
    QString dataAsys() const {
        return TMyIniFile(m_dir.filePath("brel.ini")).ReadAsystentSetting("ASYST", "DataAsys");
    }

    QTemporaryDir m_runtime;
    QByteArray m_runtimeBefore;
};

TEST_F(ReportStartTest, ThePasswordTypedAtTheLoginReachesKolmrapThroughItsStandardInputOnly) {
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const QString program = m_dir.filePath("kolmrap");

    // Nobody logged in: the configuration digit only.
    qint64 pid = m_form->ModulClickNew("kolmrap.exe ");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(commandLine(pid), (QStringList{program, "0"}));
    // Not a child of the assistant: quitting the assistant never ends a running report.
    const QList<QByteArray> stat = TestSupport::readFile(QStringLiteral("/proc/%1/stat").arg(pid)).split(' ');
    if (stat.size() > 3) {
        EXPECT_NE(stat[3].toLongLong(), qint64(::getpid()));
    }
    waitForEnd(pid);
    EXPECT_EQ(dataAsys(), "2026-01-01");

    // Logged in through the dialog: the user and "-", the password on standard input.
    answerLogin("admin", "Admin123!");
    m_form->mLogoClick();
    ASSERT_EQ(m_session->UserId(), 5) << m_messages.texts().join('|').toStdString();
    pid = m_form->ModulClickNew("kolmrap.exe ");
    ASSERT_GT(pid, 0);
    const QStringList line = commandLine(pid);
    EXPECT_EQ(line, (QStringList{program, "0", "admin", "-"}));
    EXPECT_FALSE(line.join(' ').contains("Admin123!"));
    waitForEnd(pid);
    EXPECT_EQ(dataAsys(), today) << "kolmrap logged in with the password";

    // The login gate brings the remembered user back with the stored hash: the typed password
    // still goes.
    TMyIniFile(m_dir.filePath("brel.ini")).WriteAsystentSetting("ASYST", "DataAsys", "2026-01-01");
    m_form->bEndClick();
    m_form->mPokaz->trigger();
    EXPECT_NE(m_session->UserPassword(), "Admin123!") << "the gate keeps the stored hash";
    pid = m_form->ModulClickNew("kolmrap.exe ");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(commandLine(pid), (QStringList{program, "0", "admin", "-"}));
    waitForEnd(pid);
    EXPECT_EQ(dataAsys(), today);

    // A remembered user without a password typed in this assistant: no user at all.
    createForm();
    pid = m_form->ModulClickNew("kolmrap.exe ");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(commandLine(pid), (QStringList{program, "0"}));
    waitForEnd(pid);
    // A program that is not there starts nothing.
    QFile::remove(program);
    EXPECT_EQ(m_form->ModulClickNew("kolmrap.exe "), 0);
}

} // namespace

namespace {

using ReportWindowTest = ReportStartTest;

TEST_F(ReportWindowTest, OneBackupAtATimeOnAThreadAndItsDayRecordedWhenItSucceeded) {
    QSignalSpy ended(m_form.get(), &TfrmMainForm::backupEnded);
    EXPECT_TRUE(m_form->startBackup(QDate(2026, 12, 10)));
    EXPECT_TRUE(m_form->backupRunning());
    EXPECT_FALSE(m_form->startBackup(QDate(2026, 12, 10))) << "a second one while the first runs";
    ASSERT_TRUE(ended.wait(30000));
    EXPECT_FALSE(m_form->backupRunning());
    EXPECT_TRUE(ended.first().first().toBool());
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath("firma/Backup/test_2026-12-10.gdb")));
    EXPECT_EQ(TMyIniFile(m_dir.filePath("brel.ini")).ReadBackupSetting("BACKUP", "DataBackup"), "2026-12-10");
}

TEST_F(ReportWindowTest, ABackupStillRunningWhenTheAssistantEndsIsFinishedAndRecorded) {
    ASSERT_TRUE(m_form->startBackup(QDate(2026, 12, 11)));
    destroyForm(); // the end of the program, as after "Koniec" or a stop signal
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath("firma/Backup/test_2026-12-11.gdb")));
    EXPECT_EQ(QDir(m_dir.filePath("firma/Backup")).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no copy left half made";
    EXPECT_EQ(TMyIniFile(m_dir.filePath("brel.ini")).ReadBackupSetting("BACKUP", "DataBackup"), "2026-12-11");
}

// Opens the runner, lets its run end, and tells what the window showed then.
struct RunnerOutcome {
    bool finishedLabel = false;
    bool errorLabel = false;
    bool buttonShown = false;
    int progressSteps = 0;
    QString details;
};

TEST_F(ReportWindowTest, TheRunnerShowsSuccessAfterARealRunAndTheErrorOtherwise) {
    answerLogin("admin", "Admin123!");
    m_form->mLogoClick();
    ASSERT_EQ(m_session->UserId(), 5);
    TfrmRaport* window = m_form->reportWindow();
    window->runner().setStepMs(20);
    RunnerOutcome outcome;
    QObject::connect(&window->runner(), &ReportRunner::progress, window,
                     [&](int) { ++outcome.progressSteps; });
    // Connected after the window's own handler: the labels are set when this one looks.
    QObject::connect(&window->runner(), &ReportRunner::finished, window, [&, window](bool) {
        outcome.finishedLabel = window->lInfoK->isVisible();
        outcome.errorLabel = window->lInfoErr->isVisible();
        outcome.buttonShown = window->bOk->isVisible();
        outcome.details = window->lDetails->isVisible() ? window->lDetails->text() : QString();
        window->bOk->click();
    });
    auto run = [&] {
        outcome = RunnerOutcome();
        m_form->bRaportClick();
        return outcome;
    };
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");

    const RunnerOutcome ok = run();
    EXPECT_TRUE(ok.finishedLabel);
    EXPECT_FALSE(ok.errorLabel);
    EXPECT_TRUE(ok.buttonShown);
    EXPECT_GE(ok.progressSteps, ReportRunner::Steps) << "the bar moved while the window waited";
    EXPECT_EQ(dataAsys(), today);
    // Where the files went.
    EXPECT_EQ(ok.details, "Raporty zapisano w:\n" + m_dir.filePath("firma/Raporty"));

    // kolmrap refuses the login: the error with kolmrap's reason, and the date the run found.
    exec("UPDATE APRAWADOSTEPU SET HASLO = '" + storedHash("Inne123!") + "' WHERE ID = 5");
    TMyIniFile(m_dir.filePath("brel.ini")).WriteAsystentSetting("ASYST", "DataAsys", "2026-01-01");
    const RunnerOutcome refused = run();
    EXPECT_TRUE(refused.errorLabel);
    EXPECT_FALSE(refused.finishedLabel);
    EXPECT_TRUE(refused.details.contains("UWAGA: Niepoprawne HASŁO lub NAZWA"))
        << refused.details.toStdString();
    EXPECT_EQ(dataAsys(), "2026-01-01");

    // Nobody logged in: kolmrap cannot log in, and the user is told how to mend it.
    m_form->mWylogo->trigger();
    const RunnerOutcome loggedOut = run();
    EXPECT_TRUE(loggedOut.errorLabel);
    EXPECT_TRUE(loggedOut.details.contains("bez logowania użytkownika")) << loggedOut.details.toStdString();
    EXPECT_TRUE(loggedOut.details.contains("zaloguj się")) << loggedOut.details.toUtf8().toStdString();

    // No kolmrap at all.
    QFile::remove(m_dir.filePath("kolmrap"));
    const RunnerOutcome missing = run();
    EXPECT_TRUE(missing.errorLabel);
    EXPECT_TRUE(missing.details.startsWith("Nie znaleziono programu kolmrap w folderze " + m_dir.path()))
        << missing.details.toStdString();
    EXPECT_EQ(dataAsys(), "2026-01-01");
    EXPECT_EQ(window->property("helpContext").toInt(), 3300);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Raport końcowy"));
}

} // namespace
