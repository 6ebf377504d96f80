#pragma once

#include <QSqlDatabase>
#include <QString>
#include <Qt>

class IMessageService;
class IClock;

// The password policy (at least 8 characters with a small letter a-z, a capital letter A-Z
// and something else) and the password change that stores a new hash with the change date.
namespace PasswordPolicy {

extern const QString TooShortMessage;
extern const QString NotCompliantMessage;
extern const QString ModifiedKeyMessage;
extern const QString SameAsCurrentMessage;
extern const QString ConfirmationMessage;
extern const QString UpdatedMessage;

bool CheckPasswordPolicy(const QString& password, bool show, IMessageService& messages);

// Whether a key press in the new-password field must empty it: exactly Alt alone or exactly
// Ctrl alone, with no mouse button down.
bool RejectsModifiers(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// PolicyFailed is the login's own outcome when the new password fails the policy first.
enum class ChangeResult { Changed, SameAsCurrent, NotConfirmed, PolicyFailed };

// Checks the new password against the current one and its confirmation; on success shows
// the confirmation message and stores the new hash and today's date for the user.
ChangeResult ChangePassword(const QString& current, const QString& newPassword, const QString& confirmation,
                            int userId, const QSqlDatabase& db, const IClock& clock,
                            IMessageService& messages);

} // namespace PasswordPolicy
