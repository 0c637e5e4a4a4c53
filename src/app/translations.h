#pragma once

#include <QStringList>

class QCoreApplication;

namespace talvex {

// Installs Qt's own Simplified Chinese translations (file dialogs, standard
// buttons, "already exists" questions) from Qt's translations folder, whatever
// the system's locale: everything the user reads is Chinese. Returns the
// catalogues installed, by file name.
QStringList InstallQtChineseTranslations(QCoreApplication& app);

} // namespace talvex
