#include "frame/Program.h"

#include "frame/Widgets.h"
#include "frame/frmSplash.h"
#include "frame/frmStartup.h"
#include "records/frmPrintSch.h"
#include "scheduling/frmCallslip.h"
#include "scheduling/frmConfirm.h"
#include "scheduling/frmShell.h"
#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/CrewdeskSetup.h"
#include "store/DaySchedule.h"
#include "store/Master.h"
#include "store/Mend.h"
#include "store/Purge.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QThread>

// The logo is compiled into this static library, whose resources nobody else pulls in.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace rotaplan {

Program::Program(std::filesystem::path programFolder, Platform platform,
                 std::filesystem::path helpFile)
    : v_(std::move(programFolder)), platform_(platform), helpFile_(std::move(helpFile)) {
    InitResources();
    // Every window takes it from here, the message boxes and the help viewer included.
    QApplication::setWindowIcon(ProgramIcon());
}

Program::~Program() {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        delete it->data();
}

std::vector<Program::Step> Program::StartupSteps() {
    const Date today = platform_.clock.Now().date;
    // Each later step of the start-up joins here, in its place.
    return {
        {[this, today] { v_.TeamRoot = TeamRootFor(today.year); }, OnFailure::End},
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
        {[this] { PurgePastDays(v_, platform_.locale); }, OnFailure::GoOn},
        {[this, today] { TellMended(MendFolder(v_, today, platform_.locale)); }, OnFailure::GoOn},
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

void Program::TellMended(const std::vector<std::string>& mended) {
    if (mended.empty())
        return;
    constexpr std::size_t Shown = 12; // a box the operator can still read
    std::string text = "Rotaplan found what an interrupted operation left behind and mended it:";
    for (std::size_t i = 0; i < mended.size() && i < Shown; ++i)
        text += "\r\n- " + mended[i];
    if (mended.size() > Shown)
        text += "\r\n- and " + std::to_string(mended.size() - Shown) + " more like these";
    v_.Notices.push_back(text);
}

bool Program::Start() {
    if (!platform_.instance.TryAcquire()) {
        Ask(std::string(ProgramTitle) + " is already Running!");
        return false;
    }
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
    for (const auto& notice : v_.Notices)
        Ask(notice);
    v_.Notices.clear();
    Load<frmSplash>().show();
    return true;
}

void Program::ExitProgram() {
    if (ended_)
        return;
    ended_ = true;
    Attempt([this] { BackupFiles(v_); }, "The backup is not complete; Rotaplan ends anyway.");
    CloseAllFiles(v_);
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

void Program::Unload(QWidget* form) {
    std::erase_if(forms_, [form](const QPointer<QWidget>& f) { return f.data() == form; });
    form->hide();
    form->deleteLater();
}

void Program::ShowMenu(QWidget* from) {
    from->hide();
    Load<frmStartup>().show();
}

void Program::Adopt(QWidget* form) {
    forms_.emplace_back(form);
    form->installEventFilter(this);
}

// Only a close asked for by the window system (close box, window menu) ends the program;
// the program's own hiding and unloading of forms never does.
bool Program::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && event->spontaneous()) {
        event->ignore();
        ExitProgram();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void Program::Report(const StoreError& error, const std::string& consequence) {
    Ask(Lines({error.what(), consequence.c_str()}));
}

bool Program::Attempt(const std::function<void()>& operation, const std::string& consequence) {
    try {
        operation();
        return true;
    } catch (const StoreError& error) {
        Report(error, consequence);
        return false;
    }
}

MessageAnswer Program::Ask(const std::string& text, MessageButtons buttons) {
    return platform_.messages.Show(text, ProgramTitle, buttons);
}

void Program::Beep() {
    if (v_.SoundAlarms)
        platform_.beep.Beep();
}

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    const char* separator = "";
    for (const char* line : lines) {
        text.append(separator).append(line);
        separator = "\r\n";
    }
    return text;
}

} // namespace rotaplan
