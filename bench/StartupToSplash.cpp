// The program's own start, ending as soon as the splash is on screen: run it with `time`
// (or the script beside it) to measure whole-process start-up on a given program folder.
#include "frame/Program.h"
#include "platform/qt/QtPlatform.h"

#include "PrintedMessages.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_to_splash <program folder>\n");
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
    // The splash has been painted once the first pass of the event loop is done.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
