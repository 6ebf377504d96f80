#include "PasswordPolicy.h"

#include "Clock.h"
#include "MessageService.h"
#include "Passwords.h"
#include "SqlQuery.h"

namespace PasswordPolicy {

const QString TooShortMessage = QStringLiteral("Hasło musi się składać z minimum 8 znaków.");
const QString NotCompliantMessage =
    QStringLiteral("Hasło niezgodne z wdrożoną polityką bezpieczeństwa, gdyż nie zawiera:\r\n"
                   "małych liter i dużych liter oraz cyfr lub znaków specjalnych\r\n");
const QString ModifiedKeyMessage =
    QStringLiteral(" Pole : 'Hasło' może zawierać tylko cyfry oraz znaki z alfabetu angielskiego !");
const QString SameAsCurrentMessage =
    QStringLiteral("Nowo wprowadzone hasło musi różnić się od aktualnie istniejącego!!");
const QString ConfirmationMessage =
    QStringLiteral("Błąd w trakcie potwierdzania hasła !!\r\nSpróbuj jeszcze raz.");
const QString UpdatedMessage = QStringLiteral("Haslo zaaktualizowane");

bool CheckPasswordPolicy(const QString& password, bool show, IMessageService& messages) {
    if (password.size() < 8) {
        if (show)
            messages.showMessage(TooShortMessage, QString());
        return false;
    }
    bool small = false, capital = false, other = false;
    for (const QChar c : password) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            small = true;
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            capital = true;
        else
            other = true;
    }
    if (small && capital && other)
        return true;
    if (show)
        messages.showMessage(NotCompliantMessage, QString());
    return false;
}

bool RejectsModifiers(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    if (buttons != Qt::NoButton)
        return false;
    const Qt::KeyboardModifiers relevant = modifiers & ~Qt::KeypadModifier;
    return relevant == Qt::AltModifier || relevant == Qt::ControlModifier;
}

ChangeResult ChangePassword(const QString& current, const QString& newPassword, const QString& confirmation,
                            int userId, const QSqlDatabase& db, const IClock& clock,
                            IMessageService& messages) {
    if (newPassword == current) {
        messages.showMessage(SameAsCurrentMessage, QString());
        return ChangeResult::SameAsCurrent;
    }
    if (newPassword != confirmation) {
        messages.showMessage(ConfirmationMessage, QString());
        return ChangeResult::NotConfirmed;
    }
    // Stored first, confirmed after: a failed hash or update must not be announced as done.
    SqlQuery q(db);
    // The date goes as a value (the day at midnight, as the date text gave before): a user's
    // date format never becomes part of the statement.
    q.prepare(QStringLiteral("UPDATE APRAWADOSTEPU SET Haslo = :nowe , ZmianaHasla= :dzis WHERE Id =") +
              QString::number(userId));
    q.bind(QStringLiteral("nowe"), HashPassword(newPassword));
    q.bind(QStringLiteral("dzis"), clock.today().startOfDay());
    q.execute();
    messages.showMessage(UpdatedMessage, QString());
    return ChangeResult::Changed;
}

} // namespace PasswordPolicy
