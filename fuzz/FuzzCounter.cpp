#include "FuzzFolder.h"
#include "store/Counter.h"

using namespace rotaplan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Holding(CounterFile, data, size);
    CrewdeskVariables v(fuzz::Folder());
    return fuzz::Refusing([&] { LoadCounter(v, Date{2026, 12, 4}); });
}
