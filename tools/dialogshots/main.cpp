// Renders every dialog of the editor to <out>/<ClassName>.png, for review
// without a screen: talvex-dialogshots [output folder, default docs/dialogs].

#include "app/startup.h"
#include "dialogs/dialogset.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/dialogs");
    QTextStream err(stderr);
    if (!QDir().mkpath(outDir)) {
        err << "cannot create " << outDir << "\n";
        return 1;
    }
    talvex::DialogSet dialogs(nullptr, talvex::StartupDialogs());
    int failures = 0;
    for (QDialog* dialog : dialogs.All()) {
        dialog->show(); // lay out and polish as a shown window would be
        QApplication::processEvents();
        // Dialogs of one shape share a C++ class and carry their form's class
        // name as objectName; the others are named by their own class.
        QString name = QString::fromLatin1(dialog->metaObject()->className()).section(QStringLiteral("::"), -1);
        if (!name.startsWith(QLatin1String("TForm")))
            name = dialog->objectName();
        const QString path = QDir(outDir).filePath(name + QStringLiteral(".png"));
        if (!dialog->grab().save(path)) {
            err << "cannot write " << path << "\n";
            ++failures;
        }
        dialog->hide();
    }
    return failures == 0 ? 0 : 1;
}
