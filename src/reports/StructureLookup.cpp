#include "StructureLookup.h"

#include "SqlQuery.h"

#include <QElapsedTimer>
#include <QSet>
#include <QStringList>

StructureLookup::StructureLookup(const QSqlDatabase& db) : m_db(db) {}

QHash<int, StructureLookup::Entry> StructureLookup::load(const QSqlDatabase& db, const QString& sql,
                                                         const QString& nameField) {
    QHash<int, Entry> out;
    SqlQuery q(db);
    q.prepare(sql);
    q.open();
    for (; !q.eof(); q.next()) {
        const int id = q.fieldInt(QStringLiteral("Id"));
        // The first row of an Id counts, as a look-up by Id would find it.
        if (!out.contains(id))
            out.insert(id, {q.fieldInt(QStringLiteral("IdRodzStrukt")), q.fieldText(nameField)});
    }
    return out;
}

QString StructureLookup::path(const QHash<int, Entry>& table, int id, const QString& separator) {
    // Walk up to the top; a cycle in the data ends the walk instead of recursing forever.
    QStringList names;
    QSet<int> seen;
    int current = id;
    while (true) {
        const auto it = table.constFind(current);
        if (it == table.constEnd() || seen.contains(current)) {
            names.prepend(QString());
            break;
        }
        seen.insert(current);
        names.prepend(it->name);
        if (it->parent == 0)
            break;
        current = it->parent;
    }
    QString out;
    for (const QString& n : names)
        out += n + separator;
    return out;
}

void StructureLookup::preload() {
    StructurePath(0);
    GroupPath(0);
    m_structurePaths.clear();
    m_groupPaths.clear();
}

QString StructureLookup::StructurePath(int id) {
    const auto cached = m_structurePaths.constFind(id);
    if (cached != m_structurePaths.constEnd())
        return *cached;
    if (!m_structureLoaded) {
        QElapsedTimer timer;
        timer.start();
        m_structure = load(m_db, QStringLiteral("SELECT Id,IdRodzStrukt,SkrotNazwa FROM OStrukt"), QStringLiteral("SkrotNazwa"));
        m_structureLoaded = true;
        m_sqlMs += timer.elapsed();
    }
    const QString p = path(m_structure, id, QStringLiteral("\r"));
    m_structurePaths.insert(id, p);
    return p;
}

QString StructureLookup::GroupPath(int id) {
    const auto cached = m_groupPaths.constFind(id);
    if (cached != m_groupPaths.constEnd())
        return *cached;
    if (!m_groupsLoaded) {
        QElapsedTimer timer;
        timer.start();
        m_groups = load(m_db, QStringLiteral("SELECT Id,IdRodzStrukt,Nazwa FROM BHPGrupy"), QStringLiteral("Nazwa"));
        m_groupsLoaded = true;
        m_sqlMs += timer.elapsed();
    }
    const QString p = path(m_groups, id, QStringLiteral("  |  "));
    m_groupPaths.insert(id, p);
    return p;
}

QString StructureLookup::locationText(const QString& structurePath) {
    QStringList lines;
    int start = 0;
    while (start < structurePath.size()) {
        const int cr = structurePath.indexOf(QLatin1Char('\r'), start);
        const int end = cr < 0 ? structurePath.size() : cr + 1;
        lines << structurePath.mid(start, end - start);
        start = end;
    }
    QString out;
    for (int k = 0; k + 1 < lines.size(); ++k)
        out += QString(k * 4, QLatin1Char(' ')) + lines[k];
    return out;
}
