#pragma once

#include "platform/DriveList.h"

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace rotaplan {

class Program;

// The running program's file: its name picks the archive's product folder.
std::filesystem::path ExecutablePath();

// Copies the central files to a removable disk and back; shown modally, unloaded when left.
class frmArchive : public QDialog {
    Q_OBJECT
public:
    explicit frmArchive(Program& program, std::filesystem::path executable = ExecutablePath());

    // Escape leaves as Cancel does.
    void reject() override;

private:
    void OptionChosen(QRadioButton* option, const std::string& prompt, const char* title);
    void cmdArchive_Click();
    void cmdReinstall_Click();
    void Command2_Click();
    // The chosen drive's root, or none when the list is empty (the operator is told).
    const Drive* PickArchiveFolder();
    void ReportComplete();

    Program& program_;
    std::filesystem::path executable_;
    std::vector<Drive> drives_;
    QRadioButton* optArchive_;
    QRadioButton* optReinstall_;
    QRadioButton* chosen_ = nullptr; // the option last confirmed with OK
    QComboBox* Drive1_;
    QLabel* lblArchive_;
    QPushButton* cmdArchive_;
    QLabel* lblReinstall_;
    QPushButton* cmdReinstall_;
};

} // namespace rotaplan
