// Opens the completed summary once the program has started on the given folder and prints
// how long the form took to come up, painted, and the process's peak memory before and
// after.
#include "admin/frmCompleted.h"

#include "BenchFolders.h"
#include "BenchProgram.h"

#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    return rotaplan::bench::RunStarted(
        argc, argv, "completed_open", [](QApplication&, rotaplan::Program& program) {
            QApplication::processEvents();
            const double before = rotaplan::bench::MaxRssMb();
            QElapsedTimer timer;
            timer.start();
            auto& form = program.Load<rotaplan::frmCompleted>();
            form.show();
            QApplication::processEvents();
            const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            std::printf("completed summary open: %.1f ms, peak memory %.1f MB before, %.1f MB "
                        "after\n",
                        ms, before, rotaplan::bench::MaxRssMb());
            return 0;
        });
}
