#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

class TMyIniFile;
class IMessageService;

// The program's one connection "Karty" to the active database: created and opened on first
// use with the alias the configuration file names and the fixed database login, kept until
// CloseDatabase. A failed open shows the access message and asks the program to end; the
// unopened connection stays, so later calls do not retry.
class SharedConnection {
public:
    static const QString AccessMessage;

    SharedConnection(TMyIniFile& settings, QString aliasRegistryPath, IMessageService& messages,
                     std::function<void()> requestEnd);
    ~SharedConnection();
    SharedConnection(const SharedConnection&) = delete;
    SharedConnection& operator=(const SharedConnection&) = delete;

    QSqlDatabase GetDatabase();
    // Opens the connection on the active alias, as GetDatabase does, but tells a failure to the
    // caller (the engine's text in error) instead of showing it and ending the program: for a
    // switch of the active database, which keeps the previous one when the new cannot be had.
    bool OpenDatabase(QString* error);
    void CloseDatabase();

    // The alias the next GetDatabase opens instead of the configuration's active alias; empty
    // goes back to the active alias. The report generator visits databases this way and leaves
    // the user's choice in the file alone.
    void useAlias(const QString& alias) { m_aliasOverride = alias; }
    // The engine's reason why the last open failed; empty after a successful open.
    const QString& openError() const { return m_openError; }

    bool exists() const { return !m_connectionName.isEmpty(); }
    // How many times a connection was created and opened (tests watch this).
    int openCount() const { return m_openCount; }
    const QString& aliasRegistryPath() const { return m_registryPath; }

private:
    TMyIniFile& m_settings;
    QString m_registryPath;
    IMessageService& m_messages;
    std::function<void()> m_requestEnd;
    QString m_connectionName;
    QString m_aliasOverride;
    QString m_openError;
    int m_openCount = 0;
};
