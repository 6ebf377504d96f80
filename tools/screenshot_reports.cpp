// Shows the statistics window (its text and its chart) and the settings dialog's pages
// "Poczta" and "Dodatkowe" over a programs' folder that has run the report, and saves a
// screenshot of each: screenshot_reports <programs folder> <folder>. Meant to run under Xvfb
// (tools/screenshots.sh makes the folder with three months of runs).
#include "AppContext.h"
#include "MessageService.h"
#include "ScreenshotSupport.h"
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

using ScreenshotSupport::shootFrame;

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
    shootFrame(statistics, out.filePath(QStringLiteral("assistant-statistics.png")));
    statistics.pages->setCurrentIndex(1);
    shootFrame(statistics, out.filePath(QStringLiteral("assistant-statistics-chart.png")));
    statistics.resize(TfrmStat::MinimumWidth, TfrmStat::MinimumHeight);
    shootFrame(statistics, out.filePath(QStringLiteral("assistant-statistics-chart-small.png")));
    statistics.hide();

    Scheduler scheduler(context, Scheduler::Jobs{[] {}, [](const QDate&) { return true; }});
    scheduler.LoadScheduleSettings();
    TfrmUstaw settings(context, scheduler);
    settings.show();
    settings.pgKolmAsyst->setCurrentWidget(settings.tsPoczta);
    shootFrame(settings, out.filePath(QStringLiteral("assistant-settings-mail.png")));
    settings.pgKolmAsyst->setCurrentWidget(settings.tsDodatkowe);
    shootFrame(settings, out.filePath(QStringLiteral("assistant-settings-options.png")));
    return 0;
}
