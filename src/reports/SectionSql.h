#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace kolmrap {

// The selection a section builder works with: the clause that restricts OStrukt to the
// selected workstations, and the temporary tables behind it.
struct SelectionTables {
    QString clause; // " OStrukt.Id IN ( ... ) AND ", " OStrukt.Id = <I>.IdPom AND " or " OStrukt.Id IN ( -1 )
                    // AND "
    bool idTableUsed = false;
    QString positionTable; // Id, Poz
    QString idTable;       // IdPom
};

struct SectionQuery {
    QString name; // "Qr1_0", ...
    QString sql;
};

// The statements of one section: item, structure and workstation level in that order
// (PracAdm has the item level only). Parameters: :nowdata (run date) everywhere; TermRyz also
// :od and :do (date-times), AktualBhp also :zerodata (the empty date, 1899-12-30).
struct SectionStatements {
    QVector<SectionQuery> queries;
};

namespace SectionSql {

SectionStatements PrepareCzynnRyz(const SelectionTables& s);
SectionStatements PrepareTermRyz(const SelectionTables& s);
SectionStatements PrepareStanAdm(const SelectionTables& s);
SectionStatements PreparePracAdm();
SectionStatements PrepareSrodRyz(const SelectionTables& s);
SectionStatements PrepareWyborDob(const SelectionTables& s);
SectionStatements PrepareRoznDob(const SelectionTables& s);
SectionStatements PreparePrzetBhp(const SelectionTables& s);
SectionStatements PrepareAktualBhp(const SelectionTables& s);

// The same day six months later; a day the target month lacks steps back to its last day.
QDate sixMonthsLater(const QDate& runDate);

} // namespace SectionSql

} // namespace kolmrap
