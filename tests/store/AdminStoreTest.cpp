#include "store/Archive.h"
#include "store/CompletedSlips.h"
#include "store/Master.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

using AdminStore = StoreTest;

std::string Completed(const std::string& sa, const std::string& team) {
    using enum SlipField;
    return SlipBytes(
        {{SANumber, "SA " + sa}, {Date, "1/9/2026"}, {Name, "Customer " + sa}, {Team, team}});
}

// The forms' tests cover the deletes, the copies and the reset as the operator sees them.
TEST_F(AdminStore, CompletedRowsNameTheirTeamsAndStaleMarksAreRefused) {
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
    EXPECT_THROW(DeleteSelectedCompletions(v, {rows[0], rows[1]}, {true, false}), StoreError)
        << "stale rows";
    EXPECT_EQ(ReadCompletedRows(v).size(), 3u);
}

// A failing drive, and a reinstall stopped anywhere, are the crash test's and the form's.
TEST_F(AdminStore, ArchiveFolderByExecutableNameAndAMissingFileKept) {
    EXPECT_EQ(ProductFolder("/opt/rotaplan/rotaplan"), "\\PlanoraFiles");
    EXPECT_EQ(ProductFolder("CrewDeskGrandEx.exe"), "\\PlanoraFiles");
    EXPECT_EQ(ProductFolder("purselog"), "\\FundsFiles");
    EXPECT_EQ(ArchiveFolder("/media/a", "rotaplan2"), fs::path("/media/a/Archive"));

    TempFolder drive;
    for (const char* name : CentralFiles)
        WriteBytes(folder / name, name);
    Archive(v, drive.Path(), "other");
    WriteBytes(drive / "Archive/Slips.txt", "archived");
    fs::remove(drive / "Archive/Settings.txt");
    EXPECT_EQ(Reinstall(v, drive.Path(), "other"), 5) << "a file missing on the drive is kept";
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "archived");
    EXPECT_EQ(ReadBytes(folder / "Settings.txt"), "Settings.txt");
    v.Slips.distrusted = true;
    EXPECT_EQ(ErrorOf([&] { Archive(v, drive.Path(), "other"); }).File(), folder / "Slips.txt");
    EXPECT_EQ(ReadBytes(drive / "Archive/Slips.txt"), "archived") << "a damaged file is no archive";
}

} // namespace
} // namespace rotaplan::test
