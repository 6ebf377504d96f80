#include "LoginSession.h"

#include "AccountLookup.h"
#include "Clock.h"
#include "MessageService.h"
#include "PasswordPolicy.h"
#include "Passwords.h"
#include "SharedConnection.h"
#include "SqlQuery.h"

const QString LoginSession::AccountQuery = QStringLiteral(
    "SELECT Id, NAZWAUZYTK, IMIE, NAZWISKO, HASLO, AZAKL, ACZYN, ACZYNSTAN,ASWIAD, AOCHRONY, APRAWDOPOD, "
    "AOSOB,AZAWODY, ACZYNNOSCI, AARCHIWUM, AWYPADKI,PSESJA, PCHEM, PPYLY, PBIOL, PHALAS,POSWIETL, PDRGAN, "
    "PPROMIEN, PELEKTROM,PMIKROKL, PMECH, PWYBPOZ, POBCSTAT, PMONOTYP,PWYSFIZ, POBCPSYCH, PSRODOCHR, "
    "PMETPOM,PWYPADCHOR, PDODINFOR, PPROFMED, PPROFTECH,PPROFORG, WKARTPOMP, WKARTPOMS, WZESTZBPOM,"
    "WKARTABEZP, WZ10, WINNE, WSKWPROTPW,WZESTZBWYP,WZESTSTATW, DDobor, DWybor,  DWydruk, BAdmin, BStanow, "
    "BUzytk, BWydruk, PPRAD, WWydrZal, RDODCZYNCHEM, RKOPDANERYZ, BKOPDANEBHP, AWydruk, PUsunSesja, RDodLab, "
    "APrzywroc, ASYNCHO, LObieg, ABLOKWYPADKI, RWlasneKRT, RWlasneCzynn, PWlasneCzynn, POper,AOsobWysw,  "
    "ZmianaHasla ,  RRiskScore, LCBCLOG, DATALOG FROM APRAWADOSTEPU Aprawadostepu where BlokUser=0 and "
    "NAZWAUZYTK=:nazwa");
const QString LoginSession::WrongMessage = QStringLiteral("Niepoprawne HASŁO lub NAZWA");
const QString LoginSession::BlockedMessage =
    QStringLiteral("Konto jest zablokowane, skontaktuj się z administratorem");
const QString LoginSession::NowBlockedMessage =
    QStringLiteral("Konto zostało zablokowane, skontaktuj się z administratorem");
const QString LoginSession::WarningCaption = QStringLiteral("UWAGA");

namespace {

const QString kLineEnd = QStringLiteral("\n\r");

// Date-times compared as the calendar values they show, whatever daylight saving does.
QDateTime naive(const QDateTime& dt) {
    return QDateTime(dt.date(), dt.time(), Qt::UTC);
}

} // namespace

LoginSession::LoginSession(SharedConnection& connection, IMessageService& messages, const IClock& clock)
    : m_connection(connection), m_messages(messages), m_clock(clock) {}

LoginSession::Outcome LoginSession::CheckLogin(const QString& name, const QString& password) {
    const QSqlDatabase db = m_connection.GetDatabase();
    const QString lowerName = name.toLower();
    {
        SqlQuery policy(db);
        policy.prepare(QStringLiteral("SELECT PolitykaHasel FROM OPARAM"));
        policy.open();
        m_policy = qint16(policy.fieldInt(QStringLiteral("PolitykaHasel")));
    }

    bool verified = false;
    bool changedNull = true;
    QDateTime changed;
    {
        SqlQuery account(db);
        if (LookUpAccount(account, AccountQuery, name) &&
            VerifyPassword(password, account.fieldText(QStringLiteral("HASLO")))) {
            verified = true;
            m_rights =
                std::make_unique<TPrawaDostepu>(TPrawaDostepu::fromRow(account, TPrawaDostepu::FieldCount));
            m_userId = account.fieldInt(QStringLiteral("Id"));
            m_userName = account.fieldText(QStringLiteral("NAZWAUZYTK"));
            m_userPassword = password;
            changedNull = account.isNull(QStringLiteral("ZmianaHasla"));
            changed = account.fieldDateTime(QStringLiteral("ZmianaHasla"));
        }
    }
    if (!verified) {
        lockoutBranch(lowerName);
        return Outcome::Refused;
    }

    m_reasons.clear();
    if (m_policy == 1)
        m_reasons = collectReasons(password, changedNull, changed);
    if (!m_reasons.isEmpty()) {
        m_messages.showMessage(
            QStringLiteral("Uwaga!\r\nZgodnie z wdrożoną polityką bezpieczeństwa wymagana jest "
                           "zmiana hasła przez użytkownika, gdyż: ") +
                kLineEnd + m_reasons,
            QString());
        return Outcome::ChangeRequired;
    }
    SqlQuery update(db);
    // The date goes as a value: a user's date format never becomes part of the statement.
    update.prepare(QStringLiteral("UPDATE APRAWADOSTEPU SET LCBCLOG = 0 , DATALOG = :dzis WHERE Id =") +
                   QString::number(m_userId));
    update.bind(QStringLiteral("dzis"), m_clock.today());
    update.execute();
    return Outcome::LoggedIn;
}

QString LoginSession::collectReasons(const QString& password, bool changedNull,
                                     const QDateTime& changed) const {
    QString reasons;
    if (changedNull)
        reasons += QStringLiteral("- hasło było ustawione przez administratora systemu") + kLineEnd;
    else if (naive(changed).msecsTo(naive(m_clock.now())) > qint64(30) * 24 * 3600 * 1000)
        reasons += QStringLiteral("- wygasła ważność hasła") + kLineEnd;
    if (!PasswordPolicy::CheckPasswordPolicy(password, false, m_messages))
        reasons += QStringLiteral("- hasło nie zawiera zestawu wymaganych znaków") + kLineEnd +
                   QStringLiteral(" (małe, duże litery oraz cyfry lub znaki specjalne)") + kLineEnd;
    return reasons;
}

void LoginSession::lockoutBranch(const QString& lowerName) {
    const QSqlDatabase db = m_connection.GetDatabase();
    int blocked = 0;
    m_userId = 0;
    int failures = 0;
    SqlQuery q(db);
    if (LookUpAccount(
            q,
            QStringLiteral(
                "SELECT Id, LCBCLOG, BlokUser FROM APRAWADOSTEPU Aprawadostepu where NAZWAUZYTK=:nazwa"),
            lowerName)) {
        m_userId = q.fieldInt(QStringLiteral("Id"));
        failures = q.fieldInt(QStringLiteral("LCBCLOG"));
        blocked = q.fieldInt(QStringLiteral("BlokUser"));
    }
    q.close();
    m_failures = qint16(failures + 1);
    if (blocked == 1) {
        m_messages.showMessage(BlockedMessage, WarningCaption);
        return;
    }
    SqlQuery update(db);
    if (m_failures <= 5) {
        update.prepare(QStringLiteral("UPDATE APRAWADOSTEPU SET LCBCLOG = :licz WHERE Id =") +
                       QString::number(m_userId));
        update.bind(QStringLiteral("licz"), int(m_failures));
        update.execute();
        m_messages.showMessage(WrongMessage, WarningCaption);
    } else {
        update.prepare(QStringLiteral("UPDATE APRAWADOSTEPU SET LCBCLOG = :licz, BlokUser=1 WHERE Id =") +
                       QString::number(m_userId));
        update.bind(QStringLiteral("licz"), int(m_failures));
        update.execute();
        m_messages.showMessage(NowBlockedMessage, WarningCaption);
    }
}

PasswordPolicy::ChangeResult LoginSession::CompleteChange(const QString& currentPassword,
                                                          const QString& newPassword,
                                                          const QString& confirmation) {
    if (!PasswordPolicy::CheckPasswordPolicy(newPassword, true, m_messages))
        return PasswordPolicy::ChangeResult::PolicyFailed;
    return PasswordPolicy::ChangePassword(currentPassword, newPassword, confirmation, m_userId,
                                          m_connection.GetDatabase(), m_clock, m_messages);
}

void LoginSession::LoadUserRights(const QString& name) {
    SqlQuery account(m_connection.GetDatabase());
    LookUpAccount(account, AccountQuery, name);
    // With no row every value reads as 0 or empty: nobody is logged in.
    m_rights = std::make_unique<TPrawaDostepu>(
        account.eof() ? TPrawaDostepu() : TPrawaDostepu::fromRow(account, TPrawaDostepu::FieldCount));
    m_userId = account.eof() ? 0 : account.fieldInt(QStringLiteral("Id"));
    m_userName = account.eof() ? QString() : account.fieldText(QStringLiteral("NAZWAUZYTK"));
}

void LoginSession::ReadUserCredentials(int userId) {
    SqlQuery q(m_connection.GetDatabase());
    q.prepare(QStringLiteral("SELECT NAZWAUZYTK, HASLO FROM APRAWADOSTEPU WHERE Id =") +
              QString::number(userId));
    q.open();
    if (q.eof())
        return;
    m_userName = q.fieldText(QStringLiteral("NAZWAUZYTK"));
    m_userPassword = q.fieldText(QStringLiteral("HASLO"));
}

void LoginSession::clearUser() {
    m_userId = 0;
    m_userName.clear();
    m_userPassword.clear();
}
