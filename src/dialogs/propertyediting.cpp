#include "dialogs/propertyediting.h"

#include <QWidget>

namespace talvex {

PropertyEditing::PropertyEditing(Flowchart& flowchart, QWidget* mainWindow, DialogSetOptions options)
    : QObject(mainWindow), m_dialogs(mainWindow, std::move(options)), m_dispatcher(flowchart, m_dialogs, mainWindow)
{
    setObjectName("PropertyEditing");
}

} // namespace talvex
