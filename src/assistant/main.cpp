#include "AppContext.h"
#include "DialogMessageService.h"
#include "InstanceLock.h"
#include "MessageService.h"
#include "TfrmMainForm.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationDisplayName(QStringLiteral("Asystent systemu KOLM"));
    // Without a display nobody could answer a box: messages then go to standard error.
    const QString platform = QGuiApplication::platformName();
    const bool hasDisplay = platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
    DialogMessageService dialogs;
    StdErrMessageService stdErr;
    IMessageService& messages = hasDisplay ? static_cast<IMessageService&>(dialogs) : stdErr;
    Messages::setService(&messages);

    AppContext app(QCoreApplication::applicationDirPath(), application.arguments().mid(1), messages);
    InstanceLock lock(QStringLiteral("kolmasyst.exe"));
    if (!lock.tryAcquire())
        return 0;

    TfrmMainForm mainForm(app);
    if (app.endRequested())
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
