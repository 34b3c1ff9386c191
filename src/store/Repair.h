#pragma once

#include "platform/Date.h"
#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"
#include "store/SlipRecord.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rotaplan {

// The program's own extra file: written by the common exit, removed by the next start.
inline constexpr const char* CleanEndFile = "\\CleanEnd.mark";
// A copy of a damaged file under a name no later copy takes: "<name>.damaged-2026-12-04",
// then "-2", "-3" on the same day. Returns the copy's file name.
std::string KeepAside(const std::filesystem::path& file, const Date& today);

// A record holds a call slip when its SA reads "SA <day>-<sequence>" and its kind is
// "Service" or blank; random bytes and records shifted off their boundary do not.
bool HoldsCallSlip(const SlipRecord& record);

// The slip file's records that are no call slips, and what its backup copy holds.
struct SlipFileCheck {
    std::int32_t records = 0;
    std::uint64_t trailing = 0;           // bytes past the last whole record
    std::vector<std::int32_t> unreadable; // record numbers
    std::int32_t backupRecords = 0;       // those of the backup copy that hold call slips
    std::int32_t backupUnreadable = 0;
    bool Damaged() const { return !unreadable.empty(); }
};

SlipFileCheck CheckSlipFile(CrewdeskVariables& v);
// What was found, and the choice the operator has, for a Yes / No box.
std::string DamageQuestion(const SlipFileCheck& check);
// Rebuilds Slips.txt from the call slips of the backup copy, then those only the damaged file
// holds; the damaged file is kept aside. Returns what the operator is told.
std::string TakeBackupSlips(CrewdeskVariables& v, const Date& today);

// A question for the operator: true for Yes.
using Ask = std::function<bool(const std::string& question)>;

// Start-up, before anything else changes a file: reads the clean-end mark and, unless it
// vouches for every watched file, compares the record files byte for byte with what the
// journal says they hold. An operation the last run left unfinished is finished; any other
// difference is put to the operator with what differs (Yes: rebuild from the backup copies and
// the journal); kept, the file is distrusted for the whole run. Bookings a restore left out
// are offered back. Without a journal, only records that are no call slips are asked about.
void CheckSlipsAtStart(CrewdeskVariables& v, const Date& today, const Locale& locale,
                       const Ask& ask);

// The exit, after a complete backup: records that the run ended cleanly and what the watched
// files looked like. Nothing is written for a run that distrusts its slip file.
void WriteCleanEnd(CrewdeskVariables& v);
// The backup may replace Backup\Slips.txt by the slip file: throws the StoreError that tells
// why not when the slip file is distrusted, holds records that are not call slips, or holds
// fewer than this run can explain.
// Only the records from byte `from` on are read: those before are in the copy already.
void CheckSlipsBeforeBackup(CrewdeskVariables& v, const std::filesystem::path& copy,
                            std::uint64_t from = 0);
// True when a quick start vouched for the file and its backup copy and neither changed.
bool UnchangedSinceBackup(const CrewdeskVariables& v, const char* name);
// The length of Backup\Slips.txt when it is still exactly the start of the slip file: a quick
// start vouched for both, and this run only appended to the slip file and left the copy alone.
std::optional<std::uint64_t> GrownSinceBackup(const CrewdeskVariables& v, const char* name);

// What the mend found, by cause.
struct MendReport {
    std::vector<std::string> interrupted; // left by a stopped operation, mended
    std::vector<std::string> damage;      // found damaged, left as it is
    std::vector<std::string> unheld;      // slips ahead whose hours no day file holds
    std::vector<std::string> orphans;     // hours ahead no slip holds, kept booked
    bool Empty() const {
        return interrupted.empty() && damage.empty() && unheld.empty() && orphans.empty();
    }
};

// The one message of a start: the mend's findings by cause, capped, with what to do, then
// every notice. Empty when there is nothing to say.
std::string StartupMessage(const MendReport& report, const std::vector<std::string>& notices);

} // namespace rotaplan
