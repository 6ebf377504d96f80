#pragma once

#include <QDialog>

class AppContext;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QTabWidget;
class QChart;
class QChartView;

namespace kolmasyst {

class FormPlacement;
class TBitBtnWithColor;

// "Statystyki systemu KOLM": the last and next backup and report with their databases, and a
// chart of the active database's runs (each section's rows per run, a legend that switches
// sections on and off), built anew at every showing. At least 500 × 350 pixels; where it was
// is kept between runs.
class TfrmStat : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 2300;
    static constexpr int MinimumWidth = 500;
    static constexpr int MinimumHeight = 350;

    TfrmStat(AppContext& app, FormPlacement& placement, QWidget* parent = nullptr);
    ~TfrmStat() override;

    static const QString NoHistoryText; // "Brak historii przebiegów raportu dla bazy „%1”."

    QTabWidget* pages;
    QPlainTextEdit* mStat;
    QComboBox* cbRuns; // how many of the last runs the chart shows
    QChartView* chartView;
    QLabel* lNoHistory;
    QStatusBar* StatusBar1;
    TBitBtnWithColor* bEnd;

    QChart* chart() const;

public Q_SLOTS:
    void FormShow();
    // The chart of the active database's history, for the runs chosen.
    void showChart();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    AppContext& m_app;
    FormPlacement& m_placement;
};

} // namespace kolmasyst
