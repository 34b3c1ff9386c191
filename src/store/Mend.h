#pragma once

#include "platform/Date.h"
#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"

#include <string>
#include <vector>

namespace rotaplan {

// Start-up, after the purge: finds what an interrupted operation (of this or an older or
// foreign copy) left behind and mends it. Day files of today and later must claim only SAs
// that a slip holds, each such slip must have its hours claimed, the counter must be ahead of
// every SA issued today, and no scratch file may linger. Returns what was mended, one line
// each; a healthy folder returns nothing.
std::vector<std::string> MendFolder(CrewdeskVariables& v, const Date& today, const Locale& locale);

} // namespace rotaplan
