#include "frame/Widgets.h"

#include <QAccessibleWidget>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFocusRect>

namespace rotaplan {

namespace {

class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return static_cast<QLabel*>(widget())->text(); // the web link says what it opens
        return own;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            emit static_cast<ClickLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* ClickLabelInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(ClickLabel::staticMetaObject.className()))
        return new ClickLabelAccessible(static_cast<ClickLabel*>(object));
    return nullptr;
}

void ReadyForKeys(ClickLabel* label) {
    static const bool installed = [] {
        QAccessible::installFactory(ClickLabelInterface);
        return true;
    }();
    (void)installed;
    label->setFocusPolicy(Qt::TabFocus); // a click acts, it does not take the focus
}

// A form shown is marked as moved by keys, so that the style draws the focus at once.
class FocusShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            static_cast<QWidget*>(watched)->setAttribute(Qt::WA_KeyboardFocusChange);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    ReadyForKeys(this);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    ReadyForKeys(this);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

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

ClickLabel* MakeLogo(QWidget* parent, const char* objectName, const char* toolTip,
                     const char* action, int size) {
    auto* logo = Named(new ClickLabel(parent), objectName, toolTip);
    logo->setAccessibleName(action);
    // Drawn for the screen's pixel ratio, so that it stays sharp on a high-density screen.
    logo->setPixmap(ProgramIcon().pixmap(QSize(size, size), logo->devicePixelRatioF()));
    logo->setCursor(Qt::PointingHandCursor);
    logo->setFixedSize(size, size);
    return logo;
}

void ForKeyboard(QWidget* form) {
    for (auto* button : form->findChildren<QPushButton*>())
        button->setAutoDefault(true);
    form->installEventFilter(new FocusShown(form));
    // The parts of Qt's own controls are named too, so that a screen reader says what they do.
    for (auto* combo : form->findChildren<QComboBox*>())
        if (combo->lineEdit())
            combo->lineEdit()->setAccessibleName(combo->accessibleName());
    for (auto* calendar : form->findChildren<QCalendarWidget*>()) {
        const std::pair<const char*, QString> parts[] = {
            {"qt_calendar_prevmonth", "Previous month"},
            {"qt_calendar_nextmonth", "Next month"},
            {"qt_calendar_calendarview", calendar->accessibleName()}};
        for (const auto& [name, spoken] : parts)
            if (auto* part = calendar->findChild<QWidget*>(name))
                part->setAccessibleName(spoken);
    }
}

} // namespace rotaplan
