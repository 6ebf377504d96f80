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
    const QVector<Mail::Delivery> run = Mail::lastDelivery(folders);
    if (run.isEmpty() && !Mail::Settings::read(app.settings()).on)
        return {};
    if (run.isEmpty())
        return {QString(), QStringLiteral("Ostatnia wysyłka raportu pocztą : brak")};
    // The run's messages together: sent when all went, else each that did not.
    QDateTime when;
    int sent = 0;
    for (const Mail::Delivery& d : run) {
        const QDateTime at = d.entry.lastAttempt.isValid() ? d.entry.lastAttempt : d.entry.created;
        when = when.isValid() ? std::max(when, at) : at;
        sent += d.entry.state == Mail::Outbox::State::Sent ? 1 : 0;
    }
    const QString outcome = sent == run.size()
                                ? QStringLiteral("wysłana (wiadomości: %1)").arg(run.size())
                                : QStringLiteral("wysłano %1 z %2 wiadomości").arg(sent).arg(run.size());
    QStringList out{QString(), QStringLiteral("Ostatnia wysyłka raportu pocztą : ") +
                                   app.dates().formatDate(when.date()) + QLatin1Char(' ') +
                                   when.time().toString(QStringLiteral("HH:mm")) + QStringLiteral(" – ") +
                                   outcome};
    for (const Mail::Delivery& d : run) {
        const Mail::Outbox::Entry& e = d.entry;
        QString state;
        switch (e.state) {
        case Mail::Outbox::State::Sent:
            state = QStringLiteral("wysłana");
            break;
        case Mail::Outbox::State::Pending:
            state = e.attempts == 0
                        ? QStringLiteral("czeka na wysłanie")
                        : QStringLiteral("nie powiodła się, ponowna próba przy następnym sprawdzeniu");
            break;
        case Mail::Outbox::State::Sending:
            state = QStringLiteral("w toku");
            break;
        case Mail::Outbox::State::Unknown:
            state = QStringLiteral("przerwana, mogła nie dotrzeć");
            break;
        case Mail::Outbox::State::GivenUp:
            state = QStringLiteral("zaniechana");
            break;
        }
        out << kIndent + e.message.subject + QStringLiteral(" – ") + state;
        out << kIndent + kIndent + QStringLiteral("do: ") + e.message.to.join(QStringLiteral(", "));
        if (!e.lastReply.isEmpty())
            out << kIndent + kIndent + QStringLiteral("odpowiedź serwera: ") + e.lastReply.left(200);
    }
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
