#include "store/Master.h"

#include "store/CommonDiskRoutines.h"
#include "store/CustomerIndex.h"
#include "store/Disk.h"
#include "store/Repair.h"
#include "store/StoreError.h"

#include <functional>
#include <optional>
#include <string_view>

namespace rotaplan {

namespace {

// Copies each of the six files in turn: tries every one, then throws the first StoreError.
void EachCentralFile(CrewdeskVariables& v, const std::function<void(const char* name)>& copy) {
    std::optional<StoreError> firstError;
    for (const char* name : CentralFiles) {
        CloseAllFiles(v);
        try {
            copy(name);
        } catch (const StoreError& error) {
            if (!firstError)
                firstError = error;
        }
    }
    if (firstError)
        throw *firstError;
}

} // namespace

void CopyFileList(CrewdeskVariables& v, const std::filesystem::path& source,
                  const std::filesystem::path& destination) {
    ForgetCustomers(v); // a restore brings other slips back
    EachCentralFile(v, [&](const char* name) {
        if (!disk::FileExists(source / name))
            return;
        disk::CopyFileAtomic(source / name, destination / name);
        // Whatever slips it brings are the operator's choice, as old as they may be.
        if (destination == v.ProgramFolder && std::string_view(name) == "Slips.txt")
            v.Slips.replaced = true;
    });
}

void BackupFiles(CrewdeskVariables& v) {
    const std::filesystem::path backup = ProgramPath(v, "\\Backup");
    const std::filesystem::path previous = backup / PreviousFolder;
    disk::CreateFolder(backup);
    disk::CreateFolder(previous);
    EachCentralFile(v, [&](const char* name) {
        if (!disk::FileExists(v.ProgramFolder / name) || UnchangedSinceBackup(v, name))
            return;
        if (std::string_view(name) == "Slips.txt")
            CheckSlipsBeforeBackup(v, backup / name);
        if (disk::FileExists(backup / name))
            disk::LinkOrCopy(backup / name, previous / name);
        disk::CopyFileAtomic(v.ProgramFolder / name, backup / name);
    });
}

void RestoreFiles(CrewdeskVariables& v) {
    CopyFileList(v, ProgramPath(v, "\\Backup"), v.ProgramFolder);
}

} // namespace rotaplan
