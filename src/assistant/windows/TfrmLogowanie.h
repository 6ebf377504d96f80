#pragma once

#include "LoginSession.h"

#include <QDialog>

#include <optional>

class QFrame;
class QLabel;
class QLineEdit;

namespace kolmasyst {

class TBitBtnWithColor;

// The assistant's login dialog: name and password (height 124), and below them the fields
// of a forced password change (height 222). The logic lives in LoginSession.
class TfrmLogowanie : public QDialog {
    Q_OBJECT
public:
    static constexpr int NormalHeight = 124;
    static constexpr int ChangeHeight = 222;
    static constexpr int HelpContext = 1000;

    TfrmLogowanie(LoginSession& session, IMessageService& messages, QWidget* parent = nullptr);

    LoginSession& session() { return m_session; }
    bool inChangeMode() const;

    // Name and password locked, the change fields shown.
    void enterChangeMode();
    // Silent re-login of a remembered user by the name in eNazwa.
    void InitLogin();

    // The modal login: the password field cleared, the dialog shown. On OK the session holds the
    // name as typed and the typed password, which is returned; nothing when it was cancelled.
    std::optional<QString> askLogin();
    // A remembered user logged in again without the dialog (name and stored password hash).
    void reloginRemembered(const QString& name, const QString& storedHash);
    // What the password field holds, and replacing it (a database switch keeps it in step).
    QString typedPassword() const;
    void setTypedPassword(const QString& text);
    // Logout: every field emptied.
    void clearFields();

    QFrame* Panel1;
    QLineEdit* eNazwa;
    QLineEdit* eHaslo;
    QLabel* Label1;
    QLabel* Label2;
    TBitBtnWithColor* BitBtn1;
    TBitBtnWithColor* BitBtn2;
    QFrame* Panel2;
    QLabel* Label3;
    QLabel* Label4;
    QLineEdit* eNoweHaslo;
    QLineEdit* eNoweHasloPotw;

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setWindowHeight(int height);

    LoginSession& m_session;
    IMessageService& m_messages;
};

} // namespace kolmasyst
