#include "Passwords.h"

#include "BCrypt.h"
#include "Win1250.h"

namespace {

// The stored hashes were made from the password's UTF-8 bytes read back as Windows-1250 text, so a
// password with Polish letters is hashed in that double-encoded form; ASCII passwords are unchanged.
QString legacyKeyText(const QString& plain) {
    QByteArray utf8 = plain.toUtf8();
    QString text = Win1250::decode(utf8);
    TBCrypt::Wipe(utf8);
    return text;
}

} // namespace

QString HashPassword(const QString& plain) {
    QString text;
    try {
        text = legacyKeyText(plain);
        QString hash = TBCrypt::MakeHash(text);
        TBCrypt::Wipe(text);
        return hash;
    } catch (const EKolmError& e) {
        TBCrypt::Wipe(text);
        throw EKolmError(QStringLiteral("Błąd haszowania: ") + e.text());
    } catch (const std::exception& e) {
        TBCrypt::Wipe(text);
        throw EKolmError(QStringLiteral("Błąd haszowania: ") + QString::fromLocal8Bit(e.what()));
    }
}

bool VerifyPassword(const QString& plain, const QString& stored) {
    QString text = legacyKeyText(plain);
    try {
        const bool match = TBCrypt::MatchHash(text, stored);
        TBCrypt::Wipe(text);
        return match;
    } catch (...) {
        TBCrypt::Wipe(text);
        throw;
    }
}
