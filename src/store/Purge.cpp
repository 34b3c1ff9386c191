#include "store/Purge.h"

#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/CustomerIndex.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

#include <algorithm>
#include <optional>
#include <string_view>
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

// The past slips that are to be completed, found again by their bytes: a slip file restored
// from an older backup brings back slips already completed (or the same slip twice), and
// those leave the slip file without being completed twice. Only the past slips are held,
// each as a hash and its record number in one flat table, so a large completed file costs
// no memory.
class PastSlips {
public:
    explicit PastSlips(SlipFile& slips)
        : slips_(slips), complete_(static_cast<std::size_t>(slips.Count()) + 1), table_(16) {}

    void Add(const SlipRecord& record, std::int32_t recordNumber) {
        const std::uint64_t hash = HashOf(record);
        Entry& entry = Find(record, hash);
        if (entry.recordNumber != 0)
            return; // the same slip again
        entry = {hash, recordNumber};
        complete_[static_cast<std::size_t>(recordNumber)] = true;
        if (++used_ * 2 > table_.size())
            Grow();
    }

    bool Empty() const { return used_ == 0; }

    // A record of the completed file: a past slip equal to it is completed already.
    void AlreadyCompleted(const SlipRecord& record) {
        const Entry& entry = Find(record, HashOf(record));
        if (entry.recordNumber != 0)
            complete_[static_cast<std::size_t>(entry.recordNumber)] = false;
    }

    bool ToComplete(std::int32_t recordNumber) const {
        return complete_[static_cast<std::size_t>(recordNumber)];
    }

private:
    struct Entry {
        std::uint64_t hash = 0;
        std::int32_t recordNumber = 0; // 0: free
    };

    static std::uint64_t HashOf(const SlipRecord& record) {
        return std::hash<std::string_view>{}(
            std::string_view(record.Bytes().data(), SlipRecordLength));
    }

    std::size_t Slot(std::uint64_t hash) const { return hash & (table_.size() - 1); }

    // The entry holding these bytes, or the free one where they would go.
    Entry& Find(const SlipRecord& record, std::uint64_t hash) {
        for (std::size_t at = Slot(hash);; at = Slot(at + 1)) {
            Entry& entry = table_[at];
            if (entry.recordNumber == 0)
                return entry;
            if (entry.hash == hash) {
                slips_.Read(entry.recordNumber, again_);
                if (again_ == record)
                    return entry;
            }
        }
    }

    void Grow() {
        std::vector<Entry> old(table_.size() * 2);
        old.swap(table_);
        for (const Entry& entry : old) {
            if (entry.recordNumber == 0)
                continue;
            std::size_t at = Slot(entry.hash);
            while (table_[at].recordNumber != 0)
                at = Slot(at + 1);
            table_[at] = entry;
        }
    }

    SlipFile& slips_;
    std::vector<bool> complete_; // by record number
    std::vector<Entry> table_;   // size a power of two, at most half used
    std::size_t used_ = 0;
    SlipRecord again_;
};

// Writes the new CompletedSlips.txt as TemporaryFile.txt and the new Slips.txt as Temp.txt,
// both flushed to disk, then the marker with their lengths: from the marker on the move is
// decided, and FinishInterruptedMove completes it.
void WriteMoveScratch(CrewdeskVariables& v, SlipFile& slips, const std::vector<bool>& past,
                      PastSlips& moving) {
    disk::WriteHandle completed(ProgramPath(v, TemporaryFile));
    disk::WriteHandle kept(ProgramPath(v, TempFile));
    std::uint64_t completedLength = 0, keptLength = 0;
    SlipRecord record;
    if (RecoverFile(v, CompletedSlipsFile)) {
        SlipFile old(ProgramPath(v, CompletedSlipsFile));
        for (std::int32_t c = 1; c <= old.Count(); ++c) {
            old.Read(c, record);
            AppendRecord(completed, record);
            moving.AlreadyCompleted(record);
        }
        completedLength = static_cast<std::uint64_t>(old.Count()) * SlipRecordLength;
    }
    for (std::int32_t i = 1; i <= slips.Count(); ++i) {
        slips.Read(i, record);
        if (!past[static_cast<std::size_t>(i)]) {
            AppendRecord(kept, record);
            keptLength += SlipRecordLength;
        } else if (moving.ToComplete(i)) {
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

// A scratch file of the length the marker names is the move's; any other is a stale one.
void PutInPlace(CrewdeskVariables& v, const char* scratchName, const char* targetName,
                long length) {
    const fs::path scratch = ProgramPath(v, scratchName);
    if (!disk::FileExists(scratch))
        return; // already in place
    if (disk::FileLength(scratch) == static_cast<std::uintmax_t>(length))
        disk::RenameFile(scratch, ProgramPath(v, targetName));
    else
        disk::RemoveFile(scratch);
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
    const int year = YearOf(v) - 1;
    const fs::path folder = ProgramPath(v, YearFolderName(year));
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

PurgeOutcome PurgePastDays(CrewdeskVariables& v, const Locale& locale) {
    FinishInterruptedMove(v);
    const long firstDay = PurgedDay(v);
    const std::string teamRoot = TeamRootFor(YearOf(v));
    for (int n = 1; n <= std::min(v.TeamCount(), MaxTeams); ++n)
        for (long d = firstDay; d < v.DayOfYear; ++d)
            KillIfExists(v, DayFileName(teamRoot, n, static_cast<int>(d)));
    disk::WriteFileAtomic(ProgramPath(v, PurgedDateFile), supportfile::NumberLine(v.DayOfYear - 1));

    TellTornRecord(v, SlipsFile);
    PurgeOutcome outcome;
    outcome.completionsHidden = disk::FileExists(ProgramPath(v, SiblingProgramFile));
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
    if (!RecoverFile(v, SlipsFile))
        return undated;
    OpenSlipFile(v);
    SlipFile& slips = *v.SlipFileNumber;
    const std::pair today(YearOf(v), static_cast<int>(v.DayOfYear));
    std::vector<bool> past(static_cast<std::size_t>(slips.Count()) + 1); // by record number
    PastSlips moving(slips);
    SlipRecord record;
    for (std::int32_t i = 1; i <= slips.Count(); ++i) {
        slips.Read(i, record);
        const std::optional<Date> date = locale.ParseShortDate(record.Trimmed(SlipField::Date));
        if (!date) {
            undated.push_back(record.Trimmed(SlipField::SANumber));
            continue;
        }
        past[static_cast<std::size_t>(i)] = std::pair(date->year, date->DayOfYear()) < today;
        if (past[static_cast<std::size_t>(i)])
            moving.Add(record, i);
    }
    if (!moving.Empty()) {
        WriteMoveScratch(v, slips, past, moving);
        FinishInterruptedMove(v);
    }
    CloseAllFiles(v);
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
    const auto lines = supportfile::SplitLines(disk::ReadWholeFile(marker));
    if (lines.size() != 2)
        throw StoreError(marker, "read",
                         "it holds " + std::to_string(lines.size()) + " lines instead of 2");
    ForgetCustomers(v);
    // Completed first: stopped between the two, a slip is in both files for a moment, never
    // in neither.
    PutInPlace(v, TemporaryFile, CompletedSlipsFile, supportfile::ParseNumber(lines[0], marker, 1));
    PutInPlace(v, TempFile, SlipsFile, supportfile::ParseNumber(lines[1], marker, 2));
    disk::RemoveFile(marker);
}

} // namespace rotaplan
