#include "Scheduler.h"

#include "AppContext.h"
#include "Errors.h"

namespace {

const QString kAsyst = QStringLiteral("ASYST");
const QString kBackup = QStringLiteral("BACKUP");

[[noreturn]] void conversionError(const QString& what, const QString& text) {
    // An echoed value is cut to a readable length.
    constexpr int kMax = 80;
    throw EKolmError(QStringLiteral("'%1' nie jest poprawną wartością: %2")
                         .arg(text.size() > kMax ? text.left(kMax) + QStringLiteral("…") : text, what));
}

} // namespace

const char* const Scheduler::SectionNames[9] = {"CzynnRyz", "TermRyz", "StanAdm",  "PracAdm",  "SrodRyz",
                                                "WyborDob", "RoznDob", "PrzetBhp", "AktualBhp"};

QString Scheduler::formatHour(const QTime& time) {
    return time.toString(QStringLiteral("H:mm:ss"));
}

bool Scheduler::parseHour(const QString& text, QTime* time) {
    const QString t = text.trimmed();
    for (const QString& pattern : {QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
        const QTime parsed = QTime::fromString(t, pattern);
        if (parsed.isValid()) {
            *time = parsed;
            return true;
        }
    }
    return false;
}

Scheduler::Scheduler(AppContext& app, Jobs jobs) : m_app(app), m_jobs(std::move(jobs)) {}

void Scheduler::LoadScheduleSettings() {
    TMyIniFile& ini = m_app.settings();
    AktywnyAlias = ini.ReadAliasName();
    CzestBackup = ini.ReadBackupSetting(kBackup, QStringLiteral("CzestBackup"));
    GodzBackup = ini.ReadBackupSetting(kBackup, QStringLiteral("GodzBackup"));
    DataBackup = ini.ReadBackupSetting(kBackup, QStringLiteral("DataBackup"));
    if (!m_app.dates().NormalizeDateText(DataBackup, m_app.clock()))
        ini.WriteBackupSetting(kBackup, QStringLiteral("DataBackup"), DataBackup);
    CzestAsys = ini.ReadAsystentSetting(kAsyst, QStringLiteral("CzestAsys"));
    GodzAsys = ini.ReadAsystentSetting(kAsyst, QStringLiteral("GodzAsys"));
    DataAsys = ini.ReadAsystentSetting(kAsyst, QStringLiteral("DataAsys"));
    if (!m_app.dates().NormalizeDateText(DataAsys, m_app.clock()))
        ini.WriteAsystentSetting(kAsyst, QStringLiteral("DataAsys"), DataAsys);
    for (int i = 0; i < 9; ++i)
        Sections[i] = ini.ReadAsystentSetting(kAsyst, QLatin1String(SectionNames[i])) == QLatin1String("T");
}

QTime Scheduler::toHour(const QString& text) {
    QTime time;
    if (!parseHour(text, &time))
        conversionError(QStringLiteral("godzina"), text);
    return time;
}

QDate Scheduler::toDate(AppContext& app, const QString& text) {
    QDate day;
    if (!app.dates().parseDate(text, &day, app.clock()))
        conversionError(QStringLiteral("data"), text);
    return day;
}

int Scheduler::toDays(const QString& text) {
    bool ok = false;
    const int days = text.trimmed().toInt(&ok);
    if (!ok)
        conversionError(QStringLiteral("liczba dni"), text);
    return days;
}

QDateTime Scheduler::nextRun(const QString& date, const QString& hour, const QString& period) const {
    const QDate day = toDate(m_app, date);
    const QTime time = toHour(hour);
    return QDateTime(day.addDays(toDays(period)), time);
}

void Scheduler::check() {
    const QDateTime teraz = m_app.clock().now();
    if (DataAsys.isEmpty())
        LoadScheduleSettings();
    // The file holds the date of the last successful report, written by kolmrap: a report that
    // ran since the last check must not start again.
    const QString stored = m_app.settings().ReadAsystentSetting(kAsyst, QStringLiteral("DataAsys"));
    QDate storedDay;
    if (m_app.dates().parseDate(stored, &storedDay, m_app.clock()))
        DataAsys = stored;
    if (nextRun(DataAsys, GodzAsys, CzestAsys) < teraz && m_jobs.startReport)
        m_jobs.startReport();
    if (nextRun(DataBackup, GodzBackup, CzestBackup) < teraz) {
        const QDate today = teraz.date();
        if (m_jobs.startBackup && m_jobs.startBackup(today))
            DataBackup = m_app.dates().formatDate(today);
    }
}

void Scheduler::backupFinished(const QDate& day, bool succeeded) {
    if (succeeded)
        m_app.settings().WriteBackupSetting(kBackup, QStringLiteral("DataBackup"),
                                            m_app.dates().formatDate(day));
}
