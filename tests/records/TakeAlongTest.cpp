#include "admin/frmCompleted.h"
#include "records/frmPrintSch.h"
#include "support/ProgramFixture.h"

#include <QComboBox>

namespace rotaplan {
namespace {

using test::ReadBytes;
using test::WriteBytes;

std::string Slip(const char* sa, const char* date, const char* name) {
    using enum SlipField;
    return test::SlipBytes(
        {{SANumber, sa}, {Team, "1"}, {Date, date}, {StartIndex, "3"}, {Hours, "1"}, {Name, name}});
}

class TakeAlong : public test::ProgramTest {
protected:
    void Open() {
        WriteTeams();
        WriteBytes(folder / "CompletedSlips.txt", Slip("SA 330-1", "11/30/2026", "Ann Lee"));
        Started(); // before the slips: the start would mend their missing hours
        WriteBytes(folder / "Slips.txt", Slip("SA 338-1", "12/4/2026", "Bob Stone") +
                                             Slip("SA 338-2", "1/5/2027", "Cy Later"));
    }
    test::TempFolder out; // never the program folder
    std::string Contents(const char* name) { return ReadBytes(out / name); }
};

TEST_F(TakeAlong, ButtonsWriteTheSheetsCalendarAndSpreadsheetWhereTheDialogSays) {
    Open();
    auto& form = program->ShowAnew<frmPrintSch>();
    Click(&form, "cmdPdf");
    EXPECT_EQ(platform.save.suggested.back(), "North 2026-12-04.pdf") << "cancelled";
    platform.save.answer = out / "day.pdf";
    Click(&form, "cmdPdfWeek");
    EXPECT_EQ(platform.save.suggested.back(), "North week of 2026-12-04.pdf");
    EXPECT_EQ(Contents("day.pdf").substr(0, 5), "%PDF-");

    Click(&form, "cmdPrint");
    EXPECT_EQ(platform.print.papers.size(), 1u) << "cancelled, nothing printed";
    platform.print.pdf = out / "printed.pdf";
    Click(&form, "cmdPrintWeek");
    EXPECT_EQ(Contents("printed.pdf").substr(0, 5), "%PDF-");

    auto* span = Find<QComboBox>(&form, "cboCalendarSpan");
    span->setFocus();
    QTest::keyClick(span, Qt::Key_End);
    platform.save.answer = out / "north.ics";
    Click(&form, "cmdCalendar");
    EXPECT_EQ(platform.save.suggested.back(), "North from 2026-12-04.ics");
    const std::string ics = Contents("north.ics");
    EXPECT_NE(ics.find("SA 338-1 Bob Stone"), std::string::npos) << ics;
    EXPECT_NE(ics.find("SA 338-2 Cy Later"), std::string::npos) << "all future bookings";
    QTest::keyClick(span, Qt::Key_Home);
    Click(&form, "cmdCalendar");
    EXPECT_EQ(Contents("north.ics").find("Cy Later"), std::string::npos) << "this day only";

    platform.save.answer = out / "gone" / "north.ics";
    Answer({MessageAnswer::Ok});
    Click(&form, "cmdCalendar");
    EXPECT_NE(Shown().back().find((out / "gone").string()), std::string::npos) << Shown().back();

    const std::string slips = ReadBytes(folder / "Slips.txt");
    platform.save.answer = folder / "Slips.txt";
    Answer({MessageAnswer::Ok});
    Click(&form, "cmdCalendar");
    EXPECT_EQ(ReadBytes(folder / "Slips.txt"), slips);
    EXPECT_EQ(Shown().back().rfind("Rotaplan keeps its own files", 0), 0u) << "refused";

    auto& completed = program->Load<frmCompleted>();
    completed.show();
    platform.save.answer = out / "done.csv";
    Click(&completed, "cmdExport");
    EXPECT_EQ(platform.save.suggested.back(), "Completed Service Attentions 2026-12-04.csv");
    const std::string csv = Contents("done.csv");
    EXPECT_NE(csv.find("\"SA 330-1\",\"1\""), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"Ann Lee\""), std::string::npos);
}

} // namespace
} // namespace rotaplan
