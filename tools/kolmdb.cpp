// kolmdb: creates the suite's databases.
//   kolmdb create <database> [--demo] [--no-forced-writes]   a new database with the schema
//   kolmdb demo <programs-folder> [--recreate] [--database <database>]
//                                                             the demo database and its configuration
// A database is a local file or a server's "<host>[/<port>]:<path>".
#include "CommandLineHelp.h"
#include "DatabaseFactory.h"
#include "DemoInstall.h"
#include "Errors.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {
const char* const kUsage =
    "usage: kolmdb create <database> [--demo] [--no-forced-writes]\n"
    "       kolmdb demo <programs-folder> [--recreate] [--database <database>]\n"
    "A database is a local file (embedded engine) or <host>[/<port>]:<path> on a Firebird server.\n";

int usage() {
    std::fprintf(stderr, "%s", kUsage);
    return 64;
}
} // namespace

int main(int argc, char* argv[]) {
    if (CommandLineHelp::answer(argc, argv, "kolmdb", kUsage))
        return 0;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    try {
        if (args[0] == QLatin1String("create")) {
            DatabaseFactory::Options options;
            options.forcedWrites = !args.contains(QStringLiteral("--no-forced-writes"));
            DatabaseFactory::createWithSchema(args[1], options);
            if (args.contains(QStringLiteral("--demo")))
                DatabaseFactory::runScript(args[1],
                                           DatabaseFactory::resourceScript(QStringLiteral("demo.sql")));
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(args[1])));
            return 0;
        }
        if (args[0] == QLatin1String("demo")) {
            QString database;
            const int at = args.indexOf(QStringLiteral("--database"));
            if (at > 0) {
                if (at + 1 >= args.size())
                    return usage();
                database = args[at + 1];
            }
            const QString path =
                DemoInstall::install(args[1], args.contains(QStringLiteral("--recreate")), database);
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
            return 0;
        }
    } catch (const EKolmError& e) {
        std::fprintf(stderr, "kolmdb: %s\n", qPrintable(e.text()));
        return 1;
    }
    return usage();
}
