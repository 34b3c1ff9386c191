// The intake's customer index: its build against one plain read of the same two files, the
// memory it holds, and one keystroke's lookup at 1,000 and at 1,000,000 slips.
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/CustomerIndex.h"
#include "store/SlipFile.h"

#include "BenchFolders.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

using namespace rotaplan;
using namespace rotaplan::bench;
namespace fs = std::filesystem;

namespace {

const UsEnglishLocale Locale;

// Resident memory now, in MB.
double RssMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

std::vector<fs::path> RecordFiles(const fs::path& folder) {
    return {folder / "Slips.txt", folder / "CompletedSlips.txt"};
}

// Both files read front to back in the index's block size, nothing done with the bytes.
void BM_RawScan(benchmark::State& state) {
    std::vector<char> buffer(4096 * SlipRecordLength);
    std::int64_t bytes = 0;
    for (auto _ : state)
        for (const fs::path& file : RecordFiles(LargeFolder())) {
            const int fd = ::open(file.c_str(), O_RDONLY);
            if (fd < 0)
                continue;
            ssize_t n = 0;
            while ((n = ::read(fd, buffer.data(), buffer.size())) > 0)
                bytes += n;
            ::close(fd);
        }
    state.SetBytesProcessed(bytes);
}

void BM_Build(benchmark::State& state) {
    const auto files = RecordFiles(LargeFolder());
    double heldMb = 0;
    for (auto _ : state) {
        const double before = RssMb();
        CustomerIndex index(Locale);
        index.Build(files[0], files[1]);
        heldMb = RssMb() - before;
        benchmark::DoNotOptimize(index);
    }
    state.counters["heldMB"] = heldMb;
    state.counters["maxRssMB"] = MaxRssMb();
}

// The name or the telephone of a customer halfway through the file, typed one key at a time;
// each key looks up the customers and makes the drop-down's rows, as the intake does.
void BM_Keystroke(benchmark::State& state) {
    const fs::path folder = state.range(0) == 0 ? SmallFolder() : LargeFolder();
    const bool telephone = state.range(1) == 1;
    const auto files = RecordFiles(folder);
    CustomerIndex index(Locale);
    index.Build(files[0], files[1]);
    SlipFile slips(files[0]);
    const std::string text =
        slips.Read(slips.Count() / 2).Trimmed(telephone ? SlipField::Tel : SlipField::Name);
    std::size_t k = 0, rows = 0;
    for (auto _ : state) {
        const std::string typed = text.substr(0, k++ % text.size() + 1);
        const auto found = telephone ? index.ByTelephone(typed, 8) : index.ByName(typed, 8);
        for (CustomerId id : found) {
            benchmark::DoNotOptimize(index.Texts(id));
            benchmark::DoNotOptimize(index.LastCall(id));
        }
        rows += found.size();
    }
    state.counters["rowsPerKey"] = static_cast<double>(rows) / static_cast<double>(k);
}

} // namespace

BENCHMARK(BM_RawScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Build)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Keystroke)
    ->ArgNames({"large", "telephone"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
