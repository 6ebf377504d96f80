#pragma once

#include "TStrukt.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

namespace kolmrap {

// The organisational structure valid on the run date as an ordered forest: children keep the
// order in which they were added (by code or by short name).
class StructureTree {
public:
    struct Node {
        TStrukt data;
        QString caption; // "[" + Kod + "] " + SkrotNazwa
        int parent = -1;
        QVector<int> children;
    };

    // Rebuilds the tree from OStrukt, level by level, for the run date.
    void LoadStructureTree(const QSqlDatabase& db, const QDate& runDate, bool sortByCode);
    void clear();
    // Adds a node as the last child of parent (-1: last top-level node); returns its index.
    int addNode(const TStrukt& data, int parent);

    // The selection list: comma-separated ids, one entry per leaf ("0" for a leaf that is not
    // a workstation), top-level nodes in reverse order, "-1" for a top-level node without
    // entries.
    QString SelectedWorkstations() const;

    const QVector<Node>& nodes() const { return m_nodes; }
    const QVector<int>& roots() const { return m_roots; }

private:
    void subtreeEntries(int node, QStringList& out) const;

    QVector<Node> m_nodes;
    QVector<int> m_roots;
};

} // namespace kolmrap
