// Opens the completed summary once the program has started on the given folder and prints
// how long the form took to come up, painted, and the process's peak memory before and
// after.
#include "admin/frmCompleted.h"
#include "frame/Program.h"
#include "platform/qt/QtPlatform.h"

#include "BenchFolders.h"
#include "PrintedMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: completed_open <program folder>\n");
        return 2;
    }
    QApplication app(argc, argv);
    const std::filesystem::path folder = argv[1];
    rotaplan::QtPlatform platform(folder);
    rotaplan::bench::PrintedMessages messages;
    rotaplan::Platform services = platform.Get();
    rotaplan::Program program(folder,
                              {services.clock, services.locale, messages, services.beep,
                               services.instance, services.web, services.drives},
                              folder / "help" / "index.html");
    if (!program.Start())
        return 1;
    QApplication::processEvents();
    const double before = rotaplan::bench::MaxRssMb();
    QElapsedTimer timer;
    timer.start();
    auto& form = program.Load<rotaplan::frmCompleted>();
    form.show();
    QApplication::processEvents();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("completed summary open: %.1f ms, peak memory %.1f MB before, %.1f MB after\n", ms,
                before, rotaplan::bench::MaxRssMb());
    return 0;
}
