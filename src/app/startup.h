#pragma once

#include "dialogs/dialogset.h"

#include <QString>
#include <QStringList>

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

// The project named on the command line (arguments as QCoreApplication gives
// them, program first) as an absolute path, resolved against the folder the
// program was started in; empty when none is named. Read it before the main
// window exists: creating it moves the current folder.
QString StartupFileArgument(const QStringList& arguments);

// Creates the dialogs, shows the main window and, when startupFile is not
// empty, opens it as the Open command would; a file that cannot be opened
// leaves the new flowchart and shows the message.
void StartEditor(TForm1& form1, const QString& startupFile);

} // namespace talvex
