#include "DbEngine.h"
#include "MyIniFile.h"
#include "SqlQuery.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kToday = QDate::currentDate().toString("yyyy-MM-dd");

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
    // Runs the whole report with the given [AsystentSettings] option lines; all sections' text.
    QString report(const QByteArray& options, QString* said = nullptr) {
        QDir(m_programs.filePath("firma")).removeRecursively();
        TestSupport::writeFile(m_programs.filePath("brel.ini"), "[Database]\nAliasName=firma\n"
                                                                "[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                                                                "[AsystentSettings]\n" +
                                                                    options + TestSupport::allSectionsOn());
        const auto r = TestSupport::run(m_program, {"0", "admin", "Admin123!"}, m_runtime.path());
        EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
        if (said)
            *said = r.stdErr;
        QString text;
        for (const QString& s : TestSupport::sectionNames())
            text += TestSupport::pdfText(
                m_programs.filePath(QString("firma/Raporty/%1/%1%2.pdf").arg(s, kToday)));
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

// The workbook's sheets as JSON: name, frozen cell, filter range, and the rows with each cell
// as [type, text] ("d" for a date).
QJsonArray readWorkbook(const QString& file) {
    QProcess p;
    p.start(
        "/usr/bin/python3",
        {"-c",
         "import json, sys, datetime, openpyxl\n"
         "wb = openpyxl.load_workbook(sys.argv[1])\n"
         "out = []\n"
         "for ws in wb.worksheets:\n"
         "    rows = [[['d', c.isoformat()[:10]] if isinstance(c, datetime.datetime) else ['s', c or '']\n"
         "             for c in r] for r in ws.iter_rows(values_only=True)]\n"
         "    out.append({'name': ws.title, 'freeze': ws.freeze_panes, 'filter': ws.auto_filter.ref,\n"
         "                'rows': rows})\n"
         "print(json.dumps(out))\n",
         file});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

TEST_F(ReportOptionsTest, TheWorkbookHoldsEverySectionsRowsWithDatesAsDates) {
    const QString workbook = m_programs.filePath("firma/Raporty/Arkusz/Raport" + kToday + ".xlsx");
    QString said;
    const QString pdfs = report("ASYST.Arkusz.Str=T\n", &said);
    EXPECT_TRUE(said.contains("Arkusz: ")) << said.toStdString();
    EXPECT_TRUE(pdfs.contains(QString::fromUtf8("Oddzial Lódz"))) << "the PDFs as the report prints them";
    const QJsonArray sheets = readWorkbook(workbook);
    ASSERT_EQ(sheets.size(), 9);
    QStringList names;
    for (const QJsonValue& v : sheets)
        names << v["name"].toString();
    EXPECT_EQ(names, TestSupport::sectionNames());
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
    TestSupport::writeFile(m_programs.filePath("brel.ini"), "[Database]\nAliasName=firma\n"
                                                            "[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                                                            "[AsystentSettings]\nASYST.Arkusz.Str=T\n"
                                                            "ASYST.DataAsys.Str=2026-01-01\n" +
                                                                TestSupport::allSectionsOn());
    const auto r = TestSupport::run(m_program, {"0", "admin", "Admin123!"}, m_runtime.path());
    EXPECT_EQ(r.exitCode, 1) << r.stdErr.toStdString();
    EXPECT_TRUE(r.stdErr.contains("Raport") && r.stdErr.contains(".xlsx")) << r.stdErr.toStdString();
    EXPECT_EQ(TMyIniFile(m_programs.filePath("brel.ini")).ReadAsystentSetting("ASYST", "DataAsys"),
              "2026-01-01");
}

} // namespace
