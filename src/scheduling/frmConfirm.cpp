#include "scheduling/frmConfirm.h"

#include "exports/CrewCalendar.h"
#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "scheduling/frmCallslip.h"
#include "scheduling/frmShell.h"
#include "store/Booking.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rotaplan {

frmConfirm::frmConfirm(Program& program) : program_(program) {
    setObjectName("frmConfirm");
    setWindowTitle("Comfirmation ");
    setModal(true);

    auto box = [this](const char* name, const char* toolTip, const char* spoken) {
        auto* text = Named(new QLineEdit(this), name, toolTip);
        text->setAccessibleName(spoken);
        text->setReadOnly(true);
        text->setFocusPolicy(Qt::NoFocus);
        return text;
    };
    txtCallRecNo_ = box("txtCallRecNo", "SA Number for future Reference", "Service Attn No");
    txtDay_ = box("txtDay", "Day on which this attention will be scheduled", "Scheduled for");
    txtDate_ = box("txtDate", "Date on which this Attention will be Scheduled", "Date");
    txtTime_ = box("txtTime", "Time at whisch this attention will be scheduled", "Time");
    auto* cmdSchedule = Named(new QPushButton("&Confirm", this), "cmdSchedule",
                              "Completes the Scheduling of this Attention");
    auto* cmdCancel = Named(new QPushButton("Cancel", this), "cmdCancel",
                            "Cancels the Scheduling of this Attention");
    cmdSchedule->setDefault(true);
    connect(cmdSchedule, &QPushButton::clicked, this, &frmConfirm::cmdSchedule_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(Named(new QLabel("Service Attn No", this), "Label3"), 0, 0);
    grid->addWidget(txtCallRecNo_, 0, 1, 1, 3);
    grid->addWidget(Named(new QLabel("Scheduled for", this), "Label1"), 1, 0);
    grid->addWidget(txtDay_, 1, 1);
    grid->addWidget(Named(new QLabel("on", this), "Label2"), 1, 2);
    grid->addWidget(txtDate_, 1, 3);
    grid->addWidget(txtTime_, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSchedule);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

bool frmConfirm::Open(bool rescheduling) {
    rescheduling_ = rescheduling;
    Activate();
    return exec() == QDialog::Accepted;
}

void frmConfirm::Activate() {
    auto& v = program_.Variables();
    const auto& locale = program_.System().locale;
    const Date date = program_.Load<frmCallslip>().SelectedDate();
    txtCallRecNo_->setText(ToQt("SA " + v.CurrentSA));
    txtDay_->setText(ToQt(locale.WeekdayName(date)));
    txtDate_->setText(ToQt(locale.MonthName(date.month) + " " + std::to_string(date.day) + " ," +
                           std::to_string(date.year)));
    const int startIndex = std::atoi(v.RecordBuffer.Trimmed(SlipField::StartIndex).c_str());
    txtTime_->setText(ToQt(BookingStartText(v, startIndex)));
}

void frmConfirm::cmdSchedule_Click() {
    auto& v = program_.Variables();
    auto& callslip = program_.Load<frmCallslip>();
    std::optional<StoreError> counterError;
    try {
        counterError = BookCall(v, callslip.SlotTexts());
    } catch (const BookingFailed& failed) {
        program_.Report(failed, failed.Consequence());
        reject();
        return;
    }
    if (counterError)
        program_.Report(*counterError, "The call is booked. SA numbers go on from here while "
                                       "Rotaplan runs.");
    program_.CalendarsFollow([&] {
        if (rescheduling_)
            CallRebooked(v, program_.System().locale, v.RecordBuffer);
    });
    accept();
    callslip.hide();
    program_.ShowAnew<frmShell>();
}

} // namespace rotaplan
