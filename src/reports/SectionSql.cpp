#include "SectionSql.h"

namespace kolmrap {

namespace {

// A date column written "+0" keeps its value but is not searched through its own index: on a
// large organisation the engine otherwise combines the index of "date <= run date" or
// "date IS NULL" (true for nearly every row) with the selective key index for every row it
// joins, and a section reads the whole date index thousands of times.

// "NOT EXISTS" with the key written out stands for the "NOT IN" of a list of keys: the same
// rows, since no key is NULL, without the engine scanning the whole list for a NULL once per
// row that is not in it (on a large register that was half a minute for the persons alone).

// The structure level's test whether a node exists on the run date.
const QString kStructureExists = QStringLiteral(
    " (OStrukt.DataUtw <= :nowdata AND (OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun is null)) ");

// The latest survey of a workstation: the highest Id dated on or before the run date. Tested on
// the survey (every statement joins OSesPom.Id = PCzynSes.IdSesjaPom), so it runs once per
// survey rather than once per factor of the survey.
const QString kLatestSurvey =
    QStringLiteral("OSesPom.Id =(SELECT MAX(OSesPom.id) FROM OSesPom WHERE OSesPom.data+0<=:nowdata AND "
                   "OSesPom.IdStan=OStrukt.Id)");

SectionStatements make(std::initializer_list<SectionQuery> queries) {
    SectionStatements st;
    for (const SectionQuery& q : queries)
        st.queries.append(q);
    return st;
}

// CzynnRyz and TermRyz differ only in the factor condition and a few blanks of their heads.
struct FactorTexts {
    QString itemName, structureName, workstationName;
    QString condition;
    QString itemHead;
    QString structureFrom;
    QString workstationSelect;
};

SectionStatements factorSection(const SelectionTables& s, const FactorTexts& t) {
    const QString& P = s.positionTable;
    const QString body = QStringLiteral(
        " (OStrukt.DataUtw <= :nowdata AND ( OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun is null)) AND "
        "OStrukt.Id  = OSesPom.IdStan  AND  OSesPom.Data+0 <= :nowdata AND OSesPom.Id = PCzynSes.IdSesjaPom "
        "AND ");
    const QString tail = QStringLiteral(" AND PCzynSes.IdCzynn = DCzynn.Id  AND ") + kLatestSurvey;

    const QString item = t.itemHead + s.clause + body + t.condition + tail;
    const QString structure =
        QStringLiteral(" SELECT DISTINCT OStrukt.Id, ") + P + QStringLiteral(".Poz,  PCzynSes.IdCzynn ") +
        t.structureFrom + QStringLiteral(" WHERE ") + s.clause + kStructureExists +
        QStringLiteral(" AND OStrukt.Id = OSesPom.IdStan") +
        QStringLiteral(" AND OSesPom.Data+0 <= :nowdata ") +
        QStringLiteral(" AND OSesPom.Id=PCzynSes.IdSesjaPom") + QStringLiteral(" AND ") + kLatestSurvey +
        QStringLiteral(" ") + QStringLiteral(" AND ") + t.condition + QStringLiteral(" AND OStrukt.Id = ") +
        P + QStringLiteral(".Id ") + QStringLiteral(" ORDER BY Poz");
    const QString workstation =
        t.workstationSelect +
        QStringLiteral("(OStrukt.DataUtw <= :nowdata AND (OStrukt.DataUsun >= "
                       ":nowdata OR OStrukt.DataUsun is null)) AND  "
                       "OStrukt.ID = OSesPom.IDStan AND OSesPom.Data+0 <= :nowdata AND "
                       "OSesPom.ID = PCzynSes.IDSesjaPom AND ") +
        kLatestSurvey + QStringLiteral(" AND ") + t.condition + QStringLiteral(" ORDER BY OStrukt.Kod");
    return make({{t.itemName, item}, {t.structureName, structure}, {t.workstationName, workstation}});
}

// The structure level of the sections whose items are workstations: every selected workstation
// that exists on the run date, in selection order.
QString workstationStructure(const SelectionTables& s, const QString& from) {
    const QString& P = s.positionTable;
    return QStringLiteral(" SELECT DISTINCT OStrukt.Id, ") + P + QStringLiteral(".Poz ") + from +
           QStringLiteral(" WHERE ") + s.clause + kStructureExists + QStringLiteral(" AND OStrukt.Id = ") +
           P + QStringLiteral(".Id ") + QStringLiteral(" ORDER BY Poz");
}

// " FROM  OStrukt , P" (or the variant without the blank before the comma) and its id-table form.
QString positionFrom(const SelectionTables& s, const QString& plainHead) {
    if (s.idTableUsed)
        return QStringLiteral(" FROM  OStrukt, ") + s.idTable + QStringLiteral(", ") + s.positionTable;
    return plainHead + s.positionTable;
}

// WyborDob and RoznDob share heads and levels; they differ in the item body.
SectionStatements protectiveEquipmentSection(const SelectionTables& s, const QString& body,
                                             const QString& suffix) {
    const QString head =
        s.idTableUsed ? QStringLiteral(" SELECT DISTINCT OStrukt.Id FROM OStrukt, ") + s.idTable +
                            QStringLiteral(" WHERE")
                      : QStringLiteral(" SELECT DISTINCT OStrukt.Id FROM OStrukt") + QStringLiteral(" WHERE");
    const QString workstation =
        QStringLiteral("SELECT DISTINCT OStrukt.SkrotNazwa,OStrukt.Kod,OStrukt.ID  FROM OStrukt  WHERE "
                       "(OStrukt.DataUtw <= :nowdata AND "
                       "(OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun is null))  ORDER BY OStrukt.Kod");
    return make({{QStringLiteral("Qd1_") + suffix, head + s.clause + body},
                 {QStringLiteral("Qd2_") + suffix,
                  workstationStructure(s, positionFrom(s, QStringLiteral(" FROM  OStrukt , ")))},
                 {QStringLiteral("Qd3_") + suffix, workstation}});
}

} // namespace

namespace SectionSql {

SectionStatements PrepareCzynnRyz(const SelectionTables& s) {
    const QString& I = s.idTable;
    FactorTexts t;
    t.itemName = QStringLiteral("Qr1_0");
    t.structureName = QStringLiteral("Qr2_0");
    t.workstationName = QStringLiteral("Qr3_0");
    t.condition = QStringLiteral("PCzynSes.DataPom is null ");
    t.itemHead =
        s.idTableUsed
            ? QStringLiteral(
                  " SELECT DISTINCT DCzynn.Nazwa, DCzynn.Id, PCzynSes.IdCzynn  FROM DCzynn, OStrukt,") +
                  I + QStringLiteral(", OSesPom, PCzynSes ") + QStringLiteral(" WHERE ")
            : QStringLiteral(" SELECT DISTINCT DCzynn.Nazwa, DCzynn.Id, PCzynSes.IdCzynn  FROM DCzynn, "
                             "OStrukt, OSesPom, PCzynSes WHERE ");
    t.structureFrom = s.idTableUsed
                          ? QStringLiteral(" FROM  OStrukt,") + I + QStringLiteral(", OSesPom, PCzynSes, ") +
                                s.positionTable
                          : QStringLiteral(" FROM  OStrukt , OSesPom, PCzynSes, ") + s.positionTable;
    t.workstationSelect = QStringLiteral("SELECT DISTINCT OStrukt.SkrotNazwa,OStrukt.Kod,OStrukt.ID, "
                                         "PCzynSes.IdCzynn FROM OStrukt  ,PCzynSes, OSesPom WHERE ");
    return factorSection(s, t);
}

SectionStatements PrepareTermRyz(const SelectionTables& s) {
    const QString& I = s.idTable;
    FactorTexts t;
    t.itemName = QStringLiteral("Qr1_1");
    t.structureName = QStringLiteral("Qr2_1");
    t.workstationName = QStringLiteral("Qr3_1");
    t.condition = QStringLiteral("( PCzynSes.TermNastBad+0 >= :od  AND PCzynSes.TermNastBad+0 <= :do ) ");
    t.itemHead =
        s.idTableUsed
            ? QStringLiteral(
                  " SELECT DISTINCT DCzynn.Nazwa , DCzynn.Id, PCzynSes.IdCzynn  FROM DCzynn, OStrukt, ") +
                  I + QStringLiteral(", OSesPom, PCzynSes") + QStringLiteral(" WHERE ")
            : QStringLiteral(" SELECT DISTINCT DCzynn.Nazwa , DCzynn.Id, PCzynSes.IdCzynn  FROM DCzynn, "
                             "OStrukt, OSesPom, PCzynSes WHERE ");
    t.structureFrom = s.idTableUsed
                          ? QStringLiteral(" FROM  OStrukt, ") + I + QStringLiteral(", OSesPom, PCzynSes, ") +
                                s.positionTable
                          : QStringLiteral(" FROM  OStrukt , OSesPom, PCzynSes, ") + s.positionTable;
    t.workstationSelect =
        QStringLiteral("SELECT DISTINCT OStrukt.SkrotNazwa,OStrukt.Kod,OStrukt.ID,PCzynSes.IdCzynn,"
                       "PCzynSes.TermNastBad FROM OStrukt  ,PCzynSes, OSesPom WHERE ");
    return factorSection(s, t);
}

SectionStatements PrepareStanAdm(const SelectionTables& s) {
    // OPracow stays out of the outer FROM: it has no join condition there, so it only multiplied
    // the rows, and with no employment at all it emptied the list of unstaffed workstations.
    const QString head = s.idTableUsed ? QStringLiteral(" SELECT DISTINCT Ostrukt.Id FROM OStrukt, ") +
                                             s.idTable + QStringLiteral(" WHERE ")
                                       : QStringLiteral(" SELECT DISTINCT Ostrukt.Id FROM OStrukt WHERE ");
    const QString body =
        QStringLiteral(" (OStrukt.DataUtw <= :nowdata AND ( OStrukt.DataUsun >= :nowdata OR "
                       "OStrukt.DataUsun is null)) AND NOT EXISTS (SELECT 1 FROM OPRACOW WHERE "
                       "OPRACOW.IdStan = OStrukt.Id AND DataZak+0 is null)");
    const QString workstation =
        QStringLiteral("SELECT DISTINCT OStrukt.SkrotNazwa,OStrukt.Kod,OStrukt.ID FROM OStrukt WHERE "
                       "(OStrukt.DataUtw <= :nowdata AND "
                       "(OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun is null))  ORDER BY OStrukt.Kod");
    return make({{QStringLiteral("Qa1_0"), head + s.clause + body},
                 {QStringLiteral("Qa2_0"),
                  workstationStructure(s, positionFrom(s, QStringLiteral(" FROM  OStrukt, ")))},
                 {QStringLiteral("Qa3_0"), workstation}});
}

SectionStatements PreparePracAdm() {
    const QString sql =
        QStringLiteral("SELECT DISTINCT Nazwisko, Imie, Pesel FROM ODanOs") +
        QStringLiteral(
            " WHERE NOT EXISTS (SELECT 1 FROM OPracow, OStrukt WHERE OPracow.IdPrac = ODanOs.IdOsoby AND "
            "(OPracow.DataZak+0 is null) "
            "AND (OPracow.IdStan = OStrukt.Id) AND (OStrukt.DataUtw <= :nowdata AND (OStrukt.DataUsun >= "
            ":nowdata OR OStrukt.DataUsun is null)))  ORDER BY Nazwisko,Imie,Pesel");
    return make({{QStringLiteral("Qa1_1"), sql}});
}

SectionStatements PrepareSrodRyz(const SelectionTables& s) {
    const QString head =
        s.idTableUsed ? QStringLiteral(" SELECT DISTINCT OStrukt.Id FROM OStrukt, ") + s.idTable +
                            QStringLiteral(", OSesPom, PCzynSes ") + QStringLiteral(" WHERE")
                      : QStringLiteral(" SELECT DISTINCT OStrukt.Id FROM OStrukt, OSesPom, PCzynSes WHERE");
    const QString body = QStringLiteral(" (OStrukt.DataUtw <= :nowdata AND ( OStrukt.DataUsun >= :nowdata OR "
                                        "OStrukt.DataUsun is null)) AND "
                                        "OStrukt.Id  = OSesPom.IdStan AND OSesPom.Data+0 <= :nowdata AND "
                                        "OSesPom.Id = PCzynSes.IdSesjaPom AND "
                                        "PCzynSes.OcenaKomp >=30 AND ") +
                         kLatestSurvey;
    const QString tail = QStringLiteral(
        " AND (NOT EXISTS (SELECT 1 FROM OOchSesO WHERE OOchSesO.IdSesji = PCzynSes.IdSesjaPom) OR "
        "NOT EXISTS (SELECT 1 FROM OProfOrg WHERE OProfOrg.IdSesja = PCzynSes.IdSesjaPom))");
    const QString workstation =
        QStringLiteral("SELECT DISTINCT OStrukt.SkrotNazwa,OStrukt.Kod,OStrukt.ID  FROM OStrukt  WHERE "
                       "(OStrukt.DataUtw <= :nowdata AND "
                       "(OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun is null))  ORDER BY OStrukt.Kod");
    return make({{QStringLiteral("Qr1_2"), head + s.clause + body + tail},
                 {QStringLiteral("Qr2_2"),
                  workstationStructure(s, positionFrom(s, QStringLiteral(" FROM  OStrukt , ")))},
                 {QStringLiteral("Qr3_2"), workstation}});
}

SectionStatements PrepareWyborDob(const SelectionTables& s) {
    return protectiveEquipmentSection(
        s,
        QStringLiteral(" (OStrukt.DataUtw <= :nowdata AND ( OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun "
                       "is null)) AND "
                       "(OStrukt.Id IN (SELECT IdStanow FROM BDDoborOstateczny) AND NOT EXISTS "
                       "(SELECT 1 FROM "
                       "BDWyborOchr WHERE BDWyborOchr.IdStanow = OStrukt.Id))"),
        QStringLiteral("0"));
}

SectionStatements PrepareRoznDob(const SelectionTables& s) {
    return protectiveEquipmentSection(s,
                                      QStringLiteral(" (OStrukt.DataUtw <= :nowdata AND ( OStrukt.DataUsun "
                                                     ">= :nowdata OR OStrukt.DataUsun is null)) AND "
                                                     "(OStrukt.Id IN (SELECT IdStanow FROM BDWyborOchr) AND "
                                                     "NOT EXISTS (SELECT 1 FROM BhpDane "
                                                     "WHERE BhpDane.IdStan = OStrukt.Id AND IdPrac+0 = 0))"),
                                      QStringLiteral("1"));
}

SectionStatements PreparePrzetBhp(const SelectionTables& s) {
    const QString& P = s.positionTable;
    const QString head = s.idTableUsed ? QStringLiteral(" SELECT DISTINCT BHPGrupy.Nazwa, BHPGrupy.Id AS "
                                                        "IdListy, BHPGrupy.IdRodzStrukt FROM OStrukt, ") +
                                             s.idTable + QStringLiteral(", BHPDane, BHPDane_Sz, BHPGrupy ") +
                                             QStringLiteral(" WHERE")
                                       : QStringLiteral(" SELECT DISTINCT BHPGrupy.Nazwa, BHPGrupy.Id AS "
                                                        "IdListy, BHPGrupy.IdRodzStrukt FROM OStrukt, "
                                                        "BHPDane, BHPDane_Sz, BHPGrupy WHERE");
    const QString body = QStringLiteral(" (OStrukt.DataUtw <= :nowdata AND ( OStrukt.DataUsun >= :nowdata OR "
                                        "OStrukt.DataUsun IS NULL)) AND OStrukt.Id = "
                                        "BHPDane.IdStan AND BHPDane.DataUsun+0 IS NULL AND BHPDane.Id = "
                                        "BHPDane_Sz.IdBHPDane AND (BHPDane_Sz.DataWaz+0 <= "
                                        ":nowdata AND BHPDane_Sz.DataWaz+0 IS NOT NULL) AND BHPDane.IdBHP = "
                                        "BHPGrupy.ID AND BHPGrupy.TypStrukt = 1 AND "
                                        "BHPGrupy.Okresowe = 1 ORDER BY BHPGrupy.Nazwa");
    const QString structure =
        QStringLiteral(" SELECT DISTINCT OStrukt.Id, ") + P + QStringLiteral(".Poz, BHPGrupy.Id AS IdListy") +
        positionFrom(s, QStringLiteral(" FROM  OStrukt , ")) +
        QStringLiteral(", BHPDane, BHPDane_Sz, BHPGrupy") + QStringLiteral(" WHERE ") + s.clause +
        kStructureExists + QStringLiteral(" AND OStrukt.Id = BHPDane.IdStan") +
        QStringLiteral(" AND BHPDane.DataUsun+0 IS NULL") +
        QStringLiteral(" AND BHPDane.Id = BHPDane_Sz.IdBHPDane") +
        QStringLiteral(" AND (BHPDane_Sz.DataWaz+0 <= :nowdata AND BHPDane_Sz.DataWaz+0 IS NOT NULL)") +
        QStringLiteral(" AND BHPDane.IdBHP = BHPGrupy.ID") + QStringLiteral(" AND OStrukt.Id = ") + P +
        QStringLiteral(".Id ") + QStringLiteral(" ORDER BY Poz");
    const QString workstation =
        QStringLiteral("SELECT DISTINCT OStrukt.SkrotNazwa,OStrukt.Kod,OStrukt.Id, BHPGrupy.Id AS IdListy "
                       "FROM OStrukt, BHPDane, "
                       "BHPDane_Sz, BHPGrupy  WHERE (OStrukt.DataUtw <= :nowdata AND (OStrukt.DataUsun >= "
                       ":nowdata OR OStrukt.DataUsun "
                       "is null))  AND OStrukt.Id = BHPDane.IdStan AND BHPDane.DataUsun+0 IS NULL AND "
                       "BHPDane.Id = BHPDane_Sz.IdBHPDane AND "
                       "(BHPDane_Sz.DataWaz+0 <= :nowdata AND BHPDane_Sz.DataWaz+0 IS NOT NULL) AND "
                       "BHPDane.IdBHP = BHPGrupy.ID ORDER BY "
                       "OStrukt.Kod");
    return make({{QStringLiteral("Qb1_0"), head + s.clause + body},
                 {QStringLiteral("Qb2_0"), structure},
                 {QStringLiteral("Qb3_0"), workstation}});
}

SectionStatements PrepareAktualBhp(const SelectionTables& s) {
    const QString& P = s.positionTable;
    const QString head = s.idTableUsed ? QStringLiteral(" SELECT DISTINCT BHPGrupy.Nazwa, BHPGrupy.Id AS "
                                                        "IdListy, BHPGrupy.IdRodzStrukt FROM OStrukt, ") +
                                             s.idTable + QStringLiteral(", BHPDane_Sz, BHPDane, BHPGrupy ") +
                                             QStringLiteral(" WHERE")
                                       : QStringLiteral(" SELECT DISTINCT BHPGrupy.Nazwa, BHPGrupy.Id AS "
                                                        "IdListy, BHPGrupy.IdRodzStrukt FROM OStrukt, "
                                                        "BHPDane_Sz, BHPDane, BHPGrupy WHERE");
    const QString body = QStringLiteral(
        " (OStrukt.DataUtw <= :nowdata AND ( OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun is null)) AND "
        "OStrukt.Id = "
        "BHPDane.IdStan AND (BHPDane.DataUsun > :nowdata OR BHPDane.DataUsun+0 IS NULL) AND BHPDane.Id = "
        "BHPDane_Sz.IdBHPDane AND (BHPDane_Sz.DataWaz+0 IS NULL OR BHPDane_Sz.DataWaz+0 = :zerodata) AND "
        "BHPDane.IdBHP = "
        "BHPGrupy.ID AND BHPGrupy.TypStrukt = 1 AND BHPGrupy.Okresowe = 1 ORDER BY BHPGrupy.Nazwa");
    const QString structure =
        QStringLiteral(" SELECT DISTINCT OStrukt.Id, ") + P + QStringLiteral(".Poz, BHPGrupy.Id AS IdListy") +
        positionFrom(s, QStringLiteral(" FROM  OStrukt , ")) +
        QStringLiteral(", BHPDane_Sz, BHPDane, BHPGrupy") + QStringLiteral(" WHERE ") + s.clause +
        kStructureExists + QStringLiteral(" AND OStrukt.Id = BHPDane.IdStan") +
        QStringLiteral(" AND (BHPDane.DataUsun > :nowdata OR BHPDane.DataUsun+0 IS NULL)") +
        QStringLiteral(" AND BHPDane.Id = BHPDane_Sz.IdBHPDane") +
        QStringLiteral(" AND (BHPDane_Sz.DataWaz+0 IS NULL OR BHPDane_Sz.DataWaz+0 = :zerodata)") +
        QStringLiteral(" AND BHPDane.IdBHP = BHPGrupy.ID") + QStringLiteral(" AND OStrukt.Id = ") + P +
        QStringLiteral(".Id ") + QStringLiteral(" ORDER BY Poz");
    const QString workstation =
        QStringLiteral("SELECT DISTINCT OStrukt.SkrotNazwa,OStrukt.Kod,OStrukt.Id, BHPGrupy.Id  AS IdListy "
                       "FROM OStrukt, BHPDane_Sz, "
                       "BHPDane, BHPGrupy  WHERE (OStrukt.DataUtw <= :nowdata AND (OStrukt.DataUsun >= "
                       ":nowdata OR OStrukt.DataUsun is "
                       "null))  AND OStrukt.Id = BHPDane.IdStan AND (BHPDane.DataUsun > :nowdata OR "
                       "BHPDane.DataUsun+0 IS NULL) AND "
                       "BHPDane.Id = BHPDane_Sz.IdBHPDane AND (BHPDane_Sz.DataWaz+0 IS NULL OR "
                       "BHPDane_Sz.DataWaz+0 = :zerodata) AND "
                       "BHPDane.IdBHP = BHPGrupy.ID ORDER BY OStrukt.Kod");
    return make({{QStringLiteral("Qb1_1"), head + s.clause + body},
                 {QStringLiteral("Qb2_1"), structure},
                 {QStringLiteral("Qb3_1"), workstation}});
}

QDate sixMonthsLater(const QDate& runDate) {
    int year = runDate.year();
    int month = runDate.month() + 6;
    // Only months 13 to 18 carry into the next year; 12 (from June) stays in this one.
    if (month > 12) {
        month -= 12;
        ++year;
    }
    int day = runDate.day();
    while (day > 1 && !QDate::isValid(year, month, day))
        --day;
    return QDate(year, month, day);
}

} // namespace SectionSql

} // namespace kolmrap
