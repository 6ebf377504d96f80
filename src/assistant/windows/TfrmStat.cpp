#include "windows/TfrmStat.h"

#include "AppContext.h"
#include "MessageService.h"
#include "MyIniFile.h"
#include "SharedSettings.h"
#include "logic/ReportHistory.h"
#include "logic/StatisticsText.h"
#include "widgets/AssistantLook.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/FormPlacement.h"

#include <QComboBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

namespace kolmasyst {

const QString TfrmStat::NoHistoryText = QStringLiteral("Brak historii przebiegów raportu dla bazy „%1”.");

TfrmStat::TfrmStat(AppContext& app, FormPlacement& placement, QWidget* parent)
    : QDialog(parent), m_app(app), m_placement(placement) {
    setObjectName(QStringLiteral("frmStat"));
    setWindowTitle(QStringLiteral("Statystyki systemu KOLM"));
    setProperty("helpContext", HelpContext);
    setSizeGripEnabled(true);
    setMinimumSize(MinimumWidth, MinimumHeight);
    AssistantLook::applyFormLook(this);
    resize(MinimumWidth, MinimumHeight);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    mStat = new QPlainTextEdit;
    mStat->setObjectName(QStringLiteral("mStat"));
    mStat->setReadOnly(true);
    mStat->setLineWrapMode(QPlainTextEdit::NoWrap);
    mStat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mStat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = mStat->palette();
    p.setColor(QPalette::Base, AssistantLook::ListBackground);
    mStat->setPalette(p);
    pages->addTab(mStat, QStringLiteral("Statystyki"));

    auto* chartPage = new QWidget;
    auto* column = new QVBoxLayout(chartPage);
    column->setContentsMargins(4, 4, 4, 4);
    cbRuns = new QComboBox;
    cbRuns->setObjectName(QStringLiteral("cbRuns"));
    cbRuns->addItem(QStringLiteral("Ostatnie %1 przebiegi").arg(ReportHistory::DefaultRuns),
                    ReportHistory::DefaultRuns);
    cbRuns->addItem(QStringLiteral("Ostatnie 100 przebiegów"), 100);
    cbRuns->addItem(QStringLiteral("Wszystkie przebiegi"), 0);
    column->addWidget(cbRuns, 0, Qt::AlignLeft);
    chartView = new QChartView;
    chartView->setObjectName(QStringLiteral("chartView"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumSize(1, 1); // the window keeps its size whatever the chart holds
    column->addWidget(chartView, 1);
    lNoHistory = new QLabel;
    lNoHistory->setObjectName(QStringLiteral("lNoHistory"));
    lNoHistory->setWordWrap(true);
    lNoHistory->setAlignment(Qt::AlignCenter);
    column->addWidget(lNoHistory, 1);
    pages->addTab(chartPage, QStringLiteral("Wykres"));
    connect(cbRuns, &QComboBox::currentIndexChanged, this, &TfrmStat::showChart);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    bEnd = new TBitBtnWithColor(QStringLiteral("Zamknij"), this);
    bEnd->setObjectName(QStringLiteral("bEnd"));
    bEnd->setDefault(true);
    connect(bEnd, &QPushButton::clicked, this, &QDialog::accept);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_placement.RestoreFormPlacement(this);
}

TfrmStat::~TfrmStat() {
    m_placement.SaveFormPlacement(this);
}

void TfrmStat::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The text grows with the window; the button stays at the bottom, above the status bar.
    const int w = width(), h = height();
    StatusBar1->setGeometry(0, h - 20, w, 20);
    bEnd->setGeometry((w - 90) / 2, h - 54, 90, 25);
    pages->setGeometry(8, 8, w - 16, h - 70);
}

void TfrmStat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmStat::FormShow() {
    QString error;
    mStat->setPlainText(StatisticsText::build(m_app, &error).join(QLatin1Char('\n')));
    showChart();
    if (!error.isEmpty())
        m_app.messages().showMessage(error, QString());
}

QChart* TfrmStat::chart() const {
    return chartView->chart();
}

void TfrmStat::showChart() {
    const QString alias = m_app.settings().ReadAliasName();
    const QVector<ReportHistory::Series> series =
        ReportHistory::series(ReportHistory::of(m_app, alias), cbRuns->currentData().toInt());
    // Room for the nine sections' legend and the dates even at the window's smallest: no title
    // (the page and the list above say what it shows), narrow margins, a smaller legend.
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setAlignment(Qt::AlignRight);
    QFont small = chart->legend()->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
    chart->legend()->setFont(small);
    QDateTime first, last;
    int most = 0;
    for (const ReportHistory::Series& s : series) {
        auto* line = new QLineSeries;
        line->setName(s.section);
        line->setPointsVisible(s.points.size() < 40);
        for (const auto& [date, rows] : s.points) {
            const QDateTime when = date.startOfDay();
            line->append(qreal(when.toMSecsSinceEpoch()), rows);
            first = first.isValid() ? std::min(first, when) : when;
            last = last.isValid() ? std::max(last, when) : when;
            most = std::max(most, rows);
        }
        chart->addSeries(line);
    }
    if (!series.isEmpty()) {
        auto* dates = new QDateTimeAxis;
        dates->setFormat(QStringLiteral("dd.MM.yy"));
        dates->setLabelsFont(small);
        // One run still gets an axis a day wide each side.
        dates->setRange(first.addDays(first == last ? -1 : 0), last.addDays(first == last ? 1 : 0));
        dates->setTickCount(std::min(5, std::max(2, int(series.first().points.size()))));
        chart->addAxis(dates, Qt::AlignBottom);
        auto* rows = new QValueAxis;
        rows->setLabelFormat(QStringLiteral("%d"));
        rows->setLabelsFont(small);
        rows->setRange(0, std::max(1, most));
        rows->applyNiceNumbers();
        chart->addAxis(rows, Qt::AlignLeft);
        for (QAbstractSeries* s : chart->series()) {
            s->attachAxis(dates);
            s->attachAxis(rows);
        }
        // A click on a section in the legend hides or shows its line.
        for (QLegendMarker* marker : chart->legend()->markers()) {
            connect(marker, &QLegendMarker::clicked, this, [marker] {
                marker->series()->setVisible(!marker->series()->isVisible());
                marker->setVisible(true);
                QFont font = marker->font();
                font.setStrikeOut(!marker->series()->isVisible());
                marker->setFont(font);
            });
        }
    }
    QChart* old = chartView->chart();
    chartView->setChart(chart);
    delete old;
    const bool empty = series.isEmpty();
    chartView->setVisible(!empty);
    cbRuns->setEnabled(!empty);
    lNoHistory->setVisible(empty);
    lNoHistory->setText(empty ? NoHistoryText.arg(alias) : QString());
}

} // namespace kolmasyst
