// Team list, problem list and settings: the quoted-line readers.
#include "FuzzFolder.h"
#include "store/CommonDiskRoutines.h"

using namespace rotaplan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Holding(AssigntoFile, data, size);
    CrewdeskVariables v(fuzz::Folder());
    fuzz::Refusing([&] { LoadAssignments(v); });
    fuzz::Holding(ProblemCodeFile, data, size);
    fuzz::Refusing([&] { LoadProblems(v); });
    fuzz::Holding(SettingsFile, data, size);
    return fuzz::Refusing([&] { LoadSettings(v); });
}
