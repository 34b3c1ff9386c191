#include "store/Repair.h"

#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/CrewdeskSetup.h"
#include "store/CustomerIndex.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/Master.h"
#include "store/Purge.h"
#include "store/Reset.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <type_traits>
#include <unordered_set>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t Listed = 12;
constexpr int MaxTeams =
    2; // the most a team list ever held // lines or items a box can show and still be read

std::string Counted(std::size_t n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

template <class Item> std::string Capped(const std::vector<Item>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < Listed; ++i) {
        text += i == 0 ? "" : ", ";
        if constexpr (std::is_same_v<Item, std::string>)
            text += items[i];
        else
            text += std::to_string(items[i]);
    }
    if (items.size() > Listed)
        text += " and " + std::to_string(items.size() - Listed) + " more";
    return text;
}

bool Digits(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           value >= low && value <= high;
}

std::uint64_t HashOf(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

std::string_view BytesOf(const SlipRecord& record) {
    return {record.Bytes().data(), SlipRecordLength};
}

std::int32_t RecordsOf(const fs::path& file) {
    return disk::FileExists(file)
               ? static_cast<std::int32_t>(disk::FileLength(file) / SlipRecordLength)
               : 0;
}

std::vector<std::string> WatchedNames(const CrewdeskVariables& v, int year) {
    std::vector<std::string> names;
    for (const char* name : CentralFiles) {
        names.push_back(std::string("\\") + name);
        names.push_back(std::string("\\Backup\\") + name);
    }
    for (const char* name : {CompletedSlipsFile, MoveMarkerFile, TeamDeleteMarker, TempFile,
                             TemporaryFile, JournalFile, CompletedCopyFile})
        names.emplace_back(name);
    for (int y : {year, year + 1}) {
        const std::string folder = YearFolderName(y);
        names.push_back(folder);
        for (const auto& team : disk::SubFolders(ProgramPath(v, folder)))
            names.push_back(folder + "\\" + team.filename().string());
    }
    return names;
}

// The mark vouches for the files when it says the run ended cleanly and every watched file
// is as it recorded; anything unreadable vouches for nothing.
void ReadCleanEnd(CrewdeskVariables& v, const Date& today) {
    auto& trust = v.Slips;
    const fs::path mark = ProgramPath(v, CleanEndFile);
    if (!disk::FileExists(mark))
        return;
    std::vector<std::string> lines;
    try {
        lines = supportfile::SplitLines(disk::ReadWholeFile(mark));
    } catch (const StoreError&) {
    }
    disk::RemoveFile(mark);
    if (lines.size() < 3 || lines[0] != "clean")
        return;
    int year = 0, day = 0;
    if (std::sscanf(lines[1].c_str(), "moved %d %d", &year, &day) == 2 && year > 0 && day > 0)
        trust.movedThrough = Date{year, 1, 1}.AddDays(day - 1);
    trust.told =
        std::strtoull(lines[2].c_str() + std::min<std::size_t>(5, lines[2].size()), nullptr, 10);
    for (std::size_t i = 3; i < lines.size(); ++i)
        if (const auto bar = lines[i].find('|'); bar != std::string::npos)
            trust.stamps[lines[i].substr(0, bar)] = lines[i].substr(bar + 1);
    trust.lastEndClean = true;
    trust.quick = true;
    for (const auto& name : WatchedNames(v, today.year)) {
        const auto it = trust.stamps.find(name);
        trust.quick = trust.quick && it != trust.stamps.end() &&
                      it->second == disk::Stamp(ProgramPath(v, name));
    }
    if (!trust.quick)
        trust.movedThrough.reset();
}

// A folder of an older copy or made by hand has no journal: only records that are no call
// slips can be told, and the backup copy offered for them.
void CheckWithoutJournal(CrewdeskVariables& v, const Date& today, const Ask& ask) {
    const SlipFileCheck check = CheckSlipFile(v);
    if (!check.Damaged())
        return;
    if (ask(DamageQuestion(check))) {
        v.Notices.push_back(TakeBackupSlips(v, today));
        return;
    }
    v.Slips.distrusted = true;
    v.Notices.push_back("Slips.txt is damaged and kept as it is: no past call slip was moved, no "
                        "past day purged and no hours freed, and the backup copy stays as it is. "
                        "Start Rotaplan again to take the backup copy.");
}

} // namespace

std::string KeepAside(const fs::path& file, const Date& today) {
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", today.year, today.month, today.day);
    fs::path kept = fs::path(file).concat(".damaged-" + std::string(day));
    for (int n = 2; disk::FileExists(kept) || disk::FolderExists(kept); ++n)
        kept = fs::path(file).concat(".damaged-" + std::string(day) + "-" + std::to_string(n));
    disk::CopyFileAtomic(file, kept);
    return kept.filename().string();
}

bool HoldsCallSlip(const SlipRecord& record) {
    const std::string kind = record.Trimmed(SlipField::Kind);
    const std::string sa = record.Get(SlipField::SANumber);
    if (!kind.empty() && kind != "Service")
        return false;
    if (!sa.starts_with("SA "))
        return false;
    const std::string number = Trim(sa.substr(3));
    const auto dash = number.find('-');
    return dash != std::string::npos && number.find(' ') == std::string::npos &&
           Digits(std::string_view(number).substr(0, dash), 1, 366) &&
           Digits(std::string_view(number).substr(dash + 1), 1, 32767);
}

SlipFileCheck CheckSlipFile(CrewdeskVariables& v) {
    CloseAllFiles(v);
    SlipFileCheck check;
    const fs::path slips = ProgramPath(v, SlipsFile);
    if (disk::FileExists(slips)) {
        const std::uint64_t length = disk::FileLength(slips);
        check.records = static_cast<std::int32_t>(length / SlipRecordLength);
        check.trailing = length % SlipRecordLength;
    }
    ForEachRecord(slips, [&](std::int32_t i, const SlipRecord& record) {
        if (!HoldsCallSlip(record))
            check.unreadable.push_back(i);
    });
    ForEachRecord(ProgramPath(v, std::string("\\Backup") + SlipsFile),
                  [&](std::int32_t, const SlipRecord& record) {
                      ++(HoldsCallSlip(record) ? check.backupRecords : check.backupUnreadable);
                  });
    return check;
}

std::string DamageQuestion(const SlipFileCheck& check) {
    std::string text = "Slips.txt, the file of booked call slips, looks damaged:";
    if (!check.unreadable.empty())
        text += "\r\n- " + std::to_string(check.unreadable.size()) + " of its " +
                Counted(static_cast<std::size_t>(check.records), "record") +
                (check.unreadable.size() == 1 ? " is not a call slip" : " are not call slips") +
                " (records " + Capped(check.unreadable) + ")";
    if (check.trailing != 0)
        text +=
            "\r\n- it ends " + std::to_string(check.trailing) + " bytes past its last whole record";
    text +=
        "\r\nThe backup copy Backup\\Slips.txt holds " + Counted(check.backupRecords, "call slip");
    if (check.backupUnreadable != 0)
        text += " and " + Counted(check.backupUnreadable, "damaged record");
    text += ".\r\n\r\nYes: rebuild Slips.txt from the call slips of the backup copy and those "
            "only Slips.txt holds; the damaged file is kept beside it."
            "\r\nNo: keep Slips.txt as it is. Rotaplan then moves no past call slip, purges no "
            "past day, frees no hours and keeps the backup copy, until you take it at a later "
            "start.";
    return text;
}

std::string TakeBackupSlips(CrewdeskVariables& v, const Date& today) {
    CloseAllFiles(v);
    const fs::path slips = ProgramPath(v, SlipsFile), scratch = ProgramPath(v, TempFile);
    std::unordered_set<std::uint64_t> taken;
    int fromBackup = 0, fromDamaged = 0;
    {
        disk::WriteHandle out(scratch);
        const auto take = [&](const fs::path& file, int& count) {
            ForEachRecord(file, [&](std::int32_t, const SlipRecord& record) {
                if (HoldsCallSlip(record) && taken.insert(HashOf(BytesOf(record))).second) {
                    out.Append(BytesOf(record));
                    ++count;
                }
            });
        };
        take(ProgramPath(v, std::string("\\Backup") + SlipsFile), fromBackup);
        take(slips, fromDamaged);
        out.Commit();
    }
    const std::string kept = disk::FileExists(slips) ? KeepAside(slips, today) : "";
    disk::ReplaceWith(scratch, slips);
    return "Slips.txt was rebuilt from its backup copy (" + Counted(fromBackup, "call slip") +
           ") and the " + Counted(fromDamaged, "call slip") + " only it still held" +
           (kept.empty() ? "." : "; the damaged file is kept as " + kept + ".");
}

namespace {

std::optional<FileSum> SumNamed(const JournalEntry& entry, const std::string& name) {
    for (const auto& [file, sum] : entry.sums)
        if (file == name)
            return sum;
    return std::nullopt;
}

// Where the replay of a record file starts: the copy the checkpoint made of it, or the
// generation before replayed up to it; nullopt when neither matches.
std::optional<Expectation> BaseOf(CrewdeskVariables& v, const char* copyName, const FileSum& sum,
                                  bool completed) {
    Expectation base;
    if (sum.length == 0)
        return base;
    const fs::path copy = ProgramPath(v, copyName);
    if (SumOfStart(copy, sum.length) == sum) {
        // An exit stopped after it appended to the copy, before its checkpoint: cut back.
        if (disk::FileLength(copy) > sum.length)
            disk::Truncate(copy, sum.length);
        base.baseFile = copy;
        return base;
    }
    if (completed)
        return std::nullopt;
    const JournalRead previous = ReadJournal(ProgramPath(v, PreviousJournalFile));
    const fs::path older = ProgramPath(v, "\\Backup\\Previous\\Slips.txt");
    if (previous.entries.empty() || !disk::FileExists(older))
        return std::nullopt;
    const auto e = Expect(FileAsItIs(older), previous.entries, previous.entries.size(), false);
    if (!e || SumOfExpected(*e) != sum)
        return std::nullopt;
    const fs::path scratch = ProgramPath(v, TempFile);
    WriteExpected(*e, scratch);
    base.baseBytes = std::make_shared<const std::string>(disk::ReadWholeFile(scratch));
    disk::RemoveFile(scratch);
    return base;
}

FileSum WholeRecordsSum(const fs::path& file) {
    return SumOfExpected(FileAsItIs(file));
}

std::string DescribeRecord(const std::string& bytes) {
    const SlipRecord r = SlipRecord::FromBytes(bytes);
    std::string text = r.Trimmed(SlipField::SANumber);
    const std::string name = r.Trimmed(SlipField::Name), date = r.Trimmed(SlipField::Date);
    if (!name.empty())
        text += ", " + name;
    if (!date.empty())
        text += ", " + date;
    return text;
}

std::vector<std::string> Described(const std::vector<std::string>& records) {
    std::vector<std::string> lines;
    for (const auto& record : records)
        lines.push_back(DescribeRecord(record));
    return lines;
}

const char* KindText(JournalEntry::Kind kind) {
    switch (kind) {
    case JournalEntry::Kind::Book:
        return "a booking";
    case JournalEntry::Kind::Delete:
        return "a deletion";
    case JournalEntry::Kind::CompletedDelete:
        return "a deletion of completed call slips";
    case JournalEntry::Kind::Move:
        return "the move of past call slips";
    case JournalEntry::Kind::Replace:
        return "a restore, re-install or reset";
    default:
        return "an operation";
    }
}

// One record file compared with what the journal says it holds: equal, one operation short
// (finished now), or damaged from outside (put to the operator). The slip file's check leaves
// its base in `slipsBase`, where the completed slips' check finds the slips a move took.
void CheckRecordFile(CrewdeskVariables& v, const Date& today, const JournalRead& j,
                     const char* name, const char* copyName, bool completed,
                     std::optional<Expectation>& slipsBase, const Ask& ask) {
    const fs::path file = ProgramPath(v, name);
    const std::string shortName = name + 1;
    const auto sum = SumNamed(j.entries.front(), shortName);
    if (!sum)
        return;
    auto base = BaseOf(v, copyName, *sum, completed);
    // A reset or restore stopped after it removed the backup copy still knows its result.
    const bool lastReplaces = !completed && j.entries.back().slipsReplaced;
    if (!base && !lastReplaces) {
        v.Notices.push_back(shortName + " cannot be checked against the journal: no copy of it "
                                        "as the last clean exit left it reads back.");
        return;
    }
    const bool baseKnown = base.has_value();
    if (!base)
        base = Expectation{};
    else if (!completed)
        slipsBase = base;
    const Expectation* slips = completed && slipsBase ? &*slipsBase : nullptr;
    const auto replayed = Expect(*base, j.entries, j.entries.size(), completed, slips);
    if (!replayed) {
        v.Notices.push_back(shortName + " cannot be checked against the journal: the call slips "
                                        "moved into it are known only from Slips.txt, which "
                                        "cannot be checked.");
        return;
    }
    const Expectation& all = *replayed;
    const FileSum actual = WholeRecordsSum(file);
    const bool torn = disk::FileExists(file) && disk::FileLength(file) % SlipRecordLength != 0;
    const FileSum expected = SumOfExpected(all);
    if (actual == expected && !torn)
        return;
    const JournalEntry& last = j.entries.back();
    if (actual == expected || !baseKnown ||
        (j.entries.size() > 1 &&
         actual ==
             SumOfExpected(*Expect(*base, j.entries, j.entries.size() - 1, completed, slips)))) {
        WriteExpected(all, file);
        v.Notices.push_back("Rotaplan finished " + std::string(KindText(last.kind)) +
                            " that the last run left unfinished in " + shortName + ".");
        return;
    }
    const RecordDiff diff = Compare(all, file);
    std::string question = shortName + " does not hold what Rotaplan wrote into it:";
    if (!disk::FileExists(file))
        question += "\r\n- the file is missing";
    if (torn)
        question += "\r\n- it ends in part of a record";
    if (!diff.missing.empty())
        question += "\r\n- " + Counted(diff.missing.size(), "call slip") +
                    " missing: " + Capped(Described(diff.missing));
    if (!diff.extra.empty())
        question += "\r\n- " + Counted(diff.extra.size(), "record") +
                    " Rotaplan did not write: " + Capped(Described(diff.extra));
    question += "\r\n\r\nYes: rebuild " + shortName +
                " from its backup copy and Rotaplan's journal; the file as it is now is kept "
                "beside it.\r\nNo: keep " +
                shortName +
                " as it is. Rotaplan then moves no past call slip, purges no past day, frees no "
                "hours and keeps the backup copy, until you rebuild it at a later start.";
    if (!ask(question)) {
        v.Slips.distrusted = true;
        v.Notices.push_back(shortName +
                            " is damaged and kept as it is: no past call slip was moved, no "
                            "past day purged and no hours freed, and the backup copy stays as "
                            "it is. Start Rotaplan again to rebuild it.");
        return;
    }
    const std::string kept = disk::FileExists(file) ? KeepAside(file, today) : "";
    WriteExpected(all, file);
    ForgetCustomers(v);
    v.Notices.push_back(shortName + " was rebuilt from its backup copy and the journal" +
                        (kept.empty() ? "." : "; the damaged file is kept as " + kept + "."));
}

// Day changes an operation could not finish: those of the last entry (a stopped run) and
// those a failed operation left for later. Only entries still as they were are changed.
void FinishDayChanges(CrewdeskVariables& v, const JournalRead& j) {
    if (j.entries.back().kind == JournalEntry::Kind::Reset)
        EraseSchedules(v, j.entries.back().date.year, MaxTeams);
    std::vector<const DayChange*> changes;
    for (std::size_t i = 0; i < j.entries.size(); ++i) {
        const auto& e = j.entries[i];
        const bool failed =
            e.kind == JournalEntry::Kind::Undone || e.kind == JournalEntry::Kind::Pending;
        const bool undone =
            i + 1 < j.entries.size() && j.entries[i + 1].kind == JournalEntry::Kind::Undone;
        if (failed || (i + 1 == j.entries.size() && !undone))
            for (const auto& day : e.days)
                changes.push_back(&day);
    }
    const std::string dayFilePath = v.DayFilePath;
    for (const DayChange* day : changes) {
        v.DayFilePath = day->path;
        if (!disk::FileExists(ProgramPath(v, day->path)))
            continue;
        ReadDayFile(v);
        bool changed = false;
        for (int i = 0; i < DayEntryCount; ++i)
            if (v.DaySlots[i] == day->before[i] && day->before[i] != day->after[i]) {
                v.DaySlots[i] = day->after[i];
                changed = true;
            }
        if (changed)
            WriteDayFile(v);
    }
    v.DayFilePath = dayFilePath;
}

// A team or problem list that is not as saved, whose backup copy is: the copy is taken.
void CheckLists(CrewdeskVariables& v, const Date& today, const JournalRead& j) {
    for (const char* name : {AssigntoFile, ProblemCodeFile}) {
        const std::string shortName = name + 1;
        std::optional<FileSum> saved;
        for (const auto& e : j.entries)
            if (const auto sum = SumNamed(e, shortName))
                saved = sum;
        const fs::path file = ProgramPath(v, name);
        const fs::path copy = ProgramPath(v, std::string("\\Backup") + name);
        if (!saved || !disk::FileExists(file) || SumOfFile(file) == *saved ||
            SumOfFile(copy) != *saved)
            continue;
        const std::string kept = KeepAside(file, today);
        disk::CopyFileAtomic(copy, file);
        v.Notices.push_back(shortName +
                            " was not as Rotaplan saved it; its backup copy took its "
                            "place, and the file as it was is kept as " +
                            kept + ".");
    }
}

// The bookings a restore or re-install left out, while the operator has not answered for
// them; those the slip file or completed slips hold again are not asked about.
std::vector<std::string> Offered(CrewdeskVariables& v, const JournalRead& j) {
    std::vector<std::string> offered;
    for (const auto& e : j.entries) {
        if (e.kind == JournalEntry::Kind::Offered)
            offered.clear();
        offered.insert(offered.end(), e.offered.begin(), e.offered.end());
    }
    if (offered.empty())
        return offered; // the record files are read only when there is something to look for
    std::unordered_set<std::string> present;
    for (const char* name : {SlipsFile, CompletedSlipsFile})
        ForEachRecord(ProgramPath(v, name),
                      [&](std::int32_t, const SlipRecord& r) { present.emplace(BytesOf(r)); });
    std::erase_if(offered, [&](const std::string& r) { return present.count(r) != 0; });
    return offered;
}

// The day changes that free the hours of left-out bookings, where their day still holds them.
std::vector<DayChange> FreeingOf(CrewdeskVariables& v, const std::vector<std::string>& records,
                                 const Locale& locale) {
    std::vector<DayChange> days;
    for (const auto& bytes : records) {
        const SlipRecord r = SlipRecord::FromBytes(bytes);
        const auto date = locale.ParseShortDate(r.Trimmed(SlipField::Date));
        int team = 0;
        const std::string teamText = r.Trimmed(SlipField::Team);
        if (!date || !Digits(teamText, 1, 255))
            continue;
        std::from_chars(teamText.data(), teamText.data() + teamText.size(), team);
        v.DayFilePath = DayFileName(TeamRootFor(date->year), team, date->DayOfYear());
        if (!disk::FileExists(ProgramPath(v, v.DayFilePath)))
            continue;
        ReadDayFile(v);
        auto after = v.DaySlots;
        for (int i = 2; i < 2 + SlotCount; ++i)
            if (after[i] == r.Trimmed(SlipField::SANumber))
                after[i] = NoEventScheduled;
        if (after != v.DaySlots)
            days.push_back(ChangeOf(v.DayFilePath, v.DaySlots, after));
    }
    return days;
}

void OfferBack(CrewdeskVariables& v, const Date& today, const JournalRead& j, const Locale& locale,
               const Ask& ask) {
    const auto offered = Offered(v, j);
    if (offered.empty())
        return;
    const std::string question =
        "Slips.txt was restored or re-installed from an older copy. These " +
        Counted(offered.size(), "booking") +
        " made after that copy are not in it: " + Capped(Described(offered)) +
        ".\r\n\r\nYes: add them back to Slips.txt; their hours are still booked."
        "\r\nNo: leave them out and free their hours.";
    JournalEntry answer;
    answer.kind = JournalEntry::Kind::Offered;
    answer.date = today;
    if (!ask(question)) {
        answer.days = FreeingOf(v, offered, locale);
        Journal(v, answer);
        for (const auto& day : answer.days) {
            v.DayFilePath = day.path;
            std::copy(day.after.begin(), day.after.end(), v.DaySlots.begin());
            WriteDayFile(v);
        }
        return;
    }
    JournalEntry back;
    back.kind = JournalEntry::Kind::Book;
    back.date = today;
    back.slipsAdded = offered;
    Journal(v, back);
    const fs::path slips = ProgramPath(v, SlipsFile);
    std::uint64_t at = disk::FileExists(slips) ? disk::FileLength(slips) : 0;
    at -= at % SlipRecordLength;
    std::string bytes;
    for (const auto& record : offered)
        bytes += record;
    disk::WriteAt(slips, at, bytes);
    ForgetCustomers(v);
    v.Notices.push_back(Counted(offered.size(), "booking") +
                        " left out by the restore were added back to Slips.txt.");
    Journal(v, answer);
}

void CheckAgainstJournal(CrewdeskVariables& v, const Date& today, const JournalRead& j,
                         const Locale& locale, const Ask& ask) {
    std::optional<Expectation> slipsBase;
    CheckRecordFile(v, today, j, SlipsFile, "\\Backup\\Slips.txt", false, slipsBase, ask);
    CheckRecordFile(v, today, j, CompletedSlipsFile, CompletedCopyFile, true, slipsBase, ask);
    CheckLists(v, today, j);
    if (v.Slips.distrusted)
        return;
    FinishDayChanges(v, j);
    OfferBack(v, today, j, locale, ask);
}

} // namespace

void CheckSlipsAtStart(CrewdeskVariables& v, const Date& today, const Locale& locale,
                       const Ask& ask) {
    try {
        ReadCleanEnd(v, today);
        if (!v.Slips.quick)
            FinishInterruptedMove(v);
        // After a clean end the journal is its checkpoint alone: cheap to read.
        const JournalRead j = ReadJournal(ProgramPath(v, JournalFile));
        v.Slips.journalEnd = j.validLength;
        const bool checkpointed =
            !j.entries.empty() && j.entries.front().kind == JournalEntry::Kind::Checkpoint;
        if (v.Slips.quick && checkpointed)
            OfferBack(v, today, j, locale, ask);
        else if (checkpointed)
            CheckAgainstJournal(v, today, j, locale, ask);
        else if (!v.Slips.quick)
            CheckWithoutJournal(v, today, ask);
    } catch (const StoreError&) {
        v.Slips.distrusted = true; // what cannot be read cannot be vouched for
        throw;
    }
    v.Slips.accepted = RecordsOf(ProgramPath(v, SlipsFile));
}

void WriteCleanEnd(CrewdeskVariables& v) {
    if (v.Slips.distrusted || v.Slips.journalBroken || v.CurrentYear.empty())
        return; // a start that did not reach the year folders vouches for nothing
    CheckpointJournal(v, RunDate(v));
    std::string bytes = "clean\r\n";
    const auto moved = v.Slips.replaced ? std::nullopt : v.Slips.movedThrough;
    bytes += moved ? "moved " + std::to_string(moved->year) + " " +
                         std::to_string(moved->DayOfYear()) + "\r\n"
                   : "moved -\r\n";
    bytes += "told " + std::to_string(v.Slips.told) + "\r\n";
    for (const auto& name : WatchedNames(v, std::stoi(v.CurrentYear)))
        bytes += name + "|" + disk::Stamp(ProgramPath(v, name)) + "\r\n";
    disk::WriteFileAtomic(ProgramPath(v, CleanEndFile), bytes);
}

void CheckSlipsBeforeBackup(CrewdeskVariables& v, const fs::path& copy, std::uint64_t from) {
    const auto keep = [&copy](const std::string& why) {
        return StoreError(copy, "replace", why + ", so the backup copy is kept as it was");
    };
    if (v.Slips.distrusted)
        throw keep("Slips.txt was found damaged at start-up");
    std::vector<std::int32_t> unreadable;
    {
        SlipFile slips(ProgramPath(v, SlipsFile));
        SlipRecord record;
        for (auto i = static_cast<std::int32_t>(from / SlipRecordLength) + 1; i <= slips.Count();
             ++i) {
            slips.Read(i, record);
            if (!HoldsCallSlip(record))
                unreadable.push_back(i);
        }
    }
    CloseAllFiles(v);
    if (!unreadable.empty())
        throw keep("records " + Capped(unreadable) + " of Slips.txt are not call slips");
    const std::int64_t records = RecordsOf(ProgramPath(v, SlipsFile));
    if (!v.Slips.replaced && records + v.Slips.removed < v.Slips.accepted)
        throw keep("Slips.txt holds " + std::to_string(records) + " call slips, fewer than the " +
                   std::to_string(v.Slips.accepted - v.Slips.removed) +
                   " this run leaves after its removals");
}

bool UnchangedSinceBackup(const CrewdeskVariables& v, const char* name) {
    if (!v.Slips.quick)
        return false;
    const auto same = [&v](const std::string& relative) {
        const auto it = v.Slips.stamps.find(relative);
        return it != v.Slips.stamps.end() && it->second == disk::Stamp(ProgramPath(v, relative));
    };
    return same(std::string("\\") + name) && same(std::string("\\Backup\\") + name);
}

std::optional<std::uint64_t> GrownSinceBackup(const CrewdeskVariables& v, const char* name) {
    const std::string file = std::string("\\") + name, copy = std::string("\\Backup\\") + name;
    const auto it = v.Slips.stamps.find(copy);
    if (file != SlipsFile || !v.Slips.quick || v.Slips.slipsRewritten || v.Slips.replaced ||
        it == v.Slips.stamps.end() || it->second != disk::Stamp(ProgramPath(v, copy)) ||
        !disk::FileExists(ProgramPath(v, copy)))
        return std::nullopt;
    const std::uint64_t length = disk::FileLength(ProgramPath(v, copy));
    if (length % SlipRecordLength != 0 || disk::FileLength(ProgramPath(v, file)) < length)
        return std::nullopt;
    return length;
}

std::string StartupMessage(const MendReport& report, const std::vector<std::string>& notices) {
    std::string text;
    const auto section = [&text](const char* heading, const std::vector<std::string>& lines,
                                 const char* todo) {
        if (lines.empty())
            return;
        text += (text.empty() ? "" : "\r\n\r\n") + std::string(heading);
        for (std::size_t i = 0; i < lines.size() && i < Listed; ++i)
            text += "\r\n- " + lines[i];
        if (lines.size() > Listed)
            text += "\r\n- and " + std::to_string(lines.size() - Listed) + " more like these";
        text += "\r\n" + std::string(todo);
    };
    section("Rotaplan found damage and left it as it is:", report.damage,
            "Restore the damaged files from your archive, or mend them by hand.");
    section("Rotaplan mended what an interrupted operation (or an older copy of the files) left "
            "behind:",
            report.interrupted,
            "Nothing was lost. If you do not know a freed SA number, call its customer.");
    section("These call slips of today or later hold no hours in any team's day (their team may "
            "have been deleted):",
            report.unheld, "Reschedule or delete them under Delete or Reschedule.");
    section("These hours of today or later are booked to an SA that no call slip holds; they "
            "stay booked, so that no booking is lost:",
            report.orphans,
            "Call the customers they may belong to; the hours come free once their day has "
            "passed.");
    for (const auto& notice : notices)
        text += (text.empty() ? "" : "\r\n\r\n") + notice;
    return text;
}

} // namespace rotaplan
