#include "store/Counter.h"

#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

fs::path CounterPath(const CrewdeskVariables& v) {
    return disk::Resolve(v.ProgramFolder, CounterFile);
}

void SetCurrentSA(CrewdeskVariables& v) {
    v.CurrentSA = v.DayKey + "-" + std::to_string(v.NextSeq);
}

// Reads `"338",3`: the quoted day key, a comma, the next sequence number.
void ReadCounter(CrewdeskVariables& v, const fs::path& file) {
    const std::string bytes = disk::ReadWholeFile(file);
    const auto lines = supportfile::SplitLines(bytes);
    const std::string_view line = lines.empty() ? std::string_view{} : lines.front();
    const auto comma = line.rfind(',');
    const auto fail = [&file]() -> StoreError {
        return StoreError(file, "read", "it does not hold a day key and a sequence number");
    };
    if (comma == std::string_view::npos)
        throw fail();
    std::string key;
    try {
        key = Trim(supportfile::ParseQuoted(line.substr(0, comma), file, 1));
    } catch (const StoreError&) {
        throw fail();
    }
    int day = 0;
    const auto [keyEnd, keyError] = std::from_chars(key.data(), key.data() + key.size(), day);
    std::string_view seqText = line.substr(comma + 1);
    while (!seqText.empty() && seqText.front() == ' ')
        seqText.remove_prefix(1);
    while (!seqText.empty() && seqText.back() == ' ')
        seqText.remove_suffix(1);
    long seq = 0;
    const auto [seqEnd, seqError] =
        std::from_chars(seqText.data(), seqText.data() + seqText.size(), seq);
    if (key.empty() || keyError != std::errc{} || keyEnd != key.data() + key.size() || day < 1 ||
        day > 366 || seqText.empty() || seqError != std::errc{} ||
        seqEnd != seqText.data() + seqText.size() || seq < 1 ||
        seq > std::numeric_limits<std::int16_t>::max())
        throw fail();
    v.DayKey = std::to_string(day);
    v.NextSeq = static_cast<std::int16_t>(seq);
}

// The sequence of an SA text of the day ("SA 338-4" of day 338 gives 4), or 0.
int SequenceOf(std::string_view sa, const std::string& dayKey) {
    const std::string prefix = "SA " + dayKey + "-";
    if (sa.substr(0, prefix.size()) != prefix)
        return 0;
    sa.remove_prefix(prefix.size());
    int seq = 0;
    const auto [end, error] = std::from_chars(sa.data(), sa.data() + sa.size(), seq);
    return error == std::errc{} && end == sa.data() + sa.size() ? seq : 0;
}

// The highest sequence issued under the day key that the slip files and the day files of this
// year and the next still show; what cannot be read shows nothing.
int LastIssued(const CrewdeskVariables& v, const std::string& dayKey, int year) {
    int last = 0;
    for (const char* name : {SlipsFile, CompletedSlipsFile})
        ForEachRecord(disk::Resolve(v.ProgramFolder, name), [&](std::int32_t, const SlipRecord& r) {
            last = std::max(last, SequenceOf(r.Trimmed(SlipField::SANumber), dayKey));
        });
    for (int y : {year, year + 1}) {
        const fs::path folder = disk::Resolve(v.ProgramFolder, YearFolderName(y));
        if (!disk::FolderExists(folder))
            continue;
        for (const auto& day : disk::MatchingFilesBelow(folder, "*.txt")) {
            try {
                for (const auto& entry : supportfile::ReadTextList(day))
                    last = std::max(last, SequenceOf(entry, dayKey));
            } catch (const StoreError&) {
            }
        }
    }
    return last;
}

// A counter that does not read, with no readable backup copy, is rebuilt past every SA of
// today that a file still shows.
void RebuildCounter(CrewdeskVariables& v, const Date& today, const StoreError& damaged) {
    v.DayKey = std::to_string(today.DayOfYear());
    const int last = LastIssued(v, v.DayKey, today.year);
    v.NextSeq = static_cast<std::int16_t>(
        std::min<int>(last + 1, std::numeric_limits<std::int16_t>::max()));
    const std::string kept = KeepDamaged(CounterPath(v));
    v.Notices.push_back(std::string(damaged.what()) +
                        ", and there is no readable backup copy of it. The SA counter was "
                        "rebuilt from the call slips and day files: the next SA number is " +
                        v.DayKey + "-" + std::to_string(v.NextSeq) +
                        ". The damaged file is kept as " + kept + ".");
}

} // namespace

void LoadCounter(CrewdeskVariables& v, const Date& today) {
    const std::string todayKey = std::to_string(today.DayOfYear());
    const fs::path file = CounterPath(v);
    const fs::path copy = disk::Resolve(v.ProgramFolder, "\\Backup\\Counter.txt");
    std::string dayKey = todayKey;
    std::int16_t nextSeq = 1;
    if (!disk::FileExists(file) && disk::FileExists(copy))
        disk::CopyFileAtomic(copy, file);
    if (disk::FileExists(file)) {
        try {
            ReadOrRestore(v, CounterFile, [&v](const fs::path& from) { ReadCounter(v, from); });
        } catch (const StoreError& damaged) {
            RebuildCounter(v, today, damaged);
        }
        if (v.DayKey == todayKey) {
            dayKey = v.DayKey;
            nextSeq = v.NextSeq;
        }
    }
    v.DayKey = dayKey;
    v.NextSeq = nextSeq;
    SetCurrentSA(v);
    SaveCounter(v);
}

void SaveCounter(CrewdeskVariables& v) {
    disk::WriteFileAtomic(CounterPath(v),
                          "\"" + v.DayKey + "\"," + std::to_string(v.NextSeq) + "\r\n");
}

void AdvanceCounter(CrewdeskVariables& v) {
    if (v.NextSeq == std::numeric_limits<std::int16_t>::max())
        throw StoreError(CounterPath(v), "advance", "more than 32767 bookings in one day");
    // Memory moves on even if the save fails, so this run never issues a number twice.
    ++v.NextSeq;
    SetCurrentSA(v);
    SaveCounter(v);
}

} // namespace rotaplan
