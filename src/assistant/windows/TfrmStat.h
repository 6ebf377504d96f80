#pragma once

#include <QDialog>

class AppContext;
class QPlainTextEdit;
class QStatusBar;

namespace kolmasyst {

class FormPlacement;
class TBitBtnWithColor;

// "Statystyki systemu KOLM": the last and next backup and report with their databases, built
// anew at every showing. At least 500 × 350 pixels; where it was is kept between runs.
class TfrmStat : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 2300;
    static constexpr int MinimumWidth = 500;
    static constexpr int MinimumHeight = 350;

    TfrmStat(AppContext& app, FormPlacement& placement, QWidget* parent = nullptr);
    ~TfrmStat() override;

    QPlainTextEdit* mStat;
    QStatusBar* StatusBar1;
    TBitBtnWithColor* bEnd;

public Q_SLOTS:
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    AppContext& m_app;
    FormPlacement& m_placement;
};

} // namespace kolmasyst
