#include "AppContext.h"
#include "Clock.h"
#include "CommandLineHelp.h"
#include "LoginSession.h"
#include "MessageService.h"
#include "helpkit/HelpViewer.h"
#include "helpkit/TDLogFile.h"
#include "helpkit/THookHelpSystem.h"
#include "platform/InstanceLock.h"
#include "platform/StopSignals.h"
#include "widgets/AssistantLook.h"
#include "widgets/TrayImages.h"
#include "windows/DialogMessageService.h"
#include "windows/TfrmLogowanie.h"
#include "windows/TfrmMainForm.h"

#include <QApplication>
#include <QTimer>

using namespace kolmasyst;

int main(int argc, char* argv[]) {
    if (CommandLineHelp::answer(
            argc, argv, "kolmasyst",
            "usage: kolmasyst [digit]\n"
            "The assistant of the KOLM suite in the desktop's notification area: it logs users in,\n"
            "starts the suite's modules, runs the summary report and the backups on their schedule.\n"
            "  digit  the configuration file brel_<digit>.ini (1-9); anything else or none: brel.ini\n"))
        return 0;
    // A logout, a shutdown or Ctrl-C ends the assistant as "Koniec" does, without the question.
    // Installed before any thread exists, so that no thread (nor the database client) takes them.
    StopSignals::install([] {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            StopSignals::endNow("", 0);
        QMetaObject::invokeMethod(
            app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    });
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The application title names the message boxes without a caption of their own. It is
    // the application name rather than a display name, which the windowing system would add to
    // every window caption.
    QApplication::setApplicationName(TfrmMainForm::ApplicationTitle);
    // The program speaks Polish whatever the desktop's language: the standard buttons of its
    // message boxes and dialogs too ("Tak", "Nie").
    AssistantLook::speakPolish();
    // Without a display nobody could answer a box: messages then go to standard error.
    const QString platform = QGuiApplication::platformName();
    const bool hasDisplay = platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
    DialogMessageService dialogs;
    StdErrMessageService stdErr;
    IMessageService& messages = hasDisplay ? static_cast<IMessageService&>(dialogs) : stdErr;

    AppContext app(QCoreApplication::applicationDirPath(), application.arguments().mid(1), messages);
    InstanceLock lock(QStringLiteral("kolmasyst.exe"));
    switch (lock.acquire()) {
    case InstanceLock::Outcome::Acquired:
        break;
    case InstanceLock::Outcome::HeldElsewhere:
        return 0;
    case InstanceLock::Outcome::Failed:
        messages.showMessage(QStringLiteral("Nie można założyć blokady programu: ") + lock.errorText(),
                             QString());
        return 1;
    }

    QApplication::setWindowIcon(TrayImages::icon(TrayImages::StillImage));
    LoginSession session(app.karty(), messages, app.clock());
    // The help kit: its engine over the help bundle next to the program, the diagnostic log
    // and the hook that takes every help request (help file "kolmasyst.chm").
    TDLogFile helpLog(app.programFolder(), app.arguments(), app.clock());
    HelpViewer helpViewer(app.programFolder());
    THookHelpSystem help(helpViewer, helpLog);
    TfrmLogowanie login(session, messages);
    // Created last, destroyed first: on its way out it closes the help windows and removes the
    // notification-area icon.
    TfrmMainForm mainForm(app, login, help);
    if (app.endRequested())
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
