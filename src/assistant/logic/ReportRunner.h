#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class AppContext;

namespace kolmasyst {

// The report runner's sequence, without widgets: the stored date of the last report is moved
// back one day, kolmrap is started, and every 200 ms the progress moves one of 20 steps; at the
// start of each 4-second cycle a stored date of today ends the wait as a success, and at its
// end a report generator that no longer runs ends it. A failed run leaves the date it found.
class ReportRunner : public QObject {
    Q_OBJECT
public:
    static constexpr int Steps = 20;
    static constexpr int StepMs = 200;

    // What the user learns of a run that ended: where its files went, or why it failed.
    struct Outcome {
        bool succeeded = false;
        // The report folders of the databases written.
        QStringList folders;
        // Why it failed: the start's error, or what kolmrap said of its failures.
        QStringList problems;
    };
    // Reads the lines kolmrap said: the folders it wrote into, and every line that tells of a
    // failure (the lines of sections written and the final success are none).
    static Outcome fromLog(const QStringList& lines, bool succeeded);

    // launch: starts kolmrap (ModulClickNew) and returns why it could not, empty when it started;
    // running: whether a run holds its lock.
    ReportRunner(AppContext& app, std::function<QString()> launch, std::function<bool()> running,
                 QObject* parent = nullptr);

    // The run sequence; EKolmError (the conversion message) when the stored date does not
    // parse, and then nothing is started.
    void start();
    bool isActive() const { return m_active; }
    // The length of a step (200 ms as designed; tests take shorter ones).
    void setStepMs(int ms) { m_timer.setInterval(ms); }

    // Whether a report generator holds its lock now.
    static bool IsReportRunning();
    // The last run's outcome, once it has finished.
    const Outcome& outcome() const { return m_outcome; }

Q_SIGNALS:
    void progress(int step);
    void finished(bool succeeded);

private:
    void cycle();
    void tick();
    void finish();
    bool storedIsToday() const;

    AppContext& m_app;
    std::function<QString()> m_launch;
    std::function<bool()> m_running;
    QTimer m_timer;
    int m_step = 0;
    bool m_active = false;
    QString m_found; // the stored date as the run found it
    QString m_moved; // the date one day earlier that the run wrote
    QString m_startError;
    QDateTime m_started;
    Outcome m_outcome;
};

} // namespace kolmasyst
