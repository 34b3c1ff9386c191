// The report of the completed slips as CSV and as a workbook, each timed as the operator's
// Export runs it (written through its scratch file and flushed), in turn with a flushed copy of
// the CSV it wrote, the floor of putting so many bytes on disk; prints the medians, the ratios
// with their goals and how far each export raised the peak memory.
//   export_bench <program folder> [runs]
#include "exports/CompletedReport.h"
#include "store/SlipFile.h"

#include "Baselines.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace rotaplan;
namespace fs = std::filesystem;

namespace {

using bench::Median;

struct Timed {
    std::vector<double> ms;
    std::vector<double> addedMB;
    double Ms() const { return Median(ms); }
    double MB() const { return Median(addedMB); }
    void Run(const std::function<void()>& work) {
        bench::ResetPeakMemory();
        const double before = bench::PeakMemoryMB();
        const auto start = bench::Clock::now();
        work();
        ms.push_back(bench::MsSince(start));
        addedMB.push_back(bench::PeakMemoryMB() - before);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program folder> [runs]\n", argv[0]);
        return 2;
    }
    CrewdeskVariables v(argv[1]);
    v.Assignments = {"populated", "North Crew", "South Crew"};
    const UsEnglishLocale locale;
    const fs::path csv = v.ProgramFolder / "export.csv";
    const fs::path copy = v.ProgramFolder / "copy.csv";
    const fs::path xlsx = v.ProgramFolder / "export.xlsx";
    const std::int32_t records = SlipFile(v.ProgramFolder / "CompletedSlips.txt").Count();
    const auto report = [&](const fs::path& target, ReportFormat format) {
        ExportCompletedReport(v, locale, target, format,
                              [](std::int32_t, std::int32_t) { return true; });
    };
    Timed csvExport, csvCopy, xlsxExport;
    for (int run = 0; run < (argc > 2 ? std::atoi(argv[2]) : 5); ++run) {
        csvExport.Run([&] { report(csv, ReportFormat::Csv); });
        csvCopy.Run([&] { bench::CopyAndSync(csv, copy); });
        xlsxExport.Run([&] { report(xlsx, ReportFormat::Xlsx); });
    }
    std::printf("%d records: CSV %.0f ms, flushed copy of its %.0f MB %.0f ms: ratio %.2f "
                "(goal <= 2); workbook of %.0f MB %.0f ms, %.2fx the CSV; "
                "peak memory +%.1f MB CSV, +%.1f MB workbook (goal: flat)\n",
                records, csvExport.Ms(), static_cast<double>(fs::file_size(csv)) / 1e6,
                csvCopy.Ms(), csvExport.Ms() / csvCopy.Ms(),
                static_cast<double>(fs::file_size(xlsx)) / 1e6, xlsxExport.Ms(),
                xlsxExport.Ms() / csvExport.Ms(), csvExport.MB(), xlsxExport.MB());
    for (const fs::path& file : {csv, copy, xlsx})
        fs::remove(file);
    return 0;
}
