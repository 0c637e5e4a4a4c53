#pragma once

#include "ptyline.h"
#include "robotoptions.h"

namespace talvex::robot {

// The robot with a body: the simulator window shows the arena, and every
// program received over the line runs there from its first byte to its last.
// Transfers are served on a thread of their own, so the window never waits
// for the line. Returns the exit status once the window is closed.
int RunArenaRobot(int argc, char** argv, PtyLine& line, const Options& options);

} // namespace talvex::robot
