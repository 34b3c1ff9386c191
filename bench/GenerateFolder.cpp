// Writes a realistic program folder with N call slips, for benchmarks and load tests.
//   rotaplan_generate <folder> <N> [--seed S] [--today YYYY-MM-DD] [--realistic [--completed]]
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
#include <stdexcept>
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

// Name, street, address 2, city, state, zip, telephone.
using Customer = std::array<std::string, 7>;

Customer NewCustomer(std::mt19937_64& rng) {
    return {std::string(Pick(rng, FirstNames)) + " " + Pick(rng, LastNames),
            std::to_string(rng() % 9900 + 100) + " " + Pick(rng, Streets),
            rng() % 4 == 0 ? "Apt " + std::to_string(rng() % 40 + 1) : "",
            Pick(rng, Cities),
            Pick(rng, States),
            std::to_string(10000 + rng() % 89999),
            std::to_string(200 + rng() % 799) + "-555-" + std::to_string(1000 + rng() % 8999)};
}

struct Call {
    std::string sa;
    int team;
    int hours;
    Date date;
    int slot;
};

std::string Record(std::mt19937_64& rng, const Locale& locale, const Call& call,
                   const Customer& c) {
    SlipRecord r;
    r.Set(SlipField::Kind, "Service");
    r.Set(SlipField::SANumber, call.sa);
    r.Set(SlipField::Team, std::to_string(call.team));
    r.Set(SlipField::HoursWord, "Hours");
    r.Set(SlipField::Hours, std::to_string(call.hours));
    r.Set(SlipField::Date, locale.ShortDate(call.date));
    r.Set(SlipField::StartIndex, std::to_string(StartIndexForSlot(8, call.slot)));
    r.Set(SlipField::Problem, Pick(rng, Problems));
    r.Set(SlipField::Status, "Scheduled");
    r.Set(SlipField::Amount, locale.CurrencyZero());
    const std::array fields = {SlipField::Name, SlipField::Street, SlipField::Apt, SlipField::City,
                               SlipField::ST,   SlipField::Zip,    SlipField::Tel};
    for (std::size_t k = 0; k < fields.size(); ++k)
        r.Set(fields[k], c[k]);
    return std::string(r.Bytes().data(), SlipRecordLength);
}

struct Options {
    std::uint64_t seed = 1;
    Date today{2026, 1, 5};
    bool realistic = false;
    bool completed = false;
};

// The first layout: every customer new, dates over the year from today, slots claimed while
// the year has room.
void WriteUniform(CrewdeskVariables& v, const Options& o, long count, disk::WriteHandle& slips) {
    std::mt19937_64 rng(o.seed);
    const UsEnglishLocale locale;
    Calendar calendar(o.today, 365);
    for (long i = 0; i < count; ++i) {
        // Unique SA numbers for the first 365,000 slips: at most 999 calls a day.
        Call call{"SA " + std::to_string(1 + (i / 999) % 366) + "-" + std::to_string(i % 999 + 1),
                  static_cast<int>(rng() % 2) + 1,
                  static_cast<int>(rng() % 3) + 1,
                  {},
                  0};
        const std::size_t day = rng() % calendar.WorkingDays().size();
        call.date = calendar.WorkingDays()[day];
        call.slot = static_cast<int>(rng() % (SlotCount - call.hours + 1));
        // A full year keeps the random pick.
        calendar.Book(call.team, day, call.hours, call.sa, call.date, call.slot);
        slips.Append(Record(rng, locale, call, NewCustomer(rng)));
    }
    calendar.WriteDayFiles(v);
}

// A contractor's folder after years of use: the calls booked ahead (at most 1,500, each with
// its hours in the day files), the rest over the five years before today, oldest first; about
// one call in four from a customer who called before. With `completed`, the calls before today
// stand in CompletedSlips.txt as the daily moves left them.
void WriteRealistic(CrewdeskVariables& v, const Options& o, long count, disk::WriteHandle& slips) {
    std::mt19937_64 rng(o.seed);
    const UsEnglishLocale locale;
    const long ahead = std::min(count, 1500L);
    const long past = count - ahead;
    Calendar history(o.today.AddDays(-5 * 365), 5 * 365);
    const auto& pastDays = history.WorkingDays();
    std::map<Date, int> issued; // the SA numbers given out on each day
    auto saIssuedOn = [&](const Date& d) {
        return "SA " + std::to_string(d.DayOfYear()) + "-" + std::to_string(++issued[d] % 999 + 1);
    };
    std::vector<Customer> customers;
    auto customer = [&]() -> const Customer& {
        if (customers.empty() || rng() % 4 != 0)
            customers.push_back(NewCustomer(rng));
        else
            std::swap(customers[rng() % customers.size()], customers.back());
        return customers.back();
    };
    disk::WriteHandle moved(ProgramPath(v, "\\CompletedSlips.txt.generating"));
    for (long i = 0; i < past; ++i) {
        Call call{{}, static_cast<int>(rng() % 2) + 1, static_cast<int>(rng() % 3) + 1, {}, 0};
        call.date =
            pastDays[static_cast<std::size_t>(i * static_cast<long>(pastDays.size()) / past)];
        call.slot = static_cast<int>(rng() % (SlotCount - call.hours + 1));
        call.sa = saIssuedOn(call.date);
        (o.completed ? moved : slips).Append(Record(rng, locale, call, customer()));
    }
    Calendar calendar(o.today, 365);
    const std::size_t soon = std::min<std::size_t>(60, calendar.WorkingDays().size());
    for (long j = 0; j < ahead; ++j) {
        // Eight bookings a day over the days before today.
        const Date issuedOn = o.today.AddDays(-1 - (ahead - 1 - j) / 8);
        Call call{saIssuedOn(issuedOn),
                  static_cast<int>(rng() % 2) + 1,
                  static_cast<int>(rng() % 3) + 1,
                  {},
                  0};
        if (!calendar.Book(call.team, rng() % soon, call.hours, call.sa, call.date, call.slot))
            throw std::runtime_error("the year ahead has no room for " + call.sa);
        slips.Append(Record(rng, locale, call, customer()));
    }
    calendar.WriteDayFiles(v);
    moved.Commit();
    if (o.completed)
        disk::ReplaceWith(ProgramPath(v, "\\CompletedSlips.txt.generating"),
                          ProgramPath(v, "\\CompletedSlips.txt"));
    else
        std::filesystem::remove(ProgramPath(v, "\\CompletedSlips.txt.generating"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s <folder> <N> [--seed S] [--today YYYY-MM-DD] [--realistic "
                     "[--completed]]\n",
                     argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const long count = std::strtol(argv[2], nullptr, 10);
    Options o;
    for (int i = 3; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--realistic") == 0)
            o.realistic = true;
        else if (std::strcmp(argv[i], "--completed") == 0)
            o.completed = true;
        else if (std::strcmp(argv[i], "--seed") == 0 && hasValue)
            o.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--today") != 0 || !hasValue ||
                 !ParseDate(argv[++i], o.today))
            return 2;
    }
    std::filesystem::create_directories(folder);
    CrewdeskVariables v(folder);
    // The run's day, which the journal dates its entries by: the folder was last used today.
    v.CurrentYear = std::to_string(o.today.year);
    v.DayOfYear = o.today.DayOfYear();

    SaveTextList(v, AssigntoFile, {"North Crew", "South Crew"});
    SaveTextList(v, ProblemCodeFile, {Problems.begin(), Problems.end()});
    LoadAssignments(v);
    LoadSettings(v);
    PrepareFolders(v);
    disk::WriteFileAtomic(ProgramPath(v, "\\PurgedDate.txt"),
                          std::to_string(o.today.DayOfYear() - 1) + "\r\n");
    EnsureYearFolders(v, o.today);

    disk::WriteHandle slips(ProgramPath(v, "\\Slips.txt.generating"));
    if (o.realistic)
        WriteRealistic(v, o, count, slips);
    else
        WriteUniform(v, o, count, slips);
    slips.Commit();
    disk::ReplaceWith(ProgramPath(v, "\\Slips.txt.generating"), ProgramPath(v, SlipsFile));
    // Built piecewise: GCC 12 warns falsely on a literal plus to_string here.
    std::string counter = "\"";
    counter += std::to_string(o.today.DayOfYear());
    counter += "\",1\r\n";
    disk::WriteFileAtomic(ProgramPath(v, CounterFile), counter);
    std::printf("%s: %ld slips\n", folder.c_str(), count);
    return 0;
}
