#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include "SharedSettings.h"

#include <array>
#include <functional>

class AppContext;

namespace kolmasyst {

// The assistant's two jobs on a schedule, without widgets: the summary report (started through
// kolmrap) and the backup of the local database files. The hourly check reads the time through
// the program's clock; the report's last date is read from the file again before each check,
// so a run of kolmrap that succeeded counts at once.
class Scheduler {
public:
    // The design's long time format: hours are written so and read so or without seconds.
    static QString formatHour(const QTime& time);
    static bool parseHour(const QString& text, QTime* time);
    // The stored schedule texts as values; EKolmError with the conversion message when a text
    // does not convert (the scheduler, the statistics, the settings and the runner alike).
    static QTime toHour(const QString& text);
    static QDate toDate(AppContext& app, const QString& text);
    static int toDays(const QString& text);

    struct Jobs {
        // Starts kolmrap (ModulClickNew) and the tray animation.
        std::function<void()> startReport;
        // Starts the backup of the given day; false when one is still running.
        std::function<bool(const QDate& day)> startBackup;
    };

    // The texts of the two schedules, as the configuration file stores them.
    enum class Field { ReportPeriod, ReportHour, ReportDate, BackupPeriod, BackupHour, BackupDate };
    static constexpr int FieldCount = 6;
    static const Settings::Key& keyOf(Field field);

    Scheduler(AppContext& app, Jobs jobs);

    // The schedules and switches; dates that do not parse become today's and are written back.
    void LoadScheduleSettings();
    // The running schedule: what the check works with, loaded from the file and changed by the
    // settings dialog as its fields are left.
    const QString& text(Field field) const {
        Q_ASSERT(int(field) >= 0 && int(field) < FieldCount);
        return m_texts[std::size_t(field)];
    }
    void setText(Field field, const QString& text) {
        Q_ASSERT(int(field) >= 0 && int(field) < FieldCount);
        m_texts[std::size_t(field)] = text;
    }
    // The section switches in report order.
    bool section(int index) const { return m_sections.at(std::size_t(index)); }
    void setSection(int index, bool on) { m_sections.at(std::size_t(index)) = on; }
    // The hourly check. A period, hour or date that does not convert raises EKolmError with
    // the conversion message; the report test comes first and a failing one skips the backup.
    void check();
    // What the backup that check started ended with: a successful one records its day.
    void backupFinished(const QDate& day, bool succeeded);

private:
    // Date + hour + period days; raises EKolmError when a part does not convert.
    QDateTime nextRun(const QString& date, const QString& hour, const QString& period) const;

    AppContext& m_app;
    Jobs m_jobs;
    std::array<QString, FieldCount> m_texts;
    std::array<bool, Settings::SectionCount> m_sections{};
};

} // namespace kolmasyst
