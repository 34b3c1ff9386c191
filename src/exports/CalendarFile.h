#pragma once

#include "exports/CrewCalendar.h"

#include <string>
#include <vector>

namespace rotaplan {

// An iCalendar file (RFC 5545) with one event per call: the booked hours in the time zone
// named (an IANA name such as "Europe/Madrid"; floating local time when unknown), the SA number
// first in the summary, the call's UID and sequence, the address as the location, customer,
// telephone and problem in the description; a call taken off is there as cancelled.
std::string CalendarFile(const CrewdeskVariables& v, int team,
                         const std::vector<CalendarEvent>& events, const std::string& timeZone);

// The UID of a booking: SA numbers come round again each year, the day they are booked on
// does not.
std::string BookingUid(const TeamBooking& booking);

} // namespace rotaplan
