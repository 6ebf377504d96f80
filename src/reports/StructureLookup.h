#pragma once

#include <QHash>
#include <QMutex>
#include <QSqlDatabase>
#include <QString>

namespace kolmrap {

// The ancestry texts the report prints, for one database's run: each table (OStrukt,
// BHPGrupy) is read once, on first use, instead of one query per printed row. After preload
// the look-ups may come from several threads at once (sections written side by side).
class StructureLookup {
public:
    explicit StructureLookup(const QSqlDatabase& db);
    // Reads the structure table, and the groups table when asked, now: later look-ups then need
    // no database (the report may be written while the next section's queries run). Only the
    // safety-item sections print groups; databases without them work for the rest.
    void preload(bool withGroups);

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
    // One table of Id, parent and name, read once, with the paths worked out so far.
    struct Tree {
        QString sql;
        QString nameField;
        QString separator;
        bool loaded = false;
        QHash<int, Entry> entries;
        QHash<int, QString> paths;
    };
    void load(Tree& tree);
    QString cachedPath(Tree& tree, int id);
    static QString path(const QHash<int, Entry>& table, int id, const QString& separator);

    QSqlDatabase m_db;
    QMutex m_mutex; // the paths worked out so far are shared by the writing threads
    Tree m_structure;
    Tree m_groups;
    qint64 m_sqlMs = 0;
};

} // namespace kolmrap
