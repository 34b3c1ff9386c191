#include "scheduling/frmCallslip.h"

#include "frame/CustomerBoxes.h"
#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "platform/qt/QtPlatform.h"
#include "scheduling/frmConfirm.h"
#include "scheduling/frmShell.h"
#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/DaySchedule.h"

#include <QBoxLayout>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace rotaplan {

namespace {

constexpr int MaxHours = 8;
constexpr const char* Mark = " \u00ab"; // «, in the Windows-1252 row as 171
// Shown in every slot of a day whose file cannot be read: no slot of it can be booked.
constexpr const char* Unavailable = "Day file cannot be read";

} // namespace

frmCallslip::frmCallslip(Program& program) : program_(program) {
    setObjectName("frmCallslip");
    setWindowTitle("Schedule Service Attention");
    auto& v = program_.Variables();

    auto* lblAssignto = Named(new QLabel("Assignment", this), "lblAssignto",
                              "Select Crew, truck , employee or Zone");
    lstAssignto_ = Named(new QListWidget(this), "lstAssignto", "Select team Assignment here");
    lstAssignto_->setMaximumHeight(60);
    ShowList(v.TeamList, lstAssignto_);
    // A team reached by keys reloads the day as a click does; a click on the team already
    // chosen drops the marks.
    connect(lstAssignto_, &QListWidget::currentRowChanged, this,
            &frmCallslip::Calender_AfterUpdate);
    connect(lstAssignto_, &QListWidget::itemClicked, this, &frmCallslip::Calender_AfterUpdate);

    calender_ =
        Named(new QCalendarWidget(this), "Calender", "Select the Day to Schedule this Request");
    calender_->setGridVisible(true);
    // A date picked by mouse or keys alike: every date the operator reaches passes the rules.
    connect(calender_, &QCalendarWidget::selectionChanged, this,
            &frmCallslip::Calender_AfterUpdate);

    auto* lblService = Named(new QLabel("Problem Reported by Customer", this), "lblService");
    // Unlimited, so a long entry of the list is not taken for a new one; the record keeps
    // what its field holds.
    cboService_ = TypedCombo(this, "cboService", "Select from list or enter Manually");
    ShowList(v.ProblemList, cboService_);
    cboService_->installEventFilter(this);

    cmdConfirm_ =
        Named(new QPushButton("&Schedule", this), "cmdConfirm", "Schedule this Service Attention");
    cmdConfirm_->setDefault(true);
    auto* cmdRedo = Named(new QPushButton("&Menu\\Cancel", this), "cmdRedo", "Return to Menu");
    connect(cmdConfirm_, &QPushButton::clicked, this, &frmCallslip::cmdConfirm_Click);
    connect(cmdRedo, &QPushButton::clicked, this, &frmCallslip::cmdRedo_Click);
    // Escape is the operator's cancel, question included.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, cmdRedo,
            &QPushButton::click);
    auto* logo =
        MakeLogo(this, "imgLogo", "Click on the LOGO to Reset this Form", "Reset this form", 72);
    connect(logo, &ClickLabel::clicked, this, &frmCallslip::Activate);

    auto* left = new QVBoxLayout;
    left->addWidget(CustomerFrame());
    left->addWidget(lblAssignto);
    left->addWidget(lstAssignto_);
    left->addWidget(calender_);
    auto* right = new QVBoxLayout;
    right->addWidget(HoursFrame());
    right->addWidget(SlotFrame());
    right->addWidget(lblService);
    right->addWidget(cboService_);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(logo);
    buttons->addStretch();
    buttons->addWidget(cmdConfirm_);
    buttons->addWidget(cmdRedo);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addSpacing(8);
    layout->addLayout(right, 1);

    lstAssignto_->setAccessibleName("Assignment");
    calender_->setAccessibleName("Day to schedule");
    cboService_->setAccessibleName("Problem Reported by Customer");

    // The operator's path through the form: team, day, hours, the slots, problem.
    std::vector<QWidget*> order = {lstAssignto_, calender_, txtTimeReq_};
    order.insert(order.end(), slots_.begin(), slots_.end());
    order.insert(order.end(), {cboService_, cmdConfirm_, cmdRedo, logo});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QWidget* frmCallslip::CustomerFrame() {
    auto* frame = Named(new QGroupBox("Create Service Attention for:", this), "fraCustomer",
                        "Contains Customer Info");
    auto* form = new QVBoxLayout(frame);
    form->setSpacing(2);
    for (std::size_t i = 0; i < CustomerBoxes.size(); ++i) {
        customer_[i] = Named(new QLineEdit(frame), CustomerBoxes[i].name);
        customer_[i]->setReadOnly(true);
        customer_[i]->setFocusPolicy(Qt::NoFocus);
        customer_[i]->setAccessibleName(CustomerBoxes[i].label);
        form->addWidget(customer_[i]);
    }
    return frame;
}

QWidget* frmCallslip::HoursFrame() {
    auto* frame = Named(new QGroupBox("Hours to Assign", this), "frmHoursReq",
                        "Estimate the Hours required to complete this Service Attention");
    txtTimeReq_ =
        Named(new QLineEdit("1", frame), "txtTimeReq", "Enter Hours required for this Attention");
    txtTimeReq_->setAlignment(Qt::AlignCenter);
    txtTimeReq_->setMaxLength(2);
    txtTimeReq_->setFixedWidth(48);
    txtTimeReq_->setAccessibleName("Hours to Assign");
    txtTimeReq_->installEventFilter(this);
    // A typed change of the hours drops the marks, as the arrows do; what cannot be read as
    // 1 to 8 is put right when the box is left.
    connect(txtTimeReq_, &QLineEdit::textEdited, this, &frmCallslip::ResetSlots);
    connect(txtTimeReq_, &QLineEdit::editingFinished, this, &frmCallslip::Hours);

    auto* upDown = Named(new QWidget(frame), "UpDnTime", "Up/Down Count (upto 8 hours)");
    auto* arrows = new QVBoxLayout(upDown);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (auto [name, spoken, arrow, step] :
         {std::tuple{"UpDnTime_Up", "One hour more", Qt::UpArrow, 1},
          std::tuple{"UpDnTime_Down", "One hour less", Qt::DownArrow, -1}}) {
        auto* button = Named(new QToolButton(upDown), name);
        button->setAccessibleName(spoken);
        button->setArrowType(arrow);
        button->setFixedSize(20, 12);
        button->setFocusPolicy(Qt::NoFocus);
        arrows->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, step] { StepHours(step); });
    }
    auto* row = new QHBoxLayout(frame);
    row->addWidget(txtTimeReq_);
    row->addWidget(upDown);
    row->addStretch();
    return frame;
}

QWidget* frmCallslip::SlotFrame() {
    auto* frame = Named(new QGroupBox("Available or Confirmed", this), "frmTime",
                        "Select time to Schedule Attention");
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(3);
    for (int k = 0; k < SlotCount; ++k) {
        const QString index = QString::number(k);
        labels_[k] = new QLabel(frame);
        labels_[k]->setObjectName("lblTime_" + index);
        labels_[k]->setMinimumWidth(64);
        slots_[k] = new QLineEdit(frame);
        slots_[k]->setObjectName("Text1_" + index);
        slots_[k]->setReadOnly(true);
        slots_[k]->setCursor(Qt::PointingHandCursor);
        slots_[k]->setMinimumWidth(200);
        slots_[k]->installEventFilter(this);
        grid->addWidget(labels_[k], k, 0);
        grid->addWidget(slots_[k], k, 1);
    }
    return frame;
}

bool frmCallslip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && SlotKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == txtTimeReq_)
            txtTimeReq_Click();
        for (int k = 0; k < SlotCount; ++k)
            if (watched == slots_[k]) {
                Text1_Click(k);
                return true;
            }
    }
    // Only the operator moving on within the form leaves the box; its own list popping up,
    // or the window being minimized or left, does not.
    if (watched == cboService_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            cboService_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

// The keys of the hours box and the slots: Up and Down step the hours or move between the
// slots; Space or Enter on a slot is its click.
bool frmCallslip::SlotKey(QObject* watched, QKeyEvent* event) {
    const int key = event->key();
    const int step = key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0;
    if (watched == txtTimeReq_ && step != 0) {
        StepHours(step);
        return true;
    }
    const auto slot = std::find(slots_.begin(), slots_.end(), watched);
    if (slot == slots_.end())
        return false;
    const auto index = static_cast<int>(slot - slots_.begin());
    if (step != 0) {
        slots_[static_cast<std::size_t>(std::clamp(index - step, 0, SlotCount - 1))]->setFocus(
            Qt::TabFocusReason);
        return true;
    }
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    Text1_Click(index);
    return true;
}

void frmCallslip::StepHours(int step) {
    const int hours = std::max(Hours(), 1) + step;
    if (hours >= 1 && hours <= MaxHours)
        SetHours(hours);
    ResetSlots();
}

void frmCallslip::Activate() {
    auto& v = program_.Variables();
    const auto labels = SlotLabels(v.StartHour);
    for (int k = 0; k < SlotCount; ++k)
        labels_[k]->setText(ToQt(labels[k] + " "));
    const DateTime now = program_.System().clock.Now();
    if (std::to_string(now.date.DayOfYear()) != v.DayKey)
        program_.Attempt([&] { LoadCounter(v, now.date); },
                         "The SA numbers go on from the last one issued.");
    {
        const QSignalBlocker quiet(calender_);
        calender_->setSelectedDate(ToQDate(ToWorkingDay(v.WorkWeek, FirstBookableDate(now))));
    }
    ResetChoices();
    LoadCallSlip();
    Calender_AfterUpdate();
    // The form starts over at its first choice, never on a button that cancels or books.
    lstAssignto_->setFocus();
}

void frmCallslip::LoadCallSlip() {
    const SlipRecord& record = program_.Variables().RecordBuffer;
    for (std::size_t i = 0; i < CustomerBoxes.size(); ++i)
        customer_[i]->setText(ToQt(record.Trimmed(CustomerBoxes[i].field)));
}

void frmCallslip::ResetChoices() {
    auto& v = program_.Variables();
    cmdConfirm_->hide();
    if (v.Rescheduling == 1) {
        ShowProblem(ToQt(v.RecordBuffer.Trimmed(SlipField::Problem)));
        txtTimeReq_->setText(ToQt(v.RecordBuffer.Trimmed(SlipField::Hours)));
        const int team = std::atoi(v.RecordBuffer.Trimmed(SlipField::Team).c_str());
        SelectTeam(team >= 1 && team <= lstAssignto_->count() ? team - 1 : 0);
        return;
    }
    const auto& problems = v.ProblemList.Items();
    ShowProblem(problems.empty() ? QString() : ToQt(problems.front()));
    SetHours(1);
    SelectTeam(0);
}

// An entry of the list is shown as the current one, so that Up and Down step on from it.
void frmCallslip::ShowProblem(const QString& text) {
    const int at = cboService_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    cboService_->setCurrentIndex(at);
    cboService_->setEditText(text);
}

// The reset loads the day once, at its end.
void frmCallslip::SelectTeam(int row) {
    const QSignalBlocker quiet(lstAssignto_);
    lstAssignto_->setCurrentRow(row);
}

void frmCallslip::Calender_AfterUpdate() {
    auto& v = program_.Variables();
    const Date today = program_.System().clock.Now().date;
    Date date = ToWorkingDay(v.WorkWeek, SelectedDate());
    if (date < today)
        date = today;
    {
        const QSignalBlocker quiet(calender_);
        calender_->setSelectedDate(ToQDate(date));
    }
    if (std::to_string(date.year) > v.CurrentYear)
        program_.Attempt([&] { MakeYearFolders(v, std::to_string(date.year)); },
                         "That year's day files cannot be made.");
    v.TeamRoot = TeamRootFor(date.year);
    cmdConfirm_->hide();
    ClearSlots();
    LoadScheduledDay();
}

void frmCallslip::LoadScheduledDay() {
    auto& v = program_.Variables();
    const int team = lstAssignto_->currentRow() + 1;
    const bool loaded =
        team >= 1 && program_.Attempt([&] { LoadDay(v, team, SelectedDate()); },
                                      "No hour of that day can be booked until it is mended.");
    for (int k = 0; k < SlotCount; ++k)
        SetSlot(k, loaded ? v.DaySlots[k + 2] : Unavailable, false);
}

void frmCallslip::SetSlot(int index, const std::string& text, bool marked) {
    slots_[index]->setText(ToQt(text));
    marked_[index] = marked;
    const QString time = labels_[index]->text().left(5);
    labels_[index]->setText(time + (marked ? Mark : " "));
    slots_[index]->setAccessibleName(time + ", " + ToQt(text));
    slots_[index]->setAccessibleDescription(marked ? "Marked for this booking" : QString());
    slots_[index]->setStyleSheet(marked                     ? "font-weight: bold;"
                                 : text == NoEventScheduled ? ""
                                                            : "color: palette(dark);");
}

void frmCallslip::ClearSlots() {
    for (int k = 0; k < SlotCount; ++k)
        SetSlot(k, NoEventScheduled, false);
}

void frmCallslip::ResetSlots() {
    for (int k = 0; k < SlotCount; ++k)
        if (marked_[k])
            SetSlot(k, NoEventScheduled, false);
    cmdConfirm_->hide();
}

void frmCallslip::SetHours(int hours) {
    txtTimeReq_->setText(QString::number(hours));
}

int frmCallslip::Hours() {
    bool number = false;
    const int hours = txtTimeReq_->text().trimmed().toInt(&number);
    if (number && hours >= 1 && hours <= MaxHours)
        return hours;
    program_.Beep();
    SetHours(1);
    ResetSlots();
    return 0;
}

void frmCallslip::txtTimeReq_Click() {
    ResetSlots();
    bool number = false;
    const int hours = txtTimeReq_->text().trimmed().toInt(&number);
    SetHours(number && hours > 0 && hours < MaxHours ? hours + 1 : 1);
}

void frmCallslip::Text1_Click(int index) {
    auto& v = program_.Variables();
    const int hours = Hours();
    auto refuse = [this] {
        program_.Beep();
        calender_->setFocus();
    };
    if (hours == 0)
        return;
    if (slots_[index]->text() != NoEventScheduled || index + hours > SlotCount)
        return refuse();
    for (int k = index + 1; k < index + hours; ++k)
        if (slots_[k]->text() != NoEventScheduled)
            return refuse();
    v.RecordBuffer.Set(SlipField::StartIndex,
                       std::to_string(StartIndexForSlot(v.StartHour, index)));
    for (int k = index; k < index + hours; ++k)
        SetSlot(k, "SA " + v.CurrentSA, true);
    cmdConfirm_->show();
    cmdConfirm_->setFocus();
}

void frmCallslip::cboService_LostFocus() {
    auto& v = program_.Variables();
    const QString text = cboService_->currentText();
    auto problems = v.ProblemList.Items();
    if (asking_ || text.isEmpty() ||
        std::find(problems.begin(), problems.end(), FromQt(text)) != problems.end())
        return;
    asking_ = true;
    const auto answer = program_.System().messages.Show(
        Lines({"Would you like to add this", "Description to your Dropdown list?"}),
        "New Problem Code", MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes &&
        Storable(program_, text, "A problem description", StoredAs::QuotedLine)) {
        problems.push_back(FromQt(text));
        program_.Attempt(
            [&] {
                SaveTextList(v, ProblemCodeFile, problems);
                LoadProblems(v);
            },
            "The description stays on this call only.");
        ShowProblem(text);
    }
    asking_ = false;
}

Date frmCallslip::SelectedDate() const {
    return FromQDate(calender_->selectedDate());
}

std::array<std::string, SlotCount> frmCallslip::SlotTexts() const {
    std::array<std::string, SlotCount> texts;
    for (int k = 0; k < SlotCount; ++k)
        texts[k] = FromQt(slots_[k]->text());
    return texts;
}

void frmCallslip::cmdConfirm_Click() {
    auto& v = program_.Variables();
    if (Hours() == 0 || std::find(marked_.begin(), marked_.end(), true) == marked_.end())
        return;
    const QString problem = cboService_->currentText();
    if (!Storable(program_, problem, "The problem description", StoredAs::RecordField))
        return;
    const auto& locale = program_.System().locale;
    SlipRecord& record = v.RecordBuffer;
    record.Set(SlipField::Kind, "Service");
    record.Set(SlipField::Date, locale.ShortDate(SelectedDate()));
    record.Set(SlipField::Hours, FromQt(txtTimeReq_->text().trimmed()));
    record.Set(SlipField::HoursWord, "Hours");
    record.Set(SlipField::Team, std::to_string(lstAssignto_->currentRow() + 1));
    record.Set(SlipField::Problem, FromQt(problem));
    record.Set(SlipField::Amount, locale.CurrencyZero());
    record.Set(SlipField::Spare2, "");
    record.Set(SlipField::Status, "Scheduled");
    record.Set(SlipField::Spare1, "");
    const bool rescheduling = v.Rescheduling == 1;
    v.Rescheduling = 0;
    // Closed by its close box, the confirmation ended the program: nothing may follow.
    if (!program_.Load<frmConfirm>().Open(rescheduling) && !program_.Ended())
        Activate(); // back from a cancelled confirmation: the form starts over
}

void frmCallslip::cmdRedo_Click() {
    auto& v = program_.Variables();
    if (v.Rescheduling == 1 &&
        program_.System().messages.Show(
            Lines({"Cancelling while Rescheduling will", "Delete this Service Attention",
                   "Do you want to Continue to Cancel?"}),
            "Re-scheduling in Progress", MessageButtons::YesNoDefaultNo) == MessageAnswer::No)
        return;
    v.Rescheduling = 0;
    hide();
    program_.ShowAnew<frmShell>();
}

} // namespace rotaplan
