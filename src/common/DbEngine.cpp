#include "DbEngine.h"

#include "AliasRegistry.h"
#include "Errors.h"
#include "SharedConnection.h"

#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QVariant>
#include <atomic>

#include <ibase.h>

const QString DbEngine::DatabaseUser = QStringLiteral("brel");
const QString DbEngine::DatabasePassword = QStringLiteral("qzvh");

bool ServerName::isLocalFile() const {
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

ServerName ServerName::parse(const QString& serverName) {
    ServerName out;
    const QString text = serverName.trimmed();
    // A Windows path with a drive letter ("C:\..." or "C:/...") is a local file.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0 || drive.match(text).hasMatch()) {
        out.path = text;
        return out;
    }
    QString host = text.left(colon);
    out.path = text.mid(colon + 1);
    const int slash = host.indexOf(QLatin1Char('/'));
    if (slash > 0) {
        bool ok = false;
        const int port = host.mid(slash + 1).toInt(&ok);
        if (ok)
            out.port = port;
        host = host.left(slash);
    }
    out.host = host;
    return out;
}

void DbEngine::setNetworkControlDirectory(const QString&) {}

namespace {
std::atomic<int> g_connectTimeout{DbEngine::DefaultConnectTimeoutSeconds};
}

int DbEngine::connectTimeoutSeconds() {
    return g_connectTimeout.load();
}

void DbEngine::setConnectTimeoutSeconds(int seconds) {
    g_connectTimeout = seconds;
}

QString DbEngine::errorText(const QSqlError& error) {
    const QString db = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (db.isEmpty())
        return driver;
    if (driver.isEmpty())
        return db;
    return driver + QStringLiteral(": ") + db;
}

void DbEngine::raise(const QSqlError& error) {
    throw EDBEngineError(errorText(error), error.nativeErrorCode());
}

namespace {

// Why each connection that failed to open did so, for the queries that run on it anyway.
QMutex g_failuresMutex;
QHash<QString, QString> g_openFailures;

void recordOpenFailure(const QString& connectionName, const QString& reason) {
    const QMutexLocker locker(&g_failuresMutex);
    if (reason.isEmpty())
        g_openFailures.remove(connectionName);
    else
        g_openFailures.insert(connectionName, reason);
}

QString statusText(const ISC_STATUS* status) {
    QStringList lines;
    char buffer[1024];
    const ISC_STATUS* cursor = status;
    while (fb_interpret(buffer, sizeof buffer, &cursor) > 0)
        lines << QString::fromUtf8(buffer);
    return lines.join(QStringLiteral(" - "));
}

void appendDpbText(QByteArray& dpb, char tag, const QByteArray& value) {
    dpb.append(tag);
    dpb.append(char(qMin<int>(value.size(), 255)));
    dpb.append(value.left(255));
}

// The driver offers no connect time-out, and a server that takes the connection and never
// answers would hold the program for minutes: a first attach with the engine's own time-out
// tells within that time whether the server answers at all.
void probeServer(const ServerName& where, int timeoutSeconds) {
    QByteArray target = where.host.toUtf8();
    if (where.port > 0)
        target += '/' + QByteArray::number(where.port);
    target += ':' + where.path.toUtf8();
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    appendDpbText(dpb, char(isc_dpb_user_name), DbEngine::DatabaseUser.toUtf8());
    appendDpbText(dpb, char(isc_dpb_password), DbEngine::DatabasePassword.toUtf8());
    const qint32 seconds = timeoutSeconds > 0 ? timeoutSeconds : DbEngine::connectTimeoutSeconds();
    dpb.append(char(isc_dpb_connect_timeout));
    dpb.append(char(4));
    for (int i = 0; i < 4; ++i)
        dpb.append(char((seconds >> (8 * i)) & 0xff));
    ISC_STATUS_ARRAY status{};
    isc_db_handle handle = 0;
    if (isc_attach_database(status, short(target.size()), target.constData(), &handle, short(dpb.size()),
                            dpb.constData()) != 0 ||
        (status[0] == 1 && status[1] != 0)) {
        QString text = statusText(status);
        if (text.isEmpty())
            text = QStringLiteral("Brak połączenia z serwerem bazy danych %1").arg(where.host);
        throw EDBEngineError(text, QString::number(isc_sqlcode(status)));
    }
    ISC_STATUS_ARRAY detach{};
    isc_detach_database(detach, &handle);
}

QSqlDatabase openAt(const ServerName& where, const QString& connectionName, int timeoutSeconds = -1) {
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
                          ? QSqlDatabase::database(connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), connectionName);
    if (!db.isValid())
        throw EDBEngineError(QStringLiteral("The Firebird driver (QIBASE) is not available"));
    db.setDatabaseName(where.path);
    db.setHostName(where.host);
    db.setPort(where.port);
    db.setUserName(DbEngine::DatabaseUser);
    db.setPassword(DbEngine::DatabasePassword);
    try {
        if (!where.host.isEmpty())
            probeServer(where, timeoutSeconds);
        if (!db.open())
            DbEngine::raise(db.lastError());
    } catch (const EDBEngineError& e) {
        recordOpenFailure(connectionName, e.text().isEmpty() ? QStringLiteral("?") : e.text());
        throw;
    }
    recordOpenFailure(connectionName, QString());
    return db;
}

} // namespace

QSqlDatabase DbEngine::openConnection(const AliasRegistry& registry, const QString& alias,
                                      const QString& connectionName, int connectTimeoutSeconds) {
    const QString serverName = registry.parameter(alias, QStringLiteral("SERVER NAME"));
    if (serverName.isEmpty())
        throw EDBEngineError(QStringLiteral("Database alias %1 names no database (SERVER NAME)").arg(alias));
    return openAt(ServerName::parse(serverName), connectionName, connectTimeoutSeconds);
}

QSqlDatabase DbEngine::openServerName(const QString& serverName, const QString& connectionName) {
    return openAt(ServerName::parse(serverName), connectionName);
}

unsigned DbEngine::nativeHandle(const QSqlDatabase& db) {
    static_assert(sizeof(isc_db_handle) == sizeof(unsigned), "the client's handles are unsigned integers");
    if (!db.isValid() || !db.isOpen() || !db.driver())
        return 0;
    const QVariant native = db.driver()->handle();
    if (!native.isValid() || native.metaType().sizeOf() != int(sizeof(isc_db_handle)))
        return 0;
    return *static_cast<const isc_db_handle*>(native.data());
}

bool DbEngine::executeWithoutWaiting(const QSqlDatabase& db, const QString& sql) {
    isc_db_handle handle = nativeHandle(db);
    if (handle == 0)
        return false;
    static const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                               isc_tpb_nowait};
    ISC_STATUS_ARRAY status{};
    isc_tr_handle transaction = 0;
    if (isc_start_transaction(status, &transaction, 1, &handle, short(sizeof tpb), tpb) != 0)
        return false;
    const QByteArray text = sql.toUtf8();
    if (isc_dsql_execute_immediate(status, &handle, &transaction, 0, text.constData(), 3, nullptr) != 0) {
        ISC_STATUS_ARRAY ignored{};
        isc_rollback_transaction(ignored, &transaction);
        return false;
    }
    return isc_commit_transaction(status, &transaction) == 0;
}

void DbEngine::requireOpen(const QSqlDatabase& db) {
    if (db.isOpen())
        return;
    QString reason;
    {
        const QMutexLocker locker(&g_failuresMutex);
        reason = g_openFailures.value(db.connectionName());
    }
    if (reason.isEmpty())
        reason = QStringLiteral("połączenie z bazą danych nie jest otwarte");
    throw EDBEngineError(SharedConnection::AccessMessage + reason);
}

void DbEngine::closeConnection(const QString& connectionName) {
    recordOpenFailure(connectionName, QString());
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}
