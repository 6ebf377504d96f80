#include "DbEngine.h"
#include "SectionReport.h"
#include "SqlQuery.h"
#include "StructureLookup.h"
#include "StructureTree.h"
#include "TestSupport.h"
#include "TextRules.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    void node(int id, int parent, int level, int kind, const QString& name, const QString& code, int removed = 0,
              const QString& created = "2020-01-01", const QString& removedOn = "NULL") {
        SqlQuery::executeDirect(m_db, QStringLiteral("INSERT INTO OSTRUKT (ID, IDRODZSTRUKT, NRPOZ, TYPSTRUKT, NAZWA, "
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

TEST_F(StructureTest, EmptyStructureGivesAnEmptyList) { EXPECT_EQ(selection(false), ""); }

TEST_F(StructureTest, SelectionOrderLeavesAndValidity) {
    // Two top-level units: the later one in the tree comes first in the list.
    node(1, 0, 0, 0, "A zakład", "01");
    node(2, 0, 0, 0, "B biuro", "02");
    node(10, 1, 1, 0, "Produkcja", "01.2");
    node(11, 1, 1, 0, "Magazyn", "01.1");
    node(100, 10, 2, 1, "Tokarz", "01.2.2");
    node(101, 10, 2, 1, "Frezer", "01.2.1");
    node(102, 11, 2, 0, "Pusty dział", "01.1.1");    // a leaf that is not a workstation: "0"
    node(103, 11, 2, 1, "Magazynier", "01.1.2");
    node(104, 103, 3, 1, "Pomocnik magazyniera", "01.1.2.1"); // a workstation with a child: only the child counts
    node(20, 2, 1, 1, "Księgowa", "02.1");
    node(21, 2, 1, 1, "Przyszła", "02.2", 0, "2027-01-01");          // not yet created
    node(22, 2, 1, 1, "Usunięta", "02.3", 1, "2020-01-01", "2026-12-10"); // removed on the run date
    node(23, 2, 1, 1, "Do usunięcia", "02.4", 1, "2020-01-01", "2026-12-11");
    node(24, 21, 2, 1, "Pod przyszłą", "02.2.1");                  // its parent is missing
    node(25, 2, 1, 1, "Usunięta flaga bez daty", "02.5", 1);

    EXPECT_EQ(selection(true), "20,23,0,104,101,100");
    EXPECT_EQ(selection(false), "23,20,104,0,101,100");
}

TEST_F(StructureTest, PathsWalkUpToTheTop) {
    node(1, 0, 0, 0, "Zakład", "01");
    node(10, 1, 1, 0, "Dział Łódź", "01.1");
    node(100, 10, 2, 1, "Spawacz", "01.1.1");
    node(200, 99, 1, 1, "Sierota", "09");
    SqlQuery::executeDirect(m_db, "INSERT INTO BHPGRUPY (ID, IDRODZSTRUKT, NAZWA, TYPSTRUKT, OKRESOWE) VALUES (1, 0, 'Odzież', 0, 0)");
    SqlQuery::executeDirect(m_db, "INSERT INTO BHPGRUPY (ID, IDRODZSTRUKT, NAZWA, TYPSTRUKT, OKRESOWE) VALUES (2, 1, 'Obuwie', 1, 1)");
    StructureLookup lookup(m_db);
    EXPECT_EQ(lookup.StructurePath(100), QString::fromUtf8("Zakład\rDział Łódź\rSpawacz\r"));
    EXPECT_EQ(lookup.StructurePath(1), QString::fromUtf8("Zakład\r"));
    EXPECT_EQ(lookup.StructurePath(200), "\rSierota\r");
    EXPECT_EQ(lookup.StructurePath(7), "\r");
    EXPECT_EQ(lookup.GroupPath(2), QString::fromUtf8("Odzież  |  Obuwie  |  "));
    EXPECT_EQ(lookup.GroupPath(0), "  |  ");

    EXPECT_EQ(StructureLookup::locationText(lookup.StructurePath(100)), QString::fromUtf8("Zakład\r    Dział Łódź\r"));
    EXPECT_EQ(StructureLookup::locationText(lookup.StructurePath(1)), "");
    EXPECT_EQ(StructureLookup::locationText("\r"), "");
}

TEST(TextRulesTest, PolishLettersBecomePlainExceptO) {
    EXPECT_EQ(StripPolishLetters(QString::fromUtf8("ĄĆĘŁŃŚŹŻąćęłńśźż Óó")), QString::fromUtf8("ACELNSZZacelnszz Óó"));
    EXPECT_EQ(StripPolishLetters(QString::fromUtf8("Łódź")), QString::fromUtf8("Lódz"));
    EXPECT_EQ(StripPolishLetters(""), "");
}

} // namespace
