// The program's own start, ending through the common exit as soon as the splash is on screen.
// Prints the microseconds from launch to the splash shown (see Launched.h).

#include "BenchProgram.h"
#include "Launched.h"

#include <QTimer>

int main(int argc, char** argv) {
    return rotaplan::bench::RunStarted(argc, argv, "startup_to_splash",
                                       [](QApplication& app, rotaplan::Program& program) {
                                           // The splash has been painted once the first pass
                                           // of the event loop is done.
                                           QTimer::singleShot(0, &app, [&program] {
                                               rotaplan::bench::PrintSinceLaunch("splash");
                                               program.ExitProgram();
                                           });
                                           return QApplication::exec();
                                       });
}
