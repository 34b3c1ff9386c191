#include "frame/frmSplash.h"
#include "frame/frmStartup.h"
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
        test::WriteBytes(folder / "Assignto.txt", "\"North\"\r\n");
        test::WriteBytes(folder / "ProblemCode.txt", "\"Leak\"\r\n");
        Started();
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        Click(program->Loaded<frmStartup>(), "cmdGosub");
        shell = program->Loaded<frmShell>();
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(shell, name); }
};

// What the intake takes is what the record gives back, and what it cannot keep is refused.
TEST_F(Input, TheIntakeStoresWhatReadsBackAndRefusesTheRest) {
    const std::pair<const char*, int> boxes[] = {{"txtName", 30}, {"txtStreet", 35},
                                                 {"txtApt", 25},  {"txtST", 2},
                                                 {"txtZip", 10},  {"txtTel", 12}};
    for (auto [name, length] : boxes) {
        Box(name)->setText(QString(length + 5, QChar('x')));
        EXPECT_EQ(Box(name)->text().size(), length) << name << ": the box holds its field";
    }
    Box("txtName")->setText(QString::fromUtf8("O\"Brien & Söhne"));
    Click(shell, "cmdSchedule");
    const SlipRecord& record = program->Variables().RecordBuffer;
    EXPECT_EQ(record.Trimmed(SlipField::Name), "O\"Brien & Söhne");
    EXPECT_EQ(record.Get(SlipField::Street), std::string(35, 'x'));
    EXPECT_EQ(record.Get(SlipField::Tel), std::string(12, 'x') + " ");

    program->Loaded<frmCallslip>()->hide();
    shell->show();
    for (const char* pasted : {"12 Main St\nApt 4", "Tab\there", "Smith \u2603"}) {
        QApplication::clipboard()->setText(QString::fromUtf8(pasted));
        Box("txtStreet")->clear();
        Box("txtStreet")->paste();
        if (Box("txtStreet")->text() == QString::fromUtf8(pasted)) {
            Answer({MessageAnswer::Ok});
            Click(shell, "cmdSchedule");
            EXPECT_TRUE(shell->isVisible()) << pasted << " must be refused";
        } else {
            EXPECT_FALSE(Box("txtStreet")->text().contains('\n')) << "the box took it apart";
        }
    }
    Box("txtStreet")->clear();
    Box("txtName")->clear();
    for (auto [name, length] : boxes)
        Box(name)->clear();
    Click(shell, "cmdSchedule"); // an empty form goes on, with blank fields
    EXPECT_EQ(program->Variables().RecordBuffer.Get(SlipField::Name), std::string(30, ' '));
}

TEST(QuotedLines, ALineBreakNeverSplitsAStoredText) {
    EXPECT_THROW(supportfile::QuotedLine("North\r\nSouth", "Assignto.txt"), StoreError);
    EXPECT_EQ(supportfile::QuotedLine("Tab\there", "Assignto.txt"), "\"Tab\there\"\r\n");
}

} // namespace
} // namespace rotaplan
