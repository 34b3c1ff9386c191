#pragma once

#include "platform/WebOpener.h"
#include "store/CrewdeskVariables.h"

#include <string>

namespace rotaplan {

inline constexpr const char* ShortcutFile = "\\Temp.url";

// Hands a web address to the desktop by way of the Temp.url shortcut, which is gone again
// when this returns.
void OpenWebPage(CrewdeskVariables& v, WebOpener& web, const std::string& address);

} // namespace rotaplan
