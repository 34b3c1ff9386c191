#pragma once

#include "exports/TeamBookings.h"

#include <optional>
#include <string>
#include <vector>

namespace rotaplan {

// A call as the crew's calendars know it: one UID from its first booking to its last, a
// sequence raised at each change, and cancelled once it is deleted or rescheduled away.
struct CalendarEvent {
    TeamBooking booking;
    std::string uid;
    int sequence = 0;
    bool cancelled = false;
};

// What the calendars were told of calls that changed, kept in CrewCalendar.txt in the program
// folder (none of the program's own files holds it) and rewritten whole on every change.
// Calls that never changed are not in it: they keep the UID of their booking.
inline constexpr const char* CrewCalendarFile = "\\CrewCalendar.txt";

// The slip, just removed from the slip file, is cancelled in the calendars; with
// `rescheduling` its UID waits for the booking that replaces it.
void CallTakenOff(const CrewdeskVariables& v, const Locale& locale, const SlipRecord& slip,
                  bool rescheduling);
// The slip, just booked in place of the one taken off for a reschedule, takes over its UID.
void CallRebooked(const CrewdeskVariables& v, const Locale& locale, const SlipRecord& slip);
// Forgets the calls dated before today, once the start has moved their slips away.
void ForgetPastCalls(const CrewdeskVariables& v, const Locale& locale, const Date& today);

// The team's bookings from `from` through `to` (no end when nullopt) under the identity each
// keeps, then the calls taken off in that time.
std::vector<CalendarEvent> CalendarEvents(const CrewdeskVariables& v, const Locale& locale,
                                          int team, const Date& from, std::optional<Date> to);

} // namespace rotaplan
