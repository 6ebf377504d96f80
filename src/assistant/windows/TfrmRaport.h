#pragma once

#include <QDialog>

class AppContext;
class QLabel;
class QProgressBar;

namespace kolmasyst {

class ReportRunner;
class TBitBtnWithColor;

// "Raport końcowy": starts the summary report at once and tells whether it succeeded, with
// a progress bar that moves while kolmrap runs. The window keeps painting and answering help
// meanwhile; its sequence is ReportRunner's.
class TfrmRaport : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 3300;

    // launch: the main form's start of kolmrap; why it could not start, empty when it did.
    TfrmRaport(AppContext& app, std::function<QString()> launch, QWidget* parent = nullptr);

    ReportRunner& runner() { return *m_runner; }

    QProgressBar* pb;
    QLabel* lInfoP;
    QLabel* lInfoK;
    QLabel* lInfoErr;
    // Where the reports went, or why the run failed.
    QLabel* lDetails;
    TBitBtnWithColor* bOk;

public Q_SLOTS:
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void runFinished(bool succeeded);
    void showDetails(const QString& text);

    AppContext& m_app;
    ReportRunner* m_runner;
};

} // namespace kolmasyst
