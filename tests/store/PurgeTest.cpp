#include "store/Purge.h"
#include "store/DaySchedule.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

std::string Slip(const std::string& sa, const std::string& date) {
    return SlipBytes({{SlipField::SANumber, "SA " + sa}, {SlipField::Date, date}});
}

// A program folder with two teams, started on the given day.
struct Program {
    TempFolder folder;
    CrewdeskVariables v{folder.Path()};
    explicit Program(const Date& today) {
        v.Assignments = {"populated", "North", "South"};
        EnsureYearFolders(v, today);
    }
    fs::path Day(int year, int team, int day) const {
        return folder / std::to_string(year) / ("Team# " + std::to_string(team)) /
               (std::to_string(day) + ".txt");
    }
};

TEST(Purge, PastDaysFromTheMarkToYesterday) {
    Program p(Date{2026, 2, 14}); // day 45
    for (int day : {39, 40, 44, 45})
        WriteBytes(p.Day(2026, 2, day), "x");
    WriteBytes(p.folder / "Backup/PurgedDate.txt", "40\r\n"); // recovered from the backup
    EXPECT_FALSE(PurgePastDays(p.v, Locale).completionsHidden);
    EXPECT_TRUE(fs::exists(p.Day(2026, 2, 39)));
    EXPECT_FALSE(fs::exists(p.Day(2026, 2, 40)) || fs::exists(p.Day(2026, 2, 44)));
    EXPECT_TRUE(fs::exists(p.Day(2026, 2, 45))) << "today";
    EXPECT_EQ(ReadBytes(p.folder / "PurgedDate.txt"), "44\r\n");

    Program january(Date{2026, 1, 2});
    WriteBytes(january.Day(2026, 1, 1), "x");
    WriteBytes(january.folder / "PurgedDate.txt", "364\r\n");
    PurgePastDays(january.v, Locale);
    EXPECT_TRUE(fs::exists(january.Day(2026, 1, 1))) << "the mark is last year's";
    EXPECT_EQ(ReadBytes(january.folder / "PurgedDate.txt"), "1\r\n");
    WriteBytes(january.folder / "PurgedDate.txt", "damaged\r\n");
    PurgePastDays(january.v, Locale);
    EXPECT_FALSE(fs::exists(january.Day(2026, 1, 1))) << "a damaged mark starts at day 1";
}

// Every past slip is appended as it stands, even one already completed or present twice.
TEST(Purge, MovesByYearThenDayKeepingBothOrders) {
    Program p(Date{2026, 1, 10});
    const std::string old = Slip("340-1", "12/6/2025"), jan9 = Slip("9-1", "1/9/2026");
    WriteBytes(p.folder / "CompletedSlips.txt", old);
    WriteBytes(p.folder / "Temp.txt", Slip("1-1", "1/1/2030")); // left by a stopped run
    WriteBytes(p.folder / "Slips.txt", old + Slip("349-1", "12/15/2025") + Slip("5-1", "1/5/2027") +
                                           jan9 + Slip("9-2", "9/0/2026") + jan9 +
                                           Slip("10-1", "1/10/2026") + Slip("9-3", "1/9/2026"));
    EXPECT_EQ(PurgePastDays(p.v, Locale).undatedSlips, std::vector<std::string>{"SA 9-2"});
    ASSERT_EQ(p.v.Notices.size(), 1u);
    EXPECT_NE(p.v.Notices[0].find("SA 9-2"), std::string::npos);
    EXPECT_EQ(ReadBytes(p.folder / "CompletedSlips.txt"),
              old + old + Slip("349-1", "12/15/2025") + jan9 + jan9 + Slip("9-3", "1/9/2026"));
    EXPECT_EQ(ReadBytes(p.folder / "Slips.txt"),
              Slip("5-1", "1/5/2027") + Slip("9-2", "9/0/2026") + Slip("10-1", "1/10/2026"));
    EXPECT_FALSE(fs::exists(p.folder / "Temp.txt"));

    for (const bool besideExecutable : {false, true}) {
        Program sibling(Date{2026, 1, 10});
        TempFolder executable;
        if (besideExecutable)
            sibling.v.ExecutableFolder = executable.Path();
        WriteBytes((besideExecutable ? executable : sibling.folder) / "Tillvane.exe", "");
        WriteBytes(sibling.Day(2026, 1, 9), "x");
        WriteBytes(sibling.folder / "Slips.txt", jan9 + "torn");
        EXPECT_TRUE(PurgePastDays(sibling.v, Locale).completionsHidden);
        EXPECT_EQ(ReadBytes(sibling.folder / "Slips.txt"), jan9 + "torn");
        ASSERT_EQ(sibling.v.Notices.size(), 1u) << "a torn booking is told of";
        EXPECT_NE(sibling.v.Notices[0].find("Slips.txt ends in part of a call slip (4 bytes)"),
                  std::string::npos);
        EXPECT_FALSE(fs::exists(sibling.folder / "CompletedSlips.txt"));
        EXPECT_FALSE(fs::exists(sibling.Day(2026, 1, 9))) << "day files go all the same";
    }
}

TEST(Purge, YearFoldersComeAndGoFromDay121KeepingWhatIsNotOurs) {
    Program p(Date{2026, 4, 30}); // day 120
    WriteBytes(p.Day(2025, 1, 300), "x");
    EnsureYearFolders(p.v, Date{2026, 4, 30});
    EXPECT_TRUE(fs::exists(p.Day(2025, 1, 300)));
    EXPECT_TRUE(fs::is_directory(p.folder / "2026/Team# 2"));
    EXPECT_FALSE(fs::exists(p.folder / "2027"));
    EnsureYearFolders(p.v, Date{2026, 5, 1});
    EXPECT_FALSE(fs::exists(p.folder / "2025"));
    EXPECT_TRUE(fs::is_directory(p.folder / "2027/Team# 2"));
    EXPECT_TRUE(p.v.Notices.empty());

    WriteBytes(p.Day(2025, 1, 300), "x");
    WriteBytes(p.Day(2025, 3, 300), "a team deleted since");
    WriteBytes(p.folder / "2025/notes.txt", "");
    EnsureYearFolders(p.v, Date{2026, 5, 1});
    EXPECT_FALSE(fs::exists(p.folder / "2025/Team# 1"));
    EXPECT_TRUE(fs::exists(p.Day(2025, 3, 300)));
    ASSERT_EQ(p.v.Notices.size(), 1u);
    EXPECT_NE(p.v.Notices[0].find("2025 of last year was kept: it still holds Team# 3, notes.txt"),
              std::string::npos);

    fs::remove(p.folder / "2027/Team# 2");
    MakeYearFolders(p.v, "2027");
    EXPECT_FALSE(fs::exists(p.folder / "2027/Team# 2")) << "an existing year is left";
}

} // namespace
} // namespace rotaplan::test
