#include "AppContext.h"
#include "DbEngine.h"
#include "SectionReport.h"
#include "SqlQuery.h"
#include "StructureLookup.h"
#include "StructureTree.h"
#include "TemporaryTables.h"
#include "TestSupport.h"
#include "TextRules.h"
#include "TfrmRaport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kolmrap;

namespace {

const QDate kRunDate(2026, 12, 10);

class StructureTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = TestSupport::createDatabase(m_dir.path());
        m_db = DbEngine::openServerName(path, "structure");
    }
    void TearDown() override {
        m_db = QSqlDatabase();
        DbEngine::closeConnection("structure");
    }
    // id, parent, level, kind, short name, code, removed flag, created, removed on
    void node(int id, int parent, int level, int kind, const QString& name, const QString& code,
              int removed = 0, const QString& created = "2020-01-01", const QString& removedOn = "NULL") {
        SqlQuery::executeDirect(
            m_db, QStringLiteral("INSERT INTO OSTRUKT (ID, IDRODZSTRUKT, NRPOZ, TYPSTRUKT, NAZWA, "
                                 "SKROTNAZWA, KOD, USUNIETY, DATAUTW, DATAUSUN) VALUES "
                                 "(%1, %2, %3, %4, '%5', '%5', '%6', %7, '%8', %9)")
                      .arg(id)
                      .arg(parent)
                      .arg(level)
                      .arg(kind)
                      .arg(name, code)
                      .arg(removed)
                      .arg(created, removedOn == "NULL" ? removedOn : "'" + removedOn + "'"));
    }
    QString selection(bool byCode) {
        StructureTree tree;
        tree.LoadStructureTree(m_db, kRunDate, byCode);
        return tree.SelectedWorkstations();
    }
    QTemporaryDir m_dir;
    QSqlDatabase m_db;
};

TEST_F(StructureTest, EmptyStructureGivesAnEmptyList) {
    EXPECT_EQ(selection(false), "");
}

TEST_F(StructureTest, SelectionOrderLeavesAndValidity) {
    // Two top-level units: the later one in the tree comes first in the list.
    node(1, 0, 0, 0, "A zakład", "01");
    node(2, 0, 0, 0, "B biuro", "02");
    node(10, 1, 1, 0, "Produkcja", "01.2");
    node(11, 1, 1, 0, "Magazyn", "01.1");
    node(100, 10, 2, 1, "Tokarz", "01.2.2");
    node(101, 10, 2, 1, "Frezer", "01.2.1");
    node(102, 11, 2, 0, "Pusty dział", "01.1.1"); // a leaf that is not a workstation: "0"
    node(103, 11, 2, 1, "Magazynier", "01.1.2");
    node(104, 103, 3, 1, "Pomocnik magazyniera",
         "01.1.2.1"); // a workstation with a child: only the child counts
    node(20, 2, 1, 1, "Księgowa", "02.1");
    node(21, 2, 1, 1, "Przyszła", "02.2", 0, "2027-01-01");               // not yet created
    node(22, 2, 1, 1, "Usunięta", "02.3", 1, "2020-01-01", "2026-12-10"); // removed on the run date
    node(23, 2, 1, 1, "Do usunięcia", "02.4", 1, "2020-01-01", "2026-12-11");
    node(24, 21, 2, 1, "Pod przyszłą", "02.2.1"); // its parent is missing
    node(25, 2, 1, 1, "Usunięta flaga bez daty", "02.5", 1);

    EXPECT_EQ(selection(true), "20,23,0,104,101,100");
    EXPECT_EQ(selection(false), "23,20,104,0,101,100");
}

TEST_F(StructureTest, PathsWalkUpToTheTop) {
    node(1, 0, 0, 0, "Zakład", "01");
    node(10, 1, 1, 0, "Dział Łódź", "01.1");
    node(100, 10, 2, 1, "Spawacz", "01.1.1");
    node(200, 99, 1, 1, "Sierota", "09");
    // Damaged data: two nodes that are each other's parent.
    node(300, 301, 1, 1, "Pętla A", "10");
    node(301, 300, 1, 1, "Pętla B", "11");
    SqlQuery::executeDirect(
        m_db,
        "INSERT INTO BHPGRUPY (ID, IDRODZSTRUKT, NAZWA, TYPSTRUKT, OKRESOWE) VALUES (1, 0, 'Odzież', 0, 0)");
    SqlQuery::executeDirect(
        m_db,
        "INSERT INTO BHPGRUPY (ID, IDRODZSTRUKT, NAZWA, TYPSTRUKT, OKRESOWE) VALUES (2, 1, 'Obuwie', 1, 1)");
    StructureLookup lookup(m_db);
    EXPECT_EQ(lookup.StructurePath(100), QString::fromUtf8("Zakład\rDział Łódź\rSpawacz\r"));
    EXPECT_EQ(lookup.StructurePath(1), QString::fromUtf8("Zakład\r"));
    EXPECT_EQ(lookup.StructurePath(200), "\rSierota\r");
    EXPECT_EQ(lookup.StructurePath(7), "\r");
    EXPECT_EQ(lookup.StructurePath(300), QString::fromUtf8("\rPętla B\rPętla A\r"))
        << "a cycle ends the walk";
    EXPECT_EQ(lookup.GroupPath(2), QString::fromUtf8("Odzież  |  Obuwie  |  "));
    EXPECT_EQ(lookup.GroupPath(0), "  |  ");

    EXPECT_EQ(StructureLookup::locationText(lookup.StructurePath(100)),
              QString::fromUtf8("Zakład\r    Dział Łódź\r"));
    EXPECT_EQ(StructureLookup::locationText(lookup.StructurePath(1)), "");
    EXPECT_EQ(StructureLookup::locationText("\r"), "");
}

TEST(TextRulesTest, PolishLettersBecomePlainExceptO) {
    EXPECT_EQ(StripPolishLetters(QString::fromUtf8("ĄĆĘŁŃŚŹŻąćęłńśźż Óó")),
              QString::fromUtf8("ACELNSZZacelnszz Óó"));
    EXPECT_EQ(StripPolishLetters(QString::fromUtf8("Łódź")), QString::fromUtf8("Lódz"));
    EXPECT_EQ(StripPolishLetters(""), "");
}

} // namespace

namespace {

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = TestSupport::createDatabase(m_dir.path());
        TestSupport::writeFile(m_dir.filePath("brel.ini"), "[Database]\nAliasName=firma\n");
        TestSupport::addAlias(m_dir.path(), "firma", path);
        m_app = std::make_unique<AppContext>(m_dir.path(), QStringList(), m_messages);
    }
    void TearDown() override { m_app.reset(); }
    // Workstations 1..count under one unit.
    void workstations(int count) {
        const QSqlDatabase db = m_app->karty().GetDatabase();
        SqlQuery::executeDirect(
            db, "INSERT INTO OSTRUKT (ID, IDRODZSTRUKT, NRPOZ, TYPSTRUKT, SKROTNAZWA, KOD, USUNIETY, "
                "DATAUTW) VALUES (100000, 0, 0, 0, 'Zakład', '0', 0, '2020-01-01')");
        for (int i = 1; i <= count; ++i)
            SqlQuery::executeDirect(
                db, QStringLiteral("INSERT INTO OSTRUKT (ID, IDRODZSTRUKT, NRPOZ, TYPSTRUKT, "
                                   "SKROTNAZWA, KOD, USUNIETY, DATAUTW) VALUES (%1, 100000, 1, 1, "
                                   "'S%1', '%2', 0, '2020-01-01')")
                        .arg(i)
                        .arg(i, 5, 10, QLatin1Char('0')));
    }
    QList<QPair<int, int>> rows(const QString& sql) {
        QList<QPair<int, int>> out;
        SqlQuery q(m_app->karty().GetDatabase());
        q.prepare(sql);
        q.open();
        for (; !q.eof(); q.next())
            out << qMakePair(q.fieldInt("A"), q.fieldInt("B"));
        return out;
    }
    QTemporaryDir m_dir;
    ScriptedMessages m_messages;
    std::unique_ptr<AppContext> m_app;
};

TEST_F(SelectionTest, ListsUpTo401EntriesGoInlineLongerOnesThroughTheIdTable) {
    for (const int count : {401, 402, 1200}) {
        SqlQuery::executeDirect(m_app->karty().GetDatabase(), "DELETE FROM OSTRUKT");
        workstations(count);
        const QSqlDatabase db = m_app->karty().GetDatabase();
        TfrmRaport form(*m_app);
        form.tree().LoadStructureTree(db, kRunDate, true);
        TemporaryTables::prepareDatabase(db);
        TemporaryTables tables(db);
        const SelectionTables s = tables.fill(form.tree().SelectedWorkstations());
        EXPECT_EQ(s.idTableUsed, count > 401) << count;
        if (count > 401) {
            EXPECT_EQ(s.clause, QStringLiteral(" OStrukt.Id = KOLMRAP_ID.IdPom AND "));
            EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) AS A, MIN(IdPom) AS B FROM KOLMRAP_ID")),
                      (QList<QPair<int, int>>{{count, 1}}));
        } else {
            EXPECT_TRUE(s.clause.startsWith(" OStrukt.Id IN ( 1,2,3,")) << s.clause.left(40).toStdString();
        }
        // Positions follow the list: by code here, so workstation i is at position i.
        const auto positions =
            rows(QStringLiteral("SELECT Id AS A, Poz AS B FROM %1 ORDER BY Poz").arg(s.positionTable));
        ASSERT_EQ(positions.size(), count);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(positions[i], qMakePair(i + 1, i + 1));
    }
}

TEST_F(SelectionTest, EmptyStructureSelectsNothing) {
    const QSqlDatabase db = m_app->karty().GetDatabase();
    TfrmRaport form(*m_app);
    form.tree().LoadStructureTree(db, kRunDate, false);
    TemporaryTables::prepareDatabase(db);
    TemporaryTables tables(db);
    const SelectionTables s = tables.fill(form.tree().SelectedWorkstations());
    EXPECT_EQ(s.clause, " OStrukt.Id IN ( -1 ) AND ");
    EXPECT_FALSE(s.idTableUsed);
    EXPECT_TRUE(rows("SELECT Id AS A, Poz AS B FROM KOLMRAP_POZ").isEmpty());
}

} // namespace
