#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>

// The ancestry texts the report prints, for one database's run: each table (OStrukt,
// BHPGrupy) is read once, on first use, instead of one query per printed row.
class StructureLookup {
public:
    explicit StructureLookup(const QSqlDatabase& db);
    // Reads both tables now, so that later look-ups need no database (the report may then be
    // written while the next section's queries run).
    void preload();

    // One line per level from the top node down to the node itself, each ended by a carriage
    // return; a single carriage return for an unknown Id.
    QString StructurePath(int id);
    // Group names from the top group down, each followed by "  |  "; "  |  " for an unknown Id.
    QString GroupPath(int id);

    // The ancestors in a structure path, top first, each indented four blanks more than its
    // parent (the node itself left out).
    static QString locationText(const QString& structurePath);

    // Time spent reading the tables so far.
    qint64 sqlMs() const { return m_sqlMs; }

private:
    struct Entry {
        int parent = 0;
        QString name;
    };
    static QHash<int, Entry> load(const QSqlDatabase& db, const QString& sql, const QString& nameField);
    static QString path(const QHash<int, Entry>& table, int id, const QString& separator);

    QSqlDatabase m_db;
    bool m_structureLoaded = false;
    bool m_groupsLoaded = false;
    QHash<int, Entry> m_structure;
    QHash<int, Entry> m_groups;
    QHash<int, QString> m_structurePaths;
    QHash<int, QString> m_groupPaths;
    qint64 m_sqlMs = 0;
};
