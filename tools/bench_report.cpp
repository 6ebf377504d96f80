// bench_report: the cost of a full summary report on a synthetic organisation.
//   bench_report <small|medium|large> [--db file.fdb] [--out table.txt] [--runs N]
// Creates the organisation once (kept in the given file, by default /tmp/kolm-bench/org-<size>.fdb),
// times the sections' queries alone as the floor the run cannot beat, runs every section in
// process on one thread for a breakdown per section (the layout and PDF time without anything
// beside it), and again as kolmrap runs them (the queries' time beside the writers), then the
// kolmrap program itself, in rounds next to their own measure of the limit, for its wall time and
// peak memory, against the two-core limit: (floor + layout and PDF) / 2.
#include "AliasRegistry.h"
#include "AppContext.h"
#include "DbEngine.h"
#include "Errors.h"
#include "MessageService.h"
#include "OrgGenerator.h"
#include "QueryRowSet.h"
#include "SectionSql.h"
#include "SectionWriter.h"
#include "Sections.h"
#include "SharedSettings.h"
#include "TemporaryTables.h"
#include "TfrmRaport.h"
#include "platform/ResourceUsage.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace kolmrap;

namespace {

QString g_table;

void out(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    g_table += line + QLatin1Char('\n');
}

void writeConfig(const QString& folder, const QString& db) {
    AliasRegistry registry(AliasRegistry::defaultPath(folder));
    registry.addAlias(QStringLiteral("bench"), AliasRegistry::InterBaseDriver,
                      {QStringLiteral("SERVER NAME=") + db});
    registry.save();
    TMyIniFile ini(QDir(folder).filePath(QStringLiteral("brel.ini")));
    ini.Update([](IniDocument& doc) {
        doc.setValue(TMyIniFile::AliasDatabasesSection, Settings::descriptionKey(QStringLiteral("bench")),
                     QStringLiteral("Benchmark"));
        doc.setValue(TMyIniFile::PathDatabasesSection,
                     Settings::folderKey(Settings::Folder::Reports, QStringLiteral("bench")), QString());
        for (int i = 0; i < Settings::SectionCount; ++i)
            Settings::set(doc, Settings::sectionSwitch(i), Settings::flag(true));
    });
}

// The sections' queries alone, opened and fetched whole, over a prepared selection.
QVector<qint64> floorTimes(const QString& folder, StdErrMessageService& messages, const QString& dumpFolder) {
    QVector<qint64> times;
    AppContext app(folder, {}, messages);
    app.settings().WriteAliasName(QStringLiteral("bench"));
    {
        const QSqlDatabase db = app.karty().GetDatabase();
        TfrmRaport form(app);
        form.tree().LoadStructureTree(db, QDate::currentDate(), false);
        TemporaryTables::prepareDatabase(db);
        TemporaryTables selection(db);
        const SelectionTables tables = selection.fill(form.tree().SelectedWorkstations());
        QVariantHash params;
        params.insert(QStringLiteral("nowdata"), QDate::currentDate());
        params.insert(QStringLiteral("od"), QDate::currentDate().startOfDay());
        params.insert(QStringLiteral("do"), SectionSql::sixMonthsLater(QDate::currentDate()).startOfDay());
        params.insert(QStringLiteral("zerodata"), QDate(1899, 12, 30));
        for (const SectionDescription& section : Sections::all()) {
            if (!dumpFolder.isEmpty()) {
                // The statements with their parameters written in, for looking at plans in isql.
                for (const SectionQuery& q : section.statements(tables).queries) {
                    QString sql = q.sql;
                    sql.replace(QStringLiteral(":nowdata"), QLatin1Char('\'') +
                                                                QDate::currentDate().toString(Qt::ISODate) +
                                                                QLatin1Char('\''));
                    sql.replace(QStringLiteral(":od"), QLatin1Char('\'') +
                                                           QDate::currentDate().toString(Qt::ISODate) +
                                                           QLatin1Char('\''));
                    sql.replace(QStringLiteral(":do"),
                                QLatin1Char('\'') +
                                    SectionSql::sixMonthsLater(QDate::currentDate()).toString(Qt::ISODate) +
                                    QLatin1Char('\''));
                    sql.replace(QStringLiteral(":zerodata"), QStringLiteral("'1899-12-30'"));
                    QFile f(QDir(dumpFolder).filePath(q.name + QStringLiteral(".sql")));
                    if (f.open(QIODevice::WriteOnly))
                        f.write(sql.toUtf8() + ";\n");
                }
            }
            QElapsedTimer timer;
            timer.start();
            for (const SectionQuery& q : section.statements(tables).queries) {
                QueryRowSet rows;
                rows.open(db, q.sql, params, {});
            }
            times << timer.elapsed();
        }
    }
    app.karty().CloseDatabase();
    return times;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = application.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(
            stderr,
            "usage: bench_report <small|medium|large> [--db file.fdb] [--out table.txt] [--runs N]\n");
        return 64;
    }
    auto option = [&](const char* name, const QString& fallback) {
        const int at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
    };
    const QString size = args[0];
    const QString dbPath = option("--db", QStringLiteral("/tmp/kolm-bench/org-%1.fdb").arg(size));
    const QString outPath = option("--out", QStringLiteral("bench-report-%1.txt").arg(size));
    StdErrMessageService messages;
    try {
        if (!QFileInfo::exists(dbPath)) {
            QDir().mkpath(QFileInfo(dbPath).absolutePath());
            QElapsedTimer timer;
            timer.start();
            const auto c =
                OrgGenerator::generate(dbPath, OrgGenerator::sizeNamed(size), 1, QDate::currentDate());
            std::printf("generated %s: %d workstations, %d factor rows in %.1f s\n", qPrintable(dbPath),
                        c.workstations, c.factorRows, timer.elapsed() / 1000.0);
        }
        QTemporaryDir folder;
        writeConfig(folder.path(), dbPath);

        out(QStringLiteral("Summary report benchmark, size %1 (%2)").arg(size, dbPath));
        // The floor is the better of two passes per section: the first also warms the caches (of
        // the system and of the engine) for every run after it.
        const QVector<qint64> firstPass =
            floorTimes(folder.path(), messages, option("--dump-sql", QString()));
        QVector<qint64> floor = floorTimes(folder.path(), messages, QString());
        qint64 firstPassSum = 0;
        for (int i = 0; i < floor.size(); ++i) {
            firstPassSum += firstPass.value(i);
            floor[i] = std::min(floor[i], firstPass.value(i));
        }
        if (args.contains(QStringLiteral("--floor-only"))) {
            qint64 sum = 0;
            for (qint64 f : floor)
                sum += f;
            out(QStringLiteral("the sections' queries alone (the floor): %1 ms (first pass %2 ms)")
                    .arg(sum)
                    .arg(firstPassSum));
            return 0;
        }

        // The run in process, with the writing threads given (0: as kolmrap chooses).
        const QStringList runArguments{QStringLiteral("0"), QStringLiteral("admin"),
                                       QStringLiteral("Admin123!")};
        qint64 openingMs = 0;
        auto runInProcess = [&](int threads, qint64* wallMs) {
            if (threads > 0)
                qputenv("KOLM_THREADS", QByteArray::number(threads));
            else
                qunsetenv("KOLM_THREADS");
            QElapsedTimer total;
            total.start();
            QVector<SectionTiming> result;
            {
                AppContext app(folder.path(), runArguments, messages);
                TfrmRaport form(app);
                if (!form.FormCreate())
                    throw EKolmError(QStringLiteral("the run failed"));
                result = form.timings();
                openingMs = form.openingMs();
            }
            *wallMs = total.elapsed();
            qunsetenv("KOLM_THREADS");
            return result;
        };
        qint64 inProcessMs = 0, parallelMs = 0;
        const QVector<SectionTiming> timings = runInProcess(1, &inProcessMs);
        const QVector<SectionTiming> parallel = runInProcess(0, &parallelMs);

        out(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                .arg(QStringLiteral("section"), -10)
                .arg(QStringLiteral("select ms"), 10)
                .arg(QStringLiteral("open ms"), 9)
                .arg(QStringLiteral("lookup ms"), 10)
                .arg(QStringLiteral("layout+pdf ms"), 14)
                .arg(QStringLiteral("pages"), 6)
                .arg(QStringLiteral("rows"), 8)
                .arg(QStringLiteral("floor ms"), 9));
        qint64 sqlSum = 0, floorSum = 0, layoutSum = 0;
        int pages = 0;
        for (int i = 0; i < timings.size(); ++i) {
            const auto& t = timings[i];
            const qint64 f = floor.value(Sections::find(t.name) ? Sections::find(t.name)->index : -1);
            sqlSum += t.selectionMs + t.openMs + t.lookupMs;
            floorSum += f;
            layoutSum += t.renderMs;
            pages += t.pages;
            out(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                    .arg(t.name, -10)
                    .arg(t.selectionMs, 10)
                    .arg(t.openMs, 9)
                    .arg(t.lookupMs, 10)
                    .arg(t.renderMs, 14)
                    .arg(t.pages, 6)
                    .arg(t.rows, 8)
                    .arg(f, 9));
        }
        qint64 parallelSql = 0;
        for (const SectionTiming& t : parallel)
            parallelSql += t.selectionMs + t.openMs + t.lookupMs;
        auto ratio = [](qint64 a, qint64 b) { return b > 0 ? double(a) / double(b) : 0.0; };
        out(QStringLiteral("the sections' queries alone (the floor): %1 ms").arg(floorSum));
        out(QStringLiteral("on one thread: SQL %1 ms (%2 x the floor), layout and PDF %3 ms for %4 pages, "
                           "whole run %5 ms")
                .arg(sqlSum)
                .arg(ratio(sqlSum, floorSum), 0, 'f', 2)
                .arg(layoutSum)
                .arg(pages)
                .arg(inProcessMs));
        out(QStringLiteral(
                "as kolmrap runs it (%1 threads): SQL %2 ms summed over the sections (%3 x the floor), "
                "the queries' wall time %4 ms (%5 x the floor), whole run %6 ms")
                .arg(SectionWriter::threadsToUse())
                .arg(parallelSql)
                .arg(ratio(parallelSql, floorSum), 0, 'f', 2)
                .arg(openingMs)
                .arg(ratio(openingMs, floorSum), 0, 'f', 2)
                .arg(parallelMs));
        const qint64 limitMs = (floorSum + layoutSum) / 2;
        out(QStringLiteral("two-core limit = (floor + layout and PDF) / 2 = %1 ms").arg(limitMs));

        // The program itself, as the assistant starts it.
        const QString program = QDir(folder.path()).filePath(QStringLiteral("kolmrap"));
        QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kolmrap")),
                    program);
        QFile::setPermissions(program, QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
        // A virtual machine's speed drifts from minute to minute, and two busy cores slow each other
        // more at some moments than at others: the program is run in rounds (--runs, 3 by default),
        // each next to its own measure of the limit (the first round's is the one above), and the
        // medians of the rounds' ratios are compared.
        const int runs = std::max(1, option("--runs", QStringLiteral("3")).toInt());
        auto setWorkbook = [&](bool on) {
            TMyIniFile ini(QDir(folder.path()).filePath(QStringLiteral("brel.ini")));
            Settings::write(ini, Settings::Workbook, Settings::flag(on));
        };
        auto runProgram = [&](bool workbook, int* exitCode) {
            setWorkbook(workbook);
            QProcess run;
            QElapsedTimer wall;
            wall.start();
            run.start(program, {QStringLiteral("0"), QStringLiteral("admin"), QStringLiteral("Admin123!")});
            run.waitForFinished(-1);
            const qint64 ms = wall.elapsed();
            *exitCode = std::max(*exitCode, run.exitStatus() == QProcess::NormalExit ? run.exitCode() : 255);
            return ms;
        };
        auto median = [](QVector<double> v) {
            std::sort(v.begin(), v.end());
            return v.isEmpty() ? 0.0 : v[v.size() / 2];
        };
        QVector<double> plainRatios, bookRatios, bookShares, plainMs, bookMs;
        int exitCode = 0;
        double plainPeak = 0;
        for (int round = 0; round < runs; ++round) {
            qint64 roundLimit = limitMs;
            if (round > 0) {
                qint64 f = 0, l = 0, ignored = 0;
                for (qint64 t : floorTimes(folder.path(), messages, QString()))
                    f += t;
                for (const SectionTiming& t : runInProcess(1, &ignored))
                    l += t.renderMs;
                roundLimit = (f + l) / 2;
            }
            const qint64 plain = runProgram(false, &exitCode);
            if (round == 0)
                plainPeak = ResourceUsage::endedChildrenPeakMegabytes();
            const qint64 withBook = runProgram(true, &exitCode);
            // The in-process runs of the next round measure the limit without the workbook.
            setWorkbook(false);
            plainMs << double(plain);
            bookMs << double(withBook);
            plainRatios << ratio(plain, roundLimit);
            bookRatios << ratio(withBook, roundLimit);
            bookShares << 100.0 * (ratio(withBook, plain) - 1.0);
            out(QStringLiteral(
                    "round %1: limit %2 ms, kolmrap %3 ms = %4 x, with the workbook %5 ms = %6 x (%7 %)")
                    .arg(round + 1)
                    .arg(roundLimit)
                    .arg(plain)
                    .arg(plainRatios.last(), 0, 'f', 2)
                    .arg(withBook)
                    .arg(bookRatios.last(), 0, 'f', 2)
                    .arg(bookShares.last(), 0, 'f', 1));
        }
        out(QStringLiteral(
                "kolmrap: exit %1, median %2 ms = %3 x the limit (median of the rounds), peak memory "
                "%4 MB")
                .arg(exitCode)
                .arg(median(plainMs), 0, 'f', 0)
                .arg(median(plainRatios), 0, 'f', 2)
                .arg(plainPeak, 0, 'f', 1));
        const QString book = QDir(folder.path())
                                 .filePath(QStringLiteral("bench/Raporty/Arkusz/Raport") +
                                           QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
                                           QStringLiteral(".xlsx"));
        out(QStringLiteral("kolmrap with the workbook: median %1 ms = %2 x the limit, the workbook adds %3 % "
                           "(medians), peak memory %4 MB, workbook %5 KB")
                .arg(median(bookMs), 0, 'f', 0)
                .arg(median(bookRatios), 0, 'f', 2)
                .arg(median(bookShares), 0, 'f', 1)
                .arg(ResourceUsage::endedChildrenPeakMegabytes(), 0, 'f', 1)
                .arg(QFileInfo(book).size() / 1024));
        QFile file(outPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(g_table.toUtf8());
        std::printf("table written to %s\n", qPrintable(outPath));
        return 0;
    } catch (const EKolmError& e) {
        std::fprintf(stderr, "bench_report: %s\n", qPrintable(e.text()));
        return 1;
    }
}
