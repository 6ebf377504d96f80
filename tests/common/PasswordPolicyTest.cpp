#include "PasswordPolicy.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordPolicyTest, ClassesAndLength) {
    struct Case {
        const char* password;
        bool passes;
        const char* message;
    };
    const char* tooShort = "Hasło musi się składać z minimum 8 znaków.";
    const char* notCompliant =
        "Hasło niezgodne z wdrożoną polityką bezpieczeństwa, gdyż nie zawiera:\r\nmałych liter i "
        "dużych liter oraz cyfr lub znaków specjalnych\r\n";
    const Case cases[] = {
        {"Abc1234", false, tooShort},       {"Abcd1234", true, nullptr},
        {"abcd efG", true, nullptr},        {"abcdefgh", false, notCompliant},
        {"ABCDEFGHi", false, notCompliant}, {"abcd1234", false, notCompliant},
        {"abcdeżół", false, notCompliant},  {"abcdeżółA", true, nullptr},
        {"ŻÓŁĆŚ12a", false, notCompliant},  {"", false, tooShort},
    };
    for (const Case& c : cases) {
        ScriptedMessages quiet, shown;
        const QString password = QString::fromUtf8(c.password);
        EXPECT_EQ(PasswordPolicy::CheckPasswordPolicy(password, false, quiet), c.passes) << c.password;
        EXPECT_TRUE(quiet.shown().isEmpty());
        EXPECT_EQ(PasswordPolicy::CheckPasswordPolicy(password, true, shown), c.passes) << c.password;
        EXPECT_EQ(shown.texts(), c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList())
            << c.password;
    }
}

TEST(PasswordPolicyTest, ModifierStatesThatEmptyTheField) {
    using M = Qt::KeyboardModifiers;
    EXPECT_TRUE(PasswordPolicy::RejectsModifiers(M(Qt::ControlModifier), Qt::NoButton));
    EXPECT_TRUE(PasswordPolicy::RejectsModifiers(M(Qt::AltModifier), Qt::NoButton));
    EXPECT_FALSE(PasswordPolicy::RejectsModifiers(M(Qt::NoModifier), Qt::NoButton));
    EXPECT_FALSE(PasswordPolicy::RejectsModifiers(M(Qt::ShiftModifier), Qt::NoButton));
    EXPECT_FALSE(PasswordPolicy::RejectsModifiers(Qt::ControlModifier | Qt::AltModifier, Qt::NoButton));
    EXPECT_FALSE(PasswordPolicy::RejectsModifiers(Qt::ControlModifier | Qt::ShiftModifier, Qt::NoButton));
    EXPECT_FALSE(PasswordPolicy::RejectsModifiers(M(Qt::ControlModifier), Qt::LeftButton));
}

} // namespace
