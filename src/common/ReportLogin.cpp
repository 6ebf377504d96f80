#include "ReportLogin.h"

#include "AccountLookup.h"
#include "LoginSession.h"
#include "MessageService.h"
#include "Passwords.h"
#include "SharedConnection.h"
#include "SqlQuery.h"

const QString ReportLogin::AccountQuery = QStringLiteral(
    "SELECT Id, NAZWAUZYTK, HASLO, AZAKL, ACZYN, ACZYNSTAN,ASWIAD, AOCHRONY, APRAWDOPOD, AOSOB,AZAWODY, "
    "ACZYNNOSCI, AARCHIWUM, AWYPADKI,PSESJA, PCHEM, PPYLY, PBIOL, PHALAS,POSWIETL, PDRGAN, PPROMIEN, "
    "PELEKTROM,PMIKROKL, PMECH, PWYBPOZ, POBCSTAT, PMONOTYP,PWYSFIZ, POBCPSYCH, PSRODOCHR, "
    "PMETPOM,PWYPADCHOR, "
    "PDODINFOR, PPROFMED, PPROFTECH,PPROFORG, WKARTPOMP, WKARTPOMS, WZESTZBPOM,WKARTABEZP, WZ10, WINNE, "
    "WSKWPROTPW,WZESTZBWYP,WZESTSTATW, DDobor, DWybor,  DWydruk, BAdmin, BStanow, BUzytk, BWydruk, PPRAD, "
    "WWydrZal, RDODCZYNCHEM, RKOPDANERYZ, BKOPDANEBHP, AWydruk, PUsunSesja, RDodLab FROM APRAWADOSTEPU "
    "Aprawadostepu where NAZWAUZYTK=:nazwa");

ReportLogin::ReportLogin(SharedConnection& connection, IMessageService& messages)
    : m_connection(connection), m_messages(messages) {}

bool ReportLogin::BitBtn1Click(const QString& name, const QString& password) {
    {
        SqlQuery account(m_connection.GetDatabase());
        if (LookUpAccount(account, AccountQuery, name) &&
            VerifyPassword(password, account.fieldText(QStringLiteral("HASLO")))) {
            m_rights = std::make_unique<TPrawaDostepu>(
                TPrawaDostepu::fromRow(account, TPrawaDostepu::ReportGeneratorFieldCount));
            return true;
        }
    }
    m_messages.showMessage(LoginSession::WrongMessage, LoginSession::WarningCaption);
    return false;
}
