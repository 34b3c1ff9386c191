#include "store/Booking.h"
#include "store/Counter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace rotaplan::test {
namespace {

// The thousandth booking of day 338 would be "SA 338-1000", one character more than the
// record's field: cut, it would be "SA 338-100" a second time.
TEST(BookCall, RefusesAnSaNumberTheRecordCannotHold) {
    TempFolder folder;
    CrewdeskVariables v(folder.Path());
    LoadCounter(v, Date{2026, 12, 4});
    v.NextSeq = 1000;
    v.CurrentSA = "338-1000";
    v.TeamRoot = TeamRootFor(2026);
    LoadDay(v, 1, Date{2026, 12, 7});
    const std::string day = ReadBytes(folder / "2026/Team# 1/341.txt");
    std::array<std::string, SlotCount> slots;
    slots.fill(NoEventScheduled);
    slots[0] = "SA 338-1000";
    EXPECT_THROW(BookCall(v, slots), StoreError);
    EXPECT_EQ(ReadBytes(folder / "2026/Team# 1/341.txt"), day);
    EXPECT_FALSE(fs::exists(folder / "Slips.txt") && fs::file_size(folder / "Slips.txt") > 0);
}

} // namespace
} // namespace rotaplan::test
