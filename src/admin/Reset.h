#pragma once

namespace rotaplan {

class Program;

// The main menu's "Reset": after the operator's OK every schedule and slip goes. True when
// it ran, so the menu can be activated again to show what is left.
bool mnuReset_Click(Program& program);

} // namespace rotaplan
