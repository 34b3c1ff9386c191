#include "admin/Reset.h"

#include "frame/Program.h"
#include "store/Reset.h"

namespace rotaplan {

bool mnuReset_Click(Program& program) {
    const auto answer = program.System().messages.Show(
        Lines({"THIS ROUTINE ERASES ALL", "EVENTS AND SCHEDULES", "DATA WILL BE LOST",
               "CONTINUE ONLY IF ALL OTHER ATTEMPTS ", "TO CORRECT A PROBLEM HAVE FAILED!",
               "DO YOU WANT TO CONTINUE?????"}),
        "FILE DELETION", MessageButtons::OkCancelDefaultCancel);
    if (answer == MessageAnswer::Cancel)
        return false;
    program.Attempt([&] { ResetSchedules(program.Variables(), program.System().clock.Now().date); },
                    "The reset stopped there; what it had not reached is still in place.");
    return true;
}

} // namespace rotaplan
