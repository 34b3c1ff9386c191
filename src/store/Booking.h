#pragma once

#include "store/CrewdeskVariables.h"
#include "store/DaySchedule.h"
#include "store/StoreError.h"

#include <array>
#include <optional>
#include <string>

namespace rotaplan {

// Books the record buffer under CurrentSA: the slot texts into the day file at DayFilePath,
// the record onto the slip file, then the counter advanced. Throws StoreError when the
// booking is not made; the day file is then put back, so no slot claims an SA that no slip
// holds. A counter that cannot be saved does not undo the booking: the error is returned,
// and the sequence in memory has moved on, so this run never issues the number again.
std::optional<StoreError> BookCall(CrewdeskVariables& v,
                                   const std::array<std::string, SlotCount>& slots);

} // namespace rotaplan
