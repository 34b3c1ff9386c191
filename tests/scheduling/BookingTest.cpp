#include "scheduling/frmCallslip.h"
#include "scheduling/frmShell.h"
#include "store/Disk.h"
#include "support/ProgramFixture.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using namespace test;

class Booking : public ProgramTest {
protected:
    frmCallslip* slip = nullptr;

    void SetUp() override {
        WriteTeams("\"Leak\"\r\n\"No heat\"\r\n");
        Started();
    }
    void OpenCallslip() {
        auto* shell = OpenIntake();
        QTest::keyClicks(Find<QLineEdit>(shell, "txtName"), "Ann Smith");
        QTest::keyClicks(Find<QLineEdit>(shell, "txtCity"), "Santa Margarita de Abajo!");
        QTest::keyClicks(Find<QLineEdit>(shell, "txtTel"), "555-123-4567");
        Click(shell, "cmdSchedule");
        slip = program->Loaded<frmCallslip>();
        ASSERT_TRUE(slip && slip->isVisible());
    }
    QCalendarWidget* Calendar() { return Find<QCalendarWidget>(slip, "Calender"); }
    QString Text(const char* name) { return Find<QLineEdit>(slip, name)->text(); }
    QString Slot(int k) { return Text(("Text1_" + std::to_string(k)).c_str()); }
    void ClickSlot(int k) { Click(slip, ("Text1_" + std::to_string(k)).c_str()); }
    void SetHours(const char* hours) { Find<QLineEdit>(slip, "txtTimeReq")->setText(hours); }
    bool ScheduleShown() { return !Find<QWidget>(slip, "cmdConfirm")->isHidden(); }
    // "&Schedule" on the call slip, answered with the button on the confirmation.
    void Schedule(const char* button = "cmdSchedule") {
        WhenModal([this, button](QDialog* dialog) { Click(dialog, button); });
        Click(slip, "cmdConfirm");
    }
};

TEST_F(Booking, AWholeBookingWritesTheDayFileTheRecordAndTheCounter) {
    OpenCallslip();
    Calendar()->setSelectedDate(QDate(2026, 12, 8));
    WriteBytes(folder / "2026/Team# 1/342.txt", Day({{4, "SA 330-1"}}));
    auto* teams = Find<QListWidget>(slip, "lstAssignto");
    QTest::mouseClick(teams->viewport(), Qt::LeftButton, {},
                      teams->visualItemRect(teams->item(0)).center());
    EXPECT_EQ(Slot(2), "SA 330-1");
    QTest::keyClick(teams, Qt::Key_Down); // the team chosen by keys brings its own day
    EXPECT_EQ(Slot(2), "No Event Scheduled");
    Click(slip, "txtTimeReq"); // takes the team's two hours
    ClickSlot(2);              // 10:00
    EXPECT_EQ(Find<QLabel>(slip, "lblTime_2")->text(), "10:00 \u00ab");
    EXPECT_TRUE(ScheduleShown());

    std::vector<QString> shown;
    WhenModal([&](QDialog* dialog) {
        for (const char* box : {"txtCallRecNo", "txtDay", "txtDate", "txtTime"})
            shown.push_back(Find<QLineEdit>(dialog, box)->text());
        Click(dialog, "cmdSchedule");
    });
    Click(slip, "cmdConfirm");
    EXPECT_EQ(shown, (std::vector<QString>{"SA 338-1", "Tuesday", "December 8 ,2026", "10:00"}));
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/342.txt"), Day({{4, "SA 338-1"}, {5, "SA 338-1"}}));
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/342.txt"), Day({{4, "SA 330-1"}}));
    auto Pad = [](std::string text, std::size_t width) {
        text.resize(width, ' ');
        return text;
    };
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"),
              Pad("Service", 10) + Pad("SA 338-1", 10) + Pad("2", 2) + Pad("Hours", 6) +
                  Pad("2", 2) + Pad("12/8/2026", 10) + Pad("5", 2) + Pad("Leak", 30) +
                  Pad("Scheduled", 12) + Pad("", 40) + Pad("$0.00", 10) + Pad("Ann Smith", 30) +
                  Pad("", 60) + Pad("Santa Margarita de A", 20) + Pad("", 12) +
                  Pad("555-123-4567", 13));
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"338\",2\r\n");
    EXPECT_TRUE(program->Loaded<frmShell>()->isVisible() && !slip->isVisible());
}

TEST_F(Booking, ThreeHoursOnTeamTwoByKeysAlone) {
    WriteBytes(folder / "2026/Team# 2/341.txt", Day({{8, "SA 330-4"}}));
    Key(Qt::Key_Return);             // the splash's Continue
    Key(Qt::Key_G, Qt::AltModifier); // the menu's Goto
    Keys("Ann Smith");
    for (int box = 0; box < 6; ++box)
        Key(Qt::Key_Tab);
    Keys("555-123-4567");
    Key(Qt::Key_Return);
    slip = program->Loaded<frmCallslip>();
    ASSERT_TRUE(slip->isVisible());
    EXPECT_EQ(Focused(), "lstAssignto");
    Key(Qt::Key_Down); // team 2
    Key(Qt::Key_Tab);
    Key(Qt::Key_Right); // Saturday, so Monday the 7th
    EXPECT_EQ(Calendar()->selectedDate(), QDate(2026, 12, 7));
    Key(Qt::Key_Tab);
    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up})
        Key(key);
    EXPECT_EQ(Text("txtTimeReq"), "3") << "stepped within 1 to 8";
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), "Text1_0");
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), "08:00, No Event Scheduled");
    for (int k = 0; k < 5; ++k)
        Key(Qt::Key_Down);
    const int beeps = platform.beep.count;
    Key(Qt::Key_Space); // 14:00 for three hours runs into the booking at 15:00
    EXPECT_EQ(platform.beep.count, beeps + 1);
    EXPECT_TRUE(Calendar()->isAncestorOf(QApplication::focusWidget()));
    TabTo("cboService");
    Key(Qt::Key_Down); // from the first entry, which the reset made the current one
    TabTo("Text1_0");
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Enter);
    EXPECT_EQ(Slot(4), "SA 338-1");
    EXPECT_EQ(Focused(), "cmdConfirm");
    WhenModal([](QDialog*) { Key(Qt::Key_Return); });
    Key(Qt::Key_Return);

    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/341.txt"),
              Day({{4, "SA 338-1"}, {5, "SA 338-1"}, {6, "SA 338-1"}, {8, "SA 330-4"}}));
    const SlipRecord slipBooked = SlipRecord::FromBytes(ReadBytes(folder / "Slips.txt"));
    EXPECT_EQ(slipBooked.Trimmed(SlipField::Team) + slipBooked.Trimmed(SlipField::Hours) +
                  slipBooked.Trimmed(SlipField::StartIndex) + " " +
                  slipBooked.Trimmed(SlipField::Date) + " " +
                  slipBooked.Trimmed(SlipField::Problem),
              "235 12/7/2026 No heat");
    EXPECT_TRUE(program->Loaded<frmShell>()->isVisible());
}

TEST_F(Booking, DaysAndSlotsThatCannotBeBookedAreRefused) {
    WriteBytes(folder / "2026/Team# 1/341.txt", Day({{6, "SA 330-4"}}));
    OpenCallslip();
    Calendar()->setSelectedDate(QDate(2026, 12, 3));
    EXPECT_EQ(Calendar()->selectedDate(), QDate(2026, 12, 4));
    Calendar()->setSelectedDate(QDate(2026, 12, 5)); // a Saturday
    EXPECT_EQ(Calendar()->selectedDate(), QDate(2026, 12, 7));
    auto expectUnmarked = [this] {
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(Slot(k), k == 4 ? "SA 330-4" : "No Event Scheduled") << k;
        EXPECT_FALSE(ScheduleShown());
    };
    // Taken; 6 + 3 past the day; a taken slot inside the run; no number of hours.
    const std::pair<const char*, int> refused[] = {{"1", 4}, {"3", 6}, {"2", 3}, {"x", 0}};
    for (auto [hours, k] : refused) {
        SetHours(hours);
        ClickSlot(k);
    }
    EXPECT_EQ(platform.beep.count, 4);
    EXPECT_EQ(Text("txtTimeReq"), "1");
    expectUnmarked();

    SetHours("3");
    ClickSlot(5);
    EXPECT_EQ(Slot(7), "SA 338-1");
    SetHours("8");
    Click(slip, "txtTimeReq");
    EXPECT_EQ(Text("txtTimeReq"), "1");
    expectUnmarked();

    ClickSlot(0);
    Schedule();
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), Day({{2, "SA 338-1"}, {6, "SA 330-4"}}))
        << "the day keeps its other bookings";
}

TEST_F(Booking, CancelOrAFailedWriteBooksNothing) {
    OpenCallslip();
    Calendar()->setSelectedDate(QDate(2026, 12, 7));
    auto expectNothingWritten = [this] {
        EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), Day({}));
        EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "");
        EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"338\",1\r\n");
    };
    ClickSlot(1);
    Schedule("cmdCancel");
    expectNothingWritten();
    EXPECT_TRUE(slip->isVisible());
    EXPECT_EQ(Slot(1), "No Event Scheduled") << "the call slip starts over";
    EXPECT_EQ(Calendar()->selectedDate(), QDate(2026, 12, 4));

    // Each fault strikes once, as a full disk or a locked file would.
    auto scheduleFailing = [this](disk::Operation failing, const char* name) {
        disk::SetFaultHook([=, failed = false](disk::Operation op, const fs::path& file) mutable {
            if (op == failing && file.filename() == name && !std::exchange(failed, true))
                throw StoreError(file, "save", "No space left on device");
        });
        Answer({MessageAnswer::Ok});
        Schedule();
    };
    Calendar()->setSelectedDate(QDate(2026, 12, 7));
    ClickSlot(1);
    scheduleFailing(disk::Operation::Write, "Slips.txt");
    EXPECT_NE(Shown().back().find("Slips.txt"), std::string::npos);
    expectNothingWritten();

    // The day file removed from outside, on a disk that stays full: no file shows the hours.
    Calendar()->setSelectedDate(QDate(2026, 12, 7));
    ClickSlot(1);
    fs::remove(folder / "2026/Team# 1/341.txt");
    disk::SetFaultHook([](disk::Operation op, const fs::path& file) {
        if (op == disk::Operation::Write && file.parent_path().filename() == "Team# 1")
            throw StoreError(file, "save", "No space left on device");
    });
    Answer({MessageAnswer::Ok});
    Schedule();
    EXPECT_NE(Shown().back().find("not booked;"), std::string::npos) << Shown().back();

    // A counter that cannot be saved: the booking stands and its number is not issued again.
    ClickSlot(1);
    scheduleFailing(disk::Operation::Rename, "Counter.txt");
    disk::SetFaultHook(nullptr);
    EXPECT_EQ(fs::file_size(folder / "Slips.txt"), 269u);
    EXPECT_EQ(program->Variables().CurrentSA, "338-2");

    // The confirmation's close box ends the program: the call slip must not start over.
    Click(program->Loaded<frmShell>(), "cmdSchedule");
    QTest::keyClick(Find<QListWidget>(slip, "lstAssignto"), Qt::Key_Down); // team 2
    fs::remove(folder / "2026/Team# 1/338.txt");
    ClickSlot(3);
    std::vector<fs::path> touched;
    disk::SetFaultHook([&](disk::Operation, const fs::path& file) { touched.push_back(file); });
    WhenModal([](QDialog* dialog) { CloseBox(dialog); });
    Click(slip, "cmdConfirm");
    disk::SetFaultHook(nullptr);
    EXPECT_TRUE(program->Ended());
    EXPECT_FALSE(fs::exists(folder / "2026/Team# 1/338.txt"));
    ASSERT_FALSE(touched.empty());
    EXPECT_EQ(touched.back().parent_path(), folder / "Backup") << "the backup is the last write";
}

TEST_F(Booking, TheProblemBoxKeepsWhatIsTypedAndOffersANewDescriptionOnce) {
    OpenCallslip();
    ClickSlot(0);
    auto* problem = Find<QComboBox>(slip, "cboService");
    // A restored window keeps the marks and the typed problem; only moving on from the box asks.
    auto enter = [&](const char* typed, bool moveOn = true) {
        TypeInto(problem, typed);
        if (moveOn)
            QTest::keyClick(problem, Qt::Key_Tab);
    };
    enter("No", false);
    MinimizeAndRestore(slip);
    EXPECT_EQ(QStringList({Slot(0), problem->currentText()}), QStringList({"SA 338-1", "No"}))
        << "no completion, no reset";
    EXPECT_TRUE(Shown().empty() && ScheduleShown());
    Click(slip, "imgLogo"); // the logo starts over
    EXPECT_EQ(QStringList({Slot(0), problem->currentText()}),
              QStringList({"No Event Scheduled", "Leak"}));

    Answer({MessageAnswer::No, MessageAnswer::Yes});
    enter("leak"); // another letter case is another description
    EXPECT_EQ(Shown().back(), "Would you like to add this\r\nDescription to your Dropdown list?");
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), "\"Leak\"\r\n\"No heat\"\r\n");

    enter("Blocked drain");
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"),
              "\"Leak\"\r\n\"No heat\"\r\n\"Blocked drain\"\r\n");
    enter("Blocked drain"); // now in the list: no question
    EXPECT_EQ(Shown().size(), 2u);
}

TEST_F(Booking, LeavingARescheduleIsConfirmedFirst) {
    program->Variables().Rescheduling = 1;
    slip = &program->ShowAnew<frmCallslip>();

    Answer({MessageAnswer::No, MessageAnswer::Yes});
    Key(Qt::Key_Escape); // as the cancel button, question included
    EXPECT_EQ(Shown().back(), "Cancelling while Rescheduling will\r\nDelete this Service "
                              "Attention\r\nDo you want to Continue to Cancel?");
    EXPECT_EQ(platform.messages.shown.back().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_TRUE(slip->isVisible() && program->Variables().Rescheduling == 1);
    Click(slip, "cmdRedo");
    EXPECT_EQ(program->Variables().Rescheduling, 0);
    EXPECT_TRUE(!slip->isVisible() && program->Loaded<frmShell>()->isVisible());
}

} // namespace
} // namespace rotaplan
