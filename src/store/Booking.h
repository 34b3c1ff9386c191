#pragma once

#include "store/CrewdeskVariables.h"
#include "store/DaySchedule.h"
#include "store/StoreError.h"

#include <array>
#include <optional>
#include <string>

namespace rotaplan {

// A booking that was not made: the first error met, and what its undoing left on disk, in
// words for the operator.
class BookingFailed : public StoreError {
public:
    BookingFailed(const StoreError& first, std::string consequence);
    const std::string& Consequence() const { return consequence_; }

private:
    std::string consequence_;
};

// Books the record buffer under CurrentSA: the slot texts into the day file at DayFilePath,
// the record onto the slip file, then the counter advanced. Throws BookingFailed when the
// booking is not made; what it wrote is then taken back, and should any of it stay, the
// counter moves past its SA so that no later slip claims those hours. A counter that cannot
// be saved does not undo the booking: the error is returned, and the sequence in memory has
// moved on, so this run never issues the number again.
std::optional<StoreError> BookCall(CrewdeskVariables& v,
                                   const std::array<std::string, SlotCount>& slots);

} // namespace rotaplan
