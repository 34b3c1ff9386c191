#include "store/Master.h"

#include "store/CommonDiskRoutines.h"
#include "store/CustomerIndex.h"
#include "store/Disk.h"
#include "store/StoreError.h"

#include <optional>

namespace rotaplan {

void CopyFileList(CrewdeskVariables& v, const std::filesystem::path& source,
                  const std::filesystem::path& destination) {
    ForgetCustomers(v); // a restore brings other slips back
    std::optional<StoreError> firstError;
    for (const char* name : CentralFiles) {
        CloseAllFiles(v);
        if (!disk::FileExists(source / name))
            continue;
        try {
            disk::CopyFileAtomic(source / name, destination / name);
        } catch (const StoreError& error) {
            if (!firstError)
                firstError = error;
        }
    }
    if (firstError)
        throw *firstError;
}

void BackupFiles(CrewdeskVariables& v) {
    disk::CreateFolder(ProgramPath(v, "\\Backup"));
    CopyFileList(v, v.ProgramFolder, ProgramPath(v, "\\Backup"));
}

void RestoreFiles(CrewdeskVariables& v) {
    CopyFileList(v, ProgramPath(v, "\\Backup"), v.ProgramFolder);
}

} // namespace rotaplan
