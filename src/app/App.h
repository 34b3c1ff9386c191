#pragma once

#include "frame/Program.h"
#include "store/Journal.h"
#include "store/Repair.h"

#include <QObject>

namespace rotaplan {

// The running program: it builds the forms, runs the start-up and owns the one exit.
class App : public QObject, public Program {
public:
    App(std::filesystem::path programFolder, Platform platform, std::filesystem::path helpFile);
    ~App() override;

    // The start-up sequence, then the splash. False when the program must end at once.
    bool Start();
    void ExitProgram() override;
    bool Ended() const override { return ended_; }

    CrewdeskVariables& Variables() override { return v_; }
    Platform& System() override { return platform_; }
    const std::filesystem::path& HelpFile() const override { return helpFile_; }

    void Unload(QWidget* form) override;
    void ShowMenu(QWidget* from) override;
    void Report(const StoreError& error, const std::string& consequence) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Adopt(QWidget* form) override;
    const std::vector<QPointer<QWidget>>& Forms() const override { return forms_; }

private:
    enum class OnFailure { GoOn, End };
    struct Step {
        std::function<void()> run;
        OnFailure onFailure;
    };
    std::vector<Step> StartupSteps();
    bool DateAccepted(const JournalHead& head);
    void KeepDateForm(const JournalHead& head);
    void ReadCustomers();

    CrewdeskVariables v_;
    RecordedDateForm dateForm_; // the system's locale, dates as the slips are written
    Platform platform_;
    std::filesystem::path helpFile_;
    std::vector<QPointer<QWidget>> forms_; // in load order
    bool ended_ = false;
    bool failed_ = false; // a failure was reported during this run
    MendReport mended_;
};

} // namespace rotaplan
