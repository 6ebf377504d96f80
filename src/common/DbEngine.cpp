#include "DbEngine.h"

#include "AliasRegistry.h"
#include "Errors.h"

#include <QRegularExpression>

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

QString DbEngine::errorText(const QSqlError& error) {
    const QString db = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (db.isEmpty())
        return driver;
    if (driver.isEmpty())
        return db;
    return driver + QStringLiteral(": ") + db;
}

void DbEngine::raise(const QSqlError& error) { throw EDBEngineError(errorText(error), error.nativeErrorCode()); }

namespace {

QSqlDatabase openAt(const ServerName& where, const QString& connectionName) {
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
    if (!db.open())
        DbEngine::raise(db.lastError());
    return db;
}

} // namespace

QSqlDatabase DbEngine::openConnection(const AliasRegistry& registry, const QString& alias,
                                      const QString& connectionName) {
    const QString serverName = registry.parameter(alias, QStringLiteral("SERVER NAME"));
    if (serverName.isEmpty())
        throw EDBEngineError(QStringLiteral("Database alias %1 names no database (SERVER NAME)").arg(alias));
    return openAt(ServerName::parse(serverName), connectionName);
}

QSqlDatabase DbEngine::openServerName(const QString& serverName, const QString& connectionName) {
    return openAt(ServerName::parse(serverName), connectionName);
}

void DbEngine::closeConnection(const QString& connectionName) {
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}
