#include "AppContext.h"
#include "DatabaseFactory.h"
#include "DbEngine.h"
#include "InProcessRun.h"
#include "Sections.h"
#include "SqlQuery.h"
#include "TfrmRaport.h"
#include "UserFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace kolmrap;

namespace {

// The run over the databases on the demo organisation, driven in process.
class ReportRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_db = TestSupport::createDemoDatabase(m_dir.path());
        TestSupport::writeFile(
            m_dir.filePath("brel.ini"),
            "[Database]\nAliasName=wlasny\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
            "[PathDatabases]\nASYST.firma.Str=\n[AsystentSettings]\nASYST.DataAsys.Str=2026-01-01\n" +
                TestSupport::allSectionsOn());
    }

    bool run(const QStringList& args) {
        const InProcessRun r = runReportInProcess(m_dir.path(), args, m_messages, m_clock);
        m_written = r.written;
        return r.succeeded;
    }
    QString setting(const QString& name) {
        return TMyIniFile(m_dir.filePath("brel.ini")).ReadAsystentSetting("ASYST", name);
    }
    QString reports(const QString& root, const QString& alias = "firma") const {
        return QDir(root).filePath(alias + "/Raporty");
    }
    QStringList tempTables() {
        QStringList out;
        {
            const QSqlDatabase db = DbEngine::openServerName(m_db, "check");
            SqlQuery q(db);
            q.prepare("SELECT TRIM(RDB$RELATION_NAME) AS N FROM RDB$RELATIONS WHERE RDB$RELATION_NAME "
                      "STARTING WITH 'TEMP'");
            q.open();
            for (; !q.eof(); q.next())
                out << q.fieldText("N");
        }
        DbEngine::closeConnection("check");
        return out;
    }

    QTemporaryDir m_dir;
    QString m_db;
    ScriptedMessages m_messages;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(9, 15))};
    QStringList m_written;
};

TEST_F(ReportRunTest, WritesEverySectionAndTheRunDate) {
    TestSupport::writeFile(m_dir.filePath("brel.ini"),
                           TestSupport::readFile(m_dir.filePath("brel.ini")) +
                               "[SavedSettings]\nGLOBAL.FormDaty.Str=dd.MM.yyyy\n");
    ASSERT_TRUE(run({"0", "admin", "Admin123!"})) << m_messages.texts().join('|').toStdString();
    ASSERT_EQ(m_written.size(), 9);
    for (const SectionDescription& section : Sections::all()) {
        const QString& s = section.name;
        const QString file = reports(m_dir.path()) + "/" + s + "/" + s + "2026-12-10.pdf";
        EXPECT_TRUE(QFileInfo(file).size() > 1000) << file.toStdString();
    }
    EXPECT_EQ(setting("DataAsys"), "10.12.2026");
    EXPECT_EQ(TMyIniFile(m_dir.filePath("brel.ini")).ReadAliasName(), "wlasny");
    EXPECT_TRUE(tempTables().isEmpty()) << tempTables().join(',').toStdString();
    EXPECT_TRUE(m_messages.shown().isEmpty()) << m_messages.texts().join('|').toStdString();

    // A second run on the same day replaces the files.
    const QString one = m_written.first();
    QFile::resize(one, 10);
    ASSERT_TRUE(run({"0", "admin", "Admin123!"}));
    EXPECT_GT(QFileInfo(one).size(), 1000);
}

TEST_F(ReportRunTest, AFailedSectionStillDropsItsTemporaryTables) {
    // A file where the section's folder belongs: the report cannot be written.
    QDir().mkpath(reports(m_dir.path()));
    TestSupport::writeFile(reports(m_dir.path()) + "/StanAdm", "in the way");
    EXPECT_FALSE(run({"0", "admin", "Admin123!"}));
    EXPECT_EQ(setting("DataAsys"), "2026-01-01");
    EXPECT_EQ(m_written.size(), 2) << "the sections after the failed one are not produced";
    EXPECT_TRUE(tempTables().isEmpty()) << tempTables().join(',').toStdString();
    EXPECT_EQ(TMyIniFile(m_dir.filePath("brel.ini")).ReadAliasName(), "wlasny");
}

TEST_F(ReportRunTest, AReportOfTheProjectThatIsNoSectionIsAnErrorAtLoadTime) {
    QFile resource(TfrmRaport::ProjectResource);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    QByteArray json = resource.readAll();
    ASSERT_TRUE(json.contains("\"name\": \"TermRyz\""));
    json.replace("\"name\": \"TermRyz\"", "\"name\": \"TerminyRyz\"");
    const QString project = m_dir.filePath("project.json");
    TestSupport::writeFile(project, json);
    AppContext app(m_dir.path(), {"0", "admin", "Admin123!"}, m_messages);
    app.setClock(m_clock);
    TfrmRaport form(app);
    form.setProjectFile(project);
    QStringList told;
    form.setProgress([&](const QString& line) { told << line; });
    EXPECT_FALSE(form.FormCreate());
    EXPECT_TRUE(form.writtenFiles().isEmpty());
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told.first(),
              "Błąd projektu raportu: raport TerminyRyz nie jest sekcją raportu podsumowującego");
    EXPECT_EQ(setting("DataAsys"), "2026-01-01");
}

TEST_F(ReportRunTest, WithoutUserOnlyFoldersAreMade) {
    EXPECT_FALSE(run({"0"}));
    EXPECT_TRUE(QFileInfo(reports(m_dir.path())).isDir());
    EXPECT_TRUE(m_written.isEmpty());
    EXPECT_EQ(setting("DataAsys"), "2026-01-01");
    EXPECT_EQ(TMyIniFile(m_dir.filePath("brel.ini")).ReadAliasName(), "wlasny");
}

TEST_F(ReportRunTest, RightsGateLeavesSectionFoldersEmpty) {
    // kierownik has no right to the protective-equipment sections.
    ASSERT_TRUE(run({"0", "kierownik", "Kierownik1!"}));
    for (const QString& s : {QString("WyborDob"), QString("RoznDob")}) {
        const QDir folder(reports(m_dir.path()) + "/" + s);
        EXPECT_TRUE(folder.exists()) << s.toStdString();
        EXPECT_TRUE(folder.entryList(QDir::Files).isEmpty()) << s.toStdString();
    }
    EXPECT_EQ(m_written.size(), 7);
    EXPECT_EQ(setting("DataAsys"), "2026-12-10");
}

TEST_F(ReportRunTest, WrongPasswordIsReportedAndTheDatabaseSkipped) {
    EXPECT_FALSE(run({"0", "admin", "zle"}));
    EXPECT_EQ(m_messages.texts(), QStringList{"Niepoprawne HASŁO lub NAZWA"});
    EXPECT_TRUE(m_written.isEmpty());
    EXPECT_EQ(setting("DataAsys"), "2026-01-01");
}

TEST_F(ReportRunTest, RootFolders) {
    QTemporaryDir elsewhere;
    struct Case {
        QByteArray entry;     // the [PathDatabases] line, or empty for none
        QString expectedRoot; // where the reports go; empty: nowhere (the run fails)
    };
    const QString blocker = elsewhere.filePath("plik");
    TestSupport::writeFile(blocker, "not a folder");
    const Case cases[] = {
        {"ASYST.firma.Str=" + elsewhere.path().toUtf8(), elsewhere.path()},
        {"ASYST.firma.Str=", m_dir.path()},
        {"", m_dir.path()},
        {"ASYST.firma.Str=" + blocker.toUtf8(), QString()},
    };
    for (const Case& c : cases) {
        QByteArray ini = "[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\n" + c.entry +
                         "\n[AsystentSettings]\nASYST.DataAsys.Str=2026-01-01\nASYST.PracAdm.Str=T\n";
        TestSupport::writeFile(m_dir.filePath("brel.ini"), ini);
        QDir(m_dir.filePath("firma")).removeRecursively();
        QDir(elsewhere.filePath("firma")).removeRecursively();
        const bool ok = run({"0", "admin", "Admin123!"});
        EXPECT_EQ(ok, !c.expectedRoot.isEmpty()) << c.entry.toStdString();
        if (c.expectedRoot.isEmpty()) {
            EXPECT_EQ(setting("DataAsys"), "2026-01-01");
            continue;
        }
        EXPECT_TRUE(QFileInfo(reports(c.expectedRoot) + "/PracAdm/PracAdm2026-12-10.pdf").exists())
            << c.entry.toStdString();
        EXPECT_FALSE(QFileInfo(m_dir.filePath("INI FILE ERROR")).exists());
    }
}

TEST_F(ReportRunTest, ADatabaseThatCannotBeOpenedStopsNoOtherButFailsTheRun) {
    QDir().mkpath(m_dir.filePath("drugi"));
    const QString second = TestSupport::createDemoDatabase(m_dir.filePath("drugi"));
    TestSupport::addAlias(m_dir.path(), "drugi", second);
    TestSupport::addAlias(m_dir.path(), "zgubiona", m_dir.filePath("nie-ma.fdb"));
    TestSupport::addAlias(m_dir.path(), "serwer", "127.0.0.1/1:/srv/kolm/zdalna.fdb");
    TestSupport::writeFile(
        m_dir.filePath("brel.ini"),
        "[AliasDatabases]\nALIAS.zgubiona.Str=A\nALIAS.firma.Str=B\nALIAS.serwer.Str=C\n"
        "ALIAS.drugi.Str=D\n[AsystentSettings]\nASYST.DataAsys.Str=2026-01-01\nASYST.StanAdm.Str=T\n");
    AppContext app(m_dir.path(), {"0", "admin", "Admin123!"}, m_messages);
    app.setClock(m_clock);
    TfrmRaport form(app);
    QStringList told;
    form.setProgress([&](const QString& line) { told << line; });
    EXPECT_FALSE(form.FormCreate());
    // The databases after the ones that could not be opened are written all the same.
    for (const char* alias : {"firma", "drugi"})
        EXPECT_TRUE(QFileInfo::exists(reports(m_dir.path(), alias) + "/StanAdm/StanAdm2026-12-10.pdf"))
            << alias;
    EXPECT_EQ(setting("DataAsys"), "2026-01-01");
    const QString all = told.join('\n');
    for (const char* alias : {"zgubiona", "serwer"})
        EXPECT_TRUE(all.contains(QStringLiteral("Baza \"%1\": Brak dostępu do bazy danych").arg(alias)))
            << all.toStdString();
    EXPECT_TRUE(all.contains("nie-ma.fdb")) << "the engine's reason";
    EXPECT_TRUE(told.last().endsWith("(bazy z błędami: zgubiona, serwer)")) << told.last().toStdString();
}

TEST_F(ReportRunTest, LastDatabaseDecidesTheOutcome) {
    const QString second = TestSupport::createDatabase(m_dir.path(), "drugi.fdb");
    TestSupport::addAlias(m_dir.path(), "drugi", second);
    QTemporaryDir elsewhere;
    const QString blocker = elsewhere.filePath("plik");
    TestSupport::writeFile(blocker, "x");
    struct Case {
        QByteArray secondRoot;
        bool ok;
    };
    // The second database has no users: its login fails and leaves the outcome as it was.
    // A folder that cannot be made turns it to failure.
    const Case cases[] = {{"", true}, {blocker.toUtf8(), false}};
    for (const Case& c : cases) {
        TestSupport::writeFile(
            m_dir.filePath("brel.ini"),
            "[AliasDatabases]\nALIAS.firma.Str=A\nALIAS.drugi.Str=B\nALIAS.nieznany.Str=C\n"
            "[PathDatabases]\nASYST.firma.Str=\nASYST.drugi.Str=" +
                c.secondRoot + "\n[AsystentSettings]\nASYST.DataAsys.Str=2026-01-01\nASYST.StanAdm.Str=T\n");
        m_messages.clear();
        EXPECT_EQ(run({"0", "admin", "Admin123!"}), c.ok) << c.secondRoot.toStdString();
        EXPECT_EQ(setting("DataAsys"), c.ok ? "2026-12-10" : "2026-01-01");
    }
}

} // namespace
