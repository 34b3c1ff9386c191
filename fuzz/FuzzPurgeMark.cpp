// The purge mark read at start-up, with the purge it drives.
#include "FuzzFolder.h"
#include "store/DaySchedule.h"
#include "store/Purge.h"

using namespace rotaplan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Holding(PurgedDateFile, data, size);
    CrewdeskVariables v(fuzz::Folder());
    v.Assignments = {"populated", "North"};
    UsEnglishLocale locale;
    return fuzz::Refusing([&] {
        EnsureYearFolders(v, Date{2026, 12, 4});
        PurgePastDays(v, locale);
    });
}
