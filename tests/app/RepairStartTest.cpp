// The operator's side of a damaged slip file: asked once, told once, and a clean end that
// lets the next start skip the checks.
#include "store/SlipRecord.h"
#include "support/ProgramFixture.h"

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class RepairStart : public test::ProgramTest {};

TEST_F(RepairStart, TheOperatorChoosesAndABackupNeverTakesTheDamagedFile) {
    WriteTeams();
    std::string good;
    for (const char* sa : {"SA 338-1", "SA 338-2"})
        good += test::SlipBytes({{SlipField::Kind, "Service"},
                                 {SlipField::SANumber, sa},
                                 {SlipField::Date, "12/9/2026"}});
    WriteBytes(folder / "Backup/Slips.txt", good);
    WriteBytes(folder / "Slips.txt", std::string(2 * SlipRecordLength, '\xFF'));

    Answer({MessageAnswer::No, MessageAnswer::Ok, MessageAnswer::Ok});
    Started().ExitProgram();
    ASSERT_EQ(platform.messages.shown.size(), 3u);
    EXPECT_EQ(platform.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_NE(Shown()[0].find("2 of its 2 records are not call slips (records 1, 2)"),
              std::string::npos);
    EXPECT_NE(Shown()[1].find("Slips.txt is damaged and kept as it is"), std::string::npos);
    EXPECT_NE(Shown()[2].find("found damaged at start-up, so the backup copy is kept"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "Backup/Slips.txt"), good);
    EXPECT_FALSE(fs::exists(folder / "CleanEnd.mark")) << "the next start checks again";

    platform.messages.shown.clear();
    Answer({MessageAnswer::Yes, MessageAnswer::Ok});
    Started().ExitProgram();
    EXPECT_NE(Shown()[1].find("rebuilt from its backup copy (2 call slips)"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), good);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt.damaged"), std::string(538, '\xFF'));
    EXPECT_TRUE(fs::exists(folder / "CleanEnd.mark"));

    platform.messages.shown.clear();
    Started().ExitProgram();
    EXPECT_TRUE(platform.messages.shown.empty()) << "a quick start has nothing to say";
}

} // namespace
} // namespace rotaplan
