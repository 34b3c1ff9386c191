#include "records/frmCallRecord.h"
#include "scheduling/frmCallslip.h"
#include "scheduling/frmShell.h"
#include "store/CustomerIndex.h"
#include "store/SupportFile.h"
#include "support/ProgramFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>

namespace rotaplan {
namespace {

// A call for a customer at 1 Main St, Apt 3, Springfield IL, in team 1's first hour.
std::string Slip(const char* sa, const char* date, const char* name, const char* tel,
                 const char* zip, const char* apt = "Apt 3") {
    SlipRecord slip = test::CustomerSlip(sa, "1", date, "3", "1", name, tel);
    slip.Set(SlipField::Apt, apt);
    slip.Set(SlipField::Zip, zip);
    slip.Set(SlipField::Status, "Scheduled");
    return test::FileOf({slip});
}

// The intake form opened from the menu, with customers on file.
class Intake : public test::ProgramTest {
protected:
    frmShell* shell = nullptr;

    void SetUp() override {
        WriteTeams();
        test::WriteBytes(
            folder / "Slips.txt",
            Slip("330-1", "12/10/2026", "Ann Lee", "(217)555-0101", "62701") +
                Slip("330-2", "12/11/2026", "Anna Berg", "217 555 0199", "", "  Rear door"));
        test::WriteBytes(folder / "2026/Team# 1/344.txt", test::Day({{3, "SA 330-1"}}));
        test::WriteBytes(folder / "2026/Team# 1/345.txt", test::Day({{3, "SA 330-2"}}));
        test::WriteBytes(folder / "CompletedSlips.txt",
                         Slip("306-1", "11/2/2026", "Ann Lee", "(217)555-0101", "62701"));
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
    static QTreeView* Offered() {
        for (QWidget* widget : QApplication::allWidgets())
            if (widget->objectName() == "lstRecall")
                return qobject_cast<QTreeView*>(widget);
        return nullptr;
    }
    static int OfferedRows() { return Offered()->isVisible() ? Offered()->model()->rowCount() : 0; }
    // Keys go where the keyboard sends them: to an open drop-down, else the focused box.
    void Press(Qt::Key key) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : shell->focusWidget(), key);
    }
    void Type(const char* text) { QTest::keyClicks(shell->focusWidget(), text); }
    void Retype(const char* name, const char* text) {
        Box(name)->setFocus();
        Box(name)->selectAll();
        Type(text);
    }
    std::vector<QString> Boxes() {
        std::vector<QString> texts;
        for (const char* name :
             {"txtName", "txtStreet", "txtApt", "txtCity", "txtST", "txtZip", "txtTel"})
            texts.push_back(Box(name)->text());
        return texts;
    }
    std::vector<QString> History(int column) {
        auto* list = Find<QTreeWidget>(shell, "lstHistory");
        std::vector<QString> texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.push_back(list->topLevelItem(i)->text(column));
        return texts;
    }
};

TEST_F(Intake, StoresWhatReadsBackRefusesTheRestAndBeepsWhenFull) {
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
    for (const char* text :
         {"12 Main St\nApt 4", "Tab\there", "Del\x7f", "C1\u0085", "Zoë \u4e2d"}) {
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

TEST_F(Intake, TypingOffersMatchesDownAndEnterPickEscapeCloses) {
    Retype("txtZip", "99999");
    Retype("txtName", "zz");
    EXPECT_FALSE(Offered()->isVisible()) << "nothing matches, nothing offered";
    Retype("txtName", "aNN");
    ASSERT_EQ(OfferedRows(), 2);
    EXPECT_EQ(Offered()->model()->index(0, 3).data().toString(), "12/10/2026"); // last call
    Press(Qt::Key_Down);
    // On the accessibility bus, the drop-down and the customer the keys moved to.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(Offered());
    EXPECT_EQ(list->text(QAccessible::Name), "Earlier customers");
    EXPECT_EQ(
        list->tableInterface()->cellAt(Offered()->currentIndex().row(), 0)->text(QAccessible::Name),
        "Ann Lee");
    Press(Qt::Key_Return);
    EXPECT_FALSE(Offered()->isVisible());
    EXPECT_TRUE(shell->isVisible()) << "Enter picked; it did not schedule";
    const std::vector<QString> ann = {"Ann Lee", "1 Main St", "Apt 3",        "Springfield",
                                      "IL",      "62701",     "(217)555-0101"};
    EXPECT_EQ(Boxes(), ann) << "all seven boxes, the zip typed before included";
    EXPECT_EQ(History(0), (std::vector<QString>{"SA 330-1", "SA 306-1"}));
    EXPECT_EQ(History(2), (std::vector<QString>{"North", "North"}));
    EXPECT_EQ(History(4), (std::vector<QString>{"Scheduled", "Completed"}));

    Retype("txtTel", "217-555-019");
    ASSERT_EQ(OfferedRows(), 1);
    EXPECT_TRUE(History(0).empty()) << "the boxes no longer hold a known customer";
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Offered()->isVisible());
    EXPECT_EQ(Box("txtTel")->text(), "217-555-019");
    Press(Qt::Key_Down); // opens it again
    ASSERT_TRUE(Offered()->isVisible());
    Press(Qt::Key_Down);
    Press(Qt::Key_Enter);
    EXPECT_EQ(Box("txtName")->text(), "Anna Berg");
    EXPECT_EQ(Box("txtZip")->text(), "");
    EXPECT_EQ(Box("txtApt")->text(), "  Rear door") << "as stored, leading blanks kept";
}

TEST_F(Intake, UntilTheCustomersAreReadTheDropDownSaysSoAndOffersThemOnceRead) {
    test::HeldLocale held;
    ForgetCustomers(program->Variables());
    EXPECT_EQ(Customers(program->Variables(), held), nullptr); // read again, held at its first date
    Type("ann");
    ASSERT_EQ(OfferedRows(), 1);
    EXPECT_EQ(Offered()->model()->index(0, 0).data().toString(),
              QString::fromUtf8("Still reading the call slips…"));
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Offered()->isVisible());
    Type(" ");
    ASSERT_EQ(OfferedRows(), 1);
    held.LetGo();
    QTRY_COMPARE(OfferedRows(), 2);
    EXPECT_EQ(Offered()->model()->index(0, 0).data().toString(), "Ann Lee");
}

TEST_F(Intake, APickedCustomerCanBeChangedAndItsBookedCallOpensInTheCallRecords) {
    Type("lee");
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    Retype("txtApt", "Rear door");
    EXPECT_TRUE(History(0).empty());
    Retype("txtApt", "Apt 3");
    ASSERT_EQ(History(0).size(), 2u);

    auto* history = Find<QTreeWidget>(shell, "lstHistory");
    history->setFocus();
    history->setCurrentItem(history->topLevelItem(1));
    Answer({MessageAnswer::Ok});
    QTest::keyClick(history, Qt::Key_Return); // completed: stays, and says why
    EXPECT_EQ(Shown().back(), "SA 306-1 is completed: it is no longer in the call records.");
    EXPECT_TRUE(shell->isVisible());
    QTest::keyClick(history, Qt::Key_Up);
    QTest::keyClick(history, Qt::Key_Return);
    auto* records = program->Loaded<frmCallRecord>();
    ASSERT_TRUE(records && records->isVisible());
    EXPECT_FALSE(shell->isVisible());
    EXPECT_EQ(records->RecordNo(), 1);
    EXPECT_EQ(Find<QLineEdit>(records, "txtConf")->text().trimmed(), "SA 330-1");

    records->hide();
    shell->show();
    Retype("txtName", "lee");
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    Box("txtCity")->setFocus();
    Type(" East");
    Click(shell, "cmdSchedule");
    const SlipRecord& buffer = program->Variables().RecordBuffer;
    EXPECT_EQ(buffer.Trimmed(SlipField::City), "Springfield East");
    EXPECT_EQ(buffer.Trimmed(SlipField::Tel), "(217)555-0101") << "13 characters, kept whole";
    program->ShowAnew<frmShell>();
    EXPECT_EQ(Box("txtTel")->maxLength(), 12);
    EXPECT_EQ(buffer.Trimmed(SlipField::Zip), "62701");
}

} // namespace
} // namespace rotaplan
