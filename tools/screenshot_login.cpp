// Shows the login dialog in its two modes on the current display and saves a screenshot of
// each: screenshot_login <folder>. Meant to run under Xvfb (tools/screenshots.sh).
#include "AppContext.h"
#include "Clock.h"
#include "LoginSession.h"
#include "MessageService.h"
#include "ScreenshotSupport.h"
#include "windows/TfrmLogowanie.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

using namespace kolmasyst;

using ScreenshotSupport::shootFrame;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Asystent systemu KOLM"));
    const QString out = app.arguments().value(1, QStringLiteral("."));
    QTemporaryDir programs;
    StdErrMessageService messages;
    AppContext context(programs.path(), {}, messages);
    SystemClock clock;
    LoginSession session(context.karty(), messages, clock);
    TfrmLogowanie dialog(session, messages);
    dialog.show();
    dialog.eNazwa->setText(QStringLiteral("kierownik"));
    dialog.eHaslo->setText(QStringLiteral("haslo123"));
    shootFrame(dialog, QDir(out).filePath(QStringLiteral("login-normal.png")));
    dialog.enterChangeMode();
    dialog.eNoweHaslo->setText(QStringLiteral("Nowe1234!"));
    shootFrame(dialog, QDir(out).filePath(QStringLiteral("login-change.png")));
    return 0;
}
