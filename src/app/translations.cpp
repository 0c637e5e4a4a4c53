#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace talvex {

QStringList InstallQtChineseTranslations(QCoreApplication& app)
{
    QStringList installed;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_zh_CN", "qt_zh_CN"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), folder) && QCoreApplication::installTranslator(translator)) {
            installed << QString::fromLatin1(name);
        } else {
            delete translator;
        }
    }
    return installed;
}

} // namespace talvex
