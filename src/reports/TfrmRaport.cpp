#include "TfrmRaport.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Clock.h"
#include "DbEngine.h"
#include "MessageService.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "ReportLogin.h"
#include "SectionReport.h"
#include "SqlQuery.h"
#include "StructureLookup.h"

#include <QDir>
#include <future>
#include <QElapsedTimer>
#include <QSqlQuery>

const QString TfrmRaport::ProjectResource = QStringLiteral(":/project/summary.json");

namespace {

const QString kAsyst = QStringLiteral("ASYST");

// "Temp" + the time of day as a fraction of a day, times factor.
QString tempTableName(double factor) {
    const double fraction = Clock::instance().now().time().msecsSinceStartOfDay() / 86400000.0;
    return QStringLiteral("Temp") + QString::number(qint64(fraction * factor));
}

void dropIgnoringErrors(const QSqlDatabase& db, const QString& table) {
    if (table.isEmpty())
        return;
    QSqlQuery q(db);
    q.exec(QStringLiteral(" DROP TABLE ") + table);
}

// Fills a temporary table inside one transaction, a few hundred rows per statement: the
// engine then parses a block once for many rows instead of running one statement per row.
void fillTable(const QSqlDatabase& db, const QString& table, const QStringList& entries, bool withPosition) {
    constexpr int kRowsPerBlock = 200; // the engine allows 256 table references per statement
    QSqlDatabase conn = db;
    if (!conn.transaction())
        DbEngine::raise(conn.lastError());
    try {
        const QString insert = QStringLiteral("INSERT INTO ") + table +
                               (withPosition ? QStringLiteral(" (Id,Poz) VALUES (") : QStringLiteral(" (IdPom) VALUES ("));
        for (int start = 0; start < entries.size(); start += kRowsPerBlock) {
            QString block = QStringLiteral("EXECUTE BLOCK AS BEGIN\n");
            const int end = qMin(start + kRowsPerBlock, int(entries.size()));
            for (int i = start; i < end; ++i) {
                // Entries are whole numbers; written back in decimal they cannot carry SQL.
                block += insert + QString::number(entries[i].toInt());
                if (withPosition)
                    block += QLatin1Char(',') + QString::number(i + 1);
                block += QStringLiteral(");\n");
            }
            block += QStringLiteral("END");
            QSqlQuery q(conn);
            if (!q.exec(block) || q.lastError().isValid())
                DbEngine::raise(q.lastError());
        }
        if (!conn.commit())
            DbEngine::raise(conn.lastError());
    } catch (...) {
        conn.rollback();
        throw;
    }
}

} // namespace

TfrmRaport::TfrmRaport(AppContext& app) : m_app(app) {}

TfrmRaport::~TfrmRaport() = default;

void TfrmRaport::setTableNames(const QString& positionTable, const QString& idTable) {
    m_tabelaPoz = positionTable;
    m_tabelaId = idTable;
}

bool TfrmRaport::FormCreate() {
    m_dataRaportu = Clock::instance().today();
    TMyIniFile& ini = m_app.settings();
    m_app.dates().ApplyDateFormat(ini.ReadSavedSetting(QStringLiteral("GLOBAL"), QStringLiteral("FormDaty")));
    m_sortByCode = ini.ReadAsystentSetting(kAsyst, QStringLiteral("SortStrukList")) == QLatin1String("Kod");
    try {
        m_project = std::make_unique<ReportProject>(ReportProject::fromFile(ProjectResource));
        m_listaRaportow = m_project->reportNames();
    } catch (const ReportEngineError& e) {
        progress(QStringLiteral("Błąd projektu raportu: ") + e.text());
    }
    m_succeeded = false;
    try {
        m_zapamietanyAlias = ini.ReadAliasName();
        if (!m_project)
            throw EKolmError(QStringLiteral("no report project"));
        m_succeeded = ProcessDatabases();
        if (m_succeeded)
            ini.WriteAsystentSetting(kAsyst, QStringLiteral("DataAsys"), m_app.dates().formatDate(m_dataRaportu));
    } catch (const EKolmError& e) {
        progress(QStringLiteral("Przebieg przerwany: ") + e.text());
        m_succeeded = false;
    } catch (const std::exception& e) {
        progress(QStringLiteral("Przebieg przerwany: ") + QString::fromLocal8Bit(e.what()));
        m_succeeded = false;
    }
    try {
        if (!m_zapamietanyAlias.isEmpty())
            ini.WriteAliasName(m_zapamietanyAlias);
    } catch (const EKolmError&) {
        m_succeeded = false;
    }
    progress(m_succeeded ? QStringLiteral("Raport wykonany; data ostatniego raportu: ") +
                               m_app.dates().formatDate(m_dataRaportu)
                         : QStringLiteral("Raport nie został wykonany w całości; data ostatniego raportu bez zmian"));
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
    struct Restore {
        DateConventions& target;
        const DateConventions& saved;
        ~Restore() { target = saved; }
    } restore{dates, userDates};

    QStringList lines;
    m_app.settings().ReadAliasDatabases(lines);
    if (lines.isEmpty())
        progress(QStringLiteral("Brak baz danych w pliku konfiguracyjnym ") + m_app.configFileName());
    for (const QString& line : lines) {
        const QString alias = TMyIniFile::aliasOfLine(line);
        if (!IsInterBaseAlias(AliasRegistry(m_app.aliasRegistryPath()), alias)) {
            progress(QStringLiteral("Baza \"%1\": pominięta (nie jest aliasem bazy systemu)").arg(alias));
            continue;
        }
        QString root = m_app.settings().ReadPathDatabase(kAsyst, alias);
        // No entry at all is the program's folder too, never a folder named after the marker.
        if (root.isEmpty() || root == TMyIniFile::Missing)
            root = m_app.programFolder();
        const QString folder = QDir(root).filePath(alias);
        const QString reports = QDir(folder).filePath(QStringLiteral("Raporty"));
        if (!QDir().mkpath(folder) || !QDir().mkpath(reports)) {
            progress(QStringLiteral("Baza \"%1\": nie można utworzyć folderu %2").arg(alias, QDir::toNativeSeparators(reports)));
            result = false;
            continue;
        }
        m_app.settings().WriteAliasName(alias);
        m_app.karty().GetDatabase();
        if (!LoginFromCommandLine()) {
            progress(QStringLiteral("Baza \"%1\": bez logowania użytkownika, raporty pominięte").arg(alias));
            m_app.karty().CloseDatabase();
            continue;
        }
        progress(QStringLiteral("Baza \"%1\": raporty w %2").arg(alias, QDir::toNativeSeparators(reports)));
        {
            const QSqlDatabase db = m_app.karty().GetDatabase();
            m_tree.LoadStructureTree(db, m_dataRaportu, m_sortByCode);
            m_lookup = std::make_unique<StructureLookup>(db);
        }
        try {
            RunReports(reports);
            result = true;
        } catch (const EKolmError& e) {
            progress(QStringLiteral("Baza \"%1\": błąd: %2").arg(alias, e.text()));
            result = false;
        } catch (const ReportEngineError& e) {
            progress(QStringLiteral("Baza \"%1\": błąd: %2").arg(alias, e.text()));
            result = false;
        } catch (const std::exception& e) {
            progress(QStringLiteral("Baza \"%1\": błąd: %2").arg(alias, QString::fromLocal8Bit(e.what())));
            result = false;
        }
        m_lookup.reset();
        m_app.karty().CloseDatabase();
    }
    return result;
}

bool TfrmRaport::LoginFromCommandLine() {
    const QString digit = m_app.argument(0), name = m_app.argument(1), password = m_app.argument(2);
    if (digit.isEmpty() || name.isEmpty() || password.isEmpty())
        return false;
    if (!m_login)
        m_login = std::make_unique<ReportLogin>(m_app.karty(), m_app.messages());
    return m_login->BitBtn1Click(name, password);
}

bool TfrmRaport::sectionAllowed(int nrRaportu) const {
    const TPrawaDostepu* rights = m_login ? m_login->Rights() : nullptr;
    if (!rights)
        return false;
    switch (nrRaportu) {
    case 0:
    case 1:
    case 4:
        return rights->WINNE != 0;
    case 2:
    case 3:
        return rights->AWydruk != 0;
    case 5:
    case 6:
        return rights->DWydruk != 0;
    default:
        return rights->BWydruk != 0;
    }
}

// A section whose queries are read and whose file is being written on a worker thread while
// the next section's queries run: the report needs no database once its rows are fetched.
struct TfrmRaport::PendingSection {
    std::unique_ptr<SectionReport> report;
    std::future<void> writing;
    QString output;
    SectionTiming timing;
    qint64 writeMs = 0; // set by the writing thread
};

void TfrmRaport::finishSection(PendingSection& pending) {
    if (!pending.report)
        return;
    // Rethrows what went wrong while writing; the section then counts as failed.
    auto report = std::move(pending.report);
    pending.writing.get();
    pending.timing.renderMs = pending.writeMs;
    pending.timing.pages = report->pageCount();
    for (int level = 0; level < 3; ++level)
        pending.timing.rows += report->rows(level).rowCount();
    m_timings << pending.timing;
    m_written << pending.output;
    progress(QStringLiteral("  %1: %2 (%3 str.)").arg(pending.timing.name, pending.output).arg(pending.timing.pages));
}

void TfrmRaport::RunReports(const QString& reportsFolder) {
    const QSqlDatabase db = m_app.karty().GetDatabase();
    QElapsedTimer preload;
    preload.start();
    m_lookup->preload();
    qint64 lookupMs = preload.elapsed();
    PendingSection pending;
    // Whatever ends the loop, the file being written is waited for (and its error is kept
    // from being lost when another one is on its way out).
    struct Wait {
        PendingSection& pending;
        ~Wait() {
            if (pending.writing.valid())
                pending.writing.wait();
        }
    } wait{pending};
    for (int i = 0; i < m_listaRaportow.size(); ++i) {
        const QString name = m_listaRaportow[i];
        if (m_app.settings().ReadAsystentSetting(kAsyst, name) != QLatin1String("T"))
            continue;
        m_nrRaportu = i;
        m_tabelaPoz = tempTableName(1000000.0);
        m_tabelaId = tempTableName(10000000.0);
        const QString sectionFolder = QDir(reportsFolder).filePath(name);
        QDir().mkpath(sectionFolder);
        const QString output = QDir::toNativeSeparators(
            QDir(sectionFolder).filePath(name + m_app.dates().formatDate(m_dataRaportu) + QStringLiteral(".pdf")));
        if (!sectionAllowed(i)) {
            progress(QStringLiteral("  %1: brak uprawnień użytkownika").arg(name));
            continue;
        }
        const int index = SectionSql::SectionNames.indexOf(name);
        SectionTiming timing;
        timing.name = name;
        timing.lookupMs = lookupMs; // counted once, with the first section
        lookupMs = 0;
        QElapsedTimer clock;
        clock.start();
        SectionReport::Context context;
        context.db = db;
        context.runDate = m_dataRaportu;
        context.nrRaportu = index;
        context.lookup = m_lookup.get();
        auto report = std::make_unique<SectionReport>(*m_project, context);
        {
            // The section's temporary tables go whatever happens, as soon as its rows are read.
            struct Drop {
                TfrmRaport* self;
                const QSqlDatabase& db;
                ~Drop() {
                    self->DropPositionTable(db);
                    self->DropIdTable(db);
                }
            } drop{this, db};
            const SelectionTables tables = index == 3 ? SelectionTables() : PrepareSelection(db);
            timing.selectionMs = clock.restart();
            try {
                report->open(SectionSql::prepare(index, tables));
            } catch (const EDBEngineError& e) {
                // A section whose queries cannot be opened ends this database's sections.
                finishSection(pending);
                progress(QStringLiteral("  %1: błąd bazy danych, pozostałe raporty tej bazy pominięte: %2")
                             .arg(name, e.text()));
                return;
            }
            timing.openMs = clock.restart();
        }
        if (m_observer)
            m_observer(i, *report);
        finishSection(pending);
        pending.report = std::move(report);
        pending.output = output;
        pending.timing = timing;
        SectionReport* writing = pending.report.get();
        qint64* writeMs = &pending.writeMs;
        pending.writing = std::async(std::launch::async, [writing, output, writeMs] {
            QElapsedTimer timer;
            timer.start();
            writing->executeToPdf(output);
            *writeMs = timer.elapsed();
        });
    }
    finishSection(pending);
}

void TfrmRaport::DropPositionTable(const QSqlDatabase& db) { dropIgnoringErrors(db, m_tabelaPoz); }

void TfrmRaport::DropIdTable(const QSqlDatabase& db) { dropIgnoringErrors(db, m_tabelaId); }

SelectionTables TfrmRaport::PrepareSelection(const QSqlDatabase& db) {
    SelectionTables out;
    const QString list = m_tree.SelectedWorkstations();
    const QStringList entries = list.isEmpty() ? QStringList() : list.split(QLatin1Char(','));
    const int separators = list.count(QLatin1Char(','));
    const bool useIdTable = separators > 400;
    if (useIdTable) {
        DropIdTable(db);
        QSqlQuery create(db);
        create.exec(QStringLiteral(" CREATE TABLE ") + m_tabelaId + QStringLiteral(" (IdPom Integer)"));
        out.clause = QStringLiteral(" OStrukt.Id = ") + m_tabelaId + QStringLiteral(".IdPom AND ");
        out.idTableUsed = true;
    } else if (!list.isEmpty()) {
        out.clause = QStringLiteral(" OStrukt.Id IN ( ") + list + QStringLiteral(" ) AND ");
    } else {
        out.clause = QStringLiteral(" OStrukt.Id IN ( -1 ) AND ");
    }
    DropPositionTable(db);
    SqlQuery::executeDirect(db, QStringList{QStringLiteral(" CREATE TABLE ") + m_tabelaPoz + QStringLiteral(" ( "),
                                            QStringLiteral(" Id Integer, "), QStringLiteral(" Poz Integer)")}
                                    .join(QLatin1Char('\n')));
    fillTable(db, m_tabelaPoz, entries, true);
    // The id table holds the same entries: copied inside the engine in one statement.
    if (useIdTable)
        SqlQuery::executeDirect(db, QStringLiteral("INSERT INTO ") + m_tabelaId + QStringLiteral(" (IdPom) SELECT Id FROM ") +
                                        m_tabelaPoz);
    out.positionTable = m_tabelaPoz;
    out.idTable = m_tabelaId;
    return out;
}
