#pragma once

#include <QString>

class TMyIniFile;

// How the suite is installed on this machine, from "instalacja.ini" beside the programs. A
// source build has no such file and keeps everything beside the programs. An installed suite
// (the Debian package) keeps its databases in a folder of the machine's Firebird server, which
// every program reaches through that server, so that all users share one engine and its locks;
// and it keeps reports and backups in a folder that the group of the suite's users can write,
// since the programs' folder is root's.
//
//   [Instalacja]
//   Bazy=/var/lib/kolm/bazy       the databases' folder, owned by the server
//   Serwer=localhost              the server that opens them ("localhost/3051" for a port)
//   Dane=/var/lib/kolm/dane       reports and backups of databases without folders of their own
class Installation {
public:
    static const QString FileName; // "instalacja.ini"

    // Reads the description beside the programs; a folder without one is a source build.
    explicit Installation(const QString& programFolder);

    bool installed() const { return !m_databaseFolder.isEmpty(); }
    const QString& programFolder() const { return m_programFolder; }
    const QString& databaseFolder() const { return m_databaseFolder; }
    const QString& server() const { return m_server; }

    // The server name by which every program opens a database file of the databases' folder.
    QString serverNameOf(const QString& file) const;
    // A name the user gives a new database: a plain name ("firma") becomes a file of the
    // databases' folder, a local path a file opened through the server; a server name stays.
    // In a source build every name stays as given.
    QString databaseFor(const QString& name) const;

    // Where reports of a database without a report folder of its own go: the shared data folder
    // of an installed suite, else the programs' folder.
    QString defaultReportRoot() const;
    // Where backups of a database without a backup folder of its own go: the shared data folder
    // of an installed suite, else the folder of the database file.
    QString defaultBackupRoot(const QString& databaseFile) const;

    // The report root of alias: [PathDatabases] ASYST.<alias>.Str when set, else the default.
    QString reportRoot(const TMyIniFile& settings, const QString& alias) const;
    // The folder kolmrap writes alias's reports into: <report root>/<alias>/Raporty.
    QString reportsFolder(const TMyIniFile& settings, const QString& alias) const;
    // The backup root of alias: [PathDatabases] BACKUP.<alias>.Str when set, else the default.
    QString backupRoot(const TMyIniFile& settings, const QString& alias, const QString& databaseFile) const;

private:
    QString m_programFolder;
    QString m_databaseFolder;
    QString m_server;
    QString m_dataFolder;
};
