#include "Installation.h"
#include "MainFormFixture.h"
#include "MyIniFile.h"
#include "RunHistory.h"
#include "logic/ReportHistory.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/TfrmStat.h"

#include <QComboBox>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>

using namespace kolmasyst;

namespace {

// A week's runs of the sections from start on: section i has i + run rows, TermRyz skips every
// third run; each run's lapse line counts lapsing items.
QVector<RunHistory::Line> weeklyRuns(const QDate& start, int runs, int lapsing30 = 4) {
    QVector<RunHistory::Line> lines;
    const QStringList sections{"CzynnRyz", "TermRyz", "StanAdm"};
    for (int r = 0; r < runs; ++r) {
        const QDate day = start.addDays(7 * r);
        for (int i = 0; i < sections.size(); ++i) {
            if (sections[i] == "TermRyz" && r % 3 == 2)
                continue;
            RunHistory::Line l;
            l.date = day;
            l.section = sections[i];
            l.rows = i + r;
            lines << l;
        }
        RunHistory::Line lapse;
        lapse.date = day;
        lapse.section = RunHistory::LapseLine;
        lapse.lapsing30 = lapsing30;
        lapse.lapsing90 = lapsing30 + 2;
        lines << lapse;
    }
    return lines;
}

TEST(ReportHistoryTest, TheChartShowsTheLastRunsAndTheLapseLineSpeaksPolish) {
    const QVector<RunHistory::Line> lines = weeklyRuns({2026, 1, 5}, 30);
    const QVector<ReportHistory::Series> last = ReportHistory::series(lines, ReportHistory::DefaultRuns);
    ASSERT_EQ(last.size(), 3);
    EXPECT_EQ(last[0].section, "CzynnRyz");
    EXPECT_EQ(last[0].points.size(), 24);
    EXPECT_EQ(last[0].points.first(), qMakePair(QDate(2026, 1, 5).addDays(7 * 6), 6));
    EXPECT_EQ(last[1].points.size(), 16) << "TermRyz is missing from every third run";
    EXPECT_EQ(ReportHistory::series(lines, 0)[0].points.size(), 30);
    EXPECT_TRUE(ReportHistory::series({}, 24).isEmpty());

    const std::pair<int, const char*> lapse[] = {
        {-1, ""},
        {0, "0 pozycji wygasa w ciągu 30 dni"},
        {1, "1 pozycja wygasa w ciągu 30 dni"},
        {3, "3 pozycje wygasają w ciągu 30 dni"},
        {5, "5 pozycji wygasa w ciągu 30 dni"},
        {12, "12 pozycji wygasa w ciągu 30 dni"},
        {22, "22 pozycje wygasają w ciągu 30 dni"},
        {112, "112 pozycji wygasa w ciągu 30 dni"},
    };
    for (const auto& [count, text] : lapse)
        EXPECT_EQ(ReportHistory::lapseLine(count), QString::fromUtf8(text)) << count;
}

class HistoryChartTest : public MainFormFixture {
protected:
    QString reports() { return m_app->installation().reportsFolder(m_app->settings(), "firma"); }
    void writeHistory(const QVector<RunHistory::Line>& lines) {
        QDir().mkpath(reports());
        RunHistory::record(reports(), lines);
    }
    static QList<QLineSeries*> lines(const TfrmStat& window) {
        QList<QLineSeries*> out;
        for (QAbstractSeries* s : window.chart()->series())
            out << qobject_cast<QLineSeries*>(s);
        return out;
    }
};

TEST_F(HistoryChartTest, TheStatisticsWindowChartsTheActiveDatabasesRuns) {
    TfrmStat& window = *m_form->statisticsWindow();
    // No history yet: the window says so instead of an empty chart.
    whenModal(&window, [&] { window.bEnd->click(); });
    m_form->mStatysClick();
    EXPECT_TRUE(window.chart()->series().isEmpty());
    EXPECT_FALSE(window.chartView->isVisibleTo(&window));
    EXPECT_EQ(window.lNoHistory->text(),
              QString::fromUtf8("Brak historii przebiegów raportu dla bazy „firma”."));

    // Three months of weekly runs.
    writeHistory(weeklyRuns({2026, 9, 7}, 14));
    const QSize before = window.size();
    whenModal(&window, [&] {
        window.pages->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const QList<QLineSeries*> series = lines(window);
        ASSERT_EQ(series.size(), 3);
        EXPECT_EQ(series[0]->name(), "CzynnRyz");
        EXPECT_EQ(series[0]->count(), 14);
        EXPECT_EQ(series[1]->count(), 10);
        EXPECT_EQ(series[0]->at(13).y(), 13);
        EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(qint64(series[0]->at(0).x())).date(), QDate(2026, 9, 7));
        EXPECT_TRUE(window.chartView->isVisible());
        EXPECT_FALSE(window.lNoHistory->isVisible());
        // A click on a section in the legend switches its line off and on again.
        QLegendMarker* marker = window.chart()->legend()->markers(series[1]).first();
        Q_EMIT marker->clicked();
        EXPECT_FALSE(series[1]->isVisible());
        EXPECT_TRUE(marker->font().strikeOut());
        Q_EMIT marker->clicked();
        EXPECT_TRUE(series[1]->isVisible());
        window.bEnd->click();
    });
    m_form->mStatysClick();
    EXPECT_EQ(window.size(), before) << "the window keeps its size";
    EXPECT_GE(window.width(), TfrmStat::MinimumWidth);
    EXPECT_GE(window.height(), TfrmStat::MinimumHeight);

    // More runs than the chart shows at first, and all of them on request.
    writeHistory(weeklyRuns({2026, 12, 14}, 20));
    window.showChart();
    EXPECT_EQ(lines(window)[0]->count(), ReportHistory::DefaultRuns);
    window.cbRuns->setCurrentIndex(window.cbRuns->findData(0));
    EXPECT_EQ(lines(window)[0]->count(), 34);
}

TEST_F(HistoryChartTest, TheTrayAndTheWindowTellTheItemsLapsingSoonAfterARun) {
    m_form->refreshLapseLine();
    EXPECT_EQ(m_form->TrayIcon->toolTip(), TfrmMainForm::ApplicationTitle);
    EXPECT_TRUE(m_form->lWygasa->text().isEmpty());

    // The first run makes the reports folder and the history: the assistant sees it without
    // being asked.
    QTRY_VERIFY(!m_form->PierwszyTakt()); // past the first tick, which reads the history too
    m_form->refreshLapseLine();
    writeHistory(weeklyRuns({2026, 12, 7}, 1, 3));
    QTRY_COMPARE_WITH_TIMEOUT(m_form->lWygasa->text(), QString::fromUtf8("3 pozycje wygasają w ciągu 30 dni"),
                              5000);
    EXPECT_EQ(m_form->TrayIcon->toolTip(),
              TfrmMainForm::ApplicationTitle + "\n" + QString::fromUtf8("3 pozycje wygasają w ciągu 30 dni"));
    // The next run replaces the file: its new figure is seen too.
    writeHistory(weeklyRuns({2026, 12, 14}, 1, 7));
    QTRY_COMPARE_WITH_TIMEOUT(m_form->lWygasa->text(), QString::fromUtf8("7 pozycji wygasa w ciągu 30 dni"),
                              5000);
}

} // namespace
