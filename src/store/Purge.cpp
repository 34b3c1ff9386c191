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

std::uint64_t LengthOf(const fs::path& file) {
    return disk::FileExists(file) ? disk::FileLength(file) : 0;
}

std::uint64_t WholeRecords(std::uint64_t length) {
    return length - length % SlipRecordLength;
}

// Each whole record of the file with its number, read in pieces of whole records.
void EachRecordOf(const fs::path& file,
                  const std::function<void(std::int32_t, std::string_view)>& use) {
    std::int32_t number = 0;
    disk::ForEachPiece(
        file,
        [&](std::string_view piece) {
            for (; piece.size() >= SlipRecordLength; piece.remove_prefix(SlipRecordLength))
                use(++number, piece.substr(0, SlipRecordLength));
        },
        0, SlipRecordLength * 4096);
}

bool Moved(const std::vector<RecordRun>& runs, std::size_t& run, std::int32_t number) {
    while (run < runs.size() && runs[run].second < number)
        ++run;
    return run < runs.size() && runs[run].first <= number;
}

// What a move decided before it changed a file: the slip file's length, the completed slips'
// whole records, the kept slips' length, and the record numbers that move.
struct MovePlan {
    std::uint64_t slipsLength = 0, completedLength = 0, keptLength = 0;
    std::vector<RecordRun> runs;
};

std::string MarkerText(const MovePlan& plan) {
    return supportfile::NumberLine(static_cast<long>(plan.slipsLength)) +
           supportfile::NumberLine(static_cast<long>(plan.completedLength)) +
           supportfile::NumberLine(static_cast<long>(plan.keptLength)) + RunsText(plan.runs) +
           "\r\n";
}

// The plan, when the marker reads back whole and agrees with itself.
std::optional<MovePlan> ReadMarker(const fs::path& marker) {
    MovePlan plan;
    try {
        const auto lines = supportfile::SplitLines(disk::ReadWholeFile(marker));
        if (lines.size() != 4 || !ParseRuns(lines[3], plan.runs) || plan.runs.empty())
            return std::nullopt;
        std::uint64_t* lengths[] = {&plan.slipsLength, &plan.completedLength, &plan.keptLength};
        for (int i = 0; i < 3; ++i) {
            const long length = supportfile::ParseNumber(lines[i], marker, i + 1);
            if (length < 0)
                return std::nullopt;
            *lengths[i] = static_cast<std::uint64_t>(length);
        }
    } catch (const StoreError&) {
        return std::nullopt;
    }
    std::uint64_t moved = 0;
    for (const auto& [first, last] : plan.runs)
        moved += static_cast<std::uint64_t>(last - first + 1) * SlipRecordLength;
    if (plan.completedLength % SlipRecordLength != 0 ||
        WholeRecords(plan.slipsLength) != plan.keptLength + moved)
        return std::nullopt;
    return plan;
}

// From the old slip file: the kept slips into Temp.txt and the moved ones onto the end of
// the completed slips, both flushed, then Temp.txt in place of the slip file. Run again from
// the start after a stop, it gives the same bytes.
void CarryOut(CrewdeskVariables& v, const MovePlan& plan, const Progress& progress) {
    const fs::path slips = ProgramPath(v, SlipsFile);
    {
        disk::WriteHandle kept(ProgramPath(v, TempFile));
        disk::WriteHandle completed(ProgramPath(v, CompletedSlipsFile), plan.completedLength);
        const auto total = static_cast<std::int64_t>(plan.slipsLength / SlipRecordLength);
        std::size_t run = 0;
        EachRecordOf(slips, [&](std::int32_t number, std::string_view record) {
            (Moved(plan.runs, run, number) ? completed : kept).Append(record);
            if (progress && number % 65536 == 0)
                progress(total + number, 2 * total);
        });
        completed.Commit();
        kept.Commit();
    }
    ForgetCustomers(v);
    disk::RenameFile(ProgramPath(v, TempFile), slips);
    v.Slips.removed += static_cast<std::int64_t>(
        (WholeRecords(plan.slipsLength) - plan.keptLength) / SlipRecordLength);
}

// A move that failed before the slip file was replaced: the marker first, so that no later
// start makes it again, then the completed slips as they were.
void UndoMove(CrewdeskVariables& v, const MovePlan& plan, bool completedExisted) {
    disk::RemoveFile(ProgramPath(v, MoveMarkerFile));
    disk::RemoveFile(ProgramPath(v, TempFile));
    const fs::path completed = ProgramPath(v, CompletedSlipsFile);
    if (!completedExisted)
        disk::RemoveFile(completed);
    else if (LengthOf(completed) != plan.completedLength)
        disk::Truncate(completed, plan.completedLength);
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

PurgeOutcome PurgePastDays(CrewdeskVariables& v, const Locale& locale, const Progress& progress) {
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
        outcome.undatedSlips = MovePastSlips(v, locale, progress);
    }
    if (!outcome.undatedSlips.empty())
        v.Notices.push_back("These call slips stay among the booked ones because their date "
                            "cannot be read: " +
                            Joined(outcome.undatedSlips) + ".");
    CloseAllFiles(v);
    return outcome;
}

std::vector<std::string> MovePastSlips(CrewdeskVariables& v, const Locale& locale,
                                       const Progress& progress) {
    FinishInterruptedMove(v);
    std::vector<std::string> undated;
    const std::pair today(YearOf(v), static_cast<int>(v.DayOfYear));
    const Date todayDate = Date{today.first, 1, 1}.AddDays(today.second - 1);
    // After a clean end on the same day, no slip of the file is dated before today.
    if (v.Slips.quick && v.Slips.movedThrough && *v.Slips.movedThrough >= todayDate)
        return undated;
    if (!RecoverFile(v, SlipsFile))
        return undated;
    CloseAllFiles(v);
    const fs::path slips = ProgramPath(v, SlipsFile);
    MovePlan plan;
    plan.slipsLength = disk::FileLength(slips);
    const bool completedExisted = RecoverFile(v, CompletedSlipsFile);
    if (completedExisted)
        plan.completedLength = WholeRecords(disk::FileLength(ProgramPath(v, CompletedSlipsFile)));
    const auto total = static_cast<std::int64_t>(plan.slipsLength / SlipRecordLength);
    if (progress)
        progress(0, 2 * total);
    EachRecordOf(slips, [&](std::int32_t number, std::string_view bytes) {
        const SlipRecord record = SlipRecord::FromBytes(bytes);
        const std::optional<Date> date = locale.ParseShortDate(record.Trimmed(SlipField::Date));
        if (!date)
            undated.push_back(record.Trimmed(SlipField::SANumber));
        if (!date || std::pair(date->year, date->DayOfYear()) >= today)
            plan.keptLength += SlipRecordLength;
        else if (!plan.runs.empty() && plan.runs.back().second == number - 1)
            plan.runs.back().second = number;
        else
            plan.runs.emplace_back(number, number);
        if (progress && number % 65536 == 0)
            progress(number, 2 * total);
    });
    if (!plan.runs.empty()) {
        JournalEntry move;
        move.kind = JournalEntry::Kind::Move;
        move.date = todayDate;
        move.slipsMoved = plan.runs;
        Journal(v, move);
        const fs::path marker = ProgramPath(v, MoveMarkerFile);
        try {
            disk::WriteFileAtomic(marker, MarkerText(plan));
            CarryOut(v, plan, progress);
        } catch (const StoreError&) {
            // Taken back while the old slip file stands; after it is replaced, the move is
            // done, and the next start only clears the marker.
            if (disk::FileExists(slips) && disk::FileLength(slips) == plan.slipsLength) {
                UndoMove(v, plan, completedExisted);
                JournalAfterFailure(v, JournalEntry::Kind::Undone);
            }
            throw;
        }
        disk::RemoveFile(marker);
    }
    if (progress)
        progress(2 * total, 2 * total);
    v.Slips.movedThrough = todayDate;
    return undated;
}

void FinishInterruptedMove(CrewdeskVariables& v) {
    CloseAllFiles(v);
    const fs::path marker = ProgramPath(v, MoveMarkerFile);
    // The scratch file of WriteFileAtomic, left when the marker itself was being written.
    KillIfExists(v, std::string(MoveMarkerFile) + ".new");
    KillIfExists(v, TemporaryFile);
    if (!disk::FileExists(marker)) {
        KillIfExists(v, TempFile);
        return;
    }
    const std::optional<MovePlan> plan = ReadMarker(marker);
    const std::uint64_t slips = LengthOf(ProgramPath(v, SlipsFile));
    const std::uint64_t completed = LengthOf(ProgramPath(v, CompletedSlipsFile));
    if (plan && slips == plan->slipsLength && completed >= plan->completedLength)
        CarryOut(v, *plan, nullptr); // the old slip file stands: the move is made again
    else if (!plan || slips != plan->keptLength || disk::FileExists(ProgramPath(v, TempFile))) {
        SetAside(v);
        return;
    }
    disk::RemoveFile(marker);
}

} // namespace rotaplan
