#include "store/Reset.h"

#include "store/CommonDiskRoutines.h"
#include "store/DaySchedule.h"

#include <string>

namespace rotaplan {

void ResetSchedules(CrewdeskVariables& v, const Date& today) {
    for (int year : {today.year, today.year + 1})
        for (int n = 1; n <= v.TeamCount(); ++n)
            KillIfExists(v, TeamFolderName(std::to_string(year), n) + "\\*.*");
    for (const char* name : ResetFiles) {
        KillIfExists(v, name);
        KillIfExists(v, std::string("\\Backup") + name);
    }
}

} // namespace rotaplan
