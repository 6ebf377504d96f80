#include "logic/DatabaseSwitch.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "LoginSession.h"
#include "MessageService.h"
#include "SharedSettings.h"

namespace kolmasyst {

const QString DatabaseSwitch::ModuleRunningMessage = QStringLiteral(
    "Brak możliwości przełączenia aktywnej bazy danych\rUruchomiony jest jeden z modułów systemu KOLM");
const QString DatabaseSwitch::ChangingNotice = QStringLiteral("trwa proces zmiany aktywnej bazy danych na :");
const QString DatabaseSwitch::NoAccessMessage =
    QStringLiteral("Brak dostępu do bazy danych; Skontaktuj się z administratorem");

DatabaseSwitch::DatabaseSwitch(AppContext& app, LoginSession& session, Hooks hooks)
    : m_app(app), m_session(session), m_hooks(std::move(hooks)) {}

DatabaseSwitch::Outcome DatabaseSwitch::AliasClick(const QString& newAlias, QString& aktywnyAlias) {
    if (m_hooks.moduleWindowOpen && m_hooks.moduleWindowOpen()) {
        m_app.messages().showMessage(ModuleRunningMessage, QString());
        return Outcome::Refused;
    }
    const QString previousAlias = aktywnyAlias;
    const QString previousPassword = m_session.UserPassword();
    TMyIniFile& ini = m_app.settings();
    SharedConnection& karty = m_app.karty();
    ini.WriteAliasName(newAlias);
    Outcome outcome = Outcome::Unchanged;
    if (aktywnyAlias != newAlias) {
        outcome = Outcome::Switched;
        try {
            if (m_hooks.showNotice)
                m_hooks.showNotice(ChangingNotice, newAlias);
            karty.CloseDatabase();
            QString reason;
            const bool opened = karty.OpenDatabase(&reason);
            if (m_hooks.closeNotice)
                m_hooks.closeNotice();
            if (!opened) {
                // The assistant keeps running on the database it had.
                m_app.messages().showMessage(SharedConnection::AccessMessage + reason, QString());
                ini.WriteAliasName(previousAlias);
                karty.CloseDatabase();
                return Outcome::Failed;
            }
            aktywnyAlias = newAlias;
            if (m_session.UserId() != 0) {
                // A user without a row in the new database must log in again there.
                m_session.setUserPassword(QString());
                m_session.ReadUserCredentials(m_session.UserId());
                if (m_session.UserPassword() !=
                    (m_hooks.typedPassword ? m_hooks.typedPassword() : QString())) {
                    if (m_hooks.setTypedPassword)
                        m_hooks.setTypedPassword(QString());
                    if (!m_hooks.relogin || !m_hooks.relogin()) {
                        ini.WriteAliasName(previousAlias);
                        aktywnyAlias = previousAlias;
                        m_session.setUserPassword(previousPassword);
                        if (m_hooks.setTypedPassword)
                            m_hooks.setTypedPassword(previousPassword);
                        karty.CloseDatabase();
                        return Outcome::Undone;
                    }
                }
            }
        } catch (const EKolmError&) {
            if (m_hooks.closeNotice)
                m_hooks.closeNotice();
            m_app.messages().showMessage(NoAccessMessage, QString());
        }
    }
    writeGlobalPath(aktywnyAlias);
    return outcome;
}

void DatabaseSwitch::writeGlobalPath(const QString& alias) {
    const QString fileName =
        ExtractNamePart(AliasServerName(AliasRegistry(m_app.aliasRegistryPath()), alias));
    const QString path = Settings::readFolder(m_app.settings(), Settings::Folder::Database, alias);
    Settings::write(m_app.settings(), Settings::ActiveDatabasePath, path + QLatin1Char('/') + fileName);
}

} // namespace kolmasyst
