#pragma once

#include "dialogs/dialogset.h"

namespace talvex {

class TForm1;

// Every dialog of the program in start-up order, the property dialogs and the
// download and about dialogs.
DialogSetOptions StartupDialogs();

// Creates every dialog once, in start-up order, as children of the main
// window, together with the property dispatcher that answers double clicks on
// the canvas. Both live as long as the main window; a command finds its
// dialog with form1.findChild<TFormXxx*>().
void CreateForms(TForm1& form1);

} // namespace talvex
