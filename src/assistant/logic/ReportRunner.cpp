#include "logic/ReportRunner.h"

#include "AppContext.h"
#include "Errors.h"
#include "RunLog.h"
#include "SharedSettings.h"
#include "logic/Scheduler.h"
#include "platform/InstanceLock.h"

#include <QRegularExpression>

namespace kolmasyst {

ReportRunner::ReportRunner(AppContext& app, std::function<QString()> launch, std::function<bool()> running,
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
    m_outcome = Outcome();
    m_startError.clear();
    // The log of this run is newer than this; a second's margin for file systems that keep whole
    // seconds.
    m_started = QDateTime::currentDateTime().addSecs(-1);
    try {
        if (m_launch)
            m_startError = m_launch();
    } catch (const EKolmError& e) {
        m_startError = e.text();
    }
    // A start that fails shows at the first probe, as designed.
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
    if (!m_startError.isEmpty()) {
        m_outcome.problems << m_startError;
    } else {
        const RunLog::Entry log = RunLog::read(m_app.configFileName());
        if (log.found && log.written >= m_started)
            m_outcome = fromLog(log.lines, ok);
        else if (!ok)
            m_outcome.problems << QStringLiteral("Program kolmrap zakończył się, nie opisując przebiegu "
                                                 "(przerwany albo zakończony przez system).");
    }
    m_outcome.succeeded = ok;
    Q_EMIT finished(ok);
}

ReportRunner::Outcome ReportRunner::fromLog(const QStringList& lines, bool succeeded) {
    static const QRegularExpression folder(QStringLiteral("^Baza \"(.*)\": raporty w (.*)$"));
    static const QRegularExpression written(QStringLiteral("^  \\S+: .* \\(\\d+ (str|ark)\\.\\)$"));
    Outcome out;
    out.succeeded = succeeded;
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = folder.match(line);
        if (m.hasMatch()) {
            out.folders << m.captured(2);
            continue;
        }
        if (written.match(line).hasMatch() || line.startsWith(QLatin1String("Raport wykonany")) ||
            line.trimmed().isEmpty())
            continue;
        out.problems << line.trimmed();
    }
    if (succeeded)
        out.problems.clear();
    else if (lines.join(QLatin1Char('\n')).contains(QStringLiteral("bez logowania użytkownika")))
        out.problems << QStringLiteral(
            "Raport loguje się do bazy hasłem wpisanym w oknie logowania asystenta: "
            "zaloguj się (menu „Użytkownik” → „Logowanie”) i wykonaj raport ponownie.");
    return out;
}

} // namespace kolmasyst
