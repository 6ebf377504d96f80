#pragma once

#include "Errors.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// Arguments of the bcrypt computation out of range (cost, key length, salt length).
class EBCryptException : public EKolmError {
public:
    using EKolmError::EKolmError;
};

// A password text that could not be folded or converted to UTF-8.
class EConvertError : public EKolmError {
public:
    using EKolmError::EKolmError;
    // "<where> <what>. Error <code> (<message>)", the form every conversion step reports.
    EConvertError(const QString& where, const QString& what, int code, const QString& message);
};

// A failure status of the cryptography provider.
class ESystemError : public EKolmError {
public:
    // The text is "NT Error 0x%.8x: %s" with the status carrying the customer bit 0x10000000.
    ESystemError(std::uint32_t status, const QString& message);
    std::uint32_t status() const { return m_status; }

private:
    std::uint32_t m_status;
};

// Password hashes of the column APRAWADOSTEPU.Haslo. Two formats are accepted:
//   bcrypt         "$2a$12$" + salt (22) + hash (31); version "2" or "2" plus one letter;
//   bcrypt-sha256  "$bcrypt-sha256$2b,12$" + salt (22) + "$" + hash (31); the password is first
//                  replaced by base64(HMAC-SHA-256(salt text, password)).
// New hashes are always bcrypt format, version "2a".
class TBCrypt {
public:
    struct ParsedHash {
        QString version; // as written in the hash, e.g. "2a", "2Y"
        int cost = 0;
        std::array<std::uint8_t, 16> salt{};
        bool isBcryptSha256 = false;
    };

    TBCrypt() = delete;

    // Cost chosen by MeasureCost, never below 11.
    static QString MakeHash(const QString& password);
    // New random salt, version "2a". Throws EBCryptException for a cost outside 4..31.
    static QString MakeHash(const QString& password, int cost);
    // Throws EKolmError("Invalid base64 hash string") when expected is not a hash at all, and
    // EBCryptException when its cost is outside 4..31.
    static bool MatchHash(const QString& password, const QString& expected);
    // The cost at which one hash takes about 250 ms on this machine (11 when it cannot be timed).
    static int MeasureCost();
    // Never throws; out is written only on success.
    static bool ParseHash(const QString& text, ParsedHash& out);

    // Overwrite a buffer that held password material before it is released. Only the caller's own
    // (unshared) buffer is overwritten; a shared one is detached and its copy cleared.
    static void Wipe(QByteArray& bytes);
    static void Wipe(QString& text);
};
