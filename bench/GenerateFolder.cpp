// Writes a realistic program folder with N call slips, for benchmarks and load tests.
//   rotaplan_generate <folder> <N> [--seed S] [--today YYYY-MM-DD]
#include "platform/Locale.h"
#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/SlipFile.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

using namespace rotaplan;

namespace {

constexpr std::array FirstNames = {"James", "Mary",  "Robert", "Patricia", "John",  "Jennifer",
                                   "Maria", "David", "Linda",  "Carlos",   "Susan", "Thomas",
                                   "Karen", "Ahmed", "Nancy",  "Daniel",   "Lisa",  "Paul"};
constexpr std::array LastNames = {"Smith", "Johnson",  "Williams", "Brown",  "Garcia",   "Miller",
                                  "Davis", "Martinez", "Lopez",    "Wilson", "Anderson", "Taylor",
                                  "Moore", "Jackson",  "Martin",   "Lee",    "Thompson", "White"};
constexpr std::array Streets = {"Main St", "Oak Ave",         "Maple Dr", "Cedar Ln", "Elm St",
                                "Park Rd", "Washington Blvd", "Lake St",  "Hill Rd",  "Pine Ct"};
constexpr std::array Cities = {"Springfield", "Riverton", "Fairview", "Greenville", "Madison",
                               "Franklin",    "Clinton",  "Salem",    "Georgetown", "Ashland"};
constexpr std::array States = {"IL", "OH", "PA", "NY", "TX", "CA", "WA", "GA", "MI", "NC"};
constexpr std::array Problems = {"Leaking faucet",  "No hot water",  "Clogged drain",
                                 "Furnace service", "Breaker trips", "AC not cooling",
                                 "Running toilet",  "Water heater"};

template <typename Array> const char* Pick(std::mt19937_64& rng, const Array& a) {
    return a[std::uniform_int_distribution<std::size_t>(0, a.size() - 1)(rng)];
}

// The eight slots of each team's working days, so the day files agree with the slips.
class Calendar {
public:
    Calendar(Date first, int days) {
        for (int i = 0; i < days; ++i)
            if (const Date d = first.AddDays(i); d.Weekday() >= 2 && d.Weekday() <= 6)
                workingDays_.push_back(d);
    }
    const std::vector<Date>& WorkingDays() const { return workingDays_; }

    // Books `hours` free slots for the team on the day or a later one; false when the year is full.
    bool Book(int team, std::size_t dayIndex, int hours, const std::string& sa, Date& date,
              int& slot) {
        if (full_)
            return false;
        for (std::size_t n = 0; n < workingDays_.size(); ++n) {
            const std::size_t i = (dayIndex + n) % workingDays_.size();
            auto& slots = days_[{team, i}];
            for (int s = 0; s + hours <= SlotCount; ++s) {
                bool free = true;
                for (int h = 0; h < hours; ++h)
                    free = free && slots[s + h].empty();
                if (!free)
                    continue;
                for (int h = 0; h < hours; ++h)
                    slots[s + h] = sa;
                date = workingDays_[i];
                slot = s;
                return true;
            }
        }
        full_ = hours == 1;
        return false;
    }

    void WriteDayFiles(CrewdeskVariables& v) const {
        for (const auto& [key, slots] : days_) {
            const Date d = workingDays_[key.second];
            v.TeamRoot = TeamRootFor(d.year);
            MakeYearFolders(v, std::to_string(d.year));
            v.DayFilePath = DayFileName(v.TeamRoot, key.first, d.DayOfYear());
            for (int i = 0; i < DayEntryCount; ++i)
                v.DaySlots[i] = NoEventScheduled;
            for (int s = 0; s < SlotCount; ++s)
                if (!slots[s].empty())
                    v.DaySlots[s + 2] = slots[s];
            WriteDayFile(v);
        }
    }

private:
    std::vector<Date> workingDays_;
    std::map<std::pair<int, std::size_t>, std::array<std::string, SlotCount>> days_;
    bool full_ = false;
};

bool ParseDate(const char* text, Date& date) {
    return std::sscanf(text, "%d-%d-%d", &date.year, &date.month, &date.day) == 3 &&
           Date::IsValid(date.year, date.month, date.day);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <N> [--seed S] [--today YYYY-MM-DD]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const long count = std::strtol(argv[2], nullptr, 10);
    std::uint64_t seed = 1;
    Date today{2026, 1, 5};
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seed") == 0)
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (std::strcmp(argv[i], "--today") == 0 && !ParseDate(argv[i + 1], today))
            return 2;
    }
    std::filesystem::create_directories(folder);
    CrewdeskVariables v(folder);
    // The run's day, which the journal dates its entries by: the folder was last used today.
    v.CurrentYear = std::to_string(today.year);
    v.DayOfYear = today.DayOfYear();
    std::mt19937_64 rng(seed);
    const UsEnglishLocale locale;

    SaveTextList(v, AssigntoFile, {"North Crew", "South Crew"});
    SaveTextList(v, ProblemCodeFile, {Problems.begin(), Problems.end()});
    LoadAssignments(v);
    LoadSettings(v);
    PrepareFolders(v);
    disk::WriteFileAtomic(ProgramPath(v, "\\PurgedDate.txt"),
                          std::to_string(today.DayOfYear() - 1) + "\r\n");
    EnsureYearFolders(v, today);

    Calendar calendar(today, 365);
    disk::WriteHandle slips(ProgramPath(v, "\\Slips.txt.generating"));
    for (long i = 0; i < count; ++i) {
        // Unique SA numbers for the first 365,000 slips: at most 999 calls a day.
        const std::string sa =
            "SA " + std::to_string(1 + (i / 999) % 366) + "-" + std::to_string(i % 999 + 1);
        const int team = static_cast<int>(rng() % 2) + 1;
        const int hours = static_cast<int>(rng() % 3) + 1;
        const std::size_t day = rng() % calendar.WorkingDays().size();
        Date date = calendar.WorkingDays()[day];
        int slot = static_cast<int>(rng() % (SlotCount - hours + 1));
        calendar.Book(team, day, hours, sa, date, slot); // a full year keeps the random pick

        SlipRecord r;
        const std::string first = Pick(rng, FirstNames);
        r.Set(SlipField::Kind, "Service");
        r.Set(SlipField::SANumber, sa);
        r.Set(SlipField::Team, std::to_string(team));
        r.Set(SlipField::HoursWord, "Hours");
        r.Set(SlipField::Hours, std::to_string(hours));
        r.Set(SlipField::Date, locale.ShortDate(date));
        r.Set(SlipField::StartIndex, std::to_string(StartIndexForSlot(8, slot)));
        r.Set(SlipField::Problem, Pick(rng, Problems));
        r.Set(SlipField::Status, "Scheduled");
        r.Set(SlipField::Amount, locale.CurrencyZero());
        r.Set(SlipField::Name, first + " " + Pick(rng, LastNames));
        r.Set(SlipField::Street, std::to_string(rng() % 9900 + 100) + " " + Pick(rng, Streets));
        r.Set(SlipField::Apt, rng() % 4 == 0 ? "Apt " + std::to_string(rng() % 40 + 1) : "");
        r.Set(SlipField::City, Pick(rng, Cities));
        r.Set(SlipField::ST, Pick(rng, States));
        r.Set(SlipField::Zip, std::to_string(10000 + rng() % 89999));
        r.Set(SlipField::Tel,
              std::to_string(200 + rng() % 799) + "-555-" + std::to_string(1000 + rng() % 8999));
        slips.Append(std::string_view(r.Bytes().data(), SlipRecordLength));
    }
    slips.Commit();
    disk::ReplaceWith(ProgramPath(v, "\\Slips.txt.generating"), ProgramPath(v, SlipsFile));
    calendar.WriteDayFiles(v);
    disk::WriteFileAtomic(ProgramPath(v, CounterFile),
                          "\"" + std::to_string(today.DayOfYear()) + "\",1\r\n");
    std::printf("%s: %ld slips\n", folder.c_str(), count);
    return 0;
}
