#include "store/SlipRecord.h"

#include "platform/Cp1252.h"
#include "store/StoreError.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace rotaplan {
namespace {

// Fields are mostly padding: blanks are passed eight at a time, the last few counted by the
// bits that differ, so a field costs a branch or two (the library's find_first_not_of looked
// each byte up as a set of one, and made trimming the largest cost of a report).
std::string_view TrimBlanks(std::string_view text) {
    static_assert(std::endian::native == std::endian::little);
    constexpr std::uint64_t Blanks = 0x2020202020202020;
    const char* first = text.data();
    const char* last = first + text.size();
    std::uint64_t w;
    for (; last - first >= 8; last -= 8) {
        std::memcpy(&w, last - 8, 8);
        if (w != Blanks) {
            last -= std::countl_zero(w ^ Blanks) / 8;
            break;
        }
    }
    while (last != first && last[-1] == ' ')
        --last;
    for (; last - first >= 8; first += 8) {
        std::memcpy(&w, first, 8);
        if (w != Blanks) {
            first += std::countr_zero(w ^ Blanks) / 8;
            break;
        }
    }
    while (first != last && *first == ' ')
        ++first;
    return {first, static_cast<std::size_t>(last - first)};
}

constexpr std::array<SlipFieldLayout, SlipFieldCount> Layouts = {{
    {0, 10},   {10, 10},  {20, 2},  {22, 6},   {28, 2},   {30, 10},  {40, 2},
    {42, 30},  {72, 12},  {84, 20}, {104, 20}, {124, 10}, {134, 30}, {164, 35},
    {199, 25}, {224, 20}, {244, 2}, {246, 10}, {256, 13},
}};

constexpr std::array<const char*, SlipFieldCount> FieldNames = {
    "Kind",    "SANumber", "Team",   "HoursWord", "Hours",  "Date", "StartIndex",
    "Problem", "Status",   "Spare1", "Spare2",    "Amount", "Name", "Street",
    "Apt",     "City",     "ST",     "Zip",       "Tel"};

static_assert(Layouts.back().offset + Layouts.back().width == SlipRecordLength);

} // namespace

SlipFieldLayout LayoutOf(SlipField field) {
    return Layouts[static_cast<std::size_t>(field)];
}

SlipRecord::SlipRecord() {
    bytes_.fill(' ');
}

void SlipRecord::Set(SlipField field, std::string_view utf8) {
    const auto bytes = Utf8ToCp1252(utf8);
    if (!bytes)
        throw StoreError({},
                         std::string("store the ") + FieldNames[static_cast<std::size_t>(field)],
                         "the character \"" + FirstUnstorable(utf8) +
                             "\" cannot be stored in the program's files");
    const auto [offset, width] = LayoutOf(field);
    const std::size_t n = std::min(width, bytes->size());
    std::copy_n(bytes->begin(), n, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset + n), width - n, ' ');
}

std::string SlipRecord::Get(SlipField field) const {
    const auto [offset, width] = LayoutOf(field);
    return Cp1252ToUtf8(std::string_view(bytes_.data() + offset, width));
}

std::string SlipRecord::Trimmed(SlipField field) const {
    return Trim(Get(field));
}

SlipRecord SlipRecord::FromBytes(std::string_view bytes) {
    SlipRecord record;
    record.Assign(bytes);
    return record;
}

void SlipRecord::Assign(std::string_view bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), SlipRecordLength), bytes_.begin());
}

std::string Trim(std::string_view text) {
    return std::string(TrimBlanks(text));
}

std::string_view RawField(const SlipRecord& record, SlipField field) {
    return RawField({record.Bytes().data(), SlipRecordLength}, field);
}

std::string_view RawField(std::string_view record, SlipField field) {
    const auto [offset, width] = LayoutOf(field);
    return TrimBlanks({record.data() + offset, width});
}

} // namespace rotaplan
