#pragma once

#include "platform/Date.h"
#include "store/CrewdeskVariables.h"
#include "store/SlipRecord.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace rotaplan {

// The program's own extra file: written by the common exit, removed by the next start.
inline constexpr const char* CleanEndFile = "\\CleanEnd.mark";
inline constexpr const char* DamagedSlipsFile = "\\Slips.txt.damaged";

// A record holds a call slip when its SA reads "SA <day>-<sequence>" and its kind is
// "Service" or blank; random bytes and records shifted off their boundary do not.
bool HoldsCallSlip(const SlipRecord& record);

// The slip file compared with its backup copy, the completed slips and the day files ahead.
struct SlipFileCheck {
    std::int32_t records = 0;
    std::uint64_t trailing = 0;           // bytes past the last whole record
    std::vector<std::int32_t> unreadable; // record numbers
    std::int32_t backupRecords = 0;       // those of the backup copy that hold call slips
    std::int32_t backupUnreadable = 0;
    std::vector<std::string> lost; // SAs of the backup copy in neither record file
    int lostWithHours = 0;         // those of them whose hours a day file still holds
    bool lastEndClean = false;

    // A stopped delete loses one slip and its hours, the deletes of a run that did not end
    // through the exit lose slips without hours; anything more was done to the file.
    bool Damaged() const {
        return !unreadable.empty() ||
               (!lost.empty() && (lastEndClean || records == 0 || lostWithHours > 1));
    }
};

SlipFileCheck CheckSlipFile(CrewdeskVariables& v, const Date& today);
// What was found, and the choice the operator has, for a Yes / No box.
std::string DamageQuestion(const SlipFileCheck& check);
// Rebuilds Slips.txt from the call slips of the backup copy, then those only the damaged file
// holds; the damaged file is kept as Slips.txt.damaged. Returns what the operator is told.
std::string TakeBackupSlips(CrewdeskVariables& v);

// Start-up, before anything changes a file: reads the clean-end mark and, unless it vouches
// for every watched file, checks the slip file. A damaged one is put to the operator (true:
// take the backup copy); kept, it is distrusted for the whole run.
void CheckSlipsAtStart(CrewdeskVariables& v, const Date& today,
                       const std::function<bool(const std::string& question)>& takeBackup);

// The exit, after a complete backup: records that the run ended cleanly and what the watched
// files looked like. Nothing is written for a run that distrusts its slip file.
void WriteCleanEnd(CrewdeskVariables& v);
// The backup may replace Backup\Slips.txt by the slip file: throws the StoreError that tells
// why not when the slip file is distrusted, holds records that are not call slips, or holds
// fewer than this run can explain.
void CheckSlipsBeforeBackup(CrewdeskVariables& v, const std::filesystem::path& copy);
// True when a quick start vouched for the file and its backup copy and neither changed.
bool UnchangedSinceBackup(const CrewdeskVariables& v, const char* name);

// What the mend found, by cause.
struct MendReport {
    std::vector<std::string> interrupted; // left by a stopped operation, mended
    std::vector<std::string> damage;      // found damaged, left as it is
    std::vector<std::string> unheld;      // slips ahead whose hours no day file holds
    bool Empty() const { return interrupted.empty() && damage.empty() && unheld.empty(); }
};

// The one message of a start: the mend's findings by cause, capped, with what to do, then
// every notice. Empty when there is nothing to say.
std::string StartupMessage(const MendReport& report, const std::vector<std::string>& notices);

} // namespace rotaplan
