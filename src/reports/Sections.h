#pragma once

#include "SectionSql.h"
#include "TPrawaDostepu.h"

#include <QSet>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

namespace kolmrap {

// What the item level's rows do while a section is printed.
enum class ItemRows {
    Plain,
    // Each factor starts without a previous location (CzynnRyz, TermRyz).
    Factors,
    // Each safety-item group prints its group path (PrzetBhp, AktualBhp).
    Groups,
};

// One of the nine sections of the summary report, described once: everything the run, the
// statements and the printing need to know of it.
struct SectionDescription {
    // The configuration switch, the report of the project, the folder and the file name.
    QString name;
    // Position in report order (0..8).
    int index = 0;
    SectionStatements (*statements)(const SelectionTables&) = nullptr;
    // Works on the structure selection (all but PracAdm, which lists persons).
    bool usesSelection = true;
    // The right that must be non-zero for the user to see the section.
    std::int32_t TPrawaDostepu::*right = nullptr;
    ItemRows itemRows = ItemRows::Plain;
    // The structure level prints each workstation's location once (all but PracAdm).
    bool structureRows = true;
    // A workstation whose item has a valid-until date after the run date is not printed.
    bool expiredItemRule = false;
    // The location carries the label "Umiejscowienie:".
    bool locationLabel = false;
    // Fields printed through the letter substitution, per query level.
    std::array<QSet<QString>, 3> displayFields;

    bool printsGroups() const { return itemRows == ItemRows::Groups; }
};

namespace Sections {

// The nine sections in report order.
const QVector<SectionDescription>& all();
// nullptr for a name that is no section.
const SectionDescription* find(const QString& name);

} // namespace Sections

} // namespace kolmrap
