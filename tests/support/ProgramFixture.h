#pragma once

#include "app/App.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "platform/fake/FakePlatform.h"
#include "scheduling/frmShell.h"
#include "store/CustomerIndex.h"
#include "support/StoreChecks.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QtTest/QTest>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace rotaplan::test {

// A program on a fresh folder with every platform service faked.
class ProgramTest : public ::testing::Test {
protected:
    TempFolder folder;
    fake::FakePlatform platform;
    std::unique_ptr<App> program;

    App& MakeProgram() {
        program = std::make_unique<App>(folder.Path(), platform.Get(), folder / "help.html");
        return *program;
    }
    // The two teams and the problem list most tests start from.
    void WriteTeams(const char* problems = "\"Leak\"\r\n") {
        WriteBytes(folder / "Assignto.txt", "\"North\"\r\n\"South\"\r\n");
        WriteBytes(folder / "ProblemCode.txt", problems);
    }
    // Starts with every message box answered OK, as an operator would.
    App& Started() {
        MakeProgram();
        EXPECT_TRUE(program->Start());
        // The customers are read meanwhile; typing offers them once they are.
        while (program->Variables().Customers && !CompleteCustomers(program->Variables()))
            std::this_thread::yield();
        return *program;
    }
    void TearDown() override {
        program.reset();
        QApplication::processEvents();
    }

    template <class Control = QWidget> Control* Find(QWidget* form, const char* name) {
        auto* control = form->findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // Near the left edge, where an option button's indicator and caption are.
    void Click(QWidget* form, const char* name) {
        QWidget* control = Find(form, name);
        control->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(control->window())) << name;
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2));
    }
    // From the splash of a started program through the main menu's Goto to the intake form.
    frmShell* OpenIntake() {
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        Click(program->Loaded<frmStartup>(), "cmdGosub");
        return program->Loaded<frmShell>();
    }
    void Trigger(QWidget* form, const char* name) { Find<QAction>(form, name)->trigger(); }
    // The window in front, which the window system makes the active one.
    static QWidget* Front() {
        QApplication::processEvents();
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            window = QApplication::activeWindow();
        if (!window || !window->isVisible())
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible() &&
                    (top->windowType() == Qt::Window || top->windowType() == Qt::Dialog))
                    window = top;
        EXPECT_TRUE(window && window->isVisible()) << "no window in front";
        if (window && QApplication::activeWindow() != window) {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    // A key as the operator presses it: into the open drop-down, else the focused control of
    // the window in front.
    static void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QApplication::processEvents();
        QWidget* target = QApplication::activePopupWidget();
        if (target && target->isAncestorOf(target->focusWidget()))
            target = target->focusWidget(); // the list inside a combo box's drop-down
        if (!target) {
            QWidget* window = Front();
            ASSERT_NE(window, nullptr);
            target = window->focusWidget() ? window->focusWidget() : window;
        }
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        if (modifiers & Qt::AltModifier)
            QTest::qWait(150); // a mnemonic shows its button pressed a moment before the click
    }
    static void Keys(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // Tab until the control named has the focus, as the operator would.
    static void TabTo(const char* name) {
        for (int presses = 0; presses < 40 && Focused() != name; ++presses)
            Key(Qt::Key_Tab);
        ASSERT_EQ(Focused(), name) << "Tab never reaches it";
    }
    // The focused control's name.
    static QString Focused() {
        QWidget* window = Front();
        QWidget* focus = window ? window->focusWidget() : nullptr;
        return focus ? focus->objectName() : QString();
    }
    // Typed over as the operator types, on the active window, where a completer would act.
    static void TypeInto(QComboBox* combo, const char* text) {
        combo->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(combo->window()));
        combo->setFocus();
        combo->clearEditText();
        QTest::keyClicks(combo, QString::fromUtf8(text));
    }
    // The operator's minimize and restore, with the events the window system sends between.
    static void MinimizeAndRestore(QWidget* form) {
        form->showMinimized();
        QApplication::processEvents();
        form->showNormal();
        QApplication::processEvents();
    }
    // What the window system sends when the operator uses the close box.
    static void CloseBox(QWidget* form) {
        QCloseEvent event;
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(form, &event); // sendEvent would clear the spontaneous mark
    }
    // Runs the handler inside the next modal dialog's own event loop, once it is up.
    // A key's own processing of events may come first: the handler waits a few rounds.
    template <class Handler> static void WhenModal(Handler handler, int rounds = 3) {
        QTimer::singleShot(0, [handler, rounds] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog && rounds > 0)
                return WhenModal(handler, rounds - 1);
            ASSERT_NE(dialog, nullptr) << "no modal dialog is open";
            handler(dialog);
        });
    }
    void Answer(std::initializer_list<MessageAnswer> answers) {
        platform.messages.answers.insert(platform.messages.answers.end(), answers);
    }
    // Texts of every box shown so far.
    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& box : platform.messages.shown)
            texts.push_back(box.text);
        return texts;
    }
    // Started and past the splash, at the main menu.
    frmStartup& AtMenu() {
        Started();
        Click(program->Loaded<frmSplash>(), "cmdContinue");
        return *program->Loaded<frmStartup>();
    }
    // With the boxes that follow answered so.
    void Click(QWidget* form, const char* name, std::initializer_list<MessageAnswer> answers) {
        Answer(answers);
        Click(form, name);
    }
    void Trigger(QWidget* form, const char* name, std::initializer_list<MessageAnswer> answers) {
        Answer(answers);
        Trigger(form, name);
    }
    // The title of the last box shown, "|" and its text.
    std::string LastBox() const {
        const auto& box = platform.messages.shown.back();
        return box.title + "|" + box.text;
    }
};

} // namespace rotaplan::test
