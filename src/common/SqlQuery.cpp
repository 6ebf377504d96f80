#include "SqlQuery.h"

#include "DbEngine.h"
#include "Errors.h"

#include <QSqlError>
#include <QSqlRecord>

SqlQuery::SqlQuery(const QSqlDatabase& db) : m_db(db), m_query(db) {}

void SqlQuery::prepare(const QString& sql) {
    m_eof = true;
    m_record.clear();
    DbEngine::requireOpen(m_db);
    if (!m_query.prepare(sql))
        DbEngine::raise(m_query.lastError());
}

void SqlQuery::bind(const QString& name, const QVariant& value) {
    m_query.bindValue(name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name, value);
}

void SqlQuery::open() {
    m_query.setForwardOnly(true);
    if (!m_query.exec())
        DbEngine::raise(m_query.lastError());
    m_record = m_query.record();
    m_eof = !m_query.next();
    if (m_eof && m_query.lastError().isValid())
        DbEngine::raise(m_query.lastError());
}

void SqlQuery::next() {
    if (m_eof)
        return;
    m_eof = !m_query.next();
    if (m_eof && m_query.lastError().isValid())
        DbEngine::raise(m_query.lastError());
}

void SqlQuery::execute() {
    m_eof = true;
    if (!m_query.exec() || m_query.lastError().isValid())
        DbEngine::raise(m_query.lastError());
    m_record = m_query.record();
}

void SqlQuery::close() {
    m_eof = true;
    m_record.clear();
    m_query.clear();
}

QVariant SqlQuery::value(const QString& field) const {
    const int index = m_record.indexOf(field);
    if (index < 0)
        throw EDBEngineError(QStringLiteral("Field '%1' not found").arg(field));
    if (m_eof)
        return QVariant();
    return m_query.value(index);
}

bool SqlQuery::isNull(const QString& field) const {
    return value(field).isNull();
}

int SqlQuery::fieldInt(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? 0 : v.toInt();
}

QString SqlQuery::fieldText(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

QDate SqlQuery::fieldDate(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return QDate();
    return v.metaType().id() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
}

QDateTime SqlQuery::fieldDateTime(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return QDateTime();
    return v.metaType().id() == QMetaType::QDate ? v.toDate().startOfDay() : v.toDateTime();
}

void SqlQuery::executeDirect(const QSqlDatabase& db, const QString& sql) {
    DbEngine::requireOpen(db);
    QSqlQuery q(db);
    if (!q.exec(sql) || q.lastError().isValid())
        DbEngine::raise(q.lastError());
}
