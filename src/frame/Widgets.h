#pragma once

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QRadioButton>

namespace rotaplan {

// A label that acts on a click: the logos and the web link.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// An option button that also answers a double click.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// An editable combo box that keeps what the operator types: no completion fills it in, and
// leaving it never swaps the text for an entry of another letter case.
QComboBox* TypedCombo(QWidget* parent, const char* objectName, const char* toolTip);

// The program's icon in each size it is drawn in, for windows and logos alike.
QIcon ProgramIcon();

// The program's logo as a clickable image with its name and tooltip.
ClickLabel* MakeLogo(QWidget* parent, const char* objectName, const char* toolTip, int size = 96);

// Makes a control with its object name and tooltip in one line.
template <class Control>
Control* Named(Control* control, const char* objectName, const char* toolTip = nullptr) {
    control->setObjectName(objectName);
    if (toolTip)
        control->setToolTip(toolTip);
    return control;
}

} // namespace rotaplan
