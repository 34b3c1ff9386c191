#include "store/Mend.h"

#include "store/Archive.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Counter.h"
#include "store/CrewdeskSetup.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/Master.h"
#include "store/Purge.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <unordered_set>

namespace rotaplan {

namespace {

namespace fs = std::filesystem;

// The day files of today and later, each read once; those changed are written at the end.
struct Day {
    std::array<std::string, 13> entries;
    int team = 0;
    Date date;
    bool changed = false;
};

struct Findings {
    std::map<std::string, Day> days;
    std::unordered_set<std::string> daysOfSA; // every SA a day file holds
    std::unordered_set<std::string> backed;   // those of them a slip holds
    std::vector<std::string> unclaimed;       // SAs of slips ahead that no day file holds
    int lastSequence = 0;                     // the highest sequence issued today
    MendReport report;
};

int Number(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// The sequence of an SA text of the day ("SA 338-4" of day 338 gives 4), or 0.
int SequenceOfDay(const std::string& sa, const std::string& dayKey) {
    const std::string prefix = "SA " + dayKey + "-";
    return sa.compare(0, prefix.size(), prefix) == 0 ? Number(sa.substr(prefix.size())) : 0;
}

// The scratch files the program writes, by their exact names: "<file>.new" of each file it
// rewrites whole, Temp.txt and TemporaryFile.txt. Nothing else is ever removed.
std::vector<std::string> ScratchNames(CrewdeskVariables& v, const Date& today) {
    std::vector<std::string> names = {TempFile, TemporaryFile};
    std::vector<std::string> rewritten = {CleanEndFile,       MoveMarkerFile,     TeamDeleteMarker,
                                          JournalFile,        PurgedDateFile,     CompletedCopyFile,
                                          CompletedSlipsFile, PreviousJournalFile};
    for (const char* name : CentralFiles)
        for (const char* folder : {"\\", "\\Backup\\", "\\Backup\\Previous\\"})
            rewritten.push_back(folder + std::string(name));
    for (int year : {today.year, today.year + 1})
        for (int team = 1; team <= v.TeamCount(); ++team) {
            const std::string folder = TeamFolderName(std::to_string(year), team);
            if (!disk::FolderExists(ProgramPath(v, folder)))
                continue;
            for (const auto& file : disk::MatchingFiles(ProgramPath(v, folder), "*.txt.new"))
                if (const int day = Number(file.stem().stem().string()); day >= 1 && day <= 366)
                    rewritten.push_back(DayFileName(TeamRootFor(year), team, day));
        }
    for (const auto& name : rewritten)
        names.push_back(name + ".new");
    return names;
}

void RemoveScratchFiles(CrewdeskVariables& v, const Date& today, Findings& f) {
    for (const auto& name : ScratchNames(v, today)) {
        if (!disk::FileExists(ProgramPath(v, name)))
            continue;
        // A link planted under a scratch name is refused, named, and the check goes on.
        try {
            disk::RemoveFile(ProgramPath(v, name));
            f.report.interrupted.push_back("removed the unfinished " + name.substr(1));
        } catch (const StoreError& error) {
            f.report.damage.push_back(error.what());
        }
    }
    if (disk::FolderExists(ProgramPath(v, ReinstallFolder))) {
        RemoveReinstallFolder(v);
        f.report.interrupted.push_back("removed the files of a re-install that was stopped");
    }
}

void ReadDays(CrewdeskVariables& v, const Date& today, const std::string& dayKey, Findings& f) {
    for (int year : {today.year, today.year + 1})
        for (int team = 1; team <= v.TeamCount(); ++team) {
            const fs::path folder = ProgramPath(v, TeamFolderName(std::to_string(year), team));
            if (!disk::FolderExists(folder))
                continue;
            for (const auto& file : disk::MatchingFiles(folder, "*.txt")) {
                const int dayOfYear = Number(file.stem().string());
                if (dayOfYear < 1 || (year == today.year && dayOfYear < today.DayOfYear()))
                    continue;
                v.DayFilePath = DayFileName(TeamRootFor(year), team, dayOfYear);
                try {
                    ReadDayFile(v);
                } catch (const StoreError& error) {
                    f.report.damage.push_back(std::string(error.what()) + "; it is left as it is");
                    continue;
                }
                const Date date = Date{year, 1, 1}.AddDays(dayOfYear - 1);
                f.days[v.DayFilePath] = {v.DaySlots, team, date};
                for (const auto& entry : v.DaySlots)
                    if (entry != NoEventScheduled && !entry.empty()) {
                        f.lastSequence = std::max(f.lastSequence, SequenceOfDay(entry, dayKey));
                        f.daysOfSA.insert(entry);
                    }
            }
        }
}

// Any slip backs its SA wherever it stands: after a team is deleted, slips keep their old
// team numbers, so a booking may stand in a folder that its slip's number no longer names.
void ScanSlips(CrewdeskVariables& v, const Date& today, const Locale& locale,
               const std::string& dayKey, Findings& f) {
    SlipFile slips(ProgramPath(v, SlipsFile));
    SlipRecord record;
    for (std::int32_t i = 1; i <= slips.Count(); ++i) {
        slips.Read(i, record);
        if (!HoldsCallSlip(record))
            continue; // the start-up check named it
        const std::string sa = record.Trimmed(SlipField::SANumber);
        f.lastSequence = std::max(f.lastSequence, SequenceOfDay(sa, dayKey));
        if (f.daysOfSA.count(sa)) {
            f.backed.insert(sa);
            continue;
        }
        const auto date = locale.ParseShortDate(record.Trimmed(SlipField::Date));
        const int team = Number(record.Trimmed(SlipField::Team));
        if (date && *date >= today && team >= 1 && team <= v.TeamCount())
            f.unclaimed.push_back(sa + " (team " + std::to_string(team) + " on " +
                                  locale.ShortDate(*date) + ")");
    }
}

// Hours no slip holds stay booked: only the journal may free hours, where it shows that the
// program itself removed their slip. One line per SA, however many hours it held.
std::vector<std::string> KeptOrphans(const Findings& f, const Locale& locale) {
    std::vector<std::string> kept;
    std::set<std::string> told;
    for (const auto& [path, day] : f.days)
        for (const auto& entry : day.entries)
            if (entry.starts_with("SA ") && !f.backed.count(entry) && told.insert(entry).second)
                kept.push_back(entry + " (team " + std::to_string(day.team) + " on " +
                               locale.ShortDate(day.date) + ")");
    return kept;
}

// Named once: the same slips without hours, and hours without slips, are not named again at
// the next start.
void NameOnce(CrewdeskVariables& v, Findings& f, std::vector<std::string> orphans) {
    std::uint64_t hash = 0;
    for (const auto* list : {&f.unclaimed, &orphans})
        for (const auto& sa : *list)
            hash = hash * 1000003u + std::hash<std::string>{}(sa);
    if (hash != v.Slips.told) {
        f.report.unheld = f.unclaimed;
        f.report.orphans = std::move(orphans);
    }
    v.Slips.told = hash;
}

// A team folder of this year or the next that is gone altogether: each slip ahead of that
// team gives its hours back into a day file made anew.
void RebuildLostTeamFolders(CrewdeskVariables& v, const Date& today, const Locale& locale,
                            Findings& f) {
    std::vector<std::pair<int, int>> lost; // year, team
    for (int year : {today.year, today.year + 1})
        if (disk::FolderExists(ProgramPath(v, YearFolderName(year))))
            for (int team = 1; team <= v.TeamCount(); ++team)
                if (!disk::FolderExists(ProgramPath(v, TeamFolderName(std::to_string(year), team))))
                    lost.emplace_back(year, team);
    if (lost.empty())
        return;
    ForEachRecord(ProgramPath(v, SlipsFile), [&](std::int32_t, const SlipRecord& record) {
        const auto date = locale.ParseShortDate(record.Trimmed(SlipField::Date));
        const int team = Number(record.Trimmed(SlipField::Team));
        const int first =
            SlotForStartIndex(v.StartHour, Number(record.Trimmed(SlipField::StartIndex)));
        const int hours = Number(record.Trimmed(SlipField::Hours));
        if (!HoldsCallSlip(record) || !date || *date < today ||
            std::find(lost.begin(), lost.end(), std::pair(date->year, team)) == lost.end() ||
            first < 0 || hours < 1 || first + hours > SlotCount)
            return;
        const std::string path = DayFileName(TeamRootFor(date->year), team, date->DayOfYear());
        auto& day = f.days[path];
        if (day.team == 0) {
            day = {{}, team, *date, true};
            std::fill(day.entries.begin(), day.entries.begin() + DayEntryCount, NoEventScheduled);
        }
        const std::string sa = record.Trimmed(SlipField::SANumber);
        for (int k = first; k < first + hours; ++k)
            if (day.entries[k + 2] == NoEventScheduled)
                day.entries[k + 2] = sa;
        f.daysOfSA.insert(sa);
        f.report.interrupted.push_back(
            "gave " + sa + " its hours back in the lost folder of team " + std::to_string(team));
    });
}

// The highest sequence of today's SAs that the journal's entries of today hold, those a
// restore left out included.
int JournaledToday(const CrewdeskVariables& v, const Date& today, const std::string& dayKey) {
    int last = 0;
    for (const auto& e : ReadJournal(ProgramPath(v, JournalFile)).entries)
        if (e.date == today)
            for (const auto* records : {&e.slipsAdded, &e.offered})
                for (const auto& record : *records)
                    last = std::max(last, SequenceOfDay(SlipRecord::FromBytes(record).Trimmed(
                                                            SlipField::SANumber),
                                                        dayKey));
    return last;
}

// The same of the completed slips: booked today for today or later, moved by a start whose
// clock was ahead.
int CompletedToday(const CrewdeskVariables& v, const Date& today, const Locale& locale,
                   const std::string& dayKey) {
    int last = 0;
    ForEachRecord(ProgramPath(v, CompletedSlipsFile), [&](std::int32_t, const SlipRecord& r) {
        const int sequence = SequenceOfDay(r.Trimmed(SlipField::SANumber), dayKey);
        if (sequence > last) {
            const auto date = locale.ParseShortDate(r.Trimmed(SlipField::Date));
            if (date && *date >= today)
                last = sequence;
        }
    });
    return last;
}

// Never a number issued before: the counter moves past the highest sequence seen today.
void MoveCounterPast(CrewdeskVariables& v, const std::string& dayKey, int last,
                     MendReport& report) {
    if (v.DayKey != dayKey || v.NextSeq > last)
        return;
    v.NextSeq = static_cast<std::int16_t>(last);
    AdvanceCounter(v);
    report.interrupted.push_back("moved the SA counter on to " + v.CurrentSA);
}

} // namespace

MendReport MendFolder(CrewdeskVariables& v, const Date& today, const Locale& locale) {
    Findings f;
    const std::string dayKey = std::to_string(today.DayOfYear());
    if (v.Slips.quick) {
        MoveCounterPast(v, dayKey, JournaledToday(v, today, dayKey), f.report);
        return f.report;
    }
    const std::string dayFilePath = v.DayFilePath;
    if (!v.Slips.distrusted)
        RemoveScratchFiles(v, today, f);
    ReadDays(v, today, dayKey, f);
    if (!v.Slips.distrusted)
        RebuildLostTeamFolders(v, today, locale, f);
    ScanSlips(v, today, locale, dayKey, f);
    f.lastSequence = std::max({f.lastSequence, JournaledToday(v, today, dayKey),
                               CompletedToday(v, today, locale, dayKey)});
    // Hours are never claimed back into an existing day: its team number may name another
    // team now.
    NameOnce(v, f, KeptOrphans(f, locale));
    for (const auto& [path, day] : f.days)
        if (day.changed) {
            v.DayFilePath = path;
            v.DaySlots = day.entries;
            WriteDayFile(v);
        }
    v.DayFilePath = dayFilePath;
    MoveCounterPast(v, dayKey, f.lastSequence, f.report);
    return f.report;
}

} // namespace rotaplan
