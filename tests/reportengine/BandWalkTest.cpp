#include "EngineTestSupport.h"
#include "TestSupport.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

using EngineTest::describe;
using EngineTest::summaryProject;

// CzynnRyz fed with three levels: items keyed to structure rows by IDCZYNN, structure rows to
// workstation rows by IDCZYNN and ID; rows that match nothing are left out.
class FactorWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_report.setConnection("RvQr1_0Conn1", &m_items);
        m_report.setConnection("RvQr2_0Conn2", &m_structure);
        m_report.setConnection("RvQr3_0Conn3", &m_stations);
        m_report.setRowHandler("RvQr1_0Conn1", [this] {
            m_calls << QStringLiteral("item %1 (structure at %2)")
                           .arg(m_report.currentRow("RvQr1_0Conn1"))
                           .arg(m_report.currentRow("RvQr2_0Conn2"));
        });
        m_report.setRowHandler("RvQr2_0Conn2", [this] {
            const int row = m_report.currentRow("RvQr2_0Conn2");
            m_calls << QStringLiteral("structure %1").arg(row);
            m_report.setComponentText("OpisElemStrukt", "Wydzial " + m_structure.value(row, "ID").toString());
        });
        m_report.setRowHandler("RvQr3_0Conn3", [this] {
            m_calls << QStringLiteral("station %1").arg(m_report.currentRow("RvQr3_0Conn3"));
        });
    }

    Report m_report = summaryProject().createReport("CzynnRyz");
    MemoryRowSet m_items{
        {"ID", "IDCZYNN", "NAZWA"},
        {{1, 10, "Halas"}, {2, 20, "Pyl"}, {3, 30, "Wibracje"}, {4, QVariant(), "Bez klucza"}}};
    MemoryRowSet m_structure{{"ID", "IDCZYNN"},
                             {{100, 10}, {200, 10}, {100, 20}, {300, 99}, {400, QVariant()}}};
    MemoryRowSet m_stations{{"SKROTNAZWA", "KOD", "ID", "IDCZYNN"},
                            {{"Tokarz", "K100", 100, 10},
                             {"Spawacz", "K200", 200, 10},
                             {"Tokarz B", "K100", 100, 20},
                             {"Frezer", "K101", 100, 10},
                             {"Obcy", "K300", 300, 10}}};
    QStringList m_calls;
};

TEST_F(FactorWalkTest, ChildRowsFollowTheirParentWithHeadersBeforeTheFirstChild) {
    const QVector<PrintedBand> bands = m_report.executeToRecord();
    EXPECT_EQ(describe(bands), (QStringList{
                                   "DVCzynnTitleBand: Wykaz czynników nie mierzonych",
                                   "DVCzynnDataBand: Czynnik: | Halas",
                                   "DVStruktBand: Umiejscowienie:",
                                   "DVStruktDataBand: Wydzial 100",
                                   "DVStanBand: Stanowisko:",
                                   "DVStanDataBand: K100 | Tokarz",
                                   "DVStanDataBand: K101 | Frezer",
                                   "DVStruktDataBand: Wydzial 200",
                                   "DVStanBand: Stanowisko:",
                                   "DVStanDataBand: K200 | Spawacz",
                                   "DVCzynnDataBand: Czynnik: | Pyl",
                                   "DVStruktBand: Umiejscowienie:",
                                   "DVStruktDataBand: Wydzial 100",
                                   "DVStanBand: Stanowisko:",
                                   "DVStanDataBand: K100 | Tokarz B",
                                   "DVCzynnDataBand: Czynnik: | Wibracje",
                                   "DVCzynnDataBand: Czynnik: | Bez klucza",
                               }));
    // Data bands name their view and row; title and header bands stand on no row.
    EXPECT_EQ(bands[1].dataView, "DVCzynn");
    EXPECT_EQ(bands[1].row, 0);
    EXPECT_EQ(bands[2].dataView, "");
    EXPECT_EQ(bands[2].row, -1);
    EXPECT_EQ(bands[6].dataView, "DVStan");
    EXPECT_EQ(bands[6].row, 3);
    EXPECT_EQ(bands[1].texts.value(1), (QPair<QString, QString>("NAZWA", "Halas")));

    // Each row's handler runs before that row's bands and before its children; a connection
    // stays on the last row it read, and stands on its first row before it is read at all.
    EXPECT_EQ(m_calls, (QStringList{"item 0 (structure at 0)", "structure 0", "station 0", "station 3",
                                    "structure 1", "station 1", "item 1 (structure at 1)", "structure 2",
                                    "station 2", "item 2 (structure at 2)", "item 3 (structure at 2)"}));
}

TEST_F(FactorWalkTest, HiddenBandsPrintNothingAndTheirHeadersWaitUntilShown) {
    // The structure handler hides the location and its workstations for structure id 100, as the
    // expired-items rule does; the header of the location band then prints before the first
    // location that is shown.
    m_report.setRowHandler("RvQr2_0Conn2", [this] {
        const int row = m_report.currentRow("RvQr2_0Conn2");
        const bool shown = m_structure.value(row, "ID").toInt() != 100;
        for (const char* band : {"DVStruktBand", "DVStruktDataBand", "DVStanBand", "DVStanDataBand"})
            m_report.setBandVisible(band, shown);
        m_report.setComponentText("OpisElemStrukt", "Wydzial " + m_structure.value(row, "ID").toString());
    });
    m_report.setRowHandler("RvQr1_0Conn1", [this] {
        m_report.setBandVisible("DVCzynnDataBand", m_report.currentRow("RvQr1_0Conn1") != 1);
    });
    EXPECT_EQ(describe(m_report.executeToRecord()), (QStringList{
                                                        "DVCzynnTitleBand: Wykaz czynników nie mierzonych",
                                                        "DVCzynnDataBand: Czynnik: | Halas",
                                                        "DVStruktBand: Umiejscowienie:",
                                                        "DVStruktDataBand: Wydzial 200",
                                                        "DVStanBand: Stanowisko:",
                                                        "DVStanDataBand: K200 | Spawacz",
                                                        "DVCzynnDataBand: Czynnik: | Wibracje",
                                                        "DVCzynnDataBand: Czynnik: | Bez klucza",
                                                    }));

    // A hidden header alone leaves its data rows printing; a hidden title prints nothing.
    m_report.setRowHandler("RvQr1_0Conn1", {});
    m_report.setRowHandler("RvQr2_0Conn2", {});
    m_report.setBandVisible("DVStruktBand", false);
    m_report.setBandVisible("DVStruktDataBand", false);
    m_report.setBandVisible("DVStanBand", false);
    m_report.setBandVisible("DVStanDataBand", true);
    m_report.setBandVisible("dvczynntitleband", false); // band names ignore letter case
    const QStringList lines = describe(m_report.executeToRecord());
    EXPECT_EQ(lines.mid(0, 4),
              (QStringList{"DVCzynnDataBand: Czynnik: | Halas", "DVStanDataBand: K100 | Tokarz",
                           "DVStanDataBand: K101 | Frezer", "DVStanDataBand: K200 | Spawacz"}));
}

// Data fields print as the PDF shows them: dates as yyyy-MM-dd, numbers without needless
// decimals, NULL as nothing.
TEST(BandWalkTest, DataFieldsAreFormattedAsPrinted) {
    Report report = summaryProject().createReport("TermRyz");
    MemoryRowSet items({"ID", "IDCZYNN", "NAZWA"}, {{1, 5, "Oswietlenie"}});
    MemoryRowSet structure({"ID", "IDCZYNN"}, {{7, 5}});
    MemoryRowSet stations({"SKROTNAZWA", "KOD", "ID", "IDCZYNN", "TERMNASTBAD"},
                          {{"Biuro", 12, 7, 5, QDate(2024, 11, 3)},
                           {"Hala", 2.5, 7, 5, QDateTime(QDate(2024, 12, 31), QTime(13, 45))},
                           {QVariant(), "K-3", 7.0, 5, QVariant()}});
    report.setConnection("RvQr1_1Conn1", &items);
    report.setConnection("RvQr2_1Conn2", &structure);
    report.setConnection("RvQr3_1Conn3", &stations);
    const QStringList lines = describe(report.executeToRecord());
    EXPECT_EQ(lines.mid(lines.size() - 3),
              (QStringList{"DVStanDataBand: 12 | Biuro | 2024-11-03",
                           "DVStanDataBand: 2.5 | Hala | 2024-12-31", "DVStanDataBand: K-3 |  | "}));
}

TEST(BandWalkTest, RefusesUnknownNamesAndMissingData) {
    Report report = summaryProject().createReport("PrzetBhp");
    EXPECT_THROW(report.setConnection("RvQr1_0Conn1", nullptr), ReportEngineError);
    EXPECT_THROW(report.setRowHandler("Brak", [] {}), ReportEngineError);
    EXPECT_THROW(report.setComponentText("Brak", "x"), ReportEngineError);
    EXPECT_THROW(report.setComponentText("KOD", "x"), ReportEngineError); // a data field
    EXPECT_THROW(report.setBandVisible("Brak", false), ReportEngineError);
    EXPECT_THROW(report.componentText("Brak"), ReportEngineError);
    EXPECT_FALSE(report.hasComponent("Brak"));

    report.setComponentText("nazwasrodgr", "Kaski [Ochrony  |  ]");
    EXPECT_EQ(report.componentText("NazwaSrodGr"), "Kaski [Ochrony  |  ]");

    MemoryRowSet empty({});
    report.setConnection("RvQb1_0Conn1", &empty);
    report.setConnection("RvQb2_0Conn2", &empty);
    try {
        report.executeToRecord();
        FAIL() << "a connection without rows was accepted";
    } catch (const ReportEngineError& e) {
        EXPECT_TRUE(e.text().contains("RvQb3_0Conn3")) << e.text().toStdString();
    }
}

// An error of a row handler ends the run and reaches the caller as it was raised.
TEST(BandWalkTest, HandlerErrorsPassThrough) {
    struct DatabaseError : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    Report report = summaryProject().createReport("PracAdm");
    MemoryRowSet persons({"NAZWISKO", "IMIE", "PESEL"}, {{"Nowak", "Jan", "1"}, {"Kowal", "Ewa", "2"}});
    report.setConnection("RvQa1_1Conn1", &persons);
    int calls = 0;
    report.setRowHandler("RvQa1_1Conn1", [&] {
        if (++calls == 2)
            throw DatabaseError("lock conflict");
    });
    EXPECT_THROW(report.executeToRecord(), DatabaseError);
    EXPECT_EQ(calls, 2);
}

} // namespace
