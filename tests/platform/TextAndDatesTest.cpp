#include "platform/Cp1252.h"
#include "platform/Date.h"
#include "platform/Locale.h"

#include <gtest/gtest.h>

namespace rotaplan {
namespace {

TEST(Cp1252, EveryByteReadsBackTheHighRowFollowsTheTableAndTheUnstorableIsNamed) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    }
    EXPECT_EQ(Cp1252ToUtf8("\x80\x8d\x9f\xab\xe9"), "\u20AC\u008D\u0178\u00AB\u00E9");
    EXPECT_EQ(Utf8ToCp1252("Caf\u00E9 \u20ACs"), "Caf\xe9 \x80s");
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
    for (int year : {2026, 2000, 1900})
        EXPECT_EQ(Date::IsValid(year, 2, 29), year == 2000) << year;
    for (long n = Date{1000, 1, 1}.DayNumber(); n < Date{9999, 12, 31}.DayNumber(); n += 997)
        ASSERT_EQ(Date::FromDayNumber(n).DayNumber(), n);
}

// Its forms are checked through the Qt locale's fallback on a bare machine.
TEST(UsEnglishLocale, StrictReadBack) {
    UsEnglishLocale us;
    EXPECT_EQ(us.ShortDate({9999, 12, 28}).size(), 10u);
    EXPECT_EQ(us.ParseShortDate("12/4/2026 "), (Date{2026, 12, 4}));
    for (const char* bad : {"", "12/4", "13/1/2026", "2/30/2026", "12/4/26", "12-4-2026", "x"})
        EXPECT_FALSE(us.ParseShortDate(bad).has_value()) << bad;
}

// 3 May 2026 written and read back in the form each sample shows; other samples are refused.
TEST(RecordedDateForm, WritesAndReadsInTheFormOfItsSample) {
    const UsEnglishLocale us;
    RecordedDateForm form(us);
    EXPECT_EQ(form.Sample(), "2/3/2001") << "the system's form until another is kept";
    for (const auto& [sample, written] :
         {std::pair{"03/02/2001", "03/05/2026"}, std::pair{"2001-02-03", "2026-05-03"},
          std::pair{"3.2.2001", "3.5.2026"}, std::pair{"2/3/2001", "5/3/2026"}}) {
        ASSERT_TRUE(form.Keep(sample)) << sample;
        EXPECT_EQ(form.Sample(), sample);
        EXPECT_EQ(form.ShortDate({2026, 5, 3}), written);
        EXPECT_EQ(form.ParseShortDate(std::string(written) + "  "), (Date{2026, 5, 3}));
        EXPECT_FALSE(form.ParseShortDate("31/31/2026").has_value()) << sample;
    }
    for (const char* bad : {"", "Feb 3, 2001", "03/02/01", "3/3/2001", "03/02/2001 x"})
        EXPECT_FALSE(form.Keep(bad)) << bad;
}

} // namespace
} // namespace rotaplan
