#include "SectionSql.h"
#include "DbEngine.h"
#include "Sections.h"
#include "SqlQuery.h"
#include "TestSupport.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kolmrap;

namespace {

const QDate kRun(2024, 5, 15);
const QDate kLongAgo(2000, 1, 1);
const QDate kZeroDate(1899, 12, 30);

const QString kPositionTable = QStringLiteral("Temp4711");
const QString kIdTable = QStringLiteral("Temp47110");

QString lit(const QDate& d) {
    return d.isValid() ? QLatin1Char('\'') + d.toString(Qt::ISODate) + QLatin1Char('\'')
                       : QStringLiteral("NULL");
}

QStringList sorted(QStringList rows) {
    rows.sort();
    return rows;
}

// The safety-item rows of groups that an item level may show (periodic item groups): rows of
// other groups are never reached by the report's link from the item level.
const QStringList kPeriodicGroups = {"701", "702", "705", "706", "707", "708"};
QStringList ofPeriodicGroups(const QStringList& rows) {
    QStringList out;
    for (const QString& row : rows)
        if (kPeriodicGroups.contains(row.section(QLatin1Char('|'), -1)))
            out << row;
    return out;
}

// A fresh database with the schema per test; the selection tables are made by hand as the
// report run makes them, and each section's statements are run with the run's parameters.
class SectionSqlTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = TestSupport::createDatabase(m_dir.path());
        m_db = DbEngine::openServerName(path, QStringLiteral("sectionsql"));
    }
    void TearDown() override {
        m_db = QSqlDatabase();
        DbEngine::closeConnection(QStringLiteral("sectionsql"));
    }

    void sql(const QString& text) { SqlQuery::executeDirect(m_db, text); }

    // A workstation (only the columns the sections read matter).
    void station(int id, const QString& kod, const QDate& created = kLongAgo,
                 const QDate& removed = QDate()) {
        sql(QStringLiteral(
                "INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, "
                "DataUtw, DataUsun) VALUES (%1, 0, 0, 1, 'Stanowisko %2', 'St %2', '%2', %3, %4, %5)")
                .arg(id)
                .arg(kod)
                .arg(removed.isValid() ? 1 : 0)
                .arg(lit(created), lit(removed)));
    }
    void factorName(int id, const QString& name) {
        sql(QStringLiteral("INSERT INTO DCzynn (Id, Nazwa) VALUES (%1, '%2')").arg(id).arg(name));
    }
    void survey(int id, int stationId, const QDate& date) {
        sql(QStringLiteral("INSERT INTO OSesPom (Id, IdStan, Data) VALUES (%1, %2, %3)")
                .arg(id)
                .arg(stationId)
                .arg(lit(date)));
    }
    void factor(int surveyId, int factorId, const QDate& measured, const QDate& next = QDate(),
                double score = 0) {
        sql(QStringLiteral("INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) "
                           "VALUES (%1, %2, %3, %4, %5, %6)")
                .arg(++m_nextId)
                .arg(surveyId)
                .arg(factorId)
                .arg(lit(measured), lit(next))
                .arg(score, 0, 'f', 2));
    }
    void person(int id, const QString& surname, const QString& name, const QString& pesel) {
        sql(QStringLiteral(
                "INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (%1, '%2', '%3', '%4')")
                .arg(id)
                .arg(surname, name, pesel));
    }
    void employment(int personId, int stationId, const QDate& ended = QDate()) {
        sql(QStringLiteral("INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (%1, %2, %3, %4)")
                .arg(++m_nextId)
                .arg(personId)
                .arg(stationId)
                .arg(lit(ended)));
    }
    void group(int id, const QString& name, int parent, int kind, int periodic) {
        sql(QStringLiteral("INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (%1, "
                           "%2, '%3', %4, %5)")
                .arg(id)
                .arg(parent)
                .arg(name)
                .arg(kind)
                .arg(periodic));
    }
    // A safety item with its entries' valid-until dates; returns its id.
    int item(int stationId, int groupId, const QVector<QDate>& validUntil, const QDate& removed = QDate(),
             int personId = 0) {
        const int id = ++m_nextId;
        sql(QStringLiteral(
                "INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (%1, %2, %3, %4, %5)")
                .arg(id)
                .arg(stationId)
                .arg(personId)
                .arg(groupId)
                .arg(lit(removed)));
        for (const QDate& d : validUntil)
            sql(QStringLiteral("INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (%1, %2, %3)")
                    .arg(++m_nextId)
                    .arg(id)
                    .arg(lit(d)));
        return id;
    }

    // The position table (and the id table) of a selection list, as the report run fills them.
    SelectionTables select(const QVector<int>& entries, bool viaIdTable = false) {
        sql(QStringLiteral("CREATE TABLE ") + kPositionTable + QStringLiteral(" ( Id Integer, Poz Integer)"));
        QStringList list;
        int poz = 0;
        for (int id : entries) {
            sql(QStringLiteral("INSERT INTO %1 (Id,Poz) VALUES ( '%2', '%3')")
                    .arg(kPositionTable)
                    .arg(id)
                    .arg(++poz));
            list << QString::number(id);
        }
        SelectionTables s;
        s.positionTable = kPositionTable;
        if (viaIdTable) {
            sql(QStringLiteral("CREATE TABLE ") + kIdTable + QStringLiteral(" (IdPom Integer)"));
            for (int id : entries)
                sql(QStringLiteral("INSERT INTO %1 (IdPom) VALUES ( '%2')").arg(kIdTable).arg(id));
            s.idTable = kIdTable;
        }
        s.clause = list.isEmpty() ? QStringLiteral(" OStrukt.Id IN ( -1 ) AND ")
                                  : QStringLiteral(" OStrukt.Id IN ( ") + list.join(QLatin1Char(',')) +
                                        QStringLiteral(" ) AND ");
        return s;
    }
    static SelectionTables throughIdTable(SelectionTables s) {
        s.idTableUsed = true;
        s.clause = QStringLiteral(" OStrukt.Id = ") + s.idTable + QStringLiteral(".IdPom AND ");
        return s;
    }

    // Runs one statement of a section with the run's parameters; each row as "a|b|c".
    QStringList rows(const SectionStatements& st, const QString& name, const QStringList& columns,
                     const QDate& runDate = kRun) {
        const SectionQuery* found = nullptr;
        for (const SectionQuery& q : st.queries)
            if (q.name == name)
                found = &q;
        if (!found) {
            ADD_FAILURE() << "no query " << name.toStdString();
            return {};
        }
        SqlQuery q(m_db);
        q.prepare(found->sql);
        const auto uses = [&](const char* param) {
            return found->sql.contains(QRegularExpression(QLatin1String(param) + QStringLiteral("\\b")));
        };
        if (uses(":nowdata"))
            q.bind(QStringLiteral("nowdata"), runDate);
        if (uses(":od"))
            q.bind(QStringLiteral("od"), runDate.startOfDay());
        if (uses(":do"))
            q.bind(QStringLiteral("do"), SectionSql::sixMonthsLater(runDate).startOfDay());
        if (uses(":zerodata"))
            q.bind(QStringLiteral("zerodata"), kZeroDate);
        q.open();
        QStringList out;
        for (; !q.eof(); q.next()) {
            QStringList fields;
            for (const QString& c : columns)
                fields << q.fieldText(c);
            out << fields.join(QLatin1Char('|'));
        }
        q.close();
        return out;
    }

    // --- Data of each section's cases; the ranges of ids do not overlap. ---

    void czynnRyzData() {
        const char* names[] = {"Hałas",          "Pył",       "Oświetlenie", "Drgania", "Mikroklimat",
                               "Promieniowanie", "Chemiczne", "Biologiczne"};
        for (int i = 0; i < 8; ++i)
            factorName(i + 1, QString::fromUtf8(names[i]));
        // An older survey's unmeasured factor does not count once a newer survey exists.
        station(101, "K01");
        survey(1001, 101, QDate(2023, 1, 10));
        factor(1001, 1, QDate());
        survey(1002, 101, QDate(2024, 1, 10));
        factor(1002, 1, QDate(2024, 1, 11));
        factor(1002, 2, QDate());
        // The highest Id is the latest survey, not the latest date.
        station(102, "K02");
        survey(1004, 102, QDate(2024, 3, 1));
        factor(1004, 3, QDate());
        survey(1003, 102, QDate(2024, 4, 1));
        factor(1003, 4, QDate());
        // A survey after the run date is ignored although its Id is higher.
        station(103, "K03");
        survey(1005, 103, QDate(2024, 2, 1));
        factor(1005, 5, QDate());
        survey(1006, 103, kRun.addDays(1));
        factor(1006, 6, QDate());
        // Everything measured in the latest survey.
        station(104, "K04");
        survey(1000, 104, QDate(2023, 1, 1));
        factor(1000, 7, QDate());
        survey(1007, 104, QDate(2024, 1, 1));
        factor(1007, 1, QDate(2024, 1, 2));
        // Removed the day before the run date: gone; removed on the run date: still exists here.
        station(105, "K05", kLongAgo, kRun.addDays(-1));
        survey(1008, 105, QDate(2024, 1, 1));
        factor(1008, 8, QDate());
        station(106, "K06", kLongAgo, kRun);
        survey(1009, 106, QDate(2024, 1, 1));
        factor(1009, 1, QDate());
        // Created after the run date.
        station(107, "K07", kRun.addDays(1));
        survey(1010, 107, QDate(2024, 1, 1));
        factor(1010, 2, QDate());
        // Not selected.
        station(108, "K08");
        survey(1011, 108, QDate(2024, 1, 1));
        factor(1011, 7, QDate());
    }

    // One workstation whose latest survey plans a factor on each date named below.
    const QStringList m_plannedDates = {"2023-08-30", "2023-08-31", "2024-02-29", "2024-03-01",
                                        "2024-06-29", "2024-06-30", "2024-12-30", "2024-12-31",
                                        "2025-08-31", "2026-02-28", "2026-03-01"};
    void termRyzData() {
        station(201, "K21");
        survey(2001, 201, QDate(2019, 1, 1));
        factorName(10, QStringLiteral("older survey"));
        factor(2001, 10, QDate(2019, 1, 2), QDate(2024, 12, 30));
        survey(2002, 201, QDate(2020, 1, 1));
        for (int i = 0; i < m_plannedDates.size(); ++i) {
            factorName(11 + i, m_plannedDates[i]);
            factor(2002, 11 + i, QDate(2020, 1, 2), QDate::fromString(m_plannedDates[i], Qt::ISODate));
        }
    }

    void protectiveRecord(const char* table, const char* column, int surveyId) {
        sql(QStringLiteral("INSERT INTO %1 (Id, %2) VALUES (%3, %4)")
                .arg(QLatin1String(table), QLatin1String(column))
                .arg(++m_nextId)
                .arg(surveyId));
    }
    void srodRyzData() {
        station(301, "K31"); // high risk, equipment recorded, no prevention
        survey(3001, 301, QDate(2024, 1, 1));
        factor(3001, 1, QDate(2024, 1, 1), QDate(), 30);
        protectiveRecord("OOchSesO", "IdSesji", 3001);
        station(302, "K32"); // high risk, prevention recorded, no equipment
        survey(3002, 302, QDate(2024, 1, 1));
        factor(3002, 1, QDate(2024, 1, 1), QDate(), 45);
        protectiveRecord("OProfOrg", "IdSesja", 3002);
        station(303, "K33"); // high risk, both recorded
        survey(3003, 303, QDate(2024, 1, 1));
        factor(3003, 1, QDate(2024, 1, 1), QDate(), 30);
        protectiveRecord("OOchSesO", "IdSesji", 3003);
        protectiveRecord("OProfOrg", "IdSesja", 3003);
        station(304, "K34"); // just below the threshold, nothing recorded
        survey(3004, 304, QDate(2024, 1, 1));
        factor(3004, 1, QDate(2024, 1, 1), QDate(), 29);
        factor(3004, 2, QDate(2024, 1, 1), QDate(), 29.99);
        station(305, "K35"); // high risk only in an older survey
        survey(3005, 305, QDate(2023, 1, 1));
        factor(3005, 1, QDate(2023, 1, 1), QDate(), 50);
        survey(3006, 305, QDate(2024, 1, 1));
        factor(3006, 1, QDate(2024, 1, 1), QDate(), 10);
        station(306, "K36"); // not selected
        survey(3007, 306, QDate(2024, 1, 1));
        factor(3007, 1, QDate(2024, 1, 1), QDate(), 60);
        station(307, "K37"); // no survey at all
    }

    void staffStations() {
        station(401, "K41");
        station(402, "K42");
        station(403, "K43", kLongAgo, kRun.addDays(-1));
        station(404, "K44");
        station(405, "K45", kLongAgo, kRun);
        station(406, "K46", kRun.addDays(1));
        station(407, "K47");
    }
    void staffEmployments() {
        person(4001, "Adamski", "Jan", "80010100001");
        employment(4001, 401);                      // current
        employment(4001, 402, QDate(2024, 1, 31));  // ended
        employment(4001, 405);                      // current, removed on the run date
        employment(4001, 407, QDate(2024, 12, 31)); // ends in the future: not current either
        employment(4001, 404);                      // not selected
    }

    struct EquipmentCase {
        int id;
        const char* kod;
        bool finalSelection;
        bool choice;
        bool ownItem;    // a BHPDane row of the workstation itself (IdPrac = 0)
        bool personItem; // a BHPDane row of an employee
        bool removed;
    };
    const QVector<EquipmentCase> m_equipment = {
        {601, "K61", true, false, false, false, false},  {602, "K62", true, true, false, false, false},
        {603, "K63", false, false, false, false, false}, {604, "K64", false, true, true, false, false},
        {605, "K65", false, true, false, true, false},   {606, "K66", true, false, false, false, true},
        {607, "K67", true, true, true, false, false},    {608, "K68", true, false, false, false, false},
    };
    void equipmentData() {
        group(690, QStringLiteral("Ochrona"), 0, 1, 1);
        for (const EquipmentCase& c : m_equipment) {
            station(c.id, c.kod, kLongAgo, c.removed ? kRun.addDays(-1) : QDate());
            if (c.finalSelection)
                sql(QStringLiteral("INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (%1, %2)")
                        .arg(++m_nextId)
                        .arg(c.id));
            if (c.choice)
                sql(QStringLiteral("INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (%1, %2)")
                        .arg(++m_nextId)
                        .arg(c.id));
            // Whatever the item holds: even a removed item without entries counts as present.
            if (c.ownItem)
                item(c.id, 690, {}, QDate(2020, 1, 1));
            if (c.personItem)
                item(c.id, 690, {QDate(2030, 1, 1)}, QDate(), 4001);
        }
    }

    void safetyData() {
        group(700, QStringLiteral("Odzież"), 0, 0, 0);
        group(701, QString::fromUtf8("Rękawice"), 700, 1, 1);
        group(702, QStringLiteral("Kaski"), 0, 1, 1);
        group(703, QStringLiteral("Buty"), 0, 0, 1);    // not an item group
        group(704, QStringLiteral("Okulary"), 0, 1, 0); // not periodic
        group(705, QStringLiteral("Maski"), 0, 1, 1);   // only at an unselected workstation
        group(706, QStringLiteral("Fartuchy"), 0, 1, 1);
        group(707, QStringLiteral("Nauszniki"), 0, 1, 1);
        group(708, QStringLiteral("Szelki"), 0, 1, 1);
        station(801, "K81");
        item(801, 701, {kRun.addDays(-1)});
        station(802, "K82"); // renewed; hiding it by the newest date is the printing's rule
        item(802, 701, {kRun.addDays(-30), kRun.addDays(200)});
        station(803, "K83");
        item(803, 702, {kRun});
        station(804, "K84"); // the zero date: expired for one section, undated for the other
        item(804, 708, {kZeroDate});
        station(805, "K85");
        item(805, 702, {QDate()});
        station(806, "K86"); // item removed after the run date: current for one section only
        item(806, 706, {QDate(), kRun.addDays(-5)}, kRun.addDays(10));
        station(807, "K87"); // item removed on the run date
        item(807, 707, {QDate(), kRun.addDays(-5)}, kRun);
        station(808, "K88");
        item(808, 703, {kRun.addDays(-1), QDate()});
        item(808, 704, {kRun.addDays(-1), QDate()});
        station(809, "K89");
        item(809, 702, {kRun.addDays(100)});
        station(810, "K8A", kLongAgo, kRun.addDays(-1));
        item(810, 702, {kRun.addDays(-1), QDate()});
        station(811, "K8B");
        item(811, 705, {kRun.addDays(-1), QDate()});
    }

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
    int m_nextId = 100000;
};

TEST(SectionSqlSixMonthsLater, SameDayOrTheTargetMonthsLastDay) {
    struct Case {
        QDate run;
        QDate expected;
    };
    const Case cases[] = {
        {QDate(2024, 6, 30), QDate(2024, 12, 30)}, // month 12 stays in the same year
        {QDate(2024, 6, 1), QDate(2024, 12, 1)},   {QDate(2024, 7, 1), QDate(2025, 1, 1)},
        {QDate(2024, 12, 31), QDate(2025, 6, 30)}, {QDate(2025, 8, 31), QDate(2026, 2, 28)},
        {QDate(2023, 8, 31), QDate(2024, 2, 29)},  {QDate(2024, 8, 29), QDate(2025, 2, 28)},
        {QDate(2024, 3, 31), QDate(2024, 9, 30)},  {QDate(2024, 5, 15), QDate(2024, 11, 15)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SectionSql::sixMonthsLater(c.run), c.expected) << c.run.toString(Qt::ISODate).toStdString();
}

TEST_F(SectionSqlTest, EmptySelectionGivesNoItemsInAnySection) {
    czynnRyzData();
    termRyzData();
    srodRyzData();
    staffStations();
    equipmentData();
    safetyData();
    const SelectionTables inlined = select({}, true);
    const SelectionTables viaId = throughIdTable(inlined);

    // Names per section in report order: the driver opens them in this order.
    const QStringList expected[] = {
        {"Qr1_0", "Qr2_0", "Qr3_0"}, {"Qr1_1", "Qr2_1", "Qr3_1"},
        {"Qa1_0", "Qa2_0", "Qa3_0"}, {"Qa1_1"},
        {"Qr1_2", "Qr2_2", "Qr3_2"}, {"Qd1_0", "Qd2_0", "Qd3_0"},
        {"Qd1_1", "Qd2_1", "Qd3_1"}, {"Qb1_0", "Qb2_0", "Qb3_0"},
        {"Qb1_1", "Qb2_1", "Qb3_1"},
    };
    QStringList sectionNames;
    for (const SectionDescription& d : Sections::all())
        sectionNames << d.name;
    ASSERT_EQ(sectionNames, QStringList({"CzynnRyz", "TermRyz", "StanAdm", "PracAdm", "SrodRyz", "WyborDob",
                                         "RoznDob", "PrzetBhp", "AktualBhp"}));
    for (const SectionDescription& d : Sections::all()) {
        const int i = d.index;
        if (!d.usesSelection)
            continue;
        for (const SelectionTables& s : {inlined, viaId}) {
            const SectionStatements st = d.statements(s);
            QStringList names;
            for (const SectionQuery& q : st.queries)
                names << q.name;
            EXPECT_EQ(names, expected[i]) << i;
            // The item and structure levels see nothing; the workstation level is not selected.
            EXPECT_TRUE(rows(st, names.value(0), {}).isEmpty()) << names.value(0).toStdString();
            EXPECT_TRUE(rows(st, names.value(1), {}).isEmpty()) << names.value(1).toStdString();
            EXPECT_FALSE(rows(st, names.value(2), {}).isEmpty()) << names.value(2).toStdString();
        }
    }
    const SectionStatements persons = Sections::find("PracAdm")->statements(inlined);
    ASSERT_EQ(persons.queries.size(), 1);
    EXPECT_EQ(persons.queries[0].name, expected[3][0]);
    EXPECT_EQ(Sections::find("Nieznany"), nullptr);
}

TEST_F(SectionSqlTest, CzynnRyzListsUnmeasuredFactorsOfTheLatestSurveyOnly) {
    czynnRyzData();
    const SectionStatements st = SectionSql::PrepareCzynnRyz(select({106, 103, 101, 0, 102, 104, 105, 107}));

    EXPECT_EQ(sorted(rows(st, "Qr1_0", {"NAZWA", "ID", "IDCZYNN"})),
              QStringList({QString::fromUtf8("Hałas|1|1"), "Mikroklimat|5|5",
                           QString::fromUtf8("Oświetlenie|3|3"), QString::fromUtf8("Pył|2|2")}));
    // Workstations in selection order under each factor.
    EXPECT_EQ(rows(st, "Qr2_0", {"ID", "POZ", "IDCZYNN"}),
              QStringList({"106|1|1", "103|2|5", "101|3|2", "102|5|3"}));
    // The workstation level carries no selection: the report's link restricts it.
    EXPECT_EQ(rows(st, "Qr3_0", {"KOD", "SKROTNAZWA", "ID", "IDCZYNN"}),
              QStringList({"K01|St K01|101|2", "K02|St K02|102|3", "K03|St K03|103|5", "K06|St K06|106|1",
                           "K08|St K08|108|7"}));
}

TEST_F(SectionSqlTest, TermRyzWindowRunsFromTheRunDateToSixMonthsLaterBothIncluded) {
    termRyzData();
    const SectionStatements st = SectionSql::PrepareTermRyz(select({201}));
    struct Case {
        QDate run;
        QStringList planned;
    };
    const Case cases[] = {
        {QDate(2024, 6, 30), {"2024-06-30", "2024-12-30"}},
        {QDate(2023, 8, 31), {"2023-08-31", "2024-02-29"}},
        {QDate(2025, 8, 31), {"2025-08-31", "2026-02-28"}},
        {QDate(2024, 3, 1), {"2024-03-01", "2024-06-29", "2024-06-30"}},
    };
    for (const Case& c : cases) {
        const std::string run = c.run.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(sorted(rows(st, "Qr1_1", {"NAZWA"}, c.run)), c.planned) << run;
        QStringList structure, planned;
        for (const QString& date : c.planned) {
            const int factorId = 11 + m_plannedDates.indexOf(date);
            structure << QStringLiteral("201|1|%1").arg(factorId);
            planned << QStringLiteral("K21|%1|%2").arg(factorId).arg(date);
        }
        EXPECT_EQ(sorted(rows(st, "Qr2_1", {"ID", "POZ", "IDCZYNN"}, c.run)), sorted(structure)) << run;
        EXPECT_EQ(sorted(rows(st, "Qr3_1", {"KOD", "IDCZYNN", "TERMNASTBAD"}, c.run)), sorted(planned))
            << run;
    }
}

TEST_F(SectionSqlTest, SrodRyzListsHighRiskWithoutEquipmentOrWithoutPrevention) {
    srodRyzData();
    const SectionStatements st = SectionSql::PrepareSrodRyz(select({305, 301, 302, 303, 304, 307}));

    EXPECT_EQ(sorted(rows(st, "Qr1_2", {"ID"})), QStringList({"301", "302"}));
    // Every selected existing workstation; the report's link by ID picks the items' rows.
    EXPECT_EQ(rows(st, "Qr2_2", {"ID", "POZ"}),
              QStringList({"305|1", "301|2", "302|3", "303|4", "304|5", "307|6"}));
    EXPECT_EQ(rows(st, "Qr3_2", {"KOD"}), QStringList({"K31", "K32", "K33", "K34", "K35", "K36", "K37"}));
}

TEST_F(SectionSqlTest, StanAdmWithoutAnyEmploymentListsEveryExistingSelectedWorkstation) {
    staffStations();
    const SectionStatements st = SectionSql::PrepareStanAdm(select({402, 401, 403, 405, 406, 407}));

    EXPECT_EQ(sorted(rows(st, "Qa1_0", {"ID"})), QStringList({"401", "402", "405", "407"}));
    EXPECT_EQ(rows(st, "Qa2_0", {"ID", "POZ"}), QStringList({"402|1", "401|2", "405|4", "407|6"}));
    EXPECT_EQ(rows(st, "Qa3_0", {"KOD", "SKROTNAZWA", "ID"}),
              QStringList({"K41|St K41|401", "K42|St K42|402", "K44|St K44|404", "K45|St K45|405",
                           "K47|St K47|407"}));
}

TEST_F(SectionSqlTest, StanAdmListsSelectedWorkstationsWithoutCurrentEmployment) {
    staffStations();
    staffEmployments();
    const SectionStatements st = SectionSql::PrepareStanAdm(select({402, 401, 403, 405, 406, 407}));

    EXPECT_EQ(sorted(rows(st, "Qa1_0", {"ID"})), QStringList({"402", "407"}));
}

TEST_F(SectionSqlTest, PracAdmListsPersonsOfTheWholeDatabaseWithoutCurrentEmploymentAtAnExistingWorkstation) {
    station(501, "K51");
    station(502, "K52", kLongAgo, QDate(2024, 5, 1));
    station(503, "K53", QDate(2024, 6, 1));
    station(504, "K54");
    station(505, "K55", kLongAgo, kRun);
    person(1, "Nowak", "Jan", "80010112345");
    employment(1, 501); // employed: not listed
    person(2, "Nowak", "Adam", "80010112346");
    employment(2, 501, QDate(2024, 1, 1)); // only a finished employment
    person(3, "Kowalski", "Piotr", "75050500001");
    employment(3, 502); // employed only at a removed workstation
    person(4, QString::fromUtf8("Zając"), "Anna", "90020200002");
    person(5, QString::fromUtf8("Wiśniewska"), "Ewa", "85030300003");
    employment(5, 503); // at a workstation created after the run date
    person(6, "Lewandowski", "Jan", "70070700007");
    employment(6, 504); // never in a selection: the section has none
    person(7, "Nowak", "Adam", "70010112345");
    person(8, "Mazur", "Ola", "99090900009");
    employment(8, 502);
    employment(8, 505); // removed on the run date: the workstation still exists

    const SectionStatements st = SectionSql::PreparePracAdm();
    EXPECT_EQ(rows(st, "Qa1_1", {"NAZWISKO", "IMIE", "PESEL"}),
              QStringList({"Kowalski|Piotr|75050500001", "Nowak|Adam|70010112345", "Nowak|Adam|80010112346",
                           QString::fromUtf8("Wiśniewska|Ewa|85030300003"),
                           QString::fromUtf8("Zając|Anna|90020200002")}));
}

TEST_F(SectionSqlTest, WyborDobAndRoznDobCompareSelectionChoiceAndSafetyItems) {
    equipmentData();
    QVector<int> selected;
    for (const EquipmentCase& c : m_equipment)
        if (c.id != 608)
            selected.prepend(c.id);
    const SelectionTables s = select(selected);

    // No choice although a final selection exists; choice made but no item of the workstation.
    EXPECT_EQ(sorted(rows(SectionSql::PrepareWyborDob(s), "Qd1_0", {"ID"})), QStringList({"601"}));
    EXPECT_EQ(sorted(rows(SectionSql::PrepareRoznDob(s), "Qd1_1", {"ID"})), QStringList({"602", "605"}));
    EXPECT_EQ(rows(SectionSql::PrepareWyborDob(s), "Qd2_0", {"ID", "POZ"}),
              QStringList({"607|1", "605|3", "604|4", "603|5", "602|6", "601|7"}));
    EXPECT_EQ(rows(SectionSql::PrepareRoznDob(s), "Qd3_1", {"KOD"}),
              QStringList({"K61", "K62", "K63", "K64", "K65", "K67", "K68"}));
}

TEST_F(SectionSqlTest, PrzetBhpListsCurrentPeriodicItemsWithAnExpiredEntry) {
    safetyData();
    const SectionStatements st =
        SectionSql::PreparePrzetBhp(select({810, 809, 808, 807, 806, 805, 804, 803, 802, 801}));

    const QStringList groups = rows(st, "Qb1_0", {"NAZWA", "IDLISTY", "IDRODZSTRUKT"});
    EXPECT_EQ(groups, QStringList({"Kaski|702|0", QString::fromUtf8("Rękawice|701|700"), "Szelki|708|0"}));
    // The entry valid until the run date and the zero date count as expired.
    EXPECT_EQ(ofPeriodicGroups(rows(st, "Qb2_0", {"ID", "POZ", "IDLISTY"})),
              QStringList({"804|7|708", "803|8|702", "802|9|701", "801|10|701"}));
    EXPECT_EQ(ofPeriodicGroups(rows(st, "Qb3_0", {"KOD", "ID", "IDLISTY"})),
              QStringList({"K81|801|701", "K82|802|701", "K83|803|702", "K84|804|708", "K8B|811|705"}));
}

TEST_F(SectionSqlTest, AktualBhpListsItemsNotRemovedByTheRunDateWithAnUndatedEntry) {
    safetyData();
    const SectionStatements st =
        SectionSql::PrepareAktualBhp(select({810, 809, 808, 807, 806, 805, 804, 803, 802, 801}));

    EXPECT_EQ(rows(st, "Qb1_1", {"NAZWA", "IDLISTY", "IDRODZSTRUKT"}),
              QStringList({"Fartuchy|706|0", "Kaski|702|0", "Szelki|708|0"}));
    EXPECT_EQ(ofPeriodicGroups(rows(st, "Qb2_1", {"ID", "POZ", "IDLISTY"})),
              QStringList({"806|5|706", "805|6|702", "804|7|708"}));
    EXPECT_EQ(ofPeriodicGroups(rows(st, "Qb3_1", {"KOD", "ID", "IDLISTY"})),
              QStringList({"K84|804|708", "K85|805|702", "K86|806|706", "K8B|811|705"}));
}

TEST_F(SectionSqlTest, IdTableGivesTheSameRowsAsTheInlineList) {
    czynnRyzData();
    termRyzData();
    srodRyzData();
    staffStations();
    staffEmployments();
    equipmentData();
    safetyData();
    QVector<int> entries;
    SqlQuery all(m_db);
    all.prepare(QStringLiteral("SELECT Id FROM OStrukt ORDER BY Kod DESC"));
    for (all.open(); !all.eof(); all.next()) {
        entries << all.fieldInt("ID");
        if (entries.size() % 7 == 0)
            entries << 0; // leaves that are not workstations
    }
    all.close();
    const SelectionTables inlined = select(entries, true);
    const SelectionTables viaId = throughIdTable(inlined);

    const QStringList columns[] = {
        {"NAZWA", "ID", "IDCZYNN"},
        {"NAZWA", "ID", "IDCZYNN"},
        {"ID"},
        {},
        {"ID"},
        {"ID"},
        {"ID"},
        {"NAZWA", "IDLISTY", "IDRODZSTRUKT"},
        {"NAZWA", "IDLISTY", "IDRODZSTRUKT"},
    };
    for (const SectionDescription& d : Sections::all()) {
        const int i = d.index;
        if (!d.usesSelection)
            continue;
        const SectionStatements a = d.statements(inlined);
        const SectionStatements b = d.statements(viaId);
        const std::string section = d.name.toStdString();
        const QStringList items = rows(a, a.queries[0].name, columns[i]);
        EXPECT_FALSE(items.isEmpty()) << section;
        EXPECT_EQ(sorted(rows(b, b.queries[0].name, columns[i])), sorted(items)) << section;
        const QStringList structureColumns = i >= 7   ? QStringList{"ID", "POZ", "IDLISTY"}
                                             : i <= 1 ? QStringList{"ID", "POZ", "IDCZYNN"}
                                                      : QStringList{"ID", "POZ"};
        EXPECT_EQ(sorted(rows(b, b.queries[1].name, structureColumns)),
                  sorted(rows(a, a.queries[1].name, structureColumns)))
            << section;
    }
}

} // namespace
