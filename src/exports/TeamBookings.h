#pragma once

#include "platform/Date.h"
#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"
#include "store/SlipRecord.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplan {

// A slip of one team with the day it is booked on and the hour boxes it holds.
struct TeamBooking {
    Date date;
    int firstSlot = 0; // outside 0..7 for a slip booked under the other start hour
    int hours = 1;
    SlipRecord slip;
};

// The day a slip's Date text stands for, or nullopt to leave the slip out.
using DateOf = std::function<std::optional<Date>(const std::string& dateText)>;

// The slip as a booking, or nullopt when its date is not taken or it has no start.
std::optional<TeamBooking> BookingOf(const CrewdeskVariables& v, const SlipRecord& slip,
                                     const DateOf& dateOf);
// The team's slips whose date is taken, in file order, from one pass over Slips.txt. Only
// reads: without a slip file there are no bookings.
std::vector<TeamBooking> TeamBookings(const CrewdeskVariables& v, int team, const DateOf& dateOf);
// Those booked from `from` through `to` (no end when nullopt).
std::vector<TeamBooking> BookingsBetween(const CrewdeskVariables& v, const Locale& locale, int team,
                                         const Date& from, std::optional<Date> to);

// The hour (0..23) at which a slot begins; the hour off is 12 or 11.
int SlotHour(std::uint8_t startHour, int slot);

// "2026-12-04"
std::string IsoDate(const Date& date);
// The text with what file names cannot hold replaced, for a suggested file name.
std::string SafeFileName(const std::string& text);
// UTF-8 text without the control bytes (all but tab) that no export may carry.
std::string WithoutControls(std::string_view utf8);

} // namespace rotaplan
