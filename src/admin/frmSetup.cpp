#include "admin/frmSetup.h"

#include "frame/Program.h"
#include "frame/Widgets.h"

#include <QBoxLayout>
#include <QLabel>

namespace rotaplan {

frmSetup::frmSetup(Program& program) : program_(program) {
    setObjectName("frmSetup");
    setWindowTitle("Rotaplan Setup Form");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("The Setup form is not built yet.", this));
}

} // namespace rotaplan
