#pragma once

#include "Mail.h"
#include "SharedSettings.h"
#include "logic/Scheduler.h"

#include <QDialog>

#include <array>

class AppContext;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTimeEdit;
class QWidget;

namespace kolmasyst {

class HourEdit;
class MailJob;
class TBitBtnWithColor;

// "Ustawienia konfiguracyjne asystenta": the two schedules, the nine report sections, on the
// page "Dodatkowe" the options beyond the report (each off unless switched on), and on the page
// "Poczta" the delivery of the report by e-mail, with a test message sent on a thread of its own. A value
// reaches the running scheduler as soon as its field is left or its box clicked; "Zamknij"
// writes them to the configuration file in one update. A stored value that does not read is
// said once when the dialog opens and is never written back over unless the user sets that
// field; a period that is not a number is refused when its field is left.
class TfrmUstaw : public QDialog {
    Q_OBJECT
public:
    TfrmUstaw(AppContext& app, Scheduler& scheduler, QWidget* parent = nullptr);

    QTabWidget* pgUstawCzest;
    QWidget* tsRaport;
    QWidget* tsBackup;
    QLineEdit* eCzestAsys;
    HourEdit* dtGodzAsys;
    QDateEdit* dtDataAsys;
    QLineEdit* eCzestBackup;
    HourEdit* dtGodzBackup;
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
    QCheckBox* cbPdfA;
    // "Poczta"
    QWidget* tsPoczta;
    QCheckBox* cbPoczta;
    QLineEdit* eSerwer;
    QSpinBox* sePort; // 0: the security's usual port
    QComboBox* cbZabezpieczenie;
    QSpinBox* seCzas;
    QLineEdit* eUzytkownik;
    QLineEdit* ePlikHasla;
    QLineEdit* ePlikCA;
    QLineEdit* eNadawca;
    QLineEdit* eOdbiorcy;
    QDoubleSpinBox* seLimitPdf;
    QSpinBox* seJednostki;
    // A line per unit: "<code>=<address>;<address>".
    QPlainTextEdit* mJednostki;
    TBitBtnWithColor* bTest;
    QLabel* lTest;
    TBitBtnWithColor* bOK;

    // The page's values as delivery would use them.
    Mail::Settings mailSettings() const;
    MailJob& mailJob() { return *m_mailJob; }

    bool backupPageHidden() const { return m_backupHidden; }
    // Whether a schedule field read from the file or was set by the user: only those are written.
    bool fieldKnown(Scheduler::Field field) const;

    static const QString UnreadMessage; // the heading of the box that lists unread values

public Q_SLOTS:
    void FormShow();
    void bOKClick();
    // "Wyślij wiadomość próbną".
    void bTestClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct FieldState {
        bool loaded = false;  // read from the file
        bool changed = false; // set by the user since
    };
    QWidget* schedulePage(const char* name, QLineEdit*& period, HourEdit*& hour, QDateEdit*& date,
                          Scheduler::Field first);
    void pgUstawCzestChange(int index);
    QWidget* widgetOf(Scheduler::Field field) const;
    // The field's value as the configuration file stores it.
    QString valueOf(Scheduler::Field field) const;
    // Leaving a field: its value (only its own) goes to the running scheduler. False for a
    // period that is no number, which is refused with the message.
    bool fieldLeft(Scheduler::Field field);
    void markUnread(Scheduler::Field field, bool unread);
    void buildMailPage();
    // What is wrong with the addresses on the page, said with the field to mend; true when
    // nothing is.
    bool mailAddressesValid();
    // The stored texts the pages "Poczta" and "Dodatkowe" set beyond the first options, as the
    // fields show them now: each is written only when it changed since the dialog was shown.
    QVector<QPair<Settings::Key, QString>> pageValues() const;

    AppContext& m_app;
    Scheduler& m_scheduler;
    bool m_backupHidden = false;
    bool m_loading = false;
    std::array<FieldState, Scheduler::FieldCount> m_fields;
    MailJob* m_mailJob;
    QVector<QPair<Settings::Key, QString>> m_shownValues;
};

} // namespace kolmasyst
