// The call records' steps and the start-up purge on generated folders: one "&Next" step at
// two sizes, a day's details and a find that match nothing (each a whole pass over the slip
// file, against BM_FullScan), the move of past slips (against a flushed copy in the same run)
// and the purge of a year's day files.
#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/CustomerIndex.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Purge.h"
#include "store/SlipFile.h"
#include "store/SupportFile.h"

#include "Baselines.h"
#include "BenchFolders.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <unistd.h>
#include <vector>

using namespace rotaplan;
using namespace rotaplan::bench;
namespace fs = std::filesystem;

namespace {

// A scratch copy of a generated folder, removed at the end of the benchmark.
struct FolderCopy {
    explicit FolderCopy(const fs::path& source, const char* name)
        : path(fs::temp_directory_path() / name) {
        fs::remove_all(path);
        fs::copy(source, path, fs::copy_options::recursive);
    }
    ~FolderCopy() { fs::remove_all(path); }
    fs::path path;
};

void BM_NextStep(benchmark::State& state) {
    CrewdeskVariables v(state.range(0) == 0 ? SmallFolder() : LargeFolder());
    std::int32_t record = 0;
    for (auto _ : state) {
        OpenSlipFile(v);
        record = record % v.SlipCount + 1;
        ReadSlip(v, record);
        benchmark::DoNotOptimize(v.RecordBuffer.Bytes());
    }
    CloseAllFiles(v);
    state.counters["records"] = v.SlipCount;
}

// The day of the last slip booked, whose hours seldom fill its day: the scan reads the whole
// file, the customer index names the day's records. Both in each iteration; the scan's time is
// a counter beside it.
void BM_FillDayDetails(benchmark::State& state) {
    CrewdeskVariables v(state.range(0) == 0   ? SmallFolder()
                        : state.range(0) == 1 ? MediumFolder()
                                              : LargeFolder());
    OpenSlipFile(v);
    const SlipRecord last = v.SlipFileNumber->Read(v.SlipCount);
    CloseAllFiles(v);
    const std::string date = last.Trimmed(SlipField::Date), team = last.Trimmed(SlipField::Team);
    const UsEnglishLocale locale;
    while (!Customers(v, locale))
        ;
    double scanMs = 0;
    for (auto _ : state) {
        auto held = std::move(v.Customers); // without it, the scan
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(FillDayDetails(v, date, team));
        scanMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        v.Customers = std::move(held);
        start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(FillDayDetails(v, date, team));
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["scanMs"] = scanMs / static_cast<double>(state.iterations());
    state.counters["records"] = v.SlipCount;
}

void BM_FindNoMatch(benchmark::State& state) {
    CrewdeskVariables v(LargeFolder());
    for (auto _ : state)
        benchmark::DoNotOptimize(FindCallRecord(v, 0, "no such caller"));
    CloseAllFiles(v);
}

// The generator's slips run over a year from 5 January 2026: on 3 July about half are past.
// Every run is timed, the first too: the operator's move is the day's first. Each is paired
// with a flushed copy of the same Slips.txt; `ratio` is the median of the pairs.
void BM_MovePastSlips(benchmark::State& state) {
    FolderCopy folder(LargeFolder(), "rotaplan-bench-move");
    const fs::path slips = folder.path / "Slips.txt";
    const fs::path original = folder.path / "Slips.original";
    const fs::path copy = folder.path / "Slips.copy";
    fs::copy_file(slips, original);
    CrewdeskVariables v(folder.path);
    v.CurrentYear = "2026";
    v.DayOfYear = static_cast<std::int16_t>(Date{2026, 7, 3}.DayOfYear());
    UsEnglishLocale locale;
    std::vector<double> ratios;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(ProgramPath(v, CompletedSlipsFile));
        fs::copy_file(original, slips, fs::copy_options::overwrite_existing);
        ::sync(); // the copy's write-back is the set-up's, not the move's
        const auto floorStart = std::chrono::steady_clock::now();
        CopyAndSync(slips, copy);
        const std::chrono::duration<double> floor = std::chrono::steady_clock::now() - floorStart;
        fs::remove(copy);
        ResetPeakMemory();
        const auto start = std::chrono::steady_clock::now();
        state.ResumeTiming();
        MovePastSlips(v, locale);
        state.PauseTiming();
        ratios.push_back((std::chrono::steady_clock::now() - start) / floor);
        peak = std::max(peak, PeakMemoryMB());
        state.ResumeTiming();
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio"] = ratios[ratios.size() / 2];
    state.counters["peakMB"] = peak;
    state.counters["moved"] =
        static_cast<double>(fs::file_size(ProgramPath(v, CompletedSlipsFile)) / SlipRecordLength);
    state.counters["kept"] = static_cast<double>(fs::file_size(slips) / SlipRecordLength);
}

// On 31 December after a pause since 1 January: both teams' day files of 364 days go, and
// the 1,000 slips of the small folder, all past by then, move.
void BM_PurgePastDays(benchmark::State& state) {
    FolderCopy folder(SmallFolder(), "rotaplan-bench-purge");
    const std::string slips = disk::ReadWholeFile(folder.path / "Slips.txt");
    CrewdeskVariables v(folder.path);
    LoadAssignments(v);
    UsEnglishLocale locale;
    for (auto _ : state) {
        state.PauseTiming();
        v.CurrentYear = "2026";
        for (int team = 1; team <= v.TeamCount(); ++team)
            for (int day = 1; day <= 365; ++day) {
                v.DayFilePath = DayFileName(TeamRootFor(2026), team, day);
                NewDayFile(v);
            }
        disk::WriteFileAtomic(ProgramPath(v, PurgedDateFile), supportfile::NumberLine(1));
        disk::WriteFileAtomic(folder.path / "Slips.txt", slips);
        fs::remove(ProgramPath(v, CompletedSlipsFile));
        v.DayOfYear = 365;
        ::sync(); // day files are written days before they are purged
        state.ResumeTiming();
        PurgePastDays(v, locale);
    }
    state.counters["teams"] = v.TeamCount();
}

} // namespace

BENCHMARK(BM_NextStep)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillDayDetails)
    ->ArgName("size")
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Iterations(20) // the scan beside each would run for minutes before the index's total
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MovePastSlips)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PurgePastDays)->Iterations(5)->Unit(benchmark::kMillisecond);
