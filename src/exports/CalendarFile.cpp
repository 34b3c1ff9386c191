#include "exports/CalendarFile.h"

#include <algorithm>
#include <cstdlib>
#include <libical/ical.h>
#include <memory>

namespace rotaplan {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

icaltimezone* ZoneNamed(const std::string& name) {
    if (name == "UTC" || name == "Etc/UTC")
        return icaltimezone_get_utc_timezone();
    return icaltimezone_get_builtin_timezone(name.c_str());
}

icaltimetype At(const Date& date, int hour, icaltimezone* zone) {
    icaltimetype t = icaltime_null_time();
    t.year = date.year;
    t.month = date.month;
    t.day = date.day;
    t.hour = hour;
    t.is_date = 0;
    return zone ? icaltime_set_timezone(&t, zone) : t;
}

icalproperty* WithZone(icalproperty* property, const std::string& tzid) {
    if (!tzid.empty())
        icalproperty_add_parameter(property, icalparameter_new_tzid(tzid.c_str()));
    return property;
}

std::string Joined(std::initializer_list<std::string> parts, const char* separator) {
    std::string text;
    for (const auto& part : parts)
        if (!part.empty())
            text += (text.empty() ? "" : separator) + part;
    return text;
}

std::string Labelled(const char* label, const std::string& value) {
    return value.empty() ? value : label + (": " + value);
}

// libical escapes what the format needs; bytes no calendar shows are left out here.
std::string Text(const SlipRecord& s, SlipField field) {
    return WithoutControls(s.Trimmed(field));
}

std::string Location(const SlipRecord& s) {
    const std::string region = Joined({Text(s, SlipField::ST), Text(s, SlipField::Zip)}, " ");
    return Joined(
        {Text(s, SlipField::Street), Text(s, SlipField::Apt), Text(s, SlipField::City), region},
        ", ");
}

} // namespace

std::string BookingUid(const TeamBooking& booking) {
    std::string sa = booking.slip.Trimmed(SlipField::SANumber);
    std::erase(sa, ' ');
    return IsoDate(booking.date) + "-" + sa + "@rotaplan";
}

std::string CalendarFile(const CrewdeskVariables& v, int team,
                         const std::vector<CalendarEvent>& events, const std::string& timeZone) {
    icaltimezone* zone = ZoneNamed(timeZone);
    Component calendar(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT,
                                           icalproperty_new_version("2.0"),
                                           icalproperty_new_prodid("-//Rotaplan//Rotaplan//EN"),
                                           icalproperty_new_calscale("GREGORIAN"), nullptr));
    // Plain IANA names are what phone calendars know the zones by; libical's own carry a prefix.
    const bool local = zone && zone != icaltimezone_get_utc_timezone();
    const std::string tzid = local ? timeZone : "";
    if (local && !events.empty()) {
        // The zone's rules over the years of the bookings only, not its whole history.
        icalcomponent* rules = icalcomponent_new_clone(icaltimezone_get_component(zone));
        icalproperty_set_tzid(icalcomponent_get_first_property(rules, ICAL_TZID_PROPERTY),
                              tzid.c_str());
        auto [first, last] = std::minmax_element(
            events.begin(), events.end(), [](const CalendarEvent& a, const CalendarEvent& b) {
                return a.booking.date < b.booking.date;
            });
        icaltimezone_truncate_vtimezone(rules, At(Date{first->booking.date.year, 1, 1}, 0, nullptr),
                                        At(Date{last->booking.date.year + 1, 1, 1}, 0, nullptr), 1);
        icalcomponent_add_component(calendar.get(), rules);
    }
    const std::string teamName = team <= v.TeamCount() ? WithoutControls(v.Assignments[team]) : "";
    const icaltimetype stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    for (const CalendarEvent& e : events) {
        const TeamBooking& b = e.booking;
        const SlipRecord& s = b.slip;
        const int last = b.firstSlot + b.hours - 1;
        const std::string sa = Text(s, SlipField::SANumber);
        const std::string summary = Joined(
            {sa, Joined({Text(s, SlipField::Name), Text(s, SlipField::Problem)}, ": ")}, " ");
        const std::string description =
            Joined({Labelled("Customer", Text(s, SlipField::Name)),
                    Labelled("Telephone", Text(s, SlipField::Tel)),
                    Labelled("Problem", Text(s, SlipField::Problem)), Labelled("Team", teamName)},
                   "\n");
        icalcomponent* event = icalcomponent_vanew(
            ICAL_VEVENT_COMPONENT, icalproperty_new_uid(e.uid.c_str()),
            icalproperty_new_dtstamp(stamp), icalproperty_new_sequence(e.sequence),
            WithZone(icalproperty_new_dtstart(At(b.date, SlotHour(v.StartHour, b.firstSlot), zone)),
                     tzid),
            WithZone(icalproperty_new_dtend(At(b.date, SlotHour(v.StartHour, last) + 1, zone)),
                     tzid),
            icalproperty_new_summary(summary.c_str()),
            icalproperty_new_location(Location(s).c_str()),
            icalproperty_new_description(description.c_str()), nullptr);
        if (e.cancelled)
            icalcomponent_add_property(event, icalproperty_new_status(ICAL_STATUS_CANCELLED));
        icalcomponent_add_component(calendar.get(), event);
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string file(text);
    std::free(text);
    return file;
}

} // namespace rotaplan
