#include "model/gbk.h"
#include "robotprocess.h"
#include "spawnedprocess.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using talvex::testing::RobotProcess;

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ToolRun Talvexc(const QStringList& arguments)
{
    QTemporaryDir dir;
    talvex::testing::SpawnedProcess process;
    ToolRun run;
    if (!process.Start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvexc"), arguments, dir.filePath("out"),
                       dir.filePath("err")))
        return run;
    run.exitCode = process.Wait(30000);
    run.out = ReadAll(dir.filePath("out"));
    run.err = ReadAll(dir.filePath("err"));
    return run;
}

class TalvexcSend : public ::testing::Test {
  protected:
    QString WriteProgram(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath("program.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(TalvexcSend, SendsTheCleanedTextAndReportsInUtf8)
{
    RobotProcess robot;
    std::string error;
    ASSERT_TRUE(robot.Start({}, &error)) << error;
    const QString path = WriteProgram("qzrobot\r\nstart\rfd(20); /* \xC7\xB0 */\nend");
    const ToolRun run = Talvexc({"send", "--port", robot.Device(), path});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), std::string("30") + u8"字节数据发送成功" + "\n");
    EXPECT_TRUE(run.err.contains("1/1"));
    ASSERT_TRUE(robot.WaitForExit());
    EXPECT_EQ(robot.Out(), "qzrobot\r\nstart\r\nfd(20);\r\nend\r\n");
}

TEST_F(TalvexcSend, RefusedGrantReportsFailure)
{
    RobotProcess robot;
    std::string error;
    ASSERT_TRUE(robot.Start({"--refuse-grant"}, &error)) << error;
    const ToolRun run = Talvexc({"send", "--port", robot.Device(), WriteProgram("start\nend\n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.toStdString(), std::string("12") + u8"字节数据发送失败" + "\n");
}

TEST_F(TalvexcSend, PortThatCannotBeOpenedFails)
{
    const ToolRun run = Talvexc({"send", "--port", m_dir.filePath("no-such-tty"), WriteProgram("start\n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("no-such-tty"));
}

} // namespace
