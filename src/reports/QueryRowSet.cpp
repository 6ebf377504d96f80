#include "QueryRowSet.h"

#include "DbEngine.h"
#include "Errors.h"
#include "TextRules.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kolmrap {

void QueryRowSet::open(const QSqlDatabase& db, const QString& sql, const QVariantHash& parameters,
                       const QSet<QString>& displayFields) {
    m_columns.clear();
    m_rows.clear();
    m_display.clear();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        DbEngine::raise(q.lastError());
    for (auto it = parameters.constBegin(); it != parameters.constEnd(); ++it) {
        static const QRegularExpression word(QStringLiteral("\\w"));
        const QString placeholder = QLatin1Char(':') + it.key();
        const int at = sql.indexOf(placeholder, 0, Qt::CaseInsensitive);
        const int after = at + placeholder.size();
        if (at >= 0 && (after >= sql.size() || !word.match(sql.mid(after, 1)).hasMatch()))
            q.bindValue(placeholder, it.value());
    }
    if (!q.exec())
        DbEngine::raise(q.lastError());
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i) {
        m_columns.insert(record.fieldName(i).toUpper(), i);
        m_display.append(displayFields.contains(record.fieldName(i).toUpper()));
    }
    const int columns = record.count();
    while (q.next()) {
        QVector<QVariant> row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = q.value(i);
        m_rows.append(std::move(row));
    }
    if (q.lastError().isValid())
        DbEngine::raise(q.lastError());
}

int QueryRowSet::column(const QString& field) const {
    return m_columns.value(field.toUpper(), -1);
}

QVariant QueryRowSet::raw(int row, const QString& field) const {
    const int c = column(field);
    if (c < 0 || row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows[row][c];
}

QVariant QueryRowSet::value(int row, const QString& field) const {
    const int c = column(field);
    if (c < 0 || row < 0 || row >= m_rows.size())
        return QVariant();
    const QVariant& v = m_rows[row][c];
    if (m_substitute && m_display[c] && !v.isNull())
        return StripPolishLetters(v.toString());
    return v;
}

} // namespace kolmrap
