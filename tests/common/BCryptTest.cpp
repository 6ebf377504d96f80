#include "BCrypt.h"
#include "Passwords.h"
#include "Win1250.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <typeinfo>
#include <vector>

namespace {

// Low costs keep the suite fast; the cost does not change any rule under test.
constexpr int kCost = 4;

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Runs f and returns the text of the error it raised, checking the error's exact class.
template <typename Expected, typename F> QString errorText(F f) {
    try {
        f();
    } catch (const EKolmError& e) {
        EXPECT_EQ(typeid(e), typeid(Expected)) << e.text().toStdString();
        return e.text();
    }
    ADD_FAILURE() << "no error raised";
    return QString();
}

struct Vector {
    const char* password; // UTF-8
    const char* hash;
};

// Published bcrypt pairs (the OpenBSD / Openwall suite and other bcrypt libraries' test data), each
// checked against the system's crypt library before being copied here.
const Vector kPublishedVectors[] = {
    {"U*U", "$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW"},
    {"U*U*", "$2a$05$CCCCCCCCCCCCCCCCCCCCC.VGOzA784oUp/Z0DY336zx7pLYAy0lwK"},
    {"U*U*U", "$2a$05$XXXXXXXXXXXXXXXXXXXXXOAcXxm9kjPGEMsLznoKqmqw7tc8WCx4a"},
    {"", "$2a$05$CCCCCCCCCCCCCCCCCCCCC.7uG0VCzI2bS7j6ymqJi9CdcdxiRTWNy"},
    {"", "$2a$04$zVHmKQtGGQob.b/Nc7l9NO8UlrYcW05FiuCj/SxsFO/ZtiN9.mNzy"},
    {"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789",
     "$2a$05$abcdefghijklmnopqrstuu5s2v8.iXieOjg/.AySBTTZIIVFJeBui"},
    {"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789chars after 72 are ignored",
     "$2a$05$abcdefghijklmnopqrstuu5s2v8.iXieOjg/.AySBTTZIIVFJeBui"},
    {"Kk4DQuMMfZL9o", "$2b$04$cVWp4XaNU8a4v1uMRum2SO026BWLIoQMD/TXg5uZV.0P.uO8m3YEm"},
    {"9IeRXmnGxMYbs", "$2b$04$pQ7gRO7e6wx/936oXhNjrOUNOHL1D0h1N2IDbJZYs.1ppzSof6SPy"},
    {"rasmuslerdorf", "$2y$10$.vGA1O9wmRjrwAVXD98HNOgsNpDczlqm3Jq7KnEd1rVAGv3Fykk1a"},
};

// Made offline with Python 3: salt bytes 10 11 .. 1f, key = UTF-8 of the password with the
// characters U+F900..U+FFEF NFKC-folded, hashed by crypt.crypt(key, "$2b$04$" + salt text) and
// written back as "$2a$04$...". Non-ASCII key bytes and 4-byte UTF-8 are covered here.
const Vector kComputedVectors[] = {
    // U+1F600 and the ligature U+FB01 (folded to "fi").
    {"\xF0\x9F\x98\x80\xEF\xAC\x81", "$2a$04$C/CQCvOTDfaWEPmZF/ycFupHr5AdAgmANRpGHN.21JipUy9BPeKIi"},
};

// Made offline with Python 3 for the password "Łąka-Ęń Żółw 1!" as the login delivers it: its UTF-8
// bytes read as Windows-1250 (0x81 and 0x98 kept as U+0081, U+0098), that text's UTF-8 bytes hashed by
// crypt.crypt(..., "$2b$04$C/CQCvOTDfaWEPmZF/ycFu") and written back as "$2a$04$...".
const char* const kPolishPassword = "Łąka-Ęń Żółw 1!";
const char* const kPolishStoredHash = "$2a$04$C/CQCvOTDfaWEPmZF/ycFuHFkyAJGfTZAa.xvjFUon/bg3ZfHVc6W";

// Made offline with Python 3: salt bytes a1 b2 c3 d4 e5 f6 07 18 29 3a 4b 5c 6d 7e 8f 90 (text
// "mZJBzMV0/venMiraZV4Ni."), pre = base64.b64encode(hmac.new(salt_text.encode(), folded_password.encode(),
// hashlib.sha256).digest()), hash = crypt.crypt(pre, "$2b$05$" + salt_text)[-31:], formatted as
// "$bcrypt-sha256$2b,5$<salt>$<hash>". The password (91 UTF-8 bytes) starts with the fullwidth
// U+FF30 and the ligature U+FB01, which fold to "P" and "fi".
const QString kLongPassword = u("\xEF\xBC\xB0"
                                "assword \xEF\xAC\x81"
                                "rst: ") +
                              QString(70, QLatin1Char('x')) + QStringLiteral(" tail");
const char* const kSha256Hash = "$bcrypt-sha256$2b,5$mZJBzMV0/venMiraZV4Ni.$59/Y1sF0MQzZeUlEHOsZtEn17YeRGIK";
// The same password without its last character.
const char* const kSha256HashShorter =
    "$bcrypt-sha256$2b,5$mZJBzMV0/venMiraZV4Ni.$PFGxjDa1mAvjO5RVREWqtzcMd/RsONa";
// The empty password, version "2a", cost 4.
const char* const kSha256HashEmpty =
    "$bcrypt-sha256$2a,4$mZJBzMV0/venMiraZV4Ni.$KHTba4NbCvl0tmQAa4Bo1WIYnw4dcdy";

} // namespace

TEST(BCryptMatch, PublishedVectorsVerify) {
    for (const Vector& v : kPublishedVectors) {
        const QString password = u(v.password);
        const QString hash = QString::fromLatin1(v.hash);
        EXPECT_TRUE(TBCrypt::MatchHash(password, hash)) << v.hash;
        if (password.toUtf8().size() < 72) {
            EXPECT_FALSE(TBCrypt::MatchHash(password + QStringLiteral("!"), hash)) << v.hash;
        }
    }
}

TEST(BCryptMatch, ComputedVectorsVerify) {
    for (const Vector& v : kComputedVectors)
        EXPECT_TRUE(TBCrypt::MatchHash(u(v.password), QString::fromLatin1(v.hash))) << v.hash;
}

TEST(BCryptMatch, BcryptSha256CountsTheWholePassword) {
    const QString hash = QString::fromLatin1(kSha256Hash);
    EXPECT_TRUE(TBCrypt::MatchHash(kLongPassword, hash));
    EXPECT_FALSE(TBCrypt::MatchHash(kLongPassword.chopped(1), hash));
    EXPECT_TRUE(TBCrypt::MatchHash(kLongPassword.chopped(1), QString::fromLatin1(kSha256HashShorter)));
    EXPECT_TRUE(TBCrypt::MatchHash(QString(), QString::fromLatin1(kSha256HashEmpty)));
    EXPECT_FALSE(TBCrypt::MatchHash(QStringLiteral("x"), QString::fromLatin1(kSha256HashEmpty)));

    // The prefix is recognised in any letter case, but the rewritten string has it in lower case.
    const QString upper = QStringLiteral("$BCRYPT-SHA256$") + hash.mid(15);
    TBCrypt::ParsedHash parsed;
    ASSERT_TRUE(TBCrypt::ParseHash(upper, parsed));
    EXPECT_TRUE(parsed.isBcryptSha256);
    EXPECT_FALSE(TBCrypt::MatchHash(kLongPassword, upper));
}

TEST(BCryptMatch, VersionDoesNotChangeTheComputationAndIsKept) {
    const QString password = QStringLiteral("Haslo-123");
    const QString made = TBCrypt::MakeHash(password, kCost);
    ASSERT_TRUE(made.startsWith(QStringLiteral("$2a$")));
    for (const char* version : {"2", "2b", "2y", "2x", "2B", "2Z"}) {
        QString hash = made;
        hash.replace(1, 2, QString::fromLatin1(version));
        EXPECT_TRUE(TBCrypt::MatchHash(password, hash)) << version;
        EXPECT_FALSE(TBCrypt::MatchHash(QStringLiteral("Haslo-124"), hash)) << version;
    }
}

TEST(BCryptMatch, NearMissStringsDoNotMatch) {
    const QString password = QStringLiteral("U*U");
    const QString hash = QString::fromLatin1(kPublishedVectors[0].hash);
    const QString lastSaltChanged = hash.left(28) + QLatin1Char('/') + hash.mid(29); // same top bits
    for (const QString& candidate : {
             hash + QStringLiteral("extra"), hash.chopped(1), hash.chopped(10), hash.left(29),
             hash.left(59) + QLatin1Char('X'), lastSaltChanged,
             hash.left(4) + QStringLiteral("5") + hash.mid(6), // cost "5" rewritten as "05"
         })
        EXPECT_FALSE(TBCrypt::MatchHash(password, candidate)) << candidate.toStdString();
}

TEST(BCryptMake, FormatAndRoundTrip) {
    const QRegularExpression format(QStringLiteral("^\\$2a\\$05\\$[./A-Za-z0-9]{53}$"));
    const QString a = TBCrypt::MakeHash(QStringLiteral("Tajne!1"), 5);
    const QString b = TBCrypt::MakeHash(QStringLiteral("Tajne!1"), 5);
    EXPECT_TRUE(format.match(a).hasMatch()) << a.toStdString();
    EXPECT_NE(a, b) << "each hash gets a new salt";
    EXPECT_TRUE(TBCrypt::MatchHash(QStringLiteral("Tajne!1"), a));
    EXPECT_TRUE(TBCrypt::MatchHash(QStringLiteral("Tajne!1"), b));
    EXPECT_FALSE(TBCrypt::MatchHash(QStringLiteral("Tajne!2"), a));
    EXPECT_FALSE(TBCrypt::MatchHash(QStringLiteral("tajne!1"), a));

    TBCrypt::ParsedHash parsed;
    ASSERT_TRUE(TBCrypt::ParseHash(a, parsed));
    EXPECT_EQ(parsed.version, QStringLiteral("2a"));
    EXPECT_EQ(parsed.cost, 5);
    EXPECT_FALSE(parsed.isBcryptSha256);
}

TEST(BCryptMake, EmptyPasswordHashesAndVerifies) {
    const QString hash = TBCrypt::MakeHash(QString(), kCost);
    EXPECT_TRUE(TBCrypt::MatchHash(QString(), hash));
    EXPECT_FALSE(TBCrypt::MatchHash(QStringLiteral(" "), hash));
}

// The key is the password's UTF-8 bytes plus a zero byte, cut at 72 bytes: the cut is by bytes,
// not by characters, and a 71-byte password keeps its terminating zero.
TEST(BCryptKey, SeventyTwoByteLimit) {
    const QString b71(71, QLatin1Char('b'));
    const QString b72(72, QLatin1Char('b'));
    struct Case {
        QString hashed;
        QString tried;
        bool match;
    };
    const Case cases[] = {
        {b72, b72 + QStringLiteral("anything"), true},
        {b72 + QStringLiteral("one"), b72 + QStringLiteral("two"), true},
        {b72 + QStringLiteral("one"), b71, false},
        {b72, b71, false},
        {b71, b72, false},
        {b71 + QStringLiteral("c"), b71, false},
        // "ą" is C4 85 and "ć" C4 87: both keys end with the byte C4.
        {b71 + u("ą"), b71 + u("ć"), true},
        {b71 + u("ą"), b71, false},
        {b71 + u("ą"), b71 + QStringLiteral("\xC4"), false}, // "Ä" is C3 84
    };
    for (const Case& c : cases) {
        const QString hash = TBCrypt::MakeHash(c.hashed, kCost);
        EXPECT_EQ(TBCrypt::MatchHash(c.tried, hash), c.match)
            << c.hashed.toStdString() << " / " << c.tried.toStdString();
    }
}

TEST(BCryptKey, FoldingAndConversion) {
    struct Case {
        QString hashed;
        QString tried;
        bool match;
    };
    const Case cases[] = {
        // Compatibility-zone characters fold to their standard equivalents ...
        {QStringLiteral("fi_A"), u("\xEF\xAC\x81\xEF\xBC\xBF\xEF\xBC\xA1"), true}, // U+FB01 U+FF3F U+FF21
        {u("\xE8\xB1\x88"), u("\xEF\xA4\x80"), true},                              // U+8C48 and U+F900
        // ... characters outside the zone do not, even when they have a compatibility form.
        {QStringLiteral("2"), u("\xC2\xB2"), false},     // U+00B2
        {QStringLiteral("1"), u("\xE2\x91\xA0"), false}, // U+2460
        // An unpaired surrogate converts as U+FFFD.
        {QString(QChar(0xFFFD)), QString(QChar(0xD800)), true},
        {QString(QChar(0xFFFD)) + QLatin1Char('x'), QString(QChar(0xDC00)) + QLatin1Char('x'), true},
        // A zero character ends the password only where the repeated key is the same.
        {QStringLiteral("ab"), QString::fromUtf16(u"ab\0ab", 5), true},
        {QString(), QString(QChar(0)), true},
    };
    for (const Case& c : cases) {
        const QString hash = TBCrypt::MakeHash(c.hashed, kCost);
        EXPECT_EQ(TBCrypt::MatchHash(c.tried, hash), c.match) << c.tried.toStdString();
    }
    // A zero character inside the password gives a key the bcrypt core cannot be handed.
    errorText<EBCryptException>([] { TBCrypt::MakeHash(QString::fromUtf16(u"a\0b", 3), kCost); });
}

TEST(BCryptParse, Cases) {
    const QString salt = QStringLiteral("CCCCCCCCCCCCCCCCCCCCC.");
    const QString hash31 = QStringLiteral("E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW");
    const QString sha = QStringLiteral("$bcrypt-sha256$");
    struct Case {
        QString text;
        bool ok;
        QString version = QString();
        int cost = 0;
        bool sha256 = false;
    };
    const Case cases[] = {
        // bcrypt format
        {QStringLiteral("$2a$05$") + salt + hash31, true, QStringLiteral("2a"), 5},
        {QStringLiteral("$2$05$") + salt + hash31, true, QStringLiteral("2"), 5},
        {QStringLiteral("$2x$31$") + salt + hash31, true, QStringLiteral("2x"), 31},
        {QStringLiteral("$2a$5$") + salt + hash31, true, QStringLiteral("2a"), 5},
        {QStringLiteral("$2a$3$") + salt + hash31, true, QStringLiteral("2a"), 3},
        {QStringLiteral("$2a$99$") + salt + hash31, true, QStringLiteral("2a"), 99},
        {QStringLiteral("$2a$05$") + salt, true, QStringLiteral("2a"), 5},
        {QStringLiteral("$2a$05$") + salt + QStringLiteral("$whatever"), true, QStringLiteral("2a"), 5},
        {QStringLiteral("$2a$0$") + salt + hash31, false},
        {QStringLiteral("$2a$$") + salt + hash31, false},
        {QStringLiteral("$2a$+5$") + salt + hash31, false},
        {QStringLiteral("$2a$-5$") + salt + hash31, false},
        {QStringLiteral("$2a$ 5$") + salt + hash31, false},
        {QStringLiteral("$2a$99999999999$") + salt + hash31, false},
        {QStringLiteral("$2a$05") + salt + hash31, false},
        {QStringLiteral("2a$05$") + salt + hash31, false},
        {QStringLiteral("$$05$") + salt + hash31, false},
        {QStringLiteral("$3a$05$") + salt + hash31, false},
        {QStringLiteral("$2ab$05$") + salt + hash31, false},
        {QStringLiteral("$2_$05$") + salt + hash31, false},
        {u("$2\xC4\x85$05$") + salt + hash31, false},
        {QStringLiteral("$2a$05$") + salt.left(21) + QStringLiteral("$") + hash31, false},
        {QStringLiteral("$2a$05$") + salt.left(21), false},
        {QStringLiteral("$2a$05$+") + salt.mid(1) + hash31, false},
        {QStringLiteral("$2a$05$") + salt.left(10) + QStringLiteral("=") + salt.mid(11) + hash31, false},
        // U+0143 has the low byte of "C": codes from 128 up are not in the alphabet.
        {QStringLiteral("$2a$05$") + QChar(0x0143) + salt.mid(1) + hash31, false},
        {QStringLiteral("$2a$05$") + QChar(0xFF23) + salt.mid(1) + hash31, false},
        // bcrypt-sha256 format
        {sha + QStringLiteral("2b,5$") + salt + QStringLiteral("$") + hash31, true, QStringLiteral("2b"), 5,
         true},
        {sha + QStringLiteral("2,12$") + salt + QStringLiteral("$") + hash31, true, QStringLiteral("2"), 12,
         true},
        {sha + QStringLiteral("2Y,4$") + salt + QStringLiteral("$"), true, QStringLiteral("2Y"), 4, true},
        {sha + QStringLiteral("2a,05$") + salt + QStringLiteral("$x"), true, QStringLiteral("2a"), 5, true},
        {QStringLiteral("$BCrypt-SHA256$2a,40$") + salt + QStringLiteral("$"), true, QStringLiteral("2a"), 40,
         true},
        {sha + QStringLiteral("2b,3$") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2b,0$") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2x,5$") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("3,5$") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2bb,5$") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2b5$") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2b,$") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2b,5") + salt + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2b,5$") + salt.left(21) + QStringLiteral("$") + hash31, false},
        {sha + QStringLiteral("2b,5$") + salt + QStringLiteral("C$") + hash31, false},
        {sha + QStringLiteral("2b,5$") + salt + hash31, false},
        {sha + QStringLiteral("2b,5$") + salt.left(21) + QStringLiteral("+$") + hash31, false},
        // U+017F folds to "s" in Unicode, but the prefix is compared in ASCII letter case only.
        {u("$bcrypt-\xC5\xBFha256$2b,5$") + salt + QStringLiteral("$") + hash31, false},
        // neither
        {QStringLiteral("$2a$05$") + salt.left(19), false}, // 26 characters
        {QStringLiteral("hasło zapisane jawnie w kolumnie"), false},
        {QString(), false},
    };
    for (const Case& c : cases) {
        TBCrypt::ParsedHash parsed;
        parsed.cost = -7;
        const bool ok = TBCrypt::ParseHash(c.text, parsed);
        EXPECT_EQ(ok, c.ok) << c.text.toStdString();
        if (!ok) {
            EXPECT_EQ(parsed.cost, -7) << "left untouched on failure: " << c.text.toStdString();
            continue;
        }
        EXPECT_EQ(parsed.version, c.version) << c.text.toStdString();
        EXPECT_EQ(parsed.cost, c.cost) << c.text.toStdString();
        EXPECT_EQ(parsed.isBcryptSha256, c.sha256) << c.text.toStdString();
    }
}

TEST(BCryptParse, SaltBytes) {
    // Decoded offline with Python's base64 after translating the alphabet.
    struct Case {
        const char* hash;
        std::array<std::uint8_t, 16> salt;
    };
    const Case cases[] = {
        {"$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW",
         {0x10, 0x41, 0x04, 0x10, 0x41, 0x04, 0x10, 0x41, 0x04, 0x10, 0x41, 0x04, 0x10, 0x41, 0x04, 0x10}},
        {"$2a$05$abcdefghijklmnopqrstuu5s2v8.iXieOjg/.AySBTTZIIVFJeBui",
         {0x71, 0xd7, 0x9f, 0x82, 0x18, 0xa3, 0x92, 0x59, 0xa7, 0xa2, 0x9a, 0xab, 0xb2, 0xdb, 0xaf, 0xc3}},
        {kSha256Hash,
         {0xa1, 0xb2, 0xc3, 0xd4, 0xe5, 0xf6, 0x07, 0x18, 0x29, 0x3a, 0x4b, 0x5c, 0x6d, 0x7e, 0x8f, 0x90}},
    };
    for (const Case& c : cases) {
        TBCrypt::ParsedHash parsed;
        ASSERT_TRUE(TBCrypt::ParseHash(QString::fromLatin1(c.hash), parsed)) << c.hash;
        EXPECT_EQ(parsed.salt, c.salt) << c.hash;
    }
}

TEST(BCryptErrors, StoredValueThatIsNoHash) {
    for (const QString& stored :
         {QStringLiteral("haslo123"), QStringLiteral("bardzo dlugie haslo trzymane jawnie"), QString(),
          QStringLiteral("$bcrypt-sha256$2b,3$CCCCCCCCCCCCCCCCCCCCC.$x")}) {
        EXPECT_EQ(errorText<EKolmError>([&] { TBCrypt::MatchHash(QStringLiteral("haslo123"), stored); }),
                  QStringLiteral("Invalid base64 hash string"))
            << stored.toStdString();
    }
}

TEST(BCryptErrors, CostOutOfRange) {
    const QString salt = QStringLiteral("CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW");
    struct Case {
        int cost;
        QString stored;
    };
    const Case cases[] = {
        {3, QStringLiteral("$2a$03$") + salt},
        {1, QStringLiteral("$2a$1$") + salt},
        {32, QStringLiteral("$2a$32$") + salt},
        {1000, QStringLiteral("$bcrypt-sha256$2b,1000$CCCCCCCCCCCCCCCCCCCCC.$x")},
    };
    for (const Case& c : cases) {
        const QString expected = QStringLiteral("BCrypt cost factor must be between 4..31 (%1)").arg(c.cost);
        EXPECT_EQ(errorText<EBCryptException>([&] { TBCrypt::MatchHash(QStringLiteral("U*U"), c.stored); }),
                  expected);
        EXPECT_EQ(errorText<EBCryptException>([&] { TBCrypt::MakeHash(QStringLiteral("U*U"), c.cost); }),
                  expected);
    }
}

TEST(BCryptErrors, Texts) {
    EXPECT_EQ(ESystemError(0xC000000Du, QStringLiteral("Parametr jest niepoprawny")).text(),
              QStringLiteral("NT Error 0xD000000D: Parametr jest niepoprawny"));
    EXPECT_EQ(EConvertError(QStringLiteral("[TBCrypt.UnicodeStringToBytes]"),
                            QStringLiteral("Could not convert utf16 to utf8 string"), 1113,
                            QStringLiteral("x"))
                  .text(),
              QStringLiteral(
                  "[TBCrypt.UnicodeStringToBytes] Could not convert utf16 to utf8 string. Error 1113 (x)"));
}

// The login hands over the password's UTF-8 bytes read as Windows-1250: stored hashes of passwords with
// Polish letters were made from that double-encoded text.
TEST(PasswordHashing, PolishPasswordIsDoubleEncoded) {
    const QString plain = u(kPolishPassword);
    const QString stored = QString::fromLatin1(kPolishStoredHash);
    EXPECT_TRUE(VerifyPassword(plain, stored));
    EXPECT_FALSE(TBCrypt::MatchHash(plain, stored));
    EXPECT_FALSE(VerifyPassword(plain.toLower(), stored));

    const QString other = u("Zażółć1!");
    const QString hash = TBCrypt::MakeHash(Win1250::decode(other.toUtf8()), kCost);
    EXPECT_TRUE(VerifyPassword(other, hash));
    EXPECT_FALSE(TBCrypt::MatchHash(other, hash));
    EXPECT_FALSE(VerifyPassword(u("Zazolc1!"), hash));
}

TEST(PasswordHashing, AsciiPasswordIsUnchanged) {
    const QString hash = TBCrypt::MakeHash(QStringLiteral("Haslo#2024"), kCost);
    EXPECT_TRUE(VerifyPassword(QStringLiteral("Haslo#2024"), hash));
    EXPECT_FALSE(VerifyPassword(QStringLiteral("Haslo#2025"), hash));
    EXPECT_EQ(
        errorText<EKolmError>([] { VerifyPassword(QStringLiteral("x"), QStringLiteral("Haslo#2024")); }),
        QStringLiteral("Invalid base64 hash string"));
}

// The one test that lets the machine choose the cost.
TEST(PasswordHashing, HashPasswordUsesMeasuredCostOfAtLeastEleven) {
    const QString plain = u("Źdźbło-Ńowe 9");
    const QString hash = HashPassword(plain);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^\\$2a\\$(\\d\\d)\\$[./A-Za-z0-9]{53}$")).match(hash);
    ASSERT_TRUE(m.hasMatch()) << hash.toStdString();
    EXPECT_GE(m.captured(1).toInt(), 11);
    EXPECT_TRUE(VerifyPassword(plain, hash));
    EXPECT_FALSE(TBCrypt::MatchHash(plain, hash));
}

// Stored values come from the database and may be anything: parsing must never fail otherwise than
// by returning false.
TEST(BCryptParse, SurvivesRandomMutations) {
    const std::vector<QString> seeds = {
        QString::fromLatin1(kPublishedVectors[0].hash),
        QString::fromLatin1(kPublishedVectors[9].hash),
        QString::fromLatin1(kSha256Hash),
        QString::fromLatin1(kSha256HashEmpty),
        QStringLiteral("$2$5$CCCCCCCCCCCCCCCCCCCCC.$"),
    };
    const std::vector<QChar> pool = {
        QLatin1Char('$'), QLatin1Char(','), QLatin1Char('.'), QLatin1Char('/'), QLatin1Char('2'),
        QLatin1Char('a'), QLatin1Char('b'), QLatin1Char('Y'), QLatin1Char('0'), QLatin1Char('9'),
        QLatin1Char('+'), QLatin1Char('='), QLatin1Char('-'), QLatin1Char(' '), QChar(0),
        QChar(0x7F),      QChar(0x80),      QChar(0xC5),      QChar(0x0141),    QChar(0x0143),
        QChar(0xD800),    QChar(0xDC00),    QChar(0xFF04),    QChar(0xFFFD),    QChar(0xFFFF),
    };
    std::mt19937 rng(20240611u);
    auto pick = [&rng](qsizetype n) {
        return qsizetype(std::uniform_int_distribution<long long>(0, n - 1)(rng));
    };
    auto randomChar = [&]() -> QChar {
        return pick(4) == 0 ? QChar(char16_t(pick(0x10000)))
                            : pool[std::size_t(pick(qsizetype(pool.size())))];
    };

    const auto started = std::chrono::steady_clock::now();
    int parsed = 0;
    for (int i = 0; i < 200000; ++i) {
        QString text = seeds[std::size_t(pick(qsizetype(seeds.size())))];
        const int mutations = 1 + int(pick(4));
        for (int m = 0; m < mutations; ++m) {
            const qsizetype size = text.size();
            const qsizetype at = pick(size + 1);
            switch (pick(6)) {
            case 0:
                text.truncate(at);
                break;
            case 1:
                text.insert(at, randomChar());
                break;
            case 2:
                if (at < size)
                    text[at] = randomChar();
                break;
            case 3:
                if (at < size)
                    text.remove(at, 1 + pick(qMin<qsizetype>(4, size - at)));
                break;
            case 4: { // a segment repeated elsewhere, e.g. a second "$2a$" or salt
                const qsizetype from = pick(size + 1);
                const QString segment = text.mid(from, 1 + pick(12));
                text.insert(pick(size + 1), segment);
                break;
            }
            default: // the bcrypt-sha256 prefix in another letter case
                if (size > 0)
                    text[at % size] =
                        text[at % size].isUpper() ? text[at % size].toLower() : text[at % size].toUpper();
                break;
            }
        }
        TBCrypt::ParsedHash result;
        bool ok = false;
        try {
            ok = TBCrypt::ParseHash(text, result);
        } catch (...) {
            ADD_FAILURE() << "ParseHash raised for " << text.toStdString();
            break;
        }
        if (ok) {
            ++parsed;
            ASSERT_GT(text.size(), 26);
            ASSERT_GE(result.cost, result.isBcryptSha256 ? 4 : 1) << text.toStdString();
            ASSERT_TRUE(result.version.startsWith(QLatin1Char('2'))) << text.toStdString();
            ASSERT_LE(result.version.size(), 2) << text.toStdString();
        }
    }
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_GT(parsed, 10000) << "mutations should leave many strings parseable";
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 10);
}
