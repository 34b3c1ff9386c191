#pragma once

#include <filesystem>
#include <string>

namespace rotaplan {

// What decides where the operator's files are kept.
struct FolderSources {
    std::filesystem::path executableFolder;
    std::filesystem::path named; // given on the command line; empty when not
    std::string xdgDataHome;     // $XDG_DATA_HOME, empty when unset
    std::string home;            // $HOME
};

// The named folder; else the executable's folder, as long as this user may write there and it
// is not software shared by the whole machine (under /usr); else Rotaplan in the user's data
// folder ($XDG_DATA_HOME, or ~/.local/share when that is unset or not absolute).
std::filesystem::path ChooseProgramFolder(const FolderSources& sources);

// The help beside the executable (a per-user install), else in its prefix's share folder.
std::filesystem::path FindHelpFile(const std::filesystem::path& executableFolder);

} // namespace rotaplan
