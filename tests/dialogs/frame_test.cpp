#include "dialogs/dialogframe.h"
#include "dialogs/dialogset.h"
#include "dialogs/textdialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace talvex;

namespace {

DialogSetOptions NoFile()
{
    DialogSetOptions options;
    options.phrases = std::vector<std::string>{};
    return options;
}

// Runs the dialog's own modal loop while `drive` acts on it from inside.
int RunModal(QDialog& dialog, std::function<void(QWidget& modal)> drive)
{
    QTimer::singleShot(0, [drive] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal)
            drive(*modal);
    });
    return dialog.exec();
}

} // namespace

TEST(DialogSetTest, CreatesEveryDialogOnceInStartUpOrder)
{
    DialogSet dialogs(nullptr, NoFile());
    const char* order[] = {"TFormZhiXing",    "TFormZhuanXiang", "TFormQiDongDJ",  "TFormYanShi",  "TFormTingZhiDJ",
                           "TFormFaYin",      "TFormBiaoDaShi",  "TFormServo",     "TFormLED",     "TFormPORTIN",
                           "TFormPORTOUT",    "TFormPORTDDR",    "TFormDIN",       "TFormAIN",     "TFormSubBegin",
                           "TFormSubEnd",     "TFormGOSUB",      "TFormLoopBegin", "TFormLoopEnd", "TFormLimLoopBegin",
                           "TFormLimLoopEnd", "TFormWhileBegin", "TFormWhileEnd",  "TFormIfBegin", "TFormIfElseIf",
                           "TFormIfElse",     "TFormIfEnd",      "TFormVOICEX"};
    const std::vector<QDialog*> all = dialogs.All();
    ASSERT_EQ(all.size(), std::size(order));
    for (size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i]->objectName(), QString::fromLatin1(order[i]));
}

TEST(DialogSetTest, SuppliedDialogsTakeTheirPlaceAfterTheMelodyEditor)
{
    DialogSetOptions options = NoFile();
    options.makeDownload = [](QWidget* parent) {
        auto* d = new QDialog(parent);
        d->setObjectName("TFormDownload");
        return d;
    };
    options.makeAbout = [](QWidget* parent) {
        auto* d = new QDialog(parent);
        d->setObjectName("TFormAbout");
        return d;
    };
    DialogSet dialogs(nullptr, options);
    const std::vector<QDialog*> all = dialogs.All();
    ASSERT_EQ(all.size(), 30u);
    EXPECT_EQ(all[5]->objectName(), "TFormFaYin");
    EXPECT_EQ(all[6]->objectName(), "TFormDownload");
    EXPECT_EQ(all[7]->objectName(), "TFormAbout");
    EXPECT_EQ(all[8]->objectName(), "TFormBiaoDaShi");
}

TEST(DialogFrameTest, FrameOfEveryDialog)
{
    DialogSet dialogs(nullptr, NoFile());
    for (QDialog* dialog : dialogs.All()) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        EXPECT_EQ(QFontInfo(dialog->font()).pixelSize(), 16);
        auto* cancel = dialog->findChild<QPushButton*>("Button2");
        auto* del = dialog->findChild<QPushButton*>("Button3");
        ASSERT_NE(cancel, nullptr);
        ASSERT_NE(del, nullptr);
        EXPECT_EQ(cancel->text(), QString::fromUtf8(u8"取消"));
        EXPECT_EQ(del->text(), QString::fromUtf8(u8"删除"));
        EXPECT_EQ(cancel->size(), QSize(75, 25));
        auto* ok = dialog->findChild<QPushButton*>("Button1");
        if (ok) {
            EXPECT_EQ(ok->text(), QString::fromUtf8(u8"确定"));
            EXPECT_EQ(ok->geometry(), QRect(8, cancel->y(), 75, 25));
            EXPECT_EQ(cancel->x(), 104);
            EXPECT_EQ(del->x(), 200);
            auto* panel = dialog->findChild<QWidget*>("Panel1");
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->pos(), QPoint(8, 8));
        } else {
            EXPECT_EQ(cancel->pos(), QPoint(8, 7));
            EXPECT_EQ(del->pos(), QPoint(104, 7));
            EXPECT_EQ(dialog->size(), QSize(194, 40));
        }
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            EXPECT_FALSE(button->isDefault());
            EXPECT_FALSE(button->autoDefault());
        }
    }
}

TEST(DialogFrameTest, TextDialogsFollowTheirDescription)
{
    DialogSet dialogs(nullptr, NoFile());
    for (const TextDialogSpec& desc : TextDialogSpecs()) {
        SCOPED_TRACE(DialogClass(desc));
        QDialog* dialog = dialogs.Find(DialogClass(desc));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(desc.captionUtf8));
        EXPECT_EQ(dialog->size(), QSize(313, desc.clientHeight));
        auto* edit = dialog->findChild<QLineEdit*>("Edit1");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->geometry(), QRect(desc.editX, desc.editY, desc.editWidth, 24));
        EXPECT_EQ(dialog->findChild<QWidget*>("Button1")->y(), desc.buttonsY);
        bool labelled = false;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            labelled = labelled || label->text() == QString::fromUtf8(desc.labelUtf8);
        EXPECT_TRUE(labelled);
    }
    QLabel* hint = nullptr;
    for (QLabel* label : dialogs.Find("TFormBiaoDaShi")->findChildren<QLabel*>()) {
        if (label->text() == QString::fromUtf8(u8"请填写一行符合语法的语句。"))
            hint = label;
    }
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(QFontInfo(hint->font()).pixelSize(), 13);
    for (const PlainDialogSpec& desc : PlainDialogSpecs())
        EXPECT_EQ(dialogs.Find(desc.className)->windowTitle(), QString::fromUtf8(desc.captionUtf8));
}

TEST(DialogFrameTest, ResultsOfTheButtonsAndTheFrame)
{
    TextParamDialog dialog(*FindTextDialogSpec("TFormLoopBegin"));
    struct Case {
        const char* button;
        int result;
    };
    for (const Case& c : {Case{"Button1", 1}, Case{"Button2", 2}, Case{"Button3", 7}}) {
        const int result = RunModal(
            dialog, [&](QWidget& modal) { QTest::mouseClick(modal.findChild<QWidget*>(c.button), Qt::LeftButton); });
        EXPECT_EQ(result, c.result) << c.button;
    }
    EXPECT_EQ(RunModal(dialog, [](QWidget& modal) { modal.close(); }), 2);
}

TEST(DialogFrameTest, EnterAndEscapeDoNotClose)
{
    TextParamDialog dialog(*FindTextDialogSpec("TFormIfBegin"));
    PlainDialog plain(*FindPlainDialogSpec("TFormIfElse"));
    for (QDialog* d : {static_cast<QDialog*>(&dialog), static_cast<QDialog*>(&plain)}) {
        bool stillOpen = false;
        const int result = RunModal(*d, [&](QWidget& modal) {
            QWidget* target = modal.findChild<QLineEdit*>("Edit1");
            if (!target)
                target = modal.findChild<QWidget*>("Button2");
            target->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(target, key);
            stillOpen = modal.isVisible() && QApplication::activeModalWidget() == &modal;
            QTest::mouseClick(modal.findChild<QWidget*>("Button3"), Qt::LeftButton);
        });
        EXPECT_TRUE(stillOpen) << d->objectName().toStdString();
        EXPECT_EQ(result, 7);
    }
}

TEST(DialogFrameTest, FieldKeepsItsTextBetweenShowings)
{
    TextParamDialog dialog(*FindTextDialogSpec("TFormWhileBegin"));
    RunModal(dialog, [](QWidget& modal) {
        QTest::keyClicks(modal.findChild<QLineEdit*>("Edit1"), "  a<3 ");
        QTest::mouseClick(modal.findChild<QWidget*>("Button2"), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit1")->text(), "  a<3 ");
}
