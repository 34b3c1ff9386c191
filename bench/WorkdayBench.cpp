// A working day's two waits, on a program folder, timed in this process against the floor of
// the same bytes:
//   workday_bench <folder> start   the first start of a new day, to the main menu, against a
//                                  flushed copy of the same Slips.txt; peak memory of the start
//   workday_bench <folder> exit N  N bookings as the confirmation makes them, then the common
//                                  exit, against a flushed write of what it appends
// Prints "name value" lines for bench/run-workday-benchmarks.sh.
#include "Baselines.h"
#include "BenchProgram.h"
#include "app/frmSplash.h"
#include "store/Booking.h"
#include "store/CallRecords.h"
#include "store/DaySchedule.h"
#include "store/SlipFile.h"

#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstring>
#include <optional>

namespace {

using namespace rotaplan;
using bench::Clock;
using bench::MsSince;
namespace fs = std::filesystem;

// When a window is first on screen, however busy the thread is after.
class FirstShown : public QObject {
public:
    explicit FirstShown(Clock::time_point start) : start_(start) {}
    std::optional<double> ms;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!ms && event->type() == QEvent::Show && watched->objectName() == "frmSplash")
            ms = MsSince(start_);
        return false;
    }

private:
    Clock::time_point start_;
};

int NewDayStart(const fs::path& folder) {
    const fs::path slips = folder / "Slips.txt", copy = folder / "Slips.copy";
    bench::ReadFileAligned(slips); // both find it in the page cache
    auto start = Clock::now();
    bench::CopyAndSync(slips, copy);
    const double floor = MsSince(start);
    fs::remove(copy);
    const double resident = bench::PeakMemoryMB();
    bench::ResetPeakMemory();
    start = Clock::now();
    FirstShown shown(start);
    qApp->installEventFilter(&shown);
    bench::BenchProgram bench(folder);
    if (!bench.Get().Start())
        return 1;
    auto* splash = bench.Get().Loaded<frmSplash>();
    QTest::mouseClick(splash->findChild<QPushButton*>("cmdContinue"), Qt::LeftButton);
    QApplication::processEvents(); // the main menu painted
    const double menu = MsSince(start);
    std::printf("copy_sync_ms %.1f\nnewday_start_ms %.1f\nratio %.2f\nsplash_shown_ms %.1f\n"
                "resident_before_mb %.1f\npeak_mb %.1f\n",
                floor, menu, menu / floor, shown.ms.value_or(-1), resident, bench::PeakMemoryMB());
    bench.Get().ExitProgram();
    return 0;
}

// Booked as the confirmation books: the day's slots marked, the record appended, the counter
// moved on; a day ahead, one free hour after another.
void Book(CrewdeskVariables& v, const Locale& locale, const Date& date, int slot) {
    auto hours = LoadDaySlots(v, 1, date);
    hours[static_cast<std::size_t>(slot)] = "SA " + v.CurrentSA;
    v.RecordBuffer = SlipRecord();
    v.RecordBuffer.Set(SlipField::Name, "Customer " + v.CurrentSA);
    v.RecordBuffer.Set(SlipField::Date, locale.ShortDate(date));
    v.RecordBuffer.Set(SlipField::Team, "1");
    v.RecordBuffer.Set(SlipField::Hours, "1");
    v.RecordBuffer.Set(SlipField::StartIndex, std::to_string(StartIndexForSlot(v.StartHour, slot)));
    v.RecordBuffer.Set(SlipField::Status, "Scheduled");
    if (const auto error = BookCall(v, hours))
        throw *error;
}

int ExitAfterBookings(const fs::path& folder, int bookings) {
    bench::BenchProgram bench(folder);
    if (!bench.Get().Start())
        return 1;
    CrewdeskVariables& v = bench.Get().Variables();
    const Locale& locale = bench.Get().System().locale;
    // Next year's days: the generated slips claim this year's hours.
    const Date first = ToWorkingDay(v.WorkWeek, bench.Get().System().clock.Today().AddDays(366));
    const auto slipsBefore = fs::file_size(folder / "Slips.txt");
    for (int i = 0; i < bookings; ++i)
        Book(v, locale, ToWorkingDay(v.WorkWeek, first.AddDays(i / SlotCount)), i % SlotCount);
    const std::string added = std::string(fs::file_size(folder / "Slips.txt") - slipsBefore, 'x');
    const auto start = Clock::now();
    bench.Get().ExitProgram();
    const double exit = MsSince(start);
    const fs::path scratch = folder / "Appended.copy";
    const auto floorStart = Clock::now();
    bench::WriteAndSync(scratch, added);
    const double floor = MsSince(floorStart);
    fs::remove(scratch);
    std::printf("bookings %d\nexit_ms %.1f\nappend_sync_ms %.1f\nratio %.2f\n", bookings, exit,
                floor, exit / floor);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::strcmp(argv[2], "start") != 0 && std::strcmp(argv[2], "exit") != 0)) {
        std::fprintf(stderr, "usage: workday_bench <program folder> start | exit [bookings]\n");
        return 2;
    }
    QApplication app(argc, argv);
    const fs::path folder = argv[1];
    if (std::strcmp(argv[2], "start") == 0)
        return NewDayStart(folder);
    return ExitAfterBookings(folder, argc > 3 ? std::atoi(argv[3]) : 30);
}
