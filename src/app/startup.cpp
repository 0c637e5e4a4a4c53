#include "app/startup.h"

#include "app/formabout.h"
#include "app/mainwindow.h"
#include "dialogs/propertyediting.h"

namespace talvex {

void CreateForms(TForm1& form1)
{
    // Every dialog once, in start-up order; the download and about dialogs
    // stand between the melody editor and the expression dialog.
    DialogSetOptions options;
    options.makeAbout = [](QWidget* parent) { return new TFormAbout(parent); };
    // TFormDownload takes its place here once it exists:
    // options.makeDownload = [](QWidget* parent) { return new TFormDownload(parent); };
    auto* editing = new PropertyEditing(form1.FlowList(), &form1, std::move(options));
    form1.SetDblClickHandler([editing] { editing->Dispatcher().EditBlockProperties(); });
}

} // namespace talvex
