#include "frame/Program.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program ends through its own exit only, never because a window was hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    rotaplan::QtClock clock;
    rotaplan::QtLocale locale;
    rotaplan::QtMessageBox messages;
    rotaplan::QtBeeper beep;
    rotaplan::FolderInstanceGuard instance(folder);
    rotaplan::QtWebOpener web;
    rotaplan::QtDriveList drives;
    rotaplan::Program program(folder, {clock, locale, messages, beep, instance, web, drives},
                              folder / "help" / "index.html");
    if (!program.Start())
        return 0;
    return QApplication::exec();
}
