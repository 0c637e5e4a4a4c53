#include "model/gbk.h"
#include "nodetext.h"
#include "project/filebytes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::CrLfLines;

struct CheckRun {
    int exitCode = -1;
    std::string out; // UTF-8
};

class TalvexcCheck : public ::testing::Test {
  protected:
    CheckRun Check(const QStringList& files)
    {
        QProcess process;
        process.start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvexc"), QStringList{"check"} + files);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput().toStdString()};
    }

    QString File(const char* name, const std::string& bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(WriteWholeFile(path, bytes).Ok());
        return path;
    }

    std::string Prefix(const QString& path, int line, int column)
    {
        return path.toStdString() + ":" + std::to_string(line) + ":" + std::to_string(column) + ": ";
    }

    QTemporaryDir m_dir;
};

std::string Project(const char* root, const std::vector<std::string>& records)
{
    std::vector<std::string> lines = {"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", std::string("<") + root + ">"};
    for (const std::string& record : records)
        lines.push_back("  <record>" + record + "</record>");
    lines.push_back(std::string("</") + root + ">");
    return CrLfLines(lines);
}

TEST_F(TalvexcCheck, CleanFilesExitZeroSilently)
{
    const QString text = File("ok.txt", CrLfLines({"qzrobot", "start", "fd(20);", "end"}));
    const QString project = File("ok.lcc", Project("TALVEX", {"<CtrlNode type=\"1\"><mode>2</mode><wait>20</wait>"
                                                              "</CtrlNode>"}));
    const CheckRun run = Check({text, project});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(TalvexcCheck, PrintsOneUtf8LinePerFindingAndFailsOnErrors)
{
    const QString good = File("good.txt", CrLfLines({"qzrobot", "start", "end"}));
    const QString bad = File("bad.txt", CrLfLines({"qzrobot", "start", "jump(3);", "a=b/0;", "end"}));
    const CheckRun run = Check({good, bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              Prefix(bad, 3, 1) + "错误: 未知的语句“jump”\n" + Prefix(bad, 4, 4) + "警告: 除数是0：结果按0计算\n");
}

TEST_F(TalvexcCheck, WarningsAloneExitZero)
{
    const QString file = File("w.txt", CrLfLines({"qzrobot", "start", "end", "fd(1);"}));
    const CheckRun run = Check({file});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, Prefix(file, 4, 1) + "警告: “end”之后的内容不会执行\n");
}

TEST_F(TalvexcCheck, ProjectsAreGeneratedFirst)
{
    // An if block without its end: line 4 of the generated text is its head.
    const QString file = File("open.lcc", Project("TALVEX", {"<CtrlNode type=\"3\"><motorL>1</motorL><motorR>2</motorR>"
                                                             "</CtrlNode>",
                                                             "<CtrlNode type=\"28\"><condition>a</condition>"
                                                             "</CtrlNode>"}));
    const CheckRun run = Check({file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, Prefix(file, 4, 1) + "错误: “if”缺少与它配对的“}”\n");
}

TEST_F(TalvexcCheck, ForeignProjectRootIsAWarning)
{
    const QString file = File("other.lcc", Project("SOMETHING", {}));
    const CheckRun run = Check({file});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, Prefix(file, 1, 1) + "警告: 这不是本编辑器的项目文件：根元素是“SOMETHING”，不是“TALVEX”\n");
}

TEST_F(TalvexcCheck, UnreadableFilesCountAsErrors)
{
    const QString missing = m_dir.filePath("missing.txt");
    const QString broken = File("broken.lcc", "<TALVEX><record>");
    const CheckRun run = Check({missing, broken});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find(Prefix(missing, 1, 1) + "错误: Cannot open file"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(Prefix(broken, 1, 1) + "错误: "), std::string::npos) << run.out;
}

TEST_F(TalvexcCheck, UsageErrorsExitTwo)
{
    EXPECT_EQ(Check({}).exitCode, 2);
    EXPECT_EQ(Check({"--all"}).exitCode, 2);
}

} // namespace
} // namespace talvex
