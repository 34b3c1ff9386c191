// The journal read at start-up, with the check of the record files it drives.
#include "FuzzFolder.h"
#include "store/Journal.h"
#include "store/Repair.h"

using namespace rotaplan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Holding(JournalFile, data, size);
    CrewdeskVariables v(fuzz::Folder());
    UsEnglishLocale locale;
    return fuzz::Refusing([&] {
        CheckSlipsAtStart(v, Date{2026, 12, 4}, locale, [](const std::string&) { return true; });
    });
}
