#include "store/Mend.h"

#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/SlipFile.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace rotaplan {

namespace {

namespace fs = std::filesystem;

// A slip of today or later whose hours no day file holds.
struct Unclaimed {
    std::string sa;
    std::string dayFile;
    int startIndex = 0;
    int hours = 0;
};

// The day files of today and later, each read once; those changed are written at the end.
struct Day {
    std::array<std::string, 13> entries;
    bool changed = false;
};

struct Findings {
    std::map<std::string, Day> days;
    std::unordered_map<std::string, std::vector<std::string>> daysOfSA; // SA -> day files
    std::unordered_set<std::string> rightful; // day file + SA, for every SA its slip backs
    std::vector<Unclaimed> unclaimed;
    int lastSequence = 0; // the highest sequence issued today
    std::vector<std::string> mended;
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
    for (const char* name : {TempFile, "\\TemporaryFile.txt"})
        if (disk::FileExists(ProgramPath(v, name))) {
            disk::RemoveFile(ProgramPath(v, name));
            f.mended.push_back(std::string("removed the left-over ") + (name + 1));
        }
    for (const auto& folder : {v.ProgramFolder, ProgramPath(v, "\\Backup")})
        if (disk::FolderExists(folder))
            for (const auto& scratch : disk::MatchingFiles(folder, "*.new")) {
                disk::RemoveFile(scratch);
                f.mended.push_back("removed the unfinished " + scratch.filename().string());
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
                ReadDayFile(v);
                f.days[v.DayFilePath].entries = v.DaySlots;
                for (const auto& entry : v.DaySlots)
                    if (entry != NoEventScheduled && !entry.empty()) {
                        f.lastSequence = std::max(f.lastSequence, SequenceOfDay(entry, dayKey));
                        f.daysOfSA[entry].push_back(v.DayFilePath);
                    }
            }
        }
}

// A slip of today or later backs its SA in its own day only; one that is not ahead (past,
// undated, or of a team no longer listed) backs its SA wherever it stands.
void ScanSlips(CrewdeskVariables& v, const Date& today, const Locale& locale,
               const std::string& dayKey, Findings& f) {
    SlipFile slips(ProgramPath(v, SlipsFile));
    SlipRecord record;
    for (std::int32_t i = 1; i <= slips.Count(); ++i) {
        slips.Read(i, record);
        const std::string sa = record.Trimmed(SlipField::SANumber);
        f.lastSequence = std::max(f.lastSequence, SequenceOfDay(sa, dayKey));
        const auto date = locale.ParseShortDate(record.Trimmed(SlipField::Date));
        const int team = Number(record.Trimmed(SlipField::Team));
        const auto standing = f.daysOfSA.find(sa);
        if (!date || *date < today || team < 1 || team > v.TeamCount()) {
            if (standing != f.daysOfSA.end())
                for (const auto& day : standing->second)
                    f.rightful.insert(day + sa);
            continue;
        }
        std::string day = DayFileName(TeamRootFor(date->year), team, date->DayOfYear());
        if (standing != f.daysOfSA.end() &&
            std::find(standing->second.begin(), standing->second.end(), day) !=
                standing->second.end())
            f.rightful.insert(day + sa);
        else
            f.unclaimed.push_back({sa, std::move(day),
                                   Number(record.Trimmed(SlipField::StartIndex)),
                                   Number(record.Trimmed(SlipField::Hours))});
    }
}

void FreeOrphans(Findings& f) {
    for (auto& [path, day] : f.days)
        for (auto& entry : day.entries) {
            if (entry == NoEventScheduled || entry.empty() || f.rightful.count(path + entry))
                continue;
            f.mended.push_back("freed the hours of " + entry + " in " + path +
                               ", which no call slip of that day holds");
            entry = NoEventScheduled;
            day.changed = true;
        }
}

// Hours are claimed again from the slip's start and length as the current start hour reads
// them; a slip whose hours are taken by another is named, not forced in.
void ReclaimHours(const CrewdeskVariables& v, Findings& f) {
    for (const Unclaimed& slip : f.unclaimed) {
        Day& day = f.days[slip.dayFile];
        if (day.entries[0].empty())
            day.entries.fill(NoEventScheduled); // no day file yet
        const int first = slip.startIndex - (v.StartHour == 7 ? 0 : 1);
        bool fits = slip.hours >= 1 && first >= 2 && first + slip.hours <= 2 + SlotCount;
        for (int entry = first; fits && entry < first + slip.hours; ++entry)
            fits = day.entries[entry] == NoEventScheduled;
        if (!fits) {
            f.mended.push_back(slip.sa + " has lost its hours and they are taken now: please "
                                         "reschedule it");
            continue;
        }
        for (int entry = first; entry < first + slip.hours; ++entry)
            day.entries[entry] = slip.sa;
        day.changed = true;
        f.mended.push_back("claimed again the hours of " + slip.sa);
    }
}

} // namespace

std::vector<std::string> MendFolder(CrewdeskVariables& v, const Date& today, const Locale& locale) {
    Findings f;
    const std::string dayKey = std::to_string(today.DayOfYear());
    const std::string dayFilePath = v.DayFilePath;
    RemoveScratchFiles(v, f);
    ReadDays(v, today, dayKey, f);
    ScanSlips(v, today, locale, dayKey, f);
    FreeOrphans(f);
    ReclaimHours(v, f);
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
        f.mended.push_back("moved the SA counter on to " + v.CurrentSA);
    }
    return f.mended;
}

} // namespace rotaplan
