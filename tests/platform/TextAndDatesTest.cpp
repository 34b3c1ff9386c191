#include "platform/Cp1252.h"
#include "platform/Date.h"
#include "platform/Locale.h"

#include <gtest/gtest.h>

namespace rotaplan {
namespace {

TEST(Cp1252, EveryByteReadsBackAndTheHighRowFollowsTheTable) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const auto back = Utf8ToCp1252(Cp1252ToUtf8(byte));
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, byte) << b;
    }
    const char* const high[32] = {
        "\u20AC", "\u0081", "\u201A", "\u0192", "\u201E", "\u2026", "\u2020", "\u2021",
        "\u02C6", "\u2030", "\u0160", "\u2039", "\u0152", "\u008D", "\u017D", "\u008F",
        "\u0090", "\u2018", "\u2019", "\u201C", "\u201D", "\u2022", "\u2013", "\u2014",
        "\u02DC", "\u2122", "\u0161", "\u203A", "\u0153", "\u009D", "\u017E", "\u0178"};
    for (int b = 0x80; b <= 0x9F; ++b)
        EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(b))), high[b - 0x80]) << b;
    EXPECT_EQ(Cp1252ToUtf8("\xab\xe9"), "\u00AB\u00E9");
}

TEST(Cp1252, RefusesWhatItCannotStoreAndNamesIt) {
    EXPECT_EQ(Utf8ToCp1252("Caf\u00E9 \u20AC5"), "Caf\xe9 \x80"
                                                 "5");
    for (const char* bad : {"\u0142", "a\u2192b", "\U0001F600", "\xc3", "\xff"})
        EXPECT_FALSE(Utf8ToCp1252(bad).has_value()) << bad;
    EXPECT_EQ(FirstUnstorable("ok \u0142 \u2192"), "\u0142");
    EXPECT_EQ(FirstUnstorable("all fine \u00E9"), "");
}

TEST(Date, CalendarArithmetic) {
    const Date d{2026, 12, 4};
    EXPECT_EQ(d.DayOfYear(), 338);
    EXPECT_EQ(d.Weekday(), 6) << "Friday";
    EXPECT_EQ((Date{2024, 12, 31}.DayOfYear()), 366);
    EXPECT_EQ((Date{2026, 1, 1}.Weekday()), 5) << "Thursday";
    EXPECT_EQ(d.AddDays(28), (Date{2027, 1, 1}));
    EXPECT_EQ((Date{2024, 2, 28}.AddDays(1)), (Date{2024, 2, 29}));
    EXPECT_FALSE(Date::IsValid(2026, 2, 29));
    EXPECT_TRUE(Date::IsValid(2000, 2, 29));
    EXPECT_FALSE(Date::IsValid(1900, 2, 29));
    for (long n = Date{1000, 1, 1}.DayNumber(); n < Date{9999, 12, 31}.DayNumber(); n += 997)
        ASSERT_EQ(Date::FromDayNumber(n).DayNumber(), n);
}

TEST(UsEnglishLocale, FormsAndStrictReadBack) {
    UsEnglishLocale us;
    EXPECT_EQ(us.ShortDate({2026, 12, 4}), "12/4/2026");
    EXPECT_EQ(us.ShortDate({9999, 12, 28}).size(), 10u);
    EXPECT_EQ(us.ParseShortDate("12/4/2026 "), (Date{2026, 12, 4}));
    EXPECT_EQ(us.WeekdayName({2026, 12, 4}), "Friday");
    EXPECT_EQ(us.MonthName(12), "December");
    EXPECT_EQ(us.CurrencyZero(), "$0.00");
    for (const char* bad : {"", "12/4", "13/1/2026", "2/30/2026", "12/4/26", "12-4-2026", "x"})
        EXPECT_FALSE(us.ParseShortDate(bad).has_value()) << bad;
}

} // namespace
} // namespace rotaplan
