#include "store/Reset.h"

#include "store/CommonDiskRoutines.h"
#include "store/DaySchedule.h"
#include "store/Journal.h"

#include <string>

namespace rotaplan {

// The slips go before the schedules: stopped half-way, the hours left have no slip, and the
// next start frees them; slips left without hours could not be mended.
void ResetSchedules(CrewdeskVariables& v, const Date& today) {
    // The slips' hours go with them: a reset stopped half-way is finished at the next start.
    JournalEntry reset;
    reset.kind = JournalEntry::Kind::Reset;
    reset.date = today;
    reset.slipsReplaced = "";
    Journal(v, reset);
    // The backup copy first: stopped between the two, a slip file without its copy is no
    // loss, while a copy without its slip file would be taken for a lost slip file.
    for (const char* name : ResetFiles) {
        KillIfExists(v, std::string("\\Backup") + name);
        KillIfExists(v, name);
    }
    v.Slips.replaced = true;
    EraseSchedules(v, today.year, v.TeamCount());
}

void EraseSchedules(CrewdeskVariables& v, int year, int teams) {
    for (int y : {year, year + 1})
        for (int n = 1; n <= teams; ++n)
            KillIfExists(v, TeamFolderName(std::to_string(y), n) + "\\*.*");
}

} // namespace rotaplan
