#pragma once

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

// A query on a database connection in the way the programs use it: SQL prepared from text
// with ":name" parameters, rows walked from the first, fields read by name with NULL as 0,
// empty text or the null date. Every failure raises EDBEngineError with the engine's text.
class SqlQuery {
public:
    explicit SqlQuery(const QSqlDatabase& db);

    void prepare(const QString& sql);
    void prepare(const QStringList& lines) { prepare(lines.join(QLatin1Char('\n'))); }
    void bind(const QString& name, const QVariant& value);

    // Runs a SELECT and stands on its first row.
    void open();
    bool eof() const { return m_eof; }
    void next();
    // Runs a statement without a result set.
    void execute();
    // Ends the statement and its snapshot; needed before DDL on the tables it read.
    void close();

    bool isNull(const QString& field) const;
    int fieldInt(const QString& field) const;
    QString fieldText(const QString& field) const;
    QDate fieldDate(const QString& field) const;
    QDateTime fieldDateTime(const QString& field) const;

    // DDL and blocks that must not go through parameter rewriting.
    static void executeDirect(const QSqlDatabase& db, const QString& sql);

private:
    QVariant value(const QString& field) const;

    QSqlDatabase m_db;
    QSqlQuery m_query;
    // The result's fields, read once per statement: the driver builds them anew on every call.
    QSqlRecord m_record;
    bool m_eof = true;
};
