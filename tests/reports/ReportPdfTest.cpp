#include "AppContext.h"
#include "DatabaseFactory.h"
#include "DbEngine.h"
#include "Sections.h"
#include "SqlQuery.h"
#include "TfrmRaport.h"
#include "UserFixture.h"

#include <QProcess>
#include <QRegularExpression>

using namespace kolmrap;

namespace {

QString pdfText(const QString& pdf, const QStringList& extra = {}) {
    QProcess p;
    p.start("pdftotext", extra + QStringList{"-layout", pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString tool(const QString& program, const QString& pdf) {
    QProcess p;
    p.start(program, {pdf});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The summary report of the demo organisation as the user gets it: PDF files read back.
TEST(ReportPdfTest, EverySectionFileOfTheDemoOrganisation) {
    ManualClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 15)));
    QTemporaryDir dir;
    const QString db = TestSupport::createDemoDatabase(dir.path());
    {
        const QSqlDatabase conn = DbEngine::openServerName(db, "edit");
        SqlQuery::executeDirect(
            conn, QString::fromUtf8("UPDATE OSTRUKT SET SKROTNAZWA = 'Łódź ''ósma'' źródło' WHERE ID = 103"));
    }
    DbEngine::closeConnection("edit");
    TestSupport::writeFile(
        dir.filePath("brel.ini"),
        "[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\nASYST.firma.Str=\n[AsystentSettings]\n" +
            TestSupport::allSectionsOn());
    ScriptedMessages messages;
    {
        AppContext app(dir.path(), {"0", "admin", "Admin123!"}, messages);
        app.setClock(clock);
        TfrmRaport form(app);
        ASSERT_TRUE(form.FormCreate());
    }

    const QStringList titles{"Wykaz czynników nie mierzonych",
                             "Wykaz planu pomiarów czynników w najblizszym pólroczu",
                             "Wykaz stanowisk, na których nikt nie jest zatrudniony",
                             "Wykaz osób nigdzie nie zatrudnionych",
                             "Wykaz stanowisk, na których stwierdzono brak danych",
                             "Wykaz stanowisk, dla których nie dokonano wyboru",
                             "Wykaz stanowisk, dla których wystepuja róznice w zastosowanych",
                             "Wykaz przeterminowanych srodków BHP",
                             "Wykaz srodków BHP bez aktualnej daty waznosci"};
    for (const SectionDescription& section : Sections::all()) {
        const int i = section.index;
        const QString& name = section.name;
        const QString pdf = dir.filePath("firma/Raporty/" + name + "/" + name + "2026-12-10.pdf");
        const QString info = tool("pdfinfo", pdf);
        ASSERT_TRUE(info.contains("612 x 792 pts")) << name.toStdString() << info.toStdString();
        // The document information names the section and the program.
        const QString title = QRegularExpression("Title:\\s+([^\\n]*)").match(info).captured(1).trimmed();
        EXPECT_TRUE(title.startsWith(titles[i])) << title.toStdString();
        EXPECT_TRUE(info.contains("Creator:         kolmrap " KOLM_VERSION)) << info.toStdString();
        const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
        ASSERT_GE(pages, 1);
        const QStringList pageTexts = pdfText(pdf).split('\f', Qt::SkipEmptyParts);
        ASSERT_GE(pageTexts.size(), pages);
        EXPECT_TRUE(pageTexts[0].contains(titles[i])) << name.toStdString();
        for (int p = 0; p < pages; ++p) {
            EXPECT_TRUE(pageTexts[p].contains(QStringLiteral("Str. %1 / %2").arg(p + 1).arg(pages)))
                << name.toStdString();
            EXPECT_TRUE(pageTexts[p].contains("2026-12-10")) << name.toStdString();
            if (name == "PracAdm") {
                EXPECT_TRUE(pageTexts[p].contains("Nazwisko") && pageTexts[p].contains("Pesel")) << p;
            }
        }
        const QString fonts = tool("pdffonts", pdf);
        EXPECT_TRUE(fonts.contains("LiberationSans")) << fonts.toStdString();
        for (const QString& line : fonts.split('\n').mid(2)) {
            const auto m = QRegularExpression("\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s").match(line);
            if (m.hasMatch()) {
                EXPECT_EQ(m.captured(1), "yes") << "embedded: " << line.toStdString();
            }
        }
        if (name == "PracAdm") {
            EXPECT_GE(pages, 3);
        }
        if (name == "StanAdm") {
            EXPECT_TRUE(pageTexts[0].contains(QString::fromUtf8("Lódz 'ósma' zródlo")))
                << pageTexts[0].toStdString();
        }
    }
}

} // namespace
