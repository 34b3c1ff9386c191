#include "frame/frmSplash.h"
#include "frame/frmStartup.h"
#include "scheduling/frmCallslip.h"
#include "scheduling/frmConfirm.h"
#include "scheduling/frmShell.h"
#include "store/Disk.h"
#include "support/ProgramFixture.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

std::string Pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string DayFile(std::initializer_list<std::pair<int, const char*>> taken) {
    std::array<std::string, 12> entries;
    entries.fill("No Event Scheduled");
    for (auto [entry, text] : taken)
        entries[entry] = text;
    std::string bytes;
    for (const auto& entry : entries)
        bytes += "\"" + entry + "\"\r\n";
    return bytes;
}

class Booking : public test::ProgramTest {
protected:
    frmCallslip* slip = nullptr;

    void SetUp() override {
        WriteBytes(folder / "Assignto.txt", "\"North\"\r\n\"South\"\r\n");
        WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n\"No heat\"\r\n");
    }
    // From the main menu's Goto to the intake form.
    frmShell& Intake() {
        if (!program)
            Started();
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        Click(program->Loaded<frmStartup>(), "cmdGosub");
        auto* shell = program->Loaded<frmShell>();
        EXPECT_TRUE(shell && shell->isVisible());
        return *shell;
    }
    void OpenCallslip() {
        auto& shell = Intake();
        QTest::keyClicks(Find<QLineEdit>(&shell, "txtName"), "Ann Smith");
        QTest::keyClicks(Find<QLineEdit>(&shell, "txtCity"), "Santa Margarita de Abajo!");
        QTest::keyClicks(Find<QLineEdit>(&shell, "txtTel"), "555-123-4567");
        Click(&shell, "cmdSchedule");
        slip = program->Loaded<frmCallslip>();
        ASSERT_TRUE(slip && slip->isVisible());
    }
    void PickTeam(int row) {
        auto* list = Find<QListWidget>(slip, "lstAssignto");
        list->setCurrentRow(row);
        emit list->itemClicked(list->currentItem());
    }
    void PickDate(int year, int month, int day) {
        auto* calendar = Find<QCalendarWidget>(slip, "Calender");
        calendar->setSelectedDate(QDate(year, month, day));
    }
    QDate Shown() { return Find<QCalendarWidget>(slip, "Calender")->selectedDate(); }
    QString Slot(int k) {
        return Find<QLineEdit>(slip, ("Text1_" + std::to_string(k)).c_str())->text();
    }
    QString Label(int k) {
        return Find<QLabel>(slip, ("lblTime_" + std::to_string(k)).c_str())->text();
    }
    void ClickSlot(int k) { Click(slip, ("Text1_" + std::to_string(k)).c_str()); }
    void SetHours(const char* hours) { Find<QLineEdit>(slip, "txtTimeReq")->setText(hours); }
    bool ScheduleShown() { return !Find<QWidget>(slip, "cmdConfirm")->isHidden(); }
    // "&Schedule" on the call slip, then the handler on the open confirmation.
    template <class Handler> void Schedule(Handler handler) {
        WhenModal(handler);
        Click(slip, "cmdConfirm");
    }
    void Confirm() {
        Schedule([this](QDialog* dialog) { Click(dialog, "cmdSchedule"); });
    }
};

TEST_F(Booking, AWholeBookingWritesTheDayFileTheRecordAndTheCounter) {
    OpenCallslip();
    EXPECT_EQ(Find<QLineEdit>(slip, "txtName")->text(), "Ann Smith");
    PickTeam(1);
    PickDate(2026, 12, 8);
    Click(slip, "txtTimeReq");
    EXPECT_EQ(Find<QLineEdit>(slip, "txtTimeReq")->text(), "2");
    EXPECT_FALSE(ScheduleShown());
    ClickSlot(2); // 10:00
    EXPECT_EQ(Slot(2), "SA 338-1");
    EXPECT_EQ(Slot(3), "SA 338-1");
    EXPECT_EQ(Label(2), "10:00 \u00ab");
    EXPECT_EQ(Label(4), "01:00 ");
    EXPECT_TRUE(ScheduleShown());

    std::vector<QString> shown;
    Schedule([&](QDialog* dialog) {
        for (const char* box : {"txtCallRecNo", "txtDay", "txtDate", "txtTime"})
            shown.push_back(Find<QLineEdit>(dialog, box)->text());
        Click(dialog, "cmdSchedule");
    });
    EXPECT_EQ(shown, (std::vector<QString>{"SA 338-1", "Tuesday", "December 8 ,2026", "10:00"}));

    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/342.txt"),
              DayFile({{4, "SA 338-1"}, {5, "SA 338-1"}}));
    const std::string record =
        Pad("Service", 10) + Pad("SA 338-1", 10) + Pad("2", 2) + Pad("Hours", 6) + Pad("2", 2) +
        Pad("12/8/2026", 10) + Pad("5", 2) + Pad("Leak", 30) + Pad("Scheduled", 12) + Pad("", 40) +
        Pad("$0.00", 10) + Pad("Ann Smith", 30) + Pad("", 60) + Pad("Santa Margarita de A", 20) +
        Pad("", 12) + Pad("555-123-4567", 13);
    ASSERT_EQ(record.size(), 269u);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), record);
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"338\",2\r\n");

    auto* shell = program->Loaded<frmShell>();
    EXPECT_TRUE(shell->isVisible());
    EXPECT_FALSE(slip->isVisible());
    EXPECT_EQ(Find<QLineEdit>(shell, "txtName")->text(), "");

    // The next call gets the next number, and the day file keeps the first booking.
    QTest::keyClicks(Find<QLineEdit>(shell, "txtName"), "Bob Jones");
    Click(shell, "cmdSchedule");
    PickTeam(1);
    PickDate(2026, 12, 8);
    EXPECT_EQ(Slot(2), "SA 338-1");
    ClickSlot(0);
    Confirm();
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/342.txt"),
              DayFile({{2, "SA 338-2"}, {4, "SA 338-1"}, {5, "SA 338-1"}}));
    EXPECT_EQ(ReadBytes(folder / "Slips.txt").substr(269 + 10, 10), Pad("SA 338-2", 10));
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"338\",3\r\n");
}

TEST_F(Booking, SlotsThatAreTakenOrDoNotFitAreRefusedWithABeep) {
    fs::create_directories(folder / "2026/Team# 1");
    WriteBytes(folder / "2026/Team# 1/341.txt", DayFile({{6, "SA 330-4"}}));
    SlipRecord taken;
    taken.Set(SlipField::SANumber, "SA 330-4");
    taken.Set(SlipField::Team, "1");
    taken.Set(SlipField::Date, "12/7/2026");
    taken.Set(SlipField::StartIndex, "7");
    taken.Set(SlipField::Hours, "1");
    WriteBytes(folder / "Slips.txt", {taken.Bytes().data(), taken.Bytes().size()});
    OpenCallslip();
    PickDate(2026, 12, 7);
    EXPECT_EQ(Slot(4), "SA 330-4");

    ClickSlot(4); // taken
    SetHours("3");
    ClickSlot(6); // 6 + 3 > 8
    SetHours("2");
    ClickSlot(3); // slot 4 inside the run is taken
    SetHours("x");
    ClickSlot(0); // no number of hours
    EXPECT_EQ(platform.beep.count, 4);
    EXPECT_EQ(Find<QLineEdit>(slip, "txtTimeReq")->text(), "1");
    for (int k : {0, 3, 5, 6, 7})
        EXPECT_EQ(Slot(k), "No Event Scheduled") << k;
    EXPECT_FALSE(ScheduleShown());

    SetHours("3");
    ClickSlot(5);
    EXPECT_EQ(Slot(7), "SA 338-1");
    ClickSlot(0); // marks add up
    EXPECT_EQ(Slot(2), "SA 338-1");
    SetHours("8");
    Click(slip, "txtTimeReq");
    EXPECT_EQ(Find<QLineEdit>(slip, "txtTimeReq")->text(), "1");
    for (int k : {0, 1, 2, 5, 6, 7})
        EXPECT_EQ(Slot(k), "No Event Scheduled") << k;
    EXPECT_EQ(Slot(4), "SA 330-4");
    EXPECT_FALSE(ScheduleShown());
}

TEST_F(Booking, TheCalendarKeepsToWorkingDaysFromTodayOn) {
    OpenCallslip();
    EXPECT_EQ(Shown(), QDate(2026, 12, 4));
    PickDate(2026, 12, 5); // a Saturday
    EXPECT_EQ(Shown(), QDate(2026, 12, 7));
    PickDate(2026, 12, 3);
    EXPECT_EQ(Shown(), QDate(2026, 12, 4));
    // Keys move the date as a click does: the slots shown are that day's.
    QTest::keyClick(Find<QCalendarWidget>(slip, "Calender")
                        ->findChild<QAbstractItemView*>("qt_calendar_calendarview"),
                    Qt::Key_Down);
    EXPECT_EQ(Shown(), QDate(2026, 12, 11));
    EXPECT_TRUE(fs::exists(folder / "2026/Team# 1/345.txt"));

    PickDate(2028, 1, 4);
    EXPECT_TRUE(fs::is_directory(folder / "2028/Team# 2"));
    EXPECT_TRUE(fs::exists(folder / "2028/Team# 1/4.txt"));
    PickDate(2026, 12, 9);
    EXPECT_TRUE(fs::exists(folder / "2026/Team# 1/343.txt"));

    platform.clock.now = {Date{2026, 12, 4}, 18, 0};
    Click(slip, "imgLogo");
    EXPECT_EQ(Shown(), QDate(2026, 12, 7)) << "after six: the next working day";
}

TEST_F(Booking, CancelOnTheConfirmationWritesNothing) {
    OpenCallslip();
    PickDate(2026, 12, 7);
    const std::string dayFile = ReadBytes(folder / "2026/Team# 1/341.txt");
    const std::string counter = ReadBytes(folder / "Counter.txt");
    ClickSlot(1);
    Schedule([this](QDialog* dialog) { Click(dialog, "cmdCancel"); });
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), dayFile);
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), counter);
    EXPECT_EQ(fs::file_size(folder / "Slips.txt"), 0u);
    EXPECT_TRUE(slip->isVisible());
    EXPECT_EQ(Slot(1), "No Event Scheduled") << "the call slip starts over";
    EXPECT_EQ(Shown(), QDate(2026, 12, 4));
}

TEST_F(Booking, AFailedWriteLeavesNoSlotClaimingAMissingSlip) {
    OpenCallslip();
    PickDate(2026, 12, 7);
    const std::string dayFile = ReadBytes(folder / "2026/Team# 1/341.txt");
    ClickSlot(1);
    disk::SetFaultHook([failed = false](disk::Operation op, const fs::path& file) mutable {
        if (op == disk::Operation::Write && file.filename() == "Slips.txt" && !failed) {
            failed = true;
            throw StoreError(file, "write", "No space left on device");
        }
    });
    Answer({MessageAnswer::Ok});
    Confirm();
    disk::SetFaultHook(nullptr);
    EXPECT_NE(platform.messages.shown.back().text.find("Slips.txt"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), dayFile);
    EXPECT_EQ(fs::file_size(folder / "Slips.txt"), 0u);
    EXPECT_EQ(ReadBytes(folder / "Counter.txt"), "\"338\",1\r\n");

    // A counter that cannot be saved: the booking stands and its number is not issued again.
    ClickSlot(1);
    disk::SetFaultHook([](disk::Operation op, const fs::path& file) {
        if (op == disk::Operation::Rename && file.filename() == "Counter.txt")
            throw StoreError(file, "rename", "Permission denied");
    });
    Answer({MessageAnswer::Ok});
    Confirm();
    disk::SetFaultHook(nullptr);
    EXPECT_EQ(fs::file_size(folder / "Slips.txt"), 269u);
    EXPECT_EQ(program->Variables().CurrentSA, "338-2");
}

TEST_F(Booking, NewProblemDescriptionIsOfferedOnce) {
    OpenCallslip();
    auto* combo = Find<QComboBox>(slip, "cboService");
    EXPECT_EQ(combo->currentText(), "Leak");
    combo->setEditText("leak"); // another letter case is another description
    Answer({MessageAnswer::No});
    slip->cboService_LostFocus();
    EXPECT_EQ(platform.messages.shown.back().title, "New Problem Code");
    EXPECT_EQ(platform.messages.shown.back().text,
              "Would you like to add this\r\nDescription to your Dropdown list?");
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"), "\"Leak\"\r\n\"No heat\"\r\n");
    EXPECT_EQ(combo->currentText(), "leak");

    combo->setEditText("Blocked drain");
    Answer({MessageAnswer::Yes});
    slip->cboService_LostFocus();
    EXPECT_EQ(ReadBytes(folder / "ProblemCode.txt"),
              "\"Leak\"\r\n\"No heat\"\r\n\"Blocked drain\"\r\n");
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), "Blocked drain");
    slip->cboService_LostFocus(); // now in the list: no question
    EXPECT_EQ(platform.messages.shown.size(), 2u);
}

TEST_F(Booking, TheIntakeBeepsAtAFullTelephoneBoxAndNeedsATeam) {
    auto& shell = Intake();
    auto* tel = Find<QLineEdit>(&shell, "txtTel");
    QTest::keyClicks(tel, "555-123-45678");
    EXPECT_EQ(tel->text(), "555-123-4567");
    EXPECT_EQ(platform.beep.count, 1);
    program->Variables().SoundAlarms = false;
    QTest::keyClick(tel, Qt::Key_9);
    EXPECT_EQ(platform.beep.count, 1);

    Find<QLineEdit>(&shell, "txtName")->setText(QString::fromUtf8("Zoë \u4e2d"));
    Answer({MessageAnswer::Ok});
    Click(&shell, "cmdSchedule");
    EXPECT_NE(platform.messages.shown.back().text.find("\u4e2d"), std::string::npos);
    EXPECT_TRUE(shell.isVisible());

    Find<QLineEdit>(&shell, "txtName")->setText(QString::fromUtf8("Zoë"));
    program->Variables().TeamList.Clear();
    program->Variables().Assignments = {"populated"};
    Answer({MessageAnswer::Ok});
    Click(&shell, "cmdSchedule");
    EXPECT_NE(platform.messages.shown.back().text.find("no team"), std::string::npos);
    EXPECT_TRUE(shell.isVisible());
}

TEST_F(Booking, RescheduleStartsFromTheOldRecordAndWarnsOnCancel) {
    Started();
    auto& v = program->Variables();
    v.RecordBuffer.Set(SlipField::Name, "Old Customer");
    v.RecordBuffer.Set(SlipField::Team, "2");
    v.RecordBuffer.Set(SlipField::Hours, "3");
    v.RecordBuffer.Set(SlipField::Problem, "No heat");
    v.Rescheduling = 1;
    slip = &program->Load<frmCallslip>();
    slip->show();
    EXPECT_EQ(Find<QLineEdit>(slip, "txtName")->text(), "Old Customer");
    EXPECT_EQ(Find<QListWidget>(slip, "lstAssignto")->currentRow(), 1);
    EXPECT_EQ(Find<QLineEdit>(slip, "txtTimeReq")->text(), "3");
    EXPECT_EQ(Find<QComboBox>(slip, "cboService")->currentText(), "No heat");

    Answer({MessageAnswer::No});
    Click(slip, "cmdRedo");
    EXPECT_EQ(platform.messages.shown.back().title, "Re-scheduling in Progress");
    EXPECT_TRUE(slip->isVisible());
    EXPECT_EQ(v.Rescheduling, 1);
    Answer({MessageAnswer::Yes});
    Click(slip, "cmdRedo");
    EXPECT_EQ(v.Rescheduling, 0);
    EXPECT_FALSE(slip->isVisible());
    EXPECT_TRUE(program->Loaded<frmShell>()->isVisible());
}

} // namespace
} // namespace rotaplan
