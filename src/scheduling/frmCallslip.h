#pragma once

#include "platform/Date.h"
#include "store/Slots.h"

#include <QWidget>
#include <array>
#include <string>

class QCalendarWidget;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace rotaplan {

class Program;

// Team, day and hours of one booking.
class frmCallslip : public QWidget {
    Q_OBJECT
public:
    explicit frmCallslip(Program& program);

    // The reset: default date and choices (or the rescheduled record's), the day reloaded.
    void Activate();
    void Calender_AfterUpdate();
    void Text1_Click(int index);
    void txtTimeReq_Click();
    void cboService_LostFocus();

    // What the confirmation shows and books.
    Date SelectedDate() const;
    std::array<std::string, SlotCount> SlotTexts() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CustomerFrame();
    QWidget* HoursFrame();
    QWidget* SlotFrame();

    void LoadCallSlip();
    void ResetChoices();
    void SelectTeam(int row);
    void ClearSlots();
    void ResetSlots();
    void LoadScheduledDay();
    void SetSlot(int index, const std::string& text, bool marked);
    void SetHours(int hours);
    void StepHours(int step); // as the up/down control: within 1 to 8
    bool SlotKey(QObject* watched, QKeyEvent* event);
    void ShowProblem(const QString& text);
    // The hours box as a number 1..8; anything else is put right (with a beep) and gives 0.
    int Hours();
    void cmdConfirm_Click();
    void cmdRedo_Click();

    Program& program_;
    std::array<QLineEdit*, 7> customer_;
    QListWidget* lstAssignto_;
    QCalendarWidget* calender_;
    QLineEdit* txtTimeReq_;
    std::array<QLineEdit*, SlotCount> slots_;
    std::array<QLabel*, SlotCount> labels_;
    std::array<bool, SlotCount> marked_{}; // the "Scheduling" tag
    QComboBox* cboService_;
    QPushButton* cmdConfirm_;
    bool asking_ = false; // the new-problem question is open
};

} // namespace rotaplan
