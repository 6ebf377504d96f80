#include "DatabaseFactory.h"

#include "DbEngine.h"
#include "Errors.h"
#include "SqlQuery.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QUuid>

#include <ibase.h>

namespace {

void addDpbString(QByteArray& dpb, char tag, const QByteArray& value) {
    dpb.append(tag);
    dpb.append(char(value.size()));
    dpb.append(value);
}

void addDpbInt(QByteArray& dpb, char tag, int value) {
    dpb.append(tag);
    dpb.append(char(4));
    for (int i = 0; i < 4; ++i)
        dpb.append(char((value >> (8 * i)) & 0xFF));
}

QString engineText(const ISC_STATUS* status) {
    char buffer[512];
    const ISC_STATUS* vector = status;
    QStringList lines;
    while (fb_interpret(buffer, sizeof buffer, &vector))
        lines << QString::fromUtf8(buffer);
    return lines.join(QStringLiteral(" - "));
}

// What the client library is given: a local path made absolute, a server name as it stands.
QByteArray enginePath(const QString& path) {
    if (ServerName::parse(path).host.isEmpty())
        return QFile::encodeName(QFileInfo(path).absoluteFilePath());
    return path.trimmed().toUtf8();
}

QByteArray loginDpb() {
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    addDpbString(dpb, isc_dpb_user_name, DbEngine::DatabaseUser.toUpper().toUtf8());
    addDpbString(dpb, isc_dpb_password, DbEngine::DatabasePassword.toUtf8());
    return dpb;
}

} // namespace

namespace DatabaseFactory {

void createEmpty(const QString& path, const Options& options) {
    QByteArray dpb = loginDpb();
    addDpbString(dpb, isc_dpb_set_db_charset, QByteArrayLiteral("WIN1250"));
    addDpbInt(dpb, isc_dpb_sql_dialect, 3);
    addDpbInt(dpb, isc_dpb_force_write, options.forcedWrites ? 1 : 0);

    const QByteArray file = enginePath(path);
    ISC_STATUS_ARRAY status{};
    isc_db_handle handle = 0;
    if (isc_create_database(status, 0, file.constData(), &handle, short(dpb.size()), dpb.constData(), 3))
        throw EDBEngineError(engineText(status));
    isc_detach_database(status, &handle);
}

bool exists(const QString& path) {
    if (ServerName::parse(path).host.isEmpty())
        return QFileInfo::exists(path);
    const QByteArray file = enginePath(path);
    const QByteArray dpb = loginDpb();
    ISC_STATUS_ARRAY status{};
    isc_db_handle handle = 0;
    if (isc_attach_database(status, 0, file.constData(), &handle, short(dpb.size()), dpb.constData()))
        return false;
    isc_detach_database(status, &handle);
    return true;
}

void drop(const QString& path) {
    if (ServerName::parse(path).host.isEmpty()) {
        QFile::remove(path);
        return;
    }
    const QByteArray file = enginePath(path);
    const QByteArray dpb = loginDpb();
    ISC_STATUS_ARRAY status{};
    isc_db_handle handle = 0;
    if (isc_attach_database(status, 0, file.constData(), &handle, short(dpb.size()), dpb.constData()) ||
        isc_drop_database(status, &handle))
        throw EDBEngineError(engineText(status));
}

QStringList splitScript(const QString& script) {
    QStringList statements;
    QString current;
    for (const QString& rawLine : script.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QStringLiteral("--")))
            continue;
        current += rawLine + QLatin1Char('\n');
        if (line.endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            statements << current;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

void runScript(const QString& databasePath, const QString& script) {
    const QString name = QStringLiteral("dbsetup-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    try {
        const QSqlDatabase db = DbEngine::openServerName(databasePath, name);
        for (const QString& statement : splitScript(script))
            SqlQuery::executeDirect(db, statement);
    } catch (...) {
        DbEngine::closeConnection(name);
        throw;
    }
    DbEngine::closeConnection(name);
}

QString resourceScript(const QString& name) {
    QFile file(QStringLiteral(":/db/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw EKolmError(QStringLiteral("Missing script %1").arg(name));
    return QString::fromUtf8(file.readAll());
}

void createWithSchema(const QString& path, const Options& options) {
    createEmpty(path, options);
    runScript(path, resourceScript(QStringLiteral("schema.sql")));
}

} // namespace DatabaseFactory
