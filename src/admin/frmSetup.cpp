#include "admin/frmSetup.h"

#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "store/CommonDiskRoutines.h"
#include "store/CrewdeskSetup.h"
#include "store/DaySchedule.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

namespace rotaplan {

namespace {

enum Tab { HelpPage, AssignmentsPage, ProblemsPage, OperationsPage };

QLabel* WrappedLabel(const char* text, const char* objectName, QWidget* parent) {
    auto* label = Named(new QLabel(text, parent), objectName);
    label->setWordWrap(true);
    return label;
}

// No length limit: a long entry, as a restore or a hand-edited file brings, must stay whole
// when picked, or Delete and Change would miss it.
QComboBox* ListCombo(const char* objectName, const char* toolTip, QWidget* parent) {
    auto* combo = TypedCombo(parent, objectName, toolTip);
    combo->setMinimumWidth(260);
    return combo;
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

} // namespace

frmSetup::frmSetup(Program& program) : program_(program) {
    setObjectName("frmSetup");
    setWindowTitle("Rotaplan Setup Form");

    tabSetup_ = Named(new QTabWidget(this), "tabSetup");
    tabSetup_->addTab(HelpTab(), "Help");
    tabSetup_->addTab(AssignmentsTab(), "Assignments");
    tabSetup_->addTab(ProblemsTab(), "Problem Descriptions");
    tabSetup_->addTab(OperationsTab(), "Operations");
    connect(tabSetup_, &QTabWidget::currentChanged, this, &frmSetup::tabSetup_Change);

    auto* image1 =
        MakeLogo(this, "Image1", "Continues Entry of Needed Data or Returns to Main Mrnu",
                 "Save the changes of this page");
    connect(image1, &ClickLabel::clicked, this, &frmSetup::Image1_Click);
    auto* note = WrappedLabel("Click on Our LOGO to SAVE Changes made to each Folder NOTE:    Our "
                              "LOGO always has a purpose",
                              "Label5", this);
    auto* cmdQuit = Named(new QPushButton("&Menu", this), "cmdQuit", "Returns to Main Menu");
    connect(cmdQuit, &QPushButton::clicked, this, &frmSetup::cmdQuit_Click);

    lblWelcome_ = WrappedLabel(
        "<b>Welcome to Rotaplan.</b> First add your teams, up to two, on the Assignments tab, "
        "and the problems your customers call about on the Problem Descriptions tab; each Add "
        "is saved at once. Then click Menu and book your first call.",
        "lblWelcome", this);
    lblWelcome_->setStyleSheet("QLabel { background: palette(alternate-base); border: 1px solid "
                               "palette(mid); border-radius: 4px; padding: 8px; }");

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(image1);
    bottom->addWidget(note, 1);
    bottom->addWidget(cmdQuit, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWelcome_);
    layout->addWidget(tabSetup_, 1);
    layout->addLayout(bottom);
    resize(sizeHint().expandedTo(QSize(600, 420)));

    auto& v = program_.Variables();
    ShowList(v.TeamList, cboAssignments_);
    ShowList(v.ProblemList, cboProblems_);
}

QWidget* frmSetup::HelpTab() {
    auto* page = new QWidget;
    auto* txtProblems = Named(new QPlainTextEdit(page), "txtProblems");
    txtProblems->setPlainText("Problem Descriptions are Reasons why your Customers call for "
                              "Service.\nCreate your list in the most likely to least likey "
                              "order.\nKeep the description length to 20 or less characters.");
    txtProblems->setReadOnly(true);
    txtProblems->setAccessibleName("Problem Descriptions");
    // Its three lines, one wrapped, without a scroll bar at the desktop's font.
    txtProblems->setMinimumHeight(txtProblems->fontMetrics().lineSpacing() * 4 +
                                  2 * txtProblems->frameWidth() + 8);
    auto* grid = new QGridLayout(page);
    grid->addWidget(WrappedLabel("Select each Folder to view existing Settings or to Create or "
                                 "Change Settings. If any Setting is changed, Click on Our Logo "
                                 "below, while that Folder is Selected to Store the Changes.",
                                 "Label6", page),
                    0, 0, 1, 2);
    const char* headings[] = {"Assignments", "Problem Descriptions", "Operations"};
    for (int row = 0; row < 3; ++row) {
        auto* heading = Named(new QLabel(headings[row], page), "Label7");
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, row + 1, 0, Qt::AlignTop);
    }
    grid->addWidget(WrappedLabel("You can Create 2 Work Assignments    An Assignment can be an "
                                 "Individual, A Team, A Truck Route, a Territory, etc.",
                                 "Label1", page),
                    1, 1);
    grid->addWidget(txtProblems, 2, 1);
    grid->addWidget(WrappedLabel("Select options for the Days of the Week that your Business "
                                 "Operates, and your typical Starting Time.",
                                 "Label1", page),
                    3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1); // the room left goes to the text box, which may wrap
    return page;
}

// The two list tabs share their shape: the list on the left, its buttons on the right.
static QWidget* ListPage(QComboBox* combo, std::initializer_list<QPushButton*> buttons) {
    auto* page = new QWidget;
    combo->setParent(page);
    auto* left = new QVBoxLayout;
    left->addWidget(Named(new QLabel("Click here to Select", page), "Label5"));
    left->addWidget(combo);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Named(new QLabel("Add or Delete here", page), "Label5"));
    for (QPushButton* button : buttons) {
        button->setParent(page);
        right->addWidget(button);
    }
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addSpacing(20);
    layout->addLayout(right);
    return page;
}

QWidget* frmSetup::AssignmentsTab() {
    cboAssignments_ = ListCombo("cboAssignments", "Displays Current Assignment Names", this);
    cboAssignments_->setAccessibleName("Assignment name");
    cmdSave_ = Named(new QPushButton("Add"), "cmdSave", "Add to list");
    cmdChange_ = Named(new QPushButton("Change"), "cmdChange");
    cmdDelete_ = Named(new QPushButton("Delete"), "cmdDelete", "Delete from list");
    connect(cboAssignments_, &QComboBox::activated, this, &frmSetup::cboAssignments_Click);
    connect(cmdSave_, &QPushButton::clicked, this, &frmSetup::cmdSave_Click);
    connect(cmdChange_, &QPushButton::clicked, this, &frmSetup::cmdChange_Click);
    connect(cmdDelete_, &QPushButton::clicked, this, &frmSetup::cmdDelete_Click);
    return ListPage(cboAssignments_, {cmdSave_, cmdChange_, cmdDelete_});
}

QWidget* frmSetup::ProblemsTab() {
    cboProblems_ = ListCombo("cboProblems", "A typical list of Problems that you Repair", this);
    cboProblems_->setAccessibleName("Problem description");
    cmdSavePC_ = Named(new QPushButton("Add"), "cmdSavePC", "Add this item");
    cmdDeletePC_ = Named(new QPushButton("Delete"), "cmdDeletePC", "Delete this item");
    connect(cmdSavePC_, &QPushButton::clicked, this, &frmSetup::cmdSavePC_Click);
    connect(cmdDeletePC_, &QPushButton::clicked, this, &frmSetup::cmdDeletePC_Click);
    return ListPage(cboProblems_, {cmdSavePC_, cmdDeletePC_});
}

QWidget* frmSetup::OperationsTab() {
    auto* page = new QWidget;
    auto* days = Named(new QGroupBox("Allow Scheduling These Days", page), "fraWDOptions",
                       "Your typical Work Week");
    auto* daysLayout = new QVBoxLayout(days);
    const std::pair<const char*, const char*> weeks[] = {{"optMF", "Monday thru Friday"},
                                                         {"optMS", "Monday thru Saturday"},
                                                         {"optSF", "Sunday thru Friday"},
                                                         {"optSS", "Sunday thru Saturday"}};
    const std::uint8_t codes[] = {5, 61, 62, 7};
    for (int i = 0; i < 4; ++i) {
        auto* option = Named(new QRadioButton(weeks[i].second, days), weeks[i].first);
        daysLayout->addWidget(option);
        workWeeks_.emplace_back(option, codes[i]);
        connect(option, &QRadioButton::toggled, this, [this, code = codes[i]](bool on) {
            if (on)
                program_.Variables().WorkWeek = code;
        });
    }

    auto* assistance = Named(new QGroupBox("Program Assistance", page), "Frame1",
                             "Unchecking disables the feature");
    auto* assistanceLayout = new QVBoxLayout(assistance);
    ckPrompts_ = Named(new QCheckBox("Show Prompts and Confirmations", assistance), "ckPrompts",
                       "If checked, reminders and prompts are shown when appropriate");
    ckAlarms_ = Named(new QCheckBox("Sound Alarms", assistance), "ckAlarms",
                      "If checked, the program sounds alarms when errors occur");
    assistanceLayout->addWidget(ckPrompts_);
    assistanceLayout->addWidget(ckAlarms_);

    auto* start =
        Named(new QGroupBox("Start Time", page), "fraStartTime", "Your Typical Starting Time");
    auto* startLayout = new QVBoxLayout(start);
    ck8_ = Named(new QRadioButton("08:00 am", start), "ck8");
    ck7_ = Named(new QRadioButton("07:00 am", start), "ck7");
    startLayout->addWidget(ck8_);
    startLayout->addWidget(ck7_);
    for (auto [option, hour] : {std::pair{ck7_, 7}, std::pair{ck8_, 8}})
        connect(option, &QRadioButton::toggled, this, [this, hour](bool on) {
            if (!on)
                return;
            program_.Variables().StartHour = static_cast<std::uint8_t>(hour);
            BuildTimeLabels(program_.Variables());
        });

    auto* layout = new QGridLayout(page);
    layout->addWidget(days, 0, 0, 2, 1);
    layout->addWidget(assistance, 0, 1);
    layout->addWidget(start, 1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

void frmSetup::Activate() {
    auto& v = program_.Variables();
    ckPrompts_->setChecked(v.ShowPrompts);
    ckAlarms_->setChecked(v.SoundAlarms);
    (v.StartHour == 7 ? ck7_ : ck8_)->setChecked(true);
    auto week = std::find_if(workWeeks_.begin(), workWeeks_.end(),
                             [&](const auto& option) { return option.second == v.WorkWeek; });
    if (week == workWeeks_.end()) {
        v.WorkWeek = 5;
        week = workWeeks_.begin();
    }
    week->first->setChecked(true);
    tabSetup_->setCurrentIndex(HelpPage);
    ShowWelcome();
}

// A newcomer's first steps, until both lists hold something.
void frmSetup::ShowWelcome() {
    const auto& v = program_.Variables();
    lblWelcome_->setVisible(v.TeamList.Items().empty() || v.ProblemList.Items().empty());
}

void frmSetup::tabSetup_Change(int index) {
    if (index == AssignmentsPage)
        SetAddMode(true);
}

void frmSetup::SetAddMode(bool adding) {
    cmdSave_->setEnabled(adding);
    cmdChange_->setEnabled(!adding);
    cmdDelete_->setEnabled(!adding);
}

void frmSetup::cboAssignments_Click(int index) {
    pickedIndex_ = static_cast<std::int16_t>(index);
    SetAddMode(false);
}

bool frmSetup::SaveAssignments(const std::vector<std::string>& teams) {
    auto& v = program_.Variables();
    const bool saved = program_.Attempt(
        [&] {
            SaveTextList(v, AssigntoFile, teams);
            LoadAssignments(v);
            FillTeamLists(v);
        },
        "The team list is as it was.");
    ShowWelcome();
    return saved;
}

bool frmSetup::SaveProblems(const std::vector<std::string>& problems) {
    auto& v = program_.Variables();
    const bool saved = program_.Attempt(
        [&] {
            SaveTextList(v, ProblemCodeFile, problems);
            LoadProblems(v);
        },
        "The list of problem descriptions is as it was.");
    ShowWelcome();
    return saved;
}

void frmSetup::cmdSave_Click() {
    auto& v = program_.Variables();
    std::vector<std::string> teams = v.TeamList.Items();
    if (teams.size() == 2) {
        program_.Beep();
        cboAssignments_->setFocus();
        return;
    }
    const std::string name = FromQt(cboAssignments_->currentText());
    if (name.empty() || Contains(teams, name)) {
        cboAssignments_->setEditText({});
        cmdSave_->setFocus();
        return;
    }
    if (!Storable(program_, cboAssignments_->currentText(), "A team name", StoredAs::QuotedLine))
        return;
    teams.push_back(name);
    cboAssignments_->setEditText({});
    if (SaveAssignments(teams))
        program_.Attempt([&] { MakeFolder(v, static_cast<int>(teams.size())); },
                         "The team is saved; its folder is made when it is first booked.");
    cboAssignments_->setFocus();
}

void frmSetup::cmdChange_Click() {
    std::vector<std::string> teams = program_.Variables().TeamList.Items();
    if (pickedIndex_ < 0 || pickedIndex_ >= static_cast<int>(teams.size()))
        return;
    if (!Storable(program_, cboAssignments_->currentText(), "A team name", StoredAs::QuotedLine))
        return;
    teams[pickedIndex_] = FromQt(cboAssignments_->currentText());
    SaveAssignments(teams);
    cboAssignments_->setEditText({});
    SetAddMode(true);
}

void frmSetup::cmdDelete_Click() {
    auto& v = program_.Variables();
    std::vector<std::string> teams = v.TeamList.Items();
    const auto found =
        std::find(teams.begin(), teams.end(), FromQt(cboAssignments_->currentText()));
    if (found == teams.end()) {
        cboAssignments_->setFocus();
        return;
    }
    const int deleted = static_cast<int>(found - teams.begin()) + 1;
    const int oldCount = static_cast<int>(teams.size());
    teams.erase(found);
    program_.Attempt(
        [&] {
            PurgeFolder(v, deleted, oldCount, teams);
            LoadAssignments(v);
            FillTeamLists(v);
        },
        "The delete is finished at the next start of Rotaplan.");
    ShowWelcome();
    // The name is gone: nothing is picked, so Change cannot rename the team in its place.
    cboAssignments_->setEditText({});
    SetAddMode(true);
    cboAssignments_->setFocus();
}

void frmSetup::cmdSavePC_Click() {
    std::vector<std::string> problems = program_.Variables().ProblemList.Items();
    const std::string text = FromQt(cboProblems_->currentText());
    if (text.empty() || Contains(problems, text)) {
        cboProblems_->setEditText({});
        cmdSavePC_->setFocus();
        return;
    }
    if (!Storable(program_, cboProblems_->currentText(), "A problem description",
                  StoredAs::QuotedLine))
        return;
    problems.push_back(text);
    cboProblems_->setEditText({});
    SaveProblems(problems);
    cboProblems_->setFocus();
}

void frmSetup::cmdDeletePC_Click() {
    std::vector<std::string> problems = program_.Variables().ProblemList.Items();
    const auto found =
        std::find(problems.begin(), problems.end(), FromQt(cboProblems_->currentText()));
    if (found != problems.end())
        problems.erase(found);
    SaveProblems(problems);
    cboProblems_->setFocus();
}

void frmSetup::Image1_Click() {
    auto& v = program_.Variables();
    bool saved = false;
    switch (tabSetup_->currentIndex()) {
    case AssignmentsPage:
        saved = SaveAssignments(v.TeamList.Items());
        tabSetup_->setCurrentIndex(ProblemsPage);
        break;
    case ProblemsPage:
        saved = SaveProblems(v.ProblemList.Items());
        tabSetup_->setCurrentIndex(OperationsPage);
        break;
    case OperationsPage:
        v.SoundAlarms = ckAlarms_->isChecked();
        v.ShowPrompts = ckPrompts_->isChecked();
        saved = program_.Attempt(
            [&] {
                SaveSettings(v);
                LoadSettings(v);
            },
            "The settings are in use until the program ends, but not saved.");
        break;
    default:
        return;
    }
    if (saved && ckPrompts_->isChecked())
        program_.Ask("Settings have been Saved");
}

void frmSetup::cmdQuit_Click() {
    auto& v = program_.Variables();
    program_.Attempt([&] { CheckSetupFiles(v); }, "The files are counted as missing.");
    if (v.FileFound) {
        program_.ShowMenu(this);
        return;
    }
    const auto answer = program_.System().messages.Show(
        Lines({"Some needed files have not been Created", "Would you like to exit the program?"}),
        "Not all files Created", MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes)
        program_.ExitProgram();
    else
        tabSetup_->setCurrentIndex(HelpPage);
}

} // namespace rotaplan
