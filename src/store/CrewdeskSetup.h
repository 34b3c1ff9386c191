#pragma once

#include "store/CrewdeskVariables.h"

namespace rotaplan {

// Refills the team list every form shows from Assignments.
void FillTeamLists(CrewdeskVariables& v);

// The current year's folder of a team, made if missing.
void MakeFolder(CrewdeskVariables& v, int team);
// After team `deleted` left a list of `oldCount`: its current-year files and folder go, and
// the folders of the teams after it move down one number. Missing folders are passed over
// and made afresh, so the folders end numbered as the list is; other years stay as they are.
void PurgeFolder(CrewdeskVariables& v, int deleted, int oldCount);

} // namespace rotaplan
