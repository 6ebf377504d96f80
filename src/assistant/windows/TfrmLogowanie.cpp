#include "windows/TfrmLogowanie.h"

#include "Errors.h"
#include "MessageService.h"
#include "PasswordPolicy.h"
#include "widgets/AssistantLook.h"
#include "widgets/TBitBtnWithColor.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace kolmasyst {

namespace {
constexpr int kWidth = 292;

QLineEdit* makeEdit(QWidget* parent, const char* name, int x, int y, bool password) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(x, y, 150, 21);
    if (password)
        e->setEchoMode(QLineEdit::Password);
    AssistantLook::applyEditLook(e);
    return e;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = 118) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x, y, width, 21);
    return l;
}
} // namespace

TfrmLogowanie::TfrmLogowanie(LoginSession& session, IMessageService& messages, QWidget* parent)
    : QDialog(parent), m_session(session), m_messages(messages) {
    setObjectName(QStringLiteral("frmLogowanie"));
    setWindowTitle(QStringLiteral("Logowanie"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setProperty("helpContext", HelpContext);
    AssistantLook::applyFormLook(this);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, kWidth, ChangeHeight);

    Label1 = makeLabel(Panel1, "Label1", QStringLiteral("Nazwa użytkownika:"), 12, 12);
    eNazwa = makeEdit(Panel1, "eNazwa", 130, 12, false);
    eNazwa->setMaxLength(LoginSession::MaxNameLength);
    Label2 = makeLabel(Panel1, "Label2", QStringLiteral("Hasło:"), 12, 40);
    eHaslo = makeEdit(Panel1, "eHaslo", 130, 40, true);

    BitBtn1 = new TBitBtnWithColor(QStringLiteral("OK"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(60, 76, 80, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new TBitBtnWithColor(QStringLiteral("Anuluj"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(152, 76, 80, 25);

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, NormalHeight, kWidth, ChangeHeight - NormalHeight);
    Panel2->setFrameShape(QFrame::StyledPanel);
    Label3 = makeLabel(Panel2, "Label3", QStringLiteral("Nowe hasło:"), 12, 14);
    eNoweHaslo = makeEdit(Panel2, "eNoweHaslo", 130, 14, true);
    Label4 = makeLabel(Panel2, "Label4", QStringLiteral("Potwierdź nowe hasło:"), 12, 44, 110);
    Label4->setFixedHeight(34);
    Label4->setWordWrap(true);
    eNoweHasloPotw = makeEdit(Panel2, "eNoweHasloPotw", 130, 50, true);
    eNoweHaslo->installEventFilter(this);

    setTabOrder(eNazwa, eHaslo);
    setTabOrder(eHaslo, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, eNoweHaslo);
    setTabOrder(eNoweHaslo, eNoweHasloPotw);

    connect(BitBtn1, &QPushButton::clicked, this, &TfrmLogowanie::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmLogowanie::BitBtn2Click);

    m_session.clearUser();
    setWindowHeight(NormalHeight);
}

void TfrmLogowanie::setWindowHeight(int height) {
    setFixedSize(kWidth, height);
}

bool TfrmLogowanie::inChangeMode() const {
    return !eHaslo->isEnabled();
}

void TfrmLogowanie::showEvent(QShowEvent* event) {
    setWindowHeight(NormalHeight);
    eNazwa->setEnabled(true);
    eHaslo->setEnabled(true);
    m_session.releaseRights();
    QDialog::showEvent(event);
    // Centred on the screen; the focus in the name, or in the password when the name is there.
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QLineEdit* first = eNazwa->text().isEmpty() ? eNazwa : eHaslo;
    first->setFocus();
    QTimer::singleShot(0, first, [first] { first->setFocus(); });
}

void TfrmLogowanie::BitBtn1Click() {
    try {
        if (!inChangeMode()) {
            switch (m_session.CheckLogin(eNazwa->text(), eHaslo->text())) {
            case LoginSession::Outcome::LoggedIn:
                accept();
                break;
            case LoginSession::Outcome::ChangeRequired:
                enterChangeMode();
                break;
            case LoginSession::Outcome::Refused:
                break;
            }
            return;
        }
        switch (m_session.CompleteChange(eHaslo->text(), eNoweHaslo->text(), eNoweHasloPotw->text())) {
        case PasswordPolicy::ChangeResult::Changed:
            accept();
            break;
        case PasswordPolicy::ChangeResult::SameAsCurrent:
            eNoweHaslo->setFocus();
            break;
        case PasswordPolicy::ChangeResult::NotConfirmed:
            eNoweHasloPotw->setFocus();
            break;
        case PasswordPolicy::ChangeResult::PolicyFailed:
            break;
        }
    } catch (const EKolmError& e) {
        // Shown like any other error of the program; the dialog stays open.
        m_messages.showMessage(e.text(), QString());
    }
}

void TfrmLogowanie::enterChangeMode() {
    eNazwa->setEnabled(false);
    eHaslo->setEnabled(false);
    setWindowHeight(ChangeHeight);
    eNoweHaslo->setFocus();
}

void TfrmLogowanie::BitBtn2Click() {
    reject();
}

void TfrmLogowanie::InitLogin() {
    m_session.LoadUserRights(eNazwa->text());
}

std::optional<QString> TfrmLogowanie::askLogin() {
    eHaslo->clear();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    m_session.setUserName(eNazwa->text());
    m_session.setUserPassword(eHaslo->text());
    return eHaslo->text();
}

void TfrmLogowanie::reloginRemembered(const QString& name, const QString& storedHash) {
    eNazwa->setText(name);
    eHaslo->setText(storedHash);
    InitLogin();
}

QString TfrmLogowanie::typedPassword() const {
    return eHaslo->text();
}

void TfrmLogowanie::setTypedPassword(const QString& text) {
    eHaslo->setText(text);
}

void TfrmLogowanie::clearFields() {
    for (QLineEdit* e : {eNazwa, eHaslo, eNoweHaslo, eNoweHasloPotw})
        e->clear();
}

bool TfrmLogowanie::eventFilter(QObject* watched, QEvent* event) {
    if (watched == eNoweHaslo && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The key-down of Ctrl or Alt itself counts with its own modifier held.
        Qt::KeyboardModifiers state = key->modifiers();
        if (key->key() == Qt::Key_Control)
            state |= Qt::ControlModifier;
        else if (key->key() == Qt::Key_Alt)
            state |= Qt::AltModifier;
        if (PasswordPolicy::RejectsModifiers(state, QApplication::mouseButtons())) {
            m_messages.showMessage(PasswordPolicy::ModifiedKeyMessage, QString());
            eNoweHaslo->clear();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kolmasyst
