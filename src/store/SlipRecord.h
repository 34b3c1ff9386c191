#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rotaplan {

// One call slip: 19 fixed-width fields, 269 bytes of Windows-1252 on disk.
enum class SlipField {
    Kind,
    SANumber,
    Team,
    HoursWord,
    Hours,
    Date,
    StartIndex,
    Problem,
    Status,
    Spare1,
    Spare2,
    Amount,
    Name,
    Street,
    Apt,
    City,
    ST,
    Zip,
    Tel,
};

inline constexpr std::size_t SlipFieldCount = 19;
inline constexpr std::size_t SlipRecordLength = 269;

struct SlipFieldLayout {
    std::size_t offset;
    std::size_t width;
};
SlipFieldLayout LayoutOf(SlipField field);

class SlipRecord {
public:
    SlipRecord(); // every field blank

    // Left-aligns the text: blank-padded on the right, cut to the field's width.
    // Throws StoreError when the text holds a character Windows-1252 cannot store.
    void Set(SlipField field, std::string_view utf8);
    // The field as stored, trailing blanks included.
    std::string Get(SlipField field) const;
    // The field with leading and trailing blanks removed.
    std::string Trimmed(SlipField field) const;

    const std::array<char, SlipRecordLength>& Bytes() const { return bytes_; }
    static SlipRecord FromBytes(std::string_view bytes); // exactly SlipRecordLength bytes
    void Assign(std::string_view bytes);                 // exactly SlipRecordLength bytes

    bool operator==(const SlipRecord&) const = default;

private:
    std::array<char, SlipRecordLength> bytes_;
};

std::string Trim(std::string_view text);
// A field's bytes without its blanks, as the scans compare them: no copy, no decoding.
std::string_view RawField(const SlipRecord& record, SlipField field);
// The same of a record's SlipRecordLength bytes where they were read.
std::string_view RawField(std::string_view record, SlipField field);

} // namespace rotaplan
