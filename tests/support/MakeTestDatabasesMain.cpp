// Makes the databases that the tests copy, once per build:
//   kolm_test_databases <folder>   writes <folder>/template.fdb (the schema) and
//                                  <folder>/demo.fdb (the demo organisation)
// Each is made under a temporary name and renamed only when whole, so that a test never copies
// half a database.
#include "DatabaseFactory.h"
#include "Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

void replace(const QString& made, const QString& target) {
    QFile::remove(target);
    if (!QFile::rename(made, target))
        throw EKolmError(QStringLiteral("cannot rename ") + made + QStringLiteral(" to ") + target);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kolm_test_databases <folder>\n");
        return 64;
    }
    const QDir folder(args.first());
    try {
        if (!QDir().mkpath(folder.path()))
            throw EKolmError(QStringLiteral("cannot make ") + folder.path());
        const QString schema = folder.filePath(QStringLiteral(".template.fdb.new"));
        const QString demo = folder.filePath(QStringLiteral(".demo.fdb.new"));
        QFile::remove(schema);
        QFile::remove(demo);
        DatabaseFactory::Options options;
        options.forcedWrites = false;
        DatabaseFactory::createWithSchema(schema, options);
        if (!QFile::copy(schema, demo))
            throw EKolmError(QStringLiteral("cannot copy ") + schema);
        DatabaseFactory::runScript(demo, DatabaseFactory::resourceScript(QStringLiteral("demo.sql")));
        replace(schema, folder.filePath(QStringLiteral("template.fdb")));
        replace(demo, folder.filePath(QStringLiteral("demo.fdb")));
    } catch (const EKolmError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
