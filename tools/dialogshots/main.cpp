// Renders every dialog of the editor to <out>/<ClassName>.png, for review
// without a screen: talvex-dialogshots [output folder, default docs/dialogs].

#include "dialogs/dialogset.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTextStream>

namespace {

// The download and about dialogs belong to other parts of the program. Once
// they exist, create them here, e.g.
//   options.makeDownload = [](QWidget* parent) { return new TFormDownload(parent); };
//   options.makeAbout = [](QWidget* parent) { return new TFormAbout(parent); };
talvex::DialogSetOptions Options()
{
    talvex::DialogSetOptions options;
    return options;
}

} // namespace

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
    talvex::DialogSet dialogs(nullptr, Options());
    int failures = 0;
    for (QDialog* dialog : dialogs.All()) {
        dialog->show();  // lay out and polish as a shown window would be
        QApplication::processEvents();
        const QString path = QDir(outDir).filePath(dialog->objectName() + QStringLiteral(".png"));
        if (!dialog->grab().save(path)) {
            err << "cannot write " << path << "\n";
            ++failures;
        }
        dialog->hide();
    }
    return failures == 0 ? 0 : 1;
}
