#include "scheduling/frmCallslip.h"
#include "scheduling/frmShell.h"
#include "store/SupportFile.h"
#include "support/ProgramFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

namespace rotaplan {
namespace {

class Input : public test::ProgramTest {
protected:
    frmShell* shell = nullptr;
    void SetUp() override {
        WriteTeams();
        Started();
        shell = OpenIntake();
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(shell, name); }
    // Scheduling must be refused with a message naming the fault, leaving the intake up.
    void ExpectRefused(const std::string& told) {
        Answer({MessageAnswer::Ok});
        Click(shell, "cmdSchedule");
        EXPECT_NE(Shown().back().find(told), std::string::npos) << Shown().back();
        EXPECT_TRUE(shell->isVisible());
    }
};

// What the intake takes is what the record gives back, and what it cannot keep is refused.
TEST_F(Input, TheIntakeStoresWhatReadsBackRefusesTheRestAndBeepsWhenFull) {
    const std::pair<const char*, int> boxes[] = {{"txtName", 30}, {"txtStreet", 35},
                                                 {"txtApt", 25},  {"txtST", 2},
                                                 {"txtZip", 10},  {"txtTel", 12}};
    for (auto [name, length] : boxes) {
        Box(name)->setText(QString(length + 5, QChar('x')));
        EXPECT_EQ(Box(name)->text().size(), length) << name << ": the box holds its field";
    }
    Box("txtName")->setText(QString::fromUtf8("O\"Brien & Söhne"));
    MinimizeAndRestore(shell);
    EXPECT_EQ(Box("txtName")->text(), QString::fromUtf8("O\"Brien & Söhne")) << "kept as typed";
    Click(shell, "cmdSchedule");
    EXPECT_EQ(program->Variables().RecordBuffer.Trimmed(SlipField::Name), "O\"Brien & Söhne");

    Click(program->Loaded<frmCallslip>(), "cmdRedo");
    for (const char* text : {"12 Main St\nApt 4", "Tab\there", "Zoë \u4e2d"}) {
        QApplication::clipboard()->setText(QString::fromUtf8(text));
        Box("txtStreet")->clear();
        Box("txtStreet")->paste();
        ExpectRefused("");
    }
    for (auto [name, length] : boxes)
        Box(name)->clear();
    Click(shell, "cmdSchedule"); // an empty form goes on, with blank fields
    EXPECT_EQ(program->Variables().RecordBuffer.Get(SlipField::Name), std::string(30, ' '));

    Click(program->Loaded<frmCallslip>(), "cmdRedo");
    QTest::keyClicks(Box("txtTel"), "555-123-45678");
    EXPECT_EQ(platform.beep.count, 1);
    program->Variables().SoundAlarms = false;
    QTest::keyClick(Box("txtTel"), Qt::Key_9);
    EXPECT_EQ(platform.beep.count, 1);

    program->Variables().TeamList.Clear();
    program->Variables().Assignments = {"populated"};
    ExpectRefused("no team");
}

TEST(QuotedLines, ALineBreakNeverSplitsAStoredText) {
    EXPECT_THROW(supportfile::QuotedLine("North\r\nSouth", "Assignto.txt"), StoreError);
    EXPECT_EQ(supportfile::QuotedLine("Tab\there", "Assignto.txt"), "\"Tab\there\"\r\n");
}

} // namespace
} // namespace rotaplan
