// The intake's customer index as the operator meets it, on the generated folders of 1,000,
// 100,000 and 1,000,000 slips: its build against a plain read of the same two files (both in
// each iteration, so the ratio holds on a machine shared with others), the memory the index
// holds and the peak of its build; and the keystrokes of a name typed right after the start,
// while the index is read, the first once it is complete, and the ones after.
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/CustomerIndex.h"
#include "store/SlipFile.h"

#include "Baselines.h"
#include "BenchFolders.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <malloc.h>
#include <thread>

using namespace rotaplan;
using namespace rotaplan::bench;
namespace fs = std::filesystem;

namespace {

const UsEnglishLocale Locale;

fs::path FolderOf(const benchmark::State& state) {
    switch (state.range(0)) {
    case 0:
        return SmallFolder();
    case 1:
        return MediumFolder();
    default:
        return LargeFolder();
    }
}

// The heap in use now, in MB: what an object holds, whatever the process keeps for reuse.
double HeapMB() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / 1e6;
}

// A name of the folder typed letter by letter: the customer of the slip halfway through.
std::string NameOf(const fs::path& folder) {
    const fs::path file = folder / (fs::exists(folder / "CompletedSlips.txt") &&
                                            fs::file_size(folder / "CompletedSlips.txt") > 0
                                        ? "CompletedSlips.txt"
                                        : "Slips.txt");
    SlipFile slips(file);
    return slips.Read(slips.Count() / 2).Trimmed(SlipField::Name);
}

// Each iteration reads both files once, then builds the index from them: the build's time is
// the benchmark's, the read's a counter beside it.
void BM_BuildAgainstRead(benchmark::State& state) {
    const fs::path folder = FolderOf(state);
    double readMs = 0, heldMB = 0, peakMB = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        for (const char* name : {"Slips.txt", "CompletedSlips.txt"})
            if (fs::exists(folder / name))
                benchmark::DoNotOptimize(ReadFileAligned(folder / name));
        readMs += MsSince(start);
        const double before = HeapMB();
        ResetPeakMemory();
        const double peakBefore = PeakMemoryMB();
        start = Clock::now();
        CustomerIndex index(folder / "Slips.txt", folder / "CompletedSlips.txt", Locale);
        index.Open();
        index.Build();
        state.SetIterationTime(MsSince(start) / 1000);
        heldMB = HeapMB() - before;
        peakMB = PeakMemoryMB() - peakBefore;
    }
    state.counters["readMs"] = readMs / static_cast<double>(state.iterations());
    state.counters["heldMB"] = heldMB;
    state.counters["peakMB"] = peakMB;
}

// The start: the index read on its worker thread while a name is typed. A keystroke right
// after the start finds it still reading and returns at once; the first once it is complete
// reads its rows back for the first time; the rest are as any.
void BM_Keystrokes(benchmark::State& state) {
    const fs::path folder = FolderOf(state);
    const std::string name = NameOf(folder);
    double whileReadingMs = 0, readyAfterMs = 0, firstMs = 0, laterMs = 0;
    for (auto _ : state) {
        CrewdeskVariables v(folder);
        const auto started = Clock::now();
        benchmark::DoNotOptimize(Customers(v, Locale));
        whileReadingMs += MsSince(started);
        while (!CompleteCustomers(v))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        readyAfterMs += MsSince(started);
        for (std::size_t k = 1; k <= name.size(); ++k) {
            const auto start = Clock::now();
            benchmark::DoNotOptimize(Customers(v, Locale)->ByName(name.substr(0, k), 8));
            (k == 1 ? firstMs : laterMs) += MsSince(start);
        }
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["whileReadingMs"] = whileReadingMs / n;
    state.counters["readyAfterMs"] = readyAfterMs / n;
    state.counters["firstKeyMs"] = firstMs / n;
    state.counters["laterKeyMs"] =
        laterMs / n / static_cast<double>(std::max<std::size_t>(name.size() - 1, 1));
}

} // namespace

BENCHMARK(BM_BuildAgainstRead)
    ->ArgName("size")
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystrokes)->ArgName("size")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
