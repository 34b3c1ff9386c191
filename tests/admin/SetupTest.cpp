#include "admin/frmSetup.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "store/Disk.h"
#include "support/ProgramFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::Day;
using test::ReadBytes;
using test::WriteBytes;

class Setup : public test::ProgramTest {
protected:
    frmSetup* form = nullptr;
    QComboBox* teams = nullptr;
    QComboBox* problems = nullptr;
    std::string slips; // a slip booked for each team

    // Starts the program and opens the Setup form the way the operator gets there.
    void Open(int tab = 0) {
        Started();
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        if (!program->Variables().FilesMissing)
            Trigger(program->Loaded<frmStartup>(), "mnuModify");
        form = program->Loaded<frmSetup>();
        ASSERT_TRUE(form && form->isVisible());
        teams = Find<QComboBox>(form, "cboAssignments");
        problems = Find<QComboBox>(form, "cboProblems");
        Tab(tab);
    }
    void Pick(QComboBox* combo, int index) {
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(index, 0)).center());
    }
    void Tab(int index) { Find<QTabWidget>(form, "tabSetup")->setCurrentIndex(index); }
    std::string Teams() { return ReadBytes(folder / "Assignto.txt"); }
    void WriteTwoTeams() {
        WriteTeams();
        for (const char* team : {"1", "2"}) {
            const std::string sa = std::string("330-") + team;
            WriteBytes(folder / (std::string("2026/Team# ") + team + "/340.txt"),
                       Day({{2, ("SA " + sa).c_str()}}));
            slips += test::FileOf({test::CustomerSlip(sa, team, "12/6/2026", "3", "1", "Al", "")});
        }
        WriteBytes(folder / "Slips.txt", slips);
    }
};

// Typed text stays as typed beside an entry it begins; a long entry picked stays whole; a
// restored window keeps its tab and what was typed. The welcome stays until both lists hold
// something.
TEST_F(Setup, FirstRunThroughSetupToTheMainMenu) {
    const std::string team(45, 'T'), problem = "Leaking" + std::string(28, 'P');
    Open();
    auto welcomed = [this] { return Find<QLabel>(form, "lblWelcome")->isVisible(); };
    EXPECT_TRUE(welcomed());
    EXPECT_EQ(Find<QTabWidget>(form, "tabSetup")->currentIndex(), 0);
    Click(form, "cmdQuit", {MessageAnswer::No});
    EXPECT_EQ(LastBox(), "Not all files Created|Some needed files have not been Created\r\nWould "
                         "you like to exit the program?");
    EXPECT_TRUE(form->isVisible());

    Tab(1);
    TypeInto(teams, team.c_str());
    Click(form, "cmdSave");
    EXPECT_EQ(Teams(), "\"" + team + "\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder / "2026/Team# 1"));
    EXPECT_TRUE(welcomed()) << "no problem descriptions yet";
    Tab(2);
    TypeInto(problems, problem.c_str());
    Click(form, "cmdSavePC");
    EXPECT_FALSE(welcomed());
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), "\"" + problem + "\"\r\n");
    TypeInto(problems, "Leak");
    MinimizeAndRestore(form);
    EXPECT_EQ(Find<QTabWidget>(form, "tabSetup")->currentIndex(), 2);
    Click(form, "cmdSavePC");
    Pick(problems, 0);
    Click(form, "cmdDeletePC");
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), "\"Leak\"\r\n");
    Tab(1);
    Pick(teams, 0);
    Click(form, "cmdDelete");
    EXPECT_EQ(Teams(), "");
    EXPECT_TRUE(welcomed()) << "no team left";

    Click(form, "cmdQuit");
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(program->Loaded<frmStartup>()->isVisible());
    fs::remove(folder / "ProblemCode.txt");
    Trigger(program->Loaded<frmStartup>(), "mnuModify");
    Click(form, "cmdQuit", {MessageAnswer::Yes});
    EXPECT_TRUE(program->Ended()) << "Yes to the question ends the program";
}

TEST_F(Setup, AddRefusesAThirdTeamDuplicatesAndEmptyNamesButNotOtherCase) {
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
    WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
    Open(1);
    Answer({MessageAnswer::Ok});
    for (const char* refused : {"", "North", "Say \"hi\""}) {
        TypeInto(teams, refused);
        Click(form, "cmdSave");
        EXPECT_EQ(Teams(), "\"North\"\r\n") << refused;
    }
    EXPECT_NE(Shown().back().find("double quote"), std::string::npos);

    TypeInto(teams, "north");
    Click(form, "cmdSave");
    EXPECT_EQ(Teams(), "\"North\"\r\n\"north\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder / "2026/Team# 2"));

    program->Variables().SoundAlarms = true;
    TypeInto(teams, "Third");
    Click(form, "cmdSave");
    EXPECT_EQ(platform.beep.count, 1);
    EXPECT_EQ(teams->currentText(), "Third") << "the typed name stays";
    EXPECT_EQ(Teams(), "\"North\"\r\n\"north\"\r\n");
}

TEST_F(Setup, DeletingTheFirstTeamRenumbersTheFoldersAndLeavesTheSlips) {
    WriteTwoTeams();
    fs::create_directories(folder / "2027/Team# 1");
    Open(1);
    Pick(teams, 0);
    EXPECT_FALSE(Find<QWidget>(form, "cmdSave")->isEnabled());
    Click(form, "cmdDelete");
    EXPECT_EQ(Teams(), "\"South\"\r\n");
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/340.txt"), Day({{2, "SA 330-2"}}));
    EXPECT_FALSE(fs::exists(folder / "2026/Team# 2"));
    EXPECT_TRUE(fs::exists(folder / "2027/Team# 1")) << "other years stay";
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), slips) << "booked slips keep their team number";

    EXPECT_TRUE(teams->currentText().isEmpty() && !Find<QWidget>(form, "cmdChange")->isEnabled())
        << "nothing is picked, so Change cannot rename the team now in that place";
    Pick(teams, 0);
    Click(form, "cmdDelete");
    EXPECT_EQ(Teams(), "");
    EXPECT_TRUE(fs::is_empty(folder / "2026"));
}

TEST_F(Setup, RenamingReachesEveryListADeleteKeepsFoldersAsTheListAndAFailedWriteChangesNothing) {
    WriteTwoTeams();
    Open(1);
    Pick(teams, 1);
    TypeInto(teams, "South Van");
    Click(form, "cmdChange");
    EXPECT_EQ(Teams(), "\"North\"\r\n\"South Van\"\r\n");
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/340.txt"), Day({{2, "SA 330-2"}}));
    EXPECT_EQ(program->Variables().TeamList.Items(),
              (std::vector<std::string>{"North", "South Van"}));
    EXPECT_TRUE(Find<QWidget>(form, "cmdSave")->isEnabled());

    fs::remove_all(folder / "2026/Team# 2");
    Pick(teams, 0);
    Click(form, "cmdDelete");
    EXPECT_EQ(Teams(), "\"South Van\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder / "2026/Team# 1"));
    EXPECT_TRUE(fs::is_empty(folder / "2026/Team# 1")) << "north's day must not become south's";

    Tab(2);
    disk::SetFaultHook([](disk::Operation op, const fs::path&) {
        if (op == disk::Operation::Rename)
            throw StoreError("ProblemCode.txt", "rename", "Read-only file system");
    });
    TypeInto(problems, "Blocked drain");
    Click(form, "cmdSavePC", {MessageAnswer::Ok});
    disk::SetFaultHook(nullptr);
    EXPECT_NE(Shown().back().find("ProblemCode.txt"), std::string::npos);
    EXPECT_EQ(problems->count(), 1) << "the list stays as the file";
}

TEST_F(Setup, LogoSavesTheCurrentTabAndOperationsReachTheSettingsOnlyThen) {
    WriteTwoTeams();
    WriteBytes(folder / "Settings.txt",
               "8\r\n9\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n");
    Open();
    Tab(1);
    Click(form, "Image1", {MessageAnswer::Ok});
    EXPECT_EQ(Shown().back(), "Settings have been Saved");
    EXPECT_EQ(Find<QTabWidget>(form, "tabSetup")->currentIndex(), 2) << "saved tabs move on";

    Tab(3);
    Click(form, "ck7");
    Click(form, "optSS");
    Click(form, "ckPrompts");
    EXPECT_EQ(program->Variables().WorkWeek, 7) << "in use at once, though not saved yet";
    EXPECT_EQ(ReadBytes(folder / "Settings.txt").substr(0, 5), "8\r\n9\r");
    Click(form, "Image1"); // prompts are off now: a box would fail the test
    EXPECT_EQ(ReadBytes(folder / "Settings.txt"),
              "7\r\n7\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n");
}

TEST_F(Setup, AddChangeDeleteAndOperationsByKeysAlone) {
    WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
    WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
    WriteBytes(folder / "Settings.txt",
               "8\r\n5\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n");
    AtMenu();
    Key(Qt::Key_F, Qt::AltModifier);
    Key(Qt::Key_Return); // Create/Modify
    form = program->Loaded<frmSetup>();
    ASSERT_TRUE(form && form->isVisible());
    TabTo("qt_tabwidget_tabbar");
    Key(Qt::Key_Right);
    TabTo("cboAssignments");
    Keys("South");
    TabTo("cmdSave");
    Key(Qt::Key_Return);
    EXPECT_EQ(Teams(), "\"North\"\r\n\"South\"\r\n");
    EXPECT_TRUE(fs::is_directory(folder / "2026/Team# 2"));
    // Picked from the list by keys, then renamed; picked again and deleted.
    for (const char* button : {"cmdChange", "cmdDelete"}) {
        TabTo("cboAssignments");
        Key(Qt::Key_F4);
        Key(Qt::Key_End);
        Key(Qt::Key_Return);
        Key(Qt::Key_A, Qt::ControlModifier);
        Keys("West");
        TabTo(button);
        Key(Qt::Key_Return);
    }
    EXPECT_EQ(Teams(), "\"North\"\r\n");
    EXPECT_FALSE(fs::exists(folder / "2026/Team# 2"));

    TabTo("qt_tabwidget_tabbar");
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    TabTo("ckAlarms");
    Key(Qt::Key_Space);
    TabTo("Image1");
    Key(Qt::Key_Return);
    EXPECT_EQ(ReadBytes(folder / "Settings.txt"),
              "8\r\n5\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n1\r\n");
}

} // namespace
} // namespace rotaplan
