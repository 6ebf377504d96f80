#include "DbEngine.h"
#include "SqlQuery.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
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

} // namespace
