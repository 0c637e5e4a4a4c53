#pragma once

namespace talvex {

class TForm1;

// Creates every dialog once, in start-up order, as children of the main
// window, together with the property dispatcher that answers double clicks on
// the canvas. Both live as long as the main window; a command finds its
// dialog with form1.findChild<TFormXxx*>().
void CreateForms(TForm1& form1);

} // namespace talvex
