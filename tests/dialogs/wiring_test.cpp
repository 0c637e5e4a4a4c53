#include "app/formabout.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "model/gbk.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace talvex;

TEST(WiringTest, DoubleClickOnTheMainWindowsCanvasOpensTheBlocksDialog)
{
    TForm1 form1;
    CreateForms(form1);
    for (const char* name : {"TFormZhiXing", "TFormBiaoDaShi", "TFormVOICEX"})
        EXPECT_NE(form1.findChild<QDialog*>(name), nullptr) << name;
    EXPECT_EQ(form1.findChildren<TFormAbout*>().size(), 1);

    form1.FlowList().InsertBlock(20);  // the new flowchart's spot is selected
    FcObject* block = form1.Chart().SingleSelection();
    ASSERT_NE(block, nullptr);
    QString opened;
    QTimer::singleShot(0, [&opened] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        opened = modal->objectName();
        QTest::keyClicks(modal->findChild<QLineEdit*>("Edit1"), "b=2");
        QTest::mouseClick(modal->findChild<QWidget*>("Button1"), Qt::LeftButton);
    });
    form1.Chart().DblClick();
    EXPECT_EQ(opened, "TFormBiaoDaShi");
    EXPECT_EQ(block->Text(), Gbk(u8"表达式:b=2"));
}
