#pragma once

#include <QWidget>

namespace rotaplan {

class Program;

class frmSetup : public QWidget {
    Q_OBJECT
public:
    explicit frmSetup(Program& program);

private:
    Program& program_;
};

} // namespace rotaplan
