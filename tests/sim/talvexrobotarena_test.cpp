#include "nodetext.h"
#include "spawnedprocess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace talvex {
namespace {

using testing::CrLfLines;
using testing::SpawnedProcess;

std::string ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The virtual robot with --arena runs what it receives through the download
// path; its trace is the one talvexc run gives for the same text.
TEST(TalvexRobotArenaTest, ADownloadedProgramRunsAsTalvexcRunRunsIt)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir dir;
    const QString program = dir.filePath("program.txt");
    {
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Drives, turns, plays, then runs into the north wall.
        file.write(QByteArray::fromStdString(
            CrLfLines({"qzrobot", "start", "led(6);", "fd(100);", "lt(50);", "play(\"8482\");", "fdx();", "wait(900);",
                       "a=pc2();", "led(a);", "end"})));
    }
    const QString trace = dir.filePath("trace.jsonl");
    SpawnedProcess robot;
    ASSERT_TRUE(robot.Start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvex-robot"),
                            {"--arena", "room", "--trace", trace, "--speed", "16"}, QString(),
                            dir.filePath("robot.err")));
    const QString device = robot.ReadLine(20000);
    ASSERT_FALSE(device.isEmpty()) << ReadFile(dir.filePath("robot.err"));

    SpawnedProcess send;
    ASSERT_TRUE(send.Start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvexc"), {"send", "--port", device, program},
                           dir.filePath("send.out"), dir.filePath("send.err")));
    ASSERT_EQ(send.Wait(60000), 0) << ReadFile(dir.filePath("send.err"));

    // Robot time runs at 16 times real time: about a second for this program.
    std::string robotTrace;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (robotTrace.find("\"event\":\"end\"") == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        robotTrace = ReadFile(trace);
    }
    ASSERT_NE(robotTrace.find("\"event\":\"end\""), std::string::npos) << robotTrace;
    EXPECT_NE(robotTrace.find("\"event\":\"bump\""), std::string::npos);
    EXPECT_NE(robotTrace.find("\"event\":\"play\""), std::string::npos);

    SpawnedProcess run;
    const QString out = dir.filePath("run.jsonl");
    ASSERT_TRUE(
        run.Start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvexc"), {"run", program}, out, dir.filePath("run.err")));
    ASSERT_EQ(run.Wait(60000), 0) << ReadFile(dir.filePath("run.err"));
    EXPECT_EQ(robotTrace, ReadFile(out));

    // The robot waits for the next download; the window stays until closed.
    EXPECT_EQ(robot.Wait(100), -1);
    robot.Kill();
}

} // namespace
} // namespace talvex
