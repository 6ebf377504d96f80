#include "IniFile.h"
#include "Errors.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("brel.ini")) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(IniFileTest, ReadsFollowProfileRules) {
    const QByteArray longValue(3000, 'x');
    writeFile(path(), "\xEF\xBB\xBF"
                      "[Database]\r\n"
                      "AliasName =  firma  \r\n"
                      "garbage line without equals\r\n"
                      "; AliasName=comment\r\n"
                      "AliasName=second\r\n"
                      "[asystentsettings]\r\n"
                      "asyst.czestasys.str=7\r\n"
                      "Long=" +
                          longValue +
                          "\r\n"
                          "Opis=Łódź\r\n"
                          "[Database]\r\n"
                          "Other=in duplicate section\r\n"
                          "[Last]\n"
                          "NoFinalBreak=1");
    const IniFile ini(path());
    EXPECT_EQ(ini.readString("DATABASE", "aliasname", "d"), "firma");
    EXPECT_EQ(ini.readString("AsystentSettings", "ASYST.CzestAsys.Str", "d"), "7");
    EXPECT_EQ(ini.readString("AsystentSettings", "Long", "d").size(), IniFile::MaxValueLength);
    EXPECT_EQ(ini.readString("AsystentSettings", "Opis", "d"), QString::fromUtf8("Łódź"));
    EXPECT_EQ(ini.readString("Database", "Other", "d"), "d") << "only the first section of a name counts";
    EXPECT_EQ(ini.readString("Last", "NoFinalBreak", "d"), "1");
    EXPECT_EQ(ini.readString("Nowhere", "x", "default"), "default");
    EXPECT_EQ(IniFile(path("missing.ini")).readString("a", "b", "default"), "default");
    EXPECT_EQ(ini.readSection("asystentsettings").size(), 3);
}

TEST_F(IniFileTest, FileIsWindows1250OnDisk) {
    IniFile ini(path());
    ini.writeString("S", "K", QString::fromUtf8("Łódź"));
    EXPECT_EQ(readFile(path()), QByteArray("[S]\nK=\xA3\xF3"
                                           "d\x9F\n"));
    EXPECT_EQ(ini.readString("S", "K", ""), QString::fromUtf8("Łódź"));
}

TEST_F(IniFileTest, WritesKeepEveryOtherLineExactly) {
    struct Case {
        const char* name;
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"crlf, replace", "[A]\r\nk=1\r\n; note\r\njunk\r\n\r\n[B]\r\nx=2\r\n",
         "[A]\r\nk=new\r\n; note\r\njunk\r\n\r\n[B]\r\nx=2\r\n"},
        {"append at end of section before blank lines", "[A]\r\nj=1\r\n\r\n[B]\r\nx=2\r\n",
         "[A]\r\nj=1\r\nk=new\r\n\r\n[B]\r\nx=2\r\n"},
        {"no final line break", "[B]\nx=2", "[B]\nx=2\n[a]\nk=new\n"},
        {"section at end without final break", "[A]\nj=1", "[A]\nj=1\nk=new\n"},
        {"duplicate key: first replaced", "[A]\nK=1\nk=2\n", "[A]\nk=new\nk=2\n"},
        {"mixed line ends", "[A]\r\nk=1\nz=\xB9\r\n", "[A]\r\nk=new\nz=\xB9\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[A]\r\nk=1\r\nz=\xC5\x82\r\n",
         "\xEF\xBB\xBF[A]\r\nk=new\r\nz=\xC5\x82\r\n"},
    };
    for (const Case& c : cases) {
        writeFile(path(), c.before);
        IniFile(path()).writeString("a", "k", "new");
        EXPECT_EQ(readFile(path()), c.after) << c.name;
    }
}

TEST_F(IniFileTest, WriteCreatesFileAndDeleteRemovesOnlyTheKey) {
    IniFile ini(path());
    ini.writeString("AliasDatabases", "ALIAS.b1.Str", "Opis 1");
    ini.writeString("AliasDatabases", "ALIAS.b2.Str", "Opis 2");
    ini.deleteKey("AliasDatabases", "alias.B1.str");
    EXPECT_EQ(ini.readSection("AliasDatabases"), QStringList{"ALIAS.b2.Str=Opis 2"});
    ini.deleteKey("AliasDatabases", "not-there");
    EXPECT_EQ(readFile(path()), QByteArray("[AliasDatabases]\nALIAS.b2.Str=Opis 2\n"));
}

TEST_F(IniFileTest, RefusedWriteNamesTheFileAndLeavesItIntact) {
    // A folder in the file's place cannot be replaced by the rename, for root neither.
    QDir(m_dir.path()).mkpath("brel.ini/inside");
    try {
        IniFile(path()).writeString("A", "k", "2");
        ADD_FAILURE() << "no error";
    } catch (const EFileWriteError& e) {
        EXPECT_TRUE(e.text().contains(path())) << e.text().toStdString();
    }
    EXPECT_TRUE(QFileInfo(m_dir.filePath("brel.ini/inside")).isDir());
}

TEST_F(IniFileTest, RefusedWriteIntoMissingFolderNamesTheFile) {
    const QString file = m_dir.filePath("no/such/folder/brel.ini");
    try {
        IniFile(file).writeString("A", "k", "2");
        ADD_FAILURE() << "no error";
    } catch (const EFileWriteError& e) {
        EXPECT_TRUE(e.text().contains(file)) << e.text().toStdString();
    }
}

TEST_F(IniFileTest, TwoProcessesWritingAtOnceLoseNothing) {
    writeFile(path(), "[Keep]\nthis=line\n");
    QProcess a, b;
    a.start(TestSupport::helperPath(), {"ini-write", path(), "A", "500"});
    b.start(TestSupport::helperPath(), {"ini-write", path(), "B", "500"});
    ASSERT_TRUE(a.waitForFinished(120000));
    ASSERT_TRUE(b.waitForFinished(120000));
    ASSERT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    ASSERT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();

    const IniFile ini(path());
    const QStringList lines = ini.readSection("Test");
    EXPECT_EQ(lines.size(), 1000);
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(ini.readString("Test", QStringLiteral("A.%1.Str").arg(i), "?"),
                  QStringLiteral("wartość %1").arg(i));
        EXPECT_EQ(ini.readString("Test", QStringLiteral("B.%1.Str").arg(i), "?"),
                  QStringLiteral("wartość %1").arg(i));
    }
    EXPECT_EQ(ini.readString("Keep", "this", "?"), "line");
    EXPECT_EQ(ini.read().sectionNames(), (QStringList{"Keep", "Test"}));
}

} // namespace
