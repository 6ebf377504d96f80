#include "windows/TfrmUstaw.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "IniFile.h"
#include "MessageService.h"
#include "MyIniFile.h"
#include "SharedSettings.h"
#include "jobs/MailJob.h"
#include "widgets/AssistantLook.h"
#include "widgets/HourEdit.h"
#include "widgets/TBitBtnWithColor.h"
#include "widgets/TOwnerDrawnTabBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>

namespace kolmasyst {

namespace {

using namespace Settings;
using Field = Scheduler::Field;

// The order "Zamknij" writes the switches in.
const int kSaveOrder[] = {PracAdm,  StanAdm,   TermRyz,  SrodRyz, CzynnRyz,
                          PrzetBhp, AktualBhp, WyborDob, RoznDob};
// The order "Zamknij" writes the schedules in: the backup first.
const Field kFieldOrder[] = {Field::BackupPeriod, Field::BackupHour, Field::BackupDate,
                             Field::ReportPeriod, Field::ReportHour, Field::ReportDate};

bool isPeriod(Field f) {
    return f == Field::ReportPeriod || f == Field::BackupPeriod;
}
bool isHour(Field f) {
    return f == Field::ReportHour || f == Field::BackupHour;
}

// How the user sees a field in the messages.
QString labelOf(Field f) {
    const bool report = f == Field::ReportPeriod || f == Field::ReportHour || f == Field::ReportDate;
    const QString page = report ? QStringLiteral("Raporty") : QStringLiteral("Backup");
    const QString what = isPeriod(f) ? QStringLiteral("częstotliwość aktywacji")
                         : isHour(f) ? QStringLiteral("godzina aktywacji")
                                     : QStringLiteral("data ostatniej aktywacji");
    return page + QStringLiteral(", ") + what;
}

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

const QString TfrmUstaw::UnreadMessage =
    QStringLiteral("Nie wszystkie ustawienia dały się odczytać; te pola nie zostaną zapisane, dopóki ich nie "
                   "ustawisz:");

TfrmUstaw::TfrmUstaw(AppContext& app, Scheduler& scheduler, QWidget* parent)
    : QDialog(parent), m_app(app), m_scheduler(scheduler) {
    setObjectName(QStringLiteral("frmUstaw"));
    setWindowTitle(QStringLiteral("Ustawienia konfiguracyjne asystenta"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(520, 520);
    setProperty("helpContext", 3400);
    AssistantLook::applyFormLook(this);

    pgUstawCzest = new OwnerDrawnTabs(this);
    pgUstawCzest->setObjectName(QStringLiteral("pgUstawCzest"));
    pgUstawCzest->setGeometry(8, 8, 504, 140);
    tsRaport = schedulePage("tsRaport", eCzestAsys, dtGodzAsys, dtDataAsys, Field::ReportPeriod);
    tsBackup = schedulePage("tsBackup", eCzestBackup, dtGodzBackup, dtDataBackup, Field::BackupPeriod);
    pgUstawCzest->addTab(tsRaport, QStringLiteral("Raporty"));
    pgUstawCzest->addTab(tsBackup, QStringLiteral("Backup"));
    connect(pgUstawCzest, &QTabWidget::currentChanged, this, &TfrmUstaw::pgUstawCzestChange);

    pgKolmAsyst = new OwnerDrawnTabs(this);
    pgKolmAsyst->setObjectName(QStringLiteral("pgKolmAsyst"));
    pgKolmAsyst->setGeometry(8, 156, 504, 310);
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
            cb->setObjectName(QStringLiteral("cb") + QLatin1String(SectionKeys[std::size_t(box.section)]));
            cb->setGeometry(12, y, 480, 20);
            cbSections[box.section] = cb;
            const int section = box.section;
            // The running scheduler follows a click at once.
            connect(cb, &QCheckBox::clicked, this,
                    [this, section](bool on) { m_scheduler.setSection(section, on); });
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
    cbPdfA = new QCheckBox(QStringLiteral("Raporty PDF w formie archiwalnej (PDF/A-1b)"), tsDodatkowe);
    cbPdfA->setObjectName(QStringLiteral("cbPdfA"));
    cbPdfA->setGeometry(12, 180, 480, 20);
    makeLabel(tsDodatkowe, QStringLiteral("Czcionki osadzone w pliku, profil barw sRGB, opis dokumentu XMP"),
              32, 200, 460);
    pgKolmAsyst->addTab(tsDodatkowe, QStringLiteral("Dodatkowe"));
    buildMailPage();
    pgKolmAsyst->setCurrentIndex(1); // "Ryzyko" the first time

    bOK = new TBitBtnWithColor(QStringLiteral("Zamknij"), this);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setGeometry(222, 480, 75, 25);
    bOK->setDefault(true);
    connect(bOK, &QPushButton::clicked, this, &TfrmUstaw::bOKClick);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* TfrmUstaw::schedulePage(const char* name, QLineEdit*& period, HourEdit*& hour, QDateEdit*& date,
                                 Field first) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    makeLabel(page, QStringLiteral("Częstotliwość aktywacji:"), 12, 12);
    period = new QLineEdit(page);
    period->setGeometry(180, 10, 60, 21);
    makeLabel(page, QStringLiteral("[dni]"), 246, 12, 40);
    makeLabel(page, QStringLiteral("Godzina aktywacji:"), 12, 42);
    hour = new HourEdit(page);
    hour->setGeometry(180, 40, 80, 21);
    makeLabel(page, QStringLiteral("Data ostatniej aktywacji:"), 12, 72);
    date = new QDateEdit(page);
    date->setGeometry(180, 70, 110, 21);
    date->setCalendarPopup(true);
    for (QWidget* w :
         {static_cast<QWidget*>(period), static_cast<QWidget*>(hour), static_cast<QWidget*>(date)})
        AssistantLook::applyEditLook(w);
    // Fields in the order of the enumeration: period, hour, date.
    const Field periodField = first, hourField = Field(int(first) + 1), dateField = Field(int(first) + 2);
    const auto changed = [this](Field f) {
        return [this, f] {
            if (!m_loading) {
                m_fields[std::size_t(f)].changed = true;
                markUnread(f, false);
            }
        };
    };
    connect(period, &QLineEdit::textEdited, this, changed(periodField));
    connect(hour, &QTimeEdit::timeChanged, this, changed(hourField));
    connect(date, &QDateEdit::dateChanged, this, changed(dateField));
    // Leaving a field hands its value, and only its own, to the running scheduler.
    connect(period, &QLineEdit::editingFinished, this, [this, periodField] { fieldLeft(periodField); });
    connect(hour, &QAbstractSpinBox::editingFinished, this, [this, hourField] { fieldLeft(hourField); });
    connect(date, &QAbstractSpinBox::editingFinished, this, [this, dateField] { fieldLeft(dateField); });
    return page;
}

void TfrmUstaw::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

QWidget* TfrmUstaw::widgetOf(Field field) const {
    switch (field) {
    case Field::ReportPeriod:
        return eCzestAsys;
    case Field::ReportHour:
        return dtGodzAsys;
    case Field::ReportDate:
        return dtDataAsys;
    case Field::BackupPeriod:
        return eCzestBackup;
    case Field::BackupHour:
        return dtGodzBackup;
    case Field::BackupDate:
        break;
    }
    return dtDataBackup;
}

QString TfrmUstaw::valueOf(Field field) const {
    QWidget* w = widgetOf(field);
    if (isPeriod(field))
        return static_cast<QLineEdit*>(w)->text();
    if (isHour(field))
        return Scheduler::formatHour(static_cast<QTimeEdit*>(w)->time());
    return m_app.dates().formatDate(static_cast<QDateEdit*>(w)->date());
}

bool TfrmUstaw::fieldKnown(Field field) const {
    const FieldState& state = m_fields[std::size_t(field)];
    return state.loaded || state.changed;
}

void TfrmUstaw::markUnread(Field field, bool unread) {
    QWidget* w = widgetOf(field);
    // A field that did not read keeps a warning colour until the user sets it.
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, unread ? QColor(255, 210, 200) : AssistantLook::EditBackground);
    w->setPalette(palette);
    w->setToolTip(unread ? QStringLiteral("Zapisana wartość nie dała się odczytać; pole zostanie zapisane "
                                          "dopiero po jego ustawieniu.")
                         : QString());
}

bool TfrmUstaw::fieldLeft(Field field) {
    if (!fieldKnown(field))
        return true; // a value that never read and was not set stays as the file has it
    const QString value = valueOf(field);
    if (isPeriod(field)) {
        try {
            Scheduler::toDays(value);
        } catch (const EKolmError& e) {
            m_app.messages().showMessage(e.text(), QString());
            return false;
        }
    }
    m_scheduler.setText(field, value);
    return true;
}

void TfrmUstaw::FormShow() {
    const QString pattern = DateConventions::toQtPattern(m_app.dates().shortDateFormat());
    dtDataAsys->setDisplayFormat(pattern);
    dtDataBackup->setDisplayFormat(pattern);
    m_loading = true;
    QStringList unread;
    for (const Field f : kFieldOrder) {
        const QString text = m_scheduler.text(f);
        FieldState& state = m_fields[std::size_t(f)];
        state = FieldState();
        QWidget* w = widgetOf(f);
        try {
            if (text == TMyIniFile::Missing)
                throw EKolmError(QStringLiteral("brak wartości w pliku konfiguracyjnym"));
            if (isPeriod(f)) {
                static_cast<QLineEdit*>(w)->setText(text);
                Scheduler::toDays(text);
            } else if (isHour(f)) {
                static_cast<QTimeEdit*>(w)->setTime(Scheduler::toHour(text));
            } else {
                static_cast<QDateEdit*>(w)->setDate(Scheduler::toDate(m_app, text));
            }
            state.loaded = true;
        } catch (const EKolmError& e) {
            if (isPeriod(f) && text == TMyIniFile::Missing)
                static_cast<QLineEdit*>(w)->clear();
            unread << QStringLiteral("- ") + labelOf(f) + QStringLiteral(": ") + e.text();
        }
        markUnread(f, !state.loaded);
    }
    for (int i = 0; i < SectionCount; ++i)
        cbSections[i]->setChecked(m_scheduler.section(i));
    cbArkusz->setChecked(Settings::workbook(m_app.settings()));
    cbPolskieLitery->setChecked(Settings::polishLetters(m_app.settings()));
    seIleKopii->setValue(backupCopiesKept(m_app.settings()));
    seHoryzont->setValue(lapseHorizonDays(m_app.settings()));
    cbPdfA->setChecked(Settings::pdfArchival(m_app.settings()));
    {
        const Mail::Settings mail = Mail::Settings::read(m_app.settings());
        cbPoczta->setChecked(mail.on);
        eSerwer->setText(mail.server);
        sePort->setValue(mail.port);
        cbZabezpieczenie->setCurrentIndex(int(mail.security));
        seCzas->setValue(mail.timeoutSeconds);
        eUzytkownik->setText(mail.user);
        ePlikHasla->setText(mail.passwordFile);
        ePlikCA->setText(mail.caFile);
        eNadawca->setText(mail.sender);
        eOdbiorcy->setText(mail.recipients.join(QStringLiteral("; ")));
        seLimitPdf->setValue(double(mail.pdfLimitBytes) / (1024 * 1024));
        seJednostki->setValue(unitLevel(m_app.settings()));
        QStringList units;
        QStringList codes = mail.unitRecipients.keys();
        codes.sort();
        for (const QString& code : codes)
            units << code + QLatin1Char('=') + mail.unitRecipients.value(code).join(QStringLiteral("; "));
        mJednostki->setPlainText(units.join(QLatin1Char('\n')));
        if (!mailJob().running())
            lTest->clear();
        // Stored texts the page cannot show as they are.
        const auto check = [&](const Key& key, const QString& label, bool readable, const QString& shown) {
            const QString stored = read(m_app.settings(), key);
            if (stored != TMyIniFile::Missing && !stored.trimmed().isEmpty() && !readable)
                unread << QStringLiteral("- Poczta, %1: \"%2\" – pole pokazuje %3")
                              .arg(label, stored.left(40), shown);
        };
        bool known = true;
        Mail::securityOf(read(m_app.settings(), MailSecurity), &known);
        check(MailSecurity, QStringLiteral("zabezpieczenie"), known, cbZabezpieczenie->currentText());
        const auto number = [&](const Key& key, double low, double high) {
            bool ok = false;
            const double v = read(m_app.settings(), key).trimmed().toDouble(&ok);
            return ok && v >= low && v <= high;
        };
        check(MailPort, QStringLiteral("port"), number(MailPort, 0, 65535), sePort->text());
        check(MailTimeout, QStringLiteral("czas oczekiwania"), number(MailTimeout, 1, 600), seCzas->text());
        check(MailPdfLimit, QStringLiteral("limit plików PDF"), number(MailPdfLimit, 0, 1000),
              seLimitPdf->text());
        check(UnitLevel, QStringLiteral("poziom arkuszy jednostek"), number(UnitLevel, 0, 9),
              seJednostki->text());
    }
    m_shownValues = pageValues();
    m_loading = false;
    // The backup page only for an organisation with a local database file; once hidden it
    // stays hidden.
    bool local = false;
    for (const ListedDatabase& db : usedDatabases(m_app.settings(), AliasRegistry(m_app.aliasRegistryPath())))
        local = local || !db.localFile.isEmpty();
    if (!local && !m_backupHidden) {
        m_backupHidden = true;
        pgUstawCzest->setTabVisible(pgUstawCzest->indexOf(tsBackup), false);
    }
    pgUstawCzest->setCurrentWidget(tsRaport);
    setProperty("helpContext", 3310);
    if (!unread.isEmpty())
        m_app.messages().showMessage(UnreadMessage + QStringLiteral("\n") + unread.join(QLatin1Char('\n')),
                                     QString());
}

void TfrmUstaw::pgUstawCzestChange(int index) {
    setProperty("helpContext", pgUstawCzest->widget(index) == tsRaport ? 3310 : 3320);
}

void TfrmUstaw::bOKClick() {
    // A field still being edited counts as left; a period that is no number keeps the dialog open.
    for (const Field f : kFieldOrder) {
        if (!fieldLeft(f)) {
            if (QWidget* page = widgetOf(f)->parentWidget())
                pgUstawCzest->setCurrentWidget(page);
            widgetOf(f)->setFocus();
            return;
        }
    }
    if (!mailAddressesValid())
        return;
    TMyIniFile& ini = m_app.settings();
    try {
        const Mail::Settings stored = Mail::Settings::read(ini);
        const Mail::Settings typed = mailSettings();
        // Read before the update: the options are written once they are set or changed, so that a
        // configuration that never had them stays as it was.
        struct Option {
            const Key& key;
            QString value;
            QString read;
        };
        const Option options[] = {
            {Settings::Workbook, flag(cbArkusz->isChecked()), flag(Settings::workbook(ini))},
            {Settings::PolishLetters, flag(cbPolskieLitery->isChecked()), flag(Settings::polishLetters(ini))},
            {LapseHorizon, QString::number(seHoryzont->value()), QString::number(lapseHorizonDays(ini))},
            {BackupCopies, QString::number(seIleKopii->value()), QString::number(backupCopiesKept(ini))},
        };
        const QVector<QPair<Key, QString>> now = pageValues();
        ini.Update([&](IniDocument& doc) {
            // The units' recipients: the page's lines replace those of the file.
            if (typed.unitRecipients != stored.unitRecipients) {
                for (const QString& code : stored.unitRecipients.keys())
                    doc.removeKey(TMyIniFile::MailSection, TMyIniFile::composedKey(QStringLiteral("POCZTA"),
                                                                                   unitRecipientsName(code)));
                QStringList codes = typed.unitRecipients.keys();
                codes.sort();
                for (const QString& code : codes)
                    doc.setValue(TMyIniFile::MailSection,
                                 TMyIniFile::composedKey(QStringLiteral("POCZTA"), unitRecipientsName(code)),
                                 typed.unitRecipients.value(code).join(QLatin1Char(';')));
            }
            for (const Field f : kFieldOrder)
                if (fieldKnown(f))
                    set(doc, Scheduler::keyOf(f), m_scheduler.text(f));
            for (const int section : kSaveOrder)
                set(doc, sectionSwitch(section), flag(m_scheduler.section(section)));
            for (const Option& o : options)
                if (has(doc, o.key) || o.value != o.read)
                    set(doc, o.key, o.value);
            // A stored text that does not read stays as it is unless its field was set.
            for (int i = 0; i < now.size() && i < m_shownValues.size(); ++i)
                if (now[i].second != m_shownValues[i].second)
                    set(doc, now[i].first, now[i].second);
        });
    } catch (const EKolmError& e) {
        m_app.messages().showMessage(e.text(), QString());
        return;
    }
    accept();
}

void TfrmUstaw::buildMailPage() {
    tsPoczta = new QWidget;
    tsPoczta->setObjectName(QStringLiteral("tsPoczta"));
    auto edit = [this](const char* name, int x, int y, int width) {
        auto* e = new QLineEdit(tsPoczta);
        e->setObjectName(QLatin1String(name));
        e->setGeometry(x, y, width, 21);
        AssistantLook::applyEditLook(e);
        return e;
    };
    auto spin = [this](auto* box, const char* name, int x, int y, int width) {
        box->setObjectName(QLatin1String(name));
        box->setGeometry(x, y, width, 21);
        AssistantLook::applyEditLook(box);
        return box;
    };
    cbPoczta = new QCheckBox(QStringLiteral("Wysyłaj raport pocztą elektroniczną po każdym udanym przebiegu"),
                             tsPoczta);
    cbPoczta->setObjectName(QStringLiteral("cbPoczta"));
    cbPoczta->setGeometry(12, 6, 480, 20);
    int y = 30;
    makeLabel(tsPoczta, QStringLiteral("Serwer poczty:"), 12, y + 1, 150);
    eSerwer = edit("eSerwer", 160, y, 190);
    makeLabel(tsPoczta, QStringLiteral("Port:"), 360, y + 1, 40);
    sePort = spin(new QSpinBox(tsPoczta), "sePort", 410, y, 80);
    sePort->setRange(0, 65535);
    sePort->setSpecialValueText(QStringLiteral("zwykły"));
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Zabezpieczenie:"), 12, y + 1, 150);
    cbZabezpieczenie = new QComboBox(tsPoczta);
    cbZabezpieczenie->setObjectName(QStringLiteral("cbZabezpieczenie"));
    cbZabezpieczenie->setGeometry(160, y, 110, 21);
    // In the order of Mail::Security.
    cbZabezpieczenie->addItems({QStringLiteral("brak"), QStringLiteral("STARTTLS"), QStringLiteral("TLS")});
    makeLabel(tsPoczta, QStringLiteral("Czas oczekiwania [s]:"), 280, y + 1, 130);
    seCzas = spin(new QSpinBox(tsPoczta), "seCzas", 410, y, 80);
    seCzas->setRange(1, 600);
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Użytkownik:"), 12, y + 1, 150);
    eUzytkownik = edit("eUzytkownik", 160, y, 330);
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Plik z hasłem:"), 12, y + 1, 150);
    ePlikHasla = edit("ePlikHasla", 160, y, 330);
    ePlikHasla->setPlaceholderText(QStringLiteral("czytelny tylko dla właściciela i grupy"));
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Certyfikat CA serwera:"), 12, y + 1, 150);
    ePlikCA = edit("ePlikCA", 160, y, 330);
    ePlikCA->setPlaceholderText(QStringLiteral("gdy serwer ma certyfikat własnego urzędu"));
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Nadawca:"), 12, y + 1, 150);
    eNadawca = edit("eNadawca", 160, y, 330);
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Odbiorcy raportu:"), 12, y + 1, 150);
    eOdbiorcy = edit("eOdbiorcy", 160, y, 330);
    eOdbiorcy->setPlaceholderText(QStringLiteral("adres; adres"));
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Limit plików PDF [MB]:"), 12, y + 1, 150);
    seLimitPdf = spin(new QDoubleSpinBox(tsPoczta), "seLimitPdf", 160, y, 80);
    seLimitPdf->setRange(0, 1000);
    seLimitPdf->setDecimals(1);
    makeLabel(tsPoczta, QStringLiteral("Arkusze jednostek, poziom:"), 250, y + 1, 160);
    seJednostki = spin(new QSpinBox(tsPoczta), "seJednostki", 410, y, 80);
    seJednostki->setRange(0, 9);
    seJednostki->setSpecialValueText(QStringLiteral("wyłączone"));
    y += 23;
    makeLabel(tsPoczta, QStringLiteral("Odbiorcy jednostek:"), 12, y + 1, 150);
    mJednostki = new QPlainTextEdit(tsPoczta);
    mJednostki->setObjectName(QStringLiteral("mJednostki"));
    mJednostki->setGeometry(160, y, 330, 40);
    mJednostki->setPlaceholderText(QStringLiteral("kod jednostki=adres; adres (wiersz na jednostkę)"));
    AssistantLook::applyEditLook(mJednostki);
    y += 44;
    bTest = new TBitBtnWithColor(QStringLiteral("Wyślij wiadomość próbną"), tsPoczta);
    bTest->setObjectName(QStringLiteral("bTest"));
    bTest->setGeometry(12, y, 170, 25);
    lTest = new QLabel(tsPoczta);
    lTest->setObjectName(QStringLiteral("lTest"));
    lTest->setGeometry(190, y - 2, 300, 30);
    lTest->setWordWrap(true);
    lTest->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pgKolmAsyst->addTab(tsPoczta, QStringLiteral("Poczta"));

    m_mailJob = new MailJob(this);
    connect(bTest, &QPushButton::clicked, this, &TfrmUstaw::bTestClick);
    connect(m_mailJob, &MailJob::testDone, this, [this](bool sent, const QString& reply) {
        bTest->setEnabled(true);
        lTest->setText((sent ? QStringLiteral("Wysłano. Serwer: ") : QStringLiteral("Nie wysłano: ")) +
                       reply);
        lTest->setToolTip(lTest->text());
    });
    // A bad address is said as soon as its field is left.
    for (QLineEdit* e : {eNadawca, eOdbiorcy})
        connect(e, &QLineEdit::editingFinished, this, [this] {
            if (!m_loading && isVisible())
                mailAddressesValid();
        });
}

QVector<QPair<Key, QString>> TfrmUstaw::pageValues() const {
    const Mail::Settings s = mailSettings();
    return {
        {PdfArchival, flag(cbPdfA->isChecked())},
        {UnitLevel, QString::number(seJednostki->value())},
        {MailOn, flag(s.on)},
        {MailServer, s.server},
        {MailPort, QString::number(s.port)},
        {MailSecurity, Mail::securityText(s.security)},
        {MailTimeout, QString::number(s.timeoutSeconds)},
        {MailUser, s.user},
        {MailPasswordFile, s.passwordFile},
        {MailCaFile, s.caFile},
        {MailSender, s.sender},
        {MailRecipients, s.recipients.join(QLatin1Char(';'))},
        {MailPdfLimit, QString::number(seLimitPdf->value(), 'g', 6)},
    };
}

Mail::Settings TfrmUstaw::mailSettings() const {
    Mail::Settings s;
    s.on = cbPoczta->isChecked();
    s.server = eSerwer->text().trimmed();
    s.port = sePort->value();
    s.security = Mail::Security(cbZabezpieczenie->currentIndex());
    s.timeoutSeconds = seCzas->value();
    s.user = eUzytkownik->text().trimmed();
    s.passwordFile = ePlikHasla->text().trimmed();
    s.caFile = ePlikCA->text().trimmed();
    s.sender = eNadawca->text().trimmed();
    s.recipients = Mail::splitAddresses(eOdbiorcy->text());
    s.pdfLimitBytes = qint64(seLimitPdf->value() * 1024 * 1024);
    for (const QString& line : mJednostki->toPlainText().split(QLatin1Char('\n'))) {
        const QString code = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QStringList to = Mail::splitAddresses(line.section(QLatin1Char('='), 1));
        if (!code.isEmpty())
            s.unitRecipients[code] << to;
    }
    return s;
}

bool TfrmUstaw::mailAddressesValid() {
    const Mail::Settings s = mailSettings();
    struct Check {
        QWidget* field;
        QStringList addresses;
    };
    QStringList units;
    for (auto it = s.unitRecipients.cbegin(); it != s.unitRecipients.cend(); ++it) {
        units << it.value();
        if (it.value().isEmpty() || it.key().contains(QRegularExpression(QStringLiteral("[\\s;=]"))))
            units << it.key() + QLatin1Char('=');
    }
    const Check checks[] = {{eNadawca, s.sender.isEmpty() ? QStringList() : QStringList{s.sender}},
                            {eOdbiorcy, s.recipients},
                            {mJednostki, units}};
    // The configuration file keeps a value's first 2047 characters only.
    for (QWidget* field : {static_cast<QWidget*>(eOdbiorcy), static_cast<QWidget*>(mJednostki)}) {
        const QStringList lines = field == eOdbiorcy ? QStringList{eOdbiorcy->text()}
                                                     : mJednostki->toPlainText().split(QLatin1Char('\n'));
        for (const QString& line : lines)
            if (line.size() > IniFile::MaxValueLength - 40) {
                pgKolmAsyst->setCurrentWidget(tsPoczta);
                field->setFocus();
                m_app.messages().showMessage(
                    QStringLiteral("Lista adresów jest zbyt długa (najwyżej %1 znaków w wierszu).")
                        .arg(IniFile::MaxValueLength - 40),
                    QString());
                return false;
            }
    }
    for (const Check& c : checks) {
        const QString bad = Mail::badAddress(c.addresses);
        if (bad.isEmpty())
            continue;
        pgKolmAsyst->setCurrentWidget(tsPoczta);
        c.field->setFocus();
        m_app.messages().showMessage(
            QStringLiteral("Błędny adres poczty: „%1”. Adres ma postać nazwa@domena.pl, "
                           "kolejne adresy oddziela średnik.")
                .arg(bad.left(80)),
            QString());
        return false;
    }
    return true;
}

void TfrmUstaw::bTestClick() {
    if (!mailAddressesValid())
        return;
    const Mail::Settings s = mailSettings();
    QString problem = s.problem();
    QString password;
    if (problem.isEmpty() && !s.user.isEmpty())
        password = Mail::readPassword(s.passwordFile, m_app.settings().fileName(), &problem);
    if (!problem.isEmpty()) {
        lTest->setText(QStringLiteral("Nie wysłano: ") + problem);
        return;
    }
    if (!mailJob().startTest(s, password, MailJob::testMessage(s)))
        return;
    bTest->setEnabled(false);
    lTest->setText(QStringLiteral("Łączenie z serwerem %1…").arg(s.server));
}

} // namespace kolmasyst
