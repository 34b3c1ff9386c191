#include "scheduling/frmShell.h"

#include "frame/CustomerBoxes.h"
#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "scheduling/CustomerRecall.h"
#include "scheduling/frmCallslip.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace rotaplan {

namespace {

constexpr int TelephoneLength = 12;

} // namespace

frmShell::frmShell(Program& program) : program_(program) {
    setObjectName("frmShell");
    setWindowTitle("Customer Entry    ");

    auto* frame = Named(new QGroupBox("Account Information", this), "fraAccount",
                        "Used to Display/Modify or Enter Customer Data");
    auto* form = new QFormLayout(frame);
    for (std::size_t i = 0; i < CustomerBoxes.size(); ++i) {
        const CustomerBox& box = CustomerBoxes[i];
        boxes_[i] = Named(new QLineEdit(frame), box.name, box.toolTip);
        if (box.maxLength > 0)
            boxes_[i]->setMaxLength(box.maxLength);
        boxes_[i]->setMinimumWidth(280);
        boxes_[i]->setAccessibleName(box.label);
        form->addRow(box.label, boxes_[i]);
    }
    boxes_[6]->installEventFilter(this);
    recall_ = new CustomerRecall(program_, boxes_, this);

    auto* cmdSchedule =
        Named(new QPushButton("&Schedule", this), "cmdSchedule", "Starts the Scheduling Process");
    auto* cmdExit = Named(new QPushButton("&Menu", this), "cmdExit", "Return  to Main Menu");
    cmdSchedule->setDefault(true);
    connect(cmdSchedule, &QPushButton::clicked, this, &frmShell::cmdSchedule_Click);
    connect(cmdExit, &QPushButton::clicked, this, [this] { program_.ShowMenu(this); });
    // Escape leaves as "&Menu" does; an open drop-down takes it first and only closes.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, cmdExit,
            &QPushButton::click);
    // Enter in any box schedules, as the default button of the form, unless it picks a
    // customer from the drop-down.
    for (QLineEdit* box : boxes_)
        connect(box, &QLineEdit::returnPressed, this, [this] {
            if (!recall_->Offering())
                cmdSchedule_Click();
        });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        Named(new QLabel("Enter Customer Data and Click Schedule", this), "lblInstruction"), 1);
    buttons->addWidget(cmdSchedule);
    buttons->addWidget(cmdExit);
    auto* customer = new QHBoxLayout;
    customer->addWidget(frame);
    customer->addWidget(recall_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(customer);
    layout->addLayout(buttons);
}

void frmShell::Activate() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i]->clear();
        if (CustomerBoxes[i].maxLength > 0) // a picked customer may have widened it
            boxes_[i]->setMaxLength(CustomerBoxes[i].maxLength);
    }
    recall_->Clear();
    boxes_[0]->setFocus();
}

bool frmShell::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && boxes_[6]->text().size() >= TelephoneLength)
        program_.Beep();
    return QWidget::eventFilter(watched, event);
}

void frmShell::cmdSchedule_Click() {
    auto& v = program_.Variables();
    for (std::size_t i = 0; i < CustomerBoxes.size(); ++i)
        if (!Storable(program_, boxes_[i]->text(), CustomerBoxes[i].label, StoredAs::RecordField))
            return boxes_[i]->setFocus();
    if (v.TeamCount() == 0) {
        program_.Ask(Lines({"There is no team to book this call for.",
                            "Add a team on the Setup form (File, Create/Modify) first."}));
        return;
    }
    for (std::size_t i = 0; i < CustomerBoxes.size(); ++i)
        v.RecordBuffer.Set(CustomerBoxes[i].field, FromQt(boxes_[i]->text()));
    hide();
    program_.ShowAnew<frmCallslip>();
}

} // namespace rotaplan
