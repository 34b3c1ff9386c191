#pragma once

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QRadioButton>

namespace rotaplan {

// A label that acts on a click: the logos and the web link. Tab reaches it, and Space or
// Enter act as the click; a screen reader hears it as a button.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);
    ClickLabel(const QString& text, QWidget* parent);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
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

// The program's logo as a clickable image with its name and tooltip; `action`, what its
// click does, is what a screen reader says.
ClickLabel* MakeLogo(QWidget* parent, const char* objectName, const char* toolTip,
                     const char* action, int size = 96);

// Readies a form for work by keys alone: Enter presses the focused button, and the focus
// shows from the moment the form appears, not only after the first Tab.
void ForKeyboard(QWidget* form);

// Makes a control with its object name and tooltip in one line.
template <class Control>
Control* Named(Control* control, const char* objectName, const char* toolTip = nullptr) {
    control->setObjectName(objectName);
    if (toolTip)
        control->setToolTip(toolTip);
    return control;
}

} // namespace rotaplan
