// The program's own start, ending as soon as the splash is on screen: run it with `time`
// (or the script beside it) to measure whole-process start-up on a given program folder.

#include "BenchProgram.h"

#include <QTimer>

int main(int argc, char** argv) {
    return rotaplan::bench::RunStarted(argc, argv, "startup_to_splash",
                                       [](QApplication& app, rotaplan::Program&) {
                                           // The splash has been painted once the first pass
                                           // of the event loop is done.
                                           QTimer::singleShot(0, &app, &QCoreApplication::quit);
                                           return QApplication::exec();
                                       });
}
