#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rotaplan {

class Program;

// Pages through the booked slips to delete or reschedule one.
class frmCallRecord : public QWidget {
    Q_OBJECT
public:
    explicit frmCallRecord(Program& program);
    void Activate();
    std::int32_t RecordNo() const { return recordNo_; }
    // Shows record n of the slip file, as paging there would.
    void ShowRecord(std::int32_t recordNumber);

private:
    QWidget* CustomerFrame();
    QWidget* SlipDetails();

    void ClearRecord();
    void ResetSearch();
    void ShowNextRecord();
    void ShowCallRecord();
    // True once the slip is out of the slip file; a day that cannot be freed is told. The
    // crew's calendars cancel it, with `rescheduling` until it is booked again.
    bool DeleteCallRecord(bool rescheduling);
    void cmdCancel_Click();
    void cmdReschedule_Click();
    void cmdFind_Click();

    Program& program_;
    std::int32_t recordNo_ = 0;
    std::array<QLineEdit*, 7> customer_;
    QLineEdit* txtConf_;
    QLabel* txtAssigned_;
    QLineEdit* txtDate_;
    QLineEdit* txtDay_;
    QLineEdit* txtTime_;
    QLineEdit* txtStatus_;
    QLineEdit* txtFind_;
    QPushButton* cmdSearch_;
    QPushButton* cmdContinue_;
    QPushButton* cmdCancel_;
    QPushButton* cmdReschedule_;
    QPushButton* command3_;
};

} // namespace rotaplan
