#include "EngineTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using EngineTest::summaryProject;

const QStringList SectionOrder{"CzynnRyz", "TermRyz", "StanAdm",  "PracAdm",  "SrodRyz",
                               "WyborDob", "RoznDob", "PrzetBhp", "AktualBhp"};

TEST(SummaryProjectTest, ListsTheNineSectionsInTheDriversOrder) {
    EXPECT_EQ(summaryProject().reportNames(), SectionOrder);
    EXPECT_THROW(summaryProject().createReport("Nieznany"), ReportEngineError);
}

// With every connection empty a section prints its title band alone, word for word.
TEST(SummaryProjectTest, EmptySectionsPrintExactlyTheirTitles) {
    struct Case {
        const char* section;
        const char* titleBand;
        QStringList lines;
    };
    const Case cases[] = {
        {"CzynnRyz", "DVCzynnTitleBand", {"Wykaz czynników nie mierzonych"}},
        {"TermRyz", "DVCzynnTitleBand", {"Wykaz planu pomiarów czynników w najblizszym pólroczu"}},
        {"StanAdm", "DVCzynnTitleBand", {"Wykaz stanowisk, na których nikt nie jest zatrudniony"}},
        {"PracAdm", "DVOsobStanTitleBand", {"Wykaz osób nigdzie nie zatrudnionych"}},
        {"SrodRyz",
         "DVCzynnTitleBand",
         {"Wykaz stanowisk, na których stwierdzono brak danych",
          "o srodkach ochrony indywidualnej i profilaktyce",
          "pomimo faktu, iz ocena ryzyka zawodowego jest duza"}},
        {"WyborDob",
         "DVCzynnTitleBand",
         {"Wykaz stanowisk, dla których nie dokonano wyboru", "srodków ochrony indywidualnej"}},
        {"RoznDob",
         "DVCzynnTitleBand",
         {"Wykaz stanowisk, dla których wystepuja róznice w zastosowanych",
          "srodkach ochrony indywidualnej pomiedzy modulami DOBÓR i BHP"}},
        {"PrzetBhp", "DVCzynnTitleBand", {"Wykaz przeterminowanych srodków BHP "}},
        {"AktualBhp", "DVCzynnTitleBand", {"Wykaz srodków BHP bez aktualnej daty waznosci"}},
    };
    for (const Case& c : cases) {
        Report report = summaryProject().createReport(c.section);
        MemoryRowSet empty({});
        for (const QString& connection : report.connectionNames())
            report.setConnection(connection, &empty);
        const QVector<PrintedBand> bands = report.executeToRecord();
        ASSERT_EQ(bands.size(), 1) << c.section;
        EXPECT_EQ(bands[0].band, c.titleBand) << c.section;
        QStringList texts;
        for (const auto& t : bands[0].texts)
            texts << t.second;
        EXPECT_EQ(texts, c.lines) << c.section;
    }
}

// The names through which the report generator drives each section.
TEST(SummaryProjectTest, SectionsCarryTheConnectionsComponentsAndBandsTheDriverUses) {
    struct Case {
        const char* section;
        QStringList connections;
        QStringList bands;
        bool label;     // lOpisElemStrukt beside the location memo
        bool groupMemo; // NazwaSrodGr instead of a factor name
    };
    const QStringList levels{"DVCzynnTitleBand", "DVCzynnDataBand", "DVStruktDataBand", "DVStanBand",
                             "DVStanDataBand"};
    const QStringList headed = levels + QStringList{"DVStruktBand"};
    const Case cases[] = {
        {"CzynnRyz", {"RvQr1_0Conn1", "RvQr2_0Conn2", "RvQr3_0Conn3"}, headed, false, false},
        {"TermRyz", {"RvQr1_1Conn1", "RvQr2_1Conn2", "RvQr3_1Conn3"}, headed, false, false},
        {"StanAdm", {"RvQa1_0Conn1", "RvQa2_0Conn2", "RvQa3_0Conn3"}, levels, true, false},
        {"PracAdm",
         {"RvQa1_1Conn1"},
         {"DVOsobStanTitleBand", "DVOsobStanBand", "DVOsobStanDataBand"},
         false,
         false},
        {"SrodRyz", {"RvQr1_2Conn1", "RvQr2_2Conn2", "RvQr3_2Conn3"}, levels, true, false},
        {"WyborDob", {"RvQd1_0Conn1", "RvQd2_0Conn2", "RvQd3_0Conn3"}, levels, true, false},
        {"RoznDob", {"RvQd1_1Conn1", "RvQd2_1Conn2", "RvQd3_1Conn3"}, levels, true, false},
        {"PrzetBhp", {"RvQb1_0Conn1", "RvQb2_0Conn2", "RvQb3_0Conn3"}, headed, false, true},
        {"AktualBhp", {"RvQb1_1Conn1", "RvQb2_1Conn2", "RvQb3_1Conn3"}, headed, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        Report report = summaryProject().createReport(c.section);
        EXPECT_EQ(report.pageName(), QString::fromLatin1(c.section) + ".MainPage");
        EXPECT_EQ(report.connectionNames(), c.connections);
        for (const QString& band : c.bands)
            EXPECT_NO_THROW(report.setBandVisible(band, true)) << band.toStdString();
        const bool structured = QLatin1String(c.section) != QLatin1String("PracAdm");
        EXPECT_EQ(report.hasComponent("OpisElemStrukt"), structured);
        EXPECT_EQ(report.hasComponent("lOpisElemStrukt"), c.label);
        if (c.label) {
            EXPECT_EQ(report.componentText("lOpisElemStrukt"), "Umiejscowienie:");
        }
        EXPECT_EQ(report.hasComponent("NazwaSrodGr"), c.groupMemo);
        EXPECT_EQ(report.hasComponent("TERMNASTBAD"), QLatin1String(c.section) == QLatin1String("TermRyz"));
    }
}

// A minimal valid project and single edits of it that must each be refused.
TEST(ReportProjectTest, RefusesMalformedProjects) {
    const QByteArray valid = R"({
 "page": {"width": 8.5, "height": 11, "region": {"left": 1, "top": 1, "width": 6.5, "height": 9}},
 "reports": [{"name": "R",
  "dataViews": [{"name": "A", "connection": "C1", "fields": ["ID"]},
                {"name": "B", "connection": "C2", "fields": ["ID", "X"], "master": "A", "keys": ["ID"]}],
  "bands": [{"name": "T", "kind": "title", "height": 0.3,
             "components": [{"name": "t", "kind": "text", "width": 1, "font": {"family": "Arial"}, "text": "x"}]},
            {"name": "H", "kind": "header", "for": "D", "height": 0.2},
            {"name": "D", "kind": "detail", "dataView": "B", "height": 0.2,
             "components": [{"name": "f", "kind": "field", "width": 1, "font": {"family": "Arial"}, "field": "X"}]}]}]})";
    ASSERT_EQ(ReportProject::fromJson(valid).reportNames(), QStringList{"R"});

    struct Case {
        const char* from;
        const char* to;
        const char* why;
    };
    const Case cases[] = {
        {R"("reports")", R"("raports")", "misspelt top-level key"},
        {R"("height": 0.3,)", R"("height": 0.3, "colour": 1,)", "unknown band key"},
        {R"("keys": ["ID"])", R"("keys": ["X"])", "key field missing in the master"},
        {R"("master": "A")", R"("master": "Z")", "unknown master"},
        {R"("master": "A", "keys": ["ID"])", R"("master": "A")", "child without keys"},
        {R"("field": "X")", R"("field": "Y")", "field not in the data view"},
        {R"("name": "H")", R"("name": "T")", "duplicate band"},
        {R"("connection": "C2")", R"("connection": "c1")", "duplicate connection"},
        {R"("for": "D")", R"("for": "T")", "header of a title band"},
        {R"("dataView": "B")", R"("dataView": "Z")", "detail of an unknown view"},
        {R"("kind": "text")", R"("kind": "computed")", "computed text inside a band"},
        {R"("kind": "text")", R"("kind": "picture")", "unknown component kind"},
        {R"("font": {"family": "Arial"}, "text")", R"("text")", "text without a font"},
        {R"("width": 6.5)", R"("width": 8)", "region wider than the page"},
        {R"("height": 0.2,)", R"("height": -1,)", "negative height"},
        {R"(]}]})", R"(]}])", "truncated JSON"},
    };
    for (const Case& c : cases) {
        QByteArray json = valid;
        ASSERT_TRUE(json.contains(c.from)) << c.why;
        json.replace(json.indexOf(c.from), qstrlen(c.from), c.to);
        EXPECT_THROW(ReportProject::fromJson(json), ReportEngineError) << c.why;
    }
    EXPECT_THROW(ReportProject::fromFile("/nonexistent/summary.json"), ReportEngineError);
}

} // namespace
