// A week's day sheets made into a PDF against the schedule view showing the same days, both
// on a started program: prints the best of five of each.
#include "exports/DaySheet.h"
#include "platform/qt/QtPlatform.h"
#include "records/frmPrintSch.h"

#include "BenchProgram.h"

#include <QCalendarWidget>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

using namespace rotaplan;

int main(int argc, char** argv) {
    return bench::RunStarted(argc, argv, "sheet_vs_view", [](QApplication&, Program& program) {
        auto& form = program.Load<frmPrintSch>();
        form.show();
        QApplication::processEvents();
        auto& v = program.Variables();
        const auto days = SheetDays(v.WorkWeek, form.SelectedDate(), true);
        auto* calendar = form.findChild<QCalendarWidget*>("Calender");
        double view = 1e9;
        double sheet = 1e9;
        qsizetype bytes = 0;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            for (const Date& day : days) {
                {
                    const QSignalBlocker quiet(calendar);
                    calendar->setSelectedDate(ToQDate(day));
                }
                form.Calender_Click();
                QApplication::processEvents();
            }
            view = std::min(view, static_cast<double>(timer.nsecsElapsed()) / 1e6);
            timer.restart();
            bytes = DaySheetPdf(DaySheets(v, program.System().locale, 1, days), Paper::A4).size();
            sheet = std::min(sheet, static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("schedule view of %zu days %.1f ms; their week sheet as PDF (%lld bytes) "
                    "%.1f ms: ratio %.2f (goal < 3)\n",
                    days.size(), view, static_cast<long long>(bytes), sheet, sheet / view);
        return 0;
    });
}
