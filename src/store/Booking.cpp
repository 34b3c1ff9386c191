#include "store/Booking.h"

#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/Disk.h"
#include "store/Journal.h"
#include "store/SlipFile.h"

#include <limits>

namespace rotaplan {

namespace fs = std::filesystem;

BookingFailed::BookingFailed(const StoreError& first, std::string consequence)
    : StoreError(first), consequence_(std::move(consequence)) {}

namespace {

using DayEntries = std::array<std::string, 13>;

constexpr const char* NotBooked = "The call is not booked; no file holds any part of it.";

std::uint64_t LengthOf(const fs::path& file) {
    return disk::FileExists(file) ? disk::FileLength(file) : 0;
}

// Cuts the slip file back to its length before the append. False when the appended record
// may still stand whole in it.
bool TakeBackSlip(const fs::path& slips, std::uint64_t length, std::int32_t recordNumber) {
    try {
        if (LengthOf(slips) > length)
            disk::Truncate(slips, length);
        return true;
    } catch (const StoreError&) {
    }
    try {
        return LengthOf(slips) < static_cast<std::uint64_t>(recordNumber) * SlipRecordLength;
    } catch (const StoreError&) {
        return false;
    }
}

// Puts the day file back to the entries it held, unless it still holds them. False when it
// may keep the new ones.
bool PutBackDay(CrewdeskVariables& v, const DayEntries& before) {
    try {
        // Gone from outside: it shows no hours, and the next look at the day makes it anew.
        if (!disk::FileExists(ProgramPath(v, v.DayFilePath)))
            return true;
        ReadDayFile(v);
        if (v.DaySlots == before)
            return true;
    } catch (const StoreError&) {
    }
    v.DaySlots = before;
    try {
        WriteDayFile(v);
        return true;
    } catch (const StoreError&) {
        return false;
    }
}

// Undoes what a failed booking wrote: the slip first and only then the hours, so no slip is
// left without them. Whatever stays on disk keeps its SA number from being issued again.
// The journal is told what was taken back: the slip, and the hours still to be freed if they
// could not be.
BookingFailed Undo(CrewdeskVariables& v, const DayEntries& before, const DayEntries& booked,
                   std::uint64_t slipsLength, std::int32_t recordNumber, const std::string& sa,
                   const StoreError& first) {
    CloseAllFiles(v);
    const fs::path slips = ProgramPath(v, SlipsFile);
    std::string consequence;
    if (recordNumber > 0 && !TakeBackSlip(slips, slipsLength, recordNumber)) {
        consequence = "The call may be booked as " + sa + " all the same: its slip could not be " +
                      "taken out of " + slips.string() +
                      " again. Look it up in Call Records before booking it anew.";
    } else {
        std::vector<DayChange> stillBooked;
        if (!PutBackDay(v, before)) {
            consequence = "The call is not booked, but " + ProgramPath(v, v.DayFilePath).string() +
                          " still shows its hours as " + sa +
                          "; Rotaplan frees them at its next start.";
            stillBooked.push_back(ChangeOf(v.DayFilePath, booked, before));
        }
        JournalAfterFailure(v, JournalEntry::Kind::Undone, std::move(stillBooked));
    }
    if (consequence.empty())
        return BookingFailed(first, NotBooked);
    try {
        AdvanceCounter(v);
    } catch (const StoreError&) {
        // Memory has moved on: this run does not issue the number again, and the next
        // start moves the counter past what the files show.
    }
    return BookingFailed(first, consequence);
}

} // namespace

std::optional<StoreError> BookCall(CrewdeskVariables& v,
                                   const std::array<std::string, SlotCount>& slots) {
    const std::string sa = "SA " + v.CurrentSA;
    const fs::path slips = ProgramPath(v, SlipsFile);
    std::uint64_t slipsLength = 0;
    try {
        // Checked before anything is written: a booking the counter cannot follow is none.
        if (v.NextSeq == std::numeric_limits<std::int16_t>::max() ||
            sa.size() > LayoutOf(SlipField::SANumber).width)
            throw StoreError(ProgramPath(v, CounterFile), "book " + sa + " under",
                             "the SA number field holds no more bookings for today");
        slipsLength = LengthOf(slips);
    } catch (const StoreError& error) {
        throw BookingFailed(error, NotBooked);
    }
    const DayEntries before = v.DaySlots;
    DayEntries booked = before;
    for (int k = 0; k < SlotCount; ++k)
        booked[k + 2] = slots[k];
    try {
        v.RecordBuffer.Set(SlipField::SANumber, sa);
        Journal(v, RecordEntry(JournalEntry::Kind::Book, RunDate(v), v.RecordBuffer,
                               ChangeOf(v.DayFilePath, before, booked)));
    } catch (const StoreError& error) {
        throw BookingFailed(error, NotBooked);
    }
    v.DaySlots = booked;
    std::int32_t recordNumber = 0;
    try {
        WriteDayFile(v);
        AppendSlip(v, recordNumber);
    } catch (const StoreError& error) {
        throw Undo(v, before, booked, slipsLength, recordNumber, sa, error);
    }
    try {
        AdvanceCounter(v);
    } catch (const StoreError& error) {
        return error;
    }
    return std::nullopt;
}

} // namespace rotaplan
