#include "store/CrewdeskFiles.h"

#include "store/CommonDiskRoutines.h"
#include "store/Disk.h"

namespace rotaplan {

void OpenWebPage(CrewdeskVariables& v, WebOpener& web, const std::string& address) {
    const auto shortcut = ProgramPath(v, ShortcutFile);
    disk::WriteFileAtomic(shortcut, "[InternetShortcut]\r\nURL = " + address + "\r\n");
    // The opener has taken the address before it returns, so the file can go at once.
    web.Open(address);
    disk::RemoveFile(shortcut);
}

} // namespace rotaplan
