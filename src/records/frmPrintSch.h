#pragma once

#include "platform/Date.h"
#include "store/Slots.h"

#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace rotaplan {

class Program;
struct DaySheet;

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
    QGroupBox* ExportFrame();

    void InitForm();
    void ShowLargeView(bool large);
    void SelectDate(bool checkYear);
    void ShowDay(int team);
    void ClearSlots();
    void LoadDaySlots(int team);
    void FillDayDetails(int team);
    void SetDetail(int box, const QString& text, bool booked);
    void SetDate(const Date& date);
    void lstAssignto_Click(int row);
    // The team's day, or its working week, on paper, as PDF, into a phone calendar.
    void PrintSheet(bool week);
    void SaveSheetPdf(bool week);
    void ExportCalendar();
    // The folder the crew's calendars are published into, taken when typing ends.
    void txtPublish_Done();
    bool ReadSheets(bool week, std::vector<DaySheet>& sheets);
    std::string TeamName() const;
    // "North 2026-12-04", "North week of 2026-12-04": the print job's name and the PDF's.
    std::string SheetName(bool week) const;

    Program& program_;
    QListWidget* lstAssignto_;
    QLabel* txtTeam_;
    QCalendarWidget* calender_;
    QGroupBox* frmDay_;
    QComboBox* cboCalendarSpan_;
    QLineEdit* txtPublish_;
    std::array<QPlainTextEdit*, SlotCount> large_;
    std::array<QLineEdit*, SlotCount> small_;
    std::array<QLabel*, SlotCount> largeLabels_;
    std::array<QLabel*, SlotCount> smallLabels_;
    Date shownDate_{}; // the day the boxes show
};

} // namespace rotaplan
