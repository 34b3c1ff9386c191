#include "admin/frmSetup.h"
#include "frame/frmSplash.h"
#include "frame/frmStartup.h"
#include "store/Disk.h"
#include "support/ProgramFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// A day file with its first slot taken by the SA.
std::string DayFile(const std::string& sa) {
    std::string bytes;
    for (int entry = 0; entry < 12; ++entry)
        bytes += "\"" + (entry == 2 ? sa : std::string("No Event Scheduled")) + "\"\r\n";
    return bytes;
}

class Setup : public test::ProgramTest {
protected:
    frmSetup* form = nullptr;
    QComboBox* teams = nullptr;
    QComboBox* problems = nullptr;
    std::string slips; // a slip booked for each team

    // Starts the program and opens the Setup form the way the operator gets there.
    void Open() {
        Started();
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        if (!program->Variables().FilesMissing)
            Trigger(program->Loaded<frmStartup>(), "mnuModify");
        form = program->Loaded<frmSetup>();
        ASSERT_TRUE(form && form->isVisible());
        teams = Find<QComboBox>(form, "cboAssignments");
        problems = Find<QComboBox>(form, "cboProblems");
    }
    void Type(QComboBox* combo, const char* text) { combo->setEditText(QString::fromUtf8(text)); }
    void Pick(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void Tab(int index) { Find<QTabWidget>(form, "tabSetup")->setCurrentIndex(index); }
    QStringList Items(QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    void WriteTwoTeams() {
        WriteBytes(folder / "Assignto.txt", "\"North\"\r\n\"South\"\r\n");
        WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
        fs::create_directories(folder / "2026/Team# 1");
        fs::create_directories(folder / "2026/Team# 2");
        WriteBytes(folder / "2026/Team# 1/340.txt", DayFile("SA 330-1"));
        WriteBytes(folder / "2026/Team# 2/340.txt", DayFile("SA 330-2"));
        slips.clear();
        for (const char* team : {"1", "2"}) {
            SlipRecord slip;
            slip.Set(SlipField::SANumber, std::string("SA 330-") + team);
            slip.Set(SlipField::Team, team);
            slip.Set(SlipField::Date, "12/6/2026");
            slip.Set(SlipField::StartIndex, "3");
            slip.Set(SlipField::Hours, "1");
            slips.append(slip.Bytes().data(), slip.Bytes().size());
        }
        WriteBytes(folder / "Slips.txt", slips);
    }
};

TEST_F(Setup, FirstRunThroughSetupToTheMainMenu) {
    Open();
    EXPECT_EQ(Find<QTabWidget>(form, "tabSetup")->currentIndex(), 0);
    Answer({MessageAnswer::No});
    Click(form, "cmdQuit");
    EXPECT_EQ(platform.messages.shown.back().title, "Not all files Created");
    EXPECT_EQ(platform.messages.shown.back().text,
              "Some needed files have not been Created\r\nWould you like to exit the program?");
    EXPECT_TRUE(form->isVisible());

    Tab(1);
    Type(teams, "North Crew");
    Click(form, "cmdSave");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North Crew\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder / "2026/Team# 1"));
    EXPECT_EQ(teams->currentText(), "");
    Tab(2);
    Type(problems, "Leaking tap");
    Click(form, "cmdSavePC");
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), "\"Leaking tap\"\r\n");
    EXPECT_EQ(program->Variables().ProblemList.Items(), std::vector<std::string>{"Leaking tap"});

    Click(form, "cmdQuit");
    EXPECT_FALSE(form->isVisible());
    ASSERT_NE(program->Loaded<frmStartup>(), nullptr);
    EXPECT_TRUE(program->Loaded<frmStartup>()->isVisible());
}

TEST_F(Setup, NotAllFilesCreatedAnsweredYesEndsTheProgram) {
    Open();
    Answer({MessageAnswer::Yes});
    Click(form, "cmdQuit");
    EXPECT_TRUE(program->Ended());
}

TEST_F(Setup, AddRefusesAThirdTeamDuplicatesAndEmptyNamesButNotOtherCase) {
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
    WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
    Open();
    Tab(1);
    for (const char* refused : {"", "North"}) {
        Type(teams, refused);
        Click(form, "cmdSave");
        EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n") << refused;
        EXPECT_EQ(teams->currentText(), "");
    }
    Type(teams, "Say \"hi\"");
    Answer({MessageAnswer::Ok});
    Click(form, "cmdSave");
    EXPECT_NE(platform.messages.shown.back().text.find("double quote"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n");

    Type(teams, "north");
    Click(form, "cmdSave");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n\"north\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder / "2026/Team# 2"));

    program->Variables().SoundAlarms = true;
    Type(teams, "Third");
    Click(form, "cmdSave");
    EXPECT_EQ(platform.beep.count, 1);
    EXPECT_EQ(teams->currentText(), "Third") << "the typed name stays";
    program->Variables().SoundAlarms = false;
    Click(form, "cmdSave");
    EXPECT_EQ(platform.beep.count, 1);
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n\"north\"\r\n");
}

TEST_F(Setup, DeletingTheFirstTeamRenumbersTheFoldersAndLeavesTheSlips) {
    WriteTwoTeams();
    fs::create_directories(folder / "2027/Team# 1");
    Open();
    Tab(1);
    Pick(teams, 0);
    EXPECT_FALSE(Find<QWidget>(form, "cmdSave")->isEnabled());
    Click(form, "cmdDelete");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"South\"\r\n");
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/340.txt"), DayFile("SA 330-2"));
    EXPECT_FALSE(fs::exists(folder / "2026/Team# 2"));
    EXPECT_TRUE(fs::exists(folder / "2027/Team# 1")) << "other years stay";
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), slips) << "booked slips keep their team number";
    EXPECT_EQ(Items(teams), QStringList{"South"});

    Type(teams, "South");
    Click(form, "cmdDelete");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "");
    EXPECT_TRUE(fs::is_empty(folder / "2026"));
}

TEST_F(Setup, DeletingWithAFolderMissingStillEndsNumberedAsTheList) {
    WriteTwoTeams();
    fs::remove_all(folder / "2026/Team# 2");
    Answer({MessageAnswer::Ok}); // the start-up names team 2's slip that lost its hours
    Open();
    Tab(1);
    Pick(teams, 0);
    Click(form, "cmdDelete");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"South\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder / "2026/Team# 1"));
    EXPECT_TRUE(fs::is_empty(folder / "2026/Team# 1")) << "north's day must not become south's";

    Type(teams, "Nobody");
    Click(form, "cmdDelete");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"South\"\r\n");
}

TEST_F(Setup, RenamingKeepsTheFolderAndReachesEveryTeamList) {
    WriteTwoTeams();
    Open();
    Tab(1);
    Pick(teams, 1);
    Type(teams, "South Van");
    Click(form, "cmdChange");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n\"South Van\"\r\n");
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/340.txt"), DayFile("SA 330-2"));
    EXPECT_EQ(program->Variables().TeamList.Items(),
              (std::vector<std::string>{"North", "South Van"}));
    EXPECT_TRUE(Find<QWidget>(form, "cmdSave")->isEnabled());
    EXPECT_FALSE(Find<QWidget>(form, "cmdChange")->isEnabled());
}

TEST_F(Setup, AFailedWriteIsReportedAndTheListStaysAsTheFile) {
    WriteTwoTeams();
    Open();
    Tab(2);
    disk::SetFaultHook([](disk::Operation op, const fs::path&) {
        if (op == disk::Operation::Rename)
            throw StoreError("ProblemCode.txt", "rename", "Read-only file system");
    });
    Type(problems, "Blocked drain");
    Answer({MessageAnswer::Ok});
    Click(form, "cmdSavePC");
    disk::SetFaultHook(nullptr);
    EXPECT_NE(platform.messages.shown.back().text.find("ProblemCode.txt"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), "\"Leak\"\r\n");
    EXPECT_EQ(Items(problems), QStringList{"Leak"});
    EXPECT_FALSE(fs::exists(folder / "ProblemCode.txt.new"));
}

TEST_F(Setup, LogoSavesTheCurrentTabAndOperationsReachTheSettingsOnlyThen) {
    WriteTwoTeams();
    WriteBytes(folder / "Settings.txt",
               "8\r\n9\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n");
    Open();
    auto& v = program->Variables();
    EXPECT_TRUE(Find<QRadioButton>(form, "optMF")->isChecked());
    EXPECT_EQ(v.WorkWeek, 5);

    Click(form, "Image1"); // the Help tab saves nothing and says nothing
    EXPECT_TRUE(platform.messages.shown.empty());

    Tab(1);
    Answer({MessageAnswer::Ok});
    Click(form, "Image1");
    EXPECT_EQ(platform.messages.shown.back().text, "Settings have been Saved");
    EXPECT_EQ(Find<QTabWidget>(form, "tabSetup")->currentIndex(), 2);

    Tab(3);
    Click(form, "ck7");
    Click(form, "optSS");
    Click(form, "ckPrompts");
    EXPECT_EQ(v.StartHour, 7);
    EXPECT_EQ(v.WorkWeek, 7);
    EXPECT_EQ(ReadBytes(folder / "Settings.txt").substr(0, 5), "8\r\n9\r") << "not saved yet";
    Click(form, "Image1");
    EXPECT_EQ(ReadBytes(folder / "Settings.txt"),
              "7\r\n7\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n");
    EXPECT_EQ(platform.messages.shown.size(), 1u) << "prompts are off now";
    EXPECT_EQ(Find<QTabWidget>(form, "tabSetup")->currentIndex(), 3);
}

} // namespace
} // namespace rotaplan
