#include "AppContext.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(StartupTest, ConfigurationFileFromFirstArgument) {
    struct Case {
        QStringList args;
        const char* file;
    };
    const Case cases[] = {
        {{}, "brel.ini"},      {{""}, "brel.ini"},    {{"0"}, "brel.ini"},
        {{"10"}, "brel.ini"},  {{"01"}, "brel.ini"},  {{" 1"}, "brel.ini"},
        {{"x"}, "brel.ini"},   {{"1"}, "brel_1.ini"}, {{"7", "jan", "x"}, "brel_7.ini"},
        {{"9"}, "brel_9.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AppContext::chooseConfigFileName(c.args), c.file) << c.args.join('|').toStdString();
}

TEST(StartupTest, NumberedFileIsUsedWhenPresent) {
    QTemporaryDir dir;
    TestSupport::writeFile(dir.filePath("brel.ini"), "[Database]\nAliasName=z_brel\n");
    TestSupport::writeFile(dir.filePath("brel_7.ini"), "[Database]\nAliasName=z_brel7\n");
    ScriptedMessages messages;
    AppContext app(dir.path(), {"7"}, messages);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_FALSE(app.endRequested());
    EXPECT_EQ(app.configFileName(), "brel_7.ini");
    EXPECT_EQ(app.settings().ReadAliasName(), "z_brel7");
    EXPECT_EQ(app.dates().shortDateFormat(), "yyyy-MM-dd");
}

TEST(StartupTest, MissingFileIsReportedAndStartUpGoesOnOverBrelIni) {
    QTemporaryDir dir;
    TestSupport::writeFile(dir.filePath("brel.ini"), "[Database]\nAliasName=z_brel\n");
    ScriptedMessages messages;
    AppContext app(dir.path(), {"7"}, messages);
    ASSERT_EQ(messages.texts(), QStringList{"Brak pliku konfiguracyjnego : brel_7.ini"});
    EXPECT_TRUE(app.endRequested());
    EXPECT_TRUE(app.configMissing());
    EXPECT_EQ(app.configFileName(), "brel.ini");
    EXPECT_EQ(app.settings().ReadAliasName(), "z_brel");
}

TEST(StartupTest, MissingBrelIniStillGivesDefaults) {
    QTemporaryDir dir;
    ScriptedMessages messages;
    AppContext app(dir.path(), {}, messages);
    EXPECT_EQ(messages.texts(), QStringList{"Brak pliku konfiguracyjnego : brel.ini"});
    EXPECT_EQ(app.settings().ReadAliasName(), "Invalid alias name");
    EXPECT_EQ(app.settings().ReadAsystentSetting("ASYST", "DataAsys"), "INI FILE ERROR");
}

} // namespace
