#pragma once

#include "app/App.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "platform/fake/FakePlatform.h"
#include "scheduling/frmShell.h"
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
    template <class Handler> static void WhenModal(Handler handler) {
        QTimer::singleShot(0, [handler] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
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
