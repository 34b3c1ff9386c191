#include "support/StoreChecks.h"

#include "store/Booking.h"
#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/CrewdeskSetup.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Mend.h"
#include "store/Purge.h"
#include "store/Repair.h"
#include "store/SlipFile.h"
#include "store/SupportFile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace rotaplan::test {

const UsEnglishLocale Locale;

std::optional<Date> HeldLocale::ParseShortDate(const std::string& text) const {
    std::unique_lock lock(mutex_);
    if (std::this_thread::get_id() != maker_)
        free_.wait(lock, [this] { return let_; });
    return UsEnglishLocale::ParseShortDate(text);
}

void HeldLocale::LetGo() {
    const std::lock_guard lock(mutex_);
    let_ = true;
    free_.notify_all();
}

SlipRecord SlipOf(std::initializer_list<std::pair<SlipField, std::string>> fields) {
    SlipRecord slip;
    for (const auto& [field, text] : fields)
        slip.Set(field, text);
    return slip;
}

std::string SlipBytes(std::initializer_list<std::pair<SlipField, std::string>> fields) {
    return FileOf({SlipOf(fields)});
}

std::string FileOf(const std::vector<SlipRecord>& slips) {
    std::string bytes;
    for (const auto& slip : slips)
        bytes.append(slip.Bytes().data(), slip.Bytes().size());
    return bytes;
}

SlipRecord CustomerSlip(const std::string& sa, const char* team, const char* date,
                        const char* startIndex, const char* hours, const char* name,
                        const char* tel) {
    using enum SlipField;
    return SlipOf({{SANumber, "SA " + sa},
                   {Team, team},
                   {Date, date},
                   {StartIndex, startIndex},
                   {Hours, hours},
                   {Name, name},
                   {Street, "1 Main St"},
                   {City, "Springfield"},
                   {ST, "IL"},
                   {Tel, tel},
                   {Problem, "Leak"}});
}

StoreError ErrorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const StoreError& error) {
        return error;
    }
    return StoreError({}, "", "no error");
}

// The store's part of the start-up, in its order.
MendReport StartUp(CrewdeskVariables& v, const Date& today, bool takeBackup, std::string* asked) {
    v.TeamRoot = TeamRootFor(today.year);
    CheckSlipsAtStart(v, today, Locale, [&](const std::string& question) {
        if (asked)
            *asked += question + "\n";
        return takeBackup;
    });
    PrepareFolders(v);
    FinishPurgeFolder(v);
    LoadCounter(v, today);
    LoadProblems(v);
    LoadAssignments(v);
    FillTeamLists(v);
    LoadSettings(v);
    EnsureYearFolders(v, today);
    PurgePastDays(v, Locale);
    MendReport report = MendFolder(v, today, Locale);
    BuildTimeLabels(v);
    return report;
}

void Book(CrewdeskVariables& v, int team, const Date& date, int slot, int hours) {
    auto slots = LoadDaySlots(v, team, date);
    std::fill_n(slots.begin() + slot, hours, "SA " + v.CurrentSA);
    v.RecordBuffer.Set(SlipField::Name, "Customer " + v.CurrentSA);
    v.RecordBuffer.Set(SlipField::Date, Locale.ShortDate(date));
    v.RecordBuffer.Set(SlipField::Team, std::to_string(team));
    v.RecordBuffer.Set(SlipField::Hours, std::to_string(hours));
    v.RecordBuffer.Set(SlipField::StartIndex, std::to_string(StartIndexForSlot(v.StartHour, slot)));
    v.RecordBuffer.Set(SlipField::Status, "Scheduled");
    if (const auto counterError = BookCall(v, slots))
        throw *counterError;
}

void DeleteRecord(CrewdeskVariables& v, std::int32_t recordNumber) {
    OpenSlipFile(v);
    ReadSlip(v, recordNumber);
    const std::string sa = v.RecordBuffer.Trimmed(SlipField::SANumber);
    if (const auto dayError = DeleteCallRecord(v, Locale, recordNumber, sa))
        throw *dayError;
}

void ExpectConsistent(const fs::path& folder, const Date& today, bool teamsKept,
                      const std::string& where) {
    CrewdeskVariables v(folder);
    LoadAssignments(v);
    LoadCounter(v, today);
    std::set<std::string> sas, bookings;
    int lastToday = 0;
    for (const char* file : {"\\Slips.txt", "\\CompletedSlips.txt"}) {
        if (!disk::FileExists(ProgramPath(v, file)))
            continue;
        SlipFile slips(ProgramPath(v, file));
        EXPECT_EQ(slips.TrailingBytes(), 0u) << where << file;
        for (std::int32_t i = 1; i <= slips.Count(); ++i) {
            const SlipRecord slip = slips.Read(i);
            const std::string sa = slip.Trimmed(SlipField::SANumber);
            // SA numbers come round every year: a twin of another date is no second booking.
            const std::string booking = sa + " on " + slip.Trimmed(SlipField::Date);
            EXPECT_EQ(bookings.count(booking), 0u) << where << ": " << booking << " twice";
            if (const std::string key = "SA " + std::to_string(today.DayOfYear()) + "-";
                sa.rfind(key, 0) == 0)
                lastToday = std::max(lastToday, std::stoi(sa.substr(key.size())));
            if (std::string(file) != "\\Slips.txt")
                continue;
            sas.insert(sa);
            bookings.insert(booking);
            const auto date = Locale.ParseShortDate(slip.Trimmed(SlipField::Date));
            const int team = std::atoi(slip.Trimmed(SlipField::Team).c_str());
            if (teamsKept && date && *date >= today && team >= 1 && team <= v.TeamCount()) {
                v.TeamRoot = TeamRootFor(date->year);
                v.DayFilePath = DayFileName(v.TeamRoot, team, date->DayOfYear());
                const bool hasDay = disk::FileExists(ProgramPath(v, v.DayFilePath));
                if (hasDay)
                    ReadDayFile(v);
                EXPECT_TRUE(hasDay &&
                            std::find(v.DaySlots.begin(), v.DaySlots.end(), sa) != v.DaySlots.end())
                    << where << ": " << sa << " has no hours";
            }
        }
    }
    EXPECT_GT(v.NextSeq, lastToday) << where << ": the counter would issue a number again";
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_FALSE(name.ends_with(".txt.new") || name == "Temp.txt" ||
                     name == "TemporaryFile.txt" || name == "MovingSlips.txt")
            << where << ": scratch file " << entry.path();
        const bool dayFile = entry.is_regular_file() && name.ends_with(".txt") &&
                             entry.path().parent_path().filename().string().starts_with("Team# ");
        if (!dayFile)
            continue;
        const int year = std::stoi(entry.path().parent_path().parent_path().filename().string());
        const int day = std::stoi(entry.path().stem().string());
        if (Date{year, 1, 1}.AddDays(day - 1) < today)
            continue;
        for (const auto& text : supportfile::ReadTextList(entry.path()))
            EXPECT_TRUE(text == NoEventScheduled || sas.count(text) || !text.starts_with("SA "))
                << where << ": " << text << " in " << entry.path() << " has no slip";
    }
}

} // namespace rotaplan::test
