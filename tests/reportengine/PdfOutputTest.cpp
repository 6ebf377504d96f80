#include "EngineTestSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using namespace EngineTest;

const QDate RunDate(2024, 5, 17);

// Lines of a page's text without blank lines.
QStringList lines(const QString& page) {
    QStringList out;
    for (const QString& line : page.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            out << line;
    return out;
}

// The printed body of a page: its lines without the date at the top and the counter at the foot.
QStringList body(const QString& page) {
    QStringList out = lines(page);
    if (!out.isEmpty() && out.first().trimmed() == RunDate.toString(Qt::ISODate))
        out.removeFirst();
    if (!out.isEmpty() && out.last().trimmed().startsWith("Str. "))
        out.removeLast();
    return out;
}

class PdfOutputTest : public ::testing::Test {
protected:
    QString pdf(const QString& name = QStringLiteral("raport.pdf")) const { return m_dir.filePath(name); }

    // Renders and checks what every PDF of the engine must have: the page count reported is
    // the file's, every page is US Letter with the date and its own "Str. N / M", and every
    // font is embedded. Returns the text of each page.
    QStringList render(Report& report) {
        report.setRunDate(RunDate);
        report.executeToPdf(pdf());
        const QStringList pages = pageTexts(pdf());
        const int count = report.lastPageCount();
        EXPECT_EQ(pdfInfo(pdf(), "Pages"), QString::number(count));
        EXPECT_TRUE(pdfInfo(pdf(), "Page size").startsWith("612 x 792 pts"))
            << pdfInfo(pdf(), "Page size").toStdString();
        EXPECT_EQ(pages.size(), count);
        for (int i = 0; i < pages.size(); ++i) {
            const QStringList l = lines(pages[i]);
            EXPECT_EQ(l.value(0).trimmed(), "2024-05-17") << "page " << i + 1;
            EXPECT_EQ(l.value(l.size() - 1).trimmed(), QStringLiteral("Str. %1 / %2").arg(i + 1).arg(count))
                << "page " << i + 1;
        }
        const QStringList fonts = runTool("pdffonts", {pdf()}).split('\n', Qt::SkipEmptyParts).mid(2);
        EXPECT_FALSE(fonts.isEmpty());
        for (const QString& font : fonts) {
            const QStringList columns = font.split(' ', Qt::SkipEmptyParts);
            EXPECT_TRUE(columns.size() >= 7 && columns[columns.size() - 5] == "yes") << font.toStdString();
            EXPECT_TRUE(font.startsWith("LiberationSans")) << font.toStdString();
        }
        return pages;
    }

    QTemporaryDir m_dir;
};

TEST_F(PdfOutputTest, EmptySectionsPrintOnePageWithTheTitle) {
    MemoryRowSet empty({});
    for (const QString& section : summaryProject().reportNames()) {
        SCOPED_TRACE(section.toStdString());
        Report report = summaryProject().createReport(section);
        for (const QString& connection : report.connectionNames())
            report.setConnection(connection, &empty);
        QStringList expected;
        for (const PrintedBand& band : report.executeToRecord())
            for (const auto& text : band.texts)
                expected << text.second.trimmed();
        const QStringList pages = render(report);
        ASSERT_EQ(pages.size(), 1);
        QStringList printed;
        for (const QString& line : body(pages[0]))
            printed << line.trimmed();
        EXPECT_EQ(printed, expected);
    }
}

// The date sits at the top right, the counter at the foot, the title centred on the region,
// which CzynnRyz and TermRyz place a little differently.
TEST_F(PdfOutputTest, PageTextsStandWhereThePageDesignPutsThem) {
    struct Case {
        const char* section;
        double regionLeft;
        double regionTop;
        const char* firstTitleWord;
        const char* lastTitleWord;
    };
    const Case cases[] = {{"CzynnRyz", 1.0694, 0.9583, "Wykaz", "mierzonych"},
                          {"TermRyz", 1.0139, 1.0, "Wykaz", "pólroczu"},
                          {"PracAdm", 1.0, 1.0, "Wykaz", "zatrudnionych"}};
    MemoryRowSet empty({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        Report report = summaryProject().createReport(c.section);
        for (const QString& connection : report.connectionNames())
            report.setConnection(connection, &empty);
        render(report);
        QHash<QString, Word> found;
        for (const Word& w : words(pdf()))
            if (!found.contains(w.text))
                found.insert(w.text, w);
        ASSERT_TRUE(found.contains("2024-05-17") && found.contains("Str.") &&
                    found.contains(c.firstTitleWord));
        EXPECT_NEAR(found["2024-05-17"].xMin, 6.0972 * 72, 1.5);
        EXPECT_LT(found["2024-05-17"].yMax, c.regionTop * 72); // above the region
        EXPECT_NEAR(found["Str."].xMin, 3.8056 * 72, 1.5);
        EXPECT_NEAR(found["Str."].yMin, 10.25 * 72, 3);
        const double centre = (found[c.firstTitleWord].xMin + found[c.lastTitleWord].xMax) / 2;
        EXPECT_NEAR(centre, (c.regionLeft + 3.25) * 72, 1.5);
        EXPECT_GT(found[c.firstTitleWord].yMin, c.regionTop * 72);
    }
}

// A list of persons longer than a page: the column captions head every page and the rows
// continue in order, each once.
TEST_F(PdfOutputTest, PersonsListRepeatsColumnCaptionsOnEveryPage) {
    Report report = summaryProject().createReport("PracAdm");
    MemoryRowSet persons({"NAZWISKO", "IMIE", "PESEL"});
    for (int i = 1; i <= 150; ++i)
        persons.append({QStringLiteral("Nazwisko%1").arg(i, 3, 10, QLatin1Char('0')), "Józef",
                        QStringLiteral("8001010%1").arg(i, 4, 10, QLatin1Char('0'))});
    report.setConnection("RvQa1_1Conn1", &persons);
    const QStringList pages = render(report);
    ASSERT_GE(pages.size(), 3);
    QStringList rows;
    for (int p = 0; p < pages.size(); ++p) {
        QStringList b = body(pages[p]);
        if (p == 0) {
            ASSERT_FALSE(b.isEmpty());
            EXPECT_EQ(b.takeFirst().trimmed(), "Wykaz osób nigdzie nie zatrudnionych");
        }
        ASSERT_FALSE(b.isEmpty());
        EXPECT_EQ(b.takeFirst().simplified(), "Nazwisko Imie Pesel") << "page " << p + 1;
        for (const QString& line : b)
            rows << line.simplified();
    }
    ASSERT_EQ(rows.size(), 150);
    for (int i = 1; i <= 150; ++i)
        EXPECT_EQ(rows[i - 1], QStringLiteral("Nazwisko%1 Józef 8001010%2")
                                   .arg(i, 3, 10, QLatin1Char('0'))
                                   .arg(i, 4, 10, QLatin1Char('0')));
}

// A long three-level section: content in walk order, what the record says is what is printed,
// and no page ends with a caption or an item line whose rows went to the next page.
TEST_F(PdfOutputTest, FactorSectionPrintsItsLevelsInOrderAcrossPages) {
    Report report = summaryProject().createReport("CzynnRyz");
    MemoryRowSet items({"ID", "IDCZYNN", "NAZWA"});
    MemoryRowSet structure({"ID", "IDCZYNN"});
    MemoryRowSet stations({"SKROTNAZWA", "KOD", "ID", "IDCZYNN"});
    for (int f = 1; f <= 40; ++f) {
        items.append({f, f, QStringLiteral("Czynnik nr %1 ó").arg(f)});
        for (int s = 1; s <= 2; ++s) {
            const int id = f * 10 + s;
            structure.append({id, f});
            for (int k = 1; k <= 3; ++k)
                stations.append({QStringLiteral("Stanowisko %1.%2").arg(id).arg(k),
                                 QStringLiteral("K-%1-%2").arg(id).arg(k), id, f});
        }
    }
    report.setConnection("RvQr1_0Conn1", &items);
    report.setConnection("RvQr2_0Conn2", &structure);
    report.setConnection("RvQr3_0Conn3", &stations);
    report.setRowHandler("RvQr2_0Conn2", [&] {
        const int id = structure.value(report.currentRow("RvQr2_0Conn2"), "ID").toInt();
        report.setComponentText("OpisElemStrukt", QStringLiteral("Zaklad\r    Wydzial %1\r").arg(id));
    });

    QStringList expected;
    for (const PrintedBand& band : report.executeToRecord()) {
        QStringList texts;
        for (const auto& t : band.texts)
            for (const QString& line : t.second.split('\r', Qt::SkipEmptyParts))
                texts << line.simplified();
        if (band.band == "DVStruktDataBand")
            expected << texts; // one printed line per memo line
        else
            expected << texts.join(' ');
    }
    const QStringList pages = render(report);
    ASSERT_GE(pages.size(), 4);
    QStringList printed;
    for (int p = 0; p < pages.size(); ++p) {
        const QStringList b = body(pages[p]);
        ASSERT_FALSE(b.isEmpty());
        EXPECT_TRUE(b.last().trimmed().startsWith("K-"))
            << "page " << p + 1 << " ends with " << b.last().toStdString();
        for (const QString& line : b)
            printed << line.simplified();
    }
    EXPECT_EQ(printed, expected);
    // The location memo keeps its indentation.
    const QStringList first = lines(pages[0]);
    const int zaklad = first.indexOf(QRegularExpression("^\\s*Zaklad$"));
    ASSERT_GE(zaklad, 0);
    EXPECT_GT(first[zaklad + 1].indexOf("Wydzial"), first[zaklad].indexOf("Zaklad"));
}

// A memo taller than a page runs on over the following pages, cut between its lines, without
// printing into the bottom margin.
TEST_F(PdfOutputTest, MemoTallerThanAPageSpansPages) {
    Report report = summaryProject().createReport("AktualBhp");
    MemoryRowSet items({"NAZWA", "IDLISTY"}, {{"Rekawice", 1}});
    MemoryRowSet structure({"ID", "IDLISTY"}, {{5, 1}});
    MemoryRowSet stations({"SKROTNAZWA", "KOD", "ID", "IDLISTY"}, {{"Magazynier", "K-5", 5, 1}});
    report.setConnection("RvQb1_1Conn1", &items);
    report.setConnection("RvQb2_1Conn2", &structure);
    report.setConnection("RvQb3_1Conn3", &stations);
    QStringList memo;
    for (int i = 1; i <= 150; ++i)
        memo << QStringLiteral("Grupa %1").arg(i, 3, 10, QLatin1Char('0'));
    report.setComponentText("NazwaSrodGr", memo.join('\r'));

    const QStringList pages = render(report);
    ASSERT_GE(pages.size(), 3);
    QStringList printed;
    for (const QString& page : pages)
        for (const QString& line : body(page))
            printed << line.simplified();
    ASSERT_GE(printed.size(), 152);
    EXPECT_EQ(printed.mid(1, 150).join('|'), ("Srodek: " + memo.join('|')));
    EXPECT_EQ(printed.mid(printed.size() - 2), (QStringList{"Stanowisko:", "K-5 Magazynier"}));
    for (const Word& w : words(pdf())) {
        if (w.yMin < 10.25 * 72 - 3) { // all but the page counter
            EXPECT_LT(w.yMax, 10.0 * 72 + 1) << w.text.toStdString() << " on page " << w.page;
        }
    }
}

// A group line longer than the memo's width wraps at blanks and stays inside the memo's box.
TEST_F(PdfOutputTest, MemoWrapsWithinItsWidth) {
    Report report = summaryProject().createReport("PrzetBhp");
    MemoryRowSet items({"NAZWA", "IDLISTY"}, {{"Gasnice", 1}});
    MemoryRowSet none({"ID", "IDLISTY"});
    MemoryRowSet stations({"SKROTNAZWA", "KOD", "ID", "IDLISTY"});
    report.setConnection("RvQb1_0Conn1", &items);
    report.setConnection("RvQb2_0Conn2", &none);
    report.setConnection("RvQb3_0Conn3", &stations);
    QStringList group;
    for (int i = 1; i <= 60; ++i)
        group << QStringLiteral("grupa%1").arg(i, 2, 10, QLatin1Char('0'));
    report.setComponentText("NazwaSrodGr", group.join("  |  "));
    render(report);

    const double left = (1.0 + 0.65) * 72, right = (1.0 + 0.65 + 5.85) * 72; // the memo's box
    QStringList printed;
    QSet<int> rows;
    for (const Word& w : words(pdf())) {
        if (!w.text.startsWith("grupa"))
            continue;
        printed << w.text;
        rows.insert(qRound(w.yMin));
        EXPECT_GE(w.xMin, left - 0.5) << w.text.toStdString();
        EXPECT_LE(w.xMax, right + 0.5) << w.text.toStdString();
    }
    EXPECT_EQ(printed, group);
    EXPECT_GE(rows.size(), 4);
}

// Band visibility set by a row handler governs the PDF as it governs the record.
TEST_F(PdfOutputTest, HiddenBandsAreLeftOutOfThePdf) {
    Report report = summaryProject().createReport("PrzetBhp");
    MemoryRowSet items({"NAZWA", "IDLISTY"}, {{"Gasnice", 1}});
    MemoryRowSet structure({"ID", "IDLISTY"}, {{5, 1}, {6, 1}});
    MemoryRowSet stations({"SKROTNAZWA", "KOD", "ID", "IDLISTY"},
                          {{"Kotlownia", "K-5", 5, 1}, {"Portiernia", "K-6", 6, 1}});
    report.setConnection("RvQb1_0Conn1", &items);
    report.setConnection("RvQb2_0Conn2", &structure);
    report.setConnection("RvQb3_0Conn3", &stations);
    report.setRowHandler("RvQb1_0Conn1", [&] { report.setComponentText("NazwaSrodGr", "Gasnice []"); });
    report.setRowHandler("RvQb2_0Conn2", [&] {
        const bool shown = structure.value(report.currentRow("RvQb2_0Conn2"), "ID").toInt() == 6;
        for (const char* band : {"DVStruktBand", "DVStruktDataBand", "DVStanBand", "DVStanDataBand"})
            report.setBandVisible(band, shown);
    });
    QStringList printed;
    for (const QString& line : body(render(report).value(0)))
        printed << line.simplified();
    EXPECT_EQ(printed, (QStringList{"Wykaz przeterminowanych srodków BHP", "Srodek: Gasnice []",
                                    "Umiejscowienie:", "Stanowisko:", "K-6 Portiernia"}));
}

// The PDF appears under its name only when complete: a failed run leaves an earlier file as
// it was and no stray file beside it.
TEST_F(PdfOutputTest, FailedRunsLeaveNoFileUnderTheFinalName) {
    Report report = summaryProject().createReport("PracAdm");
    MemoryRowSet persons({"NAZWISKO", "IMIE", "PESEL"}, {{"Nowak", "Jan", "1"}, {"Kowal", "Ewa", "2"}});
    report.setConnection("RvQa1_1Conn1", &persons);

    TestSupport::writeFile(pdf(), "earlier");
    report.setRowHandler("RvQa1_1Conn1", [&] {
        if (report.currentRow("RvQa1_1Conn1") == 1)
            throw ReportEngineError("database gone");
    });
    EXPECT_THROW(report.executeToPdf(pdf()), ReportEngineError);
    EXPECT_EQ(TestSupport::readFile(pdf()), "earlier");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"raport.pdf"});
    EXPECT_EQ(report.lastPageCount(), 0);

    report.setRowHandler("RvQa1_1Conn1", {});
    report.executeToPdf(pdf());
    EXPECT_TRUE(TestSupport::readFile(pdf()).startsWith("%PDF-"));
    EXPECT_EQ(report.lastPageCount(), 1);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"raport.pdf"});

    const QString missing = m_dir.filePath("brak/raport.pdf");
    EXPECT_THROW(report.executeToPdf(missing), ReportEngineError);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("brak")));
}

} // namespace
