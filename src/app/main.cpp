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

    // The main window first: its creation builds the new flowchart before any
    // dialog exists.
    talvex::TForm1 form1;
    talvex::CreateForms(form1);
    form1.show();
    return app.exec();
}
