#include "TfrmUstaw.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "AssistantLook.h"
#include "Errors.h"
#include "ExtraOptions.h"
#include "GlobalUtils.h"
#include "MessageService.h"
#include "Scheduler.h"
#include "TBitBtnWithColor.h"
#include "TOwnerDrawnTabBar.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>

namespace {

enum Section { CzynnRyz, TermRyz, StanAdm, PracAdm, SrodRyz, WyborDob, RoznDob, PrzetBhp, AktualBhp };
// The order "Zamknij" writes the switches in.
const int kSaveOrder[] = {PracAdm,  StanAdm,   TermRyz,  SrodRyz, CzynnRyz,
                          PrzetBhp, AktualBhp, WyborDob, RoznDob};

// A page control with the assistant's own tabs.
class OwnerDrawnTabs : public QTabWidget {
public:
    explicit OwnerDrawnTabs(QWidget* parent) : QTabWidget(parent) { setTabBar(new TOwnerDrawnTabBar(this)); }
};

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int width = 160) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, width, 20);
    return l;
}

} // namespace

TfrmUstaw::TfrmUstaw(AppContext& app, Scheduler& scheduler, QWidget* parent)
    : QDialog(parent), m_app(app), m_scheduler(scheduler) {
    setObjectName(QStringLiteral("frmUstaw"));
    setWindowTitle(QStringLiteral("Ustawienia konfiguracyjne asystenta"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(520, 420);
    setProperty("helpContext", 3400);
    AssistantLook::applyFormLook(this);

    pgUstawCzest = new OwnerDrawnTabs(this);
    pgUstawCzest->setObjectName(QStringLiteral("pgUstawCzest"));
    pgUstawCzest->setGeometry(8, 8, 504, 140);
    tsRaport = schedulePage("tsRaport", eCzestAsys, dtGodzAsys, dtDataAsys);
    tsBackup = schedulePage("tsBackup", eCzestBackup, dtGodzBackup, dtDataBackup);
    pgUstawCzest->addTab(tsRaport, QStringLiteral("Raporty"));
    pgUstawCzest->addTab(tsBackup, QStringLiteral("Backup"));
    connect(pgUstawCzest, &QTabWidget::currentChanged, this, &TfrmUstaw::pgUstawCzestChange);

    pgKolmAsyst = new OwnerDrawnTabs(this);
    pgKolmAsyst->setObjectName(QStringLiteral("pgKolmAsyst"));
    pgKolmAsyst->setGeometry(8, 156, 504, 210);
    struct Box {
        int section;
        QStringList lines;
    };
    struct Page {
        const char* name;
        QString caption;
        QVector<Box> boxes;
    };
    const Page pages[] = {
        {"tsKolmAdmin",
         QStringLiteral("Administracja"),
         {{PracAdm,
           {QStringLiteral("Zestawienie pracowników, którzy nie są zatrudnieni na żadnym stanowisku")}},
          {StanAdm, {QStringLiteral("Wykaz stanowisk, na których nie są zatrudnione żadne osoby")}}}},
        {"tsKolm",
         QStringLiteral("Ryzyko"),
         {{TermRyz, {QStringLiteral("Zestawienie prezentujące terminy najbliższych badań i pomiarów")}},
          {SrodRyz,
           {QStringLiteral("Lista stanowisk, na których stwierdzono "),
            QStringLiteral("brak danych o środkach ochrony indywidualnej i profilaktyce"),
            QStringLiteral("pomimo faktu, że ocena ryzyka zawodowego jest duża")}},
          {CzynnRyz, {QStringLiteral("Wykaz stanowisk, na których występują czynniki nie mierzone")}}}},
        {"tsKolmBhp",
         QStringLiteral("BHP"),
         {{PrzetBhp, {QStringLiteral("Wykaz środków przeterminowanych")}},
          {AktualBhp, {QStringLiteral("Zestawienie środków bez aktualnej daty ważności")}}}},
        {"tsKolmDob",
         QStringLiteral("Dobór"),
         {{WyborDob,
           {QStringLiteral("Wykaz stanowisk, dla których nie dokonano wyboru środka ochrony indywidualnej")}},
          {RoznDob,
           {QStringLiteral("Zestawienie stanowisk, na których występują rożnice w zastosowanych"),
            QStringLiteral("środkach ochrony indywidualnej pomiedzy modułami dobór i bhp")}}}},
    };
    for (const Page& page : pages) {
        auto* ts = new QWidget;
        ts->setObjectName(QLatin1String(page.name));
        int y = 14;
        for (const Box& box : page.boxes) {
            auto* cb = new QCheckBox(box.lines.first(), ts);
            cb->setObjectName(QStringLiteral("cb") + QLatin1String(Scheduler::SectionNames[box.section]));
            cb->setGeometry(12, y, 480, 20);
            cbSections[box.section] = cb;
            const int section = box.section;
            // The running scheduler follows a click at once.
            connect(cb, &QCheckBox::clicked, this,
                    [this, section](bool on) { m_scheduler.Sections[section] = on; });
            y += 22;
            for (int i = 1; i < box.lines.size(); ++i) {
                makeLabel(ts, box.lines[i], 32, y, 460);
                y += 18;
            }
            y += 10;
        }
        pgKolmAsyst->addTab(ts, page.caption);
    }
    tsDodatkowe = new QWidget;
    tsDodatkowe->setObjectName(QStringLiteral("tsDodatkowe"));
    cbArkusz = new QCheckBox(QStringLiteral("Arkusz kalkulacyjny z każdego raportu"), tsDodatkowe);
    cbArkusz->setObjectName(QStringLiteral("cbArkusz"));
    cbArkusz->setGeometry(12, 10, 480, 20);
    makeLabel(tsDodatkowe,
              QStringLiteral("Wiersze wszystkich sekcji w pliku Raporty/Arkusz/Raport<data>.xlsx"), 32, 30,
              460);
    makeLabel(tsDodatkowe, QStringLiteral("Arkusz \"Wygasające\": środki, których ważność mija w ciągu"), 32,
              52, 330);
    seHoryzont = new QSpinBox(tsDodatkowe);
    seHoryzont->setObjectName(QStringLiteral("seHoryzont"));
    seHoryzont->setGeometry(362, 50, 60, 21);
    seHoryzont->setRange(0, 3650);
    AssistantLook::applyEditLook(seHoryzont);
    makeLabel(tsDodatkowe, QStringLiteral("dni"), 428, 52, 40);
    cbPolskieLitery = new QCheckBox(QStringLiteral("Polskie litery w raportach"), tsDodatkowe);
    cbPolskieLitery->setObjectName(QStringLiteral("cbPolskieLitery"));
    cbPolskieLitery->setGeometry(12, 82, 480, 20);
    makeLabel(tsDodatkowe, QStringLiteral("Tekst drukowany tak, jak jest zapisany w bazie danych (\"Łódź\")"),
              32, 102, 460);
    makeLabel(tsDodatkowe, QStringLiteral("Liczba przechowywanych kopii zapasowych każdej bazy:"), 12, 132,
              330);
    seIleKopii = new QSpinBox(tsDodatkowe);
    seIleKopii->setObjectName(QStringLiteral("seIleKopii"));
    seIleKopii->setGeometry(362, 130, 60, 21);
    seIleKopii->setRange(0, 9999);
    AssistantLook::applyEditLook(seIleKopii);
    makeLabel(tsDodatkowe, QStringLiteral("0 – wszystkie kopie zostają; inaczej tylko tyle najnowszych"), 32,
              152, 460);
    pgKolmAsyst->addTab(tsDodatkowe, QStringLiteral("Dodatkowe"));
    pgKolmAsyst->setCurrentIndex(1); // "Ryzyko" the first time

    bOK = new TBitBtnWithColor(QStringLiteral("Zamknij"), this);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setGeometry(222, 380, 75, 25);
    bOK->setDefault(true);
    connect(bOK, &QPushButton::clicked, this, &TfrmUstaw::bOKClick);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* TfrmUstaw::schedulePage(const char* name, QLineEdit*& period, QTimeEdit*& hour, QDateEdit*& date) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    makeLabel(page, QStringLiteral("Częstotliwość aktywacji:"), 12, 12);
    period = new QLineEdit(page);
    period->setGeometry(180, 10, 60, 21);
    makeLabel(page, QStringLiteral("[dni]"), 246, 12, 40);
    makeLabel(page, QStringLiteral("Godzina aktywacji:"), 12, 42);
    hour = new QTimeEdit(page);
    hour->setGeometry(180, 40, 80, 21);
    hour->setDisplayFormat(QStringLiteral("HH:mm"));
    makeLabel(page, QStringLiteral("Data ostatniej aktywacji:"), 12, 72);
    date = new QDateEdit(page);
    date->setGeometry(180, 70, 110, 21);
    date->setCalendarPopup(true);
    for (QWidget* w :
         {static_cast<QWidget*>(period), static_cast<QWidget*>(hour), static_cast<QWidget*>(date)})
        AssistantLook::applyEditLook(w);
    // Leaving a field hands its value to the running scheduler.
    connect(period, &QLineEdit::editingFinished, this, &TfrmUstaw::storeFields);
    connect(hour, &QAbstractSpinBox::editingFinished, this, &TfrmUstaw::storeFields);
    connect(date, &QAbstractSpinBox::editingFinished, this, &TfrmUstaw::storeFields);
    return page;
}

void TfrmUstaw::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmUstaw::FormShow() {
    const QString pattern = DateConventions::toQtPattern(m_app.dates().shortDateFormat());
    dtDataAsys->setDisplayFormat(pattern);
    dtDataBackup->setDisplayFormat(pattern);
    try {
        struct Load {
            const QString& period;
            const QString& hour;
            const QString& date;
            QLineEdit* ePeriod;
            QTimeEdit* dtHour;
            QDateEdit* dtDate;
        };
        const Load loads[] = {
            {m_scheduler.CzestBackup, m_scheduler.GodzBackup, m_scheduler.DataBackup, eCzestBackup,
             dtGodzBackup, dtDataBackup},
            {m_scheduler.CzestAsys, m_scheduler.GodzAsys, m_scheduler.DataAsys, eCzestAsys, dtGodzAsys,
             dtDataAsys},
        };
        for (const Load& l : loads) {
            l.ePeriod->setText(l.period);
            l.dtHour->setTime(Scheduler::toHour(l.hour));
            l.dtDate->setDate(Scheduler::toDate(m_app, l.date));
        }
        for (int i = 0; i < 9; ++i)
            cbSections[i]->setChecked(m_scheduler.Sections[i]);
        cbArkusz->setChecked(ExtraOptions::workbook(m_app.settings()));
        cbPolskieLitery->setChecked(ExtraOptions::polishLetters(m_app.settings()));
        seIleKopii->setValue(ExtraOptions::backupCopiesKept(m_app.settings()));
        seHoryzont->setValue(ExtraOptions::lapseHorizonDays(m_app.settings()));
        // The backup page only for an organisation with a local database file; once hidden it
        // stays hidden.
        bool local = false;
        QStringList lines;
        m_app.settings().ReadAliasDatabases(lines);
        const AliasRegistry registry(m_app.aliasRegistryPath());
        for (const QString& line : lines) {
            const QString alias = TMyIniFile::aliasOfLine(line);
            try {
                if (IsInterBaseAlias(registry, alias) && !AliasDatabaseFile(registry, alias).isEmpty()) {
                    local = true;
                    break;
                }
            } catch (const EKolmError&) {
            }
        }
        if (!local && !m_backupHidden) {
            m_backupHidden = true;
            pgUstawCzest->setTabVisible(pgUstawCzest->indexOf(tsBackup), false);
        }
        pgUstawCzest->setCurrentWidget(tsRaport);
        setProperty("helpContext", 3310);
    } catch (const EKolmError& e) {
        m_app.messages().showMessage(e.text(), QString());
    }
}

void TfrmUstaw::pgUstawCzestChange(int index) {
    setProperty("helpContext", pgUstawCzest->widget(index) == tsRaport ? 3310 : 3320);
}

void TfrmUstaw::storeFields() {
    m_scheduler.CzestAsys = eCzestAsys->text();
    m_scheduler.GodzAsys = Scheduler::formatHour(dtGodzAsys->time());
    m_scheduler.DataAsys = m_app.dates().formatDate(dtDataAsys->date());
    m_scheduler.CzestBackup = eCzestBackup->text();
    m_scheduler.GodzBackup = Scheduler::formatHour(dtGodzBackup->time());
    m_scheduler.DataBackup = m_app.dates().formatDate(dtDataBackup->date());
}

void TfrmUstaw::bOKClick() {
    // A field still being edited counts as left.
    storeFields();
    TMyIniFile& ini = m_app.settings();
    const QString backup = QStringLiteral("BACKUP"), asyst = QStringLiteral("ASYST");
    try {
        ini.WriteBackupSetting(backup, QStringLiteral("CzestBackup"), m_scheduler.CzestBackup);
        ini.WriteBackupSetting(backup, QStringLiteral("GodzBackup"), m_scheduler.GodzBackup);
        ini.WriteBackupSetting(backup, QStringLiteral("DataBackup"), m_scheduler.DataBackup);
        ini.WriteAsystentSetting(asyst, QStringLiteral("CzestAsys"), m_scheduler.CzestAsys);
        ini.WriteAsystentSetting(asyst, QStringLiteral("GodzAsys"), m_scheduler.GodzAsys);
        ini.WriteAsystentSetting(asyst, QStringLiteral("DataAsys"), m_scheduler.DataAsys);
        for (const int section : kSaveOrder)
            ini.WriteAsystentSetting(asyst, QLatin1String(Scheduler::SectionNames[section]),
                                     m_scheduler.Sections[section] ? QStringLiteral("T")
                                                                   : QStringLiteral("N"));
        // The options beyond the report are written once they are set or changed, so that a
        // configuration that never had them stays as it was.
        const auto store = [&](const QString& group, const char* key, const QString& value,
                               const QString& read) {
            const bool backupGroup = group == backup;
            const QString name = QLatin1String(key);
            const QString stored =
                backupGroup ? ini.ReadBackupSetting(group, name) : ini.ReadAsystentSetting(group, name);
            if (stored == TMyIniFile::Missing && value == read)
                return;
            if (backupGroup)
                ini.WriteBackupSetting(group, name, value);
            else
                ini.WriteAsystentSetting(group, name, value);
        };
        const auto flag = [](bool on) { return on ? QStringLiteral("T") : QStringLiteral("N"); };
        store(asyst, "Arkusz", flag(cbArkusz->isChecked()), flag(ExtraOptions::workbook(ini)));
        store(asyst, "PolskieLitery", flag(cbPolskieLitery->isChecked()),
              flag(ExtraOptions::polishLetters(ini)));
        store(asyst, "Horyzont", QString::number(seHoryzont->value()),
              QString::number(ExtraOptions::lapseHorizonDays(ini)));
        store(backup, "IleKopii", QString::number(seIleKopii->value()),
              QString::number(ExtraOptions::backupCopiesKept(ini)));
    } catch (const EKolmError& e) {
        m_app.messages().showMessage(e.text(), QString());
        return;
    }
    accept();
}
