#include "store/Purge.h"

#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/CustomerIndex.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

constexpr int MaxTeams = 255;

int YearOf(const CrewdeskVariables& v) {
    return std::stoi(v.CurrentYear);
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

// Read only, to see whether a folder can go and to name what kept it.
std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    if (ec)
        throw StoreError(folder, "list", ec.message());
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveIfEmpty(const fs::path& folder) {
    if (disk::FolderExists(folder) && FolderEntries(folder).empty())
        disk::RemoveFolder(folder);
}

long PurgedDay(CrewdeskVariables& v) {
    if (!RecoverFile(v, PurgedDateFile))
        return 1;
    const fs::path file = ProgramPath(v, PurgedDateFile);
    // A damaged mark only makes this purge look at more days; it is rewritten right after.
    try {
        const auto lines = supportfile::SplitLines(disk::ReadWholeFile(file));
        if (!lines.empty())
            return std::max(1L, supportfile::ParseNumber(lines[0], file, 1));
    } catch (const StoreError&) {
    }
    return 1;
}

void AppendRecord(disk::WriteHandle& out, const SlipRecord& record) {
    out.Append(std::string_view(record.Bytes().data(), SlipRecordLength));
}

// Writes the new CompletedSlips.txt as TemporaryFile.txt and the new Slips.txt as Temp.txt,
// both flushed to disk, then the marker with their lengths: from the marker on the move is
// decided, and FinishInterruptedMove completes it.
void WriteMoveScratch(CrewdeskVariables& v, SlipFile& slips, const std::vector<bool>& past) {
    disk::WriteHandle completed(ProgramPath(v, TemporaryFile));
    disk::WriteHandle kept(ProgramPath(v, TempFile));
    std::uint64_t completedLength = 0, keptLength = 0;
    SlipRecord record;
    if (RecoverFile(v, CompletedSlipsFile)) {
        SlipFile old(ProgramPath(v, CompletedSlipsFile));
        for (std::int32_t c = 1; c <= old.Count(); ++c) {
            old.Read(c, record);
            AppendRecord(completed, record);
        }
        completedLength = static_cast<std::uint64_t>(old.Count()) * SlipRecordLength;
    }
    for (std::int32_t i = 1; i <= slips.Count(); ++i) {
        slips.Read(i, record);
        if (!past[static_cast<std::size_t>(i)]) {
            AppendRecord(kept, record);
            keptLength += SlipRecordLength;
        } else {
            AppendRecord(completed, record);
            completedLength += SlipRecordLength;
        }
    }
    completed.Commit();
    kept.Commit();
    disk::WriteFileAtomic(ProgramPath(v, MoveMarkerFile),
                          supportfile::NumberLine(static_cast<long>(completedLength)) +
                              supportfile::NumberLine(static_cast<long>(keptLength)));
}

std::uint64_t HashOf(const SlipRecord& record) {
    return std::hash<std::string_view>{}(std::string_view(record.Bytes().data(), SlipRecordLength));
}

std::uint64_t LengthOf(const fs::path& file) {
    return disk::FileExists(file) ? disk::FileLength(file) : 0;
}

// The completed scratch file begins with every whole record of the completed slips.
bool BeginsWith(const fs::path& scratch, const fs::path& completed) {
    if (!disk::FileExists(completed))
        return true;
    SlipFile old(completed), moved(scratch);
    if (old.Count() > moved.Count())
        return false;
    for (std::int32_t i = 1; i <= old.Count(); ++i)
        if (!(old.Read(i) == moved.Read(i)))
            return false;
    return true;
}

// The kept scratch file holds slips of the slip file in their order, and every slip it leaves
// out is among the completed ones.
bool KeepsTheRest(const fs::path& kept, const fs::path& slips, const fs::path& completed) {
    std::unordered_set<std::uint64_t> done;
    if (disk::FileExists(completed)) {
        SlipFile file(completed);
        for (std::int32_t c = 1; c <= file.Count(); ++c)
            done.insert(HashOf(file.Read(c)));
    }
    SlipFile scratch(kept);
    if (!disk::FileExists(slips))
        return scratch.Count() == 0;
    SlipFile old(slips);
    std::int32_t i = 1;
    // Passes the slips before the wanted one (all of them for none): each must be completed.
    const auto passTo = [&](const SlipRecord* wanted) {
        for (; i <= old.Count(); ++i) {
            const SlipRecord record = old.Read(i);
            if (wanted && record == *wanted)
                return true;
            if (!done.count(HashOf(record)))
                return false;
        }
        return wanted == nullptr;
    };
    for (std::int32_t k = 1; k <= scratch.Count(); ++k, ++i) {
        const SlipRecord wanted = scratch.Read(k);
        if (!passTo(&wanted))
            return false;
    }
    return passTo(nullptr);
}

// The marker is acted on only when the files bear it out: each scratch file, or the file it
// already replaced, of the length the marker names; the new completed slips beginning with
// the old; every slip the new slip file leaves out among the completed ones.
bool VouchedFor(CrewdeskVariables& v, const fs::path& marker) {
    std::uint64_t lengths[2] = {};
    try {
        const auto lines = supportfile::SplitLines(disk::ReadWholeFile(marker));
        if (lines.size() != 2)
            return false;
        for (int i = 0; i < 2; ++i) {
            const long length = supportfile::ParseNumber(lines[i], marker, i + 1);
            if (length < 0 || length % static_cast<long>(SlipRecordLength) != 0)
                return false;
            lengths[i] = static_cast<std::uint64_t>(length);
        }
    } catch (const StoreError&) {
        return false;
    }
    const fs::path completed = ProgramPath(v, CompletedSlipsFile),
                   slips = ProgramPath(v, SlipsFile);
    const fs::path movedScratch = ProgramPath(v, TemporaryFile),
                   keptScratch = ProgramPath(v, TempFile);
    const bool completedWaits = disk::FileExists(movedScratch);
    const fs::path newCompleted = completedWaits ? movedScratch : completed;
    if (LengthOf(newCompleted) != lengths[0] ||
        (completedWaits && !BeginsWith(movedScratch, completed)))
        return false;
    if (!disk::FileExists(keptScratch))
        return LengthOf(slips) == lengths[1];
    return LengthOf(keptScratch) == lengths[1] && KeepsTheRest(keptScratch, slips, newCompleted);
}

void PutInPlace(CrewdeskVariables& v, const char* scratchName, const char* targetName) {
    const fs::path scratch = ProgramPath(v, scratchName);
    if (disk::FileExists(scratch))
        disk::RenameFile(scratch, ProgramPath(v, targetName));
}

// Kept aside under another name, so that no later start acts on them, and told of once.
void SetAside(CrewdeskVariables& v) {
    std::string kept;
    for (const char* name : {MoveMarkerFile, TemporaryFile, TempFile}) {
        const fs::path file = ProgramPath(v, name);
        if (!disk::FileExists(file))
            continue;
        fs::path aside = file;
        disk::RenameFile(file, aside += ".damaged");
        kept += (kept.empty() ? "" : ", ") + aside.filename().string();
    }
    v.Notices.push_back("A move of past call slips was stopped, but what it left (" + kept +
                        ") does not agree with Slips.txt and CompletedSlips.txt, so both are "
                        "left as they are and the move is made again. The files it left are "
                        "kept aside for you to look at.");
}

// A write stopped inside a record leaves bytes that are not a slip: never read as one, and
// dropped by the next rewrite or written over by the next booking.
void TellTornRecord(CrewdeskVariables& v, const char* name) {
    const fs::path file = ProgramPath(v, name);
    if (!disk::FileExists(file))
        return;
    const std::uintmax_t torn = disk::FileLength(file) % SlipRecordLength;
    if (torn != 0)
        v.Notices.push_back(std::string(name + 1) + " ends in part of a call slip (" +
                            std::to_string(torn) +
                            " bytes) whose writing was stopped; that part is not kept.");
}

} // namespace

void PurgePreviousYear(CrewdeskVariables& v) {
    if (v.Slips.distrusted)
        return; // last year's days may be all that is left of slips the damaged file lost
    const int year = YearOf(v) - 1;
    const fs::path folder = ProgramPath(v, YearFolderName(year));
    if (disk::IsLink(folder)) {
        v.Notices.push_back("The folder " + std::to_string(year) +
                            " of last year is a link to another place; it was left alone.");
        return;
    }
    if (!disk::FolderExists(folder))
        return;
    for (int n = 1; n <= v.TeamCount(); ++n) {
        const std::string team = TeamFolderName(std::to_string(year), n);
        KillIfExists(v, team + "\\*.*");
        RemoveIfEmpty(ProgramPath(v, team));
    }
    RemoveIfEmpty(folder);
    if (disk::FolderExists(folder))
        v.Notices.push_back("The folder " + std::to_string(year) +
                            " of last year was kept: it still holds " +
                            Joined(FolderEntries(folder)) + ".");
}

bool SiblingProgramInstalled(const CrewdeskVariables& v) {
    return disk::FileExists(ProgramPath(v, SiblingProgramFile)) ||
           disk::FileExists(disk::Resolve(v.ExecutableFolder, SiblingProgramFile));
}

PurgeOutcome PurgePastDays(CrewdeskVariables& v, const Locale& locale) {
    if (v.Slips.distrusted)
        return {}; // past day files are the only trace of slips the damaged file lost
    FinishInterruptedMove(v);
    const long firstDay = PurgedDay(v);
    const std::string teamRoot = TeamRootFor(YearOf(v));
    for (int n = 1; n <= std::min(v.TeamCount(), MaxTeams); ++n)
        for (long d = firstDay; d < v.DayOfYear; ++d)
            KillIfExists(v, DayFileName(teamRoot, n, static_cast<int>(d)));
    disk::WriteFileAtomic(ProgramPath(v, PurgedDateFile), supportfile::NumberLine(v.DayOfYear - 1));

    TellTornRecord(v, SlipsFile);
    PurgeOutcome outcome;
    outcome.completionsHidden = SiblingProgramInstalled(v);
    if (!outcome.completionsHidden) {
        TellTornRecord(v, CompletedSlipsFile);
        outcome.undatedSlips = MovePastSlips(v, locale);
    }
    if (!outcome.undatedSlips.empty())
        v.Notices.push_back("These call slips stay among the booked ones because their date "
                            "cannot be read: " +
                            Joined(outcome.undatedSlips) + ".");
    CloseAllFiles(v);
    return outcome;
}

std::vector<std::string> MovePastSlips(CrewdeskVariables& v, const Locale& locale) {
    FinishInterruptedMove(v);
    std::vector<std::string> undated;
    const std::pair today(YearOf(v), static_cast<int>(v.DayOfYear));
    const Date todayDate = Date{today.first, 1, 1}.AddDays(today.second - 1);
    // After a clean end on the same day, no slip of the file is dated before today.
    if (v.Slips.quick && v.Slips.movedThrough && *v.Slips.movedThrough >= todayDate)
        return undated;
    if (!RecoverFile(v, SlipsFile))
        return undated;
    OpenSlipFile(v);
    SlipFile& slips = *v.SlipFileNumber;
    std::vector<bool> past(static_cast<std::size_t>(slips.Count()) + 1); // by record number
    bool anyPast = false;
    SlipRecord record;
    for (std::int32_t i = 1; i <= slips.Count(); ++i) {
        slips.Read(i, record);
        const std::optional<Date> date = locale.ParseShortDate(record.Trimmed(SlipField::Date));
        if (!date) {
            undated.push_back(record.Trimmed(SlipField::SANumber));
            continue;
        }
        past[static_cast<std::size_t>(i)] = std::pair(date->year, date->DayOfYear()) < today;
        anyPast = anyPast || past[static_cast<std::size_t>(i)];
    }
    if (anyPast) {
        JournalEntry move;
        move.kind = JournalEntry::Kind::Move;
        move.date = todayDate;
        for (std::int32_t i = 1; i <= slips.Count(); ++i)
            if (past[static_cast<std::size_t>(i)]) {
                slips.Read(i, record);
                move.slipsRemoved.emplace_back(record.Bytes().data(), SlipRecordLength);
            }
        move.completedAdded = move.slipsRemoved;
        Journal(v, move);
        try {
            WriteMoveScratch(v, slips, past);
        } catch (const StoreError&) {
            JournalAfterFailure(v, JournalEntry::Kind::Undone);
            throw;
        }
        FinishInterruptedMove(v);
    }
    CloseAllFiles(v);
    v.Slips.movedThrough = todayDate;
    return undated;
}

void FinishInterruptedMove(CrewdeskVariables& v) {
    CloseAllFiles(v);
    const fs::path marker = ProgramPath(v, MoveMarkerFile);
    // The scratch file of WriteFileAtomic, left when the marker itself was being written.
    KillIfExists(v, std::string(MoveMarkerFile) + ".new");
    if (!disk::FileExists(marker)) {
        KillIfExists(v, TemporaryFile);
        KillIfExists(v, TempFile);
        return;
    }
    if (!VouchedFor(v, marker)) {
        SetAside(v);
        return;
    }
    ForgetCustomers(v);
    // Completed first: stopped between the two, a slip is in both files for a moment, never
    // in neither.
    PutInPlace(v, TemporaryFile, CompletedSlipsFile);
    if (disk::FileExists(ProgramPath(v, TempFile)))
        v.Slips.removed += static_cast<std::int64_t>(
            (LengthOf(ProgramPath(v, SlipsFile)) - LengthOf(ProgramPath(v, TempFile))) /
            SlipRecordLength);
    PutInPlace(v, TempFile, SlipsFile);
    disk::RemoveFile(marker);
}

} // namespace rotaplan
