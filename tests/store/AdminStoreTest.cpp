#include "store/Archive.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/Master.h"
#include "store/Reset.h"
#include "store/StoreError.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

std::string Completed(const std::string& sa, const std::string& team) {
    SlipRecord r;
    r.Set(SlipField::SANumber, "SA " + sa);
    r.Set(SlipField::Date, "1/9/2026");
    r.Set(SlipField::Name, "Customer " + sa);
    r.Set(SlipField::Team, team);
    return std::string(r.Bytes().data(), r.Bytes().size());
}

TEST(AdminStore, CompletedRowsDeleteSelectedAndDeleteAll) {
    test::TempFolder folder;
    CrewdeskVariables v(folder.Path());
    v.Assignments = {"populated", "North", "South"};
    const auto file = folder / "CompletedSlips.txt";
    WriteBytes(file, Completed("1-1", "2") + Completed("1-2", "3") + Completed("1-3", ""));
    const auto rows = ReadCompletedRows(v);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].date + "|" + rows[0].reference + "|" + rows[0].customer + "|" +
                  rows[0].assignedTo,
              "1/9/2026|SA 1-1|Customer 1-1|South");
    EXPECT_EQ(rows[1].assignedTo, "(team 3)");
    EXPECT_EQ(rows[2].assignedTo, "(no team)");

    EXPECT_THROW(DeleteSelectedCompletions(v, {true, false}), StoreError) << "stale rows";
    DeleteSelectedCompletions(v, {true, false, true});
    EXPECT_EQ(ReadBytes(file), Completed("1-2", "3"));
    EXPECT_FALSE(fs::exists(folder / "TemporaryFile.txt"));
    DeleteAllCompletions(v);
    EXPECT_TRUE(ReadCompletedRows(v).empty());
    DeleteSelectedCompletions(v, {false});
    EXPECT_FALSE(fs::exists(file)) << "rows of a deleted file write nothing";
}

TEST(AdminStore, ArchiveFolderByExecutableName) {
    EXPECT_EQ(ProductFolder("/opt/rotaplan/rotaplan"), "\\PlanoraFiles");
    EXPECT_EQ(ProductFolder("CrewDeskGrandEx.exe"), "\\PlanoraFiles");
    EXPECT_EQ(ProductFolder("purselog"), "\\FundsFiles");
    EXPECT_EQ(ArchiveFolder("/media/a", "rotaplan2"), fs::path("/media/a/Archive"));
}

TEST(AdminStore, ArchiveAndReinstallCopyTheSixFilesOnly) {
    test::TempFolder program, driveA, driveB;
    CrewdeskVariables v(program.Path());
    for (const char* name : CentralFiles)
        WriteBytes(program / name, name);
    WriteBytes(program / "CompletedSlips.txt", "completed");
    Archive(v, driveA.Path(), "rotaplan.exe");
    Archive(v, driveB.Path(), "other");
    EXPECT_EQ(ReadBytes(driveA / "Archive/PlanoraFiles/Settings.txt"), "Settings.txt");
    EXPECT_EQ(ReadBytes(driveB / "Archive/Assignto.txt"), "Assignto.txt");
    EXPECT_FALSE(fs::exists(driveA / "Archive/PlanoraFiles/CompletedSlips.txt"));

    WriteBytes(driveA / "Archive/PlanoraFiles/Slips.txt", "archived");
    fs::remove(driveA / "Archive/PlanoraFiles/Counter.txt");
    WriteBytes(program / "Slips.txt", "newer");
    WriteBytes(program / "Counter.txt", "newer");
    EXPECT_EQ(Reinstall(v, driveA.Path(), "rotaplan"), 5);
    EXPECT_EQ(ReadBytes(program / "Slips.txt"), "archived");
    EXPECT_EQ(ReadBytes(program / "Counter.txt"), "newer");
    EXPECT_EQ(ReadBytes(program / "CompletedSlips.txt"), "completed");
    EXPECT_EQ(Reinstall(v, driveB.Path(), "rotaplan"), 0) << "no PlanoraFiles there";

    // A drive failing half-way through changes nothing in the program folder.
    disk::SetFaultHook([](disk::Operation op, const fs::path& file) {
        if (op == disk::Operation::Rename && file.filename() == "Counter.txt")
            throw StoreError(file, "read", "Input/output error");
    });
    EXPECT_THROW(Reinstall(v, driveB.Path(), "other"), StoreError);
    disk::SetFaultHook(nullptr);
    EXPECT_EQ(ReadBytes(program / "Slips.txt"), "archived");
    EXPECT_FALSE(fs::exists(program / "Reinstall"));
    try {
        Archive(v, driveA / "not mounted", "rotaplan");
        ADD_FAILURE();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.File(), driveA / "not mounted");
    }
}

TEST(AdminStore, ResetEmptiesThisAndNextYearsTeamsAndTheSlipFiles) {
    test::TempFolder folder;
    CrewdeskVariables v(folder.Path());
    v.Assignments = {"populated", "North", "South"};
    const char* teams[] = {"2026/Team# 1", "2026/Team# 2", "2027/Team# 1", "2027/Team# 2"};
    for (const char* team : teams)
        WriteBytes(folder / team / "5.txt", "x");
    WriteBytes(folder / "2025/Team# 1/5.txt", "x");
    const char* erased[] = {"Slips.txt", "Events.txt", "Meetings.txt", "ScheduledEvents.txt",
                            "ProjectDetails.txt"};
    for (const char* name : {erased[0], erased[1], erased[2], erased[3], erased[4], "Counter.txt",
                             "CompletedSlips.txt"}) {
        WriteBytes(folder / name, "x");
        WriteBytes(folder / "Backup" / name, "x");
    }
    ResetSchedules(v, Date{2026, 12, 4});
    for (const char* team : teams)
        EXPECT_TRUE(fs::is_directory(folder / team) && fs::is_empty(folder / team)) << team;
    EXPECT_TRUE(fs::exists(folder / "2025/Team# 1/5.txt"));
    for (const char* name : erased)
        EXPECT_FALSE(fs::exists(folder / name) || fs::exists(folder / "Backup" / name)) << name;
    EXPECT_TRUE(fs::exists(folder / "Backup/Counter.txt"));
    EXPECT_TRUE(fs::exists(folder / "CompletedSlips.txt"));
}

} // namespace
} // namespace rotaplan
