#include "app/documentcommands.h"
#include "app/mainwindow.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace talvex {
namespace {

class MainWindowDocumentsTest : public ::testing::Test {
  protected:
    void SetUp() override { m_form.show(); }

    void AddBlock(int item)
    {
        m_form.Flows().AppendBlock(item);
        m_form.Flows().RelayoutFlowchart();
    }

    // Presses the button of that text on the next message box; records its text.
    void AnswerNextBox(const char* button)
    {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [this, timer, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer->stop();
            timer->deleteLater();
            m_boxTexts << box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == QLatin1String(button))
                    b->click();
        });
        timer->start(10);
    }

    TForm1 m_form;
    QStringList m_boxTexts;
};

TEST_F(MainWindowDocumentsTest, GenerateButtonFillsTheCodeView)
{
    AddBlock(5);
    QTest::mouseClick(m_form.SpeedButton(7), Qt::LeftButton);
    EXPECT_EQ(m_form.Memo1()->toPlainText(), QStringLiteral("qzrobot\nstart\nwait(0);\nend\n"));
    EXPECT_TRUE(m_form.Memo1()->updatesEnabled());
}

TEST_F(MainWindowDocumentsTest, NewButtonOnAnEmptyFlowchartAsksNothing)
{
    m_form.Memo1()->setPlainText(QStringLiteral("text"));
    QTest::mouseClick(m_form.SpeedButton(1), Qt::LeftButton);
    EXPECT_TRUE(m_form.Memo1()->toPlainText().isEmpty());
    EXPECT_EQ(m_form.Flows().Count(), 3);
    EXPECT_EQ(m_form.windowTitle(), ApplicationTitle());
}

TEST_F(MainWindowDocumentsTest, ClosingWithUnsavedChangesAsks)
{
    AddBlock(1);
    AnswerNextBox("Cancel");
    EXPECT_FALSE(m_form.close());
    EXPECT_TRUE(m_form.isVisible());
    ASSERT_EQ(m_boxTexts.size(), 1);
    EXPECT_EQ(m_boxTexts[0], QString::fromUtf8(u8"流程图文件的内容已经被更改,\n是否保存更改?"));

    AnswerNextBox("&No");
    QTest::mouseClick(m_form.SpeedButton(5), Qt::LeftButton);
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_EQ(m_boxTexts.size(), 2);
}

TEST_F(MainWindowDocumentsTest, FileNameReachesTheCaption)
{
    m_form.CurrentDocument().SetCurrentFileName(QStringLiteral("/somewhere/robot1.lcc"));
    EXPECT_EQ(m_form.CurrentFileName(), QStringLiteral("/somewhere/robot1.lcc"));
    EXPECT_EQ(m_form.windowTitle(), ApplicationTitle() + QStringLiteral(" - robot1.lcc"));
    m_form.SetCurrentFile(QString());
    EXPECT_TRUE(m_form.CurrentDocument().CurrentFileName().isEmpty());
    EXPECT_EQ(m_form.windowTitle(), ApplicationTitle());
}

} // namespace
} // namespace talvex
