#include "AppContext.h"
#include "CommandLineHelp.h"
#include "MessageService.h"
#include "RunLog.h"
#include "RunStop.h"
#include "TfrmRaport.h"
#include "platform/InstanceLock.h"

#include <QGuiApplication>

#include <cstdio>
#include <iostream>
#include <string>

using namespace kolmrap;

namespace {
QString readPasswordLine() {
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}
} // namespace

// Exit status: 0 when the run succeeded, 1 when it did not, 2 when another run was going on.
int main(int argc, char* argv[]) {
    if (CommandLineHelp::answer(
            argc, argv, "kolmrap",
            "usage: kolmrap [digit] [user] [password | -]\n"
            "Writes the summary report of every database listed in the configuration file next to\n"
            "the program (brel.ini, or brel_<digit>.ini for a digit 1-9) as PDF files.\n"
            "  digit     the configuration file; anything else or none: brel.ini\n"
            "  user      the login name; without a user and password no report is written\n"
            "  password  the password, or - to read it from the first line of standard input\n"
            "Exit status: 0 the run succeeded, 1 it did not, 2 another run was going on.\n"))
        return 0;
    // Before any thread exists, so that no thread (nor the database client) takes the signals.
    RunStop::install(5000);
    // The generator never has a window and often runs where there is no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    // Every line the run says goes to standard error and into the run's log, which the assistant
    // reads to tell the user why a run failed or where its files went.
    QStringList said;
    RecordingMessageService messages(said);

    QStringList arguments = application.arguments().mid(1);
    // "-" as the password: the first line of standard input holds it, so that it never shows in
    // the process list.
    if (arguments.size() >= 3 && arguments.at(2) == QLatin1String("-"))
        arguments[2] = readPasswordLine();
    AppContext app(QCoreApplication::applicationDirPath(), arguments, messages);
    InstanceLock lock(QStringLiteral("kolmrap.exe"));
    switch (lock.acquire()) {
    case InstanceLock::Outcome::Acquired:
        break;
    case InstanceLock::Outcome::HeldElsewhere:
        return 2;
    case InstanceLock::Outcome::Failed:
        messages.showMessage(QStringLiteral("Nie można założyć blokady kolmrap.exe: ") + lock.errorText(),
                             QString());
        RunLog::write(app.configFileName(), said);
        return 1;
    }
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Raporty"));

    TfrmRaport form(app);
    form.setProgress([&said](const QString& line) {
        said << line;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    });
    form.setStopCheck(&RunStop::stopRequested);
    form.setConnectionWatch(&RunStop::watchConnection);
    const bool ok = form.FormCreate();
    RunLog::write(app.configFileName(), said);
    return ok && !app.configMissing() ? 0 : 1;
}
