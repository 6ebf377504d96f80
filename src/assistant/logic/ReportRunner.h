#pragma once

#include <QObject>
#include <QString>
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

    // launch: starts kolmrap (ModulClickNew); running: whether a run holds its lock.
    ReportRunner(AppContext& app, std::function<void()> launch, std::function<bool()> running,
                 QObject* parent = nullptr);

    // The run sequence; EKolmError (the conversion message) when the stored date does not
    // parse, and then nothing is started.
    void start();
    bool isActive() const { return m_active; }
    // The length of a step (200 ms as designed; tests take shorter ones).
    void setStepMs(int ms) { m_timer.setInterval(ms); }

    // Whether a report generator holds its lock now.
    static bool IsReportRunning();

Q_SIGNALS:
    void progress(int step);
    void finished(bool succeeded);

private:
    void cycle();
    void tick();
    void finish();
    bool storedIsToday() const;

    AppContext& m_app;
    std::function<void()> m_launch;
    std::function<bool()> m_running;
    QTimer m_timer;
    int m_step = 0;
    bool m_active = false;
    QString m_found; // the stored date as the run found it
    QString m_moved; // the date one day earlier that the run wrote
};

} // namespace kolmasyst
