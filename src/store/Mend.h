#pragma once

#include "platform/Date.h"
#include "platform/Locale.h"
#include "store/CrewdeskVariables.h"
#include "store/Repair.h"

#include <string>
#include <vector>

namespace rotaplan {

// Start-up, after the purge: finds what an interrupted operation (of this or an older or
// foreign copy) left behind and mends it. Day files of today and later keep only SAs that a
// slip holds, the counter moves ahead of every SA issued today, and no scratch file lingers.
// A slip of today or later whose SA no day file holds is named for rescheduling, unless the
// same slips were named last time. A distrusted slip file frees no hours and removes no
// scratch file; after a quick start nothing is looked at. Returns what was found, one line
// per SA; a healthy folder returns nothing.
MendReport MendFolder(CrewdeskVariables& v, const Date& today, const Locale& locale);

} // namespace rotaplan
