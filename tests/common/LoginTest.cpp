#include "Errors.h"
#include "LoginSession.h"
#include "PasswordPolicy.h"
#include "Passwords.h"
#include "ReportLogin.h"
#include "UserFixture.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kWrong = "Niepoprawne HASŁO lub NAZWA";
const QString kNowBlocked = "Konto zostało zablokowane, skontaktuj się z administratorem";
const QString kBlocked = "Konto jest zablokowane, skontaktuj się z administratorem";

class LoginTest : public UserFixture {
protected:
    LoginSession session() { return LoginSession(m_app->karty(), m_messages, m_clock); }
};

TEST_F(LoginTest, SuccessFindsNameInAnyCaseAndResetsTheCounter) {
    addUser(7, QString::fromUtf8("żaneta"), storedHash("Tajne123!"), 1, "'2026-12-01 08:00:00'", 0, 3);
    exec("UPDATE APRAWADOSTEPU SET RRISKSCORE = 5, WINNE = 0 WHERE ID = 7");
    LoginSession s = session();
    EXPECT_EQ(s.CheckLogin(QString::fromUtf8("ŻANETA"), "Tajne123!"), LoginSession::Outcome::LoggedIn);
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_EQ(s.UserId(), 7);
    EXPECT_EQ(s.UserName(), QString::fromUtf8("żaneta"));
    EXPECT_EQ(s.UserPassword(), "Tajne123!");
    ASSERT_NE(s.Rights(), nullptr);
    EXPECT_EQ(s.Rights()->RRiskScore, 5);
    EXPECT_EQ(s.Rights()->WINNE, 0);
    EXPECT_EQ(s.Rights()->AZAKL, 1);
    EXPECT_EQ(column(7, "LCBCLOG"), "0");
    EXPECT_EQ(column(7, "DATALOG"), "2026-12-10");
}

TEST_F(LoginTest, SixthFailureBlocksAndTheRightPasswordIsRefusedAfterwards) {
    addUser(3, "jan", storedHash("Dobre123!"));
    LoginSession s = session();
    for (int attempt = 1; attempt <= 5; ++attempt) {
        EXPECT_EQ(s.CheckLogin("jan", "zle"), LoginSession::Outcome::Refused);
        EXPECT_EQ(column(3, "LCBCLOG"), QString::number(attempt));
    }
    EXPECT_EQ(m_messages.texts(), QStringList(5, kWrong));
    EXPECT_EQ(m_messages.shown().last().caption, "UWAGA");
    m_messages.clear();

    EXPECT_EQ(s.CheckLogin("jan", "zle"), LoginSession::Outcome::Refused);
    EXPECT_EQ(m_messages.texts(), QStringList{kNowBlocked});
    EXPECT_EQ(column(3, "LCBCLOG"), "6");
    EXPECT_EQ(column(3, "BLOKUSER"), "1");
    m_messages.clear();

    EXPECT_EQ(s.CheckLogin("jan", "Dobre123!"), LoginSession::Outcome::Refused);
    EXPECT_EQ(m_messages.texts(), QStringList{kBlocked});
    EXPECT_EQ(column(3, "LCBCLOG"), "6");
}

TEST_F(LoginTest, SuccessAfterFourFailuresResetsTheCounter) {
    addUser(3, "jan", storedHash("Dobre123!"));
    LoginSession s = session();
    for (int i = 0; i < 4; ++i)
        s.CheckLogin("jan", "zle");
    EXPECT_EQ(column(3, "LCBCLOG"), "4");
    EXPECT_EQ(s.CheckLogin("JAN", "Dobre123!"), LoginSession::Outcome::LoggedIn);
    EXPECT_EQ(column(3, "LCBCLOG"), "0");
}

TEST_F(LoginTest, UnknownOrOverlongNamesAreJustWrong) {
    addUser(3, "jan", storedHash("Dobre123!"));
    LoginSession s = session();
    for (const QString& name : {QString("nikt"), QString("bardzo-dluga-nazwa-uzytkownika"), QString()}) {
        m_messages.clear();
        EXPECT_EQ(s.CheckLogin(name, "Dobre123!"), LoginSession::Outcome::Refused);
        EXPECT_EQ(m_messages.texts(), QStringList{kWrong}) << name.toStdString();
        EXPECT_EQ(s.UserId(), 0);
    }
    EXPECT_EQ(column(3, "LCBCLOG"), "0");
}

TEST_F(LoginTest, PlainTextStoredPasswordRaisesAndWritesNothing) {
    addUser(3, "jan", "Dobre123!");
    LoginSession s = session();
    try {
        s.CheckLogin("jan", "Dobre123!");
        ADD_FAILURE() << "no error";
    } catch (const EKolmError& e) {
        EXPECT_EQ(e.text(), "Invalid base64 hash string");
    }
    EXPECT_EQ(column(3, "LCBCLOG"), "0");
    EXPECT_EQ(column(3, "DATALOG"), "");
}

TEST_F(LoginTest, ForcedChangeReasons) {
    const QString notice =
        "Uwaga!\r\nZgodnie z wdrożoną polityką bezpieczeństwa wymagana jest zmiana hasła przez "
        "użytkownika, gdyż: \n\r";
    const QString admin = "- hasło było ustawione przez administratora systemu\n\r";
    const QString expired = "- wygasła ważność hasła\n\r";
    const QString weak =
        "- hasło nie zawiera zestawu wymaganych znaków\n\r (małe, duże litery oraz cyfry lub znaki "
        "specjalne)\n\r";
    struct Case {
        int policy;
        const char* changed;
        const char* password;
        QString reasons;
    };
    // Now is 2026-12-10 10:00:00.
    const Case cases[] = {
        {1, "NULL", "Dobre123!", admin},
        {1, "'2026-11-10 10:00:00'", "Dobre123!", ""},
        {1, "'2026-11-10 09:59:59'", "Dobre123!", expired},
        {1, "'2026-12-01 00:00:00'", "dobrehaslo", weak},
        {1, "NULL", "krotkie", admin + weak},
        {1, "'2025-01-01 00:00:00'", "zażółć1234", expired + weak},
        {0, "NULL", "krotkie", ""},
        {2, "'2020-01-01 00:00:00'", "x", ""},
    };
    int id = 10;
    for (const Case& c : cases) {
        ++id;
        setPolicy(c.policy);
        const QString name = QStringLiteral("u%1").arg(id);
        addUser(id, name, storedHash(c.password), 1, c.changed, 0, 2);
        LoginSession s = session();
        m_messages.clear();
        const auto outcome = s.CheckLogin(name, c.password);
        if (c.reasons.isEmpty()) {
            EXPECT_EQ(outcome, LoginSession::Outcome::LoggedIn) << c.changed << " " << c.password;
            EXPECT_TRUE(m_messages.shown().isEmpty());
            continue;
        }
        EXPECT_EQ(outcome, LoginSession::Outcome::ChangeRequired) << c.changed << " " << c.password;
        EXPECT_EQ(m_messages.texts(), QStringList{notice + c.reasons}) << c.changed << " " << c.password;
        EXPECT_EQ(s.UserId(), id);
        EXPECT_EQ(column(id, "LCBCLOG"), "2") << "a forced change writes no bookkeeping";
        EXPECT_EQ(column(id, "DATALOG"), "");
    }
}

TEST_F(LoginTest, CompletingTheForcedChange) {
    setPolicy(1);
    addUser(5, "ola", storedHash("Stare123!"));
    LoginSession s = session();
    ASSERT_EQ(s.CheckLogin("ola", "Stare123!"), LoginSession::Outcome::ChangeRequired);
    m_messages.clear();

    using R = PasswordPolicy::ChangeResult;
    struct Case {
        const char* newPassword;
        const char* confirmation;
        R result;
        const char* message;
    };
    const Case cases[] = {
        {"Krotk1!", "Krotk1!", R::PolicyFailed, "Hasło musi się składać z minimum 8 znaków."},
        {"samemalelitery", "samemalelitery", R::PolicyFailed,
         "Hasło niezgodne z wdrożoną polityką bezpieczeństwa, gdyż nie zawiera:\r\nmałych liter i dużych "
         "liter oraz "
         "cyfr lub znaków specjalnych\r\n"},
        {"Stare123!", "Stare123!", R::SameAsCurrent,
         "Nowo wprowadzone hasło musi różnić się od aktualnie istniejącego!!"},
        {"Nowe1234!", "nowe1234!", R::NotConfirmed,
         "Błąd w trakcie potwierdzania hasła !!\r\nSpróbuj jeszcze raz."},
    };
    for (const Case& c : cases) {
        m_messages.clear();
        EXPECT_EQ(s.CompleteChange("Stare123!", c.newPassword, c.confirmation), c.result) << c.newPassword;
        EXPECT_EQ(m_messages.texts(), QStringList{QString::fromUtf8(c.message)}) << c.newPassword;
        EXPECT_TRUE(VerifyPassword("Stare123!", column(5, "HASLO")));
    }
    m_messages.clear();
    EXPECT_EQ(s.CompleteChange("Stare123!", QString::fromUtf8("Nowe1234ł"), QString::fromUtf8("Nowe1234ł")),
              R::Changed);
    EXPECT_EQ(m_messages.texts(), QStringList{"Haslo zaaktualizowane"});
    const QString stored = column(5, "HASLO");
    EXPECT_TRUE(stored.startsWith("$2a$"));
    EXPECT_TRUE(VerifyPassword(QString::fromUtf8("Nowe1234ł"), stored));
    EXPECT_TRUE(column(5, "ZMIANAHASLA").startsWith("2026-12-10")) << column(5, "ZMIANAHASLA").toStdString();
    EXPECT_EQ(column(5, "DATALOG"), "");

    // The changed password now logs in without a forced change.
    m_messages.clear();
    EXPECT_EQ(session().CheckLogin("ola", QString::fromUtf8("Nowe1234ł")), LoginSession::Outcome::LoggedIn);
}

TEST_F(LoginTest, SilentReloginAndReloadById) {
    addUser(3, "jan", storedHash("Dobre123!"));
    addUser(4, "zablokowany", storedHash("Dobre123!"), 1, "NULL", 1);
    LoginSession s = session();
    s.LoadUserRights("JAN");
    EXPECT_EQ(s.UserId(), 3);
    EXPECT_EQ(s.UserName(), "jan");
    ASSERT_NE(s.Rights(), nullptr);
    EXPECT_EQ(s.Rights()->BWydruk, 1);
    s.setUserPassword("kept");
    s.LoadUserRights("zablokowany");
    EXPECT_EQ(s.UserId(), 0);
    EXPECT_EQ(s.UserName(), "");
    EXPECT_EQ(s.UserPassword(), "kept");
    EXPECT_EQ(s.Rights()->BWydruk, 0);

    s.ReadUserCredentials(3);
    EXPECT_EQ(s.UserName(), "jan");
    EXPECT_TRUE(s.UserPassword().startsWith("$2a$04$"));
    s.ReadUserCredentials(99);
    EXPECT_EQ(s.UserName(), "jan");
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(LoginTest, NullRightsReadAsZero) {
    addUser(3, "jan", storedHash("Dobre123!"), -1);
    LoginSession s = session();
    ASSERT_EQ(s.CheckLogin("jan", "Dobre123!"), LoginSession::Outcome::LoggedIn);
    for (int i = 0; i < TPrawaDostepu::FieldCount; ++i)
        EXPECT_EQ(s.Rights()->value(i), 0) << TPrawaDostepu::fieldNames().at(i).toStdString();
}

TEST_F(LoginTest, ReportGeneratorLoginIgnoresBlockingAndReadsFiftyEightRights) {
    addUser(4, "zablokowany", storedHash("Dobre123!"), 1, "NULL", 1, 6);
    ReportLogin login(m_app->karty(), m_messages);
    EXPECT_TRUE(login.BitBtn1Click("Zablokowany", "Dobre123!"));
    ASSERT_NE(login.Rights(), nullptr);
    EXPECT_EQ(login.Rights()->RDodLab, 1);
    EXPECT_EQ(login.Rights()->APrzywroc, 0) << "rights after the 58th are not read";
    EXPECT_EQ(login.Rights()->RRiskScore, 0);
    EXPECT_TRUE(m_messages.shown().isEmpty());

    EXPECT_FALSE(login.BitBtn1Click("zablokowany", "zle"));
    EXPECT_FALSE(login.BitBtn1Click("nikt-taki-o-bardzo-dlugiej-nazwie", "zle"));
    EXPECT_EQ(m_messages.texts(), QStringList(2, kWrong));
    EXPECT_EQ(m_messages.shown().first().caption, "UWAGA");
    EXPECT_EQ(column(4, "LCBCLOG"), "6");
}

TEST_F(LoginTest, ReportGeneratorServesAnOlderTableTheAssistantCannot) {
    addUser(3, "jan", storedHash("Dobre123!"));
    m_app->karty().CloseDatabase();
    for (const char* col :
         {"APRZYWROC", "ASYNCHO", "LOBIEG", "RWLASNEKRT", "RWLASNECZYNN", "PWLASNECZYNN", "POPER",
          "ABLOKWYPADKI", "AOSOBWYSW", "RRISKSCORE", "ZMIANAHASLA", "LCBCLOG", "DATALOG", "BLOKUSER"})
        exec(QStringLiteral("ALTER TABLE APRAWADOSTEPU DROP %1").arg(col));
    ReportLogin login(m_app->karty(), m_messages);
    EXPECT_TRUE(login.BitBtn1Click("jan", "Dobre123!"));
    LoginSession s = session();
    EXPECT_THROW(s.CheckLogin("jan", "Dobre123!"), EDBEngineError);
}

} // namespace

namespace {

// Dates reach the statements as values: a user's date format, even one holding a quote,
// never becomes SQL text.
TEST_F(LoginTest, DatesAreStoredAsValuesWhateverTheUsersDateFormat) {
    for (const QString& format : {QStringLiteral("dd.MM.yyyy"), QStringLiteral("yyyy'MM'dd"),
                                  QStringLiteral("dd''MM'' OR 1=1 --yyyy")}) {
        SCOPED_TRACE(format.toStdString());
        exec("DELETE FROM APRAWADOSTEPU");
        addUser(5, "ola", storedHash("Stare123!"), 1, "'2026-12-01 08:00:00'");
        addUser(6, "inny", storedHash("Inne123!"), 1, "'2026-12-01 08:00:00'");
        m_app->dates().ApplyDateFormat(format);
        LoginSession s = session();
        ASSERT_EQ(s.CheckLogin("ola", "Stare123!"), LoginSession::Outcome::LoggedIn)
            << m_messages.texts().join('|').toStdString();
        EXPECT_EQ(column(5, "DATALOG"), "2026-12-10");
        EXPECT_EQ(column(6, "DATALOG"), "") << "no other row touched";
        EXPECT_EQ(s.CompleteChange("Stare123!", "Nowe1234!", "Nowe1234!"),
                  PasswordPolicy::ChangeResult::Changed);
        EXPECT_TRUE(column(5, "ZMIANAHASLA").startsWith("2026-12-10"))
            << column(5, "ZMIANAHASLA").toStdString();
        EXPECT_TRUE(column(6, "ZMIANAHASLA").startsWith("2026-12-01"));
        m_messages.clear();
    }
}

// A database that cannot be opened: the queries that follow say why, with the access message,
// instead of an empty text.
TEST_F(LoginTest, QueriesOnADatabaseThatCouldNotBeOpenedTellTheReason) {
    m_app->karty().CloseDatabase();
    QFile::remove(m_db);
    try {
        session().CheckLogin("ola", "x");
        FAIL() << "no error";
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.text().startsWith(SharedConnection::AccessMessage)) << e.text().toStdString();
        EXPECT_GT(e.text().size(), SharedConnection::AccessMessage.size() + 10) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QFileInfo(m_db).fileName())) << e.text().toStdString();
    }
}

} // namespace
