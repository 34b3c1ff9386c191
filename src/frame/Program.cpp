#include "frame/Program.h"

#include "store/Disk.h"

namespace rotaplan {

void Program::ShowHelp(const std::filesystem::path& helpFile, const std::string& section) {
    bool found = false;
    Attempt([&] { found = disk::FileExists(helpFile); }, "The help is not shown.");
    if (found)
        System().web.OpenHelp(helpFile, section);
    else
        Ask("The help file " + helpFile.string() +
            " is not there.\r\nInstall Rotaplan again to put it beside the program.");
}

} // namespace rotaplan
