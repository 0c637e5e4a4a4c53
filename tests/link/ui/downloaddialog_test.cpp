#include "eventwait.h"
#include "link/ui/downloaddialog.h"

#include "codegen/programtext.h"
#include "model/gbk.h"
#include "robotprocess.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

using namespace talvex;
using namespace std::chrono_literals;
using talvex::testing::RobotProcess;

namespace {

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Answers every message box that comes up (they run their own event loop),
// noting its text; onBox runs while the box is still open.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (!box || !box->isVisible() || m_answering)
                    continue;
                m_answering = true;
                texts << box->text();
                if (onBox)
                    onBox();
                box->done(QMessageBox::Ok);
                m_answering = false;
            }
        });
        m_timer.start();
    }

    QStringList texts;
    std::function<void()> onBox;

  private:
    QTimer m_timer;
    bool m_answering = false;
};

class DownloadDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { qunsetenv("TALVEX_PORTS"); }
    void TearDown() override { qunsetenv("TALVEX_PORTS"); }

    // A robot as the only port, opened through the dialog's own button.
    void ConnectRobot(const QStringList& options)
    {
        std::string error;
        ASSERT_TRUE(m_robot.Start(options, &error)) << error;
        qputenv("TALVEX_PORTS", m_robot.Device().toLocal8Bit());
        m_dialog.show();
        EXPECT_EQ(m_dialog.LabelDevice->text().toStdString(), m_robot.Device().toStdString());
        m_dialog.Link().Port().SetTimeLimits(2000ms, 5000ms);
        QTest::mouseClick(m_dialog.Button1, Qt::LeftButton);
        ASSERT_TRUE(m_dialog.Link().Port().IsOpen());
    }

    RobotProcess m_robot;
    TFormDownload m_dialog;
};

TEST_F(DownloadDialogTest, StartsWithItsCaptionsAndStates)
{
    EXPECT_EQ(m_dialog.windowTitle(), U(u8"TALVEX下载"));
    EXPECT_EQ(m_dialog.font().pixelSize(), 16);
    EXPECT_EQ(m_dialog.Button1->text(), U(u8"打开串口"));
    EXPECT_TRUE(m_dialog.Button1->isEnabled());
    EXPECT_EQ(m_dialog.Button2->text(), U(u8"关闭串口"));
    EXPECT_FALSE(m_dialog.Button2->isEnabled());
    EXPECT_EQ(m_dialog.Label1->text(), "COM:");
    ASSERT_EQ(m_dialog.ComboBox1->count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(m_dialog.ComboBox1->itemText(i), QString::number(i + 1));
    EXPECT_EQ(m_dialog.ComboBox1->currentText(), "1");
    EXPECT_FALSE(m_dialog.Memo2->isReadOnly());
    EXPECT_EQ(m_dialog.Memo2->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(m_dialog.Memo2->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(m_dialog.Memo2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(m_dialog.Button6->text(), U(u8"下载"));
    EXPECT_TRUE(m_dialog.Button6->isEnabled());
    EXPECT_EQ(m_dialog.Button5->text(), U(u8"退出下载"));
    EXPECT_FALSE(m_dialog.Link().Port().IsOpen());
}

TEST_F(DownloadDialogTest, ExitButtonClosesWithResultOne)
{
    m_dialog.show();
    QTest::mouseClick(m_dialog.Button5, Qt::LeftButton);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), 1);
}

TEST_F(DownloadDialogTest, PortButtonsSwapAndFailuresKeepThem)
{
    RobotProcess robot;
    std::string error;
    ASSERT_TRUE(robot.Start({}, &error)) << error;
    const QString missing = "/nonexistent/ttyTALVEX";
    qputenv("TALVEX_PORTS", (robot.Device() + "," + missing).toLocal8Bit());
    m_dialog.show();
    MessageBoxAnswerer boxes;

    m_dialog.ComboBox1->setCurrentIndex(7); // "8": no such port here
    EXPECT_EQ(m_dialog.LabelDevice->text(), U(u8"(无此串口)"));
    QTest::mouseClick(m_dialog.Button1, Qt::LeftButton);
    m_dialog.ComboBox1->setCurrentIndex(1); // a device that cannot be opened
    EXPECT_EQ(m_dialog.LabelDevice->text(), missing);
    QTest::mouseClick(m_dialog.Button1, Qt::LeftButton);
    ASSERT_EQ(boxes.texts.size(), 2);
    EXPECT_TRUE(boxes.texts.at(0).contains("8"));
    // A Chinese sentence naming the device, then the system's own words.
    EXPECT_TRUE(boxes.texts.at(1).startsWith(U(u8"无法打开串口") + missing)) << boxes.texts.at(1).toStdString();
    EXPECT_GT(boxes.texts.at(1).size(), (U(u8"无法打开串口") + missing + U(u8"。")).size());
    EXPECT_TRUE(m_dialog.Button1->isEnabled());
    EXPECT_FALSE(m_dialog.Button2->isEnabled());

    m_dialog.ComboBox1->setCurrentIndex(0);
    QTest::mouseClick(m_dialog.Button1, Qt::LeftButton);
    EXPECT_TRUE(m_dialog.Link().Port().IsOpen());
    EXPECT_EQ(m_dialog.Link().Port().DeviceName().toStdString(), robot.Device().toStdString());
    EXPECT_FALSE(m_dialog.Button1->isEnabled());
    EXPECT_TRUE(m_dialog.Button2->isEnabled());

    QTest::mouseClick(m_dialog.Button2, Qt::LeftButton);
    EXPECT_FALSE(m_dialog.Link().Port().IsOpen());
    EXPECT_TRUE(m_dialog.Button1->isEnabled());
    EXPECT_FALSE(m_dialog.Button2->isEnabled());
    EXPECT_EQ(boxes.texts.size(), 2);
}

TEST_F(DownloadDialogTest, DownloadWithoutOpenPortSaysSo)
{
    MessageBoxAnswerer boxes;
    m_dialog.show();
    m_dialog.SetSourceText("start\nend\n");
    QTest::mouseClick(m_dialog.Button6, Qt::LeftButton);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts.at(0), U(u8"串口未打开，请先打开串口"));
    EXPECT_TRUE(m_dialog.Button6->isEnabled());
    EXPECT_FALSE(m_dialog.Link().IsTransferRunning());

    // An empty text does nothing at all, not even that message.
    m_dialog.SetSourceText(QString());
    QTest::mouseClick(m_dialog.Button6, Qt::LeftButton);
    EXPECT_EQ(boxes.texts.size(), 1);
}

TEST_F(DownloadDialogTest, StaysResponsiveAndKeepsDownloadDisabledUntilDone)
{
    ConnectRobot({});
    // About 1.9 kB: 30 data packets, a second and a half of pauses alone.
    QString text = "qzrobot\nstart\n";
    for (int i = 0; i < 200; ++i)
        text += QString("fd(%1); /* step */\n").arg(i);
    text += "end";
    m_dialog.SetSourceText(text);

    MessageBoxAnswerer boxes;
    bool downloadEnabledAtMessage = true;
    boxes.onBox = [&] { downloadEnabledAtMessage = m_dialog.Button6->isEnabled(); };
    int ticks = 0;
    bool alwaysDisabled = true;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        if (boxes.texts.isEmpty() && m_dialog.Button6->isEnabled())
            alwaysDisabled = false;
    });
    ticker.start(10);

    QTest::mouseClick(m_dialog.Button6, Qt::LeftButton);
    EXPECT_FALSE(m_dialog.Button6->isEnabled());
    // The user can keep typing while the worker sends.
    ASSERT_TRUE(ProcessEventsUntil([&] { return m_dialog.ProgressBar1->value() >= 3; }, 10000));
    const int ticksMidTransfer = ticks;
    QTest::keyClicks(m_dialog.Memo2, "typed");
    EXPECT_TRUE(m_dialog.Memo2->toPlainText().contains("typed"));
    EXPECT_TRUE(m_dialog.Link().IsTransferRunning());

    ASSERT_TRUE(ProcessEventsUntil([&] { return !boxes.texts.isEmpty(); }, 20000));
    std::string expected = "qzrobot\r\nstart\r\n";
    for (int i = 0; i < 200; ++i)
        expected += "fd(" + std::to_string(i) + ");\r\n";
    expected += "end\r\n";
    EXPECT_EQ(boxes.texts.at(0), FromGbk(std::to_string(expected.size()) + Gbk(u8"字节数据发送成功")));
    EXPECT_FALSE(downloadEnabledAtMessage);
    EXPECT_TRUE(alwaysDisabled);
    EXPECT_GT(ticksMidTransfer, 0); // the event loop kept running throughout
    EXPECT_GT(ticks, ticksMidTransfer);
    EXPECT_TRUE(m_dialog.Button6->isEnabled());
    const int packets = static_cast<int>((expected.size() + 63) / 64);
    EXPECT_EQ(packets, 30);
    EXPECT_EQ(m_dialog.ProgressBar1->value(), packets);
    EXPECT_EQ(m_dialog.ProgressBar1->maximum(), packets);
    QTest::mouseClick(m_dialog.Button2, Qt::LeftButton);
    ASSERT_TRUE(m_robot.WaitForExit());
    EXPECT_EQ(m_robot.Out(), expected);
}

// The code view's text reaches the robot byte for byte, bytes that are no GBK
// character included.
TEST_F(DownloadDialogTest, SendsEveryByteOfTheCodeView)
{
    ConnectRobot({});
    std::string expected;
    for (int b = 0x80; b <= 0xFF; ++b)
        expected += "x" + std::string(1, static_cast<char>(b)) + ";\r\n";
    expected += Gbk(u8"play(\"你好\");") + "\xFE\r\n";
    QPlainTextEdit codeView;
    codeView.setPlainText(GeneratedTextToView(expected));
    m_dialog.SetSourceText(codeView.toPlainText());

    MessageBoxAnswerer boxes;
    QTest::mouseClick(m_dialog.Button6, Qt::LeftButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !boxes.texts.isEmpty(); }, 20000));
    EXPECT_TRUE(boxes.texts.at(0).endsWith(U(u8"字节数据发送成功")));
    QTest::mouseClick(m_dialog.Button2, Qt::LeftButton);
    ASSERT_TRUE(m_robot.WaitForExit());
    EXPECT_EQ(m_robot.Out(), expected);
}

TEST_F(DownloadDialogTest, LineLostMidTransferReportsFailureAndFreesButtons)
{
    ConnectRobot({"--close-after", "4"});
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QString("bk(%1);\n").arg(i);
    m_dialog.SetSourceText(text);
    // Limits no transfer here reaches: only the closed line can end it.
    m_dialog.Link().Port().SetTimeLimits(10min, 10min);
    MessageBoxAnswerer boxes;
    QTest::mouseClick(m_dialog.Button6, Qt::LeftButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !boxes.texts.isEmpty(); }, 60000));
    EXPECT_TRUE(boxes.texts.at(0).endsWith(U(u8"字节数据发送失败")));
    EXPECT_TRUE(m_dialog.Button6->isEnabled());
    ASSERT_TRUE(ProcessEventsUntil([&] { return m_dialog.Button1->isEnabled(); }, 2000));
    EXPECT_FALSE(m_dialog.Button2->isEnabled());
}

TEST_F(DownloadDialogTest, OpenPortKeepsItsDeviceShownAndTheListLocked)
{
    ConnectRobot({});
    EXPECT_FALSE(m_dialog.ComboBox1->isEnabled());
    // Even a list moved by other means names the device in use.
    m_dialog.ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(m_dialog.LabelDevice->text(), m_robot.Device());
    m_dialog.hide();
    m_dialog.show();
    EXPECT_EQ(m_dialog.LabelDevice->text(), m_robot.Device());
    QTest::mouseClick(m_dialog.Button2, Qt::LeftButton);
    EXPECT_TRUE(m_dialog.ComboBox1->isEnabled());
    EXPECT_EQ(m_dialog.LabelDevice->text(), U(u8"(无此串口)"));
}

TEST_F(DownloadDialogTest, APortThatGoesAwaySaysSo)
{
    ConnectRobot({"--close-after", "2"});
    EXPECT_TRUE(m_dialog.LabelMessage->text().isEmpty());
    m_dialog.SetSourceText(QStringLiteral("fd(1);\n"));
    MessageBoxAnswerer boxes;
    QTest::mouseClick(m_dialog.Button6, Qt::LeftButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return m_dialog.Button1->isEnabled(); }, 10000));
    const QString message = m_dialog.LabelMessage->text();
    EXPECT_TRUE(message.contains(m_robot.Device())) << message.toStdString();
    EXPECT_TRUE(message.contains(U(u8"已断开"))) << message.toStdString();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !boxes.texts.isEmpty(); }, 10000));
}

TEST_F(DownloadDialogTest, ProgressWaitsForTheGrantThenCountsAndStartsEmptyNextTime)
{
    EXPECT_FALSE(m_dialog.ProgressBar1->isTextVisible());
    EXPECT_EQ(m_dialog.ProgressBar1->value(), 0);
    ConnectRobot({"--silent-after", "1"}); // no grant: the transfer waits, then fails
    m_dialog.SetSourceText(QStringLiteral("fd(1);\n"));
    MessageBoxAnswerer boxes;
    QTest::mouseClick(m_dialog.Button6, Qt::LeftButton);
    EXPECT_TRUE(m_dialog.ProgressBar1->isTextVisible());
    EXPECT_EQ(m_dialog.ProgressBar1->text(), U(u8"等待机器人应答"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !boxes.texts.isEmpty(); }, 20000));
    EXPECT_EQ(m_dialog.ProgressBar1->text(), U(u8"等待机器人应答"));

    // Reopened, the dialog shows nothing of the last transfer.
    m_dialog.hide();
    m_dialog.show();
    EXPECT_FALSE(m_dialog.ProgressBar1->isTextVisible());
    EXPECT_EQ(m_dialog.ProgressBar1->value(), 0);
}

TEST_F(DownloadDialogTest, CentredOnTheScreenWithTheMakersLogo)
{
    QWidget owner;
    owner.setGeometry(10, 10, 200, 100);
    owner.show();
    TFormDownload dialog(&owner);
    dialog.show();
    QCoreApplication::processEvents();
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - screenCentre).manhattanLength(), 24);
    EXPECT_EQ(dialog.LabelLogo->text(), QStringLiteral("VORNACO"));
    EXPECT_TRUE(dialog.LabelLogo->isVisible());
}

TEST(DownloadDialogLifetime, DestroyedMidTransferStopsTheWorker)
{
    RobotProcess robot;
    std::string error;
    ASSERT_TRUE(robot.Start({"--silent-after", "2"}, &error)) << error;
    auto dialog = std::make_unique<TFormDownload>();
    const Status opened = dialog->Link().Port().OpenDevice(robot.Device());
    ASSERT_TRUE(opened) << opened.Message();
    // The robot falls silent and the limits are beyond any wait here: the
    // worker only ends because the dialog stops it.
    dialog->Link().Port().SetTimeLimits(10min, 10min);
    dialog->SetSourceText(QString(500, 'x'));
    QTest::mouseClick(dialog->Button6, Qt::LeftButton);
    ASSERT_TRUE(dialog->Link().IsTransferRunning());
    QTest::qWait(200);
    dialog.reset();
}

} // namespace
