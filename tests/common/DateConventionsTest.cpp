#include "DateConventions.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const ManualClock kClock(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));

TEST(DateConventionsTest, StartUpFormatWritesAndParsesIsoDates) {
    DateConventions dates;
    EXPECT_EQ(dates.formatDate(QDate(2024, 5, 17)), "2024-05-17");
    EXPECT_EQ(dates.decimalSeparator(), QLatin1Char('.'));
    dates.ApplyDateFormat("INI FILE ERROR");
    EXPECT_EQ(dates.shortDateFormat(), "yyyy-MM-dd");
    EXPECT_EQ(dates.formatSettings().dateFormat, "yyyy-MM-dd");
    QDate d;
    ASSERT_TRUE(dates.parseDate("2024-05-17", &d, kClock));
    EXPECT_EQ(d, QDate(2024, 5, 17));
    dates.ApplyDateFormat("");
    EXPECT_EQ(dates.formatDate(QDate(2024, 5, 17)), "2024-05-17");
}

TEST(DateConventionsTest, UserFormatsAndTheirSeparators) {
    struct Case {
        const char* format;
        char separator;
        const char* written;
    };
    const Case cases[] = {
        {"dd.MM.yyyy", '.', "17.05.2024"}, {"dd.mm.yyyy", '.', "17.05.2024"},
        {"d.M.yy", '.', "17.5.24"},        {"yyyy/mm/dd", '/', "2024/05/17"},
        {"dd-MM-yyyy", '-', "17-05-2024"}, {"dd.MM/yyyy", '/', "17.05/2024"},
        {"ddMMyyyy", '\0', "17052024"},    {"yyyy-MM-dd r.", '.', "2024-05-17 r."},
    };
    for (const Case& c : cases) {
        DateConventions dates;
        dates.ApplyDateFormat(c.format);
        EXPECT_EQ(dates.dateSeparator(), c.separator ? QChar(QLatin1Char(c.separator)) : QChar()) << c.format;
        EXPECT_EQ(dates.formatDate(QDate(2024, 5, 17)), c.written) << c.format;
        QDate back;
        EXPECT_TRUE(dates.parseDate(c.written, &back, kClock)) << c.format;
        EXPECT_EQ(back, QDate(2024, 5, 17)) << c.format;
    }
}

TEST(DateConventionsTest, ParsingIsLenientAboutDigitsAndTakesTwoDigitYearsInThisCentury) {
    DateConventions dates;
    dates.ApplyDateFormat("dd.MM.yyyy");
    QDate d;
    ASSERT_TRUE(dates.parseDate("7.5.2024", &d, kClock));
    EXPECT_EQ(d, QDate(2024, 5, 7));
    EXPECT_FALSE(dates.parseDate("2024-05-07", &d, kClock));
    EXPECT_FALSE(dates.parseDate("31.02.2024", &d, kClock));

    dates.ApplyDateFormat("dd.MM.yy");
    ASSERT_TRUE(dates.parseDate("17.05.98", &d, kClock));
    EXPECT_EQ(d, QDate(2098, 5, 17));
    ASSERT_TRUE(dates.parseDate("17.05.1998", &d, kClock));
    EXPECT_EQ(d, QDate(1998, 5, 17));
}

TEST(DateConventionsTest, NormalizeDateText) {
    DateConventions dates;
    QString text = "INI FILE ERROR";
    EXPECT_FALSE(dates.NormalizeDateText(text, kClock));
    EXPECT_EQ(text, "2026-12-10");
    text = "2024-05-17";
    EXPECT_TRUE(dates.NormalizeDateText(text, kClock));
    EXPECT_EQ(text, "2024-05-17");
    text = "2024-5-7";
    EXPECT_TRUE(dates.NormalizeDateText(text, kClock));
    EXPECT_EQ(text, "2024-05-07");

    dates.ApplyDateFormat("dd.MM.yyyy");
    text = "17.05.2024";
    EXPECT_TRUE(dates.NormalizeDateText(text, kClock));
    EXPECT_EQ(text, "17.05.2024");
}

} // namespace
