#include "admin/frmCompleted.h"
#include "app/frmStartup.h"
#include "store/SlipRecord.h"
#include "support/ProgramFixture.h"

#include <QAccessible>
#include <QTableView>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

const QString Mark = QString::fromUtf8("\xC2\xAB");

std::string Record(const char* sa, const char* team, const char* name) {
    return test::FileOf({test::CustomerSlip(sa, team, "11/30/2026", "", "", name, "")});
}

class Completed : public test::ProgramTest {
protected:
    const std::string first = Record("333-1", "1", "Ann");
    const std::string second = Record("333-2", "2", "Bob");
    const std::string third = Record("334-1", "3", "Cy");
    const fs::path file = folder / "CompletedSlips.txt";
    frmCompleted* form = nullptr;
    QTableView* grid = nullptr;

    void Open() {
        WriteTeams();
        WriteBytes(file, first + second + third);
        Click(&AtMenu(), "optCompletions");
        form = program->Loaded<frmCompleted>();
        ASSERT_TRUE(form && form->isVisible());
        grid = Find<QTableView>(form, "fgCompletions");
    }
    int Rows() { return grid->model()->rowCount(); }
    QString Cell(int row, int column) {
        return grid->model()->index(row, column).data().toString();
    }
    void ClickCell(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, column)).center());
    }
    bool MenuBack() {
        return !program->Loaded<frmCompleted>() && program->Loaded<frmStartup>()->isVisible();
    }
};

TEST_F(Completed, GridShowsEveryRecordAndAClickOnAnyCellTogglesTheMark) {
    Open();
    QStringList headers, row;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        headers << grid->model()->headerData(c, Qt::Horizontal).toString();
        row << Cell(1, c);
    }
    EXPECT_EQ(headers, QStringList({"Rec", "Date", "Reference", "Customer", "Assignedto"}));
    EXPECT_EQ(row, QStringList({"2", "11/30/2026", "SA 333-2", "Bob", "South"}));
    ClickCell(1, 3);
    EXPECT_EQ(QStringList({Cell(0, 0), Cell(1, 0)}), QStringList({"1", Mark}));
    WriteBytes(file, first + second + third + first);
    MinimizeAndRestore(form);
    EXPECT_EQ(QStringList({Cell(1, 0), QString::number(Rows())}), QStringList({Mark, "3"}))
        << "a restored window keeps its marks";
    ClickCell(1, 0);
    EXPECT_EQ(Cell(1, 0), "2");
    form->Activate();
    EXPECT_EQ(Rows(), 4) << "each activation reads the file again";
    Click(form, "cmdCompletions_1", {MessageAnswer::Cancel, MessageAnswer::Ok});
    EXPECT_EQ(LastBox(), "Delete File|This Deletes All Completed Service Attentions");
    EXPECT_TRUE(fs::exists(file));
    Click(form, "cmdCompletions_1");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(Rows(), 0) << "the deleted rows go at once";
    Click(form, "cmdCompletions_0");
    EXPECT_TRUE(MenuBack());
}

TEST_F(Completed, DeleteSelectedAsksAndNeverReachesRecordsTheGridDoesNotShow) {
    Open();
    ClickCell(0, 1);
    ClickCell(2, 4);
    Click(form, "cmdSelected", {MessageAnswer::No});
    EXPECT_EQ(LastBox(), "Delete These Records|All Selected Records will be Deleted!");
    EXPECT_EQ(ReadBytes(file), first + second + third);

    // The file grew, or was replaced, behind the grid's back: the marks no longer fit it.
    const std::string replaced = second + first + third;
    const std::string grown = second + first + second + third;
    for (const std::string& changed : {replaced, grown}) {
        WriteBytes(file, changed);
        Click(form, "cmdSelected", {MessageAnswer::Yes, MessageAnswer::Ok});
        EXPECT_NE(Shown().back().find("CompletedSlips.txt"), std::string::npos);
        EXPECT_EQ(ReadBytes(file), changed);
        EXPECT_EQ(Cell(0, 3), "Bob") << "the grid shows the file again";
    }

    ClickCell(1, 0);
    ClickCell(3, 2);
    Click(form, "cmdSelected", {MessageAnswer::Yes});
    EXPECT_EQ(ReadBytes(file), second + second) << "the others, in order";
    EXPECT_FALSE(fs::exists(folder / "TemporaryFile.txt"));
    EXPECT_TRUE(MenuBack());
}

TEST_F(Completed, MarkDeleteAndExportByKeysAlone) {
    WriteTeams();
    WriteBytes(file, first + second + third);
    AtMenu();
    Key(Qt::Key_C, Qt::AltModifier);
    form = program->Loaded<frmCompleted>();
    ASSERT_TRUE(form && form->isVisible());
    grid = Find<QTableView>(form, "fgCompletions");
    EXPECT_EQ(Focused(), "fgCompletions");
    for (int key : {Qt::Key_Space, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        Key(key);
    EXPECT_EQ(QStringList({Cell(0, 0), Cell(1, 0), Cell(2, 0)}), QStringList({Mark, "2", Mark}));
    QAccessibleInterface* cell =
        QAccessible::queryAccessibleInterface(grid)->tableInterface()->cellAt(0, 0);
    EXPECT_EQ(cell->text(QAccessible::Name), "1, selected");

    test::TempFolder elsewhere;
    platform.save.answer = elsewhere / "completed.csv";
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), "cmdSelected") << "Tab leaves the grid";
    Key(Qt::Key_Tab);
    Answer({MessageAnswer::Cancel});
    Key(Qt::Key_Return);
    EXPECT_EQ(platform.messages.shown.back().buttons, MessageButtons::OkCancelDefaultCancel);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Return);
    EXPECT_NE(ReadBytes(elsewhere / "completed.csv").find("SA 334-1"), std::string::npos);

    Key(Qt::Key_Tab, Qt::ShiftModifier);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    Answer({MessageAnswer::Yes});
    Key(Qt::Key_Return);
    EXPECT_EQ(platform.messages.shown.back().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(ReadBytes(file), second);
    EXPECT_TRUE(MenuBack());
}

TEST_F(Completed, ALongFileIsToldToTheGridAsItIsScrolledAndCtrlEndReachesItsLastRecord) {
    std::string many;
    for (int r = 1; r < 20000; ++r)
        many += first;
    WriteTeams();
    WriteBytes(file, many + third);
    AtMenu();
    Key(Qt::Key_C, Qt::AltModifier);
    form = program->Loaded<frmCompleted>();
    grid = Find<QTableView>(form, "fgCompletions");
    EXPECT_LT(Rows(), 20000) << "the view keeps a little for every row it is told of";
    EXPECT_GT(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance("20000"))
        << "a long Rec number is shown whole";
    const int told = Rows();
    for (int page = 0; page < told && Rows() == told; ++page)
        Key(Qt::Key_PageDown);
    EXPECT_GT(Rows(), told) << "paged down to the last row told, the grid is told of more";

    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Space);
    EXPECT_EQ(QStringList({Cell(grid->currentIndex().row(), 0), Cell(19998, 0)}),
              QStringList({Mark, "19999"}));
    Click(form, "cmdSelected", {MessageAnswer::Yes});
    EXPECT_EQ(ReadBytes(file), many);
}

} // namespace
} // namespace rotaplan
