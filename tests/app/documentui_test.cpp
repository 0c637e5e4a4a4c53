#include "app/documentui.h"

#include "model/gbk.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace talvex {
namespace {

// Runs inspect on the next modal widget of type W as soon as it is shown.
template <typename W> void WhenShown(std::function<void(W*)> inspect)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (auto* widget = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            inspect(widget);
        }
    });
    timer->start();
}

QStringList ButtonTexts(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* button : box->buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

TEST(QtDocumentUiTest, SavePromptIsAWarningWithThreeAnswers)
{
    QtDocumentUi ui(nullptr);
    const struct {
        const char* press; // nullptr: closed without an answer
        DocumentUi::Answer answer;
    } cases[] = {
        {"&Yes", DocumentUi::Answer::Yes},
        {"&No", DocumentUi::Answer::No},
        {"Cancel", DocumentUi::Answer::Cancel},
        {nullptr, DocumentUi::Answer::Cancel},
    };
    for (const auto& c : cases) {
        QString title, text;
        QStringList buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = ButtonTexts(box);
            if (!c.press) {
                box->reject();
                return;
            }
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QLatin1String(c.press))
                    button->click();
        });
        EXPECT_EQ(ui.AskSaveChanges(Gbk(u8"流程图文件的内容已经被更改,\r\n是否保存更改?")), c.answer);
        EXPECT_EQ(title, QStringLiteral("Warning"));
        EXPECT_EQ(icon, QMessageBox::Warning);
        EXPECT_EQ(buttons, (QStringList{QStringLiteral("&No"), QStringLiteral("&Yes"), QStringLiteral("Cancel")}));
        EXPECT_EQ(text, QString::fromUtf8(u8"流程图文件的内容已经被更改,\n是否保存更改?"));
    }
}

TEST(QtDocumentUiTest, FileDialogsOfferTheirFilters)
{
    QtDocumentUi ui(nullptr);
    const struct {
        std::function<QString()> choose;
        QString filter;
        QString suffix;
        QFileDialog::AcceptMode mode;
    } cases[] = {
        {[&] { return ui.ChooseProjectToOpen(); }, QString::fromUtf8(u8"流程图C文件(*.lcc)"), QString(),
         QFileDialog::AcceptOpen},
        {[&] { return ui.ChooseProjectToSave(); }, QString::fromUtf8(u8"流程图C文件(*.lcc)"), QStringLiteral("lcc"),
         QFileDialog::AcceptSave},
        {[&] { return ui.ChooseTextToLoad(); }, QString::fromUtf8(u8"TALVEX文件文本格式(*.txt)"), QString(),
         QFileDialog::AcceptOpen},
        {[&] { return ui.ChooseTextToSave(); }, QString::fromUtf8(u8"TALVEX文件文本格式(*.txt)"), QString(),
         QFileDialog::AcceptSave},
    };
    for (const auto& c : cases) {
        QStringList filters;
        QString suffix;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            mode = dialog->acceptMode();
            dialog->reject();
        });
        EXPECT_TRUE(c.choose().isEmpty());
        EXPECT_EQ(filters, QStringList{c.filter});
        EXPECT_EQ(suffix, c.suffix);
        EXPECT_EQ(mode, c.mode);
    }
}

TEST(QtDocumentUiTest, FileDialogsStartInTheFolderLastUsed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pupils")));
    const QString folder = QDir(dir.filePath(QStringLiteral("pupils"))).absolutePath();
    const QString file = folder + QStringLiteral("/robot.lcc");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QtDocumentUi ui(nullptr);
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(folder);
        dialog->selectFile(file);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(ui.ChooseProjectToOpen(), file);

    const std::function<QString()> dialogs[] = {
        [&] { return ui.ChooseProjectToOpen(); },
        [&] { return ui.ChooseProjectToSave(); },
        [&] { return ui.ChooseTextToLoad(); },
        [&] { return ui.ChooseTextToSave(); },
    };
    for (const auto& choose : dialogs) {
        QString shown;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            shown = dialog->directory().absolutePath();
            dialog->reject();
        });
        EXPECT_TRUE(choose().isEmpty());
        EXPECT_EQ(shown, folder);
    }
}

} // namespace
} // namespace talvex
