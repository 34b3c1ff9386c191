#include "store/Booking.h"

#include "store/CommonDiskRoutines.h"
#include "store/Counter.h"
#include "store/Disk.h"
#include "store/SlipFile.h"

#include <limits>

namespace rotaplan {

std::optional<StoreError> BookCall(CrewdeskVariables& v,
                                   const std::array<std::string, SlotCount>& slots) {
    // Checked before anything is written: a booking the counter cannot follow is no booking.
    const std::string sa = "SA " + v.CurrentSA;
    if (v.NextSeq == std::numeric_limits<std::int16_t>::max() ||
        sa.size() > LayoutOf(SlipField::SANumber).width)
        throw StoreError(ProgramPath(v, CounterFile), "book " + sa + " under",
                         "the SA number field holds no more bookings for today");
    const auto before = v.DaySlots;
    for (int k = 0; k < SlotCount; ++k)
        v.DaySlots[k + 2] = slots[k];
    try {
        WriteDayFile(v);
    } catch (const StoreError&) {
        v.DaySlots = before;
        throw;
    }
    v.RecordBuffer.Set(SlipField::SANumber, sa);
    std::int32_t recordNumber = 0;
    try {
        AppendSlip(v, recordNumber);
    } catch (const StoreError&) {
        // The record may stand in the file though its flush failed: it goes first, and only
        // then the hours, so no slip is ever left without them. If either fails, the start-up
        // check frees hours whose slip is missing.
        if (recordNumber > 0)
            disk::Truncate(ProgramPath(v, SlipsFile),
                           static_cast<std::uint64_t>(recordNumber - 1) * SlipRecordLength);
        v.DaySlots = before;
        WriteDayFile(v);
        throw;
    }
    try {
        AdvanceCounter(v);
    } catch (const StoreError& error) {
        return error;
    }
    return std::nullopt;
}

} // namespace rotaplan
