#include "app/translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <gtest/gtest.h>

namespace talvex {
namespace {

// Qt's own dialogs speak Chinese whatever the locale the editor starts in.
TEST(QtTranslationsTest, QtsOwnTextsAreChinese)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList installed = InstallQtChineseTranslations(*QCoreApplication::instance());
    EXPECT_TRUE(installed.contains(QStringLiteral("qtbase_zh_CN")));
    const struct {
        const char* context;
        const char* text;
    } texts[] = {
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?"},
        {"QFileDialog", "Look in:"},
        {"QPlatformTheme", "Cancel"},
    };
    for (const auto& t : texts) {
        const QString shown = QCoreApplication::translate(t.context, t.text);
        EXPECT_NE(shown, QString::fromLatin1(t.text)) << t.text;
    }
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QLocale::setDefault(QLocale::system());
}

} // namespace
} // namespace talvex
