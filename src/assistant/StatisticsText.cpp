#include "StatisticsText.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "Scheduler.h"

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
        QStringList databases;
        ini.ReadAliasDatabases(databases);
        const AliasRegistry registry(app.aliasRegistryPath());
        const QString dataBackup =
            ini.ReadBackupSetting(QStringLiteral("BACKUP"), QStringLiteral("DataBackup"));
        out << QStringLiteral("Data ostatniego Backup`u : ") + dataBackup << QString();
        out << QStringLiteral("Lista Backup`owanych baz danych w dniu : ") + dataBackup << QString();
        for (const QString& line : databases) {
            const QString alias = TMyIniFile::aliasOfLine(line);
            if (!IsInterBaseAlias(registry, alias))
                continue;
            const QString file = AliasDatabaseFile(registry, alias);
            if (!file.isEmpty())
                out << kIndent + alias + QStringLiteral(" (") + line.section(QLatin1Char('='), 1) +
                           QStringLiteral(") : ") + file;
        }
        out << QString();
        out << QStringLiteral("Następny Backup zostanie wykonany w dniu : ") +
                   nextDay(app, dataBackup,
                           ini.ReadBackupSetting(QStringLiteral("BACKUP"), QStringLiteral("CzestBackup")));
        out << QString();
        const QString dataAsys = ini.ReadAsystentSetting(QStringLiteral("ASYST"), QStringLiteral("DataAsys"));
        out << QStringLiteral("Data ostatniego Raportu : ") + dataAsys << QString();
        out << QStringLiteral("Lista Raportowanych baz danych w dniu : ") + dataAsys << QString();
        for (const QString& line : databases)
            out << kIndent + TMyIniFile::aliasOfLine(line) + QStringLiteral(" - ") +
                       line.section(QLatin1Char('='), 1);
        out << QString();
        out << QStringLiteral("Następny Raport zostanie wykonany w dniu : ") +
                   nextDay(app, dataAsys,
                           ini.ReadAsystentSetting(QStringLiteral("ASYST"), QStringLiteral("CzestAsys")));
    } catch (const EKolmError& e) {
        if (error)
            *error = e.text();
    }
    return out;
}
