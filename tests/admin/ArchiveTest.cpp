#include "admin/frmArchive.h"
#include "app/frmStartup.h"
#include "support/ProgramFixture.h"

#include <QComboBox>
#include <QPointer>
#include <QRadioButton>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class ArchiveForm : public test::ProgramTest {
protected:
    test::TempFolder floppy;
    test::TempFolder stick;
    QPointer<frmArchive> form;

    frmStartup& Menu() {
        WriteTeams();
        platform.drives.drives = {{"a: [floppy]", floppy.Path(), true},
                                  {"/media/stick", stick.Path(), true},
                                  {"b: [not ready]", floppy / "gone", true}};
        return AtMenu();
    }
    // The form as the program makes it, but under the name it is installed with.
    void Open(const char* executable) {
        form = new frmArchive(*program, fs::path("/opt/rotaplan") / executable);
        form->show();
    }
    void TearDown() override {
        delete form.data();
        ProgramTest::TearDown();
    }
    void Drive(int index) { Find<QComboBox>(form, "Drive1")->setCurrentIndex(index); }
    bool Enabled(const char* name) { return Find<QWidget>(form, name)->isEnabled(); }
    bool Selected(const char* name) { return Find<QRadioButton>(form, name)->isChecked(); }
};

TEST_F(ArchiveForm, EachOptionAsksFirstAndTheButtonsCopyTheSixFilesAndNothingElse) {
    Menu();
    WriteBytes(folder / "CompletedSlips.txt", "old completions");
    Open("Rotaplan.exe");
    EXPECT_FALSE(Enabled("cmdArchive") || Enabled("cmdReinstall"));

    Click(form, "optArchive", {MessageAnswer::Cancel});
    EXPECT_EQ(LastBox(), "Archive Procedure|Archiving creates a copy of your\r\nFiles on removable "
                         "media\r\nsuch as a Floppy Disk\r\nYou should Archive occasionally");
    EXPECT_FALSE(Selected("optArchive") || Enabled("cmdArchive"));

    Click(form, "optArchive", {MessageAnswer::Ok});
    Click(form, "optReinstall", {MessageAnswer::Cancel});
    EXPECT_EQ(LastBox(), "Backup|Restores Common Files\r\nfrom Removable media Source\r\n"
                         "(Previously Archived)\r\n ALL Existing Files ARE REPLACED");
    EXPECT_FALSE(Selected("optReinstall"));
    EXPECT_TRUE(Selected("optArchive") && Enabled("cmdArchive"));

    Click(form, "optReinstall", {MessageAnswer::Ok});
    EXPECT_TRUE(Enabled("cmdReinstall") && Enabled("lblReinstall"));
    EXPECT_FALSE(Enabled("cmdArchive") || Enabled("lblArchive"));

    Click(form, "optArchive", {MessageAnswer::Ok});
    Click(form, "cmdArchive", {MessageAnswer::Ok});
    EXPECT_EQ(LastBox(), "Routine Complete|Remove the disk from the Drive");
    EXPECT_TRUE(form.isNull() || form->isHidden());
    const fs::path archive = floppy / "Archive/PlanoraFiles";
    for (const char* name : {"Assignto.txt", "Counter.txt", "ProblemCode.txt", "PurgedDate.txt",
                             "Slips.txt", "Settings.txt"})
        EXPECT_EQ(ReadBytes(archive / name), ReadBytes(folder / name)) << name;
    EXPECT_FALSE(fs::exists(archive / "CompletedSlips.txt"));
    QApplication::processEvents();

    const std::string teams = ReadBytes(folder / "Assignto.txt");
    WriteBytes(folder / "Assignto.txt", "\"Changed\"\r\n");
    WriteBytes(folder / "CompletedSlips.txt", "new completions");
    Open("ROTAPLAN");
    Click(form, "optReinstall", {MessageAnswer::Ok});
    Click(form, "cmdReinstall", {MessageAnswer::Ok, MessageAnswer::Ok});
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), teams);
    EXPECT_EQ(ReadBytes(folder / "CompletedSlips.txt"), "new completions");
    EXPECT_EQ(platform.messages.shown.end()[-2].title, "Routine Complete");
    EXPECT_NE(Shown().back().find("next started"), std::string::npos);
    EXPECT_EQ(program->Variables().Assignments[1], "North") << "in use until the next start";
}

TEST_F(ArchiveForm, OtherNamesGoStraightIntoArchiveAndAMissingDriveChangesNothing) {
    auto& menu = Menu();
    WhenModal([this](QDialog* dialog) {
        form = qobject_cast<frmArchive*>(dialog);
        Drive(1);
        Click(form, "optArchive", {MessageAnswer::Ok});
        Click(form, "cmdArchive", {MessageAnswer::Ok});
    });
    Find<QRadioButton>(&menu, "opt3")->setChecked(true);
    Trigger(&menu, "mnuReinstall"); // under the test runner's own name, not in the table
    const std::string teams = ReadBytes(folder / "Assignto.txt");
    EXPECT_EQ(ReadBytes(stick / "Archive/Assignto.txt"), teams);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(Find<QRadioButton>(&menu, "opt1")->isChecked()) << "the menu active again";

    Open("rotaplan");
    Drive(2);
    Click(form, "optReinstall", {MessageAnswer::Ok});
    Click(form, "cmdReinstall", {MessageAnswer::Ok});
    EXPECT_NE(Shown().back().find("gone"), std::string::npos) << Shown().back();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form->isVisible()) << "the operator may insert the disk and try again";

    Drive(0);
    Click(form, "cmdReinstall", {MessageAnswer::Ok, MessageAnswer::Ok});
    EXPECT_EQ(platform.messages.shown.back().title, "Routine Complete") << "after the finding";
    EXPECT_NE(Shown().end()[-2].find("nothing was reinstalled"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), teams);
}

// The reset is a File entry of the main menu, like "&Protect".
TEST_F(ArchiveForm, ResetEmptiesThisAndNextYearsSchedulesOnlyAfterOk) {
    auto& menu = Menu();
    const char* emptied[] = {"2026/Team# 1/340.txt", "2027/Team# 2/6.txt", "Slips.txt",
                             "Backup/Slips.txt",     "Events.txt",         "Backup/Meetings.txt",
                             "ScheduledEvents.txt"};
    const char* kept[] = {"2025/Team# 1/300.txt", "Counter.txt", "CompletedSlips.txt",
                          "Backup/Counter.txt"};
    for (const char* name : emptied)
        WriteBytes(folder / name, "x");
    for (const char* name : kept)
        WriteBytes(folder / name, "kept");
    Trigger(&menu, "mnuReset", {MessageAnswer::Cancel});
    EXPECT_EQ(LastBox(),
              "FILE DELETION|THIS ROUTINE ERASES ALL\r\nEVENTS AND SCHEDULES\r\nDATA WILL BE "
              "LOST\r\nCONTINUE ONLY IF ALL OTHER ATTEMPTS \r\nTO CORRECT A PROBLEM HAVE "
              "FAILED!\r\nDO YOU WANT TO CONTINUE?????");
    EXPECT_TRUE(fs::exists(folder / "Slips.txt"));

    Trigger(&menu, "mnuReset", {MessageAnswer::Ok});
    for (const char* name : emptied)
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    for (const char* name : kept)
        EXPECT_EQ(ReadBytes(folder / name), "kept") << name;
    EXPECT_TRUE(fs::is_directory(folder / "2027/Team# 2"));
    EXPECT_FALSE(Find<QRadioButton>(&menu, "optReschedule")->isEnabled());
}

} // namespace
} // namespace rotaplan
