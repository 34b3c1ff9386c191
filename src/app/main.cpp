#include "app/App.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program ends through its own exit only, never because a window was hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    rotaplan::QtPlatform platform(folder);
    rotaplan::App program(folder, platform.Get(), folder / "help" / "index.html");
    if (!program.Start())
        return 0;
    return QApplication::exec();
}
