#include "store/CrewdeskSetup.h"

#include "store/CommonDiskRoutines.h"
#include "store/DaySchedule.h"
#include "store/Disk.h"

namespace rotaplan {

void FillTeamLists(CrewdeskVariables& v) {
    v.TeamList.Assign({v.Assignments.begin() + 1, v.Assignments.end()});
}

void MakeFolder(CrewdeskVariables& v, int team) {
    disk::CreateFolder(ProgramPath(v, TeamFolderName(v.CurrentYear, team)));
}

void PurgeFolder(CrewdeskVariables& v, int deleted, int oldCount) {
    const std::string folder = TeamFolderName(v.CurrentYear, deleted);
    if (disk::FolderExists(ProgramPath(v, folder))) {
        KillIfExists(v, folder + "\\*.*");
        disk::RemoveFolder(ProgramPath(v, folder));
    }
    for (int m = deleted + 1; m <= oldCount; ++m) {
        const auto from = ProgramPath(v, TeamFolderName(v.CurrentYear, m));
        if (disk::FolderExists(from))
            disk::RenameFolder(from, ProgramPath(v, TeamFolderName(v.CurrentYear, m - 1)));
        else
            MakeFolder(v, m - 1);
    }
}

} // namespace rotaplan
