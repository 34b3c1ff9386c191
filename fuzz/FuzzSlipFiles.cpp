// The two record files: every record of the slip file through the start-up check, and the
// completed summary's rows.
#include "FuzzFolder.h"
#include "store/CompletedSlips.h"
#include "store/Mend.h"
#include "store/SlipFile.h"

using namespace rotaplan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Holding(SlipsFile, data, size);
    CrewdeskVariables v(fuzz::Folder());
    v.Assignments = {"populated", "North", "South"};
    UsEnglishLocale locale;
    fuzz::Refusing([&] { MendFolder(v, Date{2026, 12, 4}, locale); });
    fuzz::Holding(CompletedSlipsFile, data, size);
    return fuzz::Refusing([&] {
        CompletedRows rows(v);
        for (std::int32_t r = 1; r <= rows.Count(); ++r)
            rows.Row(r);
    });
}
