// kolmdb: creates the suite's databases.
//   kolmdb create <database> [--demo] [--no-forced-writes]   a new database with the schema
//   kolmdb demo [<programs-folder>] [--recreate] [--database <database>]
//                                                             the demo database and its configuration
// A database is a local file or a server's "<host>[/<port>]:<path>"; in an installed suite a
// plain name is a database of the suite's databases' folder, and every database is made through
// the machine's server.
#include "CommandLineHelp.h"
#include "DatabaseFactory.h"
#include "DbEngine.h"
#include "DemoInstall.h"
#include "Errors.h"
#include "Installation.h"
#include "platform/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {
const char* const kUsage =
    "usage: kolmdb create <database> [--demo] [--no-forced-writes]\n"
    "       kolmdb demo [<programs-folder>] [--recreate] [--database <database>]\n"
    "A database is a local file (embedded engine) or <host>[/<port>]:<path> on a Firebird server.\n"
    "In an installed suite a plain name (kolmdb create firma) makes firma.fdb in the suite's\n"
    "databases' folder, every database is made through the machine's Firebird server, and\n"
    "kolmdb demo without a folder installs the demo into the suite.\n";

int usage() {
    std::fprintf(stderr, "%s", kUsage);
    return 64;
}

// The configuration of an installed suite is the group's: a user outside it is told so before
// anything is made.
void requireWritableConfiguration(const QString& programFolder) {
    for (const char* name : {"brel.ini", "aliases.ini"}) {
        const QString target = SafeFile::resolveLinks(QDir(programFolder).filePath(QLatin1String(name)));
        if (!SafeFile::canWrite(target))
            throw EKolmError(
                QStringLiteral("%1 nie jest do zapisu dla tego użytkownika: konfigurację systemu "
                               "zmieniają członkowie grupy kolm (adduser <użytkownik> kolm, "
                               "potem ponowne zalogowanie)")
                    .arg(QDir::toNativeSeparators(target)));
    }
}

// A local file of an installed suite is made by its server, which writes only its own folders.
QString explained(const EKolmError& e, const Installation& installation, const QString& database) {
    const ServerName where = ServerName::parse(database);
    if (!dynamic_cast<const EDBEngineError*>(&e) || database.isEmpty() || !installation.installed() ||
        !where.isLocalFile() || QFileInfo(where.path).path() == installation.databaseFolder())
        return e.text();
    return e.text() + QStringLiteral("\nBazy zainstalowanego systemu tworzy i otwiera serwer Firebird; "
                                     "utwórz bazę w folderze %1 (kolmdb create <nazwa>).")
                          .arg(installation.databaseFolder());
}
} // namespace

int main(int argc, char* argv[]) {
    if (CommandLineHelp::answer(argc, argv, "kolmdb", kUsage))
        return 0;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const Installation installation(QCoreApplication::applicationDirPath());
    QString database;
    try {
        if (args[0] == QLatin1String("create")) {
            if (args.size() < 2 || args[1].startsWith(QLatin1String("--")))
                return usage();
            database = installation.databaseFor(args[1]);
            DatabaseFactory::Options options;
            options.forcedWrites = !args.contains(QStringLiteral("--no-forced-writes"));
            DatabaseFactory::createWithSchema(database, options);
            if (args.contains(QStringLiteral("--demo")))
                DatabaseFactory::runScript(database,
                                           DatabaseFactory::resourceScript(QStringLiteral("demo.sql")));
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(database)));
            return 0;
        }
        if (args[0] == QLatin1String("demo")) {
            // Without a folder: the suite beside this program (the installed one, or a build's).
            QString folder = QCoreApplication::applicationDirPath();
            if (args.size() >= 2 && !args[1].startsWith(QLatin1String("--")))
                folder = args[1];
            const int at = args.indexOf(QStringLiteral("--database"));
            if (at > 0) {
                if (at + 1 >= args.size())
                    return usage();
                database = installation.databaseFor(args[at + 1]);
            }
            const Installation target(folder);
            if (target.installed())
                requireWritableConfiguration(folder);
            const QString path =
                DemoInstall::install(folder, args.contains(QStringLiteral("--recreate")), database);
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
            return 0;
        }
    } catch (const EKolmError& e) {
        std::fprintf(stderr, "kolmdb: %s\n", qPrintable(explained(e, installation, database)));
        return 1;
    }
    return usage();
}
