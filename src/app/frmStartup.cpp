#include "app/frmStartup.h"

#include "Version.h"
#include "admin/Reset.h"
#include "admin/frmArchive.h"
#include "admin/frmCompleted.h"
#include "admin/frmSetup.h"
#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/WebLinks.h"
#include "frame/Widgets.h"
#include "platform/qt/QtPlatform.h"
#include "records/frmCallRecord.h"
#include "records/frmPrintSch.h"
#include "scheduling/frmShell.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/Master.h"
#include "store/Purge.h"
#include "store/SlipFile.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace rotaplan {

frmStartup::frmStartup(Program& program) : program_(program) {
    setObjectName("frmStartup");
    setWindowTitle("ROTAPLAN  - Main Menu");
    auto* central = new QWidget(this);
    setCentralWidget(central);

    opt1_ = Named(new OptionButton("&Schedule", central), "opt1",
                  "Create A Service attention Call slip");
    optReschedule_ = Named(new OptionButton("&Delete or Reschedule", central), "optReschedule",
                           "Delete or Reschedule Call Slips");
    optCompletions_ = Named(new OptionButton("&Completed Summary", central), "optCompletions",
                            "Display Call Records prior to today");
    opt3_ = Named(new OptionButton("View Work Schedules", central), "opt3",
                  "View Work Schedules by Day and Team");
    cmdGosub_ = Named(new QPushButton("&Goto", central), "cmdGosub",
                      "Branches the Program to the subroutine selcted by push button");
    cmdGosub_->setDefault(true);
    imgLogo_ = MakeLogo(central, "imgLogo", "Exits the Program", "Exit the program", 128);
    auto* invitation = Named(new QLabel("More Quarrow Programs for your business: see the "
                                        "Upgrade menu.",
                                        central),
                             "lblUpgrade");
    invitation->setWordWrap(true);

    // The buttons sit under two headings but form one group.
    auto* group = new QButtonGroup(this);
    for (OptionButton* choice : {opt1_, optReschedule_, optCompletions_, opt3_})
        group->addButton(choice);
    for (OptionButton* choice : {opt1_, optReschedule_, opt3_}) {
        connect(choice, &OptionButton::clicked, cmdGosub_, [this] { cmdGosub_->setFocus(); });
        connect(choice, &OptionButton::doubleClicked, this, [this, choice] { OpenChoice(choice); });
    }
    connect(optCompletions_, &OptionButton::clicked, this, [this] { OpenChoice(optCompletions_); });
    connect(cmdGosub_, &QPushButton::clicked, this, &frmStartup::cmdGosub_Click);
    connect(imgLogo_, &ClickLabel::clicked, this, [this] { program_.ExitProgram(); });

    auto* service = Named(new QGroupBox("Service Attentions", central), "fraService");
    auto* serviceLayout = new QVBoxLayout(service);
    serviceLayout->addWidget(opt1_);
    serviceLayout->addWidget(optReschedule_);
    serviceLayout->addWidget(optCompletions_);
    auto* schedules = Named(new QGroupBox("Work Schedules", central), "fraSchedules");
    auto* schedulesLayout = new QVBoxLayout(schedules);
    schedulesLayout->addWidget(opt3_);
    auto* choices = new QVBoxLayout;
    choices->addWidget(service);
    choices->addWidget(schedules);
    choices->addWidget(cmdGosub_, 0, Qt::AlignRight);
    auto* top = new QHBoxLayout;
    top->addWidget(imgLogo_, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(choices, 1);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(invitation);
    layout->setContentsMargins(16, 16, 16, 12);
    setMinimumWidth(440);

    // The help-dialog control holds the help file from load on.
    dlgHelp_ = new QObject(this);
    dlgHelp_->setObjectName("dlgHelp");
    dlgHelp_->setProperty("HelpFile", ToQt(program_.HelpFile().string()));
    BuildMenus();
    bool sibling = false;
    program_.Attempt([&] { sibling = SiblingProgramInstalled(program_.Variables()); },
                     "The completed summary stays on offer.");
    optCompletions_->setVisible(!sibling);
}

void frmStartup::BuildMenus() {
    auto item = [this](QMenu* menu, const char* objectName, const char* caption, auto action) {
        QAction* entry = menu->addAction(caption);
        entry->setObjectName(objectName);
        connect(entry, &QAction::triggered, this, action);
    };
    QMenu* file = Named(menuBar()->addMenu("&File"), "mnuFile");
    item(file, "mnuModify", "Create/Modify", [this] {
        hide();
        program_.ShowAnew<frmSetup>();
    });
    item(file, "mnuBackup", "&Backup", &frmStartup::mnuBackup_Click);
    item(file, "mnuRestore", "&Restore", &frmStartup::mnuRestore_Click);
    item(file, "mnuReinstall", "&Protect", [this] {
        program_.Load<frmArchive>().exec();
        if (!program_.Ended()) // closed by its close box, the archive form ended the program
            Activate(); // the menu is active again, and a re-install may have brought files back
    });
    item(file, "mnuReset", "Reset", [this] {
        if (mnuReset_Click(program_))
            Activate();
    });
    file->addSeparator();
    item(file, "mnuExit", "&Exit", [this] { program_.ExitProgram(); });

    QMenu* upgrade = Named(menuBar()->addMenu("&Upgrade"), "mnuUpgrade");
    for (const OtherProduct& product : OtherProducts)
        item(upgrade, product.objectName, product.caption,
             [this, &product] { OpenLink(program_, product.purchasePage); });
    item(upgrade, "mnuCompare", "Compare Features",
         [this] { OpenLink(program_, WebLinks::CompareFeatures); });

    QMenu* order = Named(menuBar()->addMenu("Order Forms"), "mnuOrder");
    item(order, "mnuChecks", "Checks etc", &frmStartup::mnuChecks_Click);
    item(order, "mnuOffice", OfficeRetailer,
         [this] { OpenLink(program_, WebLinks::OfficeSupplies); });

    QMenu* help = Named(menuBar()->addMenu("&Help"), "mnuHelp");
    item(help, "mnuIndex", "&Index", &frmStartup::mnuIndex_Click);
    help->addSeparator();
    item(help, "mnuAbout", "&About Rotaplan", &frmStartup::mnuAbout_Click);
    item(help, "mnuAboutQt", "About &Qt", [this] { QMessageBox::aboutQt(this); });
}

void frmStartup::Activate() {
    optReschedule_->setEnabled(Recovered(SlipsFile, 0));
    optCompletions_->setEnabled(Recovered(CompletedSlipsFile, 1));
    imgLogo_->setVisible(true);
    opt1_->setChecked(true);
    cmdGosub_->setFocus(); // Enter goes to the chosen task at once
}

bool frmStartup::Recovered(const char* relativeName, std::uintmax_t minimumLength) {
    auto& v = program_.Variables();
    bool found = false;
    program_.Attempt(
        [&] {
            found = RecoverFile(v, relativeName) &&
                    disk::FileLength(ProgramPath(v, relativeName)) >= minimumLength;
        },
        "The choice that needs it stays off.");
    return found;
}

void frmStartup::OpenChoice(OptionButton* choice) {
    hide();
    if (choice == opt1_)
        program_.ShowAnew<frmShell>();
    else if (choice == optReschedule_)
        program_.ShowAnew<frmCallRecord>();
    else if (choice == opt3_)
        program_.ShowAnew<frmPrintSch>();
    else
        program_.ShowAnew<frmCompleted>();
}

void frmStartup::cmdGosub_Click() {
    for (OptionButton* choice : {opt1_, optReschedule_, opt3_})
        if (choice->isChecked())
            return OpenChoice(choice);
}

void frmStartup::mnuBackup_Click() {
    const auto answer = program_.System().messages.Show(
        Lines({"Backingup creates a copy of your", "Files on your Hard Disk",
               "This is done Automatically every", "time you end the Program.",
               "You can Backup at any time"}),
        "Backup Procedure", MessageButtons::OkCancel);
    if (answer != MessageAnswer::Cancel)
        program_.Attempt([this] { BackupFiles(program_.Variables()); },
                         "The backup is not complete.");
}

void frmStartup::mnuRestore_Click() {
    const auto answer = program_.System().messages.Show(
        Lines({"Restores Common Files", "from Hard drive", " ALL Existing Files ARE REPLACED"}),
        "Backup", MessageButtons::OkCancelDefaultCancel);
    if (answer != MessageAnswer::Cancel)
        program_.Attempt([this] { RestoreFiles(program_.Variables()); },
                         "The restore is not complete.");
}

void frmStartup::mnuIndex_Click() {
    program_.ShowHelp(FromQt(dlgHelp_->property("HelpFile").toString()), {});
}

void frmStartup::mnuAbout_Click() {
    QMessageBox::about(
        this, TranslatedLines("About Rotaplan"),
        TranslatedLines("<h3>Rotaplan %1.%2.%3</h3><p>for Contractors and Tradesmen</p>"
                        "<p>Copyright © %4 2001-%5</p><p>Rotaplan is free of charge. It is "
                        "provided as it is, without warranty of any kind.</p><p>Built with Qt "
                        "%6, running on Qt %7.</p>")
            .arg(version::Major)
            .arg(version::Minor)
            .arg(version::Revision)
            .arg(MakerName)
            .arg(program_.System().clock.Now().date.year)
            .arg(QT_VERSION_STR, qVersion()));
}

void frmStartup::mnuChecks_Click() {
    if (program_.Ask(ChecksPromotion, MessageButtons::YesNo) != MessageAnswer::No)
        OpenLink(program_, WebLinks::BusinessForms);
}

} // namespace rotaplan
