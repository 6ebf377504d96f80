#pragma once

#include <QString>

#include <functional>

class AppContext;
class LoginSession;

namespace kolmasyst {

// Switching the active database from the tray menu (AliasClick), without widgets: the
// configuration file and the shared connection follow the new alias; a logged-in user whose
// password differs there is asked to log in again, and a refusal undoes the switch. A database
// that cannot be opened is reported with the engine's reason and the previous one stays active.
class DatabaseSwitch {
public:
    static const QString ModuleRunningMessage; // "Brak możliwości przełączenia aktywnej bazy danych\r..."
    static const QString ChangingNotice;       // "trwa proces zmiany aktywnej bazy danych na :"
    static const QString NoAccessMessage; // "Brak dostępu do bazy danych; Skontaktuj się z administratorem"

    // What the switch needs of the windows around it.
    struct Hooks {
        std::function<bool()> moduleWindowOpen;
        std::function<void(const QString& info, const QString& alias)> showNotice;
        std::function<void()> closeNotice;
        // The password field of the login dialog (eHaslo).
        std::function<QString()> typedPassword;
        std::function<void(const QString&)> setTypedPassword;
        // Shows the login dialog modally; true when it ends with OK.
        std::function<bool()> relogin;
    };

    enum class Outcome {
        Refused,   // a module window is open: nothing changed
        Unchanged, // the alias was active already
        Switched,
        Undone, // the user did not log in again: the previous database is active
        Failed, // the new database could not be opened: the previous one is active
    };

    DatabaseSwitch(AppContext& app, LoginSession& session, Hooks hooks);

    // aktywnyAlias: the main form's active alias, updated by the switch.
    Outcome AliasClick(const QString& newAlias, QString& aktywnyAlias);

private:
    void writeGlobalPath(const QString& alias);

    AppContext& m_app;
    LoginSession& m_session;
    Hooks m_hooks;
};

} // namespace kolmasyst
