#include "store/DaySchedule.h"

#include "store/Disk.h"
#include "store/Purge.h"
#include "store/StoreError.h"
#include "store/SupportFile.h"

namespace rotaplan {

namespace fs = std::filesystem;

namespace {

fs::path DayPath(const CrewdeskVariables& v) {
    return disk::Resolve(v.ProgramFolder, v.DayFilePath);
}

} // namespace

std::string TeamFolderName(const std::string& year, int team) {
    return "\\" + year + "\\Team# " + std::to_string(team);
}

std::string YearFolderName(int year) {
    std::string folder(1, '\\');
    folder += std::to_string(year); // appended: GCC 12 warns falsely on the concatenation
    return folder;
}

std::string TeamRootFor(int year) {
    std::string root(1, '\\');
    root += std::to_string(year); // appended: GCC 12 warns falsely on the concatenation
    root += "\\Team#";
    return root;
}

std::string DayFileName(std::string_view teamRoot, int team, int dayOfYear) {
    return std::string(teamRoot) + " " + std::to_string(team) + "\\" + std::to_string(dayOfYear) +
           ".txt";
}

void ReadDayFile(CrewdeskVariables& v) {
    const fs::path file = DayPath(v);
    const auto entries = supportfile::ReadTextList(file);
    if (entries.size() != DayEntryCount)
        throw StoreError(file, "read",
                         "it holds " + std::to_string(entries.size()) + " entries instead of 12");
    std::copy(entries.begin(), entries.end(), v.DaySlots.begin());
    CloseAllFiles(v);
}

void WriteDayFile(CrewdeskVariables& v) {
    const fs::path file = DayPath(v);
    // A team added after its year folder was made has no folder yet.
    disk::CreateFolder(file.parent_path().parent_path());
    disk::CreateFolder(file.parent_path());
    supportfile::WriteTextList(file, {v.DaySlots.begin(), v.DaySlots.begin() + DayEntryCount});
    CloseAllFiles(v);
}

void NewDayFile(CrewdeskVariables& v) {
    std::fill(v.DaySlots.begin(), v.DaySlots.begin() + DayEntryCount, NoEventScheduled);
    WriteDayFile(v);
}

void LoadDay(CrewdeskVariables& v, int team, const Date& date) {
    v.DayFilePath = DayFileName(v.TeamRoot, team, date.DayOfYear());
    if (!disk::FileExists(DayPath(v)))
        NewDayFile(v);
    ReadDayFile(v);
}

void FreeBooking(CrewdeskVariables& v, std::string_view saText) {
    if (!disk::FileExists(DayPath(v)))
        return;
    ReadDayFile(v);
    const std::string sa = Trim(saText);
    bool changed = false;
    for (int i = 0; i < DayEntryCount; ++i) {
        if (Trim(v.DaySlots[i]) == sa) {
            v.DaySlots[i] = NoEventScheduled;
            changed = true;
        }
    }
    if (changed)
        WriteDayFile(v);
}

void MakeYearFolders(CrewdeskVariables& v, const std::string& year) {
    const fs::path folder = disk::Resolve(v.ProgramFolder, "\\" + year);
    if (disk::FolderExists(folder))
        return;
    disk::CreateFolder(folder);
    for (int n = 1; n <= v.TeamCount(); ++n)
        disk::CreateFolder(disk::Resolve(v.ProgramFolder, TeamFolderName(year, n)));
}

void EnsureYearFolders(CrewdeskVariables& v, const Date& today) {
    // Both are set before any folder is made: the purge runs on them even when that fails.
    v.CurrentYear = std::to_string(today.year);
    v.DayOfYear = static_cast<std::int16_t>(today.DayOfYear());
    MakeYearFolders(v, v.CurrentYear);
    if (v.DayOfYear > 120) {
        PurgePreviousYear(v);
        MakeYearFolders(v, std::to_string(today.year + 1));
    }
}

Date ToWorkingDay(std::uint8_t workWeek, const Date& date) {
    constexpr int Sunday = 1;
    constexpr int Saturday = 7;
    Date d = date;
    switch (workWeek) {
    case 5:
        if (d.Weekday() == Saturday)
            d = d.AddDays(2);
        if (d.Weekday() == Sunday)
            d = d.AddDays(1);
        break;
    case 61:
        if (d.Weekday() == Sunday)
            d = d.AddDays(1);
        break;
    case 62:
        if (d.Weekday() == Saturday)
            d = d.AddDays(1);
        break;
    default:
        break;
    }
    return d;
}

Date FirstBookableDate(const DateTime& now) {
    return now.hour > 17 ? now.date.AddDays(1) : now.date;
}

void BuildTimeLabels(CrewdeskVariables& v) {
    static const char* const labels[] = {"06:00", "07:00", "08:00", "09:00", "10:00", "11:00",
                                         "01:00", "02:00", "03:00", "04:00", "05:00", "06:00"};
    for (int i = 1; i <= 12; ++i)
        v.TimeLabels[i] = labels[i - 1];
}

std::array<std::string, SlotCount> SlotLabels(std::uint8_t startHour) {
    if (startHour == 7)
        return {"07:00", "08:00", "09:00", "10:00", "12:00", "01:00", "02:00", "03:00"};
    return {"08:00", "09:00", "10:00", "11:00", "01:00", "02:00", "03:00", "04:00"};
}

std::array<std::string, SlotCount> ViewLabels(std::uint8_t startHour) {
    auto labels = SlotLabels(startHour);
    // Both days break after the fourth slot: the hour left out is the last of the morning.
    for (int slot = 0; slot < SlotCount; ++slot)
        labels[slot] += slot < 4 ? " am" : " pm";
    return labels;
}

int StartIndexForSlot(std::uint8_t startHour, int slot) {
    return startHour == 7 ? slot + 2 : slot + 3;
}

int SlotForStartIndex(std::uint8_t startHour, int startIndex) {
    return startHour == 7 ? startIndex - 2 : startIndex - 3;
}

std::string StartTimeText(const CrewdeskVariables& v, int startIndex) {
    if (startIndex >= 1 && startIndex <= 12)
        return v.TimeLabels[startIndex];
    return std::to_string(startIndex);
}

// Under the 7 o'clock start the fifth slot is labelled "12:00" while its index points at
// "11:00" in the table; the label is what the operator clicked, so it is what we show.
std::string BookingStartText(const CrewdeskVariables& v, int startIndex) {
    constexpr int FifthSlot = 4;
    if (v.StartHour == 7 && startIndex == StartIndexForSlot(7, FifthSlot))
        return SlotLabels(7)[FifthSlot];
    return StartTimeText(v, startIndex);
}

} // namespace rotaplan
