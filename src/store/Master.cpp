#include "store/Master.h"

#include "store/CommonDiskRoutines.h"
#include "store/CustomerIndex.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/Repair.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <functional>
#include <optional>
#include <set>
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

// The whole records of a record file, by their bytes.
std::multiset<std::string> RecordsOf(const std::filesystem::path& file) {
    std::multiset<std::string> records;
    ForEachRecord(file, [&](std::int32_t, const SlipRecord& r) {
        records.emplace(r.Bytes().data(), SlipRecordLength);
    });
    return records;
}

void JournalReplace(CrewdeskVariables& v, const std::filesystem::path& copy) {
    JournalEntry replace;
    replace.kind = JournalEntry::Kind::Replace;
    replace.date = RunDate(v);
    replace.slipsReplaced = disk::ReadWholeFile(copy);
    replace.slipsReplaced->resize(replace.slipsReplaced->size() -
                                  replace.slipsReplaced->size() % SlipRecordLength);
    auto kept = RecordsOf(copy);
    ForEachRecord(ProgramPath(v, SlipsFile), [&](std::int32_t, const SlipRecord& r) {
        const std::string record(r.Bytes().data(), SlipRecordLength);
        if (const auto it = kept.find(record); it != kept.end())
            kept.erase(it);
        else
            replace.offered.push_back(record);
    });
    Journal(v, replace);
}

} // namespace

void CopyFileList(CrewdeskVariables& v, const std::filesystem::path& source,
                  const std::filesystem::path& destination) {
    ForgetCustomers(v); // a restore brings other slips back
    EachCentralFile(v, [&](const char* name) {
        if (!disk::FileExists(source / name))
            return;
        // Whatever slips it brings are the operator's choice, as old as they may be; the
        // bookings it leaves out are offered back at the next start.
        const bool slips = destination == v.ProgramFolder && std::string_view(name) == "Slips.txt";
        if (slips)
            JournalReplace(v, source / name);
        disk::CopyFileAtomic(source / name, destination / name);
        if (slips)
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
        // A day of bookings only appended: the copy gets what was added, the generation
        // before stays beside it.
        if (const auto length = GrownSinceBackup(v, name)) {
            CheckSlipsBeforeBackup(v, backup / name, *length);
            disk::AppendGrown(v.ProgramFolder / name, backup / name, *length);
            v.Slips.backupAppendedSlips = true;
            return;
        }
        if (std::string_view(name) == "Slips.txt")
            CheckSlipsBeforeBackup(v, backup / name);
        if (disk::FileExists(backup / name))
            disk::LinkOrCopy(backup / name, previous / name);
        disk::CopyFileAtomic(v.ProgramFolder / name, backup / name);
        if (std::string_view(name) == "Slips.txt")
            v.Slips.backupReplacedSlips = true;
    });
}

void RestoreFiles(CrewdeskVariables& v) {
    CopyFileList(v, ProgramPath(v, "\\Backup"), v.ProgramFolder);
}

} // namespace rotaplan
