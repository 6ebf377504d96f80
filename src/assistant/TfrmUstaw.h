#pragma once

#include <QDialog>

class AppContext;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTimeEdit;
class QWidget;
class Scheduler;
class TBitBtnWithColor;

// "Ustawienia konfiguracyjne asystenta": the two schedules, the nine report sections and, on the
// page "Dodatkowe", the options beyond the report (each off unless switched on). A value
// reaches the running scheduler as soon as its field is left or its box clicked; "Zamknij"
// writes them all to the configuration file.
class TfrmUstaw : public QDialog {
    Q_OBJECT
public:
    TfrmUstaw(AppContext& app, Scheduler& scheduler, QWidget* parent = nullptr);

    QTabWidget* pgUstawCzest;
    QWidget* tsRaport;
    QWidget* tsBackup;
    QLineEdit* eCzestAsys;
    QTimeEdit* dtGodzAsys;
    QDateEdit* dtDataAsys;
    QLineEdit* eCzestBackup;
    QTimeEdit* dtGodzBackup;
    QDateEdit* dtDataBackup;
    QTabWidget* pgKolmAsyst;
    // In report order: CzynnRyz, TermRyz, StanAdm, PracAdm, SrodRyz, WyborDob, RoznDob,
    // PrzetBhp, AktualBhp.
    QCheckBox* cbSections[9];
    QWidget* tsDodatkowe;
    QCheckBox* cbArkusz;
    QCheckBox* cbPolskieLitery;
    QSpinBox* seIleKopii;
    QSpinBox* seHoryzont;
    TBitBtnWithColor* bOK;

    bool backupPageHidden() const { return m_backupHidden; }

public Q_SLOTS:
    void FormShow();
    void bOKClick();
    void storeFields();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* schedulePage(const char* name, QLineEdit*& period, QTimeEdit*& hour, QDateEdit*& date);
    void pgUstawCzestChange(int index);

    AppContext& m_app;
    Scheduler& m_scheduler;
    bool m_backupHidden = false;
};
