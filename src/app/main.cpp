#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/translations.h"
#include "tsansuppressions.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    talvex::InstallQtChineseTranslations(app);
    QApplication::setApplicationName(talvex::ApplicationTitle());
    // Before the main window moves the current folder.
    const QString startupFile = talvex::StartupFileArgument(QApplication::arguments());

    // The main window first: its creation builds the new flowchart before any
    // dialog exists.
    talvex::TForm1 form1;
    talvex::StartEditor(form1, startupFile);
    return app.exec();
}
