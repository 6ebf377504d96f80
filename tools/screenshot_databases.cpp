// Shows the databases dialog, the notice and the report runner on the current display and saves a picture of
// each: screenshot_databases <folder>. Meant to run under Xvfb (tools/screenshots.sh).
#include "AliasRegistry.h"
#include "AppContext.h"
#include "MessageService.h"
#include "MyIniFile.h"
#include "RunLog.h"
#include "ScreenshotSupport.h"
#include "SharedSettings.h"
#include "logic/ReportRunner.h"
#include "logic/Scheduler.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/FormPlacement.h"
#include "windows/TfrmAliasName.h"
#include "windows/TfrmChangeDB.h"
#include "windows/TfrmListaRap.h"
#include "windows/TfrmRaport.h"
#include "windows/TfrmStat.h"
#include "windows/TfrmUstaw.h"
#include "windows/TfrmWazDat.h"

#include <QLabel>
#include <QProgressBar>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

using namespace kolmasyst;

using ScreenshotSupport::settle;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Asystent systemu KOLM"));
    const QString out = app.arguments().value(1, QStringLiteral("."));
    QTemporaryDir programs;
    AliasRegistry registry(AliasRegistry::defaultPath(programs.path()));
    const QStringList names{QStringLiteral("firma"), QString::fromUtf8("łódź_zakład"),
                            QStringLiteral("archiwum"), QString::fromUtf8("gdańsk")};
    for (const QString& name : names)
        registry.addAlias(name, AliasRegistry::InterBaseDriver,
                          {QStringLiteral("SERVER NAME=/srv/kolm/") + name + QStringLiteral(".fdb")});
    registry.save();
    TMyIniFile ini(QDir(programs.path()).filePath(QStringLiteral("brel.ini")));
    ini.WriteAliasName(QStringLiteral("firma"));
    ini.WriteAliasDatabase(QStringLiteral("ALIAS"), QStringLiteral("firma"),
                           QString::fromUtf8("Centrala — Kraków"));
    ini.WriteAliasDatabase(QStringLiteral("ALIAS"), QString::fromUtf8("łódź_zakład"),
                           QString::fromUtf8("Zakład w Łodzi"));
    ini.WritePathDatabase(QStringLiteral("PATH"), QString::fromUtf8("łódź_zakład"),
                          QStringLiteral("/srv/kolm"));
    ini.WritePathDatabase(QStringLiteral("ASYST"), QString::fromUtf8("łódź_zakład"),
                          QString::fromUtf8("/srv/raporty/łódź"));
    ini.WritePathDatabase(QStringLiteral("BACKUP"), QString::fromUtf8("łódź_zakład"),
                          QString::fromUtf8("/srv/kopie/łódź"));

    StdErrMessageService messages;
    AppContext context(programs.path(), {}, messages);
    QString aktywny = QStringLiteral("firma");
    TfrmChangeDB notice;
    TfrmAliasName dialog(context, aktywny, notice);
    dialog.show();
    settle();
    const auto found = dialog.lbWybAliasName->findItems(QString::fromUtf8("łódź_zakład"), Qt::MatchExactly);
    if (!found.isEmpty()) {
        dialog.lbWybAliasName->setCurrentItem(found.first());
        dialog.lbWybAliasNameClick();
    }
    settle();
    dialog.grab().save(QDir(out).filePath(QStringLiteral("databases-dialog.png")));
    notice.showNotice(QStringLiteral("trwa proces zmiany aktywnej bazy danych na :"),
                      QString::fromUtf8("łódź_zakład"));
    settle();
    notice.grab().save(QDir(out).filePath(QStringLiteral("databases-notice.png")));
    notice.closeNotice();

    // The report runner after a run that wrote its reports and after one that failed: kolmrap's
    // log as a run leaves it, read by the runner as after a real run.
    Settings::write(ini, Settings::LastReportDate, QStringLiteral("2026-12-07"));
    for (const bool succeeded : {true, false}) {
        TfrmRaport runner(context, [&] {
            const QString today = context.dates().formatDate(QDate::currentDate());
            if (succeeded) {
                Settings::write(ini, Settings::LastReportDate, today);
                RunLog::write(context.configFileName(),
                              {QStringLiteral("Baza \"firma\": raporty w /var/lib/kolm/dane/firma/Raporty"),
                               QStringLiteral("Raport wykonany; data ostatniego raportu: ") + today});
            } else {
                RunLog::write(
                    context.configFileName(),
                    {QStringLiteral("Baza \"firma\": raporty w /var/lib/kolm/dane/firma/Raporty"),
                     QString::fromUtf8("Baza \"łódź_zakład\": Brak dostępu do bazy danych; Skontaktuj się z "
                                       "administratorem: Unable to complete network request to host "
                                       "\"serwer\". - Failed to establish a connection."),
                     QString::fromUtf8("Raport nie został wykonany w całości; data ostatniego raportu bez "
                                       "zmian (bazy z błędami: łódź_zakład)")});
            }
            return QString();
        });
        runner.runner().setStepMs(5);
        bool done = false;
        QObject::connect(&runner.runner(), &ReportRunner::finished, [&done] { done = true; });
        runner.show();
        for (int i = 0; i < 200 && !done; ++i)
            settle();
        settle();
        runner.grab().save(QDir(out).filePath(succeeded ? QStringLiteral("runner-success.png")
                                                        : QStringLiteral("runner-error.png")));
        runner.hide();
    }

    // The statistics and the important dates.
    Settings::write(ini, Settings::LastBackupDate, QStringLiteral("2026-12-09"));
    Settings::write(ini, Settings::BackupPeriod, QStringLiteral("1"));
    Settings::write(ini, Settings::LastReportDate, QStringLiteral("2026-12-07"));
    Settings::write(ini, Settings::ReportPeriod, QStringLiteral("7"));
    FormPlacement placement(QDir(programs.path()).filePath(QStringLiteral("kolmasyst.ini")));
    TfrmStat stat(context, placement);
    stat.show();
    settle();
    stat.grab().save(QDir(out).filePath(QStringLiteral("statistics.png")));
    TfrmWazDat dates(placement);
    dates.show();
    settle();
    dates.grab().save(QDir(out).filePath(QStringLiteral("important-dates.png")));

    // The settings dialog on both of its schedule pages.
    Settings::write(ini, Settings::ReportHour, QStringLiteral("6:00:00"));
    Settings::write(ini, Settings::BackupHour, QStringLiteral("22:30:00"));
    Settings::write(ini, Settings::sectionSwitch(Settings::CzynnRyz), Settings::flag(true));
    Settings::write(ini, Settings::sectionSwitch(Settings::SrodRyz), Settings::flag(true));
    Scheduler scheduler(context, Scheduler::Jobs{});
    scheduler.LoadScheduleSettings();
    TfrmUstaw settings(context, scheduler);
    settings.show();
    settle();
    settings.grab().save(QDir(out).filePath(QStringLiteral("settings-reports.png")));
    settings.pgUstawCzest->setCurrentWidget(settings.tsBackup);
    settings.pgKolmAsyst->setCurrentIndex(3);
    settle();
    settings.grab().save(QDir(out).filePath(QStringLiteral("settings-backup.png")));

    // The report list over a folder of report files.
    const QString reports = QDir(programs.path()).filePath(QString::fromUtf8("łódź_zakład/Raporty"));
    for (const char* section : {"CzynnRyz", "TermRyz", "StanAdm", "PracAdm", "PrzetBhp"}) {
        const QString folder = QDir(reports).filePath(QLatin1String(section));
        QDir().mkpath(folder);
        for (const char* day : {"2026-12-03", "2026-12-10"}) {
            QFile f(
                QDir(folder).filePath(QLatin1String(section) + QLatin1String(day) + QStringLiteral(".pdf")));
            if (f.open(QIODevice::WriteOnly))
                f.write("%PDF-1.4\n");
        }
    }
    TfrmListaRap list(context, placement);
    list.show();
    settle();
    list.setRoot(reports);
    settle();
    list.grab().save(QDir(out).filePath(QStringLiteral("report-list.png")));
    list.setRoot(QDir(reports).filePath(QStringLiteral("CzynnRyz")));
    list.btnIconsClick(3);
    settle();
    list.grab().save(QDir(out).filePath(QStringLiteral("report-list-details.png")));
    return 0;
}
