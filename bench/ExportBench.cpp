// The spreadsheet export of a million completed slips, against BM_FullScan's plain scan of the
// same bytes in the same run and against a flushed copy of the spreadsheet it writes, what the
// disk alone costs.
#include "exports/CompletedCsv.h"
#include "store/Disk.h"

#include "BenchFolders.h"

#include <benchmark/benchmark.h>

using namespace rotaplan;
using namespace rotaplan::bench;
namespace fs = std::filesystem;

namespace {

// A folder whose CompletedSlips.txt is the large folder's slip file, linked rather than copied.
fs::path CompletedFolder() {
    const fs::path folder = LargeFolder().string() + "-completed";
    fs::create_directories(folder);
    if (!fs::exists(folder / "CompletedSlips.txt"))
        fs::create_hard_link(LargeFolder() / "Slips.txt", folder / "CompletedSlips.txt");
    return folder;
}

void BM_CompletedCsv(benchmark::State& state) {
    CrewdeskVariables v(CompletedFolder());
    v.Assignments = {"populated", "North Crew", "South Crew"};
    const fs::path target = v.ProgramFolder / "export.csv";
    for (auto _ : state)
        ExportCompletedCsv(v, target, [](std::int32_t, std::int32_t) { return true; });
    state.counters["records"] =
        static_cast<double>(fs::file_size(v.ProgramFolder / "CompletedSlips.txt") / 269);
    state.counters["csvMB"] = static_cast<double>(fs::file_size(target)) / 1e6;
    state.counters["maxRssMB"] = MaxRssMb();
}

void BM_CsvCopyBaseline(benchmark::State& state) {
    const fs::path csv = CompletedFolder() / "export.csv";
    const fs::path copy = CompletedFolder() / "copy.csv";
    for (auto _ : state)
        disk::CopyFileAtomic(csv, copy);
    fs::remove(copy);
    fs::remove(csv);
}

} // namespace

BENCHMARK(BM_CompletedCsv)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvCopyBaseline)->Iterations(3)->Unit(benchmark::kMillisecond);
