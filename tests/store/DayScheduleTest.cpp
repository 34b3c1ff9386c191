#include "store/DaySchedule.h"
#include "store/CallRecords.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

using DayFile = StoreTest;

TEST_F(DayFile, CreatedFreeOnFirstLookChangedEntryByEntryAndDamageRefused) {
    LoadDaySlots(v, 2, Date{2027, 1, 3});
    EXPECT_EQ(v.DayFilePath, "\\2027\\Team# 2\\3.txt") << "in the folder of the date's year";
    const auto file = folder / "2027/Team# 2/3.txt";
    EXPECT_EQ(ReadBytes(file), Day({})) << "made along with the team folder it lacked";

    v.DaySlots[5] = v.DaySlots[6] = "SA 338-2";
    v.DaySlots[9] = "SA 338-3";
    WriteDayFile(v);
    EXPECT_EQ(ReadBytes(file), Day({{5, "SA 338-2"}, {6, "SA 338-2"}, {9, "SA 338-3"}}));
    const auto slots = LoadDaySlots(v, 2, Date{2027, 1, 3});
    EXPECT_EQ(slots[3], "SA 338-2") << "the bookable hours are entries 2 to 9";
    EXPECT_EQ(slots[7], "SA 338-3");
    EXPECT_EQ(slots[2], NoEventScheduled);
    FreeBooking(v, "SA 338-2  ");
    EXPECT_EQ(ReadBytes(file), Day({{9, "SA 338-3"}}));

    v.DayFilePath = DayFileName(v.TeamRoot, 1, 1);
    v.DaySlots.fill("kept");
    for (const std::string& bad : {Day({}, 11), Day({}, 11) + "SA 5-1\r\n", Day({}, 13)}) {
        WriteBytes(folder / "2027/Team# 1/1.txt", bad);
        EXPECT_EQ(ErrorOf([&] { ReadDayFile(v); }).File().filename(), "1.txt");
        EXPECT_EQ(v.DaySlots[0], "kept");
    }
}

TEST(Calendar, WorkingDaysByWorkWeek) {
    const Date fri{2026, 12, 4}, sat{2026, 12, 5}, sun{2026, 12, 6}, mon{2026, 12, 7};
    struct Case {
        std::uint8_t week;
        Date in, out;
    } cases[] = {{5, sat, mon},  {5, sun, mon},  {5, fri, fri}, {61, sat, sat}, {61, sun, mon},
                 {62, sat, sun}, {62, sun, sun}, {7, sat, sat}, {7, sun, sun},  {9, sat, sat}};
    for (const auto& c : cases)
        EXPECT_EQ(ToWorkingDay(c.week, c.in), c.out) << int(c.week) << " " << c.in.day;
    EXPECT_EQ(FirstBookableDate({fri, 17, 59}), fri);
    EXPECT_EQ(FirstBookableDate({fri, 18, 0}), sat);
    EXPECT_EQ(FirstBookableDate({Date{2026, 12, 31}, 23, 59}), (Date{2027, 1, 1}));
}

// A booking shows the label clicked; a record its table entry, whatever the hour is now.
TEST(TimeLabels, StartTimeShownIsTheLabelOfTheFirstSlot) {
    CrewdeskVariables v("");
    BuildTimeLabels(v);
    for (std::uint8_t hour : {std::uint8_t{7}, std::uint8_t{8}, std::uint8_t{9}}) {
        v.StartHour = hour;
        for (int slot = 0; slot < SlotCount; ++slot)
            EXPECT_EQ(BookingStartText(v, StartIndexForSlot(hour, slot)), SlotLabels(hour)[slot]);
    }
    v.StartHour = 7;
    EXPECT_EQ(StartIndexForSlot(7, 4), 6);
    EXPECT_EQ(BookingStartText(v, 6), "12:00");
    EXPECT_EQ(StartTimeText(v, 6), "11:00") << "booked at 11:00 under the 8 o'clock start";
    EXPECT_EQ(ViewLabels(7)[4], "12:00 pm");
    EXPECT_EQ(ViewLabels(8)[3], "11:00 am");
    EXPECT_EQ(BookingStartText(v, 12), "06:00") << "outside the slots: the table";
    EXPECT_EQ(StartTimeText(v, 40), "40");
}

} // namespace
} // namespace rotaplan::test
