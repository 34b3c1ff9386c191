#include "admin/frmSetup.h"
#include "frame/frmSplash.h"
#include "frame/frmStartup.h"
#include "support/ProgramFixture.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class Frame : public test::ProgramTest {
protected:
    void WriteTeamsAndProblems() {
        WriteBytes(folder / "Assignto.txt", "\"North\"\r\n\"South\"\r\n");
        WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n\"No heat\"\r\n");
    }
    frmStartup& Menu() {
        Started();
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        auto* menu = program->Loaded<frmStartup>();
        EXPECT_TRUE(menu && menu->isVisible());
        return *menu;
    }
    static QWidget* VisibleForm(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == name && top->isVisible())
                return top;
        return nullptr;
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder.Path()))
            names.push_back(fs::relative(entry.path(), folder.Path()).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(Frame, FirstRunMakesTheFilesAndOpensSetup) {
    platform.clock.now = {Date{2031, 6, 1}, 9, 0}; // past day 120: next year's folder too
    Started();
    EXPECT_EQ(FolderEntries(),
              (std::vector<std::string>{"2031", "2032", "Backup", "Counter.txt", "PurgedDate.txt",
                                        "Settings.txt", "Slips.txt"}));
    EXPECT_EQ(fs::file_size(folder / "Slips.txt"), 0u);
    EXPECT_TRUE(program->Variables().FilesMissing);
    EXPECT_TRUE(platform.messages.shown.empty());

    auto* splash = program->Loaded<frmSplash>();
    ASSERT_TRUE(splash && splash->isVisible());
    EXPECT_EQ(Find<QLabel>(splash, "lblVersion")->text(), "Version 2.0.0");
    EXPECT_TRUE(Find<QLabel>(splash, "lblCopyright")->text().endsWith("2031"));
    Click(splash, "cmdContinue");
    EXPECT_FALSE(splash->isVisible());
    ASSERT_NE(program->Loaded<frmSetup>(), nullptr);
    EXPECT_TRUE(program->Loaded<frmSetup>()->isVisible());
    EXPECT_EQ(program->Loaded<frmStartup>(), nullptr);
}

TEST_F(Frame, SecondCopyIsRefusedAndTouchesNothing) {
    WriteBytes(folder / "Counter.txt", "\"338\"\r\n5\r\n");
    platform.instance.alone = false;
    Answer({MessageAnswer::Ok});
    MakeProgram();
    EXPECT_FALSE(program->Start());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "Rotaplan is already Running!");
    EXPECT_EQ(platform.messages.shown[0].title, "Rotaplan");
    EXPECT_EQ(platform.messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Counter.txt"});
    EXPECT_EQ(program->Loaded<frmSplash>(), nullptr);
}

TEST_F(Frame, DamagedSupportFileEndsTheStartUnlessItsBackupCopyReads) {
    WriteTeamsAndProblems();
    WriteBytes(folder / "Counter.txt", "garbage");
    Answer({MessageAnswer::Ok});
    MakeProgram();
    EXPECT_FALSE(program->Start());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_NE(platform.messages.shown[0].text.find("Counter.txt"), std::string::npos);
    EXPECT_NE(platform.messages.shown[0].text.find("ends now"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "garbage");

    WriteBytes(folder / "Backup/Counter.txt", "\"338\",5\r\n");
    Answer({MessageAnswer::Ok});
    MakeProgram();
    EXPECT_TRUE(program->Start()) << "a readable backup copy takes the damaged file's place";
    EXPECT_NE(Shown().back().find("Counter.txt.damaged"), std::string::npos) << Shown().back();
    EXPECT_EQ(program->Variables().CurrentSA, "338-5");
}

TEST_F(Frame, MainMenuChoicesFollowTheFilesOnEveryActivation) {
    WriteTeamsAndProblems();
    auto& menu = Menu();
    auto* completions = Find<QRadioButton>(&menu, "optCompletions");
    EXPECT_TRUE(Find<QRadioButton>(&menu, "optReschedule")->isEnabled());
    EXPECT_FALSE(completions->isEnabled());
    EXPECT_FALSE(completions->isHidden());

    WriteBytes(folder / "CompletedSlips.txt", "");
    Find<QRadioButton>(&menu, "opt3")->setChecked(true);
    menu.hide();
    menu.show();
    EXPECT_FALSE(completions->isEnabled()) << "an empty file is no summary";
    EXPECT_TRUE(Find<QRadioButton>(&menu, "opt1")->isChecked());

    WriteBytes(folder / "CompletedSlips.txt", "x");
    fs::rename(folder / "Slips.txt", folder / "Backup/Slips.txt");
    menu.Activate();
    EXPECT_TRUE(completions->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>(&menu, "optReschedule")->isEnabled());
    EXPECT_TRUE(fs::exists(folder / "Slips.txt")) << "the slip file comes back from Backup";

    fs::remove(folder / "Slips.txt");
    fs::remove(folder / "Backup/Slips.txt");
    menu.Activate();
    EXPECT_FALSE(Find<QRadioButton>(&menu, "optReschedule")->isEnabled());
}

TEST_F(Frame, SiblingProgramHidesTheCompletedSummary) {
    WriteTeamsAndProblems();
    WriteBytes(folder / "CompletedSlips.txt", "x");
    WriteBytes(folder / "Tillvane.exe", "");
    auto& menu = Menu();
    EXPECT_TRUE(Find<QRadioButton>(&menu, "optCompletions")->isHidden());
}

TEST_F(Frame, BackupAndRestoreAskFirstAndCancelCopiesNothing) {
    WriteTeamsAndProblems();
    auto& menu = Menu();
    WriteBytes(folder / "Backup/Assignto.txt", "\"Old\"\r\n");

    Answer({MessageAnswer::Cancel});
    Trigger(&menu, "mnuBackup");
    EXPECT_EQ(ReadBytes(folder / "Backup/Assignto.txt"), "\"Old\"\r\n");
    EXPECT_EQ(platform.messages.shown.back().title, "Backup Procedure");
    EXPECT_EQ(platform.messages.shown.back().buttons, MessageButtons::OkCancel);
    EXPECT_EQ(platform.messages.shown.back().text,
              "Backingup creates a copy of your\r\nFiles on your Hard Disk\r\nThis is done "
              "Automatically every\r\ntime you end the Program.\r\nYou can Backup at any time");

    Answer({MessageAnswer::Cancel});
    Trigger(&menu, "mnuRestore");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n\"South\"\r\n");
    EXPECT_EQ(platform.messages.shown.back().title, "Backup");
    EXPECT_EQ(platform.messages.shown.back().text,
              "Restores Common Files\r\nfrom Hard drive\r\n ALL Existing Files ARE REPLACED");

    Answer({MessageAnswer::Ok});
    Trigger(&menu, "mnuRestore");
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"Old\"\r\n");
    EXPECT_EQ(program->Variables().Assignments,
              (std::vector<std::string>{"populated", "North", "South"}))
        << "a restore takes effect at the next start";

    WriteBytes(folder / "Assignto.txt", "\"New\"\r\n");
    Answer({MessageAnswer::Ok});
    Trigger(&menu, "mnuBackup");
    EXPECT_EQ(ReadBytes(folder / "Backup/Assignto.txt"), "\"New\"\r\n");
    EXPECT_EQ(platform.messages.shown.size(), 4u) << "no message follows a copy";
}

TEST_F(Frame, OnlyTheCloseBoxEndsTheProgramAndTheExitBacksUp) {
    WriteTeamsAndProblems();
    auto& menu = Menu();
    WriteBytes(folder / "Backup/PurgedDate.txt", "337\r\n");
    menu.close(); // the program's own close is no exit
    EXPECT_FALSE(program->Ended());
    menu.show();

    CloseBox(&menu);
    EXPECT_TRUE(program->Ended());
    EXPECT_FALSE(menu.isVisible());
    for (const char* name :
         {"Assignto.txt", "Counter.txt", "ProblemCode.txt", "Slips.txt", "Settings.txt"})
        EXPECT_EQ(ReadBytes(folder / "Backup" / name), ReadBytes(folder / name)) << name;
    EXPECT_EQ(ReadBytes(folder / "Backup/PurgedDate.txt"), "337\r\n");
}

TEST_F(Frame, ExitEndsEvenWhenTheBackupCannotBeWritten) {
    WriteTeamsAndProblems();
    auto& menu = Menu();
    fs::remove_all(folder / "Backup");
    WriteBytes(folder / "Backup", "a file where the folder should be");
    Answer({MessageAnswer::Ok});
    Trigger(&menu, "mnuExit");
    EXPECT_TRUE(program->Ended());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_NE(platform.messages.shown[0].text.find("Backup"), std::string::npos);
}

TEST_F(Frame, WebEntriesLeaveNoShortcutBehind) {
    WriteTeamsAndProblems();
    auto& menu = Menu();
    Trigger(&menu, "mnuCompare");
    Answer({MessageAnswer::No});
    Trigger(&menu, "mnuChecks");
    Answer({MessageAnswer::Yes});
    Trigger(&menu, "mnuChecks");
    ASSERT_EQ(platform.web.urls.size(), 2u);
    EXPECT_NE(platform.web.urls[1].find("forms."), std::string::npos);
    EXPECT_EQ(platform.messages.shown.back().buttons, MessageButtons::YesNo);
    EXPECT_FALSE(fs::exists(folder / "Temp.url"));

    Trigger(&menu, "mnuIndex");
    EXPECT_EQ(platform.web.helpFiles.size(), 1u);
}

TEST_F(Frame, EveryChoiceOpensItsFormAndGotoNeverTheSummary) {
    WriteTeamsAndProblems();
    WriteBytes(folder / "CompletedSlips.txt", std::string(269, ' '));
    auto& menu = Menu();
    const std::pair<const char*, const char*> choices[] = {
        {"optReschedule", "frmCallRecord"}, {"opt3", "frmPrintSch"}, {"opt1", "frmShell"}};
    for (auto [option, form] : choices) {
        menu.show();
        Click(&menu, option);
        EXPECT_TRUE(menu.isVisible()) << option << ": a click only moves to Goto";
        Click(&menu, "cmdGosub");
        EXPECT_FALSE(menu.isVisible());
        QWidget* opened = VisibleForm(form);
        ASSERT_NE(opened, nullptr) << form;
        opened->hide();
    }
    menu.show();
    Click(&menu, "optCompletions"); // opens at once
    EXPECT_FALSE(menu.isVisible());
    EXPECT_NE(VisibleForm("frmCompleted"), nullptr);
}

TEST_F(Frame, SplashAndMenuShowTheirTextsAndADoubleClickOpensAChoice) {
    WriteTeamsAndProblems();
    Started();
    QWidget* splash = program->Loaded<frmSplash>();
    EXPECT_EQ(splash->windowTitle(), "ROTAPLAN  Quarrow Programs");
    const std::pair<const char*, const char*> labels[] = {
        {"lblProductName", "Rotaplan"},
        {"lblCompanyProduct", "for Contractors and Tradesmen"},
        {"lblVersion", "Version 2.0.0"},
        {"lblRunning", "Quarrow Programs share files. Exit all other Quarrow Programs before "
                       "continuing...."}};
    for (auto [name, text] : labels)
        EXPECT_EQ(Find<QLabel>(splash, name)->text(), text) << name;
    EXPECT_TRUE(Find<QLabel>(splash, "lblCopyright")->text().endsWith("2026"));
    EXPECT_EQ(Find(splash, "Label1")->toolTip(), "Click to Visit");
    EXPECT_EQ(Find(splash, "imgLogo")->toolTip(), "Ends the  Program");
    EXPECT_EQ(Find<QPushButton>(splash, "cmdContinue")->text(), "Continue");

    Click(splash, "cmdContinue");
    auto& menu = *program->Loaded<frmStartup>();
    EXPECT_EQ(menu.windowTitle(), "ROTAPLAN  - Main Menu");
    const std::tuple<const char*, const char*, const char*> controls[] = {
        {"opt1", "&Schedule", "Create A Service attention Call slip"},
        {"optReschedule", "&Delete or Reschedule", "Delete or Reschedule Call Slips"},
        {"optCompletions", "&Completed Summary", "Display Call Records prior to today"},
        {"opt3", "View Work Schedules", "View Work Schedules by Day and Team"},
        {"cmdGosub", "&Goto", "Branches the Program to the subroutine selcted by push button"}};
    for (auto [name, caption, tip] : controls) {
        EXPECT_EQ(Find<QAbstractButton>(&menu, name)->text(), caption) << name;
        EXPECT_EQ(Find(&menu, name)->toolTip(), tip) << name;
    }
    EXPECT_EQ(Find(&menu, "imgLogo")->toolTip(), "Exits the Program");
    QStringList menus;
    for (QAction* entry : menu.menuBar()->actions())
        menus << entry->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Upgrade", "Order Forms", "&Help"}));

    // Goto follows only the three choices it tests; the summary opens on its own click.
    Find<QRadioButton>(&menu, "optCompletions")->setChecked(true);
    Click(&menu, "cmdGosub");
    EXPECT_TRUE(menu.isVisible());

    QWidget* option = Find(&menu, "opt3");
    QTest::mouseDClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    EXPECT_FALSE(menu.isVisible());
    EXPECT_NE(VisibleForm("frmPrintSch"), nullptr);
}

} // namespace
} // namespace rotaplan
