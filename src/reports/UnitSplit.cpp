#include "UnitSplit.h"

#include <QHash>

namespace kolmrap {

QString OrgUnit::caption() const {
    return code.isEmpty() ? name : QStringLiteral("[%1] %2").arg(code, name);
}

namespace UnitSplit {

QString safeFolderName(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
        out += (c.category() == QChar::Other_Control || forbidden.contains(c)) ? QLatin1Char('_') : c;
    }
    // At most 60 characters (a file name holds 255 bytes, a Polish letter two), then no dots or
    // blanks at either end.
    out = out.left(60);
    int start = 0, end = out.size();
    while (start < end && (out[start] == QLatin1Char('.') || out[start].isSpace()))
        ++start;
    while (end > start && (out[end - 1] == QLatin1Char('.') || out[end - 1].isSpace()))
        --end;
    return out.mid(start, end - start);
}

QVector<OrgUnit> unitsOf(const StructureTree& tree, int level) {
    const QVector<StructureTree::Node>& nodes = tree.nodes();
    if (level <= 0)
        return {};
    QVector<int> depth(nodes.size(), 0);
    // Parents come before their children: the tree is loaded level by level.
    for (int i = 0; i < nodes.size(); ++i)
        depth[i] = nodes[i].parent < 0 ? 0 : depth[nodes[i].parent] + 1;
    QHash<int, QSet<int>> stationsOf; // unit node -> workstation ids
    QSet<int> units;
    for (int i = 0; i < nodes.size(); ++i) {
        const bool workstation = nodes[i].data.TypStrukt == 1;
        if (!workstation) {
            if (depth[i] == level)
                units.insert(i);
            continue;
        }
        if (nodes[i].parent < 0)
            continue; // a workstation without an organisation above it has no unit
        int unit = nodes[i].parent;
        while (depth[unit] > level)
            unit = nodes[unit].parent;
        units.insert(unit);
        stationsOf[unit].insert(nodes[i].data.Id);
    }
    // In the order of the tree, top down.
    QVector<int> order;
    QVector<int> stack;
    for (int i = tree.roots().size() - 1; i >= 0; --i)
        stack << tree.roots()[i];
    while (!stack.isEmpty()) {
        const int n = stack.takeLast();
        if (units.contains(n))
            order << n;
        for (int c = nodes[n].children.size() - 1; c >= 0; --c)
            stack << nodes[n].children[c];
    }
    QVector<OrgUnit> out;
    QSet<QString> taken;
    for (int n : order) {
        const TStrukt& d = nodes[n].data;
        OrgUnit unit;
        unit.id = d.Id;
        unit.code = d.Kod.trimmed();
        unit.name = d.SkrotNazwa.trimmed().isEmpty() ? d.Nazwa.trimmed() : d.SkrotNazwa.trimmed();
        QString folder = safeFolderName(unit.code.isEmpty() ? unit.name : unit.code);
        if (folder.isEmpty())
            folder = QStringLiteral("jednostka");
        // Never two units in one folder, whatever their codes look like.
        const QString base = folder;
        for (int n = 1; taken.contains(folder.toLower()); ++n)
            folder = base + QLatin1Char('_') + QString::number(d.Id) +
                     (n > 1 ? QLatin1Char('_') + QString::number(n) : QString());
        taken.insert(folder.toLower());
        unit.folder = folder;
        unit.stations = stationsOf.value(n);
        out << unit;
    }
    return out;
}

} // namespace UnitSplit

} // namespace kolmrap
