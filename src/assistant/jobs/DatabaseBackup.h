#pragma once

#include "DateConventions.h"
#include "Installation.h"

#include <QDate>
#include <QString>

namespace kolmasyst {

// Copies of the local database files, one per database and day, taken while the programs go on
// working: the database is put into its backup state (its main file stops changing), the file
// is copied under a temporary name, the database leaves the backup state, the copy is fixed up
// to open as a normal database (nbackup -F), and only then is it renamed over the copy of the
// same day. Safe to run on a thread of its own: it opens its own connections and reads the
// configuration file itself.
class DatabaseBackup {
public:
    // configFile: brel.ini; registryPath: aliases.ini; dates: the program's date conventions.
    DatabaseBackup(QString configFile, QString registryPath, DateConventions dates);

    // BackupDatabases: every listed database whose file is local; true when no copy failed.
    bool BackupDatabases(const QDate& day);
    // Where the copy of alias's database (file) of day goes.
    QString copyPath(const QString& alias, const QString& file, const QDate& day) const;
    // Databases left in the backup state by a backup that did not end (the assistant was
    // killed) are brought out of it.
    void endStalledBackups();

    // The program that fixes up a copy ("nbackup").
    static QString fixupProgram();

private:
    bool backupOne(const QString& alias, const QString& file, const QString& target);

    QString m_configFile;
    QString m_registryPath;
    DateConventions m_dates;
    // The programs' folder is the registry's: it tells where backups without a folder go.
    Installation m_installation;
};

} // namespace kolmasyst
