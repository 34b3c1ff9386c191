// The report of a million completed slips as CSV and as a workbook, against BM_FullScan's plain
// scan of the same bytes in the same run and against a flushed copy of the CSV it writes, what
// the disk alone costs.
#include "exports/CompletedReport.h"
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

void CompletedReport(benchmark::State& state, ReportFormat format, const char* name) {
    CrewdeskVariables v(CompletedFolder());
    v.Assignments = {"populated", "North Crew", "South Crew"};
    const fs::path target = v.ProgramFolder / name;
    const UsEnglishLocale locale;
    for (auto _ : state)
        ExportCompletedReport(v, locale, target, format,
                              [](std::int32_t, std::int32_t) { return true; });
    state.counters["records"] =
        static_cast<double>(fs::file_size(v.ProgramFolder / "CompletedSlips.txt") / 269);
    state.counters["fileMB"] = static_cast<double>(fs::file_size(target)) / 1e6;
    state.counters["maxRssMB"] = MaxRssMb();
}

void BM_CompletedCsv(benchmark::State& state) {
    CompletedReport(state, ReportFormat::Csv, "export.csv");
}

void BM_CompletedXlsx(benchmark::State& state) {
    CompletedReport(state, ReportFormat::Xlsx, "export.xlsx");
    fs::remove(CompletedFolder() / "export.xlsx");
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
BENCHMARK(BM_CompletedXlsx)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvCopyBaseline)->Iterations(3)->Unit(benchmark::kMillisecond);
