#pragma once

#include "platform/Date.h"
#include "store/CrewdeskVariables.h"
#include "store/Slots.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace rotaplan {

inline constexpr const char* NoEventScheduled = "No Event Scheduled";

// "\2026\Team#"
std::string TeamRootFor(int year);
// "\2026"
std::string YearFolderName(int year);
// "\2026\Team# 1"
std::string TeamFolderName(const std::string& year, int team);
// TeamRoot, a blank, the team, a backslash, the day of the year and ".txt".
std::string DayFileName(std::string_view teamRoot, int team, int dayOfYear);

// Throws StoreError for a file without twelve quoted values.
void ReadDayFile(CrewdeskVariables& v);
void WriteDayFile(CrewdeskVariables& v);
void NewDayFile(CrewdeskVariables& v);
// Sets DayFilePath for the team and date under TeamRoot, creates the file if missing, reads it.
void LoadDay(CrewdeskVariables& v, int team, const Date& date);
// Frees every entry of the day file at DayFilePath that holds the SA text.
// A missing day file holds nothing to free.
void FreeBooking(CrewdeskVariables& v, std::string_view saText);

void MakeYearFolders(CrewdeskVariables& v, const std::string& year);
void EnsureYearFolders(CrewdeskVariables& v, const Date& today);

Date ToWorkingDay(std::uint8_t workWeek, const Date& date);
Date FirstBookableDate(const DateTime& now);

void BuildTimeLabels(CrewdeskVariables& v);
// The call slip's labels ("08:00") and the schedule view's ("08:00 am") for a start hour.
std::array<std::string, SlotCount> SlotLabels(std::uint8_t startHour);
std::array<std::string, SlotCount> ViewLabels(std::uint8_t startHour);
int StartIndexForSlot(std::uint8_t startHour, int slot);
int SlotForStartIndex(std::uint8_t startHour, int startIndex);
// The start time a record gives: its entry of the start-time table, whatever the start hour
// is now, since the record does not say under which one it was booked.
std::string StartTimeText(const CrewdeskVariables& v, int startIndex);
// The start time of the booking being made, in a slot of the start hour in force.
std::string BookingStartText(const CrewdeskVariables& v, int startIndex);

} // namespace rotaplan
