#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Counter.h"
#include "store/CrewdeskFiles.h"
#include "store/CrewdeskSetup.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Master.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "support/StoreChecks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace rotaplan::test {
namespace {

using SupportFiles = StoreTest;

TEST_F(SupportFiles, SettingsDefaultsRoundTripHandWrittenAndDamagedFiles) {
    LoadSettings(v);
    EXPECT_EQ(ReadBytes(folder / "Settings.txt"),
              "8\r\n5\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n");

    v.StartHour = 7;
    v.WorkWeek = 62;
    v.SoundAlarms = false;
    v.ReservedFlag2 = true;
    v.ReservedNumber = -3;
    SaveSettings(v);
    EXPECT_EQ(ReadBytes(folder / "Settings.txt"),
              "7\r\n62\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n-3\r\n");
    CrewdeskVariables again(folder.Path());
    LoadSettings(again);
    EXPECT_EQ(again.WorkWeek, 62);
    EXPECT_TRUE(again.ReservedFlag2);
    EXPECT_EQ(again.ReservedNumber, -3);

    WriteBytes(folder / "Settings.txt", "7\n61\n #FALSE#\n#TRUE#\n#FALSE#\n#FALSE#\n1");
    CrewdeskVariables hand(folder.Path());
    LoadSettings(hand);
    EXPECT_EQ(hand.WorkWeek, 61);
    EXPECT_FALSE(hand.SoundAlarms);
    EXPECT_TRUE(hand.Notices.empty());

    for (const char* damaged : {"8\r\n5\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n",
                                "abc\r\n5\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n",
                                "7\r\n5\r\n#YES#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n",
                                "7\r\n5\r\n#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n70000\r\n"}) {
        WriteBytes(folder / "Settings.txt", damaged);
        CrewdeskVariables v2(folder.Path());
        LoadSettings(v2);
        EXPECT_EQ(v2.StartHour, 8) << damaged;
        ASSERT_EQ(v2.Notices.size(), 1u) << damaged;
        EXPECT_NE(v2.Notices[0].find("Settings.txt"), std::string::npos);
        EXPECT_EQ(ReadBytes(folder / "Settings.txt"), damaged);
    }
}

TEST_F(SupportFiles, MissingOrDamagedFilesGiveWayToAReadableBackupCopy) {
    WriteBytes(folder / "Backup/Assignto.txt", "\"North, East\"\r\n\"South\"\r\n");
    WriteBytes(folder / "Backup/ProblemCode.txt", "\"Leak\"\r\n");
    LoadAssignments(v);
    LoadProblems(v);
    FillTeamLists(v);
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), ReadBytes(folder / "Backup/Assignto.txt"));
    EXPECT_EQ(v.TeamList.Items(), (std::vector<std::string>{"North, East", "South"}));
    EXPECT_EQ(v.ProblemList.Items(), std::vector<std::string>{"Leak"});
    EXPECT_FALSE(v.FilesMissing);
    CheckSetupFiles(v);
    EXPECT_TRUE(v.FileFound);

    WriteBytes(folder / "ProblemCode.txt", "\"Leak\r\n");
    WriteBytes(folder / "Backup/ProblemCode.txt", "\"Leak\"\r\n\"Drip\"\r\n");
    LoadProblems(v);
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), "\"Leak\"\r\n\"Drip\"\r\n");
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt.damaged"), "\"Leak\r\n");
    ASSERT_EQ(v.Notices.size(), 1u);
    EXPECT_NE(v.Notices[0].find("ProblemCode.txt.damaged"), std::string::npos) << v.Notices[0];

    // A damaged copy is no help: the file's own damage is what the operator hears of.
    WriteBytes(folder / "Settings.txt", "7\r\n5\r\n");
    WriteBytes(folder / "Backup/Settings.txt", "x");
    LoadSettings(v);
    EXPECT_EQ(v.StartHour, 8);
    EXPECT_EQ(ReadBytes(folder / "Settings.txt"), "7\r\n5\r\n");
    EXPECT_FALSE(fs::exists(folder / "Settings.txt.damaged"));

    // Only a file that is not there is missing: one that cannot be looked for is an error.
    EXPECT_FALSE(RecoverFile(v, "\\absent.txt"));
    const std::string told =
        ErrorOf([&] { RecoverFile(v, "\\" + std::string(300, 'a') + ".txt"); }).what();
    EXPECT_NE(told.find(std::string(300, 'a')), std::string::npos);
}

TEST_F(SupportFiles, EmptyAndMissingTeamLists) {
    int redraws = 0;
    v.TeamList.Subscribe([&] { ++redraws; });
    LoadAssignments(v);
    EXPECT_EQ(v.Assignments, std::vector<std::string>{"empty"});
    EXPECT_TRUE(v.FilesMissing);
    CheckSetupFiles(v);
    EXPECT_FALSE(v.FileFound);

    WriteBytes(folder / "Assignto.txt", "");
    LoadAssignments(v);
    FillTeamLists(v);
    EXPECT_EQ(v.Assignments, std::vector<std::string>{"populated"});
    EXPECT_TRUE(v.TeamList.Items().empty());
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(v.FilesMissing) << "never reset during the run";
}

TEST_F(SupportFiles, ListsAreWrittenInWindows1252AndRefuseWhatCannotBeStored) {
    const std::string stored = "\"Caf\xe9 sink\"\r\n\"Heat, hot water\"\r\n";
    SaveTextList(v, ProblemCodeFile, {"Caf\xc3\xa9 sink", "Heat, hot water"});
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), stored);
    LoadProblems(v);
    EXPECT_EQ(v.ProblemList.Items()[0], "Caf\xc3\xa9 sink");
    for (const char* bad : {"12\" pipe", "Pipe \xc5\x82" /* ł */}) {
        EXPECT_THROW(SaveTextList(v, ProblemCodeFile, {"Fine", bad}), StoreError);
        EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), stored);
    }
    SaveTextList(v, AssigntoFile, {});
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "");
}

TEST_F(SupportFiles, KillIfExistsDeletesFilesOnlyAndPrepareFoldersKeepsSlips) {
    WriteBytes(folder / "2026/Team# 1/338.txt", "x");
    WriteBytes(folder / "2026/Team# 1/README", "x");
    WriteBytes(folder / "2026/Team# 1/sub/keep.txt", "x");
    KillIfExists(v, "\\2026\\Team# 1\\nothing.txt");
    KillIfExists(v, "\\2026\\Team# 2\\*.*");
    KillIfExists(v, "\\2026\\Team# 1\\*.*");
    EXPECT_FALSE(fs::exists(folder / "2026/Team# 1/338.txt"));
    EXPECT_FALSE(fs::exists(folder / "2026/Team# 1/README"));
    EXPECT_TRUE(fs::exists(folder / "2026/Team# 1/sub/keep.txt"));

    PrepareFolders(v);
    EXPECT_TRUE(fs::is_directory(folder / "Backup"));
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "");
    WriteBytes(folder / "Slips.txt", std::string(269, 'x'));
    PrepareFolders(v);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt").size(), 269u);
    fs::remove(folder / "Slips.txt");
    fs::create_directory(folder / "Slips.txt");
    const StoreError error = ErrorOf([&] { PrepareFolders(v); });
    EXPECT_EQ(error.File(), folder / "Slips.txt");
    EXPECT_NE(error.Reason().find("a folder stands where"), std::string::npos);
}

TEST_F(SupportFiles, BackupCopiesWhatExistsKeepsOlderCopiesAndGoesOnPastAFailingCopy) {
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
    EXPECT_EQ(ErrorOf([&] { BackupFiles(v); }).File().filename(), "Counter.txt");
    disk::SetFaultHook(nullptr);
    EXPECT_EQ(ReadBytes(folder / "Backup/Counter.txt"), "old");
    EXPECT_EQ(ReadBytes(folder / "Backup/Settings.txt"), "Settings.txt");
    EXPECT_FALSE(fs::exists(folder / "Backup/Counter.txt.new"));
}

TEST_F(SupportFiles, WhatTheProgramMakesIsTheOperatorsAloneAndARewriteKeepsTheMode) {
    const mode_t umask = ::umask(022);
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
    fs::permissions(folder / "Assignto.txt", fs::perms(0640));
    PrepareFolders(v);
    SaveSettings(v);
    MakeYearFolders(v, "2026");
    BackupFiles(v);
    SaveTextList(v, AssigntoFile, {"South"});
    ::umask(umask);
    const std::pair<const char*, int> modes[] = {
        {"Backup", 0700},       {"Slips.txt", 0600},        {"Settings.txt", 0600},
        {"2026", 0700},         {"Backup/Slips.txt", 0600}, {"Backup/Assignto.txt", 0600},
        {"Assignto.txt", 0640}, // rewritten, as it was
    };
    for (const auto& [name, mode] : modes)
        EXPECT_EQ(static_cast<int>(fs::status(folder / name).permissions()), mode) << name;
}

TEST_F(SupportFiles, ALinkUnderAScratchNameOrAsLastYearIsNamedAndNothingOutsideIsTouched) {
    TempFolder outside;
    WriteBytes(outside / "readme.doc", "theirs");
    WriteBytes(folder / "Slips.txt", SlipBytes({{SlipField::SANumber, "SA 330-1"}}));
    WriteBytes(folder / "CompletedSlips.txt", SlipBytes({{SlipField::SANumber, "SA 300-1"}}));
    WriteBytes(folder / "Backup/Slips.txt", "");
    v.Assignments = {"populated", "North"};
    EnsureYearFolders(v, Date{2026, 12, 4});
    LoadDaySlots(v, 1, Date{2026, 12, 4});
    const std::pair<const char*, std::function<void()>> writes[] = {
        {"Counter.txt.new", [&] { SaveCounter(v); }},
        {"Settings.txt.new", [&] { SaveSettings(v); }},
        {"2026/Team# 1/338.txt.new", [&] { WriteDayFile(v); }},
        {"Backup/Slips.txt.new", [&] { BackupFiles(v); }},
        {"Backup/Previous/Slips.txt.new", [&] { BackupFiles(v); }},
        {"Temp.txt", [&] { RemoveSlip(v, 1); }},
        {"TemporaryFile.txt",
         [&] {
             CompletedRows shown(v);
             shown.Toggle(1);
             DeleteSelectedCompletions(v, shown);
         }},
        {"CompletedSlips.txt", [&] { DeleteAllCompletions(v); }},
    };
    for (const auto& [name, write] : writes) {
        const fs::path link = folder / name;
        std::error_code missing; // a scratch name has nothing to put aside
        fs::rename(link, fs::path(link).concat(".kept"), missing);
        fs::create_directories(link.parent_path(), missing);
        fs::create_symlink(outside / "readme.doc", link);
        EXPECT_EQ(ErrorOf(write).File(), link);
        EXPECT_TRUE(fs::is_symlink(link)) << name;
        EXPECT_EQ(ReadBytes(outside / "readme.doc"), "theirs") << name;
        fs::remove(link);
    }

    fs::create_directory_symlink(outside.Path(), folder / "2025");
    WriteBytes(outside / "Team# 1/1.txt", "theirs");
    EnsureYearFolders(v, Date{2026, 12, 4});
    EXPECT_TRUE(fs::exists(outside / "Team# 1/1.txt"));
    EXPECT_EQ(v.Notices, std::vector<std::string>{"The folder 2025 of last year is a link to "
                                                  "another place; it was left alone."});
    EXPECT_EQ(ErrorOf([&] { KillIfExists(v, "\\2025\\Team# 1\\*.*"); }).File(), folder / "2025");
}

// Reads the shortcut at the moment of the hand-over, as a launcher would.
struct ShortcutReader : WebOpener {
    explicit ShortcutReader(fs::path file) : shortcut(std::move(file)) {}
    void Open(const std::string&) override { seen = ReadBytes(shortcut); }
    void OpenHelp(const fs::path&, const std::string&) override {}
    fs::path shortcut;
    std::string seen;
};

TEST_F(SupportFiles, TheWebPageShortcutIsHandedOverAndRemoved) {
    ShortcutReader web(folder / "Temp.url");
    WriteBytes(folder / "Temp.url", "left over from before");
    OpenWebPage(v, web, "https://www.example.com/");
    EXPECT_EQ(web.seen, "[InternetShortcut]\r\nURL = https://www.example.com/\r\n");
    EXPECT_FALSE(fs::exists(folder / "Temp.url"));
}

} // namespace
} // namespace rotaplan::test
