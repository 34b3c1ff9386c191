#include "Version.h"

#include <QApplication>
#include <QLabel>

// The forms join here as they are built; until then the program shows what it is.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QString("Rotaplan %1.%2.%3\nThe forms of the program are not built yet.")
                      .arg(rotaplan::version::Major)
                      .arg(rotaplan::version::Minor)
                      .arg(rotaplan::version::Revision));
    window.setWindowTitle("Rotaplan");
    window.setMargin(40);
    window.show();
    return QApplication::exec();
}
