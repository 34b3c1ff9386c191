#include "store/CrewdeskVariables.h"

#include "store/CustomerIndex.h"
#include "store/SlipFile.h"

namespace rotaplan {

CrewdeskVariables::CrewdeskVariables(std::filesystem::path programFolder)
    : ProgramFolder(std::move(programFolder)), ExecutableFolder(ProgramFolder) {}

CrewdeskVariables::~CrewdeskVariables() = default;

void CloseAllFiles(CrewdeskVariables& v) {
    v.SlipFileNumber.reset();
}

} // namespace rotaplan
