#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QProgressBar;

namespace rotaplan {

class Program;

// The first window: what the program is, and the way on.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(Program& program);
    // A long start-up step: the window is shown at once, the bar while done < total.
    void ShowProgress(std::int64_t done, std::int64_t total);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cmdContinue_Click();
    Program& program_;
    QLabel* lblVersion_;
    QLabel* lblCopyright_;
    QProgressBar* prgMoving_;
};

} // namespace rotaplan
