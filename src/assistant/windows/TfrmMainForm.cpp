#include "windows/TfrmMainForm.h"

#include "AliasRegistry.h"
#include "GlobalUtils.h"
#include "RunHistory.h"
#include "SharedSettings.h"
#include "jobs/DatabaseBackup.h"
#include "jobs/MailJob.h"
#include "logic/DatabaseGate.h"
#include "logic/DatabaseSwitch.h"
#include "logic/ReportHistory.h"
#include "platform/DetachedProcess.h"
#include "windows/TfrmAliasName.h"
#include "windows/TfrmChangeDB.h"
#include "windows/TfrmListaRap.h"
#include "windows/TfrmRaport.h"
#include "windows/TfrmStat.h"
#include "windows/TfrmUstaw.h"
#include "windows/TfrmWazDat.h"

#include "AppContext.h"
#include "Errors.h"
#include "MessageService.h"
#include "helpkit/THookHelpSystem.h"
#include "platform/TopLevelWindows.h"
#include "widgets/AssistantLook.h"
#include "widgets/TBitBtnWithColor.h"
#include "widgets/TOwnerDrawnMenu.h"
#include "widgets/TrayImages.h"
#include "windows/TfrmLogowanie.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <functional>
#include <optional>

namespace kolmasyst {

const QString TfrmMainForm::ApplicationTitle = QStringLiteral("Asystent systemu KOLM");
const QString TfrmMainForm::HelpButtonFile = QStringLiteral("KOLMASYST.CHM");
const QColor TfrmMainForm::ButtonFace(237, 216, 131);
const QString TfrmMainForm::UserItemPrefix = QStringLiteral("Użytkownik : ");
const QString TfrmMainForm::ExitQuestion = QStringLiteral("Zamknąć okno programu asystenta systemu KOLM ?");
const QString TfrmMainForm::ExitCaption = QStringLiteral("Zamknąć okno ?");
const QString TfrmMainForm::ModuleRunningMessage =
    QStringLiteral("Brak możliwości przeprowadzenia konfiguracji bazy danych\rUruchomiony jest jeden z "
                   "modułów systemu KOLM");
const QString TfrmMainForm::NoTrayMessage =
    QStringLiteral("Asystent systemu KOLM: brak obszaru powiadomień na pulpicie; ikona asystenta pojawi się, "
                   "gdy obszar powiadomień będzie dostępny.");
const QString TfrmMainForm::UpdatesAddress = QStringLiteral("https://kolm.example/aktualizacje");
const QString TfrmMainForm::NoBrowserMessage =
    QStringLiteral("Nie można otworzyć przeglądarki internetowej: ");

namespace {

const QString kAnimationOn = QStringLiteral("Wstrzymaj animacje");
const QString kAnimationOff = QStringLiteral("Uruchom animacje");

// The handlers reach the database; an error there is shown like any other error of the program,
// which then goes on.
void guarded(AppContext& app, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const EKolmError& e) {
        app.messages().showMessage(e.text(), QString());
    }
}

TBitBtnWithColor* makeButton(QWidget* parent, const char* name, const QString& caption,
                             const QRect& geometry) {
    auto* b = new TBitBtnWithColor(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setFaceColor(TfrmMainForm::ButtonFace);
    return b;
}

QFrame* makeBevel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameStyle(QFrame::Panel | QFrame::Raised);
    f->setLineWidth(1);
    f->setGeometry(geometry);
    return f;
}

// Action texts mark mnemonics with "&"; a user name shows its own "&" as typed.
QString escapedForMenu(const QString& text) {
    QString out = text;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TfrmMainForm::TfrmMainForm(AppContext& app, TfrmLogowanie& login, THookHelpSystem& help, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_login(login), m_help(help),
      m_launcher(app.programFolder(), app.commandLine().configuration),
      m_aktywnyAlias(app.settings().ReadAliasName()),
      m_scheduler(app, Scheduler::Jobs{[this] {
                                           startAnimation();
                                           ModulClickNew(QStringLiteral("kolmrap.exe "));
                                       },
                                       [this](const QDate& day) { return startBackup(day); }}),
      // kolmasyst.ini beside the program.
      m_backup(app.settings().fileName(), app.aliasRegistryPath(), app.dates()),
      m_placement(QDir(app.programFolder()).filePath(QStringLiteral("kolmasyst.ini"))) {
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(ApplicationTitle);
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    for (int i = 0; i < TrayImages::Count; ++i)
        pImageList.append(TrayImages::icon(i));
    buildWindow();
    buildPopupMenu();

    pTimer = new QTimer(this);
    pTimer->setObjectName(QStringLiteral("pTimer"));
    pTimer->setInterval(AnimationInterval);
    connect(pTimer, &QTimer::timeout, this, &TfrmMainForm::pTimerTimer);
    pAktywTimer = new QTimer(this);
    pAktywTimer->setObjectName(QStringLiteral("pAktywTimer"));
    pAktywTimer->setInterval(FirstCheckInterval);
    connect(pAktywTimer, &QTimer::timeout, this, &TfrmMainForm::pAktywTimerTimer);

    buildTrayIcon();

    // The user's date format is in force before any schedule or date is read.
    m_app.dates().ApplyDateFormat(Settings::read(m_app.settings(), Settings::DateFormat));
    setProperty(THookHelpSystem::HelpContextProperty, HelpContext);

    // A run of kolmrap, by hand or scheduled, ends by replacing the history in the reports folder.
    m_historyWatch = new QFileSystemWatcher(this);
    connect(m_historyWatch, &QFileSystemWatcher::directoryChanged, this, &TfrmMainForm::refreshLapseLine);
    connect(m_historyWatch, &QFileSystemWatcher::fileChanged, this, &TfrmMainForm::refreshLapseLine);

    m_mailJob = new MailJob(this);
    // What the retry did goes where the assistant tells its work; the statistics show the last.
    connect(m_mailJob, &MailJob::pendingDone, this, [](const QStringList& lines, const QString& problem) {
        for (const QString& line : lines)
            std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("Poczta: ") + line));
        if (!problem.isEmpty())
            std::fprintf(stderr, "%s\n",
                         qPrintable(QStringLiteral("Poczta: wiadomości nie zostały wysłane: ") + problem));
        std::fflush(stderr);
    });

    connect(&m_backup, &BackupJob::finished, this, [this](const QDate& day, bool succeeded) {
        guarded(m_app, [&] { m_scheduler.backupFinished(day, succeeded); });
        Q_EMIT backupEnded(succeeded);
    });

    pTimer->start();
    pAktywTimer->start();
}

TfrmMainForm::~TfrmMainForm() {
    // A backup still running ends whole, and its day is recorded, while the form is all there.
    m_backup.wait();
    // The help windows close with the program, and its icon leaves the notification area.
    m_help.Quit();
    TrayIcon->hide();
}

void TfrmMainForm::buildWindow() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    AssistantLook::applyFormLook(this);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    setFixedSize(ClientWidth, ClientHeight);

    // Four raised bevels group the buttons; the bevels are drawn first, under the buttons.
    Bevel1 = makeBevel(client, "Bevel1", QRect(8, 8, 281, 80));
    Bevel2 = makeBevel(client, "Bevel2", QRect(8, 96, 281, 49));
    Bevel3 = makeBevel(client, "Bevel3", QRect(8, 153, 281, 80));
    Bevel4 = makeBevel(client, "Bevel4", QRect(8, 241, 281, 66));
    bListRap = makeButton(client, "bListRap", QStringLiteral("Pokaż listę raportów"), QRect(24, 20, 249, 25));
    bRaport = makeButton(client, "bRaport", QStringLiteral("Wykonaj raport"), QRect(24, 52, 249, 25));
    bUaktual =
        makeButton(client, "bUaktual", QStringLiteral("Zobacz uaktualnienia"), QRect(24, 108, 249, 25));
    bUstaw = makeButton(client, "bUstaw", QStringLiteral("Ustawienia"), QRect(24, 165, 249, 25));
    bDaty = makeButton(client, "bDaty", QStringLiteral("Daty istotnych zmian"), QRect(24, 197, 249, 25));
    bHelp = makeButton(client, "bHelp", QStringLiteral("Pomoc"), QRect(24, 252, 75, 25));
    bEnd = makeButton(client, "bEnd", QStringLiteral("Zamknij"), QRect(111, 252, 75, 25));
    lWygasa = new QLabel(client);
    lWygasa->setObjectName(QStringLiteral("lWygasa"));
    lWygasa->setGeometry(24, 281, 249, 20);
    QFont bold = lWygasa->font();
    bold.setBold(true);
    lWygasa->setFont(bold);
    // Enter and Esc both press "Zamknij" (keyPressEvent).
    bEnd->setDefault(true);

    connect(bListRap, &QPushButton::clicked, this, &TfrmMainForm::bListRapClick);
    connect(bRaport, &QPushButton::clicked, this, &TfrmMainForm::bRaportClick);
    connect(bUaktual, &QPushButton::clicked, this, &TfrmMainForm::bUaktualClick);
    connect(bUstaw, &QPushButton::clicked, this, &TfrmMainForm::bUstawClick);
    connect(bDaty, &QPushButton::clicked, this, &TfrmMainForm::bDatyClick);
    connect(bHelp, &QPushButton::clicked, this, &TfrmMainForm::bHelpClick);
    connect(bEnd, &QPushButton::clicked, this, &TfrmMainForm::bEndClick);
}

void TfrmMainForm::buildPopupMenu() {
    mPopupMenu = new TOwnerDrawnMenu(QString(), this);
    mPopupMenu->setObjectName(QStringLiteral("mPopupMenu"));
    mPopupMenu->setCaptionBand(ApplicationTitle);
    // mExitMeasureItem: the menu is at least 136 pixels wide.
    mPopupMenu->setMinimumWidth(PopupMenuWidth);

    mPokaz = mPopupMenu->addAction(QStringLiteral("Pokaż formularz"));
    mStatys = mPopupMenu->addAction(QStringLiteral("Pokaż statystyki"));
    N1 = mPopupMenu->addSeparator();
    mAnimateIcon = mPopupMenu->addAction(kAnimationOff);
    mAnimateIcon->setCheckable(true);
    N2 = mPopupMenu->addSeparator();

    auto* modules = new QMenu(QStringLiteral("Moduły systemu KOLM "), mPopupMenu);
    modules->setObjectName(QStringLiteral("modkolmMenu"));
    modkolm = mPopupMenu->addMenu(modules);
    const QVector<ModuleLauncher::Module>& list = ModuleLauncher::modules();
    QAction** items[] = {&kolmAdm, &kolm, &kolmWyp, &kolmBHP, &kolmDob};
    void (TfrmMainForm::*handlers[])() = {&TfrmMainForm::kolmAdmClick, &TfrmMainForm::kolmClick,
                                          &TfrmMainForm::kolmWypClick, &TfrmMainForm::kolmBHPClick,
                                          &TfrmMainForm::kolmDobClick};
    for (int i = 0; i < list.size(); ++i) {
        *items[i] = modules->addAction(list.at(i).caption);
        (*items[i])->setObjectName(list.at(i).component);
        connect(*items[i], &QAction::triggered, this, handlers[i]);
    }

    mWybBazyMenu = new TOwnerDrawnMenu(QStringLiteral("Wybór bazy danych"), mPopupMenu);
    mWybBazyMenu->setObjectName(QStringLiteral("mWybBazyMenu"));
    mWybBazyMenu->setMarkImage(TrayImages::pixmap(TrayImages::ActiveDatabaseMark));
    mWybBazy = mPopupMenu->addMenu(mWybBazyMenu);
    mConfBase = mWybBazyMenu->addAction(QStringLiteral("Konfiguracja bazy danych"));
    N4 = mWybBazyMenu->addSeparator();

    auto* user = new QMenu(QStringLiteral("Użytkownik :"), mPopupMenu);
    user->setObjectName(QStringLiteral("mUzytkMenu"));
    mUzytk = mPopupMenu->addMenu(user);
    mLogo = user->addAction(QStringLiteral("Logowanie"));
    mWylogo = user->addAction(QStringLiteral("Wylogowanie"));
    N3 = mPopupMenu->addSeparator();
    mExit = mPopupMenu->addAction(QStringLiteral("&Koniec"));

    const std::pair<QAction*, const char*> names[] = {{mPokaz, "mPokaz"},
                                                      {mStatys, "mStatys"},
                                                      {N1, "N1"},
                                                      {mAnimateIcon, "mAnimateIcon"},
                                                      {N2, "N2"},
                                                      {modkolm, "modkolm"},
                                                      {mWybBazy, "mWybBazy"},
                                                      {mConfBase, "mConfBase"},
                                                      {N4, "N4"},
                                                      {mUzytk, "mUzytk"},
                                                      {mLogo, "mLogo"},
                                                      {mWylogo, "mWylogo"},
                                                      {N3, "N3"},
                                                      {mExit, "mExit"}};
    for (const auto& n : names)
        n.first->setObjectName(QLatin1String(n.second));
    for (QAction* a : {mPokaz, mStatys, mAnimateIcon, modkolm, mWybBazy, mUzytk, mExit})
        mPopupMenu->setItemKind(a, TOwnerDrawnMenu::ItemKind::Caption);
    setUserItemCaption();

    connect(mPokaz, &QAction::triggered, this, &TfrmMainForm::mPokazClick);
    connect(mStatys, &QAction::triggered, this, &TfrmMainForm::mStatysClick);
    // The menu has already inverted the check mark when it reports the click.
    connect(mAnimateIcon, &QAction::triggered, this, &TfrmMainForm::applyAnimationSwitch);
    connect(mConfBase, &QAction::triggered, this, &TfrmMainForm::mConfBaseClick);
    connect(mLogo, &QAction::triggered, this, &TfrmMainForm::mLogoClick);
    connect(mWylogo, &QAction::triggered, this, &TfrmMainForm::mWylogoClick);
    connect(mExit, &QAction::triggered, this, &TfrmMainForm::mExitClick);
    // The user item always shows the user logged in when the menu opens.
    connect(mPopupMenu, &QMenu::aboutToShow, this, &TfrmMainForm::setUserItemCaption);
}

void TfrmMainForm::buildTrayIcon() {
    TrayIcon = new QSystemTrayIcon(this);
    TrayIcon->setToolTip(ApplicationTitle);
    ShowStillIcon();
    connect(TrayIcon, &QSystemTrayIcon::activated, this, &TfrmMainForm::TrayIconMessage);
    // Shown even without a tray: the icon appears as soon as a tray host starts.
    TrayIcon->show();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fprintf(stderr, "%s\n", NoTrayMessage.toLocal8Bit().constData());
        std::fflush(stderr);
    }
}

void TfrmMainForm::setTrayImage(int index) {
    m_trayImage = index;
    TrayIcon->setIcon(pImageList.at(index));
}

void TfrmMainForm::ShowStillIcon() {
    setTrayImage(TrayImages::StillImage);
}

void TfrmMainForm::setUserItemCaption() {
    mUzytk->setText(escapedForMenu(UserItemPrefix + m_login.session().UserName()));
}

void TfrmMainForm::TrayIconMessage(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        mPokazClick();
        break;
    case QSystemTrayIcon::Context:
        mPopupMenu->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void TfrmMainForm::showMainWindow() {
    show();
    raise();
    activateWindow();
}

bool TfrmMainForm::requireDatabase() {
    DatabaseGate::Result gate = DatabaseGate::check(m_app);
    if (gate.state == DatabaseGate::State::Ready)
        return true;
    if (!m_app.messages().askYesNo(DatabaseGate::message(gate), ApplicationTitle))
        return false;
    mConfBaseClick();
    // Mended in the dialog: the login goes on; otherwise the user has been told already.
    gate = DatabaseGate::check(m_app);
    return gate.state == DatabaseGate::State::Ready;
}

void TfrmMainForm::mPokazClick() {
    if (!requireDatabase())
        return;
    guarded(m_app, [this] {
        LoginSession& session = m_login.session();
        session.ReadUserCredentials(session.UserId());
        if (!session.UserName().isEmpty() && !session.UserPassword().isEmpty()) {
            // A remembered user: logged in again without the dialog.
            m_login.reloginRemembered(session.UserName(), session.UserPassword());
            showMainWindow();
            return;
        }
        if (const std::optional<QString> typed = m_login.askLogin()) {
            // Kept in memory only, for the reports the assistant starts.
            m_typedPassword = *typed;
            setUserItemCaption();
            showMainWindow();
        } else {
            session.clearUser();
        }
    });
}

void TfrmMainForm::showUserInTitle() {
    setWindowTitle(m_aktywnyAlias + QStringLiteral(" : ") + m_login.session().UserName());
}

void TfrmMainForm::showEvent(QShowEvent* event) {
    LoadScheduleSettings();
    // The shared connection opens on the active alias as the window shows.
    m_aktywnyAlias = m_app.karty().GetDatabase().connectionName();
    showUserInTitle();
    QMainWindow::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    // A database that cannot be opened ends the program.
    if (m_app.endRequested())
        endApplication();
}

void TfrmMainForm::closeEvent(QCloseEvent* event) {
    // The close control of the window ends the program at once, without a question.
    event->accept();
    endApplication();
}

void TfrmMainForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        bEnd->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Enter presses the focused button, else the default one.
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        (focused && focused->window() == this ? focused : static_cast<QPushButton*>(bEnd))->click();
        return;
    }
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void TfrmMainForm::endApplication() {
    m_endRequested = true;
    QCoreApplication::quit();
}

void TfrmMainForm::mLogoClick() {
    if (!requireDatabase())
        return;
    guarded(m_app, [this] {
        LoginSession& session = m_login.session();
        if (const std::optional<QString> typed = m_login.askLogin()) {
            // Kept in memory only, for the reports the assistant starts.
            m_typedPassword = *typed;
        } else {
            // Cancelling logs the current user out.
            session.clearUser();
            m_typedPassword.clear();
        }
        setUserItemCaption();
        showUserInTitle();
    });
}

void TfrmMainForm::mWylogoClick() {
    m_login.session().clearUser();
    m_login.clearFields();
    m_typedPassword.clear();
    setUserItemCaption();
    showUserInTitle();
}

void TfrmMainForm::mExitClick() {
    if (m_app.messages().askYesNo(ExitQuestion, ExitCaption))
        endApplication();
}

void TfrmMainForm::mAnimateIconClick() {
    mAnimateIcon->toggle();
    applyAnimationSwitch();
}

void TfrmMainForm::applyAnimationSwitch() {
    const bool on = mAnimateIcon->isChecked();
    mAnimateIcon->setText(on ? kAnimationOn : kAnimationOff);
    if (on) {
        pTimer->start();
    } else {
        pTimer->stop();
        ShowStillIcon();
    }
}

void TfrmMainForm::startAnimation() {
    mAnimateIcon->setChecked(true);
    applyAnimationSwitch();
}

void TfrmMainForm::stopAnimation() {
    mAnimateIcon->setChecked(false);
    applyAnimationSwitch();
}

void TfrmMainForm::pTimerTimer() {
    if (m_pierwszyTakt) {
        LoadScheduleSettings();
        guarded(m_app, [this] { BuildDatabaseMenu(m_aktywnyAlias); });
        // A backup the assistant did not live to end leaves its database in the backup state.
        DatabaseBackup(m_app.settings().fileName(), m_app.aliasRegistryPath(), m_app.dates())
            .endStalledBackups();
        m_pierwszyTakt = false;
        pTimer->stop();
        // From now on the schedule is checked once an hour; setting the interval restarts it.
        pAktywTimer->setInterval(CheckInterval);
        return;
    }
    setTrayImage(m_animation.advance());
}

void TfrmMainForm::pAktywTimerTimer() {
    hourlyScheduleCheck();
}

void TfrmMainForm::LoadScheduleSettings() {
    guarded(m_app, [this] {
        m_aktywnyAlias = m_app.settings().ReadAliasName();
        m_scheduler.LoadScheduleSettings();
    });
}

bool TfrmMainForm::startBackup(const QDate& day) {
    // One backup at a time; the copies run on a thread of their own, so the window goes on.
    return m_backup.start(day);
}

qint64 TfrmMainForm::ModulClickNew(const QString& executableText) {
    const QString program = m_launcher.resolveProgram(executableText.section(QLatin1Char(' '), 0, 0));
    if (program.isEmpty())
        return 0;
    QStringList arguments{m_app.commandLine().digitForPrograms()};
    QByteArray input;
    const LoginSession& session = m_login.session();
    // Only a password typed at a login goes: the password itself, through the program's
    // standard input, never on its command line.
    if (session.UserId() != 0 && !m_typedPassword.isEmpty()) {
        arguments << session.UserName() << QStringLiteral("-");
        input = m_typedPassword.toUtf8() + '\n';
    }
    return DetachedProcess::start(program, arguments, input);
}

QString TfrmMainForm::startReportNow() {
    const QString program = m_launcher.resolveProgram(QStringLiteral("kolmrap"));
    if (program.isEmpty())
        return m_launcher.notFoundMessage(QStringLiteral("kolmrap"));
    if (ModulClickNew(QStringLiteral("kolmrap.exe ")) == 0)
        return ModuleLauncher::cannotStartMessage(program);
    return QString();
}

void TfrmMainForm::BuildDatabaseMenu(const QString& alias) {
    const QList<QAction*> items = mWybBazyMenu->actions();
    for (int i = 2; i < items.size(); ++i) {
        mWybBazyMenu->removeAction(items[i]);
        delete items[i];
    }
    mWybBazyMenu->setDatabaseItemWidth(TOwnerDrawnMenu::DefaultDatabaseItemWidth);
    for (const Settings::ListedDatabase& db :
         Settings::usedDatabases(m_app.settings(), AliasRegistry(m_app.aliasRegistryPath()))) {
        const QString& a = db.alias;
        // "&" in a description is a character, not a mnemonic.
        QString description = db.description;
        description.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = mWybBazyMenu->addAction(QString(a).replace(QLatin1Char('&'), QStringLiteral("&&")) +
                                                QStringLiteral(" - ") + description);
        item->setData(a);
        item->setStatusTip(a);
        item->setCheckable(true);
        item->setChecked(a == alias);
        mWybBazyMenu->setItemKind(item, TOwnerDrawnMenu::ItemKind::Database);
        connect(item, &QAction::triggered, this, &TfrmMainForm::AliasClick);
    }
    refreshLapseLine();
}

void TfrmMainForm::refreshLapseLine() {
    const QString alias = m_app.settings().ReadAliasName();
    const QString folder =
        alias.isEmpty() ? QString() : m_app.installation().reportsFolder(m_app.settings(), alias);
    // The file is replaced whole by each run: its folder is watched for the new one, and before
    // the first run, which makes that folder, the nearest folder above it. Watched before the
    // file is read, so that a run ending meanwhile is not missed.
    if (!m_historyWatch->directories().isEmpty())
        m_historyWatch->removePaths(m_historyWatch->directories());
    if (!m_historyWatch->files().isEmpty())
        m_historyWatch->removePaths(m_historyWatch->files());
    if (!folder.isEmpty()) {
        QString watched = QDir::cleanPath(QDir(folder).absolutePath());
        while (!QFileInfo(watched).isDir() && QFileInfo(watched).path() != watched)
            watched = QFileInfo(watched).path();
        m_historyWatch->addPath(watched);
        if (QFileInfo::exists(RunHistory::pathIn(folder)))
            m_historyWatch->addPath(RunHistory::pathIn(folder));
    }
    const QString line = ReportHistory::lapseLine(RunHistory::lapsingSoon(ReportHistory::of(m_app, alias)));
    TrayIcon->setToolTip(line.isEmpty() ? ApplicationTitle : ApplicationTitle + QLatin1Char('\n') + line);
    lWygasa->setText(line);
}

TfrmChangeDB& TfrmMainForm::changeNotice() {
    if (!m_windows.notice)
        m_windows.notice = std::make_unique<TfrmChangeDB>(this);
    return *m_windows.notice;
}

TfrmAliasName* TfrmMainForm::aliasDialog() {
    if (!m_windows.aliasDialog)
        m_windows.aliasDialog = std::make_unique<TfrmAliasName>(m_app, m_aktywnyAlias, changeNotice(), this);
    return m_windows.aliasDialog.get();
}

void TfrmMainForm::AliasClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item)
        return;
    const QString alias = item->data().toString();
    LoginSession& session = m_login.session();
    DatabaseSwitch::Hooks hooks;
    hooks.moduleWindowOpen = [this] { return IsModuleWindowOpen(); };
    hooks.showNotice = [this](const QString& info, const QString& a) { changeNotice().showNotice(info, a); };
    hooks.closeNotice = [this] { changeNotice().closeNotice(); };
    hooks.typedPassword = [this] { return m_login.typedPassword(); };
    hooks.setTypedPassword = [this](const QString& text) { m_login.setTypedPassword(text); };
    hooks.relogin = [this] {
        const std::optional<QString> typed = m_login.askLogin();
        if (!typed)
            return false;
        // Kept in memory only, for the reports the assistant starts.
        m_typedPassword = *typed;
        setUserItemCaption();
        return true;
    };
    guarded(m_app, [&] {
        DatabaseSwitch change(m_app, session, hooks);
        const DatabaseSwitch::Outcome outcome = change.AliasClick(alias, m_aktywnyAlias);
        if (outcome == DatabaseSwitch::Outcome::Switched || outcome == DatabaseSwitch::Outcome::Unchanged) {
            const QList<QAction*> items = mWybBazyMenu->actions();
            for (int i = 2; i < items.size(); ++i)
                items[i]->setChecked(items[i]->data().toString() == alias);
        } else {
            // The check marks stay with the database that is active.
            const QList<QAction*> items = mWybBazyMenu->actions();
            for (int i = 2; i < items.size(); ++i)
                items[i]->setChecked(items[i]->data().toString() == m_aktywnyAlias);
        }
        showUserInTitle();
    });
}

void TfrmMainForm::hourlyScheduleCheck() {
    guarded(m_app, [this] { m_scheduler.check(); });
    refreshLapseLine();
    retryPendingMail();
}

void TfrmMainForm::retryPendingMail() {
    QStringList folders;
    guarded(m_app, [&] {
        for (const Settings::ListedDatabase& db :
             Settings::usedDatabases(m_app.settings(), AliasRegistry(m_app.aliasRegistryPath())))
            folders << m_app.installation().reportsFolder(m_app.settings(), db.alias);
    });
    if (!folders.isEmpty())
        m_mailJob->startPending(m_app.settings().fileName(), folders, m_app.clock().now());
}

void TfrmMainForm::mConfBaseClick() {
    if (IsModuleWindowOpen()) {
        m_app.messages().showMessage(ModuleRunningMessage, QString());
        return;
    }
    // No database can be switched from the menu while the dialog is open.
    mWybBazy->setVisible(false);
    aliasDialog()->exec();
    guarded(m_app, [this] { BuildDatabaseMenu(m_aktywnyAlias); });
    mWybBazy->setVisible(true);
}

bool TfrmMainForm::IsModuleWindowOpen() const {
    return TopLevelWindows::existsWithClass(ModuleLauncher::ModuleWindowClasses);
}

void TfrmMainForm::ModulClick(const QString& executableText) {
    // A module that cannot be started is said, with the reason.
    const QString problem =
        m_launcher.start(m_launcher.commandLine(executableText, m_login.session().UserId()));
    if (!problem.isEmpty())
        m_app.messages().showMessage(problem, QString());
}

void TfrmMainForm::kolmAdmClick() {
    ModulClick(ModuleLauncher::modules().at(0).executable);
}
void TfrmMainForm::kolmClick() {
    ModulClick(ModuleLauncher::modules().at(1).executable);
}
void TfrmMainForm::kolmWypClick() {
    ModulClick(ModuleLauncher::modules().at(2).executable);
}
void TfrmMainForm::kolmBHPClick() {
    ModulClick(ModuleLauncher::modules().at(3).executable);
}
void TfrmMainForm::kolmDobClick() {
    ModulClick(ModuleLauncher::modules().at(4).executable);
}

void TfrmMainForm::bEndClick() {
    // The program keeps running in the notification area.
    hide();
}

void TfrmMainForm::bUaktualClick() {
    if (!openUrl || !openUrl(QUrl(UpdatesAddress)))
        m_app.messages().showMessage(NoBrowserMessage + UpdatesAddress, QString());
}

void TfrmMainForm::bHelpClick() {
    m_help.setHelpFile(HelpButtonFile);
    m_help.HelpContext(HelpButtonTopic);
}

TfrmStat* TfrmMainForm::statisticsWindow() {
    if (!m_windows.statistics)
        m_windows.statistics = std::make_unique<TfrmStat>(m_app, m_placement, this);
    return m_windows.statistics.get();
}

void TfrmMainForm::mStatysClick() {
    statisticsWindow()->exec();
}

TfrmUstaw* TfrmMainForm::settingsDialog() {
    if (!m_windows.settings)
        m_windows.settings = std::make_unique<TfrmUstaw>(m_app, m_scheduler, this);
    return m_windows.settings.get();
}

void TfrmMainForm::bUstawClick() {
    settingsDialog()->exec();
}

TfrmWazDat* TfrmMainForm::datesWindow() {
    if (!m_windows.dates)
        m_windows.dates = std::make_unique<TfrmWazDat>(m_placement, this);
    return m_windows.dates.get();
}

void TfrmMainForm::bDatyClick() {
    datesWindow()->exec();
}

TfrmRaport* TfrmMainForm::reportWindow() {
    if (!m_windows.runner)
        m_windows.runner = std::make_unique<TfrmRaport>(
            m_app, [this] { return startReportNow(); }, this);
    return m_windows.runner.get();
}

void TfrmMainForm::bRaportClick() {
    reportWindow()->exec();
    // Closing the runner means the user has seen the reports.
    stopAnimation();
}

TfrmListaRap* TfrmMainForm::reportList() {
    if (!m_windows.reportList)
        m_windows.reportList = std::make_unique<TfrmListaRap>(m_app, m_placement, this);
    return m_windows.reportList.get();
}

void TfrmMainForm::bListRapClick() {
    reportList()->exec();
    // Closing the report list means the user has seen the reports.
    stopAnimation();
}

} // namespace kolmasyst
