// Walks every form of the program on a generated folder, at a fixed date, and takes the
// pictures of docs/; scripts/screenshots.sh runs it on its own X display.
//   rotaplan_screenshots <program folder> <picture folder> [font points]
#include "BenchProgram.h"
#include "admin/frmArchive.h"
#include "admin/frmCompleted.h"
#include "admin/frmSetup.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "exports/DaySheet.h"
#include "frame/Translation.h"
#include "records/frmCallRecord.h"
#include "records/frmPrintSch.h"
#include "scheduling/frmCallslip.h"
#include "scheduling/frmShell.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QtTest/QTest>

using namespace rotaplan;

namespace {

constexpr Date ShotDay{2026, 12, 7}; // a Monday

struct FixedClock : Clock {
    DateTime Now() const override { return {ShotDay, 10, 0}; }
};

// The operator who goes on: Yes to a question (the folder was last used weeks before the
// pictures' day), OK to a notice; each told on standard error.
struct GoingOn : MessageBox {
    MessageAnswer Show(const std::string& text, const std::string&,
                       MessageButtons buttons) override {
        std::fprintf(stderr, "message: %.200s\n", text.c_str());
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};

class Camera {
public:
    explicit Camera(QString folder) : folder_(std::move(folder)) {}

    // The window as drawn, without the desktop's frame.
    void Take(QWidget* form, const char* name) {
        Settle(form);
        Save(form->grab(), name);
    }
    // The screen under the window and the drop-down open over it, which an activation of the
    // window would close.
    void TakeWithPopup(QWidget* form, const char* name) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            return Fail(name);
        QTest::qWait(300);
        const QRect area = form->frameGeometry().united(popup->frameGeometry());
        Save(form->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()), name);
    }
    // The modal dialog that the action opens, then left by its button, or as Cancel leaves.
    void TakeModal(const char* name, const std::function<void()>& action,
                   const char* button = nullptr) {
        QTimer::singleShot(0, [this, name, button] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return Fail(name);
            Take(dialog, name);
            if (button)
                QTest::mouseClick(dialog->findChild<QWidget*>(button), Qt::LeftButton);
            else
                dialog->reject();
        });
        action();
    }
    int Failures() const { return failures_; }
    void Fail(const char* what) {
        std::fprintf(stderr, "screenshots: %s not taken\n", what);
        ++failures_;
    }

    static void Settle(QWidget* form) {
        form->show();
        form->raise();
        form->activateWindow();
        if (QTest::qWaitForWindowExposed(form))
            QTest::qWait(300); // the last paint events
    }

private:
    void Save(const QPixmap& picture, const char* name) {
        if (!picture.save(folder_ + "/" + name))
            Fail(name);
    }

    QString folder_;
    int failures_ = 0;
};

template <class Control = QWidget> Control* Child(QWidget* form, const char* name) {
    auto* control = form->findChild<Control*>(name);
    if (!control)
        std::fprintf(stderr, "screenshots: no %s on %s\n", name,
                     form->objectName().toUtf8().constData());
    return control;
}

void Click(QWidget* form, const char* name) {
    if (QWidget* control = Child(form, name))
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2));
}

void Type(QWidget* form, const char* box, const char* text) {
    if (auto* edit = Child<QLineEdit>(form, box)) {
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
}

// What a caller on the telephone gives: a new customer, then a returning one.
void NewCustomer(QWidget* shell) {
    const std::pair<const char*, const char*> fields[] = {{"txtName", "Helen Okafor"},
                                                          {"txtStreet", "418 Birch Ave"},
                                                          {"txtApt", "Side door"},
                                                          {"txtCity", "Riverton"},
                                                          {"txtST", "IL"},
                                                          {"txtZip", "62561"},
                                                          {"txtTel", "217-555-0148"}};
    for (auto [box, text] : fields)
        Type(shell, box, text);
}

void Walk(Program& program, Camera& camera, const QString& pictures) {
    auto* splash = program.Loaded<frmSplash>();
    camera.Take(splash, "splash.png");
    Click(splash, "cmdContinue");
    camera.Take(program.Loaded<frmStartup>(), "main-menu.png");
    program.Loaded<frmStartup>()->hide();

    auto& setup = program.ShowAnew<frmSetup>();
    Child<QTabWidget>(&setup, "tabSetup")->setCurrentIndex(1);
    Camera::Settle(&setup);
    Child<QComboBox>(&setup, "cboAssignments")->showPopup();
    camera.TakeWithPopup(&setup, "setup-assignments.png");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    setup.hide();

    auto& shell = program.ShowAnew<frmShell>();
    NewCustomer(&shell);
    camera.Take(&shell, "intake.png");
    shell.Activate();
    Type(&shell, "txtName", "mary mi");
    camera.TakeWithPopup(&shell, "intake-recall.png");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    camera.Take(&shell, "intake-history.png");
    NewCustomer(&shell);
    Click(&shell, "cmdSchedule");

    QWidget* callslip = program.Loaded<frmCallslip>();
    for (int slot = 0; slot < SlotCount; ++slot)
        if (auto* box = Child<QLineEdit>(callslip, ("Text1_" + std::to_string(slot)).c_str());
            box && box->text() == "No Event Scheduled") {
            QTest::mouseClick(box, Qt::LeftButton);
            break;
        }
    camera.Take(callslip, "callslip.png");
    camera.TakeModal(
        "confirmation.png", [&] { Click(callslip, "cmdConfirm"); }, "cmdSchedule");
    program.Loaded<frmShell>()->hide(); // the next call's form

    auto& records = program.ShowAnew<frmCallRecord>();
    Type(&records, "txtFind", "Helen");
    Click(&records, "cmdFind");
    camera.Take(&records, "callrecord.png");
    records.hide();

    auto& schedule = program.ShowAnew<frmPrintSch>();
    camera.Take(&schedule, "schedule-view-small.png");
    Click(&schedule, "cmdView");
    camera.Take(&schedule, "schedule-view.png");
    schedule.hide();

    auto& completed = program.ShowAnew<frmCompleted>();
    camera.Take(&completed, "completed.png");
    program.Unload(&completed);

    camera.TakeModal("archive.png", [&] { program.Load<frmArchive>().exec(); });

    // The printed sheet, as PDF; the script draws it as a picture.
    QFile sheet(pictures + "/day-sheet.pdf");
    const auto sheets =
        DaySheets(program.Variables(), program.System().locale, 1, SheetDays(5, ShotDay, false));
    if (!sheet.open(QIODevice::WriteOnly) ||
        sheet.write(
            DaySheetPdf(sheets, LocalPaper(QLocale(QLocale::English, QLocale::UnitedStates)))) <= 0)
        camera.Fail("day-sheet.pdf");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder> <picture folder> [font points]\n",
                     argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    InstallTranslations(QLocale::system()); // as the program does
    if (argc > 3)
        QApplication::setFont(QFont("DejaVu Sans", std::atoi(argv[3])));
    const std::filesystem::path folder = argv[1];
    QtPlatform platform(folder);
    const Platform desktop = platform.Get();
    FixedClock clock;
    GoingOn messages;
    App program(folder,
                {clock, desktop.locale, messages, desktop.beep, desktop.instance, desktop.web,
                 desktop.drives, desktop.save, desktop.print},
                folder / "help" / "index.html");
    if (!program.Start())
        return 1;
    Camera camera(QString::fromLocal8Bit(argv[2]));
    Walk(program, camera, QString::fromLocal8Bit(argv[2]));
    return camera.Failures() ? 1 : 0;
}
