#include "app/extratools.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "model/gbk.h"
#include "sim/simconstants.h"
#include "sim/ui/arenaview.h"
#include "sim/ui/simulatorwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace talvex::sim {
namespace {

std::string Program(const std::string& body)
{
    return "qzrobot\r\nstart\r\n" + body + "end\r\n";
}

constexpr int64_t kFrameUs = 16667;

class SimulatorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_window.show();
        ASSERT_TRUE(m_window.SelectArena("room"));
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            m_window.AdvanceFrame(kFrameUs);
    }

    QPushButton* Button(const char* name) { return m_window.findChild<QPushButton*>(QString::fromLatin1(name)); }

    SimulatorWindow m_window;
};

TEST_F(SimulatorWindowTest, StartPauseStepAndReset)
{
    m_window.SetProgram(Program("led(6);\r\nfdx();\r\nwait(500);\r\n"));
    const Simulation* s = m_window.CurrentSimulation();
    EXPECT_EQ(s->NowUs(), 0);
    QTest::mouseClick(Button("StartButton"), Qt::LeftButton);
    EXPECT_TRUE(m_window.Running());
    Frames(60); // one second of robot time at x1
    s = m_window.CurrentSimulation();
    EXPECT_NEAR(s->NowUs(), 60 * kFrameUs, kStatementCostUs);
    EXPECT_GT(s->Body().GetPose().x, 600);
    EXPECT_EQ(s->GetOutputs().led, 6);

    QTest::mouseClick(Button("PauseButton"), Qt::LeftButton);
    const int64_t paused = s->NowUs();
    Frames(10);
    EXPECT_EQ(s->NowUs(), paused);

    QTest::mouseClick(Button("StepButton"), Qt::LeftButton);
    EXPECT_GT(s->NowUs(), paused);
    EXPECT_FALSE(m_window.Running());

    QTest::mouseClick(Button("ResetButton"), Qt::LeftButton);
    s = m_window.CurrentSimulation();
    EXPECT_EQ(s->NowUs(), 0);
    EXPECT_EQ(s->Body().GetPose().x, 400);
    EXPECT_EQ(s->GetOutputs().led, 7);
}

TEST_F(SimulatorWindowTest, AnEndlessLoopNeverHoldsAFrameLong)
{
    m_window.SetProgram(Program("lim_loop\r\n{\r\na=a+1;\r\n}\r\n"));
    m_window.Start();
    m_window.SetSpeed(16);
    Frames(30);
    const Simulation* s = m_window.CurrentSimulation();
    // Each frame moves the clock by its own real time times the speed, no more.
    EXPECT_NEAR(s->NowUs(), 30 * kFrameUs * 16, kStatementCostUs);
    EXPECT_TRUE(m_window.Running());
    EXPECT_FALSE(s->Ended());
}

TEST_F(SimulatorWindowTest, TheCurrentLineAndTheStateAreShown)
{
    m_window.SetProgram(Program("servoe(18,9,9,9,9,5);\r\nvoicex(2);\r\nplay(\"84\");\r\nwait(100);\r\n"));
    m_window.SetPhrases({Gbk("零"), Gbk("一"), Gbk("你好")});
    m_window.SetProgram(Program("servoe(18,9,9,9,9,5);\r\nvoicex(2);\r\nplay(\"84\");\r\nwait(100);\r\n"));
    m_window.Start();
    Frames(45); // the note ends at 500 ms; wait(100) runs until 1.5 s
    auto* program = m_window.findChild<QPlainTextEdit*>(QStringLiteral("ProgramView"));
    EXPECT_EQ(program->textCursor().blockNumber() + 1, 6);
    EXPECT_EQ(program->extraSelections().size(), 1);
    EXPECT_NE(m_window.findChild<QLabel*>(QStringLiteral("VoiceLabel"))->text().indexOf(QStringLiteral("你好")), -1);
    EXPECT_NE(m_window.findChild<QLabel*>(QStringLiteral("NoteLabel"))->text().indexOf(QStringLiteral("84")), -1);
    EXPECT_NE(m_window.findChild<QLabel*>(QStringLiteral("OutputLabel"))->text().indexOf(QStringLiteral("180°")), -1);
}

TEST_F(SimulatorWindowTest, AProgramWithErrorsSaysWhyAndDoesNotRun)
{
    m_window.SetProgram(Program("fd(;\r\n"));
    EXPECT_NE(m_window.findChild<QLabel*>(QStringLiteral("MessageLabel"))->text().indexOf(QStringLiteral("第3行")), -1);
    m_window.Start();
    Frames(5);
    EXPECT_TRUE(m_window.CurrentSimulation()->Ended());
    EXPECT_EQ(m_window.CurrentSimulation()->EndReason(), "error");
}

TEST_F(SimulatorWindowTest, AKeyPressIsAClap)
{
    m_window.SetProgram(Program("while(mic()==0)\r\n{\r\nwait(1);\r\n}\r\nled(0);\r\nwait(100);\r\n"));
    std::vector<TraceRecord::Event> events;
    QObject::connect(&m_window, &SimulatorWindow::Record,
                     [&](const TraceRecord& record) { events.push_back(record.event); });
    m_window.Start();
    Frames(10);
    EXPECT_EQ(m_window.CurrentSimulation()->GetOutputs().led, 7);
    QTest::keyClick(&m_window, Qt::Key_Space);
    Frames(3);
    EXPECT_EQ(m_window.CurrentSimulation()->GetOutputs().led, 0);
    EXPECT_NE(std::find(events.begin(), events.end(), TraceRecord::Event::kClap), events.end());
}

TEST_F(SimulatorWindowTest, DraggingTheRobotMovesAndTurnsItsStart)
{
    m_window.SetProgram(Program(""));
    auto* view = m_window.findChild<ArenaView*>();
    ASSERT_NE(view, nullptr);
    // Where the arena's points are on the view: it keeps the arena's shape, centred.
    const double scale = std::min((view->width() - 16) / 2000.0, (view->height() - 16) / 1500.0);
    auto at = [&](double x, double y) {
        return QPoint(static_cast<int>(view->width() / 2.0 + (x - 1000) * scale),
                      static_cast<int>(view->height() / 2.0 - (y - 750) * scale));
    };
    QTest::mousePress(view, Qt::LeftButton, {}, at(400, 750));
    QTest::mouseMove(view, at(900, 500));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(900, 500));
    Pose start = m_window.CurrentSimulation()->Body().GetPose();
    EXPECT_NEAR(start.x, 900, 3 / scale);
    EXPECT_NEAR(start.y, 500, 3 / scale);
    // The nose is 75 mm ahead; dragging it upwards turns the robot to 90 degrees.
    QTest::mousePress(view, Qt::LeftButton, {}, at(start.x + 70, start.y));
    QTest::mouseMove(view, at(start.x, start.y + 300));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(start.x, start.y + 300));
    start = m_window.CurrentSimulation()->Body().GetPose();
    EXPECT_NEAR(start.headingDeg, 90, 2);
}

TEST_F(SimulatorWindowTest, TheArenaListOffersTheShippedArenas)
{
    auto* box = m_window.findChild<QComboBox*>(QStringLiteral("ArenaBox"));
    ASSERT_NE(box, nullptr);
    EXPECT_GE(box->findData(QStringLiteral("maze")), 0);
    EXPECT_GE(box->findData(QStringLiteral("line")), 0);
    EXPECT_GE(box->findText(QStringLiteral("黑线跑道")), 0);
    EXPECT_FALSE(m_window.SelectArena("no-such-arena"));
    EXPECT_NE(m_window.findChild<QLabel*>(QStringLiteral("MessageLabel"))->text().indexOf(QStringLiteral("找不到场地")),
              -1);
    EXPECT_TRUE(m_window.SelectArena("maze"));
    EXPECT_EQ(m_window.CurrentSimulation()->Body().GetPose().x, 200);
}

TEST(SimulateCommandTest, TheToolbarButtonOpensTheWindowOnTheCleanedCodeView)
{
    TForm1 form;
    CreateForms(form);
    form.show();
    form.Memo1()->setPlainText(QStringLiteral("qzrobot\nstart\n/* 注释\n\nled(3);   /* 灯\nend\n"));
    QToolButton* button = form.ExtraToolButton(ExtraTool::Simulate);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->toolTip().isEmpty());
    EXPECT_EQ(button->x(), ExtraToolSpotOf(ExtraTool::Simulate).left);
    QTest::mouseClick(button, Qt::LeftButton);
    auto* window = form.findChild<SimulatorWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    auto* program = window->findChild<QPlainTextEdit*>(QStringLiteral("ProgramView"));
    EXPECT_EQ(program->toPlainText(), QStringLiteral("qzrobot\nstart\nled(3);\nend\n"));
    window->Start();
    for (int i = 0; i < 3; ++i)
        window->AdvanceFrame(kFrameUs);
    EXPECT_EQ(window->CurrentSimulation()->GetOutputs().led, 3);
    // The editor stays usable meanwhile.
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace talvex::sim
