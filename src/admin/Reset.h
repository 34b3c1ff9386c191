#pragma once

namespace rotaplan {

class Program;
class frmStartup;

// The main menu's "Reset": after the operator's OK every schedule and slip goes, then the
// menu is activated again to show what is left.
void mnuReset_Click(Program& program, frmStartup& menu);

} // namespace rotaplan
