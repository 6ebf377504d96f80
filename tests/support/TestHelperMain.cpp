// A second process for the tests:
//   ini-write <file> <prefix> <count>     writes <count> distinct keys into [Test] of an INI file
//   hold-lock <name> [--spawn-child]      takes a program's single-instance lock and sleeps
//   db-insert <database> <value> <hold-ms> inserts a row into T_PROBE, commits, keeps the
//                                          connection open for <hold-ms>, prints "ok"
//   db-insert-loop <database>             inserts rows into T_PROBE (ID 1, 2, ...) one commit each,
//                                          prints "started" after the first, until killed
//   backup <programs folder> <yyyy-MM-dd> backs the folder's databases up, prints "done"
//   alias-save <programs folder>          saves the databases dialog's lists over and over,
//                                          turning between two descriptions, until killed
#include "AliasRegistry.h"
#include "DbEngine.h"
#include "Errors.h"
#include "IniFile.h"
#include "MyIniFile.h"
#include "SqlQuery.h"
#include "jobs/DatabaseBackup.h"
#include "logic/AliasNameModel.h"
#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QThread>

#include <cstdio>

using namespace kolmasyst;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    try {
        if (command == QLatin1String("ini-write")) {
            IniFile file(args.value(1));
            const int count = args.value(3).toInt();
            for (int i = 0; i < count; ++i)
                file.writeString(QStringLiteral("Test"),
                                 QStringLiteral("%1.%2.Str").arg(args.value(2)).arg(i),
                                 QStringLiteral("wartość %1").arg(i));
            return 0;
        }
        if (command == QLatin1String("hold-lock")) {
            InstanceLock lock(args.value(1));
            if (lock.acquire() != InstanceLock::Outcome::Acquired)
                return 3;
            if (args.contains(QStringLiteral("--spawn-child")))
                QProcess::startDetached(QStringLiteral("sleep"), {QStringLiteral("30")});
            std::printf("locked\n");
            std::fflush(stdout);
            QThread::sleep(60);
            return 0;
        }
        if (command == QLatin1String("db-insert-loop")) {
            const QSqlDatabase db = DbEngine::openServerName(args.value(1), QStringLiteral("helper"));
            for (int id = 1;; ++id) {
                SqlQuery q(db);
                q.prepare(QStringLiteral("INSERT INTO T_PROBE (ID) VALUES (:id)"));
                q.bind(QStringLiteral("id"), id);
                q.execute();
                if (id == 1) {
                    std::printf("started\n");
                    std::fflush(stdout);
                }
            }
        }
        if (command == QLatin1String("backup")) {
            const QString folder = args.value(1);
            DatabaseBackup backup(QDir(folder).filePath(QStringLiteral("brel.ini")),
                                  AliasRegistry::defaultPath(folder), DateConventions());
            const bool ok = backup.BackupDatabases(QDate::fromString(args.value(2), Qt::ISODate));
            std::printf(ok ? "done\n" : "failed\n");
            return ok ? 0 : 1;
        }
        if (command == QLatin1String("alias-save")) {
            const QString folder = args.value(1);
            TMyIniFile ini(QDir(folder).filePath(QStringLiteral("brel.ini")));
            AliasNameModel model(ini, AliasRegistry::defaultPath(folder));
            std::printf("saving\n");
            std::fflush(stdout);
            for (int round = 0;; ++round) {
                model.load(QStringLiteral("firma"));
                for (const TAliasBazy& r : model.used())
                    model.record(r.Alias)->OpisBazy =
                        round % 2 ? QStringLiteral("nowy") : QStringLiteral("stary");
                model.save();
            }
        }
        if (command == QLatin1String("db-insert")) {
            {
                const QSqlDatabase db = DbEngine::openServerName(args.value(1), QStringLiteral("helper"));
                SqlQuery q(db);
                q.prepare(QStringLiteral("INSERT INTO T_PROBE (V) VALUES (:v)"));
                q.bind(QStringLiteral("v"), args.value(2));
                q.execute();
                q.close();
                std::printf("ok\n");
                std::fflush(stdout);
                QThread::msleep(args.value(3).toULong());
            }
            DbEngine::closeConnection(QStringLiteral("helper"));
            return 0;
        }
    } catch (const EKolmError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 64;
}
