#include "AccountLookup.h"

#include "LoginSession.h"
#include "SqlQuery.h"

bool LookUpAccount(SqlQuery& account, const QString& query, const QString& name) {
    const QString lowerName = name.toLower();
    // Longer names cannot be in the table; the engine would refuse them as parameters.
    if (lowerName.size() > LoginSession::MaxNameLength)
        return false;
    account.prepare(query);
    account.bind(QStringLiteral("nazwa"), lowerName);
    account.open();
    return !account.eof();
}
