#pragma once

#include "store/CrewdeskVariables.h"

#include <string>
#include <vector>

namespace rotaplan {

// Present only while a team is being deleted.
inline constexpr const char* TeamDeleteMarker = "\\DeletingTeam.txt";

// Refills the team list every form shows from Assignments.
void FillTeamLists(CrewdeskVariables& v);

// The current year's folder of a team, made if missing.
void MakeFolder(CrewdeskVariables& v, int team);

// Deletes team `deleted` of a list of `oldCount`, leaving `teams`: its current-year files and
// folder go, the folders of the teams after it move down one number, and the team list is
// saved. Missing folders are made afresh, so the folders end numbered as the list is; other
// years stay as they are. Stopped at any point, FinishPurgeFolder completes it.
void PurgeFolder(CrewdeskVariables& v, int deleted, int oldCount,
                 const std::vector<std::string>& teams);
// Start-up, before the team list is read: completes a team delete that was stopped.
void FinishPurgeFolder(CrewdeskVariables& v);

} // namespace rotaplan
