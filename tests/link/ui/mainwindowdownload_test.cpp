#include "app/mainwindow.h"
#include "app/startup.h"
#include "link/ui/downloaddialog.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace talvex;

namespace {

TEST(MainWindowDownload, HandsTheCodeViewToTheDialogCreatedAtStartUp)
{
    TForm1 form1;
    CreateForms(form1);
    const auto dialogs = form1.findChildren<TFormDownload*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(dialogs.size(), 1);
    TFormDownload* dialog = dialogs.first();
    form1.show();

    for (const QString& text : {QString("qzrobot\nstart\nfd(20);\nend"), QString()}) {
        form1.Memo1()->setPlainText(text);
        dialog->Memo2->setPlainText("left over");
        QString shown;
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            wasModal = QApplication::activeModalWidget() == dialog;
            shown = dialog->Memo2->toPlainText();
            QTest::keyClicks(dialog->Memo2, "edited");
            QTest::mouseClick(dialog->Button5, Qt::LeftButton);
        });
        QTest::mouseClick(form1.SpeedButton(6), Qt::LeftButton);
        EXPECT_TRUE(wasModal);
        EXPECT_EQ(shown.toStdString(), text.toStdString());
        EXPECT_EQ(form1.Memo1()->toPlainText().toStdString(), text.toStdString());
    }
}

} // namespace
