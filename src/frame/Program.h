#pragma once

#include "platform/Platform.h"
#include "store/CrewdeskVariables.h"
#include "store/Repair.h"
#include "store/StoreError.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace rotaplan {

inline constexpr const char* ProgramTitle = "Rotaplan";

// The running program: its state, its platform, its forms, its start and its one exit.
class Program : public QObject {
public:
    Program(std::filesystem::path programFolder, Platform platform, std::filesystem::path helpFile);
    ~Program() override;

    // The start-up sequence, then the splash. False when the program must end at once.
    bool Start();
    // Backup, unload every form, end. Later calls do nothing.
    void ExitProgram();
    bool Ended() const { return ended_; }

    CrewdeskVariables& Variables() { return v_; }
    Platform& System() { return platform_; }
    const std::filesystem::path& HelpFile() const { return helpFile_; }

    // A form is created hidden at its first use and stays loaded until unloaded.
    template <class Form> Form& Load() {
        if (Form* form = Loaded<Form>())
            return *form;
        auto* form = new Form(*this);
        Adopt(form);
        return *form;
    }
    template <class Form> Form* Loaded() const {
        for (const auto& form : forms_)
            if (auto* wanted = qobject_cast<Form*>(form.data()))
                return wanted;
        return nullptr;
    }
    void Unload(QWidget* form);
    // Hides a working form and brings the main menu back.
    void ShowMenu(QWidget* from);

    // Tells the operator what failed, naming the file and the reason.
    void Report(const StoreError& error, const std::string& consequence);
    // Runs a store operation; a failure is reported and false returned.
    bool Attempt(const std::function<void()>& operation, const std::string& consequence);
    // The standard box with the program's title.
    MessageAnswer Ask(const std::string& text, MessageButtons buttons = MessageButtons::Ok);
    void Beep(); // an operator error, heard only when alarms are on

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class OnFailure { GoOn, End };
    struct Step {
        std::function<void()> run;
        OnFailure onFailure;
    };
    std::vector<Step> StartupSteps();
    void Adopt(QWidget* form);

    CrewdeskVariables v_;
    Platform platform_;
    std::filesystem::path helpFile_;
    std::vector<QPointer<QWidget>> forms_; // in load order
    bool ended_ = false;
    bool failed_ = false; // a failure was reported during this run
    MendReport mended_;
};

// Lines of a message box, joined by CR LF.
std::string Lines(std::initializer_list<const char*> lines);

} // namespace rotaplan
