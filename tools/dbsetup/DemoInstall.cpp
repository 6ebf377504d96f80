#include "DemoInstall.h"

#include "AliasRegistry.h"
#include "DatabaseFactory.h"
#include "DbEngine.h"
#include "Installation.h"
#include "MyIniFile.h"
#include "SharedSettings.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString DemoInstall::DemoAlias = QStringLiteral("kolmdemo");

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

    // The configuration in one update: a week-old schedule that is due, every section on.
    TMyIniFile ini(folder.filePath(QStringLiteral("brel.ini")));
    const QString weekAgo = QDate::currentDate().addDays(-7).toString(QStringLiteral("yyyy-MM-dd"));
    ini.Update([&](IniDocument& doc) {
        doc.setValue(TMyIniFile::DatabaseSection, TMyIniFile::AliasNameKey, DemoAlias);
        Settings::set(doc, Settings::ActiveDatabasePath, file);
        if (!Settings::has(doc, Settings::ReportPeriod)) {
            Settings::set(doc, Settings::ReportPeriod, QStringLiteral("7"));
            Settings::set(doc, Settings::ReportHour, QStringLiteral("6:00:00"));
            Settings::set(doc, Settings::LastReportDate, weekAgo);
            for (int i = 0; i < Settings::SectionCount; ++i)
                Settings::set(doc, Settings::sectionSwitch(i), Settings::flag(true));
            Settings::set(doc, Settings::StructureOrder, QStringLiteral("Kod"));
            Settings::set(doc, Settings::BackupPeriod, QStringLiteral("7"));
            Settings::set(doc, Settings::BackupHour, QStringLiteral("22:00:00"));
            Settings::set(doc, Settings::LastBackupDate, weekAgo);
        }
        doc.setValue(TMyIniFile::AliasDatabasesSection, Settings::descriptionKey(DemoAlias),
                     QStringLiteral("Baza demonstracyjna"));
        doc.setValue(TMyIniFile::PathDatabasesSection,
                     Settings::folderKey(Settings::Folder::Database, DemoAlias), QFileInfo(file).path());
        doc.setValue(TMyIniFile::PathDatabasesSection,
                     Settings::folderKey(Settings::Folder::Reports, DemoAlias), QString());
        doc.setValue(TMyIniFile::PathDatabasesSection,
                     Settings::folderKey(Settings::Folder::Backups, DemoAlias), QString());
    });
    return dbPath;
}
