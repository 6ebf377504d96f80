#include "logic/StatisticsText.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "SharedSettings.h"
#include "logic/Scheduler.h"

namespace kolmasyst {

namespace {

const QString kIndent = QStringLiteral("    ");

// The stored date plus the stored period, in the program's short date format.
QString nextDay(AppContext& app, const QString& date, const QString& period) {
    const QDate day = Scheduler::toDate(app, date);
    return app.dates().formatDate(day.addDays(Scheduler::toDays(period)));
}

} // namespace

QStringList StatisticsText::build(AppContext& app, QString* error) {
    QStringList out;
    if (error)
        error->clear();
    TMyIniFile& ini = app.settings();
    try {
        const QVector<Settings::ListedDatabase> databases =
            Settings::listedDatabases(ini, AliasRegistry(app.aliasRegistryPath()));
        const QString dataBackup = Settings::read(ini, Settings::LastBackupDate);
        out << QStringLiteral("Data ostatniego Backup`u : ") + dataBackup << QString();
        out << QStringLiteral("Lista Backup`owanych baz danych w dniu : ") + dataBackup << QString();
        for (const Settings::ListedDatabase& db : databases)
            if (db.suiteAlias && !db.localFile.isEmpty())
                out << kIndent + db.alias + QStringLiteral(" (") + db.description + QStringLiteral(") : ") +
                           db.localFile;
        out << QString();
        out << QStringLiteral("Następny Backup zostanie wykonany w dniu : ") +
                   nextDay(app, dataBackup, Settings::read(ini, Settings::BackupPeriod));
        out << QString();
        const QString dataAsys = Settings::read(ini, Settings::LastReportDate);
        out << QStringLiteral("Data ostatniego Raportu : ") + dataAsys << QString();
        out << QStringLiteral("Lista Raportowanych baz danych w dniu : ") + dataAsys << QString();
        for (const Settings::ListedDatabase& db : databases)
            out << kIndent + db.alias + QStringLiteral(" - ") + db.description;
        out << QString();
        out << QStringLiteral("Następny Raport zostanie wykonany w dniu : ") +
                   nextDay(app, dataAsys, Settings::read(ini, Settings::ReportPeriod));
    } catch (const EKolmError& e) {
        if (error)
            *error = e.text();
    }
    return out;
}

} // namespace kolmasyst
