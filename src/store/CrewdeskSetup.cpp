#include "store/CrewdeskSetup.h"

namespace rotaplan {

void FillTeamLists(CrewdeskVariables& v) {
    v.TeamList.Assign({v.Assignments.begin() + 1, v.Assignments.end()});
}

} // namespace rotaplan
