// Settled folders damaged from outside: the start-up must lose no slip, no hour and no backup
// copy, and say what it found.
#include "store/Repair.h"
#include "store/Journal.h"
#include "store/Master.h"
#include "store/Purge.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace rotaplan::test {
namespace {

const Date Today{2026, 12, 4};
const std::size_t Slip = SlipRecordLength;

// Thirty slips ahead with their hours, one completed and last year's twins of every SA
// completed too, two clean exits (each a checkpoint of the journal) and a start since.
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
        for (int i = 0; i < 28; ++i)
            Book(v, 1 + i % 2, Today.AddDays(1 + i / 16), i / 2 % 8, 1);
        std::string twins = ReadBytes(folder / "Slips.txt");
        for (std::size_t at = 30; at < twins.size(); at += Slip)
            twins.replace(at, 10, "11/30/2025");
        WriteBytes(folder / "CompletedSlips.txt", twins);
        BackupFiles(v);
        WriteCleanEnd(v);
        CrewdeskVariables later(folder.Path());
        StartUp(later, Today);
        Book(later, 2, Today.AddDays(3), 7, 1);
        Book(later, 1, Today.AddDays(3), 7, 1);
        BackupFiles(later);
        WriteCleanEnd(later);
        slips = ReadBytes(folder / "Slips.txt");
        backup = ReadBytes(folder / "Backup/Slips.txt");
    }
};

std::multiset<std::string> Records(const std::string& bytes) {
    std::multiset<std::string> records;
    for (std::size_t at = 0; at + Slip <= bytes.size(); at += Slip)
        records.insert(bytes.substr(at, Slip));
    return records;
}

using Change = std::function<void(CrewdeskVariables&, const fs::path&)>;
// A run's operations; returns the slip file as the program left it.
using Work = std::function<std::string(CrewdeskVariables&, const fs::path&)>;

void Cut(const fs::path& file, std::size_t bytes) {
    WriteBytes(file, ReadBytes(file).substr(0, fs::file_size(file) - bytes));
}

// Each fault after a run of the program (cleanly ended, or stopped by a power cut), answered
// Yes: no slip, hour, completed slip or backup copy is lost, no deleted slip comes back, no SA
// is issued twice, and the operator's own files are not touched.
TEST_F(Repair, EveryFaultIsRebuiltFromTheCopiesAndTheJournalLosingNothing) {
    const Change none = [](CrewdeskVariables&, const fs::path&) {};
    const auto left = [](const fs::path& f) { return ReadBytes(f / "Slips.txt"); };
    const Work idle = [&](CrewdeskVariables&, const fs::path& f) { return left(f); };
    const Work bookTwo = [&](CrewdeskVariables& v, const fs::path& f) {
        Book(v, 1, Today.AddDays(4), 2, 2);
        Book(v, 2, Today, 1, 1);
        return left(f);
    };
    const Work deleteThree = [&](CrewdeskVariables& v, const fs::path& f) {
        for (std::int32_t r : {3, 7, 12})
            DeleteRecord(v, r);
        return left(f);
    };
    const Work restore = [&](CrewdeskVariables& v, const fs::path& f) {
        Book(v, 2, Today.AddDays(5), 4, 3);
        const std::string booked = left(f);
        RestoreFiles(v);
        return booked;
    };
    const auto remove = [](const char* name) {
        return [name](CrewdeskVariables&, const fs::path& f) { fs::remove_all(f / name); };
    };
    const struct {
        const char* fault;
        Work run;
        bool clean;
        Change damage;
        const char* told;
    } cases[] = {
        {"lost slip file in year two", idle, true, remove("Slips.txt"), "call slips missing"},
        {"halved slip file", idle, true,
         [](CrewdeskVariables&, const fs::path& f) { Cut(f / "Slips.txt", 15 * Slip); },
         "15 call slips missing"},
        {"slip file and its backup copy lost", idle, true,
         [](CrewdeskVariables&, const fs::path& f) {
             fs::remove(f / "Slips.txt");
             fs::remove(f / "Backup/Slips.txt");
         },
         "call slips missing"},
        {"both slip files damaged", idle, true,
         [](CrewdeskVariables&, const fs::path& f) {
             for (const char* name : {"Slips.txt", "Backup/Slips.txt"})
                 WriteBytes(f / name, std::string(fs::file_size(f / name), '\x5A'));
         },
         "Rotaplan did not write"},
        {"slips of a power-cut run lost", bookTwo, false, remove("Slips.txt"),
         "32 call slips missing"},
        {"records shifted after a power cut", bookTwo, false,
         [](CrewdeskVariables&, const fs::path& f) {
             WriteBytes(f / "Slips.txt", ReadBytes(f / "Slips.txt").insert(10 * Slip, "shifted"));
         },
         "Rotaplan did not write"},
        {"deletes, then damage", deleteThree, false,
         [](CrewdeskVariables&, const fs::path& f) {
             WriteBytes(f / "Slips.txt",
                        ReadBytes(f / "Slips.txt").replace(Slip, Slip, Slip, '\xFF'));
         },
         "1 record Rotaplan did not write"},
        {"torn end after a power cut", bookTwo, false,
         [](CrewdeskVariables&, const fs::path& f) { Cut(f / "Slips.txt", 100); },
         "finished a booking"},
        {"one record cut after a power cut", bookTwo, false,
         [](CrewdeskVariables&, const fs::path& f) { Cut(f / "Slips.txt", Slip); },
         "finished a booking"},
        {"team folder lost", idle, true, remove("2026/Team# 1"), "its hours back"},
        {"team list emptied", idle, true,
         [](CrewdeskVariables&, const fs::path& f) { WriteBytes(f / "Assignto.txt", ""); },
         "Assignto.txt was not as Rotaplan saved it"},
        {"completed slip damaged", idle, true,
         [](CrewdeskVariables&, const fs::path& f) {
             WriteBytes(f / "CompletedSlips.txt",
                        ReadBytes(f / "CompletedSlips.txt").replace(0, Slip, Slip, '\xFF'));
         },
         "CompletedSlips.txt was rebuilt"},
        {"restore, then a start", restore, true, none, "added back to Slips.txt"},
    };
    const TempFolder copies;
    const fs::path work = copies / "work";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        fs::remove_all(work);
        fs::copy(folder.Path(), work, fs::copy_options::recursive);
        WriteBytes(work / "mydocs/letter.new", "mine");
        WriteBytes(work / "2026/Team# 2/notes.new", "mine");
        std::multiset<std::string> want;
        std::string completed;
        {
            CrewdeskVariables run(work);
            StartUp(run, Today);
            want = Records(c.run(run, work));
            completed = ReadBytes(work / "CompletedSlips.txt");
            if (c.clean) {
                BackupFiles(run);
                WriteCleanEnd(run);
            }
        }
        CrewdeskVariables damaging(work);
        c.damage(damaging, work);

        CrewdeskVariables v(work);
        std::string told;
        const MendReport report = StartUp(v, Today, true, &told);
        told += StartupMessage(report, v.Notices);
        EXPECT_NE(told.find(c.told), std::string::npos) << told;
        EXPECT_EQ(Records(ReadBytes(work / "Slips.txt")), want);
        EXPECT_EQ(ReadBytes(work / "CompletedSlips.txt"), completed);
        ExpectConsistent(work, Today, true, c.fault);
        EXPECT_EQ(ReadBytes(work / "mydocs/letter.new"), "mine");
        EXPECT_EQ(ReadBytes(work / "2026/Team# 2/notes.new"), "mine");
        BackupFiles(v);
        EXPECT_EQ(Records(ReadBytes(work / "Backup/Slips.txt")), want) << "the backup follows";
    }
}

// The exit appends what a day only added and copies whole after a rewrite; either way the
// copies are the files byte for byte, and the checkpoint's sums, continued or read whole,
// let the next full check find nothing to say.
TEST_F(Repair, TheExitsCopiesAreTheFilesWhetherAppendedOrCopiedWhole) {
    const struct {
        const char* day;
        Date date;
        bool deletes, appended;
    } cases[] = {{"bookings", Today, false, true},
                 {"bookings and a delete", Today, true, false},
                 {"a move, then bookings", Today.AddDays(2), false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day);
        CrewdeskVariables v(folder.Path());
        StartUp(v, c.date);
        Book(v, 1, Today.AddDays(4), 2, 1);
        if (c.deletes)
            DeleteRecord(v, 3);
        Book(v, 2, Today.AddDays(4), 3, 1);
        BackupFiles(v);
        WriteCleanEnd(v);
        EXPECT_EQ(v.Slips.backupAppendedSlips, c.appended);
        EXPECT_EQ(ReadBytes(folder / "Backup/Slips.txt"), ReadBytes(folder / "Slips.txt"));
        EXPECT_EQ(ReadBytes(folder / "Backup/Completed/CompletedSlips.txt"),
                  ReadBytes(folder / "CompletedSlips.txt"));
        fs::remove(folder / "CleanEnd.mark");
        CrewdeskVariables next(folder.Path());
        std::string told;
        StartUp(next, c.date, false, &told);
        EXPECT_EQ(told + StartupMessage({}, next.Notices), "");
        BackupFiles(next);
        WriteCleanEnd(next);
    }
}

// The first move of a folder makes its completed slips: the exit after it copies them whole.
TEST(Exit, CopiesTheCompletedSlipsTheFirstMoveMade) {
    TempFolder folder;
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
    WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
    for (const Date& day : {Today, Today.AddDays(1)}) {
        CrewdeskVariables v(folder.Path());
        StartUp(v, day);
        Book(v, 1, Today, 0, 1);
        BackupFiles(v);
        WriteCleanEnd(v);
    }
    EXPECT_EQ(ReadBytes(folder / "Backup/Completed/CompletedSlips.txt"),
              ReadBytes(folder / "CompletedSlips.txt"));
}

// A file's sum is the same whichever way its bytes come, whole, from a file or continued from
// the sum of its start, and the same as every journal written so far holds.
TEST(FileSums, AreTheSameWhicheverWayTheBytesCome) {
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i * 37 % 251);
    EXPECT_EQ(SumOf(bytes), (FileSum{1000, 0x145D5397737C3106ull}));
    EXPECT_EQ(SumOf(bytes.substr(0, 13)), (FileSum{13, 0xEC88F7A7A1BE3162ull}));
    TempFolder folder;
    const fs::path file = folder / "CompletedSlips.txt";
    for (const std::size_t cut : {0, 1, 7, 8, 9, 500, 999, 1000}) {
        WriteBytes(file, bytes.substr(0, cut));
        const FileSum start = SumOfFile(file);
        EXPECT_EQ(start, SumOf(bytes.substr(0, cut))) << cut;
        WriteBytes(file, bytes);
        EXPECT_EQ(SumOfStart(file, cut), start) << cut;
        EXPECT_EQ(SumOfGrown(file, start), SumOf(bytes)) << cut;
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
    fs::remove(folder / "CleanEnd.mark"); // the day file below changes behind the program
    const auto completed = fs::file_size(folder / "CompletedSlips.txt");
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
    EXPECT_EQ(fs::file_size(folder / "CompletedSlips.txt"), completed + 16 * Slip)
        << "past slips still move";
    WriteBytes(folder / "CleanEnd.mark", "clean\r\ngarbled");
    start(Today.AddDays(2), false);
    fs::remove(folder / "CleanEnd.mark"); // a run that ended without the exit
    start(Today.AddDays(2), false);
}

} // namespace
} // namespace rotaplan::test
