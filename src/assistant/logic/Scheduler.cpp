#include "logic/Scheduler.h"

#include "AppContext.h"
#include "Errors.h"

namespace kolmasyst {

namespace {

[[noreturn]] void conversionError(const QString& what, const QString& text) {
    // An echoed value is cut to a readable length.
    constexpr int kMax = 80;
    throw EKolmError(QStringLiteral("'%1' nie jest poprawną wartością: %2")
                         .arg(text.size() > kMax ? text.left(kMax) + QStringLiteral("…") : text, what));
}

} // namespace

const Settings::Key& Scheduler::keyOf(Field field) {
    static const Settings::Key keys[FieldCount] = {Settings::ReportPeriod,   Settings::ReportHour,
                                                   Settings::LastReportDate, Settings::BackupPeriod,
                                                   Settings::BackupHour,     Settings::LastBackupDate};
    return keys[int(field)];
}

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
    // Backup first, then the report, as designed; a date that does not parse becomes today's.
    for (const Field f : {Field::BackupPeriod, Field::BackupHour, Field::BackupDate, Field::ReportPeriod,
                          Field::ReportHour, Field::ReportDate}) {
        QString& value = m_texts[std::size_t(f)];
        value = Settings::read(ini, keyOf(f));
        if ((f == Field::BackupDate || f == Field::ReportDate) &&
            !m_app.dates().NormalizeDateText(value, m_app.clock()))
            Settings::write(ini, keyOf(f), value);
    }
    for (int i = 0; i < Settings::SectionCount; ++i)
        m_sections[std::size_t(i)] = Settings::sectionOn(ini, i);
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
    if (text(Field::ReportDate).isEmpty())
        LoadScheduleSettings();
    // The file holds the date of the last successful report, written by kolmrap: a report that
    // ran since the last check must not start again.
    const QString stored = Settings::read(m_app.settings(), Settings::LastReportDate);
    QDate storedDay;
    if (m_app.dates().parseDate(stored, &storedDay, m_app.clock()))
        setText(Field::ReportDate, stored);
    if (nextRun(text(Field::ReportDate), text(Field::ReportHour), text(Field::ReportPeriod)) < teraz &&
        m_jobs.startReport)
        m_jobs.startReport();
    if (nextRun(text(Field::BackupDate), text(Field::BackupHour), text(Field::BackupPeriod)) < teraz) {
        const QDate today = teraz.date();
        if (m_jobs.startBackup && m_jobs.startBackup(today))
            setText(Field::BackupDate, m_app.dates().formatDate(today));
    }
}

void Scheduler::backupFinished(const QDate& day, bool succeeded) {
    if (succeeded)
        Settings::write(m_app.settings(), Settings::LastBackupDate, m_app.dates().formatDate(day));
}

} // namespace kolmasyst
