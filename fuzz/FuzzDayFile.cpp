#include "FuzzFolder.h"
#include "store/DaySchedule.h"

using namespace rotaplan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Holding("\\2026\\Team# 1\\338.txt", data, size);
    CrewdeskVariables v(fuzz::Folder());
    v.TeamRoot = TeamRootFor(2026);
    return fuzz::Refusing([&] {
        LoadDay(v, 1, Date{2026, 12, 4});
        FreeBooking(v, "SA 338-1");
    });
}
