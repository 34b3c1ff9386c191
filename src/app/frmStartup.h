#pragma once

#include <QMainWindow>

#include <cstdint>

class QPushButton;

namespace rotaplan {

class Program;
class OptionButton;
class ClickLabel;

// The main menu: the four daily tasks and the menu bar of the rest.
class frmStartup : public QMainWindow {
    Q_OBJECT
public:
    explicit frmStartup(Program& program);
    // Each time the menu comes back: the choices follow the files, Schedule is selected.
    void Activate();

private:
    void BuildMenus();
    void OpenChoice(OptionButton* choice);
    void cmdGosub_Click();
    void mnuBackup_Click();
    void mnuRestore_Click();
    void mnuChecks_Click();
    void mnuIndex_Click();
    void mnuAbout_Click();
    // RecoverFile, with a failed copy-back told to the operator and counted as missing.
    // The file is there, from its backup copy if need be, and at least this long.
    bool Recovered(const char* relativeName, std::uintmax_t minimumLength);

    Program& program_;
    OptionButton* opt1_;
    OptionButton* optReschedule_;
    OptionButton* optCompletions_;
    OptionButton* opt3_;
    QPushButton* cmdGosub_;
    ClickLabel* imgLogo_;
    QObject* dlgHelp_;
};

} // namespace rotaplan
