#include "eventwait.h"
#include "link/downloadprep.h"
#include "link/packet.h"
#include "link/robotlink.h"
#include "model/gbk.h"
#include "robotprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

using namespace talvex;
using namespace std::chrono_literals;
using talvex::testing::RobotProcess;

namespace {

std::string Pattern(int size)
{
    std::string data;
    for (int i = 0; i < size; ++i)
        data.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    return data;
}

// What the robot must receive from the host for a granted transfer of data.
std::string LineToRobot(const std::string& data)
{
    std::string line =
        EncodePacket(CommandBlock()) + '\x5A' + EncodePacket(HeaderBlock(static_cast<int>(data.size()))) + '\x5A';
    for (size_t offset = 0; offset < data.size(); offset += kDataBytesPerPacket)
        line += EncodePacket(data.substr(offset, kDataBytesPerPacket));
    return line;
}

// Command packet, acknowledged first reply, header, acknowledged grant.
std::string Prefix(const std::string& data)
{
    return EncodePacket(CommandBlock()) + '\x5A' + EncodePacket(HeaderBlock(static_cast<int>(data.size()))) + '\x5A';
}

class RobotLinkTest : public ::testing::Test {
  protected:
    struct Outcome {
        bool finished = false;
        bool success = false;
        int byteCount = -1;
        std::chrono::milliseconds elapsed{0};
    };

    void StartRobot(const QStringList& options)
    {
        std::string error;
        ASSERT_TRUE(m_robot.Start(options, &error)) << error;
        m_link.Port().SetTimeLimits(2000ms, 5000ms);
        const Status opened = m_link.Port().OpenDevice(m_robot.Device());
        ASSERT_TRUE(opened) << opened.Message();
    }

    QString WriteFile(const std::string& data)
    {
        const QString path = m_dir.filePath("prepared");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(data.data(), static_cast<qsizetype>(data.size()));
        return path;
    }

    // Runs StartTransfer and the event loop until the transfer has finished.
    Outcome Transfer(const std::string& data)
    {
        Outcome outcome;
        const auto start = std::chrono::steady_clock::now();
        QEventLoop loop;
        QObject::connect(&m_link, &RobotLink::TransferFinished, &loop, [&](int byteCount, bool success) {
            outcome.finished = true;
            outcome.byteCount = byteCount;
            outcome.success = success;
            loop.quit();
        });
        const Result<RobotLink::Start> started = m_link.StartTransfer(WriteFile(data));
        EXPECT_TRUE(started && *started == RobotLink::Start::kStarted) << started.Message();
        if (!started || *started != RobotLink::Start::kStarted)
            return outcome;
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        outcome.elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        return outcome;
    }

    // Closes the port, which ends the robot, and returns what it received.
    std::string RobotReceived()
    {
        m_link.Port().ClosePort();
        EXPECT_TRUE(m_robot.WaitForExit());
        return m_robot.Log();
    }

    QTemporaryDir m_dir;
    RobotProcess m_robot;
    RobotLink m_link;
};

class GrantedTransfer : public RobotLinkTest, public ::testing::WithParamInterface<int> {};

TEST_P(GrantedTransfer, SendsCommandHeaderAndDataPacketsExactly)
{
    StartRobot({});
    const std::string data = Pattern(GetParam());
    const Outcome outcome = Transfer(data);
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(outcome.byteCount, GetParam());
    EXPECT_EQ(TransferResultText(outcome.byteCount, outcome.success),
              std::to_string(GetParam()) + Gbk(u8"字节数据发送成功"));
    EXPECT_EQ(RobotReceived(), LineToRobot(data));
    EXPECT_EQ(m_robot.Out(), data);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GrantedTransfer, ::testing::Values(0, 64, 65, 100, 129));

TEST_F(RobotLinkTest, CommandPacketIsTheFixedElevenBytes)
{
    StartRobot({});
    ASSERT_TRUE(Transfer("x").success);
    EXPECT_EQ(RobotReceived().substr(0, 11), std::string("\x07\x00\x54\x43\xE8\x03\x00\xFA\x7C\x02\x06", 11));
}

TEST_F(RobotLinkTest, EveryByteValuePassesUnchanged)
{
    std::string data;
    for (int i = 0; i < 512; ++i)
        data.push_back(static_cast<char>(255 - (i & 0xFF)));
    StartRobot({});
    ASSERT_TRUE(Transfer(data).success);
    EXPECT_EQ(m_robot.Out(), data);
}

TEST_F(RobotLinkTest, TenRejectionsThenAcceptanceGoOn)
{
    StartRobot({"--reject", "2:10:00"}); // the first data packet, rejected with 0x00
    const std::string data = Pattern(70);
    const Outcome outcome = Transfer(data);
    EXPECT_TRUE(outcome.success);
    std::string expected = Prefix(data);
    for (int i = 0; i < 11; ++i)
        expected += EncodePacket(data.substr(0, 64));
    expected += EncodePacket(data.substr(64));
    EXPECT_EQ(RobotReceived(), expected);
    EXPECT_EQ(m_robot.Out(), data);
}

TEST_F(RobotLinkTest, ElevenRejectionsFailAndSendNothingMore)
{
    StartRobot({"--reject", "0:11"});
    const Outcome outcome = Transfer(Pattern(10));
    ASSERT_TRUE(outcome.finished);
    EXPECT_FALSE(outcome.success);
    EXPECT_EQ(TransferResultText(outcome.byteCount, outcome.success), "10" + Gbk(u8"字节数据发送失败"));
    std::string expected;
    for (int i = 0; i < 11; ++i)
        expected += EncodePacket(CommandBlock());
    EXPECT_EQ(RobotReceived(), expected);
}

TEST_F(RobotLinkTest, ReplyWithBadSumIsAnsweredWithA5AndReadAgain)
{
    StartRobot({"--corrupt-reply", "0:1", "--corrupt-reply", "1:2"});
    const std::string data = Pattern(3);
    EXPECT_TRUE(Transfer(data).success);
    const std::string expected =
        EncodePacket(CommandBlock()) + "\xA5\x5A" + EncodePacket(HeaderBlock(3)) + "\xA5\xA5\x5A" + EncodePacket(data);
    EXPECT_EQ(RobotReceived(), expected);
}

TEST_F(RobotLinkTest, GrantThatIsNotAaAaEndsBeforeAnyData)
{
    struct Case {
        const char* name;
        QStringList options;
    };
    // A one-byte grant after a first reply of AA AA: a stale second byte must not count.
    const Case cases[] = {{"AA 55", {"--refuse-grant"}}, {"single AA", {"--short-grant", "--first-reply", "AAAA"}}};
    for (const Case& c : cases) {
        RobotProcess robot;
        std::string error;
        ASSERT_TRUE(robot.Start(c.options, &error)) << error;
        const Status opened = m_link.Port().OpenDevice(robot.Device());
        ASSERT_TRUE(opened) << opened.Message();
        const std::string data = Pattern(20);
        const Outcome outcome = Transfer(data);
        ASSERT_TRUE(outcome.finished) << c.name;
        EXPECT_FALSE(outcome.success) << c.name;
        m_link.Port().ClosePort();
        ASSERT_TRUE(robot.WaitForExit());
        EXPECT_EQ(robot.Log(), Prefix(data)) << c.name;
    }
}

TEST_F(RobotLinkTest, SilentRobotFailsWithinTheReceiveLimit)
{
    StartRobot({"--silent-after", "2"});
    m_link.Port().SetTimeLimits(2000ms, 300ms);
    const Outcome outcome = Transfer(Pattern(200));
    ASSERT_TRUE(outcome.finished);
    EXPECT_FALSE(outcome.success);
    // The shortened limit was waited out, and the default one was not.
    EXPECT_GE(outcome.elapsed, 300ms);
    EXPECT_LT(outcome.elapsed, SerialPortAdapter::kDefaultReceiveLimit);
    EXPECT_EQ(RobotReceived(), Prefix(Pattern(200)) + EncodePacket(Pattern(64)));
}

TEST_F(RobotLinkTest, LineClosedMidTransferFailsAtOnceAndClosesThePort)
{
    StartRobot({"--close-after", "3"});
    // Limits no transfer here reaches: only the closed line can end it.
    m_link.Port().SetTimeLimits(10min, 10min);
    int lost = 0;
    QObject::connect(&m_link.Port(), &SerialPortAdapter::PortLost, [&] { ++lost; });
    const Outcome outcome = Transfer(Pattern(300));
    ASSERT_TRUE(outcome.finished);
    EXPECT_FALSE(outcome.success);
    EXPECT_TRUE(ProcessEventsUntil([&] { return lost > 0; }, 2000));
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(m_link.Port().IsOpen());
}

TEST_F(RobotLinkTest, CommentOnlyProgramSendsZeroBytes)
{
    StartRobot({});
    Outcome outcome;
    QEventLoop loop;
    QObject::connect(&m_link, &RobotLink::TransferFinished, &loop, [&](int byteCount, bool success) {
        outcome = {true, success, byteCount, {}};
        loop.quit();
    });
    const Status prepared = RunDownloadPreparation({"/* nothing to run */", "  "}, [&](const QString& path) {
        const Result<RobotLink::Start> started = m_link.StartTransfer(path);
        EXPECT_TRUE(started && *started == RobotLink::Start::kStarted) << started.Message();
    });
    ASSERT_TRUE(prepared) << prepared.Message();
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(outcome.finished);
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(TransferResultText(outcome.byteCount, outcome.success), "0" + Gbk(u8"字节数据发送成功"));
    EXPECT_EQ(RobotReceived(), LineToRobot(""));
}

TEST_F(RobotLinkTest, RefusedStartsSendNothing)
{
    StartRobot({});
    const std::string tooBig(kMaxTransferBytes + 1, 'x');
    const Result<RobotLink::Start> large = m_link.StartTransfer(WriteFile(tooBig));
    ASSERT_FALSE(large);
    EXPECT_NE(large.Message().find("65535"), std::string::npos) << large.Message();

    const Result<RobotLink::Start> missing = m_link.StartTransfer(m_dir.filePath("no such file"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, RobotLink::Start::kNothing);

    m_link.Port().ClosePort();
    const Result<RobotLink::Start> closed = m_link.StartTransfer(WriteFile("abc"));
    ASSERT_FALSE(closed);
    EXPECT_EQ(closed.Message(), Gbk(u8"串口未打开，请先打开串口"));
    EXPECT_FALSE(m_link.IsTransferRunning());

    // The robot's first bytes are those of the next transfer.
    ASSERT_TRUE(m_link.Port().OpenDevice(m_robot.Device()));
    ASSERT_TRUE(Transfer("abc").success);
    EXPECT_EQ(RobotReceived(), LineToRobot("abc"));
}

TEST_F(RobotLinkTest, LargestAnnouncableProgramIsAccepted)
{
    StartRobot({"--silent-after", "1"});
    m_link.Port().SetTimeLimits(2000ms, 200ms);
    const Result<RobotLink::Start> started = m_link.StartTransfer(WriteFile(std::string(kMaxTransferBytes, 'x')));
    EXPECT_TRUE(started && *started == RobotLink::Start::kStarted) << started.Message();
    m_link.StopTransfer();
}

TEST_F(RobotLinkTest, StoppingMidTransferReturnsPromptly)
{
    // The robot falls silent mid-transfer and the limits are beyond any wait
    // here, so the worker only ends because it is stopped.
    StartRobot({"--silent-after", "5"});
    m_link.Port().SetTimeLimits(10min, 10min);
    const Result<RobotLink::Start> started = m_link.StartTransfer(WriteFile(Pattern(64 * 40)));
    ASSERT_TRUE(started && *started == RobotLink::Start::kStarted) << started.Message();
    int sent = 0;
    int finished = 0;
    QObject::connect(&m_link, &RobotLink::TransferProgress, [&](int packets, int) { sent = packets; });
    QObject::connect(&m_link, &RobotLink::TransferFinished, [&] { ++finished; });
    ASSERT_TRUE(ProcessEventsUntil([&] { return sent >= 1; }, 30000));
    m_link.StopTransfer();
    EXPECT_FALSE(m_link.IsTransferRunning());
    QCoreApplication::processEvents();
    EXPECT_EQ(finished, 0);
    EXPECT_FALSE(m_robot.HasOut() && m_robot.Out().size() == 64 * 40);
}

TEST_F(RobotLinkTest, ProgressCountsDataPackets)
{
    StartRobot({});
    std::vector<std::pair<int, int>> reports;
    QObject::connect(&m_link, &RobotLink::TransferProgress,
                     [&](int sent, int total) { reports.emplace_back(sent, total); });
    ASSERT_TRUE(Transfer(Pattern(130)).success);
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

} // namespace
