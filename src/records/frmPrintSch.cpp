#include "records/frmPrintSch.h"

#include "exports/CalendarFile.h"
#include "exports/CrewCalendar.h"
#include "exports/DaySheet.h"
#include "frame/ExportFile.h"
#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/PublishedCalendar.h"
#include "frame/Widgets.h"
#include "platform/qt/QtPlatform.h"
#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTextDocument>
#include <QTimeZone>
#include <QtMath>

namespace rotaplan {

namespace {

// Two line breaks and nine blanks: the words sit in the middle of an empty box.
constexpr const char* FreeHour = "\n\n         No Event Scheduled";
constexpr const char* SmallLabelNames[] = {"lbl08am", "lbl09am", "lbl10am", "lbl11am",
                                           "lbl01pm", "lbl02pm", "lbl03pm", "lbl04pm"};

QString BoxName(int index) {
    return "Text1_" + QString::number(index);
}

} // namespace

frmPrintSch::frmPrintSch(Program& program) : program_(program) {
    setObjectName("frmPrintSch");
    setWindowTitle("Daily Work Schedules");
    auto& v = program_.Variables();

    auto* lblAssignment = Named(new QLabel("Assignment(s)", this), "lblAssignment");
    lstAssignto_ = Named(new QListWidget(this), "lstAssignto");
    lstAssignto_->setMaximumHeight(60);
    lstAssignto_->setAccessibleName("Assignment(s)");
    ShowList(v.TeamList, lstAssignto_);
    connect(lstAssignto_, &QListWidget::currentRowChanged, this, &frmPrintSch::lstAssignto_Click);
    auto* label1 = Named(new QLabel("Click  on  an  Assignment and a Date", this), "Label1");
    txtTeam_ = Named(new QLabel("Team shows here", this), "txtTeam");
    QFont bold = txtTeam_->font();
    bold.setBold(true);
    txtTeam_->setFont(bold);

    calender_ = Named(new QCalendarWidget(this), "Calender", "Select the Day to View");
    calender_->setGridVisible(true);
    calender_->setAccessibleName("Day to view");
    // A date picked by mouse or keys alike: every date the operator reaches passes the rules.
    // A click on the date already selected is followed too: the boxes show that day.
    connect(calender_, &QCalendarWidget::selectionChanged, this, &frmPrintSch::Calender_Click);
    connect(calender_, &QCalendarWidget::clicked, this, &frmPrintSch::Calender_Click);

    auto* cmdView = Named(new QPushButton("Toggle &View", this), "cmdView",
                          "Switch between small and large view");
    connect(cmdView, &QPushButton::clicked, this, [this] { ShowLargeView(!frmDay_->isVisible()); });
    auto* cmdExit = Named(new QPushButton("&Menu", this), "cmdExit", "Return to the Menu");
    connect(cmdExit, &QPushButton::clicked, this, [this] { program_.ShowMenu(this); });
    auto* logo =
        MakeLogo(this, "imgLogo", "Click on the LOGO to Reset this Form", "Reset this form", 72);
    connect(logo, &ClickLabel::clicked, this, &frmPrintSch::InitForm);

    // The large view lies over the small one, which stays shown underneath.
    auto* views = new QWidget(this);
    auto* stack = new QStackedLayout(views);
    stack->setStackingMode(QStackedLayout::StackAll);
    auto* under = new QWidget(views);
    auto* underLayout = new QHBoxLayout(under);
    underLayout->setContentsMargins(0, 0, 0, 0);
    underLayout->addWidget(TimeFrame(), 0, Qt::AlignTop);
    underLayout->addStretch();
    stack->addWidget(under);
    stack->addWidget(DayFrame());
    stack->setCurrentWidget(frmDay_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(logo);
    buttons->addStretch();
    buttons->addWidget(cmdView, 0, Qt::AlignBottom);
    buttons->addWidget(cmdExit, 0, Qt::AlignBottom);
    auto* left = new QVBoxLayout;
    left->addWidget(lblAssignment);
    left->addWidget(lstAssignto_);
    left->addWidget(label1);
    left->addWidget(txtTeam_);
    left->addWidget(calender_);
    left->addWidget(ExportFrame());
    left->addStretch();
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addSpacing(8);
    layout->addWidget(views, 1);
    resize(980, 560);
}

QGroupBox* frmPrintSch::DayFrame() {
    frmDay_ = Named(new QGroupBox(this), "frmDay", "Day schedule for this assignment");
    frmDay_->setAutoFillBackground(true); // covers the small view it lies over
    auto* grid = new QGridLayout(frmDay_);
    for (int b = 0; b < SlotCount; ++b) {
        largeLabels_[b] = new QLabel(frmDay_);
        largeLabels_[b]->setObjectName("Label2_" + QString::number(b));
        large_[b] = new QPlainTextEdit(frmDay_);
        large_[b]->setObjectName(BoxName(b));
        large_[b]->setToolTip("Displays Call Info for this time");
        large_[b]->setReadOnly(true);
        large_[b]->setLineWrapMode(QPlainTextEdit::NoWrap);
        // A booking's five lines without a scroll bar, at whatever font the desktop gives.
        const QFontMetrics metrics = large_[b]->fontMetrics();
        const int margins =
            2 * (large_[b]->frameWidth() + qCeil(large_[b]->document()->documentMargin()));
        large_[b]->setMinimumSize(metrics.averageCharWidth() * 34,
                                  metrics.lineSpacing() * 5 + margins + 2);
        const int row = b % 4 * 2;
        const int column = b / 4;
        grid->addWidget(largeLabels_[b], row, column);
        grid->addWidget(large_[b], row + 1, column);
    }
    return frmDay_;
}

QGroupBox* frmPrintSch::TimeFrame() {
    auto* frame = Named(new QGroupBox("Events by Hour", this), "frmTime",
                        "Displays Confirmation Numbers for this date");
    auto* grid = new QGridLayout(frame);
    for (int b = 0; b < SlotCount; ++b) {
        smallLabels_[b] = Named(new QLabel(frame), SmallLabelNames[b]);
        small_[b] = new QLineEdit(frame);
        small_[b]->setObjectName(BoxName(b + SlotCount));
        small_[b]->setReadOnly(true);
        small_[b]->setMinimumWidth(180);
        const int row = b < 4 ? b : b + 1; // a gap for the free hour
        grid->addWidget(smallLabels_[b], row, 0);
        grid->addWidget(small_[b], row, 1);
    }
    grid->setRowMinimumHeight(4, 16);
    grid->setRowStretch(SlotCount + 1, 1);
    return frame;
}

QGroupBox* frmPrintSch::ExportFrame() {
    auto* frame = Named(new QGroupBox("Take the Day Along", this), "fraExport");
    auto* grid = new QGridLayout(frame);
    auto button = [&](const char* caption, const char* name, const char* tip, int row, int column,
                      auto action) {
        auto* b = Named(new QPushButton(caption, frame), name, tip);
        connect(b, &QPushButton::clicked, this, action);
        grid->addWidget(b, row, column);
    };
    button("&Print", "cmdPrint", "Print this day's sheet", 0, 0, [this] { PrintSheet(false); });
    button("Print &Week", "cmdPrintWeek", "Print a sheet for each working day of the week", 0, 1,
           [this] { PrintSheet(true); });
    button("Save as P&DF", "cmdPdf", "Save this day's sheet as a PDF file", 1, 0,
           [this] { SaveSheetPdf(false); });
    button("Save Week as PD&F", "cmdPdfWeek", "Save the week's sheets as a PDF file", 1, 1,
           [this] { SaveSheetPdf(true); });
    cboCalendarSpan_ = Named(new QComboBox(frame), "cboCalendarSpan", "Which bookings to export");
    cboCalendarSpan_->setAccessibleName("Bookings to export to the calendar");
    cboCalendarSpan_->addItems({"This Day", "This Week", "All Future Bookings"});
    grid->addWidget(cboCalendarSpan_, 2, 0);
    button("Export to &Calendar", "cmdCalendar", "Write the bookings as a phone calendar file", 2,
           1, [this] { ExportCalendar(); });
    txtPublish_ = Named(new QLineEdit(frame), "txtPublish",
                        "A folder, synced to the crew's phones, where each team's calendar is "
                        "kept current after every change; empty for none");
    txtPublish_->setAccessibleName("Published calendar folder");
    txtPublish_->setPlaceholderText("No calendar published");
    connect(txtPublish_, &QLineEdit::editingFinished, this, &frmPrintSch::txtPublish_Done);
    auto* lblPublish = Named(new QLabel("Pu&blish to:", frame), "lblPublish");
    lblPublish->setBuddy(txtPublish_);
    grid->addWidget(lblPublish, 3, 0);
    grid->addWidget(txtPublish_, 3, 1);
    return frame;
}

void frmPrintSch::Activate() {
    InitForm();
    txtPublish_->setText(ToQt(PublishedFolder(program_.Variables()).string()));
    const auto labels = ViewLabels(program_.Variables().StartHour);
    for (int b = 0; b < SlotCount; ++b) {
        largeLabels_[b]->setText(ToQt(labels[b]));
        smallLabels_[b]->setText(ToQt(labels[b]));
        large_[b]->setAccessibleName(ToQt(labels[b]));
        small_[b]->setAccessibleName(ToQt(labels[b]));
    }
}

void frmPrintSch::InitForm() {
    auto& v = program_.Variables();
    SetDate(ToWorkingDay(v.WorkWeek, FirstBookableDate(program_.System().clock.Now())));
    {
        const QSignalBlocker quiet(lstAssignto_);
        lstAssignto_->setCurrentRow(0);
    }
    if (QListWidgetItem* team = lstAssignto_->currentItem())
        txtTeam_->setText(team->text());
    ShowLargeView(false);
    ShowDay(1);
}

// The small view stays shown under the large one, but Tab reaches only what is seen.
void frmPrintSch::ShowLargeView(bool large) {
    frmDay_->setVisible(large);
    for (QLineEdit* box : small_)
        box->setFocusPolicy(large ? Qt::NoFocus : Qt::StrongFocus);
}

void frmPrintSch::lstAssignto_Click(int row) {
    // The list is refilled while the form is hidden when the teams change.
    if (row < 0 || !isVisible())
        return;
    txtTeam_->setText(lstAssignto_->item(row)->text());
    ShowDay(row + 1);
}

// A click that changes the date comes twice, as a selection change and as a click.
void frmPrintSch::Calender_Click() {
    if (SelectedDate() != shownDate_)
        SelectDate(true);
}

// Today's year folder is made at start-up; should it have gone since, today is shown all
// the same rather than asked about again.
void frmPrintSch::SelectDate(bool checkYear) {
    auto& v = program_.Variables();
    const Date today = program_.System().clock.Now().date;
    const Date date = ToWorkingDay(v.WorkWeek, SelectedDate());
    SetDate(date);
    if (date < today) {
        SetDate(today);
        program_.Beep();
        return ShowDay(lstAssignto_->currentRow() + 1); // the boxes follow the calendar
    }
    bool yearFound = true;
    if (checkYear)
        program_.Attempt(
            [&] { yearFound = disk::FolderExists(ProgramPath(v, YearFolderName(date.year))); },
            "The day is shown as far as it can be read.");
    if (!yearFound) {
        program_.System().messages.Show(
            Lines({"You have selected a date in which", "No Events are Scheduled"}), "Invalid Year",
            MessageButtons::Ok);
        SetDate(today);
        return SelectDate(false);
    }
    ShowDay(lstAssignto_->currentRow() + 1);
}

void frmPrintSch::ShowDay(int team) {
    shownDate_ = SelectedDate();
    frmDay_->setTitle(ToQt(program_.System().locale.ShortDate(shownDate_)));
    ClearSlots();
    if (team < 1 || team > lstAssignto_->count())
        return;
    LoadDaySlots(team);
    FillDayDetails(team);
}

void frmPrintSch::ClearSlots() {
    for (int b = 0; b < SlotCount; ++b) {
        large_[b]->clear();
        small_[b]->clear();
    }
}

void frmPrintSch::LoadDaySlots(int team) {
    std::array<std::string, SlotCount> hours;
    if (program_.Attempt(
            [&] { hours = rotaplan::LoadDaySlots(program_.Variables(), team, SelectedDate()); },
            "The hours of that day are not shown."))
        for (int b = 0; b < SlotCount; ++b)
            small_[b]->setText(ToQt(hours[b]));
}

void frmPrintSch::FillDayDetails(int team) {
    auto& v = program_.Variables();
    const std::string date = program_.System().locale.ShortDate(SelectedDate());
    std::array<std::optional<std::string>, SlotCount> details;
    // One pass over the slip file; the cursor says the form is busy while it runs.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool read =
        program_.Attempt([&] { details = rotaplan::FillDayDetails(v, date, std::to_string(team)); },
                         "The customers of that day are not shown.");
    QApplication::restoreOverrideCursor();
    if (!read)
        return;
    for (int b = 0; b < SlotCount; ++b) {
        // Qt's line break is LF alone.
        if (details[b])
            SetDetail(b, ToQt(*details[b]).replace("\r\n", "\n"), true);
        else
            SetDetail(b, FreeHour, false);
    }
}

void frmPrintSch::SetDetail(int box, const QString& text, bool booked) {
    QPalette colours = large_[box]->palette();
    colours.setColor(QPalette::Text, QApplication::palette().color(booked ? QPalette::ButtonText
                                                                          : QPalette::Highlight));
    large_[box]->setPalette(colours);
    large_[box]->setPlainText(text);
}

void frmPrintSch::SetDate(const Date& date) {
    const QSignalBlocker quiet(calender_);
    calender_->setSelectedDate(ToQDate(date));
}

Date frmPrintSch::SelectedDate() const {
    const QDate d = calender_->selectedDate();
    return Date{d.year(), d.month(), d.day()};
}

std::string frmPrintSch::SheetName(bool week) const {
    return TeamName() + (week ? " week of " : " ") + IsoDate(SelectedDate());
}

std::string frmPrintSch::TeamName() const {
    const QListWidgetItem* team = lstAssignto_->currentItem();
    return team ? FromQt(team->text()) : std::string();
}

bool frmPrintSch::ReadSheets(bool week, std::vector<DaySheet>& sheets) {
    auto& v = program_.Variables();
    const int team = lstAssignto_->currentRow() + 1;
    return team >= 1 && program_.Attempt(
                            [&] {
                                sheets = DaySheets(v, program_.System().locale, team,
                                                   SheetDays(v.WorkWeek, SelectedDate(), week));
                            },
                            "No sheet was made.");
}

void frmPrintSch::PrintSheet(bool week) {
    std::vector<DaySheet> sheets;
    if (ReadSheets(week, sheets))
        program_.System().print.Print(
            SheetName(week), LocalPaper(QLocale::system()),
            [&sheets](QPagedPaintDevice& device) { PaintDaySheets(device, sheets); });
}

void frmPrintSch::SaveSheetPdf(bool week) {
    const auto file = AskExportFile(
        program_, week ? "Save the Week's Sheets as PDF" : "Save the Day Sheet as PDF",
        SafeFileName(SheetName(week) + ".pdf"), "PDF files (*.pdf)");
    std::vector<DaySheet> sheets;
    if (file && ReadSheets(week, sheets)) {
        const QByteArray pdf = DaySheetPdf(sheets, LocalPaper(QLocale::system()));
        program_.Attempt([&] { disk::WriteFileAtomic(*file, pdf.toStdString()); },
                         "The sheet was not saved.");
    }
}

void frmPrintSch::ExportCalendar() {
    const int span = cboCalendarSpan_->currentIndex();
    const int team = lstAssignto_->currentRow() + 1;
    const Date from = SelectedDate();
    const std::optional<Date> to =
        span == 2 ? std::nullopt : std::optional(from.AddDays(span == 1 ? 6 : 0));
    auto& v = program_.Variables();
    const auto& locale = program_.System().locale;
    std::vector<CalendarEvent> events;
    if (team < 1 || !program_.Attempt([&] { events = CalendarEvents(v, locale, team, from, to); },
                                      "The calendar file was not written."))
        return;
    if (events.empty()) {
        const char* ends[] = {"", " to ", " or later"};
        program_.Ask("No bookings on " + locale.ShortDate(from) + ends[span] +
                     (span == 1 ? locale.ShortDate(*to) : "") + ".");
        return;
    }
    const char* spans[] = {" ", " week of ", " from "};
    const std::string name = TeamName() + spans[span] + IsoDate(from) + ".ics";
    const auto file =
        AskExportFile(program_, "Export to Calendar", SafeFileName(name), "Calendar files (*.ics)");
    if (file)
        program_.Attempt(
            [&] {
                disk::WriteFileAtomic(
                    *file,
                    CalendarFile(v, team, events, QTimeZone::systemTimeZoneId().toStdString()));
            },
            "The calendar file was not written.");
}

void frmPrintSch::txtPublish_Done() {
    const std::filesystem::path folder = FromQt(txtPublish_->text().trimmed());
    if (folder == PublishedFolder(program_.Variables()))
        return;
    SetPublishedFolder(program_.Variables(), folder);
    program_.CalendarsFollow();
}

} // namespace rotaplan
