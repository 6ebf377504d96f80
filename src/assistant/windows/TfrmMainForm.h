#pragma once

#include "jobs/BackupJob.h"
#include "logic/ModuleLauncher.h"
#include "logic/Scheduler.h"
#include "widgets/IconAnimation.h"
#include "windows/FormPlacement.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QUrl>

#include <functional>
#include <memory>

class AppContext;
class QAction;
class QFileSystemWatcher;
class QFrame;
class QLabel;
class QMenu;
class QTimer;

namespace kolmasyst {

class MailJob;
class TBitBtnWithColor;
class TfrmAliasName;
class TfrmChangeDB;
class TfrmRaport;
class TfrmListaRap;
class TfrmStat;
class TfrmUstaw;
class TfrmWazDat;
class TfrmLogowanie;
class THookHelpSystem;
class TOwnerDrawnMenu;

// The assistant's main form. Its window, a small panel of buttons, is hidden at start and
// shown through the login gate; the program lives as an icon in the notification area, whose
// left click asks for a login and whose right click opens the owner-drawn popup menu. The form
// owns the two timers (icon animation and schedule check) and shows the login state.
class TfrmMainForm : public QMainWindow {
    Q_OBJECT
public:
    static const QString ApplicationTitle; // "Asystent systemu KOLM"
    static constexpr int HelpContext = 3000;
    static constexpr int HelpButtonTopic = 2200;
    static const QString HelpButtonFile; // "KOLMASYST.CHM"
    static constexpr int ClientWidth = 297;
    static constexpr int ClientHeight = 315;
    static const QColor ButtonFace; // RGB(237,216,131)
    static constexpr int AnimationInterval = 200;
    static constexpr int FirstCheckInterval = 1000;
    static constexpr int CheckInterval = 3600000;
    static constexpr int PopupMenuWidth = 136;
    static const QString UserItemPrefix; // "Użytkownik : "
    static const QString ExitQuestion;   // "Zamknąć okno programu asystenta systemu KOLM ?"
    static const QString ExitCaption;    // "Zamknąć okno ?"
    static const QString ModuleRunningMessage;
    static const QString NoTrayMessage;
    // The maker's web page that "Zobacz uaktualnienia" opens.
    static const QString UpdatesAddress;
    static const QString NoBrowserMessage; // "Nie można otworzyć przeglądarki internetowej: "

    TfrmMainForm(AppContext& app, TfrmLogowanie& login, THookHelpSystem& help, QWidget* parent = nullptr);
    ~TfrmMainForm() override;

    // How a web page is opened: the desktop's browser (tests capture the call).
    std::function<bool(const QUrl&)> openUrl;

    // Window
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;
    TBitBtnWithColor* bListRap;
    TBitBtnWithColor* bRaport;
    TBitBtnWithColor* bUaktual;
    TBitBtnWithColor* bUstaw;
    TBitBtnWithColor* bDaty;
    TBitBtnWithColor* bHelp;
    TBitBtnWithColor* bEnd;
    // The items of the active database lapsing within 30 days, after its last run.
    QLabel* lWygasa;

    // Popup menu
    TOwnerDrawnMenu* mPopupMenu;
    QAction* mPokaz;
    QAction* mStatys;
    QAction* N1;
    QAction* mAnimateIcon;
    QAction* N2;
    QAction* modkolm;
    QAction* kolmAdm;
    QAction* kolm;
    QAction* kolmWyp;
    QAction* kolmBHP;
    QAction* kolmDob;
    QAction* mWybBazy;
    TOwnerDrawnMenu* mWybBazyMenu;
    QAction* mConfBase;
    QAction* N4;
    QAction* mUzytk;
    QAction* mLogo;
    QAction* mWylogo;
    QAction* N3;
    QAction* mExit;

    QTimer* pTimer;
    QTimer* pAktywTimer;
    QList<QIcon> pImageList;
    QSystemTrayIcon* TrayIcon;

    // True from creation until the first tick of pTimer.
    bool PierwszyTakt() const { return m_pierwszyTakt; }
    const IconAnimation& animation() const { return m_animation; }
    // The image last put into the notification-area icon.
    int trayImage() const { return m_trayImage; }
    // Whether the program's end was asked for (Koniec answered Yes, or the window closed).
    bool endRequested() const { return m_endRequested; }

    // Starts the animation as the scheduler does when it starts an automatic report.
    void startAnimation();
    // Stops the animation once the user has looked at the reports.
    void stopAnimation();

    // The alias of the active database.
    const QString& AktywnyAlias() const { return m_aktywnyAlias; }
    // The tray's tooltip and the window's line of items lapsing soon, from the active database's
    // history; kept up to date as kolmrap writes that history.
    void refreshLapseLine();
    // Rebuilds the database items of the submenu, checking the one of alias.
    void BuildDatabaseMenu(const QString& alias);
    // The databases dialog (created on first use and kept) and the notice.
    TfrmAliasName* aliasDialog();
    TfrmChangeDB& changeNotice();
    // The report runner window (created on first use and kept).
    TfrmRaport* reportWindow();
    // The statistics window (created on first use and kept; where it was is saved at the end).
    TfrmStat* statisticsWindow();
    // The important-dates window (created on first use and kept).
    TfrmWazDat* datesWindow();
    // The report list (created on first use and kept).
    TfrmListaRap* reportList();
    // The settings dialog (created on first use and kept).
    TfrmUstaw* settingsDialog();

    bool IsModuleWindowOpen() const;
    void ModulClick(const QString& executableText);
    // Starts kolmrap ("kolmrap.exe ") with the configuration digit and, when a user logged in
    // with a typed password, the user; the process id, 0 when it did not start.
    qint64 ModulClickNew(const QString& executableText);
    // The report runner's start of kolmrap: why it could not start, empty when it did.
    QString startReportNow();
    Scheduler& scheduler() { return m_scheduler; }
    // Starts the backup of day on a thread of its own; false while one runs.
    bool startBackup(const QDate& day);
    bool backupRunning() const { return m_backup.running(); }
    BackupJob& backupJob() { return m_backup; }
    MailJob& mailJob() { return *m_mailJob; }
    // The messages left pending by the runs, tried again once each (on the mail job's thread).
    void retryPendingMail();
    const QString& typedPassword() const { return m_typedPassword; }

Q_SIGNALS:
    void backupEnded(bool succeeded);

public:
    const ModuleLauncher& launcher() const { return m_launcher; }

public Q_SLOTS:
    void TrayIconMessage(QSystemTrayIcon::ActivationReason reason);
    void mPokazClick();
    void mStatysClick();
    void mAnimateIconClick();
    void mLogoClick();
    void mWylogoClick();
    void mExitClick();
    void mConfBaseClick();
    void AliasClick();
    void bEndClick();
    void bUaktualClick();
    void bUstawClick();
    void bRaportClick();
    void bListRapClick();
    void bDatyClick();
    void bHelpClick();
    void pTimerTimer();
    void pAktywTimerTimer();
    void kolmAdmClick();
    void kolmClick();
    void kolmWypClick();
    void kolmBHPClick();
    void kolmDobClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    void buildPopupMenu();
    void buildTrayIcon();
    // The check mark of mAnimateIcon has changed: the timer and the icon follow it.
    void applyAnimationSwitch();
    void ShowStillIcon();
    void setTrayImage(int index);
    void setUserItemCaption();
    void showMainWindow();
    // The window's caption: the active alias and the logged-in user.
    void showUserInTitle();
    // Whether there is a database to log in to; when there is none, says so once and offers the
    // databases dialog.
    bool requireDatabase();
    void endApplication();
    // Scheduler hook: loads the schedule, the section switches and the active alias.
    void LoadScheduleSettings();
    // Scheduler hook: the hourly check of the report and backup schedules.
    void hourlyScheduleCheck();

    AppContext& m_app;
    TfrmLogowanie& m_login;
    THookHelpSystem& m_help;
    ModuleLauncher m_launcher;
    IconAnimation m_animation;
    bool m_pierwszyTakt = true;
    int m_trayImage = -1;
    bool m_endRequested = false;
    QString m_aktywnyAlias;
    QFileSystemWatcher* m_historyWatch = nullptr;
    // The retry of the report's messages left pending, at each hourly check.
    MailJob* m_mailJob = nullptr;
    Scheduler m_scheduler;
    QString m_typedPassword;
    BackupJob m_backup;
    FormPlacement m_placement;
    // The windows made on first use and kept. They go before the placement store (declared
    // after it), so that those that keep their place save it while it is there.
    struct Windows {
        std::unique_ptr<TfrmChangeDB> notice;
        std::unique_ptr<TfrmAliasName> aliasDialog;
        std::unique_ptr<TfrmRaport> runner;
        std::unique_ptr<TfrmStat> statistics;
        std::unique_ptr<TfrmWazDat> dates;
        std::unique_ptr<TfrmListaRap> reportList;
        std::unique_ptr<TfrmUstaw> settings;
    };
    Windows m_windows;
};

} // namespace kolmasyst
