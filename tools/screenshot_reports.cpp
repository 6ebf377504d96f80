// Shows the statistics window (its text and its chart) and the settings dialog's pages
// "Poczta" and "Dodatkowe" over a programs' folder that has run the report, and saves a
// screenshot of each: screenshot_reports <programs folder> <folder>. Meant to run under Xvfb
// (tools/screenshots.sh makes the folder with three months of runs).
#include "AppContext.h"
#include "MessageService.h"
#include "logic/Scheduler.h"
#include "windows/FormPlacement.h"
#include "windows/TfrmStat.h"
#include "windows/TfrmUstaw.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QThread>

using namespace kolmasyst;

namespace {
void shoot(QWidget& window, const QString& file) {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
    const QRect frame = window.frameGeometry();
    window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(file);
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Asystent systemu KOLM"));
    const QString programs = app.arguments().value(1, QStringLiteral("."));
    const QDir out(app.arguments().value(2, QStringLiteral(".")));
    StdErrMessageService messages;
    AppContext context(programs, {}, messages);
    FormPlacement placement(QDir(programs).filePath(QStringLiteral("kolmasyst.ini")));

    TfrmStat statistics(context, placement);
    statistics.resize(640, 440);
    statistics.show();
    shoot(statistics, out.filePath(QStringLiteral("assistant-statistics.png")));
    statistics.pages->setCurrentIndex(1);
    shoot(statistics, out.filePath(QStringLiteral("assistant-statistics-chart.png")));
    statistics.resize(TfrmStat::MinimumWidth, TfrmStat::MinimumHeight);
    shoot(statistics, out.filePath(QStringLiteral("assistant-statistics-chart-small.png")));
    statistics.hide();

    Scheduler scheduler(context, Scheduler::Jobs{[] {}, [](const QDate&) { return true; }});
    scheduler.LoadScheduleSettings();
    TfrmUstaw settings(context, scheduler);
    settings.show();
    settings.pgKolmAsyst->setCurrentWidget(settings.tsPoczta);
    shoot(settings, out.filePath(QStringLiteral("assistant-settings-mail.png")));
    settings.pgKolmAsyst->setCurrentWidget(settings.tsDodatkowe);
    shoot(settings, out.filePath(QStringLiteral("assistant-settings-options.png")));
    return 0;
}
