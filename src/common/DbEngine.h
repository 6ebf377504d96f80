#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

class AliasRegistry;

// Where a "SERVER NAME" points: a local file opened by the embedded engine, or a file on a
// Firebird server ("host:path", "host/port:path").
struct ServerName {
    QString host; // empty for a local file
    int port = -1;
    QString path;
    bool isLocalFile() const;
    static ServerName parse(const QString& serverName);
};

namespace DbEngine {

// The fixed database login shared by every user of the system.
extern const QString DatabaseUser;
extern const QString DatabasePassword;

// The engine keeps no network control file here; kept as a no-op so start-up reads as designed.
void setNetworkControlDirectory(const QString& folder);

// Adds a connection named connectionName for the alias and opens it with the fixed login.
// The connection stays registered (unopened) when opening fails; EDBEngineError carries the
// engine's text.
// connectTimeoutSeconds: how long to wait for a server that does not answer (-1: the
// programs' time-out).
QSqlDatabase openConnection(const AliasRegistry& registry, const QString& alias,
                            const QString& connectionName, int connectTimeoutSeconds = -1);
// Adds and opens a connection straight to a database file or server name (tools and tests).
QSqlDatabase openServerName(const QString& serverName, const QString& connectionName);
void closeConnection(const QString& connectionName);

// Raises EDBEngineError with the access message and the reason why the connection could not
// be opened, when it is not open; queries on a failed connection then say why.
void requireOpen(const QSqlDatabase& db);

// The client library's handle of an open connection (isc_db_handle); 0 for none.
unsigned nativeHandle(const QSqlDatabase& db);

// Runs one statement in a transaction of its own that never waits for another connection's
// locks: false (and nothing changed) when it would have to.
bool executeWithoutWaiting(const QSqlDatabase& db, const QString& sql);

// How long a client waits for a database server that does not answer.
constexpr int DefaultConnectTimeoutSeconds = 15;
int connectTimeoutSeconds();
void setConnectTimeoutSeconds(int seconds);

// The engine's text of an error: its own lines when it gave any.
QString errorText(const QSqlError& error);
[[noreturn]] void raise(const QSqlError& error);

} // namespace DbEngine
