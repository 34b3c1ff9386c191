#include "frame/Widgets.h"

#include <QMouseEvent>

namespace rotaplan {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void OptionButton::mouseDoubleClickEvent(QMouseEvent* event) {
    QRadioButton::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

QComboBox* TypedCombo(QWidget* parent, const char* objectName, const char* toolTip) {
    auto* combo = Named(new QComboBox(parent), objectName, toolTip);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    return combo;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {48, 128, 256})
        icon.addFile(QString(":/rotaplan/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

ClickLabel* MakeLogo(QWidget* parent, const char* objectName, const char* toolTip, int size) {
    auto* logo = Named(new ClickLabel(parent), objectName, toolTip);
    // Drawn for the screen's pixel ratio, so that it stays sharp on a high-density screen.
    logo->setPixmap(ProgramIcon().pixmap(QSize(size, size), logo->devicePixelRatioF()));
    logo->setCursor(Qt::PointingHandCursor);
    logo->setFixedSize(size, size);
    return logo;
}

} // namespace rotaplan
