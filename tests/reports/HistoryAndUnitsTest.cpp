#include "AppContext.h"
#include "DbEngine.h"
#include "InProcessRun.h"
#include "MyIniFile.h"
#include "OrgGenerator.h"
#include "RunHistory.h"
#include "Sections.h"
#include "SqlQuery.h"
#include "TfrmRaport.h"
#include "UserFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using namespace kolmrap;

namespace {

// kolmrap's run, in process on the demo organisation, with options beyond the summary report.
class HistoryAndUnitsTest : public ::testing::Test {
protected:
    void SetUp() override { m_db = TestSupport::createDemoDatabase(m_dir.path()); }

    void configure(const QByteArray& options, const QByteArray& alias = "firma") {
        m_alias = QString::fromUtf8(alias);
        TestSupport::writeFile(m_dir.filePath("brel.ini"), "[Database]\nAliasName=" + alias +
                                                               "\n[AliasDatabases]\nALIAS." + alias +
                                                               ".Str=Firma\n[AsystentSettings]\n" + options +
                                                               TestSupport::allSectionsOn());
    }
    bool run(const QDate& day, QStringList* said = nullptr) {
        m_clock.set(QDateTime(day, QTime(7, 30)));
        const InProcessRun r =
            runReportInProcess(m_dir.path(), {"0", "admin", "Admin123!"}, m_messages, m_clock);
        if (said)
            *said = r.said;
        EXPECT_TRUE(r.succeeded) << r.said.join('\n').toStdString();
        return r.succeeded;
    }
    QString reports() const { return m_dir.filePath(m_alias + "/Raporty"); }
    QString workbook(const QDate& day, const QString& unit = QString()) const {
        return reports() + "/Arkusz/" + (unit.isEmpty() ? QString() : unit + "/") + "Raport" +
               day.toString("yyyy-MM-dd") + ".xlsx";
    }
    // Per sheet the rows below the header, each as its cells' JSON.
    static QHash<QString, QStringList> sheetRows(const QString& file) {
        return sheetRowsOf(TestSupport::readWorkbook(file));
    }
    static QHash<QString, QStringList> sheetRowsOf(const QJsonArray& book) {
        QHash<QString, QStringList> out;
        for (const QJsonValue& sheet : book) {
            QStringList& rows = out[sheet["name"].toString()];
            const QJsonArray all = sheet["rows"].toArray();
            for (int i = 1; i < all.size(); ++i)
                rows << QString::fromUtf8(QJsonDocument(all[i].toArray()).toJson(QJsonDocument::Compact));
        }
        return out;
    }

    QTemporaryDir m_dir;
    QString m_db;
    QString m_alias;
    ScriptedMessages m_messages;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(9, 15))};
};

TEST_F(HistoryAndUnitsTest, EachRunAddsItsLinesAndTheWorkbookChartsThem) {
    configure("ASYST.Arkusz.Str=T\n");
    const QDate days[] = {{2026, 9, 1}, {2026, 12, 10}, {2027, 3, 1}};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(run(days[i]));
        const QVector<RunHistory::Line> lines = RunHistory::read(reports());
        ASSERT_EQ(lines.size(), (i + 1) * 10) << "nine sections and the lapsing items per run";
        EXPECT_EQ(RunHistory::runDates(lines).last(), days[i]);
        // The history's rows are the workbook's, and its new and resolved the summary's.
        const QHash<QString, QStringList> sheets = sheetRows(workbook(days[i]));
        for (const RunHistory::Line& l : lines.mid(i * 10, 9)) {
            SCOPED_TRACE(l.section.toStdString());
            EXPECT_EQ(l.rows, sheets.value(l.section).size());
            EXPECT_EQ(l.newRows < 0, i == 0) << "the first run has nothing to compare with";
        }
        const RunHistory::Line lapse = lines.last();
        EXPECT_EQ(lapse.section, RunHistory::LapseLine);
        EXPECT_GE(lapse.lapsing90, lapse.lapsing30);
        EXPECT_GT(lapse.lapsing90, 0);
        // The summary sheet's chart has a line per section over the runs so far.
        const QJsonArray book = TestSupport::readWorkbook(workbook(days[i]));
        const QJsonArray charts = book[0]["charts"].toArray();
        ASSERT_EQ(charts.size(), 1);
        EXPECT_EQ(charts[0]["type"].toString(), "LineChart");
        EXPECT_EQ(charts[0]["series"].toArray().size(), 9);
        EXPECT_EQ(book[0]["rows"].toArray().size(), 10) << "the table itself stays as it was";
    }
    // The demo's findings change with the days: workstations come and go.
    const QVector<RunHistory::Line> three = RunHistory::read(reports());
    bool changed = false;
    for (int i = 0; i < 9; ++i)
        changed = changed || three[i].rows != three[20 + i].rows;
    EXPECT_TRUE(changed);

    // A second run on the last day replaces that day's lines, and a damaged line is said once
    // and dropped, never the rest.
    QByteArray file = TestSupport::readFile(RunHistory::pathIn(reports()));
    file.insert(file.indexOf('\n') + 1, "2026-08-25;CzynnRyz;to nie liczba;;;;\n");
    TestSupport::writeFile(RunHistory::pathIn(reports()), file);
    QStringList said;
    ASSERT_TRUE(run(days[2], &said));
    const QVector<RunHistory::Line> after = RunHistory::read(reports());
    EXPECT_EQ(after.size(), 30);
    EXPECT_EQ(said.filter("uszkodzony").size(), 1) << said.join('\n').toStdString();
    EXPECT_TRUE(TestSupport::readFile(RunHistory::pathIn(reports()))
                    .endsWith("2026-08-25;CzynnRyz;to nie liczba;;;;\n"))
        << "kept for the user to mend";
}

TEST_F(HistoryAndUnitsTest, WithoutTheWorkbookTheHistoryCountsThePrintedLines) {
    configure("");
    ASSERT_TRUE(run({2026, 12, 10}));
    const QVector<RunHistory::Line> lines = RunHistory::read(reports());
    ASSERT_EQ(lines.size(), 10);
    QHash<QString, int> rows;
    for (const RunHistory::Line& l : lines) {
        rows[l.section] = l.rows;
        EXPECT_EQ(l.newRows, -1);
    }
    // The figures the workbook test counts for the demo.
    EXPECT_EQ(rows["PracAdm"], 124);
    EXPECT_EQ(rows["StanAdm"], 2);
    EXPECT_EQ(rows["PrzetBhp"], 7);
    EXPECT_FALSE(QFileInfo::exists(reports() + "/Arkusz"));
}

// The rows of every unit's sheets together, and the organisation's, of the sections that list
// workstations and of the lapsing items.
void expectUnitsAddUp(const QHash<QString, QStringList>& organisation,
                      const QVector<QHash<QString, QStringList>>& units) {
    for (auto it = organisation.cbegin(); it != organisation.cend(); ++it) {
        const QString& sheet = it.key();
        if (sheet == "Podsumowanie" || sheet == "PracAdm")
            continue;
        SCOPED_TRACE(sheet.toStdString());
        QStringList together;
        for (const auto& unit : units) {
            EXPECT_TRUE(unit.contains(sheet));
            together << unit.value(sheet);
        }
        QStringList whole = it.value();
        std::sort(together.begin(), together.end());
        std::sort(whole.begin(), whole.end());
        EXPECT_EQ(together, whole);
    }
}

TEST_F(HistoryAndUnitsTest, TheUnitsWorkbooksTogetherHoldExactlyTheOrganisationsRows) {
    const QDate day(2026, 12, 10);
    // Level 2: production's departments, and the units whose workstations are right under them.
    for (const auto& [level, folders] :
         {std::pair<int, QStringList>{1, {"ZPO.A", "ZPO.M", "ZPO.P", "ZPO.U"}},
          std::pair<int, QStringList>{
              2, {"ZPO.A", "ZPO.M", "ZPO.P.01", "ZPO.P.02", "ZPO.P.03", "ZPO.P.04", "ZPO.U"}}}) {
        SCOPED_TRACE(level);
        QDir(m_dir.filePath("firma")).removeRecursively();
        configure("ASYST.Arkusz.Str=T\nASYST.Jednostki.Str=" + QByteArray::number(level) + "\n");
        ASSERT_TRUE(run(day));
        QStringList made = QDir(reports() + "/Arkusz").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        EXPECT_EQ(made, folders);
        QVector<QHash<QString, QStringList>> units;
        for (const QString& unit : folders)
            units << sheetRows(workbook(day, unit));
        expectUnitsAddUp(sheetRows(workbook(day)), units);
        // The unit's summary names it; a unit without rows says so.
        const QJsonArray p4 =
            TestSupport::readWorkbook(workbook(day, folders.contains("ZPO.P.04") ? "ZPO.P.04" : "ZPO.P"));
        const QJsonArray summary = p4[0]["rows"].toArray();
        EXPECT_TRUE(summary[1].toArray()[0].toArray()[1].toString().startsWith("Jednostka: [ZPO.P")) << level;
        if (level == 2) {
            // The assembly department opened this year and has no findings yet.
            EXPECT_TRUE(summary.last().toArray()[0].toArray()[1].toString().startsWith(
                QString::fromUtf8("W tej jednostce raport nie ma pozycji")))
                << QJsonDocument(summary).toJson().toStdString();
        }
    }
}

TEST_F(HistoryAndUnitsTest, TheUnitsAddUpOnASyntheticOrganisationToo) {
    const QDate day(2026, 12, 10);
    const QString file = m_dir.filePath("small.fdb");
    OrgGenerator::generate(file, OrgGenerator::sizeNamed("small"), 7, day);
    TestSupport::addAlias(m_dir.path(), "mala", file);
    configure("ASYST.Arkusz.Str=T\nASYST.Jednostki.Str=2\n", "mala");
    ASSERT_TRUE(run(day));
    const QStringList folders = QDir(reports() + "/Arkusz").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GT(folders.size(), 3);
    QStringList files;
    for (const QString& unit : folders)
        files << workbook(day, unit);
    const QJsonObject books = TestSupport::readWorkbooks(files);
    QVector<QHash<QString, QStringList>> units;
    for (const QString& file : files)
        units << sheetRowsOf(books.value(file).toArray());
    expectUnitsAddUp(sheetRows(workbook(day)), units);
}

TEST_F(HistoryAndUnitsTest, ArchivalPdfsCarryTheirIdentificationAndTheSameText) {
    configure("");
    ASSERT_TRUE(run({2026, 12, 10}));
    QHash<QString, QString> plain;
    for (const QString& s : TestSupport::sectionNames())
        plain[s] = TestSupport::pdfText(reports() + QString("/%1/%1%2.pdf").arg(s, "2026-12-10"));
    configure("ASYST.PdfA.Str=T\n");
    ASSERT_TRUE(run({2026, 12, 10}));
    for (const QString& s : TestSupport::sectionNames()) {
        SCOPED_TRACE(s.toStdString());
        const QString pdf = reports() + QString("/%1/%1%2.pdf").arg(s, "2026-12-10");
        EXPECT_EQ(TestSupport::pdfText(pdf), plain[s]);
        const QByteArray bytes = TestSupport::readFile(pdf);
        EXPECT_TRUE(bytes.contains("/OutputIntents") && bytes.contains("/GTS_PDFA1"));
        EXPECT_TRUE(bytes.contains("sRGB")) << "the output intent's colour profile";
        QProcess meta;
        meta.start("pdfinfo", {"-meta", pdf});
        meta.waitForFinished(30000);
        const QString xmp = QString::fromUtf8(meta.readAllStandardOutput());
        EXPECT_TRUE(xmp.contains("pdfaid:part=\"1\"") && xmp.contains("pdfaid:conformance=\"B\""))
            << xmp.toStdString();
        EXPECT_TRUE(xmp.contains("xmp:CreatorTool=\"kolmrap ")) << xmp.toStdString();
        EXPECT_TRUE(xmp.contains("<dc:title>")) << xmp.toStdString();
        EXPECT_TRUE(xmp.contains("xmp:CreateDate=\"")) << xmp.toStdString();
        QProcess fonts;
        fonts.start("pdffonts", {pdf});
        fonts.waitForFinished(30000);
        const QStringList rows =
            QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_GT(rows.size(), 2);
        for (const QString& row : rows.mid(2))
            EXPECT_TRUE(row.contains(QRegularExpression("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+")))
                << row.toStdString();
    }
}

} // namespace
