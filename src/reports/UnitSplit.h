#pragma once

#include "StructureTree.h"

#include <QSet>
#include <QString>
#include <QVector>

namespace kolmrap {

// The organisational units that get workbooks of their own: those of one level of the structure
// valid on the run date (1: right under the organisation), each with the workstations under it.
// A workstation whose branch has no unit that deep (a workstation right under a unit of a
// higher level) belongs to the unit right above it, which then counts as a unit of its own: so
// every workstation under the organisation has exactly one unit, and the units' rows together
// are the organisation's. A workstation at the top of the structure, with no organisation above
// it, has none.
struct OrgUnit {
    int id = -1;
    QString code;
    QString name;
    // The unit's folder under "Arkusz": its code, or its name when it has none, made safe for a
    // file name and different from every other unit's (", _<Id>" added when it would not be).
    QString folder;
    QSet<int> stations;

    // "[code] name", or the name alone.
    QString caption() const;
};

namespace UnitSplit {

QVector<OrgUnit> unitsOf(const StructureTree& tree, int level);
// A name for a folder: no separators, no control characters, no leading or trailing dots and
// blanks; empty when nothing is left.
QString safeFolderName(const QString& text);

} // namespace UnitSplit

} // namespace kolmrap
