#include "store/Master.h"
#include "store/Disk.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

using Backup = StoreTest;

TEST_F(Backup, CopiesWhatExistsKeepsOlderCopiesAndGoesOnPastAFailingCopy) {
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
    WriteBytes(folder / "CompletedSlips.txt", std::string(269, 'c'));
    WriteBytes(folder / "Backup/PurgedDate.txt", "44\r\n");
    BackupFiles(v);
    EXPECT_EQ(ReadBytes(folder / "Backup/Assignto.txt"), "\"North\"\r\n");
    EXPECT_EQ(ReadBytes(folder / "Backup/PurgedDate.txt"), "44\r\n");
    EXPECT_FALSE(fs::exists(folder / "Backup/CompletedSlips.txt"));
    WriteBytes(folder / "Assignto.txt", "\"Changed\"\r\n");
    RestoreFiles(v);
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n");
    EXPECT_EQ(ReadBytes(folder / "PurgedDate.txt"), "44\r\n");

    for (const char* name : CentralFiles)
        WriteBytes(folder / name, name);
    WriteBytes(folder / "Backup/Counter.txt", "old");
    disk::SetFaultHook([](disk::Operation op, const fs::path& file) {
        if (op == disk::Operation::Rename && file.filename() == "Counter.txt")
            throw StoreError(file, "rename", "Read-only file system");
    });
    try {
        BackupFiles(v);
        ADD_FAILURE();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.File().filename(), "Counter.txt");
    }
    disk::SetFaultHook(nullptr);
    EXPECT_EQ(ReadBytes(folder / "Backup/Counter.txt"), "old");
    EXPECT_EQ(ReadBytes(folder / "Backup/Settings.txt"), "Settings.txt");
    EXPECT_FALSE(fs::exists(folder / "Backup/Counter.txt.new"));
}

} // namespace
} // namespace rotaplan::test
