#pragma once

#include "platform/Platform.h"
#include "store/CrewdeskVariables.h"
#include "store/StoreError.h"

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace rotaplan {

inline constexpr const char* ProgramTitle = "Rotaplan";

// Lines of a message box, joined by CR LF.
inline std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    const char* separator = "";
    for (const char* line : lines) {
        text.append(separator).append(line);
        separator = "\r\n";
    }
    return text;
}

// What a form may ask of the running program: its state and platform, the other forms, the
// main menu, the one exit and the operator's attention.
class Program {
public:
    virtual ~Program() = default;

    virtual CrewdeskVariables& Variables() = 0;
    virtual Platform& System() = 0;
    virtual const std::filesystem::path& HelpFile() const = 0;

    // Backup, unload every form, end. Later calls do nothing.
    virtual void ExitProgram() = 0;
    virtual bool Ended() const = 0;

    // A form is created hidden at its first use and stays loaded until unloaded.
    template <class Form> Form& Load() {
        if (Form* form = Loaded<Form>())
            return *form;
        auto* form = new Form(*this);
        Adopt(form);
        return *form;
    }
    template <class Form> Form* Loaded() const {
        for (const auto& form : Forms())
            if (auto* wanted = qobject_cast<Form*>(form.data()))
                return wanted;
        return nullptr;
    }
    // Shows a form for a new task, which starts it over as its activation does. The window
    // system's own showing (a restore from the task bar) leaves a form as the operator left it.
    template <class Form> Form& ShowAnew() {
        Form& form = Load<Form>();
        form.show();
        form.Activate();
        return form;
    }
    virtual void Unload(QWidget* form) = 0;
    // Hides a working form and brings the main menu back, activated.
    virtual void ShowMenu(QWidget* from) = 0;

    // Tells the operator what failed, naming the file and the reason.
    virtual void Report(const StoreError& error, const std::string& consequence) {
        Ask(Lines({error.what(), consequence.c_str()}));
    }
    // Runs a store operation; a failure is reported and false returned.
    bool Attempt(const std::function<void()>& operation, const std::string& consequence) {
        try {
            operation();
            return true;
        } catch (const StoreError& error) {
            Report(error, consequence);
            return false;
        }
    }
    // The standard box with the program's title.
    MessageAnswer Ask(const std::string& text, MessageButtons buttons = MessageButtons::Ok) {
        return System().messages.Show(text, ProgramTitle, buttons);
    }
    // The help window at a section of the help file; a missing file is told, not shown blank.
    void ShowHelp(const std::filesystem::path& helpFile, const std::string& section);
    // After the bookings changed: `record` notes the change for the crew's calendars, then the
    // published calendars are rewritten. The change stands whatever fails here; a failure is
    // told once a run.
    void CalendarsFollow(const std::function<void()>& record = {});
    // An operator error, heard only when alarms are on.
    void Beep() {
        if (Variables().SoundAlarms)
            System().beep.Beep();
    }

protected:
    virtual void Adopt(QWidget* form) = 0;
    virtual const std::vector<QPointer<QWidget>>& Forms() const = 0; // in load order

private:
    bool calendarFailureTold_ = false;
};

} // namespace rotaplan
