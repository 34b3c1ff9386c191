#include "admin/frmArchive.h"
#include "admin/frmCompleted.h"
#include "admin/frmSetup.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "frame/Translation.h"
#include "records/frmCallRecord.h"
#include "records/frmPrintSch.h"
#include "scheduling/frmCallslip.h"
#include "scheduling/frmConfirm.h"
#include "support/ProgramFixture.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTranslator>
#include <set>

namespace rotaplan {
namespace {

namespace fs = std::filesystem;
using namespace test;

class Frame : public test::ProgramTest {
protected:
    frmStartup& Menu() {
        WriteTeams("\"Leak\"\r\n\"No heat\"\r\n");
        return AtMenu();
    }
    static QWidget* VisibleForm(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == name && top->isVisible())
                return top;
        return nullptr;
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder.Path()))
            names.push_back(fs::relative(entry.path(), folder.Path()).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(Frame, FirstRunMakesTheFilesAndTheSplashOpensSetup) {
    platform.clock.now = {Date{2031, 6, 1}, 9, 0}; // past day 120: next year's folder too
    Started();
    EXPECT_EQ(FolderEntries(),
              (std::vector<std::string>{"2031", "2032", "Backup", "Counter.txt", "PurgedDate.txt",
                                        "Settings.txt", "Slips.txt"}));
    auto* splash = program->Loaded<frmSplash>();
    ASSERT_TRUE(splash && splash->isVisible());
    EXPECT_EQ(Find<QLabel>(splash, "lblVersion")->text(), "Version 2.0.0");
    EXPECT_TRUE(Find<QLabel>(splash, "lblCopyright")->text().endsWith("2031"));

    Click(splash, "cmdContinue"); // to Setup, as its first-run test walks on from there
    EXPECT_EQ(program->Loaded<frmStartup>(), nullptr);
}

TEST_F(Frame, ASecondCopyTouchesNothingAndADamagedSupportFileEndsTheStart) {
    WriteBytes(folder / "Counter.txt/x", "x"); // a folder, which no counter can replace
    platform.instance.alone = false;
    Answer({MessageAnswer::Ok, MessageAnswer::Ok});
    EXPECT_FALSE(MakeProgram().Start());
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"Counter.txt", "Counter.txt/x"}));
    platform.instance.alone = true;
    EXPECT_FALSE(MakeProgram().Start());
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[0], "Rotaplan is already Running!");
    EXPECT_NE(Shown()[1].find("Counter.txt"), std::string::npos) << Shown()[1];
    EXPECT_NE(Shown()[1].find("ends now"), std::string::npos) << Shown()[1];
    EXPECT_EQ(ReadBytes(folder / "Counter.txt/x"), "x");
}

TEST_F(Frame, BackupAndRestoreAskFirstAndCancelCopiesNothing) {
    auto& menu = Menu();
    WriteBytes(folder / "Backup/Assignto.txt", "\"Old\"\r\n");
    Trigger(&menu, "mnuBackup", {MessageAnswer::Cancel});
    EXPECT_EQ(ReadBytes(folder / "Backup/Assignto.txt"), "\"Old\"\r\n");
    EXPECT_EQ(LastBox(), "Backup Procedure|Backingup creates a copy of your\r\nFiles on your Hard "
                         "Disk\r\nThis is done Automatically every\r\ntime you end the "
                         "Program.\r\nYou can Backup at any time");
    Trigger(&menu, "mnuRestore", {MessageAnswer::Cancel});
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"North\"\r\n\"South\"\r\n");
    EXPECT_EQ(LastBox(), "Backup|Restores Common Files\r\nfrom Hard drive\r\n ALL Existing Files "
                         "ARE REPLACED");

    Trigger(&menu, "mnuRestore", {MessageAnswer::Ok}); // no box follows a copy
    EXPECT_EQ(ReadBytes(folder / "Assignto.txt"), "\"Old\"\r\n");
    EXPECT_EQ(program->Variables().Assignments,
              (std::vector<std::string>{"populated", "North", "South"}))
        << "a restore takes effect at the next start";
}

// Which files are copied is the store's concern; a Backup that cannot be written shows the try.
TEST_F(Frame, TheCloseBoxAndExitEndTheProgramAndBackUpButItsOwnCloseDoesNot) {
    for (bool closeBox : {true, false}) {
        auto& menu = Menu();
        menu.close();
        EXPECT_FALSE(program->Ended());
        fs::remove_all(folder / "Backup");
        WriteBytes(folder / "Backup", "a file where the folder should be");
        Answer({MessageAnswer::Ok});
        closeBox ? CloseBox(&menu) : Trigger(&menu, "mnuExit");
        EXPECT_TRUE(program->Ended()) << "even when the backup fails";
        EXPECT_NE(Shown().back().find("Backup"), std::string::npos) << Shown().back();
        fs::remove(folder / "Backup");
    }
}

// Keys and window actions as the operator uses them; the help window needs its file, and the
// web entries open their pages, the order form only after a Yes.
TEST_F(Frame, KeyboardAndWindowPaths) {
    auto& menu = Menu();
    EXPECT_EQ(menu.windowTitle(), "ROTAPLAN  - Main Menu");
    auto* completions = Find<QRadioButton>(&menu, "optCompletions");
    EXPECT_FALSE(completions->isEnabled() || completions->isHidden());
    for (const char* bytes : {"", "x"}) {
        WriteBytes(folder / "CompletedSlips.txt", bytes);
        menu.Activate();
        EXPECT_EQ(completions->isEnabled(), *bytes != 0) << "an empty file is no summary";
    }
    for (const char* from : {"the splash", "a form's Menu button"}) {
        ASSERT_EQ(menu.focusWidget(), Find<QWidget>(&menu, "cmdGosub")) << from;
        QTest::keyClick(menu.focusWidget(), Qt::Key_Return);
        QWidget* shell = VisibleForm("frmShell");
        ASSERT_NE(shell, nullptr) << from;
        Click(shell, "cmdExit");
    }
    const std::pair<const char*, const char*> choices[] = {{"optReschedule", "frmCallRecord"},
                                                           {"opt3", "frmPrintSch"}};
    for (auto [option, form] : choices) {
        Click(&menu, option);
        MinimizeAndRestore(&menu);
        EXPECT_TRUE(Find<QRadioButton>(&menu, option)->isChecked()) << "a restore is no new task";
        QTest::keyClick(menu.focusWidget(), Qt::Key_Return);
        QWidget* opened = VisibleForm(form);
        ASSERT_NE(opened, nullptr) << form;
        program->ShowMenu(opened);
    }
    completions->setChecked(true);
    Click(&menu, "cmdGosub");
    EXPECT_EQ(VisibleForm("frmCompleted"), nullptr) << "Goto follows only the three choices";

    Trigger(&menu, "mnuIndex", {MessageAnswer::Ok});
    EXPECT_NE(Shown().back().find((folder / "help.html").string() + " is not there"),
              std::string::npos);
    WriteBytes(folder / "help.html", "<p>Help</p>");
    Trigger(&menu, "mnuIndex");
    EXPECT_EQ(platform.web.helpFiles, std::vector<fs::path>{folder / "help.html"});

    Answer({MessageAnswer::No, MessageAnswer::Yes});
    for (const char* entry : {"mnuCompare", "mnuChecks", "mnuChecks"})
        Trigger(&menu, entry);
    ASSERT_EQ(platform.web.urls.size(), 2u) << "a declined order form opens nothing";
    EXPECT_NE(platform.web.urls[1].find("forms."), std::string::npos);
}

// What a screen reader would find nameless among the visible controls under an interface.
void Unnamed(QAccessibleInterface* parent, const QString& path, QStringList& missing) {
    static const std::set<QAccessible::Role> controls = {
        QAccessible::PushButton,  QAccessible::Button,   QAccessible::CheckBox,
        QAccessible::RadioButton, QAccessible::ComboBox, QAccessible::EditableText,
        QAccessible::List,        QAccessible::Table,    QAccessible::Tree,
        QAccessible::PageTab,     QAccessible::SpinBox,  QAccessible::Graphic,
        QAccessible::ListItem,    QAccessible::TreeItem};
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (!child || child->state().invisible || child->state().offscreen)
            continue;
        const QObject* object = child->object();
        const QString where =
            path + "/" +
            (object && !object->objectName().isEmpty() ? object->objectName() : QString::number(i));
        if (controls.count(child->role()) && child->text(QAccessible::Name).trimmed().isEmpty())
            missing << where + QString(" (role %1)").arg(child->role());
        Unnamed(child, where, missing);
    }
}

TEST_F(Frame, EveryVisibleControlOfEveryFormHasANameForAScreenReader) {
    WriteTeams();
    WriteBytes(folder / "CompletedSlips.txt",
               test::FileOf({test::CustomerSlip("SA 333-1", "1", "11/30/2026", "5", "1", "Ann",
                                                "555-0101")}));
    Started();
    QStringList missing;
    auto walk = [&](QWidget* form) {
        form->show();
        QApplication::processEvents();
        Unnamed(QAccessible::queryAccessibleInterface(form), form->objectName(), missing);
        EXPECT_TRUE(form->testAttribute(Qt::WA_KeyboardFocusChange))
            << form->objectName().toStdString() << ": the focus shows from the start";
    };
    walk(program->Loaded<frmSplash>());
    walk(&program->ShowAnew<frmStartup>());
    walk(&program->ShowAnew<frmShell>());
    walk(&program->ShowAnew<frmCallslip>());
    walk(&program->Load<frmConfirm>());
    program->Load<frmConfirm>().hide();
    walk(&program->ShowAnew<frmCallRecord>());
    auto& schedules = program->ShowAnew<frmPrintSch>();
    walk(&schedules);
    Click(&schedules, "cmdView");
    walk(&schedules);
    QStringList reached; // Tab in the large view never lands on the small view under it
    for (int press = 0; press < 30; ++press) {
        Key(Qt::Key_Tab);
        reached << Focused();
    }
    EXPECT_TRUE(reached.contains("Text1_0") && !reached.contains("Text1_8"))
        << reached.join(' ').toStdString();
    walk(&program->ShowAnew<frmCompleted>());
    auto& setup = program->ShowAnew<frmSetup>();
    auto* tabs = Find<QTabWidget>(&setup, "tabSetup");
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        walk(&setup);
    }
    walk(&program->Load<frmArchive>());
    program->Load<frmArchive>().hide();
    EXPECT_TRUE(missing.isEmpty()) << missing.join("\n").toStdString();
}

// F1 opens the help at the section of the form in front, or at the top on the main menu;
// Ctrl+Q on a working form is File > Exit.
TEST_F(Frame, HelpAboutAndCtrlQOnEveryForm) {
    auto& menu = Menu();
    WriteBytes(folder / "help.html", "<p>Help</p>");
    QString about;
    WhenModal([&](QDialog* box) {
        about = box->findChild<QLabel*>("qt_msgbox_label")->text();
        box->accept();
    });
    Trigger(&menu, "mnuAbout");
    for (const char* told : {"Rotaplan 2.0.0", "Copyright", "free of charge", "Qt " QT_VERSION_STR})
        EXPECT_TRUE(about.contains(told)) << told << " in " << about.toStdString();

    const std::tuple<const char*, const char*, const char*> forms[] = {
        {"", "frmStartup", ""},
        {"optReschedule", "frmCallRecord", "reschedule"},
        {"opt3", "frmPrintSch", "view"},
        {"opt1", "frmShell", "book"}};
    for (auto [option, name, section] : forms) {
        if (*option) {
            Click(&menu, option);
            QTest::keyClick(menu.focusWidget(), Qt::Key_Return);
        }
        QWidget* form = VisibleForm(name);
        ASSERT_NE(form, nullptr) << name;
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form)) << name;
        QTest::keyClick(form->focusWidget() ? form->focusWidget() : form, Qt::Key_F1);
        EXPECT_EQ(std::exchange(platform.web.helpSections, {}), std::vector<std::string>{section});
        if (name != std::string("frmShell"))
            program->ShowMenu(form);
        else
            QTest::keyClick(form->focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    }
    EXPECT_TRUE(program->Ended());
}

// The controls too small for what they say: a text wider or taller than its control, a
// wrapped text taller, a box that needs a scroll bar.
void Cut(QWidget* form, std::vector<std::string>& cut) {
    for (QWidget* control : form->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(control);
        auto* button = qobject_cast<QAbstractButton*>(control);
        auto* box = qobject_cast<QAbstractScrollArea*>(control);
        const QSize needed = label && label->wordWrap()
                                 ? QSize(0, label->heightForWidth(control->width()))
                             : label || (button && !button->text().isEmpty()) ? control->sizeHint()
                             : qobject_cast<QGroupBox*>(control) ? control->minimumSizeHint()
                                                                 : QSize();
        if (control->isVisible() &&
            (needed.width() > control->width() || needed.height() > control->height() ||
             (box && box->verticalScrollBar()->isVisible())))
            cut.push_back(control->objectName().toStdString());
    }
}

// The desktop's font at its usual sizes: every form grows with its texts.
TEST_F(Frame, NothingIsCutAtTheUsualFontSizes) {
    WriteTeams();
    // Booked yesterday for today's first hour: five lines in the large view.
    WriteBytes(folder / "Slips.txt", FileOf({CustomerSlip("337-1", "1", "12/4/2026", "3", "1",
                                                          "Margaret Fitz-Henry", "555")}));
    WriteBytes(folder / "CompletedSlips.txt",
               FileOf({CustomerSlip("330-1", "1", "11/30/2026", "3", "1", "Al", "555")}));
    WriteBytes(folder / "2026/Team# 1/338.txt", Day({{2, "SA 337-1"}}));
    const QFont standard = QApplication::font();
    for (int points : {0, 11, 13}) {
        if (points)
            QApplication::setFont(QFont("DejaVu Sans", points));
        Started();
        auto& schedule = program->ShowAnew<frmPrintSch>();
        Click(&schedule, "cmdView"); // the large view, with a booking of five lines
        std::vector<std::string> cut;
        for (QWidget* form : std::initializer_list<QWidget*>{
                 program->Loaded<frmSplash>(), &program->ShowAnew<frmStartup>(),
                 &program->ShowAnew<frmSetup>(), &program->ShowAnew<frmShell>(),
                 &program->ShowAnew<frmCallslip>(), &program->ShowAnew<frmCallRecord>(),
                 &program->ShowAnew<frmCompleted>(), &schedule}) {
            QApplication::processEvents();
            Cut(form, cut);
        }
        EXPECT_EQ(cut, std::vector<std::string>{}) << points << " pt";
        program.reset();
        QApplication::setFont(standard);
    }
}

// Under a Spanish locale the forms speak Spanish; the files stay those of the English run.
TEST_F(Frame, InSpanishTheFormsTranslateAndTheFilesDoNot) {
    std::map<std::string, std::string> written[2];
    for (bool spanish : {false, true}) {
        if (spanish)
            InstallTranslations(QLocale(QLocale::Spanish, QLocale::Spain));
        auto& menu = Menu();
        Trigger(&menu, "mnuModify");
        auto* setup = program->Loaded<frmSetup>();
        TypeInto(Find<QComboBox>(setup, "cboProblems"), "No heat");
        Click(setup, "cmdSavePC");
        const std::pair<QWidget*, const char*> titles[] = {
            {&menu, "ROTAPLAN  - Menú principal"},
            {setup, "Configuración de Rotaplan"},
            {program->Loaded<frmShell>(), "Datos del cliente    "},
            {program->Loaded<frmCallslip>(), "Programar aviso de servicio"},
            {program->Loaded<frmConfirm>(), "Confirmación "},
            {program->Loaded<frmPrintSch>(), "Agenda diaria de trabajo"}};
        for (auto [form, title] : titles)
            EXPECT_EQ(form->windowTitle(), spanish ? title : form->windowTitle()) << title;
        if (spanish) {
            EXPECT_EQ(Find<QAbstractButton>(setup, "cmdQuit")->text(), "&Menú");
        }
        Trigger(&menu, "mnuExit");
        for (const auto& file : fs::recursive_directory_iterator(folder.Path()))
            if (file.is_regular_file() && file.path().filename() != "CleanEnd.mark")
                written[spanish][file.path().string()] = ReadBytes(file.path());
        fs::remove_all(folder.Path());
        fs::create_directory(folder.Path());
    }
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    EXPECT_EQ(written[0], written[1]);
    EXPECT_GT(written[0].size(), 10u);
}

} // namespace
} // namespace rotaplan
