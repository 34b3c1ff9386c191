#pragma once

#include <QWidget>
#include <array>

class QLineEdit;

namespace rotaplan {

class CustomerRecall;
class Program;

// The customer's details, typed while the caller is on the line.
class frmShell : public QWidget {
    Q_OBJECT
public:
    explicit frmShell(Program& program);
    void Activate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdSchedule_Click();
    Program& program_;
    std::array<QLineEdit*, 7> boxes_; // in tab order, which is the record's order
    CustomerRecall* recall_;
};

} // namespace rotaplan
