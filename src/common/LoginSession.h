#pragma once

#include "PasswordPolicy.h"
#include "TPrawaDostepu.h"

#include <QDateTime>
#include <QString>
#include <memory>

class SharedConnection;
class IMessageService;
class IClock;

// The assistant's login logic behind its login dialog: password login with lockout after
// repeated failures, the forced password change of the password policy, the silent re-login
// of a remembered user, and the state of the logged-in user.
class LoginSession {
public:
    static const QString AccountQuery;
    static const QString WrongMessage;
    static const QString BlockedMessage;
    static const QString NowBlockedMessage;
    static const QString WarningCaption; // "UWAGA"
    static constexpr int MaxNameLength = 16;

    enum class Outcome { LoggedIn, Refused, ChangeRequired };

    LoginSession(SharedConnection& connection, IMessageService& messages, const IClock& clock);

    // The password login (OK in normal mode). On ChangeRequired the notice has been shown and
    // the user must choose a new password before the login completes.
    Outcome CheckLogin(const QString& name, const QString& password);
    // OK in password-change mode: the policy, then the change itself.
    PasswordPolicy::ChangeResult CompleteChange(const QString& currentPassword, const QString& newPassword,
                                                const QString& confirmation);
    // Silent re-login by name: rights, Id and name from the account query, no password check.
    void LoadUserRights(const QString& name);
    // Reloads UserName and UserPassword (the stored hash) of the row with this Id.
    void ReadUserCredentials(int userId);
    // Forgets the logged-in user (cancel, logout).
    void clearUser();
    void releaseRights() { m_rights.reset(); }

    int UserId() const { return m_userId; }
    const QString& UserName() const { return m_userName; }
    const QString& UserPassword() const { return m_userPassword; }
    // The name as typed in the login dialog, which the tray form keeps after a login.
    void setUserName(const QString& name) { m_userName = name; }
    void setUserPassword(const QString& password) { m_userPassword = password; }
    const TPrawaDostepu* Rights() const { return m_rights.get(); }
    int passwordPolicy() const { return m_policy; }
    // The reasons of the last forced change, one "- ..." line each.
    const QString& changeReasons() const { return m_reasons; }

private:
    void lockoutBranch(const QString& lowerName);
    QString collectReasons(const QString& password, bool changedNull, const QDateTime& changed) const;

    SharedConnection& m_connection;
    IMessageService& m_messages;
    const IClock& m_clock;
    std::unique_ptr<TPrawaDostepu> m_rights;
    QString m_userName;
    QString m_userPassword;
    int m_userId = 0;
    qint16 m_policy = 0;
    qint16 m_failures = 0;
    QString m_reasons;
};
