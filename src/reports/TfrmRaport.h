#pragma once

#include "ReportEngine.h"
#include "RunHistory.h"
#include "SectionSheet.h"
#include "SectionSql.h"
#include "SectionWriter.h"
#include "StructureTree.h"
#include "UnitSplit.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class AppContext;
class ReportLogin;

namespace kolmrap {

class SectionReport;
struct SectionDescription;
class StructureLookup;

// What a database's run wrote, for those who are told of it (the delivery by e-mail).
struct DatabaseOutcome {
    QString alias;
    QString description;
    QString reportsFolder;
    QStringList pdfs;
    QHash<QString, QString> titles; // of the sections written, by name
    QString workbook;               // empty without the workbook
    QVector<RunHistory::Line> history;
    struct Unit {
        OrgUnit unit;
        QString workbook;
        QVector<RunHistory::Line> history;
    };
    QVector<Unit> units;
};

// The report generator's run over the databases of the configuration file: for each database
// it logs the command-line user in, loads the structure valid on the run date and writes every
// enabled section the user may see as a PDF file. The program has no window; the outcome
// decides whether the date of the last report is written.
class TfrmRaport {
public:
    static const QString ProjectResource; // ":/project/summary.json"

    explicit TfrmRaport(AppContext& app);
    ~TfrmRaport();

    // The report project the run uses; the one built into the program unless set.
    void setProjectFile(const QString& path) { m_projectFile = path; }

    // The whole run; true when it succeeded.
    bool FormCreate();
    bool succeeded() const { return m_succeeded; }

    // A test hook: called for each section with its report just before it is written.
    using SectionObserver = std::function<void(const SectionDescription& section, SectionReport& report)>;
    void setSectionObserver(SectionObserver observer) { m_observer = std::move(observer); }
    // Where the run tells what it does, one line per step (kolmrap: standard error).
    void setProgress(std::function<void(const QString&)> progress) { m_progress = std::move(progress); }

    // Written files of the run, in order.
    const QStringList& writtenFiles() const { return m_written; }
    const QVector<SectionTiming>& timings() const { return m_timings; }
    // The databases written whole, in run order.
    const QVector<DatabaseOutcome>& outcomes() const { return m_outcomes; }
    // The wall time of the sections' queries on the connections that open them ahead (0 when
    // the run's thread opened them itself).
    qint64 openingMs() const { return m_openingMs; }

    // Asked at every safe point of the run; true ends the run there as failed (kolmrap: a
    // stop signal came).
    void setStopCheck(std::function<bool()> check) { m_stopCheck = std::move(check); }
    // Told the connection of each database the run visits, and an invalid one after it.
    // Told each connection whose statements a stop must cancel: slot 0 the run's own, 1 and 2
    // those that open the sections ahead (an invalid connection when one goes).
    void setConnectionWatch(std::function<void(const QSqlDatabase&, int slot)> watch) {
        m_watch = std::move(watch);
    }

    // Exposed for tests of the structure selection.
    StructureTree& tree() { return m_tree; }

private:
    bool ProcessDatabases();
    bool LoginFromCommandLine();
    void RunReports(const QString& reportsFolder);
    void checkStop() const;
    void fail(const QString& line);
    // A database of the run failed: said with its name and why, and named again at the end.
    void failDatabase(const QString& alias, const QString& why);
    bool sectionAllowed(const SectionDescription& section) const;
    // After a successful run: the run's messages kept for delivery and sent; what the server
    // says is told, and never changes the run's outcome.
    void deliverMail();
    // The run's lines of the history: the sections written and the lapsing items.
    QVector<RunHistory::Line> historyOf(const QVector<const SectionDescription*>& enabled,
                                        const QHash<QString, int>& printedRows, const SectionSheet& changes,
                                        const std::optional<SectionSheet>& lapse) const;
    // A unit's lines of the run: from its summary sheet and its lapsing items.
    QVector<RunHistory::Line> historyLines(const OrgUnit& unit, const SectionSheet& changes,
                                           const std::optional<SectionSheet>& lapse) const;
    void progress(const QString& line) const;

    AppContext& m_app;
    QDate m_dataRaportu;
    bool m_polishLetters = false;
    bool m_workbook = false;
    int m_horizonDays = 90;
    bool m_archival = false;
    int m_unitLevel = 0;
    QVector<DatabaseOutcome> m_outcomes;
    QString m_projectFile = ProjectResource;
    QStringList m_listaRaportow;
    bool m_sortByCode = false;
    bool m_succeeded = false;
    // Set by anything that went wrong in the run; the run then claims no success.
    bool m_failed = false;
    QStringList m_failedDatabases;
    StructureTree m_tree;
    std::unique_ptr<ReportProject> m_project;
    std::unique_ptr<ReportLogin> m_login;
    std::unique_ptr<StructureLookup> m_lookup;
    QString m_alias; // of the database being written
    QString m_description;
    qint64 m_openingMs = 0;
    SectionObserver m_observer;
    std::function<void(const QString&)> m_progress;
    std::function<bool()> m_stopCheck;
    std::function<void(const QSqlDatabase&, int slot)> m_watch;
    QStringList m_written;
    QVector<SectionTiming> m_timings;
};

} // namespace kolmrap
