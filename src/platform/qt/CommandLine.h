#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <ostream>

namespace rotaplan {

// Where the program runs, as the command line and the desktop's conventions decide.
struct Launch {
    std::optional<int> exitStatus; // set when the program ends before it starts
    std::filesystem::path folder;  // the program folder, made when missing
    std::filesystem::path executableFolder;
    std::filesystem::path helpFile;
};

// Reads the arguments (the program's name first), answering --help and --version and
// refusing what it does not know on the given streams. Needs no QApplication, so that
// those answers need no display.
Launch ReadCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err);

} // namespace rotaplan
