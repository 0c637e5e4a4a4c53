#pragma once

namespace talvex {

class TForm1;

// The "仿真" command: a toolbar button in the free space, also on F9 and in
// the canvas's context menu. It opens the simulator window on the code
// view's text, cleaned as a download would send it.
void InstallSimulateCommand(TForm1& form1);

} // namespace talvex
