#include "StructureTree.h"

#include "SqlQuery.h"

#include <QHash>

namespace kolmrap {

void StructureTree::clear() {
    m_nodes.clear();
    m_roots.clear();
}

int StructureTree::addNode(const TStrukt& data, int parent) {
    Node node;
    node.data = data;
    node.caption = QLatin1Char('[') + data.Kod + QStringLiteral("] ") + data.SkrotNazwa;
    node.parent = parent;
    m_nodes.append(node);
    const int index = m_nodes.size() - 1;
    if (parent < 0)
        m_roots.append(index);
    else
        m_nodes[parent].children.append(index);
    return index;
}

void StructureTree::LoadStructureTree(const QSqlDatabase& db, const QDate& runDate, bool sortByCode) {
    clear();
    // Id to node, for finding parents while loading; the first node of an Id wins.
    QHash<int, int> byId;
    for (int level = 0;; ++level) {
        SqlQuery q(db);
        q.prepare(QStringList{
            QStringLiteral(" SELECT ID, IDRodzStrukt, NrPoz, TypStrukt, "),
            QStringLiteral(" SkrotNazwa, Kod, Nazwa, Usuniety, DataUtw, DataUsun FROM OStrukt "),
            QStringLiteral(
                " WHERE DataUtw <= :DataUtw AND (Usuniety = 0 OR (Usuniety = 1 AND DataUsun > :DataUtw))"),
            QStringLiteral(" AND NrPoz = ") + QString::number(level),
            sortByCode ? QStringLiteral(" ORDER BY Kod ") : QStringLiteral(" ORDER BY SkrotNazwa ")});
        q.bind(QStringLiteral("DataUtw"), runDate);
        q.open();
        if (q.eof())
            break;
        for (; !q.eof(); q.next()) {
            TStrukt s;
            s.Id = q.fieldInt(QStringLiteral("ID"));
            s.IdRodzStrukt = q.fieldInt(QStringLiteral("IDRodzStrukt"));
            s.NrPoz = q.fieldInt(QStringLiteral("NrPoz"));
            s.TypStrukt = q.fieldInt(QStringLiteral("TypStrukt"));
            s.SkrotNazwa = q.fieldText(QStringLiteral("SkrotNazwa"));
            s.Kod = q.fieldText(QStringLiteral("Kod"));
            s.Nazwa = q.fieldText(QStringLiteral("Nazwa"));
            s.Usuniety = q.fieldInt(QStringLiteral("Usuniety"));
            s.DataUtw = q.fieldDate(QStringLiteral("DataUtw"));
            s.DataUsun = q.fieldDate(QStringLiteral("DataUsun"));
            int parent = -1;
            if (level > 0) {
                const auto it = byId.constFind(s.IdRodzStrukt);
                // A node whose parent is not in the tree is left out with its subtree.
                if (it == byId.constEnd())
                    continue;
                parent = it.value();
            }
            const int index = addNode(s, parent);
            if (!byId.contains(s.Id))
                byId.insert(s.Id, index);
        }
    }
}

void StructureTree::subtreeEntries(int node, QStringList& out) const {
    const Node& n = m_nodes[node];
    if (n.children.isEmpty()) {
        out << (n.data.TypStrukt == 1 ? QString::number(n.data.Id) : QStringLiteral("0"));
        return;
    }
    for (int child : n.children)
        subtreeEntries(child, out);
}

QString StructureTree::SelectedWorkstations() const {
    // The first node in depth-first order with a top-level node's Id stands for it.
    QHash<int, int> firstById;
    QVector<int> stack(m_roots.rbegin(), m_roots.rend());
    QVector<int> order;
    while (!stack.isEmpty()) {
        const int n = stack.takeLast();
        order.append(n);
        if (!firstById.contains(m_nodes[n].data.Id))
            firstById.insert(m_nodes[n].data.Id, n);
        const auto& children = m_nodes[n].children;
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.append(*it);
    }
    QString list;
    for (int n : order) {
        if (m_nodes[n].data.NrPoz != 0)
            continue;
        QStringList entries;
        subtreeEntries(firstById.value(m_nodes[n].data.Id), entries);
        const QString own = entries.isEmpty() ? QStringLiteral("-1") : entries.join(QLatin1Char(','));
        list = list.isEmpty() ? own : own + QLatin1Char(',') + list;
    }
    return list;
}

} // namespace kolmrap
