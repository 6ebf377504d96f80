#include "UserFixture.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/TfrmLogowanie.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace kolmasyst;

namespace {

class LoginDialogTest : public UserFixture {
protected:
    void SetUp() override {
        UserFixture::SetUp();
        m_session = std::make_unique<LoginSession>(m_app->karty(), m_messages, m_clock);
        m_dialog = std::make_unique<TfrmLogowanie>(*m_session, m_messages);
    }
    void TearDown() override {
        m_dialog.reset();
        m_session.reset();
        UserFixture::TearDown();
    }
    std::unique_ptr<LoginSession> m_session;
    std::unique_ptr<TfrmLogowanie> m_dialog;
};

TEST_F(LoginDialogTest, ComponentsAndTexts) {
    TfrmLogowanie& d = *m_dialog;
    EXPECT_EQ(d.windowTitle(), "Logowanie");
    EXPECT_EQ(d.property("helpContext").toInt(), 1000);
    EXPECT_EQ(d.Label1->text(), QString::fromUtf8("Nazwa użytkownika:"));
    EXPECT_EQ(d.Label2->text(), QString::fromUtf8("Hasło:"));
    EXPECT_EQ(d.Label3->text(), QString::fromUtf8("Nowe hasło:"));
    EXPECT_EQ(d.Label4->text(), QString::fromUtf8("Potwierdź nowe hasło:"));
    EXPECT_TRUE(d.Label4->wordWrap());
    EXPECT_EQ(d.BitBtn1->text(), "OK");
    EXPECT_TRUE(d.BitBtn1->isDefault());
    EXPECT_EQ(d.BitBtn2->text(), "Anuluj");
    EXPECT_EQ(d.BitBtn1->faceColor(), QColor(237, 216, 131));
    EXPECT_EQ(d.palette().color(QPalette::Window), QColor(244, 232, 181));
    EXPECT_EQ(d.eNazwa->palette().color(QPalette::Base), QColor(255, 255, 223));
    EXPECT_EQ(d.eNazwa->maxLength(), 16);
    for (QLineEdit* e : {d.eHaslo, d.eNoweHaslo, d.eNoweHasloPotw})
        EXPECT_EQ(e->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.eNazwa->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(d.height(), 124);
    EXPECT_EQ(m_session->UserId(), 0);
}

TEST_F(LoginDialogTest, ForcedChangeGrowsTheDialogAndShowingResetsIt) {
    setPolicy(1);
    addUser(5, "ola", storedHash("Stare123!"));
    TfrmLogowanie& d = *m_dialog;
    d.show();
    QTest::keyClicks(d.eNazwa, "OLA");
    QTest::keyClicks(d.eHaslo, "Stare123!");
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(d.inChangeMode());
    EXPECT_EQ(d.height(), 222);
    EXPECT_FALSE(d.eNazwa->isEnabled());
    EXPECT_FALSE(d.eHaslo->isEnabled());
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.shown().first().text.contains("administratora"));

    // The same password again is refused; the dialog stays in change mode.
    m_messages.clear();
    QTest::keyClicks(d.eNoweHaslo, "Stare123!");
    QTest::keyClicks(d.eNoweHasloPotw, "Stare123!");
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(m_messages.texts(), QStringList{QString::fromUtf8(
                                      "Nowo wprowadzone hasło musi różnić się od aktualnie istniejącego!!")});

    d.eNoweHaslo->setText("Nowe1234!");
    d.eNoweHasloPotw->setText("Nowe1234!");
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());

    d.show();
    EXPECT_EQ(d.height(), 124);
    EXPECT_TRUE(d.eNazwa->isEnabled());
    EXPECT_TRUE(d.eHaslo->isEnabled());
    EXPECT_EQ(m_session->Rights(), nullptr);
}

TEST_F(LoginDialogTest, CtrlOrAltAloneEmptiesTheNewPassword) {
    const QString kMessage =
        QString::fromUtf8(" Pole : 'Hasło' może zawierać tylko cyfry oraz znaki z alfabetu angielskiego !");
    TfrmLogowanie& d = *m_dialog;
    d.show();
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool empties;
    };
    const Case cases[] = {
        {Qt::Key_Control, Qt::ControlModifier, true},
        {Qt::Key_V, Qt::ControlModifier, true},
        {Qt::Key_Alt, Qt::AltModifier, true},
        {Qt::Key_X, Qt::ShiftModifier, false},
        {Qt::Key_X, Qt::ControlModifier | Qt::AltModifier, false},
    };
    for (const Case& c : cases) {
        m_messages.clear();
        d.eNoweHaslo->setText("abc");
        // One key-down with exactly this modifier state.
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers,
                        c.key == Qt::Key_X ? QStringLiteral("X") : QString());
        QApplication::sendEvent(d.eNoweHaslo, &press);
        if (c.empties) {
            EXPECT_EQ(d.eNoweHaslo->text(), "") << int(c.key);
            EXPECT_EQ(m_messages.texts(), QStringList{kMessage});
        } else {
            EXPECT_TRUE(d.eNoweHaslo->text().startsWith("abc")) << int(c.key);
            EXPECT_TRUE(m_messages.shown().isEmpty());
        }
    }
    // Pasting with Ctrl+V as typed: the Ctrl key-down already empties the field.
    m_messages.clear();
    d.eNoweHaslo->setText("abc");
    QTest::keyClick(d.eNoweHaslo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d.eNoweHaslo->text(), "");
    EXPECT_FALSE(m_messages.shown().isEmpty());
}

TEST_F(LoginDialogTest, WrongPasswordKeepsTheDialogOpenAndCancelRejects) {
    addUser(3, "jan", storedHash("Dobre123!"));
    TfrmLogowanie& d = *m_dialog;
    d.show();
    d.eNazwa->setText("jan");
    d.eHaslo->setText("zle");
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(m_messages.texts(), QStringList{QString::fromUtf8("Niepoprawne HASŁO lub NAZWA")});
    QTest::mouseClick(d.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Rejected);

    // A stored password that is not a hash: the error is shown, the dialog stays.
    exec("UPDATE APRAWADOSTEPU SET HASLO = 'Dobre123!' WHERE ID = 3");
    m_messages.clear();
    d.show();
    d.eHaslo->setText("Dobre123!");
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(m_messages.texts(), QStringList{"Invalid base64 hash string"});
}

TEST_F(LoginDialogTest, LoginSucceedsWithPolishName) {
    addUser(8, QString::fromUtf8("łucja"), storedHash(QString::fromUtf8("Hasło-ęŁń1")));
    TfrmLogowanie& d = *m_dialog;
    d.show();
    d.eNazwa->setText(QString::fromUtf8("ŁUCJA"));
    d.eHaslo->setText(QString::fromUtf8("Hasło-ęŁń1"));
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted) << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(m_session->UserId(), 8);
}

} // namespace
