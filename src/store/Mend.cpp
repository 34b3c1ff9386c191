#include "store/Mend.h"

#include "store/Archive.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Counter.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
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

void RemoveScratchFiles(CrewdeskVariables& v, Findings& f) {
    for (const char* name : {TempFile, TemporaryFile})
        if (disk::FileExists(ProgramPath(v, name))) {
            disk::RemoveFile(ProgramPath(v, name));
            f.report.interrupted.push_back(std::string("removed the left-over ") + (name + 1));
        }
    if (disk::FolderExists(ProgramPath(v, ReinstallFolder))) {
        RemoveReinstallFolder(v);
        f.report.interrupted.push_back("removed the files of a re-install that was stopped");
    }
    for (const auto& scratch : disk::MatchingFilesBelow(v.ProgramFolder, "*.new")) {
        disk::RemoveFile(scratch);
        f.report.interrupted.push_back("removed the unfinished " +
                                       fs::relative(scratch, v.ProgramFolder).generic_string());
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

// One line per SA, however many hours it held; a distrusted slip file frees nothing.
void FreeOrphans(Findings& f, bool distrusted, const Locale& locale) {
    std::set<std::string> told;
    for (auto& [path, day] : f.days)
        for (auto& entry : day.entries) {
            if (entry == NoEventScheduled || entry.empty() || f.backed.count(entry))
                continue;
            const std::string where =
                " (team " + std::to_string(day.team) + " on " + locale.ShortDate(day.date) + ")";
            const bool first = told.insert(entry).second;
            if (first && distrusted)
                f.report.damage.push_back("kept the hours of " + entry + where +
                                          ": no readable call slip holds them");
            else if (first)
                f.report.interrupted.push_back("freed the hours of " + entry + where +
                                               ", which no call slip holds");
            if (!distrusted) {
                entry = NoEventScheduled;
                day.changed = true;
            }
        }
}

// Named once: the same slips without hours are not named again at the next start.
void NameUnclaimed(CrewdeskVariables& v, Findings& f) {
    std::uint64_t hash = 0;
    for (const auto& sa : f.unclaimed)
        hash = hash * 1000003u + std::hash<std::string>{}(sa);
    if (hash != v.Slips.told)
        f.report.unheld = f.unclaimed;
    v.Slips.told = hash;
}

} // namespace

MendReport MendFolder(CrewdeskVariables& v, const Date& today, const Locale& locale) {
    Findings f;
    if (v.Slips.quick)
        return f.report;
    const std::string dayKey = std::to_string(today.DayOfYear());
    const std::string dayFilePath = v.DayFilePath;
    if (!v.Slips.distrusted)
        RemoveScratchFiles(v, f);
    ReadDays(v, today, dayKey, f);
    ScanSlips(v, today, locale, dayKey, f);
    FreeOrphans(f, v.Slips.distrusted, locale);
    // Hours are never claimed back for a slip: its team number may name another team now.
    NameUnclaimed(v, f);
    for (const auto& [path, day] : f.days)
        if (day.changed) {
            v.DayFilePath = path;
            v.DaySlots = day.entries;
            WriteDayFile(v);
        }
    v.DayFilePath = dayFilePath;
    if (v.DayKey == dayKey && v.NextSeq <= f.lastSequence) {
        v.NextSeq = static_cast<std::int16_t>(f.lastSequence);
        AdvanceCounter(v);
        f.report.interrupted.push_back("moved the SA counter on to " + v.CurrentSA);
    }
    return f.report;
}

} // namespace rotaplan
