#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// Starts the assistant and waits until it runs in its event loop: it has said that there is no
// tray here. Returns what it said.
QByteArray startRunning(QProcess& assistant, const QString& program, const QString& runtimeDir) {
    assistant.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(runtimeDir));
    assistant.setReadChannel(QProcess::StandardError);
    assistant.start(program, {});
    QByteArray said;
    if (!assistant.waitForStarted())
        return said;
    QDeadlineTimer ready(20000);
    while (!said.contains("brak obszaru powiadomień") && !ready.hasExpired() &&
           assistant.state() == QProcess::Running) {
        assistant.waitForReadyRead(100);
        said += assistant.readAllStandardError();
    }
    return said;
}

TEST(KolmasystProcessTest, MissingConfigurationIsReportedAndTheProgramEnds) {
    QTemporaryDir programs, runtime;
    const QString program = TestSupport::installProgram("kolmasyst", programs.path());
    const auto r = TestSupport::run(program, {"4"}, runtime.path(), QString(), 20000);
    ASSERT_TRUE(r.finished);
    EXPECT_TRUE(r.stdErr.contains("Brak pliku konfiguracyjnego : brel_4.ini")) << r.stdErr.toStdString();
}

TEST(KolmasystProcessTest, SecondInstanceEndsAtOnceSilently) {
    QTemporaryDir programs, runtime;
    const QString program = TestSupport::installProgram("kolmasyst", programs.path());
    TestSupport::writeFile(programs.filePath("brel.ini"), "[Database]\nAliasName=firma\n");
    QProcess first;
    const QByteArray said = startRunning(first, program, runtime.path());
    ASSERT_EQ(first.state(), QProcess::Running) << said.toStdString();

    const auto second = TestSupport::run(program, {}, runtime.path(), QString(), 20000);
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.stdErr, "");
    first.kill();
    first.waitForFinished();
}

TEST(KolmasystProcessTest, AStopSignalEndsTheAssistantAsKoniecDoesAndFreesItsLock) {
    QTemporaryDir programs, runtime;
    const QString program = TestSupport::installProgram("kolmasyst", programs.path());
    TestSupport::writeFile(programs.filePath("brel.ini"), "[Database]\nAliasName=firma\n");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QProcess assistant;
        const QByteArray said = startRunning(assistant, program, runtime.path());
        ASSERT_EQ(assistant.state(), QProcess::Running) << said.toStdString();
        ::kill(pid_t(assistant.processId()), signal);
        ASSERT_TRUE(assistant.waitForFinished(10000)) << "the signal ends it";
        EXPECT_EQ(assistant.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(assistant.exitCode(), 0);
    }
}

} // namespace
