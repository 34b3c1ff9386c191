// Settled folders damaged from outside: the start-up must lose no slip, no hour and no backup
// copy, and say what it found.
#include "store/Repair.h"
#include "store/Master.h"
#include "store/Purge.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <functional>
#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

const Date Today{2026, 12, 4};
const std::size_t Slip = SlipRecordLength;

bool Told(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const auto& line) { return line.find(part) != std::string::npos; });
}

// Thirty slips ahead with their hours, one completed, a backup copy, a start since.
class Repair : public ::testing::Test {
protected:
    TempFolder folder;
    std::string slips, backup;

    void SetUp() override {
        WriteBytes(folder / "Assignto.txt", "\"North\"\r\n\"South\"\r\n");
        WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
        CrewdeskVariables v(folder.Path());
        StartUp(v, {2026, 12, 3});
        Book(v, 1, {2026, 12, 3}, 0, 1);
        for (int i = 0; i < 30; ++i)
            Book(v, 1 + i % 2, Today.AddDays(1 + i / 16), i / 2 % 8, 1);
        BackupFiles(v);
        CrewdeskVariables later(folder.Path());
        StartUp(later, Today);
        BackupFiles(later);
        slips = ReadBytes(folder / "Slips.txt");
        backup = ReadBytes(folder / "Backup/Slips.txt");
    }
};

TEST_F(Repair, ADamagedSlipFileChangesNothingUntilTheBackupCopyIsTaken) {
    const std::vector<std::pair<const char*, std::function<std::string(std::string)>>> faults = {
        {"holds no call slip at all", [](std::string) { return std::string(); }},
        {"15 call slips of its backup copy are missing",
         [](std::string s) { return s.substr(0, 15 * Slip); }},
        {"30 of its 30 records are not call slips",
         [](std::string s) {
             for (std::size_t i = 0; i < s.size(); ++i)
                 s[i] = static_cast<char>(i * 7919 % 251);
             return s;
         }},
        {"1 of its 30 records are not call slips (records 2)",
         [](std::string s) { return s.replace(Slip, Slip, Slip, '\xFF'); }},
        {"ends 10 bytes past", [](std::string s) { return s.insert(Slip + 5, 10, 'x'); }},
    };
    const TempFolder copies;
    const fs::path work = copies / "work";
    for (const auto& [found, damage] : faults) {
        fs::remove_all(work);
        fs::copy(folder.Path(), work, fs::copy_options::recursive);
        WriteBytes(work / "Slips.txt", damage(slips));
        const auto before = FilesUnder(work);
        CrewdeskVariables kept(work);
        std::string question;
        CheckSlipsAtStart(kept, Today, [&](const std::string& q) { return question = q, false; });
        EXPECT_NE(question.find(found), std::string::npos) << question;
        kept.Slips = {};
        const MendReport report = StartUp(kept, Today);
        EXPECT_EQ(FilesUnder(work), before) << found << ": declined, nothing changes";
        EXPECT_TRUE(Told(kept.Notices, "Slips.txt is damaged and kept as it is")) << found;
        EXPECT_TRUE(report.interrupted.empty()) << found;
        EXPECT_THROW(BackupFiles(kept), StoreError);
        EXPECT_EQ(ReadBytes(work / "Backup/Slips.txt"), backup) << found;

        CrewdeskVariables taken(work);
        StartUp(taken, Today, true);
        EXPECT_EQ(ReadBytes(work / "Slips.txt"), slips) << found;
        EXPECT_EQ(ReadBytes(work / "Slips.txt.damaged"), damage(slips)) << found;
        EXPECT_TRUE(Told(taken.Notices, "rebuilt from its backup copy (30 call slips)")) << found;
        ExpectConsistent(work, Today, true, found);
    }
}

TEST_F(Repair, AMoveMarkerTheFilesDoNotBearOutIsSetAsideAndToldOfOnce) {
    const std::string completed = ReadBytes(folder / "CompletedSlips.txt");
    for (const char* marker : {"0\r\n0\r\n", "garbled"}) {
        WriteBytes(folder / "MovingSlips.txt", marker);
        WriteBytes(folder / "Temp.txt", "");
        WriteBytes(folder / "TemporaryFile.txt", "");
        WriteBytes(folder / "PurgedDate.txt", "300\r\n");
        CrewdeskVariables v(folder.Path());
        StartUp(v, Today);
        EXPECT_EQ(ReadBytes(folder / "Slips.txt"), slips) << marker;
        EXPECT_EQ(ReadBytes(folder / "CompletedSlips.txt"), completed) << marker;
        EXPECT_EQ(ReadBytes(folder / "MovingSlips.txt.damaged"), marker);
        EXPECT_EQ(ReadBytes(folder / "PurgedDate.txt"), "337\r\n") << "the purge goes on";
        ASSERT_EQ(v.Notices.size(), 1u) << marker;
        EXPECT_NE(v.Notices[0].find("does not agree with Slips.txt"), std::string::npos);
        CrewdeskVariables again(folder.Path());
        StartUp(again, Today);
        EXPECT_TRUE(again.Notices.empty()) << marker;
    }
}

TEST_F(Repair, TheBackupKeepsThePreviousCopyAndNeverTakesAWorseSlipFile) {
    CrewdeskVariables v(folder.Path());
    StartUp(v, Today);
    RemoveSlip(v, 1); // shorter by the program's own doing
    BackupFiles(v);
    EXPECT_EQ(ReadBytes(folder / "Backup/Previous/Slips.txt"), backup);
    EXPECT_EQ(ReadBytes(folder / "Backup/Slips.txt"), slips.substr(Slip));
    for (const std::string& worse :
         {slips.substr(2 * Slip, 5 * Slip), std::string(Slip, '\xFF') + slips.substr(2 * Slip)}) {
        WriteBytes(folder / "Slips.txt", worse);
        EXPECT_EQ(ErrorOf([&] { BackupFiles(v); }).File(), folder / "Backup/Slips.txt");
        EXPECT_EQ(ReadBytes(folder / "Backup/Slips.txt"), slips.substr(Slip));
    }
}

TEST_F(Repair, ACleanEndSkipsTheScansUntilAFileChangesAndNamesUnheldSlipsOnce) {
    std::string day = ReadBytes(folder / "2026/Team# 1/339.txt");
    const auto at = day.find("\"SA ");
    WriteBytes(folder / "2026/Team# 1/339.txt",
               day.replace(at, day.find('\r', at) - at, "\"No Event Scheduled\""));
    const auto start = [this](const Date& today, bool quick) {
        CrewdeskVariables v(folder.Path());
        const MendReport report = StartUp(v, today);
        EXPECT_EQ(v.Slips.quick, quick);
        BackupFiles(v);
        WriteCleanEnd(v);
        return report.unheld.size();
    };
    EXPECT_EQ(start(Today, false), 1u) << "a slip whose hours went";
    EXPECT_EQ(start(Today, true), 0u);
    WriteBytes(folder / "Counter.txt", "\"338\",40\r\n"); // changed behind the program's back
    EXPECT_EQ(start(Today, false), 0u) << "named at the last full check already";
    start(Today.AddDays(2), true);
    EXPECT_EQ(fs::file_size(folder / "CompletedSlips.txt"), 17 * Slip) << "past slips still move";
    WriteBytes(folder / "CleanEnd.mark", "clean\r\ngarbled");
    start(Today.AddDays(2), false);
    fs::remove(folder / "CleanEnd.mark"); // a run that ended without the exit
    start(Today.AddDays(2), false);
}

} // namespace
} // namespace rotaplan::test
