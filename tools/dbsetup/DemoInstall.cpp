#include "DemoInstall.h"

#include "AliasRegistry.h"
#include "DatabaseFactory.h"
#include "DbEngine.h"
#include "Installation.h"
#include "MyIniFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString DemoInstall::DemoAlias = QStringLiteral("kolmdemo");

namespace {
const char* const kSections[] = {"CzynnRyz", "TermRyz", "StanAdm",  "PracAdm",  "SrodRyz",
                                 "WyborDob", "RoznDob", "PrzetBhp", "AktualBhp"};
}

QString DemoInstall::install(const QString& programFolder, bool recreate, const QString& database) {
    const QDir folder(programFolder);
    const Installation installation(programFolder);
    QString dbPath = database;
    if (dbPath.isEmpty() && installation.installed()) {
        dbPath = installation.databaseFor(QStringLiteral("kolm_demo.fdb"));
    } else if (dbPath.isEmpty()) {
        folder.mkpath(QStringLiteral("demo"));
        dbPath = folder.filePath(QStringLiteral("demo/kolm_demo.fdb"));
    }
    const QString file = ServerName::parse(dbPath).path;
    if (recreate && DatabaseFactory::exists(dbPath))
        DatabaseFactory::drop(dbPath);
    if (!DatabaseFactory::exists(dbPath)) {
        DatabaseFactory::createWithSchema(dbPath);
        DatabaseFactory::runScript(dbPath, DatabaseFactory::resourceScript(QStringLiteral("demo.sql")));
    }

    AliasRegistry registry(AliasRegistry::defaultPath(programFolder));
    const QStringList params{QStringLiteral("SERVER NAME=") + dbPath, QStringLiteral("USER NAME=BREL"),
                             QStringLiteral("LANGDRIVER=anpolish")};
    if (registry.resolve(DemoAlias).isEmpty())
        registry.addAlias(DemoAlias, AliasRegistry::InterBaseDriver, params);
    else
        registry.modifyAlias(DemoAlias, params);
    registry.save();

    TMyIniFile ini(folder.filePath(QStringLiteral("brel.ini")));
    ini.WriteAliasName(DemoAlias);
    ini.WriteSavedSetting(QStringLiteral("GLOBAL"), QStringLiteral("path"), file);
    const QString asyst = QStringLiteral("ASYST");
    if (ini.ReadAsystentSetting(asyst, QStringLiteral("CzestAsys")) == TMyIniFile::Missing) {
        ini.WriteAsystentSetting(asyst, QStringLiteral("CzestAsys"), QStringLiteral("7"));
        ini.WriteAsystentSetting(asyst, QStringLiteral("GodzAsys"), QStringLiteral("6:00:00"));
        ini.WriteAsystentSetting(asyst, QStringLiteral("DataAsys"),
                                 QDate::currentDate().addDays(-7).toString(QStringLiteral("yyyy-MM-dd")));
        for (const char* section : kSections)
            ini.WriteAsystentSetting(asyst, QLatin1String(section), QStringLiteral("T"));
        ini.WriteAsystentSetting(asyst, QStringLiteral("SortStrukList"), QStringLiteral("Kod"));
        const QString backup = QStringLiteral("BACKUP");
        ini.WriteBackupSetting(backup, QStringLiteral("CzestBackup"), QStringLiteral("7"));
        ini.WriteBackupSetting(backup, QStringLiteral("GodzBackup"), QStringLiteral("22:00:00"));
        ini.WriteBackupSetting(backup, QStringLiteral("DataBackup"),
                               QDate::currentDate().addDays(-7).toString(QStringLiteral("yyyy-MM-dd")));
    }
    ini.WriteAliasDatabase(QStringLiteral("ALIAS"), DemoAlias, QStringLiteral("Baza demonstracyjna"));
    ini.WritePathDatabase(QStringLiteral("PATH"), DemoAlias, QFileInfo(file).path());
    ini.WritePathDatabase(asyst, DemoAlias, QString());
    ini.WritePathDatabase(QStringLiteral("BACKUP"), DemoAlias, QString());
    return dbPath;
}
