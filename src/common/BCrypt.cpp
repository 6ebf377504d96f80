#include "BCrypt.h"

#include "platform/SecureMemory.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringView>
#include <QUuid>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include <crypt.h>

EConvertError::EConvertError(const QString& where, const QString& what, int code, const QString& message)
    : EKolmError(where + QLatin1Char(' ') + what + QStringLiteral(". Error ") + QString::number(code) +
                 QStringLiteral(" (") + message + QLatin1Char(')')) {}

ESystemError::ESystemError(std::uint32_t status, const QString& message)
    : EKolmError(QStringLiteral("NT Error 0x") +
                 QStringLiteral("%1").arg(status | 0x10000000u, 8, 16, QLatin1Char('0')).toUpper() +
                 QStringLiteral(": ") + message),
      m_status(status) {}

namespace {

constexpr int kMinCost = 4;
constexpr int kMaxCost = 31;
constexpr int kDefaultCost = 11; // never hash new passwords cheaper than this
constexpr qsizetype kMaxKeyLength = 72;
constexpr qsizetype kSaltLength = 16;
constexpr qsizetype kSaltTextLength = 22;
constexpr qsizetype kHashTextLength = 31; // 23 of the 24 result bytes
constexpr double kTargetMilliseconds = 250.0;

const char kAlphabet[] = "./ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
const QString kSha256Prefix = QStringLiteral("$bcrypt-sha256$");

void wipeRaw(void* data, std::size_t size) {
    SecureMemory::wipe(data, size);
}

// Wipes a local buffer however the function is left, including by an exception.
template <typename T> class TWipeGuard {
public:
    explicit TWipeGuard(T& buffer) : m_buffer(buffer) {}
    ~TWipeGuard() { TBCrypt::Wipe(m_buffer); }
    TWipeGuard(const TWipeGuard&) = delete;
    TWipeGuard& operator=(const TWipeGuard&) = delete;

private:
    T& m_buffer;
};

// ---- bcrypt base64 ----------------------------------------------------------------------------

int alphabetValue(char16_t c) {
    if (c == u'.')
        return 0;
    if (c == u'/')
        return 1;
    if (c >= u'A' && c <= u'Z')
        return 2 + (c - u'A');
    if (c >= u'a' && c <= u'z')
        return 28 + (c - u'a');
    if (c >= u'0' && c <= u'9')
        return 54 + (c - u'0');
    return -1;
}

// Three bytes give four characters, most significant bits first; no fill characters.
QString encodeBase64(const std::uint8_t* bytes, qsizetype size) {
    QString out;
    out.reserve((size * 4 + 2) / 3);
    for (qsizetype i = 0; i < size; i += 3) {
        const qsizetype n = qMin<qsizetype>(3, size - i);
        std::uint32_t group = std::uint32_t(bytes[i]) << 16;
        if (n > 1)
            group |= std::uint32_t(bytes[i + 1]) << 8;
        if (n > 2)
            group |= bytes[i + 2];
        for (qsizetype k = 0; k <= n; ++k)
            out.append(QLatin1Char(kAlphabet[(group >> (18 - 6 * k)) & 0x3f]));
    }
    return out;
}

// Groups of four characters, a final group of two or three; fails on any character outside the
// alphabet, on a single character left over, and when the text does not give exactly out.size() bytes.
template <std::size_t N> bool decodeBase64(QStringView text, std::array<std::uint8_t, N>& out) {
    std::size_t written = 0;
    for (qsizetype i = 0; i < text.size(); i += 4) {
        const qsizetype n = qMin<qsizetype>(4, text.size() - i);
        if (n == 1)
            return false;
        std::uint32_t group = 0;
        for (qsizetype k = 0; k < 4; ++k) {
            int value = 0;
            if (k < n) {
                value = alphabetValue(text[i + k].unicode());
                if (value < 0)
                    return false;
            }
            group = (group << 6) | std::uint32_t(value);
        }
        for (qsizetype k = 0; k < n - 1; ++k) {
            if (written >= N)
                return false;
            out[written++] = std::uint8_t(group >> (16 - 8 * k));
        }
    }
    return written == N;
}

// ---- key preparation -------------------------------------------------------------------------

bool inCompatibilityZone(QChar c) {
    return c.unicode() >= 0xF900 && c.unicode() <= 0xFFEF;
}

QString foldedCharacter(QChar c) {
    QString one(c);
    QString folded = one.normalized(QString::NormalizationForm_KC);
    TBCrypt::Wipe(one);
    return folded;
}

// Compatibility-zone characters become their standard equivalents, everything else stays. The
// result is measured first so that the password is written into one buffer that is never moved.
QString foldCompatibilityZone(const QString& text) {
    qsizetype length = 0;
    for (const QChar c : text) {
        if (!inCompatibilityZone(c)) {
            ++length;
            continue;
        }
        QString folded = foldedCharacter(c);
        length += folded.size();
        TBCrypt::Wipe(folded);
    }
    QString out(length, Qt::Uninitialized);
    QChar* dst = out.data();
    for (const QChar c : text) {
        if (!inCompatibilityZone(c)) {
            *dst++ = c;
            continue;
        }
        QString folded = foldedCharacter(c);
        for (const QChar f : folded)
            *dst++ = f;
        TBCrypt::Wipe(folded);
    }
    return out;
}

// Calls visit(codePoint) for each code point; an unpaired surrogate counts as U+FFFD, as the
// system's default UTF-16 to UTF-8 conversion does.
template <typename F> void forEachCodePoint(const QString& text, F visit) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            visit(QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(u)) {
            visit(char32_t(0xFFFD));
        } else {
            visit(char32_t(u));
        }
    }
}

int utf8Width(char32_t cp) {
    return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

// Measured first, then written into a buffer of exactly that size, so no copy is left behind.
QByteArray toUtf8(const QString& text) {
    qsizetype length = 0;
    forEachCodePoint(text, [&length](char32_t cp) { length += utf8Width(cp); });
    QByteArray out(length, Qt::Uninitialized);
    auto* dst = reinterpret_cast<unsigned char*>(out.data());
    forEachCodePoint(text, [&dst](char32_t cp) {
        switch (utf8Width(cp)) {
        case 1:
            *dst++ = static_cast<unsigned char>(cp);
            break;
        case 2:
            *dst++ = static_cast<unsigned char>(0xC0 | (cp >> 6));
            *dst++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            break;
        case 3:
            *dst++ = static_cast<unsigned char>(0xE0 | (cp >> 12));
            *dst++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            *dst++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            break;
        default:
            *dst++ = static_cast<unsigned char>(0xF0 | (cp >> 18));
            *dst++ = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            *dst++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            *dst++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            break;
        }
    });
    return out;
}

// Folded and converted to UTF-8; withTerminator appends the zero character first and cuts the bytes
// at the bcrypt key limit (the bcrypt-sha256 pre-hash takes the password without either).
QByteArray passwordBytes(const QString& password, bool withTerminator) {
    QString text(password.size() + (withTerminator ? 1 : 0), Qt::Uninitialized);
    TWipeGuard<QString> textGuard(text);
    std::copy(password.cbegin(), password.cend(), text.begin());
    if (withTerminator)
        text[password.size()] = QChar(0);

    QString folded = foldCompatibilityZone(text);
    TWipeGuard<QString> foldedGuard(folded);
    QByteArray bytes = toUtf8(folded);
    if (!withTerminator || bytes.size() <= kMaxKeyLength)
        return bytes;
    QByteArray key(bytes.constData(), kMaxKeyLength);
    TBCrypt::Wipe(bytes);
    return key;
}

// ---- bcrypt core -----------------------------------------------------------------------------

struct CryptDataDeleter {
    void operator()(crypt_data* data) const {
        wipeRaw(data, sizeof(crypt_data));
        delete data;
    }
};

// The bcrypt core fills the 72 bytes of the key schedule by repeating the key. The library takes a
// zero-terminated phrase and repeats phrase + terminator, so the phrase is chosen to give the same 72
// bytes: for a prepared key (password bytes + 0, or 72 bytes cut) that is simply the password bytes.
// Returns false when no zero-terminated phrase gives these 72 bytes (a zero byte inside the key).
bool keyToPhrase(const QByteArray& key, char (&phrase)[kMaxKeyLength + 1]) {
    unsigned char schedule[kMaxKeyLength];
    for (qsizetype i = 0; i < kMaxKeyLength; ++i)
        schedule[i] = key.isEmpty() ? 0 : static_cast<unsigned char>(key[i % key.size()]);
    qsizetype phraseLength = 0;
    while (phraseLength < kMaxKeyLength && schedule[phraseLength] != 0)
        ++phraseLength;
    bool same = true;
    for (qsizetype i = 0; i < kMaxKeyLength; ++i) {
        const qsizetype j = i % (phraseLength + 1);
        const unsigned char fed = j < phraseLength ? schedule[j] : 0;
        same = same && fed == schedule[i];
    }
    std::memcpy(phrase, schedule, phraseLength);
    phrase[phraseLength] = 0;
    wipeRaw(schedule, sizeof schedule);
    return same;
}

// Checks the arguments in the documented order and returns the 31 hash characters.
QString bcryptHashText(int cost, const QByteArray& key, const QByteArray& salt) {
    if (cost < kMinCost || cost > kMaxCost)
        throw EBCryptException(QStringLiteral("BCrypt cost factor must be between 4..31 (%1)").arg(cost));
    if (key.size() > kMaxKeyLength)
        throw EBCryptException(
            QStringLiteral("Key must be between 0 and 72 bytes long (%1)").arg(key.size()));
    if (salt.size() != kSaltLength)
        throw EBCryptException(QStringLiteral("Salt must be 16 bytes"));

    char phrase[kMaxKeyLength + 1];
    const bool representable = keyToPhrase(key, phrase);
    if (!representable) {
        wipeRaw(phrase, sizeof phrase);
        throw EBCryptException(QStringLiteral("Key must not contain a zero byte before its end"));
    }

    // The library's "$2a$" alters the result for some keys with bytes from 0x80 up (a safeguard of its
    // own); "$2b$" is plain bcrypt, which is what every version of our hash strings means.
    const QByteArray setting =
        QByteArrayLiteral("$2b$") + QByteArray::number(cost).rightJustified(2, '0') + QByteArrayLiteral("$") +
        encodeBase64(reinterpret_cast<const std::uint8_t*>(salt.constData()), salt.size()).toLatin1();

    std::unique_ptr<crypt_data, CryptDataDeleter> data(new crypt_data());
    const char* result = crypt_rn(phrase, setting.constData(), data.get(), int(sizeof(crypt_data)));
    wipeRaw(phrase, sizeof phrase);
    const qsizetype expectedLength = setting.size() + kHashTextLength;
    if (result == nullptr || qsizetype(std::strlen(result)) != expectedLength ||
        std::memcmp(result, setting.constData(), setting.size()) != 0)
        throw EBCryptException(QStringLiteral("BCrypt computation failed"));
    return QString::fromLatin1(result + setting.size(), kHashTextLength);
}

QByteArray saltBytes(const std::array<std::uint8_t, 16>& salt) {
    return QByteArray(reinterpret_cast<const char*>(salt.data()), qsizetype(salt.size()));
}

QString saltText(const std::array<std::uint8_t, 16>& salt) {
    return encodeBase64(salt.data(), qsizetype(salt.size()));
}

std::array<std::uint8_t, 16> newSalt() {
    std::array<std::uint8_t, 16> salt{};
    try {
        std::array<quint32, 4> words{};
        QRandomGenerator::system()->fillRange(words.data(), words.size());
        std::memcpy(salt.data(), words.data(), salt.size());
    } catch (...) {
        // The system generator has no failure result; should it ever throw, a new GUID is random
        // enough for a salt.
        const QByteArray guid = QUuid::createUuid().toRfc4122();
        std::memcpy(salt.data(), guid.constData(), salt.size());
    }
    return salt;
}

// base64(HMAC-SHA-256(salt text, folded UTF-8 password)): 44 characters that replace the password
// of a bcrypt-sha256 hash, so that passwords longer than 72 bytes count in full.
QString preHash(const QString& password, const QString& salt) {
    QByteArray message = passwordBytes(password, false);
    TWipeGuard<QByteArray> messageGuard(message);
    QByteArray digest = QMessageAuthenticationCode::hash(message, salt.toUtf8(), QCryptographicHash::Sha256);
    TWipeGuard<QByteArray> digestGuard(digest);
    if (digest.size() != 32)
        throw EBCryptException(
            QStringLiteral("HMAC-SHA-256 returned %1 bytes instead of 32").arg(digest.size()));
    QByteArray text = digest.toBase64();
    TWipeGuard<QByteArray> textGuard(text);
    return QString::fromLatin1(text);
}

QString formatBcrypt(const QString& version, int cost, const QString& salt, const QString& hash) {
    return QLatin1Char('$') + version + QLatin1Char('$') +
           QStringLiteral("%1").arg(cost, 2, 10, QLatin1Char('0')) + QLatin1Char('$') + salt + hash;
}

QString formatBcryptSha256(const QString& version, int cost, const QString& salt, const QString& hash) {
    return kSha256Prefix + version + QLatin1Char(',') + QString::number(cost) + QLatin1Char('$') + salt +
           QLatin1Char('$') + hash;
}

// Visits every character of expected whatever the differences, so the time taken does not show
// where the first difference lies.
bool sameText(const QString& written, const QString& expected) {
    quint64 diff = quint64(written.size()) ^ quint64(expected.size());
    const qsizetype n = written.size();
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const char16_t w = n == 0 ? char16_t(0) : written[i % n].unicode();
        diff |= quint64(w ^ expected[i].unicode());
    }
    return diff == 0;
}

// ---- parsing ---------------------------------------------------------------------------------

bool isAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

char16_t asciiLower(char16_t u) {
    return (u >= u'A' && u <= u'Z') ? char16_t(u + 32) : u;
}

bool startsWithAsciiNoCase(QStringView text, const QString& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i].unicode()) != asciiLower(prefix[i].unicode()))
            return false;
    return true;
}

// Digits only; a value that does not fit an int is not a cost.
bool parseDecimal(QStringView text, int& value) {
    if (text.isEmpty())
        return false;
    long long v = 0;
    for (const QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
        if (v > INT_MAX)
            return false;
    }
    value = int(v);
    return true;
}

bool isSha256Version(QStringView v) {
    if (v.isEmpty() || v[0] != u'2' || v.size() > 2)
        return false;
    if (v.size() == 1)
        return true;
    const char16_t letter = asciiLower(v[1].unicode());
    return letter == u'a' || letter == u'y' || letter == u'b';
}

bool isBcryptVersion(QStringView v) {
    if (v.isEmpty() || v[0] != u'2')
        return false;
    return v.size() == 1 || (v.size() == 2 && isAsciiLetter(v[1]));
}

// Splits off the part of rest up to the next '$' (excluded) and moves rest past it.
bool takeUntilDollar(QStringView& rest, QStringView& part) {
    const qsizetype d = rest.indexOf(u'$');
    if (d < 0)
        return false;
    part = rest.left(d);
    rest = rest.mid(d + 1);
    return true;
}

} // namespace

// ---- TBCrypt ---------------------------------------------------------------------------------

void TBCrypt::Wipe(QByteArray& bytes) {
    if (!bytes.isEmpty())
        wipeRaw(bytes.data(), std::size_t(bytes.size()));
    bytes.clear();
}

void TBCrypt::Wipe(QString& text) {
    if (!text.isEmpty())
        wipeRaw(text.data(), std::size_t(text.size()) * sizeof(QChar));
    text.clear();
}

QString TBCrypt::MakeHash(const QString& password) {
    int cost = MeasureCost();
    if (cost < kDefaultCost)
        cost = kDefaultCost;
    return MakeHash(password, cost);
}

QString TBCrypt::MakeHash(const QString& password, int cost) {
    const std::array<std::uint8_t, 16> salt = newSalt();
    QByteArray key = passwordBytes(password, true);
    TWipeGuard<QByteArray> keyGuard(key);
    const QString hash = bcryptHashText(cost, key, saltBytes(salt));
    return formatBcrypt(QStringLiteral("2a"), cost, saltText(salt), hash);
}

bool TBCrypt::MatchHash(const QString& password, const QString& expected) {
    ParsedHash parsed;
    if (!ParseHash(expected, parsed))
        throw EKolmError(QStringLiteral("Invalid base64 hash string"));

    const QString salt = saltText(parsed.salt);
    QString replaced;
    TWipeGuard<QString> replacedGuard(replaced);
    if (parsed.isBcryptSha256)
        replaced = preHash(password, salt);

    QByteArray key = passwordBytes(parsed.isBcryptSha256 ? replaced : password, true);
    TWipeGuard<QByteArray> keyGuard(key);
    const QString hash = bcryptHashText(parsed.cost, key, saltBytes(parsed.salt));

    const QString written = parsed.isBcryptSha256
                                ? formatBcryptSha256(parsed.version, parsed.cost, salt, hash)
                                : formatBcrypt(parsed.version, parsed.cost, salt, hash);
    return sameText(written, expected);
}

int TBCrypt::MeasureCost() {
    QElapsedTimer timer;
    timer.start();
    if (!timer.isValid())
        return kDefaultCost;
    MakeHash(QStringLiteral("Benchmark"), 5);
    double t = double(timer.nsecsElapsed()) / 1e6;
    if (!(t > 0))
        return kDefaultCost;
    int cost = 5;
    while (t < kTargetMilliseconds) {
        ++cost;
        t *= 2;
    }
    return cost;
}

bool TBCrypt::ParseHash(const QString& text, ParsedHash& out) {
    if (text.size() <= 26)
        return false;
    ParsedHash result;
    QStringView rest(text);

    if (startsWithAsciiNoCase(rest, kSha256Prefix)) {
        rest = rest.mid(kSha256Prefix.size());
        const qsizetype comma = rest.indexOf(u',');
        if (comma < 0)
            return false;
        const QStringView version = rest.left(comma);
        if (!isSha256Version(version))
            return false;
        rest = rest.mid(comma + 1);
        QStringView costText, salt;
        if (!takeUntilDollar(rest, costText) || !parseDecimal(costText, result.cost) || result.cost <= 3)
            return false;
        if (!takeUntilDollar(rest, salt) || salt.size() != kSaltTextLength ||
            !decodeBase64(salt, result.salt))
            return false;
        result.version = version.toString();
        result.isBcryptSha256 = true;
    } else {
        if (rest[0] != u'$')
            return false;
        rest = rest.mid(1);
        QStringView version, costText;
        if (!takeUntilDollar(rest, version) || !isBcryptVersion(version))
            return false;
        if (!takeUntilDollar(rest, costText) || !parseDecimal(costText, result.cost) || result.cost <= 0)
            return false;
        const qsizetype end = rest.indexOf(u'$');
        const QStringView tail = end < 0 ? rest : rest.left(end);
        if (tail.size() < kSaltTextLength || !decodeBase64(tail.left(kSaltTextLength), result.salt))
            return false;
        result.version = version.toString();
        result.isBcryptSha256 = false;
    }
    out = result;
    return true;
}
