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
    CompletedRows shown(v);
    ASSERT_EQ(shown.Count(), 3);
    const CompletedRow row = shown.Row(1);
    EXPECT_EQ(row.date + "|" + row.reference + "|" + row.customer + "|" + row.assignedTo,
              "1/9/2026|SA 1-1|Customer 1-1|South");
    EXPECT_EQ(shown.Row(2).assignedTo, "(team 3)");
    EXPECT_EQ(shown.Row(3).assignedTo, "(no team)");
    shown.Toggle(3);
    shown.Toggle(1);
    shown.Toggle(3);
    // The file changed behind the rows shown: a mark that no longer fits is refused.
    const std::string swapped =
        Completed("1-2", "3") + Completed("1-1", "2") + Completed("1-3", "");
    for (const std::string& changed : {swapped, swapped + Completed("1-4", "1")}) {
        WriteBytes(file, changed);
        EXPECT_THROW(DeleteSelectedCompletions(v, shown), StoreError);
        EXPECT_EQ(ReadBytes(file), changed);
    }
    WriteBytes(file, Completed("1-1", "2") + Completed("1-2", "3") + Completed("1-3", ""));
    DeleteSelectedCompletions(v, shown);
    EXPECT_EQ(ReadBytes(file), Completed("1-2", "3") + Completed("1-3", ""));
}

// Rows are read in blocks as the view wants them; reads all over a long file still find the
// right record, and a delete takes exactly the marked ones.
TEST_F(AdminStore, CompletedRowsOfALongFileReadAndDeleteByRecordNumber) {
    const auto file = folder / "CompletedSlips.txt";
    std::string all, kept;
    for (int r = 1; r <= 1100; ++r) {
        all += Completed("1-" + std::to_string(r), "1");
        if (r != 2 && r != 1099)
            kept += Completed("1-" + std::to_string(r), "1");
    }
    WriteBytes(file, all);
    CompletedRows shown(v);
    for (int r : {1, 257, 513, 769, 1025, 1, 1100, 256, 1099, 2})
        EXPECT_EQ(shown.Row(r).reference, "SA 1-" + std::to_string(r));
    shown.Toggle(1099);
    shown.Toggle(2);
    DeleteSelectedCompletions(v, shown);
    EXPECT_EQ(ReadBytes(file), kept);
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
