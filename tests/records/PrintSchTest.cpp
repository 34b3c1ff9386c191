#include "admin/frmCompleted.h"
#include "records/frmPrintSch.h"
#include "store/CustomerIndex.h"
#include "support/ProgramFixture.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace rotaplan {
namespace {

using namespace test;

constexpr const char* FreeBox = "\n\n         No Event Scheduled";

std::string Slip(const char* sa, const char* team, const char* date, const char* startIndex,
                 const char* hours, const char* name) {
    return FileOf({CustomerSlip(sa, team, date, startIndex, hours, name, "555-0100")});
}

class PrintSch : public ProgramTest {
protected:
    frmPrintSch* form = nullptr;
    TempFolder out; // never the program folder

    void Open() {
        WriteTeams();
        WriteBytes(folder / "CompletedSlips.txt",
                   Slip("330-1", "1", "11/30/2026", "3", "1", "Ann Lee"));
        Started(); // before the slips: the start would mend their missing hours
        program->Variables().SoundAlarms = true;
        WriteBytes(folder / "Slips.txt",
                   Slip("338-1", "2", "12/4/2026", "4", "2", "Ann Lee") +
                       Slip("338-2", "2", "12/4/2026", "8", "1", "Bob Stone") +
                       Slip("338-3", "1", "12/4/2026", "5", "1", "Other Team") +
                       Slip("338-4", "2", "12/7/2026", "3", "1", "Other Day") +
                       Slip("338-5", "2", "12/4/2026", "6", "1", "Noon Slot") +
                       Slip("338-6", "1", "1/5/2027", "3", "1", "Cy Later"));
        WriteBytes(folder / "2026/Team# 2/338.txt",
                   Day({{3, "SA 338-1"}, {4, "SA 338-1"}, {5, "SA 338-5"}, {7, "SA 338-2"}}));
        ForgetCustomers(program->Variables()); // read at the start, before these slips
        form = &program->ShowAnew<frmPrintSch>();
    }
    template <class Box> Box* Text1(int index) {
        return Find<Box>(form, ("Text1_" + std::to_string(index)).c_str());
    }
    QString Small(int box) { return Text1<QLineEdit>(box + 8)->text(); }
    QString Large(int box) { return Text1<QPlainTextEdit>(box)->toPlainText(); }
    QColor Ink(int box) { return Text1<QPlainTextEdit>(box)->palette().color(QPalette::Text); }
    QString Label(const char* name) { return Find<QLabel>(form, name)->text(); }
    QString Title() { return Find<QGroupBox>(form, "frmDay")->title(); }
    void Team(int row) { Find<QListWidget>(form, "lstAssignto")->setCurrentRow(row); }
    QCalendarWidget* Calendar() { return Find<QCalendarWidget>(form, "Calender"); }
};

TEST_F(PrintSch, ShowsTheTeamsDayInBothViews) {
    Open();
    auto* frmDay = Find<QGroupBox>(form, "frmDay");
    EXPECT_FALSE(frmDay->isVisible()) << "the small view first";
    EXPECT_EQ(Small(2), "No Event Scheduled") << "team 1's day";
    EXPECT_EQ(Label("lbl01pm"), "01:00 pm");

    Team(1);
    EXPECT_EQ(Label("txtTeam"), "South");
    EXPECT_EQ(Title(), "12/4/2026");
    EXPECT_EQ(QStringList({Small(0), Small(1), Small(2), Small(5)}),
              QStringList({"No Event Scheduled", "SA 338-1", "SA 338-1", "SA 338-2"}));
    EXPECT_EQ(Large(1), "Ann Lee\n1 Main St\nSpringfield,IL\n555-0100\nLeak") << "LF lines";
    EXPECT_TRUE(Large(3).startsWith("Noon Slot\n"));
    for (int box : {0, 4, 6, 7}) {
        EXPECT_EQ(Large(box), FreeBox) << box;
        EXPECT_EQ(Ink(box), QApplication::palette().color(QPalette::Highlight));
    }
    EXPECT_EQ(Ink(1), QApplication::palette().color(QPalette::ButtonText));

    Click(form, "cmdView");
    EXPECT_TRUE(frmDay->isVisible() && Find<QGroupBox>(form, "frmTime")->isVisible());
    Click(form, "cmdView");
    EXPECT_FALSE(frmDay->isVisible());

    program->Variables().StartHour = 7; // the same slips under the other start hour
    form->Activate();
    EXPECT_EQ(Label("lbl01pm"), "12:00 pm") << "the names stay, the texts follow";
    Team(1);
    EXPECT_TRUE(Large(4).startsWith("Noon Slot\n"));
    EXPECT_EQ(Small(5), "SA 338-2") << "the small view does not move";

    Click(form, "imgLogo");
    EXPECT_EQ(Find<QListWidget>(form, "lstAssignto")->currentRow(), 0);
    EXPECT_EQ(Label("txtTeam"), "North") << "the label follows the team the logo chose";
    EXPECT_FALSE(frmDay->isVisible());
}

TEST_F(PrintSch, DateSelectionKeepsToWorkingDaysFromToday) {
    Open();
    Team(1);
    Calendar()->setSelectedDate(QDate(2026, 12, 12)); // a Saturday, Monday to Friday by default
    EXPECT_EQ(form->SelectedDate(), (Date{2026, 12, 14}));
    EXPECT_EQ(Large(0), FreeBox);

    Calendar()->setSelectedDate(QDate(2026, 12, 3));
    EXPECT_EQ(form->SelectedDate(), (Date{2026, 12, 4}));
    EXPECT_EQ(platform.beep.count, 1);
    EXPECT_EQ(Title(), "12/4/2026") << "the boxes follow the calendar back to today";

    Answer({MessageAnswer::Ok});
    Calendar()->setSelectedDate(QDate(2028, 3, 1));
    EXPECT_EQ(platform.messages.shown.back().title, "Invalid Year");
    EXPECT_EQ(Shown().back(), "You have selected a date in which\r\nNo Events are Scheduled");
    EXPECT_EQ(Title(), "12/4/2026") << "back to today's schedule";
    EXPECT_FALSE(std::filesystem::exists(folder / "2028"));

    // Keys move the date as a click does, under the same rules.
    auto* days = Calendar()->findChild<QAbstractItemView*>("qt_calendar_calendarview");
    QTest::keyClick(days, Qt::Key_Left);
    EXPECT_EQ(platform.beep.count, 2);
    QTest::keyClick(days, Qt::Key_Right);
    EXPECT_EQ(Title(), "12/7/2026");
    QTest::keyClick(Find<QListWidget>(form, "lstAssignto"), Qt::Key_Up);
    MinimizeAndRestore(form);
    EXPECT_EQ(QStringList({Title(), Label("txtTeam")}), QStringList({"12/7/2026", "North"}))
        << "a team chosen by keys, and a restore that starts nothing over";

    platform.clock.now.hour = 18; // Friday evening: the next working day
    form->Activate();
    EXPECT_EQ(form->SelectedDate(), (Date{2026, 12, 7}));
}

TEST_F(PrintSch, ButtonsWriteTheSheetsCalendarAndSpreadsheetWhereTheDialogSays) {
    Open();
    Click(form, "cmdPdf");
    EXPECT_EQ(platform.save.suggested.back(), "North 2026-12-04.pdf") << "cancelled";
    platform.save.answer = out / "day.pdf";
    Click(form, "cmdPdfWeek");
    EXPECT_EQ(platform.save.suggested.back(), "North week of 2026-12-04.pdf");
    EXPECT_EQ(ReadBytes(out / "day.pdf").substr(0, 5), "%PDF-");

    Click(form, "cmdPrint");
    EXPECT_EQ(platform.print.papers.size(), 1u) << "cancelled, nothing printed";
    platform.print.pdf = out / "printed.pdf";
    Click(form, "cmdPrintWeek");
    EXPECT_EQ(ReadBytes(out / "printed.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(platform.print.titles,
              (std::vector<std::string>{"North 2026-12-04", "North week of 2026-12-04"}));

    auto* span = Find<QComboBox>(form, "cboCalendarSpan");
    span->setFocus();
    QTest::keyClick(span, Qt::Key_End);
    platform.save.answer = out / "north.ics";
    Click(form, "cmdCalendar");
    EXPECT_EQ(platform.save.suggested.back(), "North from 2026-12-04.ics");
    const std::string ics = ReadBytes(out / "north.ics");
    EXPECT_NE(ics.find("SA 338-3 Other Team"), std::string::npos) << ics;
    EXPECT_NE(ics.find("SA 338-6 Cy Later"), std::string::npos) << "all future bookings";
    QTest::keyClick(span, Qt::Key_Home);
    Click(form, "cmdCalendar");
    EXPECT_EQ(ReadBytes(out / "north.ics").find("Cy Later"), std::string::npos) << "this day only";

    platform.save.answer = out / "gone" / "north.ics";
    Answer({MessageAnswer::Ok});
    Click(form, "cmdCalendar");
    EXPECT_NE(Shown().back().find((out / "gone").string()), std::string::npos) << Shown().back();

    const std::string slips = ReadBytes(folder / "Slips.txt");
    platform.save.answer = folder / "Slips.txt";
    Answer({MessageAnswer::Ok});
    Click(form, "cmdCalendar");
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), slips);
    EXPECT_EQ(Shown().back().rfind("Rotaplan keeps its own files", 0), 0u) << "refused";

    Calendar()->setSelectedDate(QDate(2026, 12, 7)); // nothing of team 1's that day
    platform.save.answer = out / "empty.ics";
    Answer({MessageAnswer::Ok});
    Click(form, "cmdCalendar");
    EXPECT_EQ(Shown().back(), "No bookings on 12/7/2026.");
    EXPECT_FALSE(std::filesystem::exists(out / "empty.ics"));

    auto& completed = program->ShowAnew<frmCompleted>();
    platform.save.answer = out / "done.csv";
    Click(&completed, "cmdExport");
    EXPECT_EQ(platform.save.suggested.back(), "Completed Service Attentions 2026-12-04.xlsx");
    const std::string csv = ReadBytes(out / "done.csv");
    EXPECT_NE(csv.find("\"SA 330-1\",\"2026-11-30\""), std::string::npos) << csv;
}

} // namespace
} // namespace rotaplan
