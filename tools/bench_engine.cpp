// Lays out and writes long sections of the summary report and prints pages per second:
//   bench_engine [--project <summary.json>] [--out <folder>]
// Without --out the PDFs go to a temporary folder that is removed at the end; with it they
// stay there for looking at.
#include "ReportEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class Rows : public IRowSet {
public:
    explicit Rows(const QStringList& fields) {
        for (int i = 0; i < fields.size(); ++i)
            m_columns.insert(fields[i], i);
    }
    void append(const QVariantList& row) { m_rows << row; }
    int rowCount() const override { return m_rows.size(); }
    QVariant value(int row, const QString& field) const override {
        return m_rows[row].value(m_columns.value(field, -1));
    }

private:
    QHash<QString, int> m_columns;
    QVector<QVariantList> m_rows;
};

void report(const char* what, int pages, qint64 ms) {
    std::printf("%-44s %6d pages %8lld ms %8.0f pages/s\n", what, pages, static_cast<long long>(ms),
                ms > 0 ? pages * 1000.0 / ms : 0.0);
}

void persons(const ReportProject& project, const QString& folder, int count) {
    Report r = project.createReport(QStringLiteral("PracAdm"));
    Rows rows({QStringLiteral("NAZWISKO"), QStringLiteral("IMIE"), QStringLiteral("PESEL")});
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("Kowalczyk-Nowakowska %1").arg(i), QStringLiteral("Józefa"),
                     QStringLiteral("%1").arg(80010100000LL + i)});
    r.setConnection(QStringLiteral("RvQa1_1Conn1"), &rows);
    QElapsedTimer t;
    t.start();
    r.executeToPdf(QDir(folder).filePath(QStringLiteral("PracAdm.pdf")));
    report(qPrintable(QStringLiteral("PracAdm, %1 persons").arg(count)), r.lastPageCount(), t.elapsed());
}

void factors(const ReportProject& project, const QString& folder, int itemCount, int perItem,
             int perStructure) {
    Report r = project.createReport(QStringLiteral("CzynnRyz"));
    Rows items({QStringLiteral("ID"), QStringLiteral("IDCZYNN"), QStringLiteral("NAZWA")});
    Rows structure({QStringLiteral("ID"), QStringLiteral("IDCZYNN")});
    Rows stations({QStringLiteral("SKROTNAZWA"), QStringLiteral("KOD"), QStringLiteral("ID"),
                   QStringLiteral("IDCZYNN")});
    for (int f = 0; f < itemCount; ++f) {
        items.append(
            {f, f,
             QStringLiteral("Czynnik szkodliwy nr %1 (pyl zawierajacy wolna krystaliczna krzemionke)")
                 .arg(f)});
        for (int s = 0; s < perItem; ++s) {
            const int id = 1000 + s;
            structure.append({id, f});
            for (int k = 0; k < perStructure; ++k)
                stations.append({QStringLiteral("Operator maszyn %1/%2").arg(id).arg(k),
                                 QStringLiteral("K%1.%2").arg(id).arg(k), id, f});
        }
    }
    r.setConnection(QStringLiteral("RvQr1_0Conn1"), &items);
    r.setConnection(QStringLiteral("RvQr2_0Conn2"), &structure);
    r.setConnection(QStringLiteral("RvQr3_0Conn3"), &stations);
    // The location handler of the report generator: ancestors indented, shown when they change.
    QString previous;
    r.setRowHandler(QStringLiteral("RvQr1_0Conn1"), [&] { previous.clear(); });
    r.setRowHandler(QStringLiteral("RvQr2_0Conn2"), [&] {
        const int id =
            structure.value(r.currentRow(QStringLiteral("RvQr2_0Conn2")), QStringLiteral("ID")).toInt();
        const QString text = QStringLiteral("Zaklad Produkcyjny Nr 1\r    Wydzial %1\r        Oddzial %2\r")
                                 .arg(id / 4)
                                 .arg(id);
        r.setComponentText(QStringLiteral("OpisElemStrukt"), text == previous ? QString() : text);
        previous = text;
    });
    QElapsedTimer t;
    t.start();
    r.executeToPdf(QDir(folder).filePath(QStringLiteral("CzynnRyz.pdf")));
    report(qPrintable(
               QStringLiteral("CzynnRyz, %1 items x %2 x %3").arg(itemCount).arg(perItem).arg(perStructure)),
           r.lastPageCount(), t.elapsed());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
#ifdef KOLM_SOURCE_DIR
    QString projectPath = QStringLiteral(KOLM_SOURCE_DIR "/src/reports/project/summary.json");
#else
    QString projectPath = QStringLiteral(":/project/summary.json");
#endif
    QString out;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--project"))
            projectPath = args[i + 1];
        else if (args[i] == QLatin1String("--out"))
            out = args[i + 1];
    }
    QTemporaryDir temp;
    const QString folder = out.isEmpty() ? temp.path() : out;
    QDir().mkpath(folder);
    try {
        QElapsedTimer total;
        total.start();
        const ReportProject project = ReportProject::fromFile(projectPath);
        persons(project, folder, 20000);
        factors(project, folder, 300, 10, 3);
        std::printf("total %lld ms\n", static_cast<long long>(total.elapsed()));
    } catch (const ReportEngineError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
