#include "TemporaryTables.h"

#include "DbEngine.h"
#include "Errors.h"
#include "SqlQuery.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace kolmrap {

const QString TemporaryTables::PositionTable = QStringLiteral("KOLMRAP_POZ");
const QString TemporaryTables::IdTable = QStringLiteral("KOLMRAP_ID");

namespace {

bool tableExists(const QSqlDatabase& db, const QString& name) {
    SqlQuery q(db);
    q.prepare(QStringLiteral("SELECT COUNT(*) AS N FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = :name"));
    q.bind(QStringLiteral("name"), name);
    q.open();
    const bool exists = q.fieldInt(QStringLiteral("N")) > 0;
    q.close();
    return exists;
}

void define(const QSqlDatabase& db, const QString& name, const QString& columns) {
    if (tableExists(db, name))
        return;
    QSqlQuery create(db);
    create.exec(QStringLiteral("CREATE GLOBAL TEMPORARY TABLE ") + name + QStringLiteral(" (") + columns +
                QStringLiteral(") ON COMMIT PRESERVE ROWS"));
    // Another run may have defined it at the same moment: what counts is that it exists now.
    if (!tableExists(db, name))
        DbEngine::raise(create.lastError());
}

// Tables "Temp<digits>" with exactly the columns (Id, Poz) or (IdPom): what an interrupted run
// of earlier versions left behind. Dropped without waiting, so a table still in use by such a
// run elsewhere stays for the next time.
void removeLeftovers(const QSqlDatabase& db) {
    static const QRegularExpression leftoverName(QStringLiteral("^TEMP[0-9]+$"));
    QStringList names;
    {
        SqlQuery q(db);
        q.prepare(QStringLiteral(
            "SELECT TRIM(R.RDB$RELATION_NAME) AS N, "
            "LIST(TRIM(F.RDB$FIELD_NAME), ',') AS F FROM RDB$RELATIONS R "
            "JOIN RDB$RELATION_FIELDS F ON F.RDB$RELATION_NAME = R.RDB$RELATION_NAME "
            "WHERE R.RDB$RELATION_NAME STARTING WITH 'TEMP' AND COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0 "
            "AND R.RDB$VIEW_BLR IS NULL GROUP BY R.RDB$RELATION_NAME"));
        q.open();
        for (; !q.eof(); q.next()) {
            const QString name = q.fieldText(QStringLiteral("N"));
            QStringList fields = q.fieldText(QStringLiteral("F")).split(QLatin1Char(','));
            fields.sort();
            if (leftoverName.match(name).hasMatch() &&
                (fields == QStringList{QStringLiteral("ID"), QStringLiteral("POZ")} ||
                 fields == QStringList{QStringLiteral("IDPOM")}))
                names << name;
        }
        q.close();
    }
    for (const QString& name : names)
        DbEngine::executeWithoutWaiting(db, QStringLiteral("DROP TABLE ") + name);
}

} // namespace

void TemporaryTables::prepareDatabase(const QSqlDatabase& db) {
    define(db, PositionTable, QStringLiteral("Id Integer, Poz Integer"));
    define(db, IdTable, QStringLiteral("IdPom Integer"));
    removeLeftovers(db);
}

TemporaryTables::TemporaryTables(const QSqlDatabase& db) : m_db(db) {
    clear();
}

TemporaryTables::~TemporaryTables() {
    try {
        clear();
    } catch (const EKolmError&) {
        // A lost connection takes the rows with it.
    }
}

void TemporaryTables::clear() {
    SqlQuery::executeDirect(m_db, QStringLiteral("DELETE FROM ") + PositionTable);
    SqlQuery::executeDirect(m_db, QStringLiteral("DELETE FROM ") + IdTable);
}

namespace {

// Fills a table inside one transaction, a few hundred rows per statement: the engine then
// parses a block once for many rows instead of running one statement per row.
void fillTable(const QSqlDatabase& db, const QString& table, const QStringList& entries) {
    constexpr int kRowsPerBlock = 200; // the engine allows 256 table references per statement
    QSqlDatabase conn = db;
    if (!conn.transaction())
        DbEngine::raise(conn.lastError());
    try {
        const QString insert = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (Id,Poz) VALUES (");
        for (int start = 0; start < entries.size(); start += kRowsPerBlock) {
            QString block = QStringLiteral("EXECUTE BLOCK AS BEGIN\n");
            const int end = qMin(start + kRowsPerBlock, int(entries.size()));
            for (int i = start; i < end; ++i) {
                // Entries are whole numbers; written back in decimal they cannot carry SQL.
                block += insert + QString::number(entries[i].toInt()) + QLatin1Char(',') +
                         QString::number(i + 1) + QStringLiteral(");\n");
            }
            block += QStringLiteral("END");
            QSqlQuery q(conn);
            if (!q.exec(block) || q.lastError().isValid())
                DbEngine::raise(q.lastError());
        }
        if (!conn.commit())
            DbEngine::raise(conn.lastError());
    } catch (...) {
        conn.rollback();
        throw;
    }
}

} // namespace

SelectionTables TemporaryTables::fill(const QString& list) {
    SelectionTables out;
    const QStringList entries = list.isEmpty() ? QStringList() : list.split(QLatin1Char(','));
    const bool useIdTable = entries.size() > MaxInlineEntries;
    if (useIdTable) {
        out.clause = QStringLiteral(" OStrukt.Id = ") + IdTable + QStringLiteral(".IdPom AND ");
        out.idTableUsed = true;
    } else if (!list.isEmpty()) {
        out.clause = QStringLiteral(" OStrukt.Id IN ( ") + list + QStringLiteral(" ) AND ");
    } else {
        out.clause = QStringLiteral(" OStrukt.Id IN ( -1 ) AND ");
    }
    fillTable(m_db, PositionTable, entries);
    // The id table holds the same entries: copied inside the engine in one statement.
    if (useIdTable)
        SqlQuery::executeDirect(m_db, QStringLiteral("INSERT INTO ") + IdTable +
                                          QStringLiteral(" (IdPom) SELECT Id FROM ") + PositionTable);
    out.positionTable = PositionTable;
    out.idTable = IdTable;
    return out;
}

} // namespace kolmrap
