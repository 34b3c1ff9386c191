#pragma once

#include "platform/Date.h"
#include "store/CrewdeskVariables.h"

namespace rotaplan {

inline constexpr const char* CounterFile = "\\Counter.txt";

// Reads Counter.txt (or its backup), restarts the sequence on a new day, and saves it. A
// file that does not parse, with no readable backup, is kept as Counter.txt.damaged and the
// counter rebuilt past the SAs of today that the slips and day files show; Notices says so.
void LoadCounter(CrewdeskVariables& v, const Date& today);
void SaveCounter(CrewdeskVariables& v);
// After a booking: the next sequence number, saved at once. Throws StoreError past 32767.
void AdvanceCounter(CrewdeskVariables& v);

} // namespace rotaplan
