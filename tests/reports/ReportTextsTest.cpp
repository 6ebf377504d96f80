#include "InProcessRun.h"
#include "OrgGenerator.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

struct Expected {
    int pages = 0;
    QByteArray sha256;
};

// organisation → section → what its PDF holds.
QMap<QString, QMap<QString, Expected>> expectedTexts() {
    QMap<QString, QMap<QString, Expected>> table;
    QFile file(QStringLiteral(KOLM_REPORT_TEXTS));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (line.startsWith('#') || f.size() != 4)
            continue;
        table[QString::fromUtf8(f[0])][QString::fromUtf8(f[1])] = Expected{f[2].toInt(), f[3]};
    }
    return table;
}

// What a reader gets of the file: pdftotext's text, as bytes, and the page count.
Expected readBack(const QString& pdf) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.waitForFinished(120000);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    Expected got;
    got.sha256 = QCryptographicHash::hash(text.readAllStandardOutput(), QCryptographicHash::Sha256).toHex();
    for (const QByteArray& line : info.readAllStandardOutput().split('\n'))
        if (line.startsWith("Pages:"))
            got.pages = line.mid(6).trimmed().toInt();
    return got;
}

class ReportTextsTest : public ::testing::TestWithParam<const char*> {};

// However the run is spread over threads and queues, each organisation's report says what it
// said when the table was made: the same text, on the same pages.
TEST_P(ReportTextsTest, EverySectionAsBefore) {
    const QString organisation = QString::fromLatin1(GetParam());
#ifdef KOLM_SANITIZED
    // Four minutes under the sanitizers, through the same code as the smaller ones.
    if (organisation == QLatin1String("large"))
        GTEST_SKIP() << "the large organisation is compared in the normal build";
#endif
    const QDate day(2026, 12, 10);
    const auto expected = expectedTexts().value(organisation);
    ASSERT_EQ(expected.size(), 9) << "no table for " << organisation.toStdString();
    QTemporaryDir dir;
    QString db;
    if (organisation == QLatin1String("demo")) {
        db = TestSupport::createDemoDatabase(dir.path());
    } else {
        db = dir.filePath(QStringLiteral("org.fdb"));
        OrgGenerator::generate(db, OrgGenerator::sizeNamed(organisation), 1, day);
        TestSupport::addAlias(dir.path(), QStringLiteral("firma"), db);
    }
    TestSupport::writeFile(dir.filePath(QStringLiteral("brel.ini")),
                           "[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\nASYST.firma.Str=\n"
                           "[AsystentSettings]\n" +
                               TestSupport::allSectionsOn());
    ManualClock clock(QDateTime(day, QTime(9, 15)));
    ScriptedMessages messages;
    const InProcessRun run = runReportInProcess(dir.path(), {"0", "admin", "Admin123!"}, messages, clock);
    ASSERT_TRUE(run.succeeded) << run.said.join('\n').toStdString();
    // KOLM_REPORT_TEXTS_OUT=file adds what this run wrote to file, for a table made anew when
    // the report's output changes on purpose.
    QFile newTable(qEnvironmentVariable("KOLM_REPORT_TEXTS_OUT"));
    if (!newTable.fileName().isEmpty()) {
        ASSERT_TRUE(newTable.open(QIODevice::Append));
    }
    // In the report's order, as the table lists them.
    for (const QString& section : TestSupport::sectionNames()) {
        const Expected want = expected.value(section);
        const QString pdf =
            dir.filePath(QStringLiteral("firma/Raporty/%1/%1%2.pdf").arg(section, day.toString(Qt::ISODate)));
        ASSERT_TRUE(QFileInfo::exists(pdf)) << pdf.toStdString();
        const Expected got = readBack(pdf);
        if (newTable.isOpen())
            newTable.write(QStringLiteral("%1 %2 %3 ").arg(organisation, section).arg(got.pages).toUtf8() +
                           got.sha256 + '\n');
        EXPECT_EQ(got.pages, want.pages) << section.toStdString();
        EXPECT_EQ(got.sha256.toStdString(), want.sha256.toStdString())
            << section.toStdString() << ": the text differs";
    }
}

INSTANTIATE_TEST_SUITE_P(Organisations, ReportTextsTest,
                         ::testing::Values("demo", "small", "medium", "large"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

} // namespace
