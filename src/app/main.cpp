#include "app/App.h"
#include "frame/Translation.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <iostream>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const rotaplan::Launch launch = rotaplan::ReadCommandLine(arguments, std::cout, std::cerr);
    if (launch.exitStatus)
        return *launch.exitStatus;

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName("rotaplan");
    rotaplan::InstallTranslations(QLocale::system());
    // The program ends through its own exit only, never because a window was hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    rotaplan::QtPlatform platform(launch.folder);
    rotaplan::App program(launch.folder, platform.Get(), launch.helpFile);
    program.Variables().ExecutableFolder = launch.executableFolder;
    if (!program.Start())
        return 1; // refused: another copy runs, or the folder cannot be worked in
    return QApplication::exec();
}
