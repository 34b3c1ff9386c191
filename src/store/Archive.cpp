#include "store/Archive.h"

#include "store/CommonDiskRoutines.h"
#include "store/Disk.h"
#include "store/Master.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

// Where a reinstall gathers the drive's files before any replaces its own.

void RequireDrive(const fs::path& driveRoot) {
    if (!disk::FolderExists(driveRoot))
        throw StoreError(driveRoot, "open the drive", "it is not ready or not there");
}

} // namespace

void RemoveReinstallFolder(CrewdeskVariables& v) {
    KillIfExists(v, std::string(ReinstallFolder) + "\\*.*");
    disk::RemoveFolder(ProgramPath(v, ReinstallFolder));
}

std::string ProductFolder(const fs::path& executable) {
    std::string name = executable.stem().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    static const std::pair<const char*, const char*> table[] = {
        {"ROTAPLAN", "\\PlanoraFiles"},        {"CREWDESK", "\\PlanoraFiles"},
        {"CREWDESKGRANDEX", "\\PlanoraFiles"}, {"PLANORA", "\\PlanoraFiles"},
        {"TILLVANE", "\\FundsFiles"},          {"PURSELOG", "\\FundsFiles"}};
    for (const auto& [program, folder] : table)
        if (name == program)
            return folder;
    return {};
}

fs::path ArchiveFolder(const fs::path& driveRoot, const fs::path& executable) {
    return disk::Resolve(driveRoot, "\\Archive" + ProductFolder(executable));
}

void Archive(CrewdeskVariables& v, const fs::path& driveRoot, const fs::path& executable) {
    // An archive is the copy taken when all else is lost: never one of a damaged slip file.
    if (v.Slips.distrusted)
        throw StoreError(ProgramPath(v, SlipsFile), "archive",
                         "it was found damaged at start-up and kept as it is; rebuild it at the "
                         "next start, then archive");
    RequireDrive(driveRoot);
    disk::CreateFolder(disk::Resolve(driveRoot, "\\Archive"));
    const fs::path folder = ArchiveFolder(driveRoot, executable);
    disk::CreateFolder(folder);
    CopyFileList(v, v.ProgramFolder, folder);
}

int Reinstall(CrewdeskVariables& v, const fs::path& driveRoot, const fs::path& executable) {
    RequireDrive(driveRoot);
    const fs::path gathered = ProgramPath(v, ReinstallFolder);
    RemoveReinstallFolder(v); // left by a reinstall that was stopped
    disk::CreateFolder(gathered);
    int count = 0;
    try {
        CopyFileList(v, ArchiveFolder(driveRoot, executable), gathered);
        count = static_cast<int>(disk::MatchingFiles(gathered, "*").size());
        CopyFileList(v, gathered, v.ProgramFolder);
    } catch (const StoreError&) {
        RemoveReinstallFolder(v);
        throw;
    }
    RemoveReinstallFolder(v);
    return count;
}

} // namespace rotaplan
