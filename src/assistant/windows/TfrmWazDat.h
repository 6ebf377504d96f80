#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

class QScrollArea;
class QStatusBar;

namespace kolmasyst {

class FormPlacement;
class TBitBtnWithColor;

// "Daty istotnych zmian w systemie KOLM": the dated changes of the regulations the suite's
// content rests on, newest first, in a list that scrolls. Where it was is kept between runs.
class TfrmWazDat : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 3500;
    static constexpr int ClientWidth = 722;
    static constexpr int ClientHeight = 555;
    static constexpr int MaximumWidth = 738;
    static constexpr int MinimumHeight = 200;

    struct Entry {
        QString date;
        QString text;
    };
    static const QVector<Entry>& entries();

    explicit TfrmWazDat(FormPlacement& placement, QWidget* parent = nullptr);
    ~TfrmWazDat() override;

    QScrollArea* pLista;
    TBitBtnWithColor* bClose;
    QStatusBar* StatusBar1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    FormPlacement& m_placement;
};

} // namespace kolmasyst
