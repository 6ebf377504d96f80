#include "TfrmRaport.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "ChangeSummary.h"
#include "DbEngine.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "LapseSheet.h"
#include "Mail.h"
#include "MailReport.h"
#include "ReportLogin.h"
#include "SectionPrefetch.h"
#include "SectionReport.h"
#include "SectionSheet.h"
#include "SectionWriter.h"
#include "Sections.h"
#include "SharedSettings.h"
#include "StructureLookup.h"
#include "TemporaryTables.h"
#include "UnitSplit.h"
#include "Workbook.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace kolmrap {

const QString TfrmRaport::ProjectResource = QStringLiteral(":/project/summary.json");

namespace {

// The run was stopped from outside (a stop signal).
class ERunStopped : public EKolmError {
public:
    using EKolmError::EKolmError;
};

// Values from the configuration file are echoed in messages at a readable length.
QString shortened(const QString& text) {
    constexpr int kMax = 80;
    return text.size() <= kMax ? text : text.left(kMax) + QStringLiteral("…");
}

// An alias names a folder under the report root: one that could lead out of it is refused.
bool isSafeFolderName(const QString& alias) {
    return !alias.contains(QLatin1Char('/')) && !alias.contains(QLatin1Char('\\')) &&
           !alias.contains(QStringLiteral("..")) && alias != QLatin1String(".");
}

QString errorText(const std::exception& e) {
    if (const auto* kolm = dynamic_cast<const EKolmError*>(&e))
        return kolm->text();
    if (const auto* engine = dynamic_cast<const ReportEngineError*>(&e))
        return engine->text();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

TfrmRaport::TfrmRaport(AppContext& app) : m_app(app) {}

TfrmRaport::~TfrmRaport() = default;

void TfrmRaport::checkStop() const {
    if (m_stopCheck && m_stopCheck())
        throw ERunStopped(QStringLiteral("otrzymano sygnał zakończenia"));
}

void TfrmRaport::fail(const QString& line) {
    m_failed = true;
    progress(line);
}

void TfrmRaport::failDatabase(const QString& alias, const QString& why) {
    if (!m_failedDatabases.contains(shortened(alias)))
        m_failedDatabases << shortened(alias);
    fail(QStringLiteral("Baza \"%1\": %2").arg(shortened(alias), why));
}

bool TfrmRaport::FormCreate() {
    m_dataRaportu = m_app.clock().today();
    TMyIniFile& ini = m_app.settings();
    m_app.dates().ApplyDateFormat(Settings::read(ini, Settings::DateFormat));
    m_sortByCode = Settings::read(ini, Settings::StructureOrder) == QLatin1String("Kod");
    m_polishLetters = Settings::polishLetters(ini);
    m_workbook = Settings::workbook(ini);
    m_horizonDays = m_workbook ? Settings::lapseHorizonDays(ini) : Settings::DefaultLapseHorizonDays;
    m_archival = Settings::pdfArchival(ini);
    m_unitLevel = m_workbook ? Settings::unitLevel(ini) : 0;
    m_outcomes.clear();
    try {
        m_project = std::make_unique<ReportProject>(ReportProject::fromFile(m_projectFile));
        m_listaRaportow = m_project->reportNames();
        for (const QString& name : m_listaRaportow)
            if (!Sections::find(name))
                throw ReportEngineError(
                    QStringLiteral("raport %1 nie jest sekcją raportu podsumowującego").arg(name));
    } catch (const ReportEngineError& e) {
        progress(QStringLiteral("Błąd projektu raportu: ") + e.text());
        m_project.reset();
    }
    m_succeeded = false;
    m_failed = false;
    m_failedDatabases.clear();
    // Databases are opened by their aliases: [Database] AliasName stays the user's choice, so
    // the assistant and the modules never follow the run from database to database.
    try {
        if (!m_project)
            throw EKolmError(QStringLiteral("no report project"));
        m_succeeded = ProcessDatabases() && !m_failed;
        checkStop();
        if (m_succeeded) {
            Settings::write(ini, Settings::LastReportDate, m_app.dates().formatDate(m_dataRaportu));
            deliverMail();
        }
    } catch (const EKolmError& e) {
        progress(QStringLiteral("Przebieg przerwany: ") + e.text());
        m_succeeded = false;
    } catch (const std::exception& e) {
        progress(QStringLiteral("Przebieg przerwany: ") + QString::fromLocal8Bit(e.what()));
        m_succeeded = false;
    }
    m_app.karty().CloseDatabase();
    m_app.karty().useAlias(QString());
    progress(m_succeeded
                 ? QStringLiteral("Raport wykonany; data ostatniego raportu: ") +
                       m_app.dates().formatDate(m_dataRaportu)
                 : QStringLiteral("Raport nie został wykonany w całości; data ostatniego raportu bez zmian") +
                       (m_failedDatabases.isEmpty()
                            ? QString()
                            : QStringLiteral(" (bazy z błędami: %1)")
                                  .arg(m_failedDatabases.join(QStringLiteral(", ")))));
    m_app.requestEnd();
    return m_succeeded;
}

void TfrmRaport::progress(const QString& line) const {
    if (m_progress)
        m_progress(line);
}

bool TfrmRaport::ProcessDatabases() {
    bool result = false;
    // Dates written during the run (file names, the six-month limit) use the start-up format.
    DateConventions& dates = m_app.dates();
    const DateConventions userDates = dates;
    dates = DateConventions();
    const auto restoreDates = qScopeGuard([&] { dates = userDates; });
    const auto forgetConnection = qScopeGuard([this] {
        if (m_watch)
            m_watch(QSqlDatabase(), 0);
    });

    const QVector<Settings::ListedDatabase> databases =
        Settings::listedDatabases(m_app.settings(), AliasRegistry(m_app.aliasRegistryPath()));
    if (databases.isEmpty())
        progress(QStringLiteral("Brak baz danych w pliku konfiguracyjnym ") + m_app.configFileName());
    for (const Settings::ListedDatabase& database : databases) {
        checkStop();
        const QString& alias = database.alias;
        const QString shown = shortened(alias);
        if (!database.suiteAlias) {
            progress(QStringLiteral("Baza \"%1\": pominięta (nie jest aliasem bazy systemu)").arg(shown));
            continue;
        }
        if (!isSafeFolderName(alias)) {
            fail(QStringLiteral(
                     "Baza \"%1\": pominięta, nazwa aliasu nie może zawierać \"/\", \"\\\" ani \"..\"")
                     .arg(shown));
            result = false;
            continue;
        }
        // No entry at all is the default root too, never a folder named after the marker.
        const QString reports = m_app.installation().reportsFolder(m_app.settings(), alias);
        try {
            SafeFile::makeFolders(reports);
        } catch (const EFileWriteError& e) {
            failDatabase(alias, e.text());
            result = false;
            continue;
        }
        m_app.karty().useAlias(alias);
        m_alias = alias;
        m_description = database.description;
        // No copy of the connection outlives this step: it is closed before the next database.
        QString reason;
        if (!m_app.karty().OpenDatabase(&reason)) {
            // One database that cannot be opened fails the run, but the others are still written.
            m_app.karty().CloseDatabase();
            checkStop();
            failDatabase(alias, SharedConnection::AccessMessage.trimmed() + QStringLiteral(": ") + reason);
            result = false;
            continue;
        }
        if (m_watch)
            m_watch(m_app.karty().GetDatabase(), 0);
        if (!LoginFromCommandLine()) {
            progress(QStringLiteral("Baza \"%1\": bez logowania użytkownika, raporty pominięte").arg(shown));
            m_app.karty().CloseDatabase();
            continue;
        }
        progress(QStringLiteral("Baza \"%1\": raporty w %2").arg(shown, QDir::toNativeSeparators(reports)));
        m_tree.LoadStructureTree(m_app.karty().GetDatabase(), m_dataRaportu, m_sortByCode);
        m_lookup = std::make_unique<StructureLookup>(m_app.karty().GetDatabase());
        try {
            RunReports(reports);
            result = true;
        } catch (const ERunStopped&) {
            throw;
        } catch (const std::exception& e) {
            // A statement cancelled by a stop signal is the stop, not an error of the database.
            checkStop();
            failDatabase(alias, QStringLiteral("błąd: ") + errorText(e));
            result = false;
        }
        m_lookup.reset();
        if (m_watch)
            m_watch(QSqlDatabase(), 0);
        m_app.karty().CloseDatabase();
    }
    return result;
}

bool TfrmRaport::LoginFromCommandLine() {
    const CommandLine& line = m_app.commandLine();
    if (line.configuration.isEmpty() || line.userName.isEmpty() || line.password.isEmpty())
        return false;
    if (!m_login)
        m_login = std::make_unique<ReportLogin>(m_app.karty(), m_app.messages());
    return m_login->BitBtn1Click(line.userName, line.password);
}

bool TfrmRaport::sectionAllowed(const SectionDescription& section) const {
    const TPrawaDostepu* rights = m_login ? m_login->Rights() : nullptr;
    return rights && rights->*section.right != 0;
}

void TfrmRaport::RunReports(const QString& reportsFolder) {
    const QSqlDatabase db = m_app.karty().GetDatabase();
    // The project's sections that are switched on, in project order.
    QVector<const SectionDescription*> enabled;
    for (const QString& name : m_listaRaportow)
        if (Settings::sectionOn(m_app.settings(), Settings::sectionIndex(name)))
            enabled << Sections::find(name);
    QElapsedTimer preload;
    preload.start();
    m_lookup->preload(std::any_of(enabled.cbegin(), enabled.cend(),
                                  [](const SectionDescription* s) { return s->printsGroups(); }));
    qint64 lookupMs = preload.elapsed();
    if (!enabled.isEmpty())
        TemporaryTables::prepareDatabase(db);
    QVector<SectionSheet> sheets;
    // The lines each written section printed, for the history.
    QHash<QString, int> printedRows;
    QStringList pdfs;
    SectionWriter writer(
        [this, &printedRows, &pdfs](const SectionTiming& timing, const QString& output) {
            printedRows.insert(timing.name, timing.printedRows);
            pdfs << output;
            m_timings << timing;
            m_written << output;
            progress(QStringLiteral("  %1: %2 (%3 str.)").arg(timing.name, output).arg(timing.pages));
        },
        [this] { checkStop(); });
    // The sections' queries run ahead on two connections of their own when the run may use
    // more than one thread (and no observer wants to see each section on this thread).
    // The structure selection is the same for every section of the database: written into a
    // connection's temporary tables once, on its first section that uses it, and gone with the
    // end of this database's run.
    struct LaneTables {
        explicit LaneTables(const QSqlDatabase& db) : tables(db) {}
        TemporaryTables tables;
        std::optional<SelectionTables> selection;
    };
    std::optional<LaneTables> tables; // of this thread's connection
    // Of the lanes' connections, each touched by its own lane's thread only.
    std::array<std::optional<LaneTables>, SectionPrefetch::Lanes> laneTables;
    const QString selected = m_tree.SelectedWorkstations();
    auto openSection = [this, &selected](const QSqlDatabase& on, const SectionDescription& section,
                                         SectionTiming& timing, LaneTables& lane) {
        QElapsedTimer clock;
        clock.start();
        SectionReport::Context context;
        context.db = on;
        context.runDate = m_dataRaportu;
        context.section = &section;
        context.lookup = m_lookup.get();
        context.polishLetters = m_polishLetters;
        context.archival = m_archival;
        auto report = std::make_unique<SectionReport>(*m_project, context);
        if (section.usesSelection && !lane.selection)
            lane.selection = lane.tables.fill(selected);
        timing.selectionMs = clock.restart();
        report->open(section.statements(section.usesSelection ? *lane.selection : SelectionTables()));
        timing.openMs = clock.restart();
        report->releaseDatabase();
        return report;
    };
    // The working copy's record of a section (with the workbook), the letters as stored whatever
    // the PDF prints; taken on the thread that opened the section.
    std::vector<std::optional<SectionSheet>> records(size_t(Settings::SectionCount));
    auto record = [this, &records](const SectionDescription& section, SectionReport& report) {
        report.setPolishLetters(true);
        records[size_t(section.index)] =
            SectionSheet::fromRecord(section.name, report.executeToRecord(),
                                     [&report](const PrintedBand& b) { return report.stationOf(b); });
        report.setPolishLetters(m_polishLetters);
    };
    std::unique_ptr<SectionPrefetch> prefetch;
    if (SectionWriter::threadsToUse() > 1 && !m_observer) {
        QVector<SectionPrefetch::Section> toOpen;
        for (const SectionDescription* section : enabled)
            if (sectionAllowed(*section))
                toOpen << SectionPrefetch::Section{section, SectionTiming{section->name}};
        const QString registry = m_app.aliasRegistryPath();
        const QString alias = m_alias;
        const auto watch = m_watch;
        prefetch = std::make_unique<SectionPrefetch>(
            toOpen,
            [registry, alias, watch](int lane) {
                const QSqlDatabase opened = DbEngine::openConnection(
                    AliasRegistry(registry), alias, QStringLiteral("kolmrap-lane%1").arg(lane));
                // A stop cancels what this connection runs too.
                if (watch)
                    watch(opened, lane + 1);
                return opened;
            },
            [watch, &laneTables](int lane) {
                if (watch)
                    watch(QSqlDatabase(), lane + 1);
                // The lane's temporary tables go before its connection.
                laneTables[size_t(lane)].reset();
                DbEngine::closeConnection(QStringLiteral("kolmrap-lane%1").arg(lane));
            },
            [this, openSection, record, &laneTables](
                int lane, const QSqlDatabase& on, const SectionDescription& section, SectionTiming& timing) {
                std::optional<LaneTables>& tables = laneTables[size_t(lane)];
                if (!tables)
                    tables.emplace(on);
                auto report = openSection(on, section, timing, *tables);
                if (m_workbook)
                    record(section, *report);
                return report;
            });
    }
    // The lapsing items (the workbook's sheet, the history's counts) need only this thread's
    // connection: read while the sections' queries run ahead, or after them when this thread
    // opens the sections itself. The history counts up to 90 days whatever the sheet's horizon.
    std::optional<SectionSheet> lapse;
    std::exception_ptr workbookError;
    bool lapseTried = false;
    auto readLapses = [&] {
        if (lapseTried)
            return;
        lapseTried = true;
        try {
            lapse = LapseSheet::build(db, *m_lookup, m_dataRaportu, std::max(m_horizonDays, 90));
        } catch (const std::exception& e) {
            if (m_workbook)
                workbookError = std::current_exception();
            else
                progress(QStringLiteral("  Historia: bez liczby wygasających pozycji: ") + errorText(e));
        }
    };
    if (prefetch)
        readLapses();
    int taken = 0;
    for (const SectionDescription* section : enabled) {
        const QString& name = section->name;
        checkStop();
        const QString sectionFolder = QDir(reportsFolder).filePath(name);
        try {
            SafeFile::makeFolders(sectionFolder);
        } catch (const EFileWriteError&) {
            // The section written before this one is still told as written.
            writer.finish();
            throw;
        }
        const QString output = QDir::toNativeSeparators(
            QDir(sectionFolder)
                .filePath(name + m_app.dates().formatDate(m_dataRaportu) + QStringLiteral(".pdf")));
        if (!sectionAllowed(*section)) {
            progress(QStringLiteral("  %1: brak uprawnień użytkownika").arg(name));
            continue;
        }
        SectionTiming timing;
        timing.name = name;
        std::unique_ptr<SectionReport> report;
        try {
            if (prefetch) {
                SectionPrefetch::Opened opened = prefetch->take(taken++, [this] { checkStop(); });
                if (opened.error)
                    std::rethrow_exception(opened.error);
                report = std::move(opened.report);
                timing = opened.timing;
            } else {
                if (!tables)
                    tables.emplace(db);
                report = openSection(db, *section, timing, *tables);
            }
        } catch (const EDBEngineError& e) {
            checkStop();
            // A section whose queries cannot be opened ends this database's sections, and
            // the run does not count as done.
            writer.finish();
            fail(QStringLiteral("  %1: błąd bazy danych, pozostałe raporty tej bazy pominięte: %2")
                     .arg(name, e.text()));
            return;
        }
        timing.lookupMs = lookupMs; // counted once, with the first section
        lookupMs = 0;
        checkStop();
        if (m_observer)
            m_observer(*section, *report);
        if (m_workbook) {
            if (!prefetch)
                record(*section, *report);
            sheets << std::move(*records[size_t(section->index)]);
        }
        writer.write(std::move(report), output, timing);
    }
    if (prefetch)
        m_openingMs += prefetch->openingMs();
    // The workbooks are made while the last PDFs are written, and written themselves only after
    // them: the sections are told first, and a section that failed leaves no workbook.
    struct PendingWorkbook {
        QString file;
        QByteArray bytes;
        QString caption; // the unit's, empty for the organisation's
        int sheets = 0;
    };
    QVector<PendingWorkbook> workbooks;
    SectionSheet changes;
    QVector<OrgUnit> units;
    QVector<SectionSheet> unitChanges;
    if (!enabled.isEmpty())
        readLapses();
    if (m_workbook && !sheets.isEmpty() && !workbookError) {
        try {
            const QString date = m_dataRaportu.toString(QStringLiteral("yyyy-MM-dd"));
            const QString folder = QDir(reportsFolder).filePath(QStringLiteral("Arkusz"));
            SafeFile::makeFolders(folder);
            const SectionSheet lapsing = LapseSheet::within(*lapse, m_horizonDays);
            changes = ChangeSummary::build(sheets, ChangeSummary::newestEarlier(folder, m_dataRaportu));
            // The sheets' rows are the lines the PDFs print: the history of this run is known now,
            // and the summary sheet charts it with the runs before.
            for (const SectionSheet& s : sheets)
                printedRows.insert(s.name, int(s.rows.size()));
            const QVector<RunHistory::Line> run = historyOf(enabled, printedRows, changes, lapse);
            const QString name = QStringLiteral("Raport") + date + QStringLiteral(".xlsx");
            QVector<SectionSheet> all{changes};
            all << sheets << lapsing;
            workbooks << PendingWorkbook{
                QDir(folder).filePath(name),
                Workbook::build(all, RunHistory::merged(RunHistory::read(reportsFolder), run)), QString(),
                int(all.size())};
            // Each unit its own rows: the sections that list workstations, and its lapsing items.
            units = UnitSplit::unitsOf(m_tree, m_unitLevel);
            for (const OrgUnit& unit : units) {
                checkStop();
                QVector<SectionSheet> own;
                for (const SectionSheet& s : sheets)
                    if (Sections::find(s.name) && Sections::find(s.name)->structureRows)
                        own << s.onlyStations(unit.stations);
                const QString unitFolder = QDir(folder).filePath(unit.folder);
                SafeFile::makeFolders(unitFolder);
                SectionSheet summary =
                    ChangeSummary::build(own, ChangeSummary::newestEarlier(unitFolder, m_dataRaportu));
                unitChanges << summary;
                int rows = 0;
                for (const SectionSheet& s : own)
                    rows += int(s.rows.size());
                summary.rows.prepend({QStringLiteral("Jednostka: ") + unit.caption(), QString(), QString(),
                                      QString(), QString()});
                if (rows == 0)
                    summary.rows << QVector<QVariant>{
                        QStringLiteral("W tej jednostce raport nie ma pozycji na dzień ") + date, QString(),
                        QString(), QString(), QString()};
                QVector<SectionSheet> book{summary};
                book << own << lapsing.onlyStations(unit.stations);
                workbooks << PendingWorkbook{QDir(unitFolder).filePath(name), Workbook::build(book),
                                             unit.caption(), int(book.size())};
            }
        } catch (const ERunStopped&) {
            writer.finish();
            throw;
        } catch (...) {
            workbookError = std::current_exception();
        }
    }
    writer.finish();
    // A workbook that is not written (no section was) cannot fail the run.
    if (workbookError && !sheets.isEmpty())
        std::rethrow_exception(workbookError);
    DatabaseOutcome outcome;
    outcome.alias = m_alias;
    outcome.description = m_description;
    outcome.reportsFolder = reportsFolder;
    outcome.pdfs = pdfs;
    for (int i = 0; i < workbooks.size(); ++i) {
        const PendingWorkbook& book = workbooks[i];
        checkStop();
        SafeFile::replace(book.file, book.bytes, SafeFile::Links::Replace);
        m_written << QDir::toNativeSeparators(book.file);
        progress(QStringLiteral("  Arkusz%1: %2 (%3 ark.)")
                     .arg(book.caption.isEmpty() ? QString() : QStringLiteral(" jednostki ") + book.caption,
                          QDir::toNativeSeparators(book.file))
                     .arg(book.sheets));
        if (i == 0)
            outcome.workbook = book.file;
        else
            outcome.units << DatabaseOutcome::Unit{units[i - 1], book.file,
                                                   historyLines(units[i - 1], unitChanges[i - 1], lapse)};
    }
    outcome.history = historyOf(enabled, printedRows, changes, lapse);
    for (const RunHistory::Line& line : outcome.history)
        if (Sections::find(line.section))
            outcome.titles.insert(line.section, m_project->createReport(line.section).title());
    if (!outcome.history.isEmpty()) {
        checkStop();
        RunHistory::record(reportsFolder, outcome.history, [this](const QString& line) { progress(line); });
    }
    m_outcomes << outcome;
}

void TfrmRaport::deliverMail() {
    const Mail::Settings mail = Mail::Settings::read(m_app.settings());
    if (!mail.on || m_outcomes.isEmpty())
        return;
    if (const QString problem = mail.problem(); !problem.isEmpty()) {
        progress(QStringLiteral("Poczta: %1; raport nie został wysłany").arg(problem));
        return;
    }
    QString password;
    QString passwordError;
    if (!mail.user.isEmpty())
        password = Mail::readPassword(mail.passwordFile, m_app.settings().fileName(), &passwordError);
    for (const DatabaseOutcome& outcome : m_outcomes) {
        QStringList notes;
        const QVector<Mail::Message> messages =
            MailReport::messages(outcome, outcome.description, m_dataRaportu, mail, &notes);
        for (const QString& note : notes)
            progress(QStringLiteral("Poczta: ") + note);
        // Whatever the mail does, the run stays done: its errors are said, never thrown.
        try {
            Mail::Outbox outbox(outcome.reportsFolder);
            for (const Mail::Message& m : messages)
                outbox.add(m, m_app.clock().now());
            if (!passwordError.isEmpty()) {
                progress(
                    QStringLiteral("Poczta: %1; wiadomości czekają na następną próbę").arg(passwordError));
                continue;
            }
            QStringList untried;
            for (const Mail::Message& m : messages)
                untried << m.id;
            for (const Mail::Outbox::Entry& e : outbox.deliver(
                     mail, password, m_app.clock().now(), [this] { return m_stopCheck && m_stopCheck(); })) {
                untried.removeAll(e.message.id);
                const QString to = e.message.to.join(QStringLiteral(", "));
                switch (e.state) {
                case Mail::Outbox::State::Sent:
                    progress(QStringLiteral("Poczta: wysłano „%1” do %2 (%3)")
                                 .arg(e.message.subject, to, e.lastReply));
                    break;
                case Mail::Outbox::State::Pending:
                    progress(
                        QStringLiteral("Poczta: nie wysłano „%1” do %2: %3; ponowna próba przy następnym "
                                       "sprawdzeniu harmonogramu przez asystenta")
                            .arg(e.message.subject, to, e.lastReply));
                    break;
                default:
                    progress(QStringLiteral("Poczta: „%1” do %2: %3 (%4)")
                                 .arg(e.message.subject, to, Mail::stateText(e.state), e.lastReply));
                    break;
                }
            }
            if (!untried.isEmpty())
                progress(QStringLiteral("Poczta: %1 wiadomości czeka na wysłanie (wysyła teraz inny program)")
                             .arg(untried.size()));
        } catch (const EKolmError& e) {
            progress(QStringLiteral("Poczta: ") + e.text());
        }
    }
}

QVector<RunHistory::Line> TfrmRaport::historyOf(const QVector<const SectionDescription*>& enabled,
                                                const QHash<QString, int>& printedRows,
                                                const SectionSheet& changes,
                                                const std::optional<SectionSheet>& lapse) const {
    // A line per section written, and one of the lapsing items.
    QVector<RunHistory::Line> lines;
    for (const SectionDescription* section : enabled) {
        if (!printedRows.contains(section->name))
            continue;
        RunHistory::Line line;
        line.date = m_dataRaportu;
        line.section = section->name;
        line.rows = printedRows.value(section->name);
        for (const QVector<QVariant>& row : changes.rows)
            if (row.value(0).toString() == section->name && row.value(2).metaType().id() == QMetaType::Int) {
                line.newRows = row[2].toInt();
                line.resolved = row[3].toInt();
            }
        lines << line;
    }
    if (lapse && !lines.isEmpty()) {
        RunHistory::Line line;
        line.date = m_dataRaportu;
        line.section = RunHistory::LapseLine;
        line.lapsing30 = LapseSheet::lapsingWithin(*lapse, 30);
        line.lapsing90 = LapseSheet::lapsingWithin(*lapse, 90);
        lines << line;
    }
    return lines;
}

QVector<RunHistory::Line> TfrmRaport::historyLines(const OrgUnit& unit, const SectionSheet& changes,
                                                   const std::optional<SectionSheet>& lapse) const {
    QVector<RunHistory::Line> lines;
    for (const QVector<QVariant>& row : changes.rows) {
        RunHistory::Line line;
        line.date = m_dataRaportu;
        line.section = row.value(0).toString();
        line.rows = row.value(1).toInt();
        if (row.value(2).metaType().id() == QMetaType::Int) {
            line.newRows = row[2].toInt();
            line.resolved = row[3].toInt();
        }
        lines << line;
    }
    if (lapse) {
        const SectionSheet own = lapse->onlyStations(unit.stations);
        RunHistory::Line line;
        line.date = m_dataRaportu;
        line.section = RunHistory::LapseLine;
        line.lapsing30 = LapseSheet::lapsingWithin(own, 30);
        line.lapsing90 = LapseSheet::lapsingWithin(own, 90);
        lines << line;
    }
    return lines;
}

} // namespace kolmrap
