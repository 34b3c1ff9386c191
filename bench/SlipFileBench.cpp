// The slip file's three costs against what the machine does with the same bytes:
// a full scan against reading the file, one append at two sizes, the removal rewrite
// against a flushed copy. Folders come from rotaplan_generate (see README.md).
#include "store/Booking.h"
#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Mend.h"
#include "store/SlipFile.h"

#include "Baselines.h"
#include "BenchFolders.h"

#include <benchmark/benchmark.h>

using namespace rotaplan;
using namespace rotaplan::bench;
namespace fs = std::filesystem;

namespace {

void BM_FullScan(benchmark::State& state) {
    CrewdeskVariables v(LargeFolder());
    std::int64_t bytes = 0;
    for (auto _ : state) {
        OpenSlipFile(v);
        std::size_t blanks = 0;
        for (std::int32_t i = 1; i <= v.SlipCount; ++i) {
            ReadSlip(v, i);
            blanks += v.RecordBuffer.Bytes()[SlipRecordLength - 1] == ' ';
        }
        benchmark::DoNotOptimize(blanks);
        bytes += static_cast<std::int64_t>(v.SlipCount) * SlipRecordLength;
        CloseAllFiles(v);
    }
    state.SetBytesProcessed(bytes);
    state.counters["records"] = v.SlipCount;
    state.counters["peakMB"] = PeakMemoryMB();
}

// The floor of the scan: the same file read whole through an aligned buffer.
void BM_CatBaseline(benchmark::State& state) {
    const fs::path file = LargeFolder() / "Slips.txt";
    std::int64_t bytes = 0;
    for (auto _ : state)
        bytes += static_cast<std::int64_t>(ReadFileAligned(file));
    state.SetBytesProcessed(bytes);
}

void BM_Append(benchmark::State& state) {
    const fs::path folder = state.range(0) == 0 ? SmallFolder() : LargeFolder();
    const fs::path file = folder / "Slips.txt";
    const auto length = fs::file_size(file);
    CrewdeskVariables v(folder);
    v.RecordBuffer.Set(SlipField::SANumber, "SA 1-1");
    for (auto _ : state) {
        std::int32_t written = 0;
        AppendSlip(v, written);
    }
    fs::resize_file(file, length);
    state.counters["records"] = static_cast<double>(length / SlipRecordLength);
}

// A whole booking's three writes: day file, slip record, counter. The folder is put back
// as it was afterwards.
void BM_Booking(benchmark::State& state) {
    const fs::path folder = state.range(0) == 0 ? SmallFolder() : LargeFolder();
    const fs::path slips = folder / "Slips.txt";
    const auto length = fs::file_size(slips);
    const std::string counter = disk::ReadWholeFile(folder / "Counter.txt");
    CrewdeskVariables v(folder);
    const Date day{2031, 6, 2};
    LoadCounter(v, day);
    v.TeamRoot = TeamRootFor(day.year);
    v.RecordBuffer.Set(SlipField::Date, "6/2/2031");
    std::array<std::string, SlotCount> marked;
    marked.fill(NoEventScheduled);
    marked[2] = "SA " + v.CurrentSA;
    for (auto _ : state) {
        state.PauseTiming();
        LoadDay(v, 1, day);
        if (v.NextSeq > 900) // the SA field holds three digits of sequence
            v.NextSeq = 1;
        state.ResumeTiming();
        benchmark::DoNotOptimize(BookCall(v, marked));
    }
    fs::resize_file(slips, length);
    disk::WriteFileAtomic(folder / "Counter.txt", counter);
    fs::remove_all(folder / "2031");
    fs::remove(folder / "Journal.log"); // the generated folders have none
    state.counters["records"] = static_cast<double>(length / SlipRecordLength);
}

// The start-up check on a copy of the 100,000-slip folder, once it has been mended: what a
// healthy folder costs at every start.
void BM_MendHealthy(benchmark::State& state) {
    const fs::path source = MediumFolder();
    const fs::path folder = fs::temp_directory_path() / "rotaplan-bench-mend";
    fs::remove_all(folder);
    fs::copy(source, folder, fs::copy_options::recursive);
    CrewdeskVariables v(folder);
    LoadAssignments(v);
    UsEnglishLocale locale;
    const Date today{2026, 1, 5}; // the generator's default first day
    LoadCounter(v, today);
    MendFolder(v, today, locale);
    std::size_t lines = 0;
    for (auto _ : state) {
        const MendReport report = MendFolder(v, today, locale);
        lines = report.interrupted.size() + report.damage.size() + report.unheld.size() +
                report.orphans.size();
    }
    state.counters["reportedLines"] = static_cast<double>(lines);
    fs::remove_all(folder);
}

void BM_RemovalRewrite(benchmark::State& state) {
    CrewdeskVariables v(LargeFolder());
    for (auto _ : state) {
        OpenSlipFile(v);
        const std::int32_t middle = v.SlipCount / 2;
        ReadSlip(v, middle);
        RemoveSlip(v, middle);
        state.PauseTiming();
        std::int32_t written = 0;
        AppendSlip(v, written); // keep the file at its size for the next round
        state.ResumeTiming();
    }
}

// The floor of the rewrite: the same file copied, only the copy flushed.
void BM_CopySyncBaseline(benchmark::State& state) {
    const fs::path from = LargeFolder() / "Slips.txt";
    const fs::path to = LargeFolder() / "copy.txt";
    for (auto _ : state)
        benchmark::DoNotOptimize(CopyAndSync(from, to));
    fs::remove(to);
}

} // namespace

BENCHMARK(BM_CatBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Append)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Booking)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MendHealthy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopySyncBaseline)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemovalRewrite)->Iterations(3)->Unit(benchmark::kMillisecond);
