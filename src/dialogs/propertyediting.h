#pragma once

#include "dialogs/dialogset.h"
#include "dialogs/dispatcher.h"

#include <QObject>

namespace talvex {

class Flowchart;

// The dialogs and the dispatcher that opens them, kept together for the life
// of the main window (their parent).
class PropertyEditing : public QObject {
    Q_OBJECT
public:
    PropertyEditing(Flowchart& flowchart, QWidget* mainWindow, DialogSetOptions options = {});

    DialogSet& Dialogs() { return m_dialogs; }
    PropertyDispatcher& Dispatcher() { return m_dispatcher; }

private:
    DialogSet m_dialogs;
    PropertyDispatcher m_dispatcher;
};

} // namespace talvex
