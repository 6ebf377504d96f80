#pragma once

#include "LoginSession.h"

#include <QDialog>

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
