#include "exports/CrewCalendar.h"

#include "exports/CalendarFile.h"
#include "store/CallRecords.h"
#include "store/CommonDiskRoutines.h"
#include "store/Disk.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace rotaplan {

namespace {

struct Identity {
    std::string uid;
    int sequence = 0;
};

struct Gone {
    std::string uid;
    int sequence = 0;
    bool pending = false; // taken off for a reschedule not yet booked
    SlipRecord slip;
};

struct Record {
    std::map<std::string, Identity> live; // by the UID the booking has of its own
    std::vector<Gone> gone;
};

std::string Hex(const SlipRecord& slip) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string hex;
    for (char c : slip.Bytes()) {
        hex += Digits[static_cast<unsigned char>(c) >> 4];
        hex += Digits[static_cast<unsigned char>(c) & 15];
    }
    return hex;
}

std::optional<SlipRecord> FromHex(const std::string& hex) {
    if (hex.size() != 2 * SlipRecordLength ||
        hex.find_first_not_of("0123456789abcdef") != std::string::npos)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return SlipRecord::FromBytes(bytes);
}

// One line a call, fields by tabs: "L", the booking's own UID, the UID it keeps and the
// sequence; or "C" (cancelled) or "R" (waiting for its reschedule), the UID, the sequence and
// the slip's bytes in hex. A line that does not read is left out.
Record Load(const CrewdeskVariables& v) {
    Record record;
    const auto file = ProgramPath(v, CrewCalendarFile);
    if (!disk::FileExists(file))
        return record;
    std::istringstream lines(disk::ReadWholeFile(file));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() != 4)
            continue;
        if (fields[0] == "L")
            record.live[fields[1]] = {fields[2], std::atoi(fields[3].c_str())};
        else if (const auto slip = FromHex(fields[3]);
                 slip && (fields[0] == "C" || fields[0] == "R"))
            record.gone.push_back(
                {fields[1], std::atoi(fields[2].c_str()), fields[0] == "R", *slip});
    }
    return record;
}

void Save(const CrewdeskVariables& v, const Record& record) {
    std::string text;
    for (const auto& [own, id] : record.live)
        text += "L\t" + own + "\t" + id.uid + "\t" + std::to_string(id.sequence) + "\n";
    for (const Gone& g : record.gone)
        text += std::string(g.pending ? "R" : "C") + "\t" + g.uid + "\t" +
                std::to_string(g.sequence) + "\t" + Hex(g.slip) + "\n";
    disk::WriteFileAtomic(ProgramPath(v, CrewCalendarFile), text);
}

std::optional<TeamBooking> Booking(const CrewdeskVariables& v, const Locale& locale,
                                   const SlipRecord& slip) {
    return BookingOf(v, slip, [&](const std::string& text) { return locale.ParseShortDate(text); });
}

} // namespace

void CallTakenOff(const CrewdeskVariables& v, const Locale& locale, const SlipRecord& slip,
                  bool rescheduling) {
    const auto booking = Booking(v, locale, slip);
    if (!booking)
        return;
    Record record = Load(v);
    const std::string own = BookingUid(*booking);
    Identity id{own, 0};
    if (const auto it = record.live.find(own); it != record.live.end()) {
        id = it->second;
        record.live.erase(it);
    }
    if (rescheduling)
        for (Gone& g : record.gone)
            g.pending = false;
    record.gone.push_back({id.uid, id.sequence + 1, rescheduling, slip});
    Save(v, record);
}

void CallRebooked(const CrewdeskVariables& v, const Locale& locale, const SlipRecord& slip) {
    Record record = Load(v);
    const auto waiting = std::find_if(record.gone.begin(), record.gone.end(),
                                      [](const Gone& g) { return g.pending; });
    const auto booking = Booking(v, locale, slip);
    if (waiting == record.gone.end() || !booking)
        return;
    record.live[BookingUid(*booking)] = {waiting->uid, waiting->sequence + 1};
    record.gone.erase(waiting);
    Save(v, record);
}

void ForgetPastCalls(const CrewdeskVariables& v, const Locale& locale, const Date& today) {
    if (!disk::FileExists(ProgramPath(v, CrewCalendarFile)))
        return;
    Record record = Load(v);
    const std::string first = IsoDate(today);
    const std::size_t forgotten =
        std::erase_if(record.live, [&](const auto& entry) { return entry.first < first; }) +
        std::erase_if(record.gone, [&](const Gone& g) {
            const auto booking = Booking(v, locale, g.slip);
            return !booking || booking->date < today;
        });
    if (forgotten > 0)
        Save(v, record);
}

std::vector<CalendarEvent> CalendarEvents(const CrewdeskVariables& v, const Locale& locale,
                                          int team, const Date& from, std::optional<Date> to) {
    const Record record = Load(v);
    std::vector<CalendarEvent> events;
    for (TeamBooking& booking : BookingsBetween(v, locale, team, from, to)) {
        const std::string own = BookingUid(booking);
        const auto it = record.live.find(own);
        const Identity id = it == record.live.end() ? Identity{own, 0} : it->second;
        events.push_back({std::move(booking), id.uid, id.sequence, false});
    }
    for (const Gone& g : record.gone) {
        const auto booking = Booking(v, locale, g.slip);
        if (booking && NumberField(g.slip, SlipField::Team) == team && booking->date >= from &&
            (!to || booking->date <= *to))
            events.push_back({*booking, g.uid, g.sequence, true});
    }
    return events;
}

} // namespace rotaplan
