// Opens the completed summary as the main menu does (loaded, shown, activated, painted) on a
// started program, in turn over two record files the script put beside the program's files,
// small.txt (1,000 records) and large.txt, and prints the median time of each opening, their
// ratio, and how far each opening raised the process's peak memory.
#include "admin/frmCompleted.h"

#include "Baselines.h"
#include "BenchProgram.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace fs = std::filesystem;
using rotaplan::bench::Median;

namespace {

struct Opening {
    double ms;
    double addedMB;
};

Opening Open(rotaplan::Program& program, const fs::path& records) {
    const fs::path completed = program.Variables().ProgramFolder / "CompletedSlips.txt";
    fs::remove(completed);
    fs::create_hard_link(records, completed);
    QApplication::processEvents();
    rotaplan::bench::ResetPeakMemory();
    const double before = rotaplan::bench::PeakMemoryMB();
    QElapsedTimer timer;
    timer.start();
    auto& form = program.ShowAnew<rotaplan::frmCompleted>();
    QApplication::processEvents();
    const Opening opening{static_cast<double>(timer.nsecsElapsed()) / 1e6,
                          rotaplan::bench::PeakMemoryMB() - before};
    program.Unload(&form);
    QApplication::processEvents();
    return opening;
}

} // namespace

int main(int argc, char** argv) {
    return rotaplan::bench::RunStarted(
        argc, argv, "completed_open", [](QApplication&, rotaplan::Program& program) {
            const fs::path folder = program.Variables().ProgramFolder;
            const char* runs = std::getenv("ROTAPLAN_BENCH_RUNS");
            std::vector<double> small, large, smallMB, largeMB;
            for (int run = 0; run < (runs ? std::atoi(runs) : 7); ++run) {
                const Opening s = Open(program, folder / "small.txt");
                const Opening l = Open(program, folder / "large.txt");
                small.push_back(s.ms);
                large.push_back(l.ms);
                smallMB.push_back(s.addedMB);
                largeMB.push_back(l.addedMB);
            }
            std::printf("completed summary open: %.1f ms at %ju records, %.1f ms at %ju: ratio "
                        "%.2f (goal <= 2); peak memory +%.1f MB and +%.1f MB (goal: flat)\n",
                        Median(small), fs::file_size(folder / "small.txt") / 269, Median(large),
                        fs::file_size(folder / "large.txt") / 269, Median(large) / Median(small),
                        Median(smallMB), Median(largeMB));
            return 0;
        });
}
