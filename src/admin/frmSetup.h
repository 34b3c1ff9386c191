#pragma once

#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace rotaplan {

class Program;

// Teams, problem descriptions and the working options.
class frmSetup : public QWidget {
    Q_OBJECT
public:
    explicit frmSetup(Program& program);
    void Activate();

private:
    QWidget* HelpTab();
    QWidget* AssignmentsTab();
    QWidget* ProblemsTab();
    QWidget* OperationsTab();

    void tabSetup_Change(int index);
    void cboAssignments_Click(int index);
    void cmdSave_Click();
    void cmdChange_Click();
    void cmdDelete_Click();
    void cmdSavePC_Click();
    void cmdDeletePC_Click();
    void Image1_Click();
    void cmdQuit_Click();

    // Writing a list reloads it from its file, so the lists shown are what the file holds.
    bool SaveAssignments(const std::vector<std::string>& teams);
    bool SaveProblems(const std::vector<std::string>& problems);
    void SetAddMode(bool adding);
    void ShowWelcome();

    Program& program_;
    QLabel* lblWelcome_;
    QTabWidget* tabSetup_;
    QComboBox* cboAssignments_;
    QPushButton* cmdSave_;
    QPushButton* cmdChange_;
    QPushButton* cmdDelete_;
    QComboBox* cboProblems_;
    QPushButton* cmdSavePC_;
    QPushButton* cmdDeletePC_;
    QCheckBox* ckPrompts_;
    QCheckBox* ckAlarms_;
    QRadioButton* ck7_;
    QRadioButton* ck8_;
    std::vector<std::pair<QRadioButton*, std::uint8_t>> workWeeks_;
    std::int16_t pickedIndex_ = -1;
};

} // namespace rotaplan
