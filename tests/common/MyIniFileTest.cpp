#include "MyIniFile.h"
#include "CommandLine.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MyIniFileTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath("brel.ini"); }
    QTemporaryDir m_dir;
};

TEST_F(MyIniFileTest, EmptyFileGivesMarkers) {
    TestSupport::writeFile(path(), "");
    const TMyIniFile ini(path());
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "CzestAsys"), "INI FILE ERROR");
    EXPECT_EQ(ini.ReadSavedSetting("GLOBAL", "FormDaty"), "INI FILE ERROR");
    EXPECT_EQ(ini.ReadBackupSetting("BACKUP", "DataBackup"), "INI FILE ERROR");
    EXPECT_EQ(ini.ReadPathDatabase("ASYST", "firma"), "INI FILE ERROR");
    EXPECT_EQ(ini.ReadAliasName(), "Invalid alias name");
    for (const char* section : {"CzynnRyz", "TermRyz", "StanAdm", "PracAdm", "SrodRyz", "WyborDob", "RoznDob",
                                "PrzetBhp", "AktualBhp"})
        EXPECT_NE(ini.ReadAsystentSetting("ASYST", section), "T");
}

TEST_F(MyIniFileTest, ComposedKeysGoToTheirSections) {
    TestSupport::writeFile(path(), "[AsystentSettings]\nASYST.CzestAsys.Str=7\n\n[BackupSettings]\nx=1\n");
    TMyIniFile ini(path());
    ini.WriteAsystentSetting("ASYST", "DataAsys", "2024-05-17");
    ini.WriteBackupSetting("BACKUP", "DataBackup", "2024-05-18");
    ini.WriteSavedSetting("GLOBAL", "path", "/srv/kolm/firma.fdb");
    ini.WriteAliasName("firma");
    EXPECT_EQ(
        TestSupport::readFile(path()),
        QByteArray("[AsystentSettings]\nASYST.CzestAsys.Str=7\nASYST.DataAsys.Str=2024-05-17\n\n"
                   "[BackupSettings]\nx=1\nBACKUP.DataBackup.Str=2024-05-18\n"
                   "[SavedSettings]\nGLOBAL.path.Str=/srv/kolm/firma.fdb\n[Database]\nAliasName=firma\n"));
    EXPECT_EQ(ini.ReadAliasName(), "firma");
}

TEST_F(MyIniFileTest, HandWrittenKeysInOtherCaseAndBlanksAreFound) {
    TestSupport::writeFile(path(), "[asystentsettings]\r\nasyst.czestasys.str =  14 \r\n");
    EXPECT_EQ(TMyIniFile(path()).ReadAsystentSetting("ASYST", "CzestAsys"), "14");
}

TEST_F(MyIniFileTest, AliasDatabasesListAndDelete) {
    TMyIniFile ini(path());
    ini.WriteAliasDatabase("ALIAS", "b1", "Opis 1");
    ini.WriteAliasDatabase("ALIAS", "b2", "Opis 2");
    ini.WritePathDatabase("ASYST", "b1", "");
    QStringList list{"stale"};
    ini.ReadAliasDatabases(list);
    EXPECT_EQ(list, (QStringList{"ALIAS.b1.Str=Opis 1", "ALIAS.b2.Str=Opis 2"}));
    ini.DeleteAliasDatabase("ALIAS.b1.Str");
    ini.ReadAliasDatabases(list);
    EXPECT_EQ(list, QStringList{"ALIAS.b2.Str=Opis 2"});
    ini.ReadPathDatabases(list);
    EXPECT_EQ(list, QStringList{"ASYST.b1.Str="});
    EXPECT_EQ(ini.ReadPathDatabase("ASYST", "b1"), "");
    ini.DeletePathDatabase("ASYST.b1.Str");
    EXPECT_EQ(ini.ReadPathDatabase("ASYST", "b1"), "INI FILE ERROR");
    EXPECT_EQ(TMyIniFile::aliasOfLine("ALIAS.b2.Str=Opis 2"), "b2");
    EXPECT_EQ(TMyIniFile::aliasOfLine("ALIAS.a.Str.Str=x"), "a");
}

TEST_F(MyIniFileTest, ThirdArgumentOneSelectsTheArchiveAlias) {
    TestSupport::writeFile(path(), "[Database]\nAliasName=firma\n");
    struct Case {
        QStringList args;
        const char* alias;
    };
    const Case cases[] = {
        {{"0", "jan", "1"}, "KolmArch"},
        {{"0", "jan", "1 "}, "firma"},
        {{"0", "jan", "01"}, "firma"},
        {{"0", "jan"}, "firma"},
        {{}, "firma"},
        {{"1", "1", "2"}, "firma"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TMyIniFile(path(), CommandLine::parse(c.args).archiveAlias).ReadAliasName(), c.alias)
            << c.args.join('|').toStdString();
}

} // namespace
