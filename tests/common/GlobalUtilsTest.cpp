#include "GlobalUtils.h"
#include "AliasRegistry.h"
#include "Errors.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(GlobalUtilsTest, AliasDatabaseFileGivesOnlyLocalFiles) {
    QTemporaryDir dir;
    struct Case {
        const char* serverName;
        const char* file;
    };
    const Case cases[] = {
        {"C:\\Dane\\baza.gdb", "C:\\Dane\\baza.gdb"},
        {"localhost:C:\\Dane\\baza.gdb", "C:\\Dane\\baza.gdb"},
        {"LOCALHOST:C:\\Dane\\baza.gdb", "C:\\Dane\\baza.gdb"},
        {"serwer:C:\\Dane\\baza.gdb", ""},
        {"/srv/kolm/firma.fdb", "/srv/kolm/firma.fdb"},
        {"localhost:/srv/kolm/firma.fdb", "/srv/kolm/firma.fdb"},
        {"LocalHost/3050:/srv/kolm/firma.fdb", "/srv/kolm/firma.fdb"},
        {"serwer:/dane/baza.gdb", ""},
        {"serwer/3051:/dane/baza.gdb", ""},
        {"baza.gdb", "baza.gdb"},
    };
    AliasRegistry registry(AliasRegistry::defaultPath(dir.path()));
    int n = 0;
    for (const Case& c : cases)
        registry.addAlias(QStringLiteral("a%1").arg(n++), "INTRBASE",
                          {QStringLiteral("SERVER NAME=") + c.serverName});
    registry.save();
    const AliasRegistry reread(AliasRegistry::defaultPath(dir.path()));
    n = 0;
    for (const Case& c : cases)
        EXPECT_EQ(AliasDatabaseFile(reread, QStringLiteral("a%1").arg(n++)), c.file) << c.serverName;
    EXPECT_THROW(AliasDatabaseFile(reread, "unknown"), EDBEngineError);
}

TEST(GlobalUtilsTest, IsInterBaseAlias) {
    QTemporaryDir dir;
    TestSupport::writeFile(AliasRegistry::defaultPath(dir.path()),
                           "[IBLocal]\nDRIVER=INTRBASE\nSERVER NAME=/x.fdb\n"
                           "[Firma]\nDRIVER=INTRBASE\nSERVER NAME=/f.fdb\n"
                           "[paradox]\nDRIVER=PARADOX\nPATH=/p\n"
                           "[magazyn]\nDRIVER=INTRBASE\nSERVER NAME=serwer:/m.fdb\n");
    const AliasRegistry registry(AliasRegistry::defaultPath(dir.path()));
    EXPECT_FALSE(IsInterBaseAlias(registry, "IBLocal"));
    EXPECT_TRUE(IsInterBaseAlias(registry, "Firma"));
    EXPECT_FALSE(IsInterBaseAlias(registry, "firma"));
    EXPECT_FALSE(IsInterBaseAlias(registry, "paradox"));
    EXPECT_TRUE(IsInterBaseAlias(registry, "magazyn"));
    EXPECT_FALSE(IsInterBaseAlias(registry, ""));
    EXPECT_FALSE(IsInterBaseAlias(AliasRegistry(dir.filePath("missing.ini")), "Firma"));
}

TEST(GlobalUtilsTest, PathParts) {
    EXPECT_EQ(ExtractFolderPart("C:\\a\\b.gdb"), "C:\\a");
    EXPECT_EQ(ExtractFolderPart("b.gdb"), "");
    EXPECT_EQ(ExtractFolderPart("\\b.gdb"), "");
    EXPECT_EQ(ExtractFolderPart("/srv/kolm/b.fdb"), "/srv/kolm");
    EXPECT_EQ(ExtractNamePart("C:\\a\\b.gdb"), "b.gdb");
    EXPECT_EQ(ExtractNamePart("/srv/kolm/b.fdb"), "b.fdb");
    EXPECT_EQ(ExtractNamePart("b.gdb"), "b.gdb");
}

TEST(GlobalUtilsTest, AliasRegistryEditsAndSaves) {
    QTemporaryDir dir;
    const QString path = AliasRegistry::defaultPath(dir.path());
    AliasRegistry registry(path);
    EXPECT_TRUE(registry.aliases().isEmpty());
    registry.addAlias("firma", "INTRBASE",
                      {"SERVER NAME=/srv/firma.fdb", "USER NAME=BREL", "LANGDRIVER=anpolish"});
    registry.addAlias("zakład", "INTRBASE", {"SERVER NAME=/srv/zaklad.fdb"});
    EXPECT_THROW(registry.addAlias("FIRMA", "INTRBASE", {}), EDBEngineError);
    registry.modifyAlias("firma", {"SERVER NAME=localhost:/srv/firma2.fdb"});
    registry.save();
    EXPECT_EQ(TestSupport::readFile(path),
              QByteArray("[firma]\nDRIVER=INTRBASE\nSERVER NAME=localhost:/srv/firma2.fdb\n"
                         "USER NAME=BREL\nLANGDRIVER=anpolish\n"
                         "[zak\xB3"
                         "ad]\nDRIVER=INTRBASE\nSERVER NAME=/srv/zaklad.fdb\n"));
    AliasRegistry other(path);
    EXPECT_EQ(other.parameters("firma").first(), "SERVER NAME=localhost:/srv/firma2.fdb");
    other.deleteAlias("firma");
    other.save();
    registry.reload();
    ASSERT_EQ(registry.aliases().size(), 1);
    EXPECT_EQ(registry.aliases().first().name, QString::fromUtf8("zakład"));
    EXPECT_EQ(registry.aliases().first().driver, "INTRBASE");
    EXPECT_THROW(registry.parameters("firma"), EDBEngineError);
}

} // namespace
