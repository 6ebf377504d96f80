#include "logic/DatabaseGate.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "GlobalUtils.h"

namespace kolmasyst {

const QString DatabaseGate::NotConfiguredMessage =
    QStringLiteral("Nie skonfigurowano bazy danych systemu KOLM.\nDodaj bazę w menu „Wybór bazy danych” → "
                   "„Konfiguracja bazy danych” i wybierz ją jako aktywną (nową bazę tworzy polecenie "
                   "kolmdb create <nazwa>, bazę demonstracyjną kolmdb demo).");
const QString DatabaseGate::CannotOpenMessage =
    QStringLiteral("Brak dostępu do bazy danych „%1”:\n%2\n\nSprawdź bazę w menu „Wybór bazy danych” → "
                   "„Konfiguracja bazy danych” albo skontaktuj się z administratorem.");
const QString DatabaseGate::OfferQuestion = QStringLiteral("Otworzyć teraz konfigurację bazy danych?");

DatabaseGate::Result DatabaseGate::check(AppContext& app) {
    Result result;
    result.alias = app.settings().ReadAliasName();
    const AliasRegistry registry(app.aliasRegistryPath());
    if (result.alias.trimmed().isEmpty() || result.alias == TMyIniFile::InvalidAlias ||
        !IsInterBaseAlias(registry, result.alias)) {
        result.state = State::NotConfigured;
        return result;
    }
    if (!app.karty().OpenDatabase(&result.reason)) {
        app.karty().CloseDatabase();
        result.state = State::CannotOpen;
    }
    return result;
}

QString DatabaseGate::message(const Result& result) {
    const QString what = result.state == State::NotConfigured
                             ? NotConfiguredMessage
                             : CannotOpenMessage.arg(result.alias, result.reason.trimmed());
    return what + QStringLiteral("\n\n") + OfferQuestion;
}

} // namespace kolmasyst
