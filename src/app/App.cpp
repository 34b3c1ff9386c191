#include "app/App.h"

#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "exports/CrewCalendar.h"
#include "frame/Translation.h"
#include "frame/Widgets.h"
#include "records/frmPrintSch.h"
#include "scheduling/frmCallslip.h"
#include "scheduling/frmConfirm.h"
#include "scheduling/frmShell.h"
#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/CrewdeskSetup.h"
#include "store/CustomerIndex.h"
#include "store/DaySchedule.h"
#include "store/Journal.h"
#include "store/Master.h"
#include "store/Mend.h"
#include "store/Purge.h"
#include "store/Repair.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QShortcut>
#include <QThread>

// The logo is compiled into this static library, whose resources nobody else pulls in.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace rotaplan {

App::App(std::filesystem::path programFolder, Platform platform, std::filesystem::path helpFile)
    : v_(std::move(programFolder)),
      dateForm_(platform.locale), platform_{platform.clock,  dateForm_,         platform.messages,
                                            platform.beep,   platform.instance, platform.web,
                                            platform.drives, platform.save,     platform.print},
      helpFile_(std::move(helpFile)) {
    InitResources();
    // Every window takes it from here, the message boxes and the help viewer included.
    QApplication::setWindowIcon(ProgramIcon());
}

App::~App() {
    ForgetCustomers(v_); // its reading uses the date form, which goes first
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        delete it->data();
}

std::vector<App::Step> App::StartupSteps() {
    const Date today = platform_.clock.Now().date;
    // Each later step of the start-up joins here, in its place.
    return {
        {[this, today] { v_.TeamRoot = TeamRootFor(today.year); }, OnFailure::End},
        {[this, today] {
             CheckSlipsAtStart(v_, today, platform_.locale, [this](const std::string& question) {
                 return Ask(question, MessageButtons::YesNo) == MessageAnswer::Yes;
             });
         },
         OnFailure::GoOn},
        {[this] { PrepareFolders(v_); }, OnFailure::End},
        {[this] { FinishPurgeFolder(v_); }, OnFailure::End},
        {[this, today] { LoadCounter(v_, today); }, OnFailure::End},
        {[this] { LoadProblems(v_); }, OnFailure::End},
        {[this] { LoadAssignments(v_); }, OnFailure::End},
        {[this] {
             if (v_.Assignments[0] != "empty")
                 FillTeamLists(v_);
         },
         OnFailure::End},
        {[this] { LoadSettings(v_); }, OnFailure::End},
        {[this, today] { EnsureYearFolders(v_, today); }, OnFailure::GoOn},
        {[this] {
             // Moving a long file of past slips takes seconds: the splash shows how far.
             PurgePastDays(v_, platform_.locale, [this](std::int64_t done, std::int64_t total) {
                 Load<frmSplash>().ShowProgress(done, total);
             });
         },
         OnFailure::GoOn},
        {[this, today] { mended_ = MendFolder(v_, today, platform_.locale); }, OnFailure::GoOn},
        {[this] { BuildTimeLabels(v_); }, OnFailure::End},
        {[this] {
             Load<frmShell>();
             Load<frmCallslip>();
             Load<frmConfirm>();
             Load<frmPrintSch>();
         },
         OnFailure::End},
    };
}

bool App::Start() {
    if (!platform_.instance.TryAcquire()) {
        Ask(std::string(ProgramTitle) + " is already Running!");
        return false;
    }
    JournalHead head;
    try {
        head = ReadJournalHead(v_);
    } catch (const StoreError&) {
        // the start-up check names a journal it cannot read
    }
    if (!DateAccepted(head))
        return false;
    KeepDateForm(head);
    if (const std::string why = platform_.instance.Unchecked(); !why.empty())
        v_.Notices.push_back("Rotaplan cannot tell whether another copy of it is working in " +
                             v_.ProgramFolder.string() + " (" + why +
                             "). Make sure only one copy runs at a time.");
    for (const Step& step : StartupSteps()) {
        try {
            step.run();
        } catch (const StoreError& error) {
            if (step.onFailure == OnFailure::End) {
                Report(error, "Rotaplan cannot work without it and ends now, leaving the file "
                              "as it is.");
                return false;
            }
            Report(error, "Rotaplan goes on; what needs this file may fail until it is mended.");
        }
    }
    // The past slips are moved away: the calendars drop them and show the days ahead.
    CalendarsFollow([this] { ForgetPastCalls(v_, platform_.locale, platform_.clock.Now().date); });
    ReadCustomers();
    if (const std::string told = StartupMessage(mended_, v_.Notices); !told.empty())
        Ask(told);
    v_.Notices.clear();
    Load<frmSplash>().show();
    return true;
}

// A clock far ahead would move every booking out and purge their days; one set back would
// issue SA numbers again. Nothing has changed any file yet, so No leaves them all as they are.
bool App::DateAccepted(const JournalHead& head) {
    const Date today = platform_.clock.Now().date;
    const auto& last = head.lastRun;
    if (!last || (today >= *last && today <= last->AddDays(7)))
        return true;
    const Locale& locale = platform_.locale;
    const std::string question =
        "Rotaplan last ran on " + locale.ShortDate(*last) +
        ", and the computer's clock gives today as " + locale.ShortDate(today) +
        (today < *last ? ", an earlier day." : ", more than a week later.") +
        "\r\n\r\nWith that date Rotaplan moves the call slips dated before it to the completed "
        "ones, clears the schedules of the days before it and numbers the new calls by it."
        "\r\n\r\nYes: go on with " +
        locale.ShortDate(today) +
        ".\r\nNo: end Rotaplan now without changing any file, so that the clock can be set "
        "right.";
    return Ask(question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

// "03/05/2026" is 3 May written under one locale and 5 March read under another: the slips
// go on being written and read in the form they were written in.
void App::KeepDateForm(const JournalHead& head) {
    const std::string system = dateForm_.Sample();
    if (!head.dateForm.empty() && head.dateForm != system && dateForm_.Keep(head.dateForm))
        v_.Notices.push_back("This computer writes dates another way than the call slips were "
                             "written (3 February 2001 as " +
                             system + ", the slips as " + head.dateForm +
                             "). Rotaplan goes on writing and reading the slips' dates as they "
                             "were written.");
    v_.DateForm = dateForm_.Sample();
}

void App::ExitProgram() {
    if (ended_)
        return;
    ended_ = true;
    // A run that met a failure may have left what only the next start's full check mends.
    if (Attempt([this] { BackupFiles(v_); }, "The backup is not complete; Rotaplan ends anyway.") &&
        !failed_)
        Attempt([this] { WriteCleanEnd(v_); }, "The next start checks every file.");
    CloseAllFiles(v_);
    ForgetCustomers(v_);
    // The caller may be an event handler of one of these forms, so they go once it returns.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if (QWidget* form = it->data()) {
            form->hide();
            form->deleteLater();
        }
    forms_.clear();
    // Outside an event loop (a test driving the forms) there is nothing to end, and a quit
    // left pending would end the next modal dialog at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

void App::Unload(QWidget* form) {
    std::erase_if(forms_, [form](const QPointer<QWidget>& f) { return f.data() == form; });
    form->hide();
    form->deleteLater();
}

void App::ShowMenu(QWidget* from) {
    from->hide();
    ShowAnew<frmStartup>();
    if (!ended_)
        ReadCustomers(); // again, after a restore, a reset or a large delete
}

// Returning customers are read on a worker thread from the start on, so neither the intake
// nor a day's details wait for them; a file that does not read is told where they are offered.
void App::ReadCustomers() {
    try {
        Customers(v_, platform_.locale);
    } catch (const StoreError&) {
    }
}

// The help's section for each form; the menu and the splash open it at the top.
static std::string HelpSection(const QWidget* form) {
    static const std::pair<const char*, const char*> sections[] = {
        {"frmSetup", "setup"},           {"frmShell", "book"},
        {"frmCallslip", "book"},         {"frmConfirm", "book"},
        {"frmCallRecord", "reschedule"}, {"frmPrintSch", "view"},
        {"frmCompleted", "completed"},   {"frmArchive", "protect"}};
    for (auto [name, section] : sections)
        if (form->objectName() == name)
            return section;
    return {};
}

void App::Adopt(QWidget* form) {
    forms_.emplace_back(form);
    form->installEventFilter(this);
    ForKeyboard(form);
    TranslateTexts(form);
    // The desktop's own keys, on every form; the main menu shows them beside its entries.
    auto key = [form](const char* entry, QKeySequence keys, auto action) {
        if (auto* item = form->findChild<QAction*>(entry))
            item->setShortcut(keys);
        else
            connect(new QShortcut(keys, form), &QShortcut::activated, form, action);
    };
    key("mnuExit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { ExitProgram(); });
    key("mnuIndex", QKeySequence(Qt::Key_F1),
        [this, form] { ShowHelp(helpFile_, HelpSection(form)); });
}

// Only a close asked for by the window system (close box, window menu) ends the program;
// the program's own hiding and unloading of forms never does.
bool App::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && event->spontaneous()) {
        event->ignore();
        ExitProgram();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void App::Report(const StoreError& error, const std::string& consequence) {
    failed_ = true;
    Program::Report(error, consequence);
}

} // namespace rotaplan
