#pragma once

#include <QWidget>

class QLabel;

namespace rotaplan {

class Program;

// The first window: what the program is, and the way on.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(Program& program);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cmdContinue_Click();
    Program& program_;
    QLabel* lblVersion_;
    QLabel* lblCopyright_;
};

} // namespace rotaplan
