#include "app/exportcommands.h"
#include "app/mainwindow.h"
#include "model/ui/canvasview.h"
#include "render/flowchartexport.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace talvex {
namespace {

class ExportCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_form.show();
        m_commands = m_form.findChild<ExportCommands*>();
        ASSERT_NE(m_commands, nullptr);
    }

    // Runs action; handles the first modal dialog that comes up with answer.
    void WithModal(const std::function<void(QDialog*)>& answer, const std::function<void()>& action)
    {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                poll.stop();
                answer(dialog);
            }
        });
        poll.start(10);
        action();
    }

    QTemporaryDir m_dir;
    TForm1 m_form;
    ExportCommands* m_commands = nullptr;
};

TEST_F(ExportCommandsTest, ButtonsOnTheirSpotsWithTooltipsAndInTheCanvasMenu)
{
    const struct {
        ExtraTool tool;
        QAction* action;
        const char* text;
    } cases[] = {{ExtraTool::Export, m_commands->ExportAction(), u8"导出图片"},
                 {ExtraTool::Print, m_commands->PrintAction(), u8"打印"}};
    for (const auto& c : cases) {
        QToolButton* button = m_form.ExtraToolButton(c.tool);
        ASSERT_NE(button, nullptr) << c.text;
        EXPECT_EQ(button->x(), ExtraToolSpotOf(c.tool).left);
        EXPECT_EQ(button->defaultAction(), c.action);
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_FALSE(c.action->icon().isNull());
        EXPECT_EQ(c.action->text(), QString::fromUtf8(c.text));
        EXPECT_TRUE(m_form.dxFlowChart1()->actions().contains(c.action));
    }
    // The ten specified buttons keep their places.
    EXPECT_EQ(m_form.SpeedButton(9)->x(), 506);
    EXPECT_EQ(m_form.SpeedButton(10)->x(), 474);
}

TEST_F(ExportCommandsTest, ExportWritesTheWholeFlowchartNotTheVisiblePart)
{
    for (int i = 0; i < 30; ++i)
        m_form.Flows().AppendBlock(5);
    m_form.Flows().RelayoutFlowchart();
    const QString file = m_dir.filePath(QStringLiteral("chart"));
    // The dialog's name without extension gets the PNG one.
    WithModal(
        [&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            files->selectFile(file);
            QMetaObject::invokeMethod(files, "accept");
        },
        [&] { m_commands->ExportAction()->trigger(); });
    const QImage image(file + QStringLiteral(".png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), ExportArea(m_form.Chart()).size() * 2);
    EXPECT_GT(image.height(), m_form.dxFlowChart1()->viewport()->height() * 4);
}

TEST_F(ExportCommandsTest, UnwritableFileGivesAMessage)
{
    QString shown;
    WithModal(
        [&](QDialog* dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                shown = box->text();
            dialog->accept();
        },
        [&] { EXPECT_FALSE(m_commands->ExportTo(m_dir.filePath(QStringLiteral("no/such.png")))); });
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Cannot create file"))) << shown.toStdString();
}

TEST_F(ExportCommandsTest, PrintShowsTheSystemPrintDialog)
{
    QString seen;
    WithModal(
        [&](QDialog* dialog) {
            if (qobject_cast<QPrintDialog*>(dialog))
                seen = QStringLiteral("print");
            dialog->reject();
        },
        [&] { m_commands->PrintAction()->trigger(); });
    EXPECT_EQ(seen, QStringLiteral("print"));
}

TEST_F(ExportCommandsTest, DocumentNameIsTheFileNameOrUntitled)
{
    EXPECT_EQ(m_commands->DocumentName(), QString::fromUtf8(u8"未命名"));
    m_form.SetCurrentFile(QStringLiteral("/home/class/robot1.lcc"));
    EXPECT_EQ(m_commands->DocumentName(), QStringLiteral("robot1.lcc"));
}

} // namespace
} // namespace talvex
