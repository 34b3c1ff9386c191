#pragma once

#include "platform/Date.h"
#include "store/CrewdeskVariables.h"

#include <array>

namespace rotaplan {

// Erased by the reset, each with its copy in Backup: the slip file and the sibling programs'.
inline constexpr std::array<const char*, 5> ResetFiles = {"\\Slips.txt", "\\Events.txt",
                                                          "\\Meetings.txt", "\\ScheduledEvents.txt",
                                                          "\\ProjectDetails.txt"};

// Empties every team folder of today's year and the next, and deletes ResetFiles and their
// backup copies. Teams, problems, settings, the counter and completed slips stay.
void ResetSchedules(CrewdeskVariables& v, const Date& today);
// The day files of teams 1 to `teams`, of the year and the next.
void EraseSchedules(CrewdeskVariables& v, int year, int teams);

} // namespace rotaplan
