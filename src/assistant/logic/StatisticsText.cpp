#include "logic/StatisticsText.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "Installation.h"
#include "Mail.h"
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

QStringList StatisticsText::mailLines(AppContext& app) {
    QStringList folders;
    for (const Settings::ListedDatabase& db :
         Settings::usedDatabases(app.settings(), AliasRegistry(app.aliasRegistryPath())))
        folders << app.installation().reportsFolder(app.settings(), db.alias);
    Mail::Delivery last;
    const bool any = Mail::lastDelivery(folders, &last);
    if (!any && !Mail::Settings::read(app.settings()).on)
        return {};
    if (!any)
        return {QString(), QStringLiteral("Ostatnia wysyłka raportu pocztą : brak")};
    const Mail::Outbox::Entry& e = last.entry;
    const QDateTime when = e.lastAttempt.isValid() ? e.lastAttempt : e.created;
    QString outcome;
    switch (e.state) {
    case Mail::Outbox::State::Sent:
        outcome = QStringLiteral("wysłana");
        break;
    case Mail::Outbox::State::Pending:
        outcome = e.attempts == 0
                      ? QStringLiteral("czeka na wysłanie")
                      : QStringLiteral("nie powiodła się, ponowna próba przy następnym sprawdzeniu");
        break;
    case Mail::Outbox::State::Sending:
        outcome = QStringLiteral("w toku");
        break;
    case Mail::Outbox::State::Unknown:
        outcome = QStringLiteral("przerwana, mogła nie dotrzeć");
        break;
    }
    QStringList out{QString(),
                    QStringLiteral("Ostatnia wysyłka raportu pocztą : ") +
                        app.dates().formatDate(when.date()) + QLatin1Char(' ') +
                        when.time().toString(QStringLiteral("HH:mm")) + QStringLiteral(" – ") + outcome,
                    kIndent + e.message.subject,
                    kIndent + QStringLiteral("do: ") + e.message.to.join(QStringLiteral(", "))};
    if (!e.lastReply.isEmpty())
        out << kIndent + QStringLiteral("odpowiedź serwera: ") + e.lastReply.left(200);
    return out;
}

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
        out << mailLines(app);
    } catch (const EKolmError& e) {
        if (error)
            *error = e.text();
    }
    return out;
}

} // namespace kolmasyst
