#include "StructureLookup.h"

#include "SqlQuery.h"

#include <QElapsedTimer>
#include <QSet>
#include <QStringList>

namespace kolmrap {

StructureLookup::StructureLookup(const QSqlDatabase& db) : m_db(db) {
    m_structure.sql = QStringLiteral("SELECT Id,IdRodzStrukt,SkrotNazwa FROM OStrukt");
    m_structure.nameField = QStringLiteral("SkrotNazwa");
    m_structure.separator = QStringLiteral("\r");
    m_groups.sql = QStringLiteral("SELECT Id,IdRodzStrukt,Nazwa FROM BHPGrupy");
    m_groups.nameField = QStringLiteral("Nazwa");
    m_groups.separator = QStringLiteral("  |  ");
}

void StructureLookup::load(Tree& tree) {
    QElapsedTimer timer;
    timer.start();
    SqlQuery q(m_db);
    q.prepare(tree.sql);
    q.open();
    for (; !q.eof(); q.next()) {
        const int id = q.fieldInt(QStringLiteral("Id"));
        // The first row of an Id counts, as a look-up by Id would find it.
        if (!tree.entries.contains(id))
            tree.entries.insert(id,
                                {q.fieldInt(QStringLiteral("IdRodzStrukt")), q.fieldText(tree.nameField)});
    }
    tree.loaded = true;
    m_sqlMs += timer.elapsed();
}

QString StructureLookup::cachedPath(Tree& tree, int id) {
    const auto cached = tree.paths.constFind(id);
    if (cached != tree.paths.constEnd())
        return *cached;
    if (!tree.loaded)
        load(tree);
    const QString p = path(tree.entries, id, tree.separator);
    tree.paths.insert(id, p);
    return p;
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

void StructureLookup::preload(bool withGroups) {
    const QMutexLocker lock(&m_mutex);
    if (!m_structure.loaded)
        load(m_structure);
    if (withGroups && !m_groups.loaded)
        load(m_groups);
}

QString StructureLookup::StructurePath(int id) {
    const QMutexLocker lock(&m_mutex);
    return cachedPath(m_structure, id);
}

QString StructureLookup::GroupPath(int id) {
    const QMutexLocker lock(&m_mutex);
    return cachedPath(m_groups, id);
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

} // namespace kolmrap
