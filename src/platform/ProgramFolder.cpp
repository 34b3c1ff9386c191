#include "platform/ProgramFolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

// The folder's own write bit binds its owner, the superuser too: a folder made read-only
// is not written into by anyone.
bool Writable(const fs::path& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || ::access(folder.c_str(), W_OK) != 0)
        return false;
    return info.st_uid != ::geteuid() || (info.st_mode & S_IWUSR) != 0;
}

bool UnderUsr(const fs::path& folder) {
    auto part = folder.begin();
    return part != folder.end() && *part == "/" && ++part != folder.end() && *part == "usr";
}

} // namespace

fs::path ChooseProgramFolder(const FolderSources& sources) {
    if (!sources.named.empty())
        return fs::absolute(sources.named).lexically_normal();
    const fs::path executable = sources.executableFolder.lexically_normal();
    if (!UnderUsr(executable) && Writable(executable))
        return executable;
    const fs::path xdg = sources.xdgDataHome;
    const fs::path data = xdg.is_absolute() ? xdg : fs::path(sources.home) / ".local" / "share";
    return data / "Rotaplan";
}

fs::path FindHelpFile(const fs::path& executableFolder) {
    const fs::path beside = executableFolder / "help" / "index.html";
    std::error_code ec;
    if (fs::exists(beside, ec))
        return beside;
    return (executableFolder / ".." / "share" / "rotaplan" / "help" / "index.html")
        .lexically_normal();
}

} // namespace rotaplan
