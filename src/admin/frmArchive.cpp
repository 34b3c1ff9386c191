#include "admin/frmArchive.h"

#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "store/Archive.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace rotaplan {

namespace {

// The hourglass while files are copied, whatever way the copy ends.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QLabel* WrappedLabel(const char* text, const char* objectName, QWidget* parent) {
    auto* label = Named(new QLabel(text, parent), objectName);
    label->setWordWrap(true);
    return label;
}

// An option button that can also be cleared, which its group alone would not allow.
void SetSelected(QRadioButton* option, bool selected) {
    option->setAutoExclusive(false);
    option->setChecked(selected);
    option->setAutoExclusive(true);
}

} // namespace

std::filesystem::path ExecutablePath() {
    return std::filesystem::path(FromQt(QCoreApplication::applicationFilePath()));
}

frmArchive::frmArchive(Program& program, std::filesystem::path executable)
    : program_(program), executable_(std::move(executable)),
      drives_(program.System().drives.Drives()) {
    setObjectName("frmArchive");
    setWindowTitle("Archive/Re-Install");
    setModal(true);

    auto* instruction = WrappedLabel("Select Archive to Copy Important Files to a removalble "
                                     "disk.         Select Re-Install to Copy Archived Files back "
                                     "to your Quarrow Folder",
                                     "lblInstructiopn_0", this);
    optArchive_ = Named(new QRadioButton("Archive ", this), "optArchive", "to a Floppy disk");
    optReinstall_ = Named(new QRadioButton("Re-Install", this), "optReinstall",
                          "From a previously created Floppy");
    auto* driveLabel =
        WrappedLabel("Select the Drive to which to Copy to or from", "lblInstructiopn_1", this);
    Drive1_ = Named(new QComboBox(this), "Drive1", "Select a Drive Letter Here");
    Drive1_->setAccessibleName("Drive");
    for (const Drive& drive : drives_)
        Drive1_->addItem(ToQt(drive.name));
    lblArchive_ = WrappedLabel(
        "Insert an initialized disk into the drive selected from the list. Click Archive",
        "lblArchive", this);
    cmdArchive_ =
        Named(new QPushButton("Archive", this), "cmdArchive", "Write Backup Files to Disk");
    lblReinstall_ = WrappedLabel("Insert your previously created Archive Disk into the drive "
                                 "selected  from the list.Click  Re-install.",
                                 "lblReinstall", this);
    cmdReinstall_ =
        Named(new QPushButton("Re-install", this), "cmdReinstall", "Read Backup Files from Disk");
    auto* command2 = Named(new QPushButton("Cancel", this), "Command2", "Return to Menu");
    for (QWidget* control :
         {static_cast<QWidget*>(lblArchive_), static_cast<QWidget*>(cmdArchive_),
          static_cast<QWidget*>(lblReinstall_), static_cast<QWidget*>(cmdReinstall_)})
        control->setEnabled(false);

    connect(optArchive_, &QRadioButton::clicked, this, [this] {
        OptionChosen(optArchive_,
                     Lines({"Archiving creates a copy of your", "Files on removable media",
                            "such as a Floppy Disk", "You should Archive occasionally"}),
                     "Archive Procedure");
    });
    connect(optReinstall_, &QRadioButton::clicked, this, [this] {
        OptionChosen(optReinstall_,
                     Lines({"Restores Common Files", "from Removable media Source",
                            "(Previously Archived)", " ALL Existing Files ARE REPLACED"}),
                     "Backup");
    });
    connect(cmdArchive_, &QPushButton::clicked, this, &frmArchive::cmdArchive_Click);
    connect(cmdReinstall_, &QPushButton::clicked, this, &frmArchive::cmdReinstall_Click);
    connect(command2, &QPushButton::clicked, this, &frmArchive::Command2_Click);

    auto* options = new QHBoxLayout;
    options->addWidget(optArchive_);
    options->addWidget(optReinstall_);
    options->addStretch();
    auto* actions = new QGridLayout;
    actions->addWidget(lblArchive_, 0, 0);
    actions->addWidget(cmdArchive_, 0, 1);
    actions->addWidget(lblReinstall_, 1, 0);
    actions->addWidget(cmdReinstall_, 1, 1);
    actions->setColumnStretch(0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction);
    layout->addLayout(options);
    layout->addWidget(driveLabel);
    layout->addWidget(Drive1_);
    layout->addSpacing(8);
    layout->addLayout(actions);
    layout->addLayout(bottom);
    setMinimumWidth(460);
}

void frmArchive::OptionChosen(QRadioButton* option, const std::string& prompt, const char* title) {
    // A re-install replaces every file, so only an OK on purpose goes on.
    const auto buttons =
        option == optReinstall_ ? MessageButtons::OkCancelDefaultCancel : MessageButtons::OkCancel;
    if (program_.System().messages.Show(prompt, title, buttons) == MessageAnswer::Cancel) {
        // The form stays as it was, except that the option clicked is not selected.
        QRadioButton* other = option == optArchive_ ? optReinstall_ : optArchive_;
        SetSelected(option, false);
        SetSelected(other, chosen_ == other);
        if (chosen_ == option)
            chosen_ = nullptr;
        return;
    }
    chosen_ = option;
    const bool archiving = option == optArchive_;
    lblArchive_->setEnabled(archiving);
    cmdArchive_->setEnabled(archiving);
    lblReinstall_->setEnabled(!archiving);
    cmdReinstall_->setEnabled(!archiving);
}

const Drive* frmArchive::PickArchiveFolder() {
    const int index = Drive1_->currentIndex();
    if (index < 0) {
        program_.Ask("No drive was found to copy to or from.");
        return nullptr;
    }
    return &drives_[static_cast<std::size_t>(index)];
}

// A failed copy leaves the form open, so the operator can insert the disk or pick another drive.
void frmArchive::cmdArchive_Click() {
    const Drive* drive = PickArchiveFolder();
    if (!drive)
        return;
    bool done = false;
    {
        BusyCursor busy;
        done = program_.Attempt([&] { Archive(program_.Variables(), drive->root, executable_); },
                                "The archive on that drive is not complete.");
    }
    if (!done)
        return;
    ReportComplete();
    Command2_Click();
}

void frmArchive::cmdReinstall_Click() {
    const Drive* drive = PickArchiveFolder();
    if (!drive)
        return;
    int reinstalled = 0;
    bool done = false;
    {
        BusyCursor busy;
        done = program_.Attempt(
            [&] { reinstalled = Reinstall(program_.Variables(), drive->root, executable_); },
            "No file of the program folder was replaced.");
    }
    if (!done)
        return;
    // The finding first, then the routine's end; a routine told complete and then found
    // empty would read as a fault.
    if (reinstalled == 0)
        program_.Ask("No archived files were found in " +
                     ArchiveFolder(drive->root, executable_).string() +
                     "; nothing was reinstalled.");
    ReportComplete();
    // What is loaded stays in use until the next start, as after a restore.
    if (reinstalled != 0)
        program_.Ask(Lines({"The reinstalled teams, problem descriptions and settings",
                            "take effect when Rotaplan is next started."}));
    Command2_Click();
}

void frmArchive::ReportComplete() {
    program_.System().messages.Show("Remove the disk from the Drive", "Routine Complete",
                                    MessageButtons::Ok);
}

void frmArchive::Command2_Click() {
    program_.Unload(this); // the main menu stays behind this form, so it is in front again
}

void frmArchive::reject() {
    Command2_Click();
}

} // namespace rotaplan
