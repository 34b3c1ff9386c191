#include "records/frmCallRecord.h"
#include "records/frmPrintSch.h"
#include "scheduling/frmCallslip.h"
#include "support/ProgramFixture.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rotaplan {
namespace {

using namespace test;

struct Slip {
    const char* sa;
    const char* date = "12/5/2026";
    const char* status = "Scheduled";
    const char* team = "1";
    const char* name = "Ann Lee";
    const char* startIndex = "5";
};

class CallRecord : public ProgramTest {
protected:
    frmCallRecord* form = nullptr;
    std::vector<std::string> records;
    std::string all;

    // Slips are written after the start, which would move those of past days away.
    void Open(std::initializer_list<Slip> slips) {
        WriteTeams();
        Started();
        program->Variables().SoundAlarms = true;
        for (const Slip& s : slips) {
            SlipRecord slip = CustomerSlip(s.sa, s.team, s.date, s.startIndex, "3", s.name, "");
            slip.Set(SlipField::Status, s.status);
            records.push_back(FileOf({slip}));
            all += records.back();
        }
        WriteBytes(folder / "Slips.txt", all);
        form = &program->ShowAnew<frmCallRecord>();
    }
    QString Text(const char* name) { return Find<QLineEdit>(form, name)->text(); }
    QString Assigned() { return Find<QLabel>(form, "txtAssigned")->text(); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(form, name); }
    bool ActionsEnabled() {
        EXPECT_EQ(Button("cmdCancel")->isEnabled(), Button("cmdReschedule")->isEnabled());
        return Button("cmdCancel")->isEnabled();
    }
    bool Idle() {
        return form->RecordNo() == 0 && Text("txtName").isEmpty() && Assigned().isEmpty() &&
               Button("cmdContinue")->isHidden() && !ActionsEnabled();
    }
    void Press(const char* name, std::initializer_list<MessageAnswer> answers) {
        Answer(answers);
        Click(form, name);
    }
    void Show(int record) {
        Click(form, "cmdSearch");
        while (form->RecordNo() < record)
            Click(form, "cmdContinue");
    }
};

TEST_F(CallRecord, PagesAndFindsThroughEveryRecordAndPastTheEnd) {
    Open({{"338-1", "12/4/2026", "  Scheduled"},
          {"338-2", "12/7/2026", "Scheduled", "2", "Bob Stone", "6"},
          {"338-3", "12/3/2026", "Scheduled", "7", "Cy Stone", "x"}});
    EXPECT_TRUE(Idle());
    Click(form, "cmdSearch");
    EXPECT_EQ(form->RecordNo(), 1);
    EXPECT_EQ(Text("txtName"), "Ann Lee" + QString(23, ' ')) << "as stored";
    EXPECT_EQ(QStringList({Text("txtConf"), Text("txtDay"), Text("txtStatus")}),
              QStringList({"SA 338-1  ", "Friday", "Scheduled"}));
    EXPECT_EQ(form->focusWidget(), Button("cmdContinue"));
    // A team with no name, or a start outside the table, is shown as stored.
    const QStringList pages[] = {{"North", "10:00"}, {"South", "11:00"}, {"7", "x"}};
    for (const QStringList& page : pages) {
        EXPECT_EQ(QStringList({Assigned(), Text("txtTime")}), page);
        Click(form, "cmdContinue");
    }
    EXPECT_TRUE(Idle());
    EXPECT_EQ(form->focusWidget(), Find<QWidget>(form, "Command3"));

    auto* find = Find<QLineEdit>(form, "txtFind");
    find->setText("STONE");
    Click(form, "cmdFind");
    EXPECT_EQ(form->RecordNo(), 2);
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(form->RecordNo(), 3);
    EXPECT_FALSE(ActionsEnabled()) << "the rules hold for the record found";
    Click(form, "cmdContinue");
    EXPECT_TRUE(Idle()) << "paging goes on from the record found";
    find->setText("nobody");
    Click(form, "cmdFind");
    EXPECT_EQ(platform.beep.count, 1);
    EXPECT_TRUE(Idle()) << "nothing found: nothing changes";
    program->Variables().StartHour = 7; // the record's table entry, not the slot of 7 o'clock
    Show(2);
    MinimizeAndRestore(form);
    EXPECT_EQ(QStringList({QString::number(form->RecordNo()), Text("txtTime")}),
              QStringList({"2", "11:00"}))
        << "a restored window keeps the record shown";
    Click(form, "imgLogo");
    EXPECT_TRUE(Idle());
}

TEST_F(CallRecord, ActionsFollowTheDateAndStatus) {
    Open({{"337-1", "12/3/2026"},
          {"338-1", "12/4/2026"},
          {"338-2", "12/4/2026", "Done"},
          {"339-1", "12/5/2026", "Done"},
          {"339-2", "4 Dec 2026"}});
    Show(1);
    for (bool enabled : {false, true, false, true}) {
        EXPECT_EQ(ActionsEnabled(), enabled) << Text("txtConf").toStdString();
        Click(form, "cmdContinue");
    }
    // Never moved away as past, an undated slip can still be deleted, though not rescheduled.
    EXPECT_TRUE(Button("cmdCancel")->isEnabled());
    EXPECT_FALSE(Button("cmdReschedule")->isEnabled());
    Press("cmdCancel", {MessageAnswer::Yes, MessageAnswer::Yes});
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), all.substr(0, 4 * SlipRecordLength));
}

TEST_F(CallRecord, DeleteAsksTwiceAndFreesTheWholeBooking) {
    Open({{"338-1"}, {"338-2"}, {"338-3"}, {"338-4", "12/5/2026", "Scheduled", "1", "Ann", "9"}});
    const auto day = folder / "2026/Team# 1/339.txt";
    WriteBytes(day, Day({{4, "SA 338-2"}, {5, "SA 338-2"}, {6, "SA 338-2"}, {7, "SA 338-4"}}));
    Show(1);
    Press("cmdCancel", {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::No});
    EXPECT_EQ(platform.messages.shown.back().title, "Delete");
    EXPECT_EQ(Shown().back(), "Delete this Attention");
    EXPECT_EQ(form->RecordNo(), 2) << "No shows the next record";
    Click(form, "cmdCancel");
    EXPECT_EQ(Shown().back(), "Are You Sure?");
    EXPECT_EQ(form->RecordNo(), 3);
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), all);

    Show(2);
    Press("cmdCancel", {MessageAnswer::Yes, MessageAnswer::Yes});
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), records[0] + records[2] + records[3]);
    EXPECT_EQ(ReadBytes(day), Day({{7, "SA 338-4"}})) << "all three hours, and only those";
    EXPECT_TRUE(Idle());
}

TEST_F(CallRecord, ASlipFileChangedOutsideNeverLosesAnotherBooking) {
    Open({{"338-1"}, {"338-2"}, {"338-3"}});
    const auto day = folder / "2026/Team# 1/339.txt";
    const std::string hours = Day({{4, "SA 338-2"}, {7, "SA 338-3"}});
    const std::string extra = FileOf({CustomerSlip("338-4", "1", "12/5/2026", "9", "1", "Di", "")});
    // What the file became while record 2 was shown, and what is left after (empty: refused).
    const std::tuple<std::string, const char*, std::string> cases[] = {
        {records[0], "cmdCancel", ""},                               // cut short
        {records[1] + records[2], "cmdCancel", ""},                  // an earlier record removed
        {records[0] + records[2] + records[1], "cmdReschedule", ""}, // replaced
        {all + extra, "cmdCancel", records[0] + records[2] + extra}, // grown
    };
    for (const auto& [changed, button, after] : cases) {
        WriteBytes(day, hours);
        WriteBytes(folder / "Slips.txt", all);
        Show(2);
        WriteBytes(folder / "Slips.txt", changed);
        Press(button, {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok});
        platform.messages.answers.clear();
        const bool refused = after.empty();
        EXPECT_EQ(ReadBytes(folder / "Slips.txt"), refused ? changed : after);
        EXPECT_EQ(ReadBytes(day), refused ? hours : Day({{7, "SA 338-3"}}));
        EXPECT_EQ(Shown().back().find("Slips.txt") != std::string::npos, refused) << Shown().back();
    }
}

TEST_F(CallRecord, RescheduleHandsTheOldRecordToTheCallSlip) {
    Open({{"338-1"}, {"338-2", "12/7/2026", "Scheduled", "2", "Bob Stone", "3"}});
    WriteBytes(folder / "2026/Team# 2/341.txt", Day({{2, "SA 338-2"}, {3, "SA 338-2"}}));
    Show(2);
    Press("cmdReschedule", {MessageAnswer::No});
    EXPECT_EQ(platform.messages.shown.back().title, "RESCHEDULE");
    EXPECT_EQ(Shown().back(), "Reschedule this Attention");
    EXPECT_TRUE(Idle()) << "a declined reschedule starts over";

    Show(2);
    Press("cmdReschedule", {MessageAnswer::Yes});
    auto* slip = program->Loaded<frmCallslip>();
    ASSERT_TRUE(slip && slip->isVisible() && !form->isVisible());
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), records[0]);
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/341.txt"), Day({}));

    // Booked again: the same customer under a new SA number, in the new day's hours.
    Find<QCalendarWidget>(slip, "Calender")->setSelectedDate(QDate(2026, 12, 8));
    Click(slip, "Text1_0");
    WhenModal([this](QDialog* dialog) { Click(dialog, "cmdSchedule"); });
    Click(slip, "cmdConfirm");
    const std::string slips = ReadBytes(folder / "Slips.txt");
    ASSERT_EQ(slips.size(), 2 * SlipRecordLength);
    const auto again = SlipRecord::FromBytes(std::string_view(slips).substr(SlipRecordLength));
    EXPECT_EQ(again.Trimmed(SlipField::Name), "Bob Stone");
    const std::string sa = again.Trimmed(SlipField::SANumber);
    EXPECT_NE(sa, "SA 338-2");
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 2/342.txt"),
              Day({{2, sa.c_str()}, {3, sa.c_str()}, {4, sa.c_str()}}));
}

TEST_F(CallRecord, RescheduleByKeysAlone) {
    Open({{"330-1", "12/7/2026"}});
    WriteBytes(folder / "2026/Team# 1/341.txt",
               Day({{4, "SA 330-1"}, {5, "SA 330-1"}, {6, "SA 330-1"}}));
    Key(Qt::Key_Return); // Start Search
    EXPECT_EQ(Text("txtConf").trimmed(), "SA 330-1");
    Answer({MessageAnswer::Yes});
    Key(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(LastBox(), "RESCHEDULE|Reschedule this Attention");
    EXPECT_EQ(platform.messages.shown.back().buttons, MessageButtons::YesNoDefaultNo);
    auto* slip = program->Loaded<frmCallslip>();
    ASSERT_TRUE(slip && slip->isVisible());
    EXPECT_EQ(Focused(), "lstAssignto") << "never the cancel that deletes";
    TabTo("Text1_0");
    Key(Qt::Key_Space); // the three hours of the old booking, on the first bookable day
    EXPECT_EQ(Focused(), "cmdConfirm");
    WhenModal([](QDialog*) { Key(Qt::Key_Return); });
    Key(Qt::Key_Return);
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), Day({}));
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/338.txt"),
              Day({{2, "SA 338-1"}, {3, "SA 338-1"}, {4, "SA 338-1"}}));
    const SlipRecord booked = SlipRecord::FromBytes(ReadBytes(folder / "Slips.txt"));
    EXPECT_EQ(booked.Trimmed(SlipField::SANumber) + " " + booked.Trimmed(SlipField::Name),
              "SA 338-1 Ann Lee");
}

// The crew's published calendar follows a call through two reschedules and its delete; a
// folder that cannot be written is told once and the change stands.
TEST_F(CallRecord, ThePublishedCalendarFollowsEveryChangeOfACall) {
    Open({{"338-2", "12/7/2026", "Scheduled", "2", "Bob Stone", "3"}});
    WriteBytes(folder / "2026/Team# 2/341.txt",
               Day({{2, "SA 338-2"}, {3, "SA 338-2"}, {4, "SA 338-2"}}));
    TempFolder out;
    auto publishTo = [&](const std::filesystem::path& target) {
        auto& schedules = program->ShowAnew<frmPrintSch>();
        auto* box = Find<QLineEdit>(&schedules, "txtPublish");
        schedules.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&schedules));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QString::fromStdString(target.string()));
        QTest::keyClick(box, Qt::Key_Return);
        schedules.hide();
        form = &program->ShowAnew<frmCallRecord>();
    };
    // Team 2's one event as a phone reads it: start, sequence, and whether it is cancelled.
    auto south = [&] {
        const std::string ics = ReadBytes(out / "South.ics");
        const std::size_t event = ics.find("BEGIN:VEVENT");
        EXPECT_EQ(ics.find("BEGIN:VEVENT", event + 1), std::string::npos) << ics;
        EXPECT_NE(ics.find("UID:2026-12-07-SA338-2@rotaplan", event), std::string::npos) << ics;
        auto value = [&](const char* name) {
            const std::size_t at = ics.find(name, event);
            return ics.substr(at, ics.find("\r\n", at) - at);
        };
        const std::string start = value("DTSTART");
        return start.substr(start.find(':') + 1, 15) + " " + value("SEQUENCE") +
               (ics.find("STATUS:CANCELLED") != std::string::npos ? " cancelled" : "");
    };
    auto reschedule = [&](int day) {
        Show(1);
        Press("cmdReschedule", {MessageAnswer::Yes});
        auto* slip = program->Loaded<frmCallslip>();
        Find<QCalendarWidget>(slip, "Calender")->setSelectedDate(QDate(2026, 12, day));
        Click(slip, "Text1_0");
        WhenModal([this](QDialog* dialog) { Click(dialog, "cmdSchedule"); });
        Click(slip, "cmdConfirm");
        form = &program->ShowAnew<frmCallRecord>();
    };
    publishTo(out.Path());
    EXPECT_EQ(south(), "20261207T080000 SEQUENCE:0");
    EXPECT_EQ(ReadBytes(out / "North.ics").find("BEGIN:VEVENT"), std::string::npos);
    reschedule(8);
    EXPECT_EQ(south(), "20261208T080000 SEQUENCE:2");
    reschedule(9);
    EXPECT_EQ(south(), "20261209T080000 SEQUENCE:4");

    WriteBytes(out / "blocked", "a file, not a folder");
    const std::size_t told = Shown().size();
    Answer({MessageAnswer::Ok});
    publishTo(out / "blocked" / "calendars");
    EXPECT_EQ(Shown().size(), told + 1);
    EXPECT_NE(Shown().back().find("crew's calendars"), std::string::npos) << Shown().back();
    Show(1);
    Press("cmdCancel", {MessageAnswer::Yes, MessageAnswer::Yes});
    EXPECT_EQ(Shown().size(), told + 3) << "the two questions only";
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), "") << "the delete stands";
    publishTo(out.Path());
    EXPECT_EQ(south(), "20261209T080000 SEQUENCE:5 cancelled");
}

} // namespace
} // namespace rotaplan
