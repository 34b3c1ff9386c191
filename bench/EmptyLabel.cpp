// The baseline of the start-up benchmark: an empty Qt Widgets program showing one label.
// Prints the microseconds from launch to the label shown (see Launched.h).

#include "Launched.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Rotaplan");
    label.show();
    QTimer::singleShot(0, &app, [] {
        rotaplan::bench::PrintSinceLaunch("label");
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
