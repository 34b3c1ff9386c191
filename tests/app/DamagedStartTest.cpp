// Starts on folders damaged from outside: the program starts all the same, rebuilds what it
// can, keeps the damaged file, says which file it was, and opens Setup where a list needs it.
#include "admin/frmSetup.h"
#include "app/frmSplash.h"
#include "store/Master.h"
#include "store/Repair.h"
#include "store/SlipRecord.h"
#include "support/ProgramFixture.h"

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using Files = std::vector<std::pair<std::string, std::string>>;

class DamagedStart : public test::ProgramTest {};

TEST_F(DamagedStart, TheProgramStartsSaysWhatItFoundAndLosesNothing) {
    const std::string two = "\"North\"\r\n\"South\"\r\n", bad = "\"North\"\r\n\r\nSouth\r\n";
    const std::string five = two + "\"C\"\r\n\"D\"\r\n\"E\"\r\n", leak = "\"Leak\"\r\n";
    // Words of a box shown, files written over a sound folder, files as they must be after,
    // whether Setup opens. "guard" is no file but why the single-copy guard could not tell.
    const std::tuple<std::string, Files, Files, bool> cases[] = {
        {"number is 338-4", {{"Counter.txt", ""}}, {{"Counter.txt", "\"338\",4\r\n"}}, false},
        {"number is 338-4", {{"Counter.txt", "garbage"}, {"Backup/Counter.txt", "x"}}, {}, false},
        {"number is 338-4", {{"Counter.txt", "\"338\",-4\r\n"}}, {}, false},
        {"number is 338-8",
         {{"Counter.txt", "\"338\",99999\r\n"}, {"2026/Team# 1/343.txt", "\"SA 338-7\""}},
         {{"Counter.txt.damaged", "\"338\",99999\r\n"}},
         false},
        {"team list",
         {{"Assignto.txt", bad}},
         {{"Assignto.txt", two}, {"Assignto.txt.damaged", bad}},
         true},
        {"left out: 1)",
         {{"ProblemCode.txt", leak + "\x01\xff\r\n"}},
         {{"ProblemCode.txt", leak}},
         true},
        {"Assignto.txt holds 5 teams", {{"Assignto.txt", five}}, {{"Assignto.txt", five}}, false},
        {"Backup: it is a file", {{"Backup", "x"}}, {{"Backup", "x"}}, false},
        {"2026: it is a file",
         {{"2026", "x"}},
         {{"2026", "x"}, {"PurgedDate.txt", "337\r\n"}},
         false},
        {"cannot tell whether another copy", {{"guard", "No locks available"}}, {}, false},
    };
    int n = 0;
    for (const auto& [told, written, after, setupOpens] : cases) {
        SCOPED_TRACE(told);
        const auto home = folder / std::to_string(++n);
        Files files = {{"Assignto.txt", two},
                       {"ProblemCode.txt", leak},
                       {"Slips.txt", std::string(10, ' ') + "SA 338-3" + std::string(251, ' ')}};
        files.insert(files.end(), written.begin(), written.end());
        for (const auto& [name, bytes] : files)
            test::WriteBytes(home / name, bytes);
        platform.instance.unchecked = files.back().first == "guard" ? files.back().second : "";
        platform.messages.answers.assign(8, MessageAnswer::Ok);
        program = std::make_unique<App>(home, platform.Get(), folder / "help.html");
        ASSERT_TRUE(program->Start());
        std::string shown;
        for (const auto& text : Shown())
            shown += text + "\n";
        EXPECT_NE(shown.find(told), std::string::npos) << shown;
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        const auto* setup = program->Loaded<frmSetup>();
        EXPECT_EQ(setup && setup->isVisible(), setupOpens);
        EXPECT_EQ(test::ReadBytes(home / "Slips.txt").size(), 269u);
        for (const auto& [name, bytes] : after)
            EXPECT_EQ(test::ReadBytes(home / name), bytes) << name;
        program->ExitProgram();
        QApplication::processEvents(); // the forms go while their program is still there
        platform.messages.shown.clear();
    }
}

// Asked once, told once, and a clean end lets the next start skip the checks.
TEST_F(DamagedStart, ForTheSlipFileTheOperatorChoosesAndABackupNeverTakesIt) {
    WriteTeams();
    std::string good;
    for (const char* sa : {"SA 338-1", "SA 338-2"})
        good += test::SlipBytes({{SlipField::Kind, "Service"},
                                 {SlipField::SANumber, sa},
                                 {SlipField::Date, "12/9/2026"}});
    test::WriteBytes(folder / "Backup/Slips.txt", good);
    test::WriteBytes(folder / "Slips.txt", std::string(2 * SlipRecordLength, '\xFF'));

    Answer({MessageAnswer::No, MessageAnswer::Ok, MessageAnswer::Ok});
    Started().ExitProgram();
    ASSERT_EQ(platform.messages.shown.size(), 3u);
    EXPECT_EQ(platform.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_NE(Shown()[0].find("2 of its 2 records are not call slips (records 1, 2)"),
              std::string::npos);
    EXPECT_NE(Shown()[1].find("Slips.txt is damaged and kept as it is"), std::string::npos);
    EXPECT_NE(Shown()[2].find("found damaged at start-up, so the backup copy is kept"),
              std::string::npos);
    EXPECT_EQ(test::ReadBytes(folder / "Backup/Slips.txt"), good);
    EXPECT_FALSE(fs::exists(folder / "CleanEnd.mark")) << "the next start checks again";

    Answer({MessageAnswer::Yes, MessageAnswer::Ok});
    Started().ExitProgram();
    EXPECT_NE(Shown()[4].find("rebuilt from its backup copy (2 call slips)"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(folder / "Slips.txt"), good);
    EXPECT_EQ(test::ReadBytes(folder / "Slips.txt.damaged-2026-12-04"), std::string(538, '\xFF'));
    EXPECT_TRUE(fs::exists(folder / "CleanEnd.mark"));

    Started().ExitProgram(); // a quick start has nothing to say: any box would fail the test

    // A clock far ahead, or set back: asked before anything changes; No ends the program with
    // every file as it was.
    const auto files = test::FilesUnder(folder.Path());
    for (const Date date : {Date{2026, 12, 30}, Date{2026, 3, 2}}) {
        platform.clock.now.date = date;
        Answer({MessageAnswer::No});
        EXPECT_FALSE(MakeProgram().Start());
        EXPECT_NE(Shown().back().find("Rotaplan last ran on 12/4/2026"), std::string::npos);
        EXPECT_EQ(test::FilesUnder(folder.Path()), files);
    }
}

// Slips written where 3 May is "03/05/2026", read on 10 March under a form that would make it
// 5 March: they stay booked, and the operator is told why.
TEST_F(DamagedStart, SlipsAreReadInTheDateFormTheyWereWrittenIn) {
    WriteTeams();
    test::WriteBytes(folder / "Slips.txt", test::SlipBytes({{SlipField::SANumber, "SA 67-1"},
                                                            {SlipField::Team, "1"},
                                                            {SlipField::Date, "03/05/2026"}}));
    {
        CrewdeskVariables v(folder.Path());
        v.CurrentYear = "2026";
        v.DayOfYear = 68;
        v.DateForm = "03/02/2001";
        BackupFiles(v);
        WriteCleanEnd(v);
    }
    platform.clock.now.date = {2026, 3, 10};
    Answer({MessageAnswer::Ok});
    Started().ExitProgram();
    EXPECT_NE(Shown().front().find("the slips as 03/02/2001"), std::string::npos);
    EXPECT_EQ(fs::file_size(folder / "Slips.txt"), SlipRecordLength) << "not moved as past";
}

} // namespace
} // namespace rotaplan
