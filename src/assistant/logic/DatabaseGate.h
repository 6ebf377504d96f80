#pragma once

#include <QString>

class AppContext;

namespace kolmasyst {

// Whether there is an active database to log in to. On a fresh installation there is none, and
// a database that cannot be opened leaves the user at the same place: in both cases the user is
// told once what is missing and where to mend it, instead of a login that cannot succeed.
class DatabaseGate {
public:
    enum class State { Ready, NotConfigured, CannotOpen };
    struct Result {
        State state = State::Ready;
        QString alias;
        QString reason; // the engine's text for CannotOpen
    };

    static const QString NotConfiguredMessage;
    static const QString CannotOpenMessage; // %1 the alias, %2 the engine's reason
    static const QString OfferQuestion;     // "Otworzyć teraz konfigurację bazy danych?"

    // Opens the shared connection on the active alias. A connection that failed is forgotten,
    // so that the next check tries again (after the user has mended the configuration).
    static Result check(AppContext& app);
    // What the user is told, the offer of the databases dialog included.
    static QString message(const Result& result);
};

} // namespace kolmasyst
