#include "logic/ReportRunner.h"

#include "AppContext.h"
#include "Errors.h"
#include "SharedSettings.h"
#include "logic/Scheduler.h"
#include "platform/InstanceLock.h"

namespace kolmasyst {

ReportRunner::ReportRunner(AppContext& app, std::function<void()> launch, std::function<bool()> running,
                           QObject* parent)
    : QObject(parent), m_app(app), m_launch(std::move(launch)), m_running(std::move(running)) {
    m_timer.setInterval(StepMs);
    connect(&m_timer, &QTimer::timeout, this, &ReportRunner::tick);
}

bool ReportRunner::IsReportRunning() {
    return InstanceLock::isHeld(QStringLiteral("kolmrap.exe"));
}

void ReportRunner::start() {
    TMyIniFile& ini = m_app.settings();
    m_found = Settings::read(ini, Settings::LastReportDate);
    const QDate day = Scheduler::toDate(m_app, m_found);
    // From here the stored date equals today only if kolmrap records a successful run today.
    m_moved = m_app.dates().formatDate(day.addDays(-1));
    Settings::write(ini, Settings::LastReportDate, m_moved);
    m_active = true;
    try {
        if (m_launch)
            m_launch();
    } catch (const EKolmError&) {
        // As designed: a start that fails shows at the first probe.
    }
    cycle();
}

bool ReportRunner::storedIsToday() const {
    QDate day;
    return m_app.dates().parseDate(Settings::read(m_app.settings(), Settings::LastReportDate), &day,
                                   m_app.clock()) &&
           day == m_app.clock().today();
}

void ReportRunner::cycle() {
    if (storedIsToday()) {
        finish();
        return;
    }
    m_step = 0;
    Q_EMIT progress(m_step);
    m_timer.start();
}

void ReportRunner::tick() {
    ++m_step;
    Q_EMIT progress(m_step);
    if (m_step < Steps)
        return;
    m_timer.stop();
    if (m_running && m_running())
        cycle();
    else
        finish();
}

void ReportRunner::finish() {
    m_timer.stop();
    m_active = false;
    const bool ok = storedIsToday();
    if (!ok) {
        // A failure leaves the schedule as it was, unless another run changed the date meanwhile.
        try {
            if (Settings::read(m_app.settings(), Settings::LastReportDate) == m_moved)
                Settings::write(m_app.settings(), Settings::LastReportDate, m_found);
        } catch (const EKolmError&) {
        }
    }
    Q_EMIT finished(ok);
}

} // namespace kolmasyst
