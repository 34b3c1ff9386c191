#include "store/Mend.h"
#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/DaySchedule.h"
#include "store/SlipFile.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

const Date Today{2026, 12, 4}; // day 338

class Mend : public StoreTest {
protected:
    void SetUp() override {
        v.Assignments = {"populated", "North", "South"};
        v.StartHour = 8;
        v.TeamRoot = TeamRootFor(2026);
        LoadCounter(v, Today);
    }
    void Slip(const char* sa, const char* date, const char* team, const char* startIndex,
              const char* hours) {
        using enum SlipField;
        v.RecordBuffer = SlipOf(
            {{SANumber, sa}, {Date, date}, {Team, team}, {StartIndex, startIndex}, {Hours, hours}});
        std::int32_t n = 0;
        AppendSlip(v, n);
    }
    void Claim(int team, const Date& date, int slot, const char* sa) {
        LoadDaySlots(v, team, date);
        v.DaySlots[slot + 2] = sa;
        WriteDayFile(v);
    }
};

TEST_F(Mend, LeavesAHealthyFolderKeepsOrphanHoursNamesLostSlipsAndMovesTheCounterOn) {
    Slip("SA 338-1", "12/7/2026", "1", "4", "2");
    Claim(1, {2026, 12, 7}, 1, "SA 338-1");
    Claim(1, {2026, 12, 7}, 2, "SA 338-1");
    Slip("SA 300-1", "11/2/2026", "2", "3", "1"); // past: nothing to claim
    const std::string day = ReadBytes(folder / "2026/Team# 1/341.txt");
    v.NextSeq = 2;
    SaveCounter(v);
    EXPECT_TRUE(MendFolder(v, Today, Locale).Empty()) << "a healthy folder is left as it is";
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), day);

    // Hours without a slip that no journal explains, and the counter saying 338-2 is next.
    Claim(2, {2026, 12, 8}, 3, "SA 338-7");
    Claim(1, {2027, 1, 5}, 0, "SA 338-3");
    Slip("SA 338-4", "12/9/2026", "1", "3", "3"); // a foreign copy's slip without hours
    Slip("SA 338-5", "12/10/2026", "2", "5", "1");
    Claim(1, {2026, 12, 10}, 2, "SA 338-5"); // in team 1's folder: its team was renumbered
    WriteBytes(folder / "Temp.txt", "half a rewrite");
    WriteBytes(folder / "2026/Team# 1/343.txt.new", "torn");
    WriteBytes(folder / "2026/Team# 1/notes.new", "the operator's");
    WriteBytes(folder / "elsewhere.txt", "not ours");
    fs::create_symlink(folder / "elsewhere.txt", folder / "Settings.txt.new");

    const auto mended = MendFolder(v, Today, Locale);
    EXPECT_EQ(mended.interrupted.size(), 3u);
    EXPECT_EQ(mended.orphans, (std::vector<std::string>{"SA 338-7 (team 2 on 12/8/2026)",
                                                        "SA 338-3 (team 1 on 1/5/2027)"}));
    EXPECT_EQ(LoadDaySlots(v, 2, {2026, 12, 8})[3], "SA 338-7") << "kept: nothing explains them";
    EXPECT_EQ(LoadDaySlots(v, 1, {2027, 1, 5})[0], "SA 338-3");
    EXPECT_EQ(LoadDaySlots(v, 1, {2026, 12, 10})[2], "SA 338-5")
        << "a slip backs its SA in any folder";
    EXPECT_EQ(LoadDaySlots(v, 1, {2026, 12, 9})[0], NoEventScheduled)
        << "hours are never forced in";
    EXPECT_EQ(mended.unheld, std::vector<std::string>{"SA 338-4 (team 1 on 12/9/2026)"});
    EXPECT_FALSE(fs::exists(folder / "Temp.txt"));
    EXPECT_FALSE(fs::exists(folder / "2026/Team# 1/343.txt.new"));
    EXPECT_TRUE(fs::exists(folder / "2026/Team# 1/notes.new")) << "not the program's";
    EXPECT_TRUE(fs::is_symlink(folder / "Settings.txt.new"));
    ASSERT_EQ(mended.damage.size(), 1u) << "a link is named, and the check goes on";
    EXPECT_NE(mended.damage[0].find("Settings.txt.new"), std::string::npos);
    EXPECT_TRUE(MendFolder(v, Today, Locale).orphans.empty()) << "named once";
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"338\",8\r\n");
}

} // namespace
} // namespace rotaplan::test
