#pragma once

#include "platform/Date.h"
#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"
#include "store/Slots.h"
#include "store/StoreError.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rotaplan {

// Removes slip recordNumber (the record buffer holds it) from Slips.txt through Temp.txt,
// then frees every entry of its team's day file holding saText. Throws StoreError when the
// slip stays, also when that record of the file no longer equals the record buffer; once it
// is gone, a day file that cannot be freed is returned, not thrown. A Date that does not read
// back, a team number that is not one, or a day file already purged leave nothing to free.
std::optional<StoreError> DeleteCallRecord(CrewdeskVariables& v, const Locale& locale,
                                           std::int32_t recordNumber, std::string_view saText);

// The first record after `after`, going on from record 1 past the end, whose Name, Tel or
// SANumber contains the text, letter case aside; nullopt when none does (or the text is
// empty or cannot be stored in a slip).
std::optional<std::int32_t> FindCallRecord(CrewdeskVariables& v, std::int32_t after,
                                           std::string_view text);

// The schedule view's small view: the day file of the team and date under that date's year
// (TeamRoot and DayFilePath set, the file made free if missing), its eight slots.
std::array<std::string, SlotCount> LoadDaySlots(CrewdeskVariables& v, int team, const Date& date);

// The schedule view's large view: for each hour box the customer lines of the slip of that
// team and date holding it, nullopt where none does. Slips are read in file order until
// eight boxes have been filled, a later slip overwriting an earlier one; hours that fall
// outside the eight boxes are left out.
std::array<std::optional<std::string>, SlotCount>
FillDayDetails(CrewdeskVariables& v, std::string_view dateText, std::string_view team);

// A whole-number field (Team, Hours, StartIndex) without its blanks; nullopt for anything
// else.
std::optional<int> NumberField(const SlipRecord& record, SlipField field);

// Name, Street, "City,ST", Tel and Problem, each trimmed, joined by CR LF.
std::string CustomerLines(const SlipRecord& record);

} // namespace rotaplan
