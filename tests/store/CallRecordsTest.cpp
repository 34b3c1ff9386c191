#include "store/CallRecords.h"
#include "store/CustomerIndex.h"
#include "store/DaySchedule.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>
#include <thread>

namespace rotaplan::test {
namespace {

SlipRecord Slip(const char* sa, const char* team, const char* date, const char* startIndex = "3",
                const char* hours = "1", const char* name = "Ann Lee", const char* tel = "") {
    return CustomerSlip(sa, team, date, startIndex, hours, name, tel);
}

class CallRecords : public StoreTest {
protected:
    void WriteSlips(const std::vector<SlipRecord>& slips) {
        WriteBytes(folder / "Slips.txt", FileOf(slips));
    }
    std::optional<StoreError> DeleteOnly(const SlipRecord& slip) {
        WriteSlips({slip});
        v.RecordBuffer = slip;
        return DeleteCallRecord(v, Locale, 1, slip.Get(SlipField::SANumber));
    }
};

// The form's tests cover the rewrite and the freed hours; these are the days it cannot see.
TEST_F(CallRecords, DeleteFreesOnlyItsTeamsDayAndCompletesWithoutOne) {
    WriteBytes(folder / "2026/Team# 1/338.txt", Day({{4, "SA 338-2"}, {7, "SA 338-3"}}));
    WriteBytes(folder / "2026/Team# 2/338.txt", Day({{4, "SA 338-2"}})); // same text, other team
    EXPECT_EQ(DeleteOnly(Slip("338-2", "1", "12/4/2026")), std::nullopt);
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/338.txt"), Day({{7, "SA 338-3"}}));
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/338.txt"), Day({{4, "SA 338-2"}}));

    for (const SlipRecord& slip : {Slip("1-1", "1", "1/2/2026"),     // day file purged
                                   Slip("1-2", "", "12/4/2026"),     // no team number
                                   Slip("1-3", "1", "2026-12-04"),   // not a short date
                                   Slip("1-4", "3", "12/4/2027")}) { // no such year folder
        EXPECT_EQ(DeleteOnly(slip), std::nullopt) << slip.Get(SlipField::SANumber);
        EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "");
    }
    EXPECT_FALSE(fs::exists(folder / "2027")) << "nothing is made to free nothing";

    WriteBytes(folder / "2026/Team# 1/338.txt", "\"SA 338-9\"\r\n");
    const auto error = DeleteOnly(Slip("338-9", "1", "12/4/2026"));
    ASSERT_TRUE(error.has_value()) << "a damaged day file is told";
    EXPECT_EQ(error->File(), folder / "2026/Team# 1/338.txt");
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "") << "and the slip is gone all the same";
}

// The form's tests cover the jump to a match; these are what matches.
TEST_F(CallRecords, FindMatchesNameTelOrNumberInAnyCaseFromTheNextRecordRound) {
    WriteSlips({Slip("338-1", "1", "12/4/2026", "3", "1", "Zoë Adams", "555-0101"),
                Slip("338-2", "1", "12/4/2026", "3", "1", "Bob Stone", "555-0202"),
                Slip("339-7", "1", "12/4/2026", "3", "1", "ÉMILE STONE", "555-0303")});
    EXPECT_EQ(FindCallRecord(v, 3, "stone"), 2) << "goes round past the end";
    EXPECT_EQ(FindCallRecord(v, 0, "émile"), 3);
    EXPECT_EQ(FindCallRecord(v, 0, "ZOË"), 1);
    EXPECT_EQ(FindCallRecord(v, 0, "0202"), 2);
    EXPECT_EQ(FindCallRecord(v, 0, "sa 339"), 3);
    EXPECT_EQ(FindCallRecord(v, 1, "adams"), 1) << "the record on display is looked at last";
    for (const char* none : {"Leak", "", "日本"})
        EXPECT_EQ(FindCallRecord(v, 0, none), std::nullopt) << none;
}

TEST_F(CallRecords, DayDetailsShowWhatFitsOfTheTeamsDay) {
    v.StartHour = 8;
    WriteSlips({Slip("338-1", "2", "12/4/2026", "4", "2", "Ann Lee", "555-0100"),
                Slip("338-3", "1", "12/4/2026", "3", "1", "Other Team"),
                Slip("339-1", "2", "12/5/2026", "3", "1", "Other Day"),
                Slip("340-1", "2", "12/4/2026", "2", "2", "Early Start"), // boxes -1 and 0
                Slip("340-2", "2", "12/4/2026", "9", "4", "Late Run"),    // boxes 6 to 9
                Slip("340-3", "2", "12/4/2026", "x", "1", "No Index"),
                Slip("340-4", "2", "12/4/2026", "5", "1", "Later Wins")});
    const auto boxes = FillDayDetails(v, "12/4/2026", " 2");
    EXPECT_EQ(boxes[1], "Ann Lee\r\n1 Main St\r\nSpringfield,IL\r\n555-0100\r\nLeak");
    EXPECT_EQ(boxes[2]->substr(0, 10), "Later Wins");
    EXPECT_EQ(boxes[0]->substr(0, 11), "Early Start") << "what fits of a run begun before box 0";
    EXPECT_EQ(boxes[7]->substr(0, 8), "Late Run") << "the run is cut at the last box";
    for (int b : {3, 4, 5})
        EXPECT_EQ(boxes[b], std::nullopt) << b;
    EXPECT_EQ(v.SlipFileNumber, nullptr) << "the slip file is closed again";
}

// Once the customer index is complete it names the day's records; the boxes are the scan's.
TEST_F(CallRecords, DayDetailsThroughTheIndexAreTheScansAcrossYearsAndAfterARemoval) {
    v.StartHour = 8;
    WriteSlips({Slip("338-1", "1", "12/4/2025", "3", "1", "Last Year"),
                Slip("338-1", "1", "12/4/2026", "3", "1", "This Year"),
                Slip("338-2", "1", "12/4/2026", "4", "2", "Two Hours"),
                Slip("338-3", "2", "12/4/2026", "3", "1", "Other Team"),
                Slip("339-1", "1", "12/5/2026", "5", "1", "Next Day")});
    // The first line of each box through the index, checked against the scan's boxes.
    const auto names = [&](const char* date, const char* team) {
        while (!Customers(v, Locale))
            std::this_thread::yield();
        const auto indexed = FillDayDetails(v, date, team);
        ForgetCustomers(v);
        EXPECT_EQ(indexed, FillDayDetails(v, date, team)) << date << " team " << team;
        std::string names;
        for (const auto& box : indexed)
            names += (box ? box->substr(0, box->find('\r')) : "-") + ";";
        return names;
    };
    EXPECT_EQ(names("12/4/2025", "1"), "Last Year;-;-;-;-;-;-;-;");
    EXPECT_EQ(names("12/4/2026", "1"), "This Year;Two Hours;Two Hours;-;-;-;-;-;");
    EXPECT_EQ(names("12/4/2026", "2"), "Other Team;-;-;-;-;-;-;-;");
    while (!Customers(v, Locale)) // complete before the delete, which it follows
        std::this_thread::yield();
    v.RecordBuffer = Slip("338-1", "1", "12/4/2026", "3", "1", "This Year");
    EXPECT_FALSE(DeleteCallRecord(v, Locale, 2, "SA 338-1"));
    EXPECT_EQ(names("12/4/2026", "1"), "-;Two Hours;Two Hours;-;-;-;-;-;");
    EXPECT_EQ(names("12/5/2026", "1"), "-;-;Next Day;-;-;-;-;-;");
}

} // namespace
} // namespace rotaplan::test
