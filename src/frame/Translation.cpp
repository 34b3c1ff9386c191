#include "frame/Translation.h"

#include "platform/qt/QtPlatform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTranslator>
#include <QTreeWidget>

namespace rotaplan {

namespace {

QString Look(const QString& text) {
    return TranslatedLines(text);
}

} // namespace

void InstallTranslations(const QLocale& locale) {
    // Owned by the application, which ends with the program.
    auto* qt = new QTranslator(qApp);
    if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto* own = new QTranslator(qApp);
    if (own->load(locale, "rotaplan", "_", ":/i18n"))
        QCoreApplication::installTranslator(own);
}

void TranslateTexts(QWidget* form) {
    form->setWindowTitle(Look(form->windowTitle()));
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    for (QWidget* widget : widgets) {
        widget->setToolTip(Look(widget->toolTip()));
        widget->setAccessibleName(Look(widget->accessibleName()));
        widget->setAccessibleDescription(Look(widget->accessibleDescription()));
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setPlaceholderText(Look(edit->placeholderText()));
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(Look(label->text()));
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(Look(button->text()));
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(Look(group->title()));
        else if (auto* text = qobject_cast<QPlainTextEdit*>(widget); text && text->isReadOnly())
            text->setPlainText(TranslatedLines(text->toPlainText()));
        else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i)
                combo->setItemText(i, Look(combo->itemText(i)));
        else if (auto* tree = qobject_cast<QTreeWidget*>(widget))
            for (int c = 0; c < tree->columnCount(); ++c)
                tree->headerItem()->setText(c, Look(tree->headerItem()->text(c)));
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                tabs->setTabText(i, Look(tabs->tabText(i)));
        if (auto* menu = qobject_cast<QMenu*>(widget))
            menu->setTitle(Look(menu->title()));
    }
    for (QAction* action : form->findChildren<QAction*>())
        action->setText(Look(action->text()));
}

} // namespace rotaplan
