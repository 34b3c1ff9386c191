#include "frame/WebLinks.h"

#include "frame/Program.h"
#include "store/CrewdeskFiles.h"

namespace rotaplan {

void OpenLink(Program& program, const char* address) {
    program.Attempt([&] { OpenWebPage(program.Variables(), program.System().web, address); },
                    "The page was not opened.");
}

} // namespace rotaplan
