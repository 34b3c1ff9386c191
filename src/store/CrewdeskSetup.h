#pragma once

#include "store/CrewdeskVariables.h"

namespace rotaplan {

// Refills the team list every form shows from Assignments.
void FillTeamLists(CrewdeskVariables& v);

} // namespace rotaplan
