#include "DbEngine.h"
#include "LapseSheet.h"
#include "MyIniFile.h"
#include "SectionSheet.h"
#include "SqlQuery.h"
#include "TestSupport.h"
#include "Workbook.h"
#include "WorkbookReader.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kolmrap;

namespace {

// The date of the run a test just made (read when needed: a test may run across midnight).
QString today() {
    return QDate::currentDate().toString("yyyy-MM-dd");
}

// The report's options beyond the summary report, as kolmrap reads them from brel.ini.
class ReportOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = TestSupport::installProgram("kolmrap", m_programs.path());
        m_db = TestSupport::createDemoDatabase(m_programs.path());
        {
            const QSqlDatabase db = DbEngine::openServerName(m_db, "setup");
            SqlQuery::executeDirect(
                db, QString::fromUtf8("UPDATE OStrukt SET SkrotNazwa = 'Oddział Łódź' WHERE Id = 3"));
        }
        DbEngine::closeConnection("setup");
    }
    // Runs kolmrap with every section on and the given [AsystentSettings] lines; what was
    // written before stays.
    TestSupport::ProcessResult run(const QByteArray& options) {
        TestSupport::writeFile(m_programs.filePath("brel.ini"), "[Database]\nAliasName=firma\n"
                                                                "[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                                                                "[AsystentSettings]\n" +
                                                                    options + TestSupport::allSectionsOn());
        return TestSupport::run(m_program, {"0", "admin", "Admin123!"}, m_runtime.path());
    }
    // The whole report afresh with the given option lines; all sections' text.
    QString report(const QByteArray& options, QString* said = nullptr) {
        QDir(m_programs.filePath("firma")).removeRecursively();
        const auto r = run(options);
        EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
        if (said)
            *said = r.stdErr;
        QString text;
        for (const QString& s : TestSupport::sectionNames())
            text += TestSupport::pdfText(
                m_programs.filePath(QString("firma/Raporty/%1/%1%2.pdf").arg(s, today())));
        return text;
    }

    QTemporaryDir m_programs;
    QTemporaryDir m_runtime;
    QString m_program;
    QString m_db;
};

TEST_F(ReportOptionsTest, PolishLettersArePrintedAsStoredOnlyWhenSwitchedOn) {
    struct Case {
        QByteArray option;
        bool asStored;
        bool warned;
    };
    const Case cases[] = {
        {"", false, false},
        {"ASYST.PolskieLitery.Str=N\n", false, false},
        {"ASYST.PolskieLitery.Str=T\n", true, false},
        {"ASYST.PolskieLitery.Str=tak\n", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option.toStdString());
        QString said;
        const QString text = report(c.option, &said);
        EXPECT_EQ(text.contains(QString::fromUtf8("Oddział Łódź")), c.asStored);
        EXPECT_EQ(text.contains(QString::fromUtf8("Oddzial Lódz")), !c.asStored);
        EXPECT_EQ(text.contains(QString::fromUtf8("Bałtyk")), c.asStored);
        EXPECT_EQ(said.contains("ASYST.PolskieLitery.Str=\"tak\""), c.warned) << said.toStdString();
    }
}

TEST_F(ReportOptionsTest, TheWorkbookHoldsEverySectionsRowsWithDatesAsDates) {
    const QString workbook = m_programs.filePath("firma/Raporty/Arkusz/Raport" + today() + ".xlsx");
    QString said;
    const QString pdfs = report("ASYST.Arkusz.Str=T\n", &said);
    EXPECT_TRUE(said.contains("Arkusz: ")) << said.toStdString();
    EXPECT_TRUE(pdfs.contains(QString::fromUtf8("Oddzial Lódz"))) << "the PDFs as the report prints them";
    const QJsonArray sheets = TestSupport::readWorkbook(workbook);
    ASSERT_EQ(sheets.size(), 11);
    QStringList names;
    for (const QJsonValue& v : sheets)
        names << v["name"].toString();
    EXPECT_EQ(names, QStringList{"Podsumowanie"} + TestSupport::sectionNames()
                         << QString::fromUtf8("Wygasające"));
    QHash<QString, QJsonArray> rows;
    for (const QJsonValue& v : sheets) {
        const QString name = v["name"].toString();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(v["freeze"].toString(), "A2") << "the header row stays in view";
        rows[name] = v["rows"].toArray();
        EXPECT_TRUE(v["filter"].toString().startsWith("A1:")) << v["filter"].toString().toStdString();
        EXPECT_TRUE(v["filter"].toString().endsWith(QString::number(rows[name].size())));
    }
    // One row per printed line of the deepest level, under a header row.
    EXPECT_EQ(rows["PracAdm"].size(), 1 + 124);
    EXPECT_EQ(rows["StanAdm"].size(), 1 + 2);
    EXPECT_EQ(rows["PrzetBhp"].size(), 1 + 7);
    EXPECT_EQ(rows["StanAdm"][0].toArray()[0].toArray()[1].toString(), "Lokalizacja");
    // The location as a path, with the letters as stored even though the PDFs replace them.
    bool lodz = false;
    for (const QJsonArray& sheet : rows)
        for (const QJsonValue& r : sheet)
            for (const QJsonValue& c : r.toArray())
                lodz = lodz || c.toArray()[1].toString().contains(QString::fromUtf8("/ Oddział Łódź"));
    EXPECT_TRUE(lodz);
    EXPECT_TRUE(rows["CzynnRyz"][1].toArray()[1].toArray()[1].toString().startsWith(
        QString::fromUtf8("ZPOB „Bałtyk” / ")));
    // The dates of the next examinations are dates.
    const QJsonArray term = rows["TermRyz"];
    ASSERT_GT(term.size(), 1);
    for (int i = 1; i < term.size(); ++i)
        EXPECT_EQ(term[i].toArray().last().toArray()[0].toString(), "d") << i;

    // A workbook that cannot be written fails the run like a PDF.
    QDir(m_programs.filePath("firma")).removeRecursively();
    QDir().mkpath(workbook + "/zajete");
    const auto r = run("ASYST.Arkusz.Str=T\nASYST.DataAsys.Str=2026-01-01\n");
    EXPECT_EQ(r.exitCode, 1) << r.stdErr.toStdString();
    EXPECT_TRUE(r.stdErr.contains("Raport") && r.stdErr.contains(".xlsx")) << r.stdErr.toStdString();
    EXPECT_EQ(TMyIniFile(m_programs.filePath("brel.ini")).ReadAsystentSetting("ASYST", "DataAsys"),
              "2026-01-01");
}

TEST_F(ReportOptionsTest, TheSummarySheetCountsWhatIsNewAndWhatWasResolvedSinceTheLastWorkbook) {
    const QString folder = m_programs.filePath("firma/Raporty/Arkusz");
    // Per section: rows, new, resolved, and what it was compared with.
    const auto summary = [&] {
        const QJsonArray sheets = TestSupport::readWorkbook(folder + "/Raport" + today() + ".xlsx");
        QHash<QString, QStringList> out;
        EXPECT_EQ(sheets[0]["name"].toString(), "Podsumowanie");
        const QJsonArray rows = sheets[0]["rows"].toArray();
        for (int i = 1; i < rows.size(); ++i) {
            QStringList cells;
            for (const QJsonValue& c : rows[i].toArray())
                cells << c.toArray()[1].toVariant().toString();
            out[cells.takeFirst()] = cells;
        }
        EXPECT_EQ(out.size(), 9);
        return out;
    };
    // The earlier workbooks stay: the run replaces nothing but its own day's file.
    const auto runKeeping = [&] {
        const auto r = run("ASYST.Arkusz.Str=T\n");
        EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    };
    // The first workbook has nothing to compare with.
    runKeeping();
    auto first = summary();
    EXPECT_EQ(
        first["StanAdm"],
        (QStringList{"2", "", "", QString::fromUtf8("brak wcześniejszego arkusza: nie ma z czym porównać")}));
    // Today's own workbook is no earlier one.
    runKeeping();
    EXPECT_EQ(summary()["StanAdm"], first["StanAdm"]);

    // It becomes last week's; meanwhile a workstation without people is renamed.
    ASSERT_TRUE(QFile::rename(folder + "/Raport" + today() + ".xlsx", folder + "/Raport2026-12-01.xlsx"));
    {
        const QSqlDatabase db = DbEngine::openServerName(m_db, "setup");
        SqlQuery::executeDirect(
            db, "UPDATE OSTRUKT SET SKROTNAZWA = 'Szlifierz CNC' WHERE SKROTNAZWA = 'Szlifierz'");
    }
    DbEngine::closeConnection("setup");
    runKeeping();
    auto second = summary();
    EXPECT_EQ(second["StanAdm"], (QStringList{"2", "1", "1", "2026-12-01"}));
    EXPECT_EQ(second["PracAdm"], (QStringList{"124", "0", "0", "2026-12-01"}));

    // A newer earlier workbook that cannot be read is said, and nothing is compared.
    TestSupport::writeFile(folder + "/Raport2026-12-05.xlsx", "to nie jest arkusz");
    // And a link at an earlier workbook's name is never read.
    QFile::link(folder + "/Raport2026-12-01.xlsx", folder + "/Raport2026-12-08.xlsx");
    runKeeping();
    const auto third = summary();
    ASSERT_EQ(third["StanAdm"].size(), 4);
    EXPECT_EQ(third["StanAdm"].mid(0, 3), (QStringList{"2", "", ""}));
    EXPECT_TRUE(third["StanAdm"][3].startsWith(QString::fromUtf8("nie można odczytać Raport2026-12-05.xlsx")))
        << third["StanAdm"][3].toStdString();
}

TEST(LapseBandTest, DaysRemainingFallIntoTheirBands) {
    const struct {
        int days;
        LapseSheet::Band band;
    } cases[] = {{-400, LapseSheet::Band::Expired}, {-1, LapseSheet::Band::Expired},
                 {0, LapseSheet::Band::Expired},    {1, LapseSheet::Band::Soon},
                 {30, LapseSheet::Band::Soon},      {31, LapseSheet::Band::Later},
                 {90, LapseSheet::Band::Later}};
    for (const auto& c : cases)
        EXPECT_EQ(LapseSheet::band(c.days), c.band) << c.days;
}

TEST_F(ReportOptionsTest, TheLapseSheetListsItemsByTheirNewestDateWithinTheHorizon) {
    const QString workbook = m_programs.filePath("firma/Raporty/Arkusz/Raport" + today() + ".xlsx");
    // The sheet's rows as "days|group|code" and their fill colours.
    const auto lapse = [&](const QByteArray& options, QStringList* colours = nullptr) {
        report("ASYST.Arkusz.Str=T\n" + options);
        QProcess p;
        p.start("/usr/bin/python3", {"-c",
                                     "import sys, openpyxl\n"
                                     "ws = openpyxl.load_workbook(sys.argv[1])['Wygasające']\n"
                                     "for r in ws.iter_rows(min_row=2):\n"
                                     "    print('%s|%s|%s|%s' % (r[0].value, r[2].value, r[4].value,\n"
                                     "                           r[0].fill.fgColor.rgb))\n",
                                     workbook});
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        QStringList rows;
        for (const QString& line :
             QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            rows << line.section('|', 0, 2);
            if (colours)
                *colours << line.section('|', 3);
        }
        return rows;
    };
    // Nothing ahead yet: the sheet holds what the expired-items section prints, by the same rules.
    const QStringList expired = lapse("ASYST.Horyzont.Str=0\n");
    const QJsonArray sheets = TestSupport::readWorkbook(workbook);
    ASSERT_EQ(sheets.size(), 11);
    EXPECT_EQ(sheets[10]["name"].toString(), QString::fromUtf8("Wygasające"));
    EXPECT_EQ(expired.size(), sheets[8]["rows"].toArray().size() - 1) << expired.join('\n').toStdString();
    for (const QString& r : expired)
        EXPECT_LE(r.section('|', 0, 0).toInt(), 0) << r.toStdString();

    // One periodic item of a workstation renewed until a day around the bands' edges.
    int item = 0;
    QString key;
    {
        const QSqlDatabase db = DbEngine::openServerName(m_db, "setup");
        SqlQuery q(db);
        q.prepare("SELECT FIRST 1 D.ID AS ID, TRIM(G.NAZWA) || '|' || TRIM(S.KOD) AS K FROM BHPDANE D JOIN "
                  "BHPGRUPY G ON G.ID = D.IDBHP JOIN OSTRUKT S "
                  "ON S.ID = D.IDSTAN WHERE G.OKRESOWE = 1 AND G.TYPSTRUKT = 1 AND D.DATAUSUN IS NULL AND "
                  "S.DATAUSUN IS NULL ORDER BY D.ID");
        q.open();
        item = q.fieldInt("ID");
        key = q.fieldText("K");
        q.close();
        SqlQuery::executeDirect(db,
                                QString("INSERT INTO BHPDANE_SZ (ID, IDBHPDANE, DATAWAZ) VALUES (99999, %1, "
                                        "CURRENT_DATE)")
                                    .arg(item));
    }
    DbEngine::closeConnection("setup");
    ASSERT_GT(item, 0);
    const struct {
        int days;
        bool listed;
        QString colour;
    } cases[] = {{-1, true, "FFF4B6B6"}, {0, true, "FFF4B6B6"},  {1, true, "FFFFD98C"},
                 {30, true, "FFFFD98C"}, {31, true, "FFBFE3B4"}, {90, true, "FFBFE3B4"},
                 {91, false, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days);
        {
            const QSqlDatabase db = DbEngine::openServerName(m_db, "setup");
            SqlQuery::executeDirect(
                db,
                QString("UPDATE BHPDANE_SZ SET DATAWAZ = CURRENT_DATE + %1 WHERE ID = 99999").arg(c.days));
        }
        DbEngine::closeConnection("setup");
        QStringList colours;
        const QStringList rows = lapse(QByteArray(), &colours); // the horizon of 90 days by default
        QStringList days;
        for (const QString& r : rows)
            days << r.section('|', 0, 0);
        // Soonest first; the items without a date ("None" days) after all of them.
        int dated = 0;
        while (dated < days.size() && days[dated] != "None")
            ++dated;
        for (int i = dated; i < days.size(); ++i)
            EXPECT_EQ(days[i], "None") << days.join(' ').toStdString();
        for (int i = 1; i < dated; ++i)
            EXPECT_LE(days[i - 1].toInt(), days[i].toInt()) << days.join(' ').toStdString();
        int at = -1;
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].section('|', 1) == key)
                at = i;
        ASSERT_EQ(at >= 0, c.listed) << key.toStdString() << "\n" << rows.join('\n').toStdString();
        if (at >= 0) {
            EXPECT_EQ(days[at].toInt(), c.days) << "its newest date counts";
            EXPECT_EQ(colours[at], c.colour);
        }
        for (int i = 0; i < rows.size(); ++i)
            EXPECT_EQ(colours[i], i >= dated              ? "FFD9D9D9"
                                  : days[i].toInt() <= 0  ? "FFF4B6B6"
                                  : days[i].toInt() <= 30 ? "FFFFD98C"
                                                          : "FFBFE3B4");
    }

    // The old data's zero date is no date: listed apart after the dated items, without days,
    // never as expired 46,000 days ago.
    {
        const QSqlDatabase db = DbEngine::openServerName(m_db, "setup");
        SqlQuery::executeDirect(
            db, QString("UPDATE BHPDANE_SZ SET DATAWAZ = '1899-12-30' WHERE IDBHPDANE = %1").arg(item));
    }
    DbEngine::closeConnection("setup");
    QStringList colours;
    const QStringList rows = lapse(QByteArray(), &colours);
    const int at = int(rows.indexOf("None|" + key));
    ASSERT_GE(at, 0) << rows.join('\n').toStdString();
    EXPECT_EQ(colours[at], "FFD9D9D9");
    for (int i = at; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].startsWith("None|")) << "after every dated item";
}

} // namespace

// The summary compares with the workbooks of earlier runs, whether their texts sit in a shared
// table (as this program writes them) or in the cells (as other programs write them when they
// save a workbook again).
TEST(WorkbookReaderTest, ReadsTextsInTheSharedTableAndInTheCells) {
    SectionSheet sheet;
    sheet.name = "TermRyz";
    sheet.headers = {"Czynnik", "Lokalizacja", "Data"};
    sheet.rows = {
        {QString::fromUtf8("Hałas"), QString::fromUtf8("Zakład / Wydział <1> & \"A\""), QDate(2026, 1, 2)},
        {"Benzen", "", QDate(2026, 3, 4)},
        {QString::fromUtf8("Pył"), QString::fromUtf8("Łódź"), QVariant()}};
    QTemporaryDir dir;
    const QString written = dir.filePath("Raport2026-12-01.xlsx");
    TestSupport::writeFile(written, Workbook::build({sheet}));
    const QString inCells = dir.filePath("Raport2026-12-02.xlsx");
    // The same workbook with its texts moved from xl/sharedStrings.xml into the cells.
    // clang-format off
    const char* toCells = R"py(
import re, sys, zipfile
src, dst = sys.argv[1], sys.argv[2]
moved = 0
with zipfile.ZipFile(src) as zin, zipfile.ZipFile(dst, 'w') as zout:
    table = zin.read('xl/sharedStrings.xml').decode()
    strings = [re.sub(r'<[^>]+>', '', si) for si in re.findall(r'<si>(.*?)</si>', table)]
    def inline(m):
        global moved
        moved += 1
        return '<c r="%s"%s t="inlineStr"><is><t>%s</t></is></c>' % (m.group(1), m.group(2), strings[int(m.group(3))])
    cell = re.compile(r'<c r="([A-Z]+[0-9]+)"([^>]*?) t="s"><v>([0-9]+)</v></c>')
    for item in zin.infolist():
        if item.filename == 'xl/sharedStrings.xml':
            continue
        data = zin.read(item.filename)
        if item.filename.startswith('xl/worksheets/sheet'):
            data = cell.sub(inline, data.decode()).encode()
        zout.writestr(item, data)
print(moved)
)py";
    // clang-format on
    QProcess python;
    python.start("/usr/bin/python3", {"-c", toCells, written, inCells});
    ASSERT_TRUE(python.waitForFinished(30000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    EXPECT_EQ(python.readAllStandardOutput().trimmed().toInt(), 8); // the headers and the texts
    const QHash<QString, QSet<QString>> fromTable = WorkbookReader::rowKeys(written);
    EXPECT_EQ(fromTable.value("TermRyz"), sheet.rowKeys());
    EXPECT_EQ(fromTable.value("TermRyz").size(), 3);
    EXPECT_EQ(WorkbookReader::rowKeys(inCells), fromTable);
}
