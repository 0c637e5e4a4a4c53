#include "app/startup.h"

#include "app/formabout.h"
#include "app/mainwindow.h"
#include "dialogs/dialogset.h"
#include "dialogs/dispatcher.h"
#include "link/ui/downloaddialog.h"
#include "model/ui/canvasview.h"
#include "sim/ui/simulatecommand.h"

namespace talvex {

DialogSetOptions StartupDialogs()
{
    DialogSetOptions options;
    // Dialogs from outside the property editors take their place in the
    // order through these: one line each.
    options.makeDownload = [](QWidget* parent) { return new TFormDownload(parent); };
    options.makeAbout = [](QWidget* parent) { return new TFormAbout(parent); };
    return options;
}

namespace {

// Ties the dialogs and the dispatcher to the main window's lifetime.
class Forms : public QObject {
  public:
    explicit Forms(TForm1& form1)
        : QObject(&form1), m_dialogs(&form1, StartupDialogs()), m_dispatcher(form1.CurrentDocument(), m_dialogs, &form1)
    {
        connect(form1.dxFlowChart1(), &TdxFlowChart::OnDblClick, this, &Forms::dxFlowChart1DblClick);
    }

  private:
    void dxFlowChart1DblClick() { m_dispatcher.EditBlockProperties(); }

    DialogSet m_dialogs;
    PropertyDispatcher m_dispatcher;
};

} // namespace

void CreateForms(TForm1& form1)
{
    new Forms(form1);
    InstallSimulateCommand(form1);
}

} // namespace talvex
