#pragma once

#include <QDialog>

class QLineEdit;

namespace rotaplan {

class Program;

// The last look before a booking is written.
class frmConfirm : public QDialog {
    Q_OBJECT
public:
    explicit frmConfirm(Program& program);
    // Shows the confirmation modally; true when the call was booked. `rescheduling` books it
    // in place of the call just taken off.
    bool Open(bool rescheduling);
    void Activate();

private:
    void cmdSchedule_Click();
    Program& program_;
    bool rescheduling_ = false;
    QLineEdit* txtCallRecNo_;
    QLineEdit* txtDay_;
    QLineEdit* txtDate_;
    QLineEdit* txtTime_;
};

} // namespace rotaplan
