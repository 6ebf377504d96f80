// kolmgen: a synthetic organisation in a new database, the same for the same seed.
//   kolmgen <file.fdb> [--size small|medium|large] [--seed N] [--today yyyy-MM-dd]
#include "Errors.h"
#include "OrgGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0].startsWith(QLatin1Char('-'))) {
        std::fprintf(
            stderr,
            "usage: kolmgen <file.fdb> [--size small|medium|large] [--seed N] [--today yyyy-MM-dd]\n");
        return 64;
    }
    auto option = [&](const char* name, const QString& fallback) {
        const int at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
    };
    try {
        const OrgGenerator::Size size = OrgGenerator::sizeNamed(option("--size", QStringLiteral("small")));
        const unsigned seed = option("--seed", QStringLiteral("1")).toUInt();
        const QDate today =
            QDate::fromString(option("--today", QDate::currentDate().toString(Qt::ISODate)), Qt::ISODate);
        if (!today.isValid())
            throw EKolmError(QStringLiteral("--today wants yyyy-MM-dd"));
        QFile::remove(args[0]);
        QElapsedTimer timer;
        timer.start();
        const OrgGenerator::Counts c = OrgGenerator::generate(args[0], size, seed, today);
        std::printf("%s: %d nodes (%d workstations), %d persons, %d employments, %d surveys, %d factor rows, "
                    "%d safety items, %d entries in %.1f s\n",
                    qPrintable(args[0]), c.nodes, c.workstations, c.persons, c.employments, c.surveys,
                    c.factorRows, c.safetyItems, c.safetyEntries, timer.elapsed() / 1000.0);
        return 0;
    } catch (const EKolmError& e) {
        std::fprintf(stderr, "kolmgen: %s\n", qPrintable(e.text()));
        return 1;
    }
}
