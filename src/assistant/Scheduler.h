#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <functional>

class AppContext;

// The assistant's two jobs on a schedule, without widgets: the summary report (started through
// kolmrap) and the backup of the local database files. The hourly check reads the time through
// the program's clock; the report's last date is read from the file again before each check,
// so a run of kolmrap that succeeded counts at once.
class Scheduler {
public:
    // The design's long time format: hours are written so and read so or without seconds.
    static QString formatHour(const QTime& time);
    // The nine section keys in report order, as Sections holds their switches.
    static const char* const SectionNames[9];
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

    Scheduler(AppContext& app, Jobs jobs);

    // The schedules and switches; dates that do not parse become today's and are written back.
    void LoadScheduleSettings();
    // The hourly check. A period, hour or date that does not convert raises EKolmError with
    // the conversion message; the report test comes first and a failing one skips the backup.
    void check();
    // What the backup that check started ended with: a successful one records its day.
    void backupFinished(const QDate& day, bool succeeded);

    QString AktywnyAlias;
    QString CzestAsys, GodzAsys, DataAsys;
    QString CzestBackup, GodzBackup, DataBackup;
    // The nine section switches in report order.
    bool Sections[9] = {};

private:
    // Date + hour + period days; raises EKolmError when a part does not convert.
    QDateTime nextRun(const QString& date, const QString& hour, const QString& period) const;

    AppContext& m_app;
    Jobs m_jobs;
};
