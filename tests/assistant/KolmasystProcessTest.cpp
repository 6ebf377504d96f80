#include "TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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
    first.setProcessEnvironment(TestSupport::environmentWithRuntimeDir(runtime.path()));
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    // The first instance keeps running in its event loop.
    EXPECT_FALSE(first.waitForFinished(1500));

    const auto second = TestSupport::run(program, {}, runtime.path(), QString(), 20000);
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.stdErr, "");
    first.kill();
    first.waitForFinished();
}

} // namespace
