#include "records/frmCallRecord.h"

#include "exports/CrewCalendar.h"
#include "frame/CustomerBoxes.h"
#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "scheduling/frmCallslip.h"
#include "store/CallRecords.h"
#include "store/DaySchedule.h"
#include "store/SlipFile.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rotaplan {

namespace {

constexpr const char* Placeholders[] = {"Name", "Address 1", "Address 2", "City",
                                        "ST",   "Zip",       "Telephone"};

QLineEdit* Shown(QWidget* parent, const char* objectName, const char* spoken,
                 const char* toolTip = nullptr) {
    auto* box = Named(new QLineEdit(parent), objectName, toolTip);
    box->setAccessibleName(spoken);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

frmCallRecord::frmCallRecord(Program& program) : program_(program) {
    setObjectName("frmCallRecord");
    setWindowTitle("Service Attention Record Summary");

    cmdSearch_ = Named(new QPushButton("&Start Search", this), "cmdSearch", "Starts Record Search");
    cmdContinue_ =
        Named(new QPushButton("&Next", this), "cmdContinue", "Displays Next Call Record");
    cmdCancel_ = Named(new QPushButton("&Delete", this), "cmdCancel",
                       "Deletes this Service Attention and frees up this time");
    cmdReschedule_ = Named(new QPushButton("&Re-Schedule", this), "cmdReschedule",
                           "Allows rescheduling of this attention.  Current hours are freed up");
    command3_ = Named(new QPushButton("&Menu", this), "Command3", "Returns to the Main Menu");
    connect(cmdSearch_, &QPushButton::clicked, this, [this] {
        recordNo_ = 0;
        ShowNextRecord();
    });
    connect(cmdContinue_, &QPushButton::clicked, this, &frmCallRecord::ShowNextRecord);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmCallRecord::cmdCancel_Click);
    connect(cmdReschedule_, &QPushButton::clicked, this, &frmCallRecord::cmdReschedule_Click);
    connect(command3_, &QPushButton::clicked, this, [this] {
        ResetSearch();
        program_.ShowMenu(this);
    });
    auto* logo =
        MakeLogo(this, "imgLogo", "Click on the LOGO to Reset this Form", "Reset this form", 72);
    connect(logo, &ClickLabel::clicked, this, &frmCallRecord::ResetSearch);

    auto* lblFind = Named(new QLabel("&Find a call:", this), "lblFind");
    txtFind_ =
        Named(new QLineEdit(this), "txtFind", "Type part of a name, telephone number or SA number");
    lblFind->setBuddy(txtFind_);
    auto* cmdFind = Named(new QPushButton("Find N&ext", this), "cmdFind",
                          "Shows the next Call Record holding this text");
    connect(cmdFind, &QPushButton::clicked, this, &frmCallRecord::cmdFind_Click);
    connect(txtFind_, &QLineEdit::returnPressed, this, &frmCallRecord::cmdFind_Click);

    auto* find = new QHBoxLayout;
    find->addWidget(lblFind);
    find->addWidget(txtFind_, 1);
    find->addWidget(cmdFind);
    auto* record = new QHBoxLayout;
    record->addWidget(CustomerFrame(), 3);
    record->addWidget(SlipDetails(), 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(logo);
    buttons->addStretch();
    for (QPushButton* button : {cmdSearch_, cmdContinue_, cmdCancel_, cmdReschedule_, command3_})
        buttons->addWidget(button, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(find);
    layout->addLayout(record);
    layout->addLayout(buttons);
    resize(640, 340);
}

QWidget* frmCallRecord::CustomerFrame() {
    auto* frame =
        Named(new QGroupBox("Customer", this), "fraCustomer",
              "Shows all Info about a Service Attention Record.  You cannot make changes.");
    for (std::size_t i = 0; i < CustomerBoxes.size(); ++i) {
        const char* toolTip = i == 6 ? "CustomerTelephone No (Click to Call)" : nullptr;
        customer_[i] = Shown(frame, CustomerBoxes[i].name, CustomerBoxes[i].label, toolTip);
        customer_[i]->setPlaceholderText(Placeholders[i]);
    }
    customer_[4]->setMaximumWidth(40);  // ST
    customer_[5]->setMaximumWidth(100); // Zip
    auto* place = new QHBoxLayout;
    for (int i = 3; i < 6; ++i)
        place->addWidget(customer_[i], i == 3 ? 1 : 0);
    auto* layout = new QVBoxLayout(frame);
    for (int i = 0; i < 3; ++i)
        layout->addWidget(customer_[i]);
    layout->addLayout(place);
    layout->addWidget(customer_[6]);
    layout->addStretch();
    return frame;
}

QWidget* frmCallRecord::SlipDetails() {
    auto* panel = new QWidget(this);
    txtConf_ = Shown(panel, "txtConf", "Service Attn No.");
    txtAssigned_ = Named(new QLabel(panel), "txtAssigned", "Team Assigned this attention");
    txtAssigned_->setFrameShape(QFrame::StyledPanel);
    txtDate_ = Shown(panel, "txtDate", "Date", "Shows Date assigned");
    txtDay_ = Shown(panel, "txtDay", "Weekday", "Shows weekday assigned");
    txtTime_ = Shown(panel, "txtTime", "Time", "Shows time of Day assigned");
    txtStatus_ = Shown(panel, "txtStatus", "Status", "Current Status of this Service Slip");
    auto* when = new QVBoxLayout;
    when->setSpacing(2);
    for (QLineEdit* box : {txtDate_, txtDay_, txtTime_})
        when->addWidget(box);
    auto* layout = new QFormLayout(panel);
    layout->addRow(Named(new QLabel("Service Attn No.", panel), "Label1"), txtConf_);
    layout->addRow(Named(new QLabel("Assigned to", panel), "Label3"), txtAssigned_);
    layout->addRow(Named(new QLabel("Scheduled for:", panel), "lblScheduled"), when);
    layout->addRow(Named(new QLabel("Status", panel), "lblStatus"), txtStatus_);
    return panel;
}

void frmCallRecord::Activate() {
    txtFind_->clear();
    ResetSearch();
}

void frmCallRecord::ClearRecord() {
    for (QLineEdit* box : customer_)
        box->clear();
    for (QLineEdit* box : {txtDay_, txtDate_, txtTime_, txtConf_, txtStatus_})
        box->clear();
    txtAssigned_->clear();
}

void frmCallRecord::ResetSearch() {
    ClearRecord();
    recordNo_ = 0;
    cmdCancel_->setEnabled(false);
    cmdReschedule_->setEnabled(false);
    cmdContinue_->hide();
    cmdSearch_->show();
    cmdSearch_->setFocus();
}

// Each step opens the slip file afresh and reads the one record it shows.
void frmCallRecord::ShowNextRecord() {
    auto& v = program_.Variables();
    ++recordNo_;
    bool shown = false;
    program_.Attempt(
        [&] {
            OpenSlipFile(v);
            if (recordNo_ <= v.SlipCount) {
                ReadSlip(v, recordNo_);
                shown = true;
            }
        },
        "No record is shown.");
    if (shown) {
        ShowCallRecord();
        cmdContinue_->show();
        cmdContinue_->setFocus();
        return;
    }
    CloseAllFiles(v);
    ResetSearch();
    command3_->setFocus();
}

void frmCallRecord::ShowCallRecord() {
    auto& v = program_.Variables();
    const auto& locale = program_.System().locale;
    const SlipRecord& slip = v.RecordBuffer;
    for (std::size_t i = 0; i < CustomerBoxes.size(); ++i)
        customer_[i]->setText(ToQt(slip.Get(CustomerBoxes[i].field)));
    // A team number without a name, or a start index outside the table, shows as stored.
    const auto teamNumber = NumberField(slip, SlipField::Team);
    txtAssigned_->setText(ToQt(teamNumber && *teamNumber >= 1 && *teamNumber <= v.TeamCount()
                                   ? v.Assignments[*teamNumber]
                                   : slip.Trimmed(SlipField::Team)));
    const auto index = NumberField(slip, SlipField::StartIndex);
    txtTime_->setText(ToQt(index ? StartTimeText(v, *index) : slip.Trimmed(SlipField::StartIndex)));
    txtDate_->setText(ToQt(slip.Get(SlipField::Date)));
    const auto date = locale.ParseShortDate(Trim(FromQt(txtDate_->text())));
    txtDay_->setText(date ? ToQt(locale.WeekdayName(*date)) : QString());
    txtConf_->setText(ToQt(slip.Get(SlipField::SANumber)));
    txtStatus_->setText(ToQt(slip.Trimmed(SlipField::Status)));

    // A slip whose date does not read back is never moved away as past, so it can be
    // deleted; rescheduling it would need the day its hours stand in.
    const Date today = program_.System().clock.Now().date;
    const bool open =
        date && (*date > today || (*date == today && txtStatus_->text() == "Scheduled"));
    cmdCancel_->setEnabled(open || !date);
    cmdReschedule_->setEnabled(open);
    if (open)
        cmdReschedule_->setFocus();
}

bool frmCallRecord::DeleteCallRecord(bool rescheduling) {
    auto& v = program_.Variables();
    const SlipRecord shown = v.RecordBuffer;
    std::optional<StoreError> dayError;
    const bool removed = program_.Attempt(
        [&] {
            dayError = rotaplan::DeleteCallRecord(v, program_.System().locale, recordNo_,
                                                  FromQt(txtConf_->text()));
        },
        "The Service Attention stays booked.");
    if (dayError)
        program_.Report(*dayError, "The Service Attention is deleted, but its hours still show "
                                   "as taken on that day.");
    if (removed)
        program_.CalendarsFollow(
            [&] { CallTakenOff(v, program_.System().locale, shown, rescheduling); });
    return removed;
}

void frmCallRecord::cmdCancel_Click() {
    auto& messages = program_.System().messages;
    for (const char* question : {"Delete this Attention", "Are You Sure?"})
        if (messages.Show(question, "Delete", MessageButtons::YesNoDefaultNo) == MessageAnswer::No)
            return ShowNextRecord();
    DeleteCallRecord(false);
    ResetSearch();
}

void frmCallRecord::cmdReschedule_Click() {
    auto& v = program_.Variables();
    if (program_.System().messages.Show("Reschedule this Attention", "RESCHEDULE",
                                        MessageButtons::YesNoDefaultNo) == MessageAnswer::No ||
        !DeleteCallRecord(true))
        return ResetSearch();
    v.Rescheduling = 1;
    hide();
    program_.ShowAnew<frmCallslip>();
}

void frmCallRecord::ShowRecord(std::int32_t recordNumber) {
    recordNo_ = recordNumber - 1;
    ShowNextRecord();
}

void frmCallRecord::cmdFind_Click() {
    auto& v = program_.Variables();
    std::optional<std::int32_t> found;
    program_.Attempt([&] { found = FindCallRecord(v, recordNo_, FromQt(txtFind_->text())); },
                     "No record is shown.");
    CloseAllFiles(v);
    if (!found) {
        program_.Beep();
        return;
    }
    ShowRecord(*found);
}

} // namespace rotaplan
