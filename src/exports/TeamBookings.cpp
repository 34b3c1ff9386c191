#include "exports/TeamBookings.h"

#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/SlipFile.h"
#include "store/Slots.h"

#include <algorithm>
#include <cstdio>

namespace rotaplan {

std::optional<TeamBooking> BookingOf(const CrewdeskVariables& v, const SlipRecord& slip,
                                     const DateOf& dateOf) {
    const auto startIndex = NumberField(slip, SlipField::StartIndex);
    const auto date = startIndex ? dateOf(slip.Trimmed(SlipField::Date)) : std::nullopt;
    if (!date)
        return std::nullopt;
    return TeamBooking{*date, SlotForStartIndex(v.StartHour, *startIndex),
                       std::max(NumberField(slip, SlipField::Hours).value_or(1), 1), slip};
}

std::vector<TeamBooking> TeamBookings(const CrewdeskVariables& v, int team, const DateOf& dateOf) {
    std::vector<TeamBooking> bookings;
    const auto path = ProgramPath(v, SlipsFile);
    if (!disk::FileExists(path))
        return bookings;
    SlipFile file(path);
    SlipRecord slip;
    for (std::int32_t r = 1; r <= file.Count(); ++r) {
        file.Read(r, slip);
        if (NumberField(slip, SlipField::Team) != team)
            continue;
        if (auto booking = BookingOf(v, slip, dateOf))
            bookings.push_back(std::move(*booking));
    }
    return bookings;
}

std::vector<TeamBooking> BookingsBetween(const CrewdeskVariables& v, const Locale& locale, int team,
                                         const Date& from, std::optional<Date> to) {
    return TeamBookings(v, team, [&](const std::string& text) -> std::optional<Date> {
        const auto date = locale.ParseShortDate(text);
        if (date && *date >= from && (!to || *date <= *to))
            return date;
        return std::nullopt;
    });
}

int SlotHour(std::uint8_t startHour, int slot) {
    const int first = startHour == 7 ? 7 : 8;
    return first + slot + (slot >= SlotCount / 2 ? 1 : 0);
}

std::string IsoDate(const Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string SafeFileName(const std::string& text) {
    std::string safe = text;
    std::replace_if(
        safe.begin(), safe.end(),
        [](char c) { return std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos; },
        '-');
    return safe;
}

std::string WithoutControls(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\t' || (b >= 0x20 && b != 0x7F))
            text += c;
    }
    return text;
}

} // namespace rotaplan
