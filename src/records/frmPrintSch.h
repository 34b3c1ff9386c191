#pragma once

#include "platform/Date.h"
#include "store/Slots.h"

#include <QWidget>
#include <array>

class QCalendarWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace rotaplan {

class Program;

// One team's day hour by hour: the SA numbers, or the customers behind them.
class frmPrintSch : public QWidget {
    Q_OBJECT
public:
    explicit frmPrintSch(Program& program);
    void Activate();
    // The date selection, as a click on the calendar runs it.
    void Calender_Click();
    Date SelectedDate() const;

private:
    QGroupBox* DayFrame();
    QGroupBox* TimeFrame();

    void InitForm();
    void SelectDate(bool checkYear);
    void ShowDay(int team);
    void ClearSlots();
    void LoadDaySlots(int team);
    void FillDayDetails(int team);
    void SetDetail(int box, const QString& text, bool booked);
    void SetDate(const Date& date);
    void lstAssignto_Click(int row);

    Program& program_;
    QListWidget* lstAssignto_;
    QLabel* txtTeam_;
    QCalendarWidget* calender_;
    QGroupBox* frmDay_;
    std::array<QPlainTextEdit*, SlotCount> large_;
    std::array<QLineEdit*, SlotCount> small_;
    std::array<QLabel*, SlotCount> largeLabels_;
    std::array<QLabel*, SlotCount> smallLabels_;
    Date shownDate_{}; // the day the boxes show
};

} // namespace rotaplan
