#pragma once

#include <QDialog>

class QLabel;

namespace kolmasyst {

// The notice "Proszę czekać !!!" shown while connections close and open: no title bar, not
// modal, painted at once.
class TfrmChangeDB : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 271;
    static constexpr int ClientHeight = 115;

    explicit TfrmChangeDB(QWidget* parent = nullptr);

    // Shows the notice with its two lines and paints it before the work starts.
    void showNotice(const QString& info, const QString& alias = QString());
    void closeNotice();

    QLabel* lCzekaj;
    QLabel* lInfor;
    QLabel* lAlias;
};

} // namespace kolmasyst
