#include "RunHistory.h"
#include "Errors.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

RunHistory::Line line(const QDate& date, const QString& section, int rows, int added = -1,
                      int resolved = -1) {
    RunHistory::Line l;
    l.date = date;
    l.section = section;
    l.rows = rows;
    l.newRows = added;
    l.resolved = resolved;
    return l;
}

TEST(RunHistoryTest, LinesSurviveTheirFileAndASecondRunOfADayReplacesThatDay) {
    RunHistory::Line lapse;
    lapse.date = QDate(2026, 9, 1);
    lapse.section = RunHistory::LapseLine;
    lapse.lapsing30 = 3;
    lapse.lapsing90 = 7;
    const QVector<RunHistory::Line> first{line({2026, 9, 1}, "CzynnRyz", 7), line({2026, 9, 1}, "TermRyz", 0),
                                          lapse};
    const QByteArray file = RunHistory::format(first);
    EXPECT_TRUE(file.startsWith(RunHistory::Header.toUtf8() + "\n"));
    EXPECT_TRUE(file.contains(QString::fromUtf8("2026-09-01;Wygasające;;;;3;7\n").toUtf8()))
        << file.toStdString();
    EXPECT_EQ(RunHistory::parse(file), first);

    const QVector<RunHistory::Line> later{line({2026, 9, 8}, "CzynnRyz", 5, 1, 3)};
    const QVector<RunHistory::Line> again{line({2026, 9, 1}, "CzynnRyz", 6)};
    const QVector<RunHistory::Line> all = RunHistory::merged(RunHistory::merged(first, later), again);
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0], again[0]) << "the day's earlier lines are gone, the new one first by date";
    EXPECT_EQ(all[1], later[0]);
    EXPECT_EQ(RunHistory::lapsingSoon(first), 3);
    EXPECT_EQ(RunHistory::lapsingSoon(all), -1) << "the newest run of that day had no lapse line";
    EXPECT_EQ(RunHistory::runDates(all), (QVector<QDate>{{2026, 9, 1}, {2026, 9, 8}}));
}

TEST(RunHistoryTest, ADamagedLineIsSkippedAndSaidAndTheRestIsKept) {
    const QByteArray good = "2026-09-01;CzynnRyz;7;;;;\n";
    const char* damaged[] = {
        "2026-09-01;CzynnRyz;7;;;\n",       // a field short
        "2026-13-01;CzynnRyz;7;;;;\n",      // no such date
        "2026-09-01;;7;;;;\n",              // no section
        "2026-09-01;CzynnRyz;siedem;;;;\n", // no number
        "2026-09-01;CzynnRyz;-1;;;;\n",     // a negative count
        "\xff\xfe;;;;;;\n",                 // not text at all
    };
    for (const char* bad : damaged) {
        SCOPED_TRACE(bad);
        QStringList said;
        const QVector<RunHistory::Line> lines = RunHistory::parse(
            RunHistory::Header.toUtf8() + "\n" + good + bad + good, [&](const QString& l) { said << l; });
        EXPECT_EQ(lines.size(), 2);
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].contains("wiersz 3")) << said[0].toStdString();
    }
    // A byte-order mark and Windows line ends, as a spreadsheet may save the file.
    EXPECT_EQ(
        RunHistory::parse("\xef\xbb\xbf" + RunHistory::Header.toUtf8() + "\r\n" + good.chopped(1) + "\r\n")
            .size(),
        1);
}

TEST(RunHistoryTest, RecordKeepsTheLinesOfEveryWriterAndLeavesAnUnreadableHistoryAlone) {
    QTemporaryDir dir;
    RunHistory::record(dir.path(), {line({2026, 9, 1}, "CzynnRyz", 7)});
    RunHistory::record(dir.path(), {line({2026, 9, 8}, "CzynnRyz", 6)});
    EXPECT_EQ(RunHistory::read(dir.path()).size(), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "the history and its lock";

    // A history that cannot be read (here a folder in its place) is never replaced by one run.
    QTemporaryDir other;
    QDir().mkpath(RunHistory::pathIn(other.path()) + "/zajete");
    EXPECT_THROW(RunHistory::record(other.path(), {line({2026, 9, 15}, "CzynnRyz", 5)}), EFileWriteError);
    EXPECT_TRUE(QFileInfo::exists(RunHistory::pathIn(other.path()) + "/zajete"));
}

} // namespace
