#pragma once

#include "AppContext.h"
#include "Clock.h"
#include "MessageService.h"
#include "TfrmRaport.h"

#include <QString>
#include <QStringList>

// kolmrap's run in this process over a programs' folder, with the tests' clock and messages:
// whether it succeeded, the lines it told and the files it wrote.
struct InProcessRun {
    bool succeeded = false;
    QStringList said;
    QStringList written;
};

inline InProcessRun runReportInProcess(const QString& programFolder, const QStringList& arguments,
                                       IMessageService& messages, const IClock& clock) {
    AppContext app(programFolder, arguments, messages);
    app.setClock(clock);
    kolmrap::TfrmRaport form(app);
    InProcessRun run;
    form.setProgress([&](const QString& line) { run.said << line; });
    run.succeeded = form.FormCreate();
    run.written = form.writtenFiles();
    return run;
}
