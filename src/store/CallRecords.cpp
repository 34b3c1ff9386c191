#include "store/CallRecords.h"

#include "platform/Cp1252.h"
#include "store/CustomerIndex.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/SlipFile.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace rotaplan {

namespace {

std::string FoldedText(std::string_view bytes) {
    std::string folded(bytes);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    return folded;
}

// A text to look for, folded, with the bytes its first character may be written as.
struct Needle {
    std::string folded;
    std::string firsts;
};

Needle MakeNeedle(std::string_view bytes) {
    Needle needle{FoldedText(bytes), {}};
    for (int b = 0; b < 256; ++b)
        if (FoldCase(static_cast<char>(b)) == needle.folded[0])
            needle.firsts += static_cast<char>(b);
    return needle;
}

// The first byte is found with memchr, which is what keeps a find near the speed of the
// plain read of the file.
bool Contains(std::string_view haystack, const Needle& needle) {
    const std::string& n = needle.folded;
    if (n.size() > haystack.size())
        return false;
    const std::size_t room = haystack.size() - n.size() + 1; // positions a match can start at
    for (char first : needle.firsts) {
        const char* from = haystack.data();
        const char* end = haystack.data() + room;
        while (const void* hit = std::memchr(from, first, static_cast<std::size_t>(end - from))) {
            const char* at = static_cast<const char*>(hit);
            std::size_t k = 1;
            while (k < n.size() && FoldCase(at[k]) == n[k])
                ++k;
            if (k == n.size())
                return true;
            from = at + 1;
        }
    }
    return false;
}

// The day file at DayFilePath before and after the SA's hours are freed; none when there is
// no day to free or it does not read.
DayChange FreedDay(CrewdeskVariables& v, bool hasDay, std::string_view saText) {
    if (!hasDay || !disk::FileExists(disk::Resolve(v.ProgramFolder, v.DayFilePath)))
        return {};
    try {
        ReadDayFile(v);
    } catch (const StoreError&) {
        return {};
    }
    auto after = v.DaySlots;
    for (int i = 0; i < DayEntryCount; ++i)
        if (Trim(after[i]) == Trim(saText))
            after[i] = NoEventScheduled;
    return ChangeOf(v.DayFilePath, v.DaySlots, after);
}

} // namespace

std::optional<int> NumberField(const SlipRecord& record, SlipField field) {
    const std::string_view text = RawField(record, field);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::optional<StoreError> DeleteCallRecord(CrewdeskVariables& v, const Locale& locale,
                                           std::int32_t recordNumber, std::string_view saText) {
    // The file may have been cut or replaced since the slip was shown: removing by number
    // alone would then drop another customer's booking.
    OpenSlipFile(v);
    SlipFile& file = *v.SlipFileNumber;
    if (recordNumber > file.Count() || file.Read(recordNumber) != v.RecordBuffer)
        throw StoreError(file.File(), "delete record " + std::to_string(recordNumber) + " of",
                         "it no longer holds the Service Attention shown; the file was "
                         "changed by another program");
    const SlipRecord& slip = v.RecordBuffer;
    const auto date = locale.ParseShortDate(slip.Trimmed(SlipField::Date));
    const auto team = NumberField(slip, SlipField::Team);
    const bool hasDay = date && team && *team >= 1;
    if (hasDay)
        v.DayFilePath = DayFileName(TeamRootFor(date->year), *team, date->DayOfYear());
    const DayChange day = FreedDay(v, hasDay, saText);
    Journal(v, RecordEntry(JournalEntry::Kind::Delete, RunDate(v), slip, day));
    try {
        RemoveSlip(v, recordNumber);
    } catch (const StoreError&) {
        JournalAfterFailure(v, JournalEntry::Kind::Undone);
        throw;
    }
    if (!hasDay)
        return std::nullopt;
    try {
        FreeBooking(v, saText);
    } catch (const StoreError& error) {
        JournalAfterFailure(v, JournalEntry::Kind::Pending, {day});
        return error;
    }
    return std::nullopt;
}

std::optional<std::int32_t> FindCallRecord(CrewdeskVariables& v, std::int32_t after,
                                           std::string_view text) {
    const auto bytes = Utf8ToCp1252(text);
    if (!bytes || bytes->empty())
        return std::nullopt;
    const Needle needle = MakeNeedle(*bytes);
    OpenSlipFile(v);
    SlipFile& file = *v.SlipFileNumber;
    const std::int32_t count = file.Count();
    SlipRecord record;
    for (std::int32_t step = 1; step <= count; ++step) {
        const std::int32_t r = (std::clamp(after, 0, count) + step - 1) % count + 1;
        file.Read(r, record);
        for (SlipField field : {SlipField::Name, SlipField::Tel, SlipField::SANumber})
            if (Contains(RawField(record, field), needle))
                return r;
    }
    return std::nullopt;
}

std::array<std::string, SlotCount> LoadDaySlots(CrewdeskVariables& v, int team, const Date& date) {
    v.TeamRoot = TeamRootFor(date.year);
    LoadDay(v, team, date);
    std::array<std::string, SlotCount> slots;
    std::copy_n(v.DaySlots.begin() + 2, SlotCount, slots.begin());
    return slots;
}

std::string CustomerLines(const SlipRecord& record) {
    return record.Trimmed(SlipField::Name) + "\r\n" + record.Trimmed(SlipField::Street) + "\r\n" +
           record.Trimmed(SlipField::City) + "," + record.Trimmed(SlipField::ST) + "\r\n" +
           record.Trimmed(SlipField::Tel) + "\r\n" + record.Trimmed(SlipField::Problem);
}

std::array<std::optional<std::string>, SlotCount>
FillDayDetails(CrewdeskVariables& v, std::string_view dateText, std::string_view team) {
    std::array<std::optional<std::string>, SlotCount> boxes;
    // Dates and team numbers are digits and separators; one that cannot be stored matches
    // no slip.
    const auto date = Utf8ToCp1252(Trim(dateText));
    const std::string wantedTeam = Trim(team);
    if (!date)
        return boxes;
    OpenSlipFile(v);
    SlipFile& file = *v.SlipFileNumber;
    // The customer index, once complete, names the day's records; until then every one is read.
    std::vector<std::int32_t> candidates;
    const CustomerIndex* index = CompleteCustomers(v);
    if (index)
        candidates = index->DayRecords(*date, wantedTeam);
    const std::int32_t count = index ? static_cast<std::int32_t>(candidates.size()) : file.Count();
    SlipRecord slip;
    int filled = 0;
    for (std::int32_t c = 0; c < count && filled < SlotCount; ++c) {
        const std::int32_t r = index ? candidates[static_cast<std::size_t>(c)] : c + 1;
        if (r > file.Count())
            continue;
        file.Read(r, slip);
        if (RawField(slip, SlipField::Date) != *date ||
            RawField(slip, SlipField::Team) != wantedTeam)
            continue;
        const auto startIndex = NumberField(slip, SlipField::StartIndex);
        if (!startIndex)
            continue;
        const int first = SlotForStartIndex(v.StartHour, *startIndex);
        const int hours = std::max(NumberField(slip, SlipField::Hours).value_or(1), 1);
        const int from = std::max(first, 0);
        const int to = std::min(first + hours, SlotCount); // one past the last box
        if (from >= to)
            continue;
        const std::string lines = CustomerLines(slip);
        for (int b = from; b < to; ++b, ++filled)
            boxes[b] = lines;
    }
    CloseAllFiles(v);
    return boxes;
}

} // namespace rotaplan
