#pragma once

namespace rotaplan {

inline constexpr int SlotCount = 8;      // bookable hours of a day
inline constexpr int DayEntryCount = 12; // entries of a day file

} // namespace rotaplan
