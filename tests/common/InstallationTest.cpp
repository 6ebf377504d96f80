#include "Installation.h"
#include "MyIniFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(InstallationTest, ASourceBuildKeepsEverythingBesideThePrograms) {
    QTemporaryDir programs;
    const Installation installation(programs.path());
    EXPECT_FALSE(installation.installed());
    EXPECT_EQ(installation.databaseFor("firma"), "firma");
    EXPECT_EQ(installation.databaseFor("/srv/firma.fdb"), "/srv/firma.fdb");
    EXPECT_EQ(installation.defaultReportRoot(), programs.path());
    EXPECT_EQ(installation.defaultBackupRoot("/srv/dane/firma.fdb"), "/srv/dane");
    TestSupport::writeFile(programs.filePath("brel.ini"), "[PathDatabases]\nASYST.wlasna.Str=/srv/raporty\n"
                                                          "BACKUP.wlasna.Str=/srv/kopie\nASYST.pusta.Str=\n");
    const TMyIniFile ini(programs.filePath("brel.ini"));
    EXPECT_EQ(installation.reportsFolder(ini, "wlasna"), "/srv/raporty/wlasna/Raporty");
    EXPECT_EQ(installation.reportsFolder(ini, "pusta"), programs.path() + "/pusta/Raporty");
    EXPECT_EQ(installation.reportsFolder(ini, "brak"), programs.path() + "/brak/Raporty");
    EXPECT_EQ(installation.backupRoot(ini, "wlasna", "/srv/dane/firma.fdb"), "/srv/kopie");
    EXPECT_EQ(installation.backupRoot(ini, "brak", "/srv/dane/firma.fdb"), "/srv/dane");
}

TEST(InstallationTest, AnInstalledSuiteOpensItsDatabasesThroughItsServerAndSharesItsDataFolder) {
    QTemporaryDir programs;
    TestSupport::writeFile(programs.filePath("instalacja.ini"),
                           "; opis\n[Instalacja]\nBazy=/var/lib/kolm/bazy/\nSerwer=localhost/3051\n"
                           "Dane=/var/lib/kolm/dane\n");
    const Installation installation(programs.path());
    ASSERT_TRUE(installation.installed());
    struct Case {
        const char* given;
        const char* database;
    };
    const Case cases[] = {
        {"firma", "localhost/3051:/var/lib/kolm/bazy/firma.fdb"},
        {"firma.gdb", "localhost/3051:/var/lib/kolm/bazy/firma.gdb"},
        {"/home/anna/firma.fdb", "localhost/3051:/home/anna/firma.fdb"},
        {"/home/anna/../anna/firma.fdb", "localhost/3051:/home/anna/firma.fdb"},
        {"serwer:/srv/firma.fdb", "serwer:/srv/firma.fdb"},
        {"localhost:/srv/firma.fdb", "localhost:/srv/firma.fdb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(installation.databaseFor(c.given), c.database) << c.given;
    EXPECT_EQ(installation.defaultReportRoot(), "/var/lib/kolm/dane");
    EXPECT_EQ(installation.defaultBackupRoot("/var/lib/kolm/bazy/firma.fdb"), "/var/lib/kolm/dane");
    const TMyIniFile ini(programs.filePath("brel.ini"));
    EXPECT_EQ(installation.reportsFolder(ini, "firma"), "/var/lib/kolm/dane/firma/Raporty");

    // Without a data folder, the databases' folder serves; without a server, the local one.
    TestSupport::writeFile(programs.filePath("instalacja.ini"), "[Instalacja]\nBazy=/srv/bazy\n");
    const Installation bare(programs.path());
    EXPECT_EQ(bare.databaseFor("firma"), "localhost:/srv/bazy/firma.fdb");
    EXPECT_EQ(bare.defaultReportRoot(), "/srv/bazy");
}

} // namespace
