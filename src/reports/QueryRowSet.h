#pragma once

#include "ReportEngine.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVector>

namespace kolmrap {

// The rows of one section query, fetched whole when opened, so the report can walk them as
// often as it needs while no cursor stays open on the temporary tables. Text fields named as
// display fields are given with the report's letter substitution.
class QueryRowSet : public IRowSet {
public:
    // Runs sql with the given parameters (only those the text names are bound). Raises
    // EDBEngineError.
    void open(const QSqlDatabase& db, const QString& sql, const QVariantHash& parameters,
              const QSet<QString>& displayFields);

    int rowCount() const override { return m_rows.size(); }
    QVariant value(int row, const QString& field) const override;
    // The stored value without display substitution.
    QVariant raw(int row, const QString& field) const;
    int intValue(int row, const QString& field) const { return raw(row, field).toInt(); }
    // Off: display fields too are given as stored.
    void setSubstitution(bool on) { m_substitute = on; }

private:
    int column(const QString& field) const;

    QHash<QString, int> m_columns; // upper-case names
    QVector<QVector<QVariant>> m_rows;
    QVector<bool> m_display;
    bool m_substitute = true;
};

} // namespace kolmrap
