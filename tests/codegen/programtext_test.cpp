#include "codegen/programtext.h"

#include "model/gbk.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(ProgramTextTest, EveryLineEndsWithCrLf)
{
    EXPECT_EQ(JoinProgramLines({"qzrobot", "start", "end"}), "qzrobot\r\nstart\r\nend\r\n");
    EXPECT_EQ(JoinProgramLines({}), "");
    EXPECT_EQ(JoinProgramLines({""}), "\r\n");
}

TEST(ProgramTextTest, ViewBreaksLinesAtCrLfCrAndLf)
{
    EXPECT_EQ(ProgramTextToView("a\r\nb\rc\nd"), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(ProgramTextToView("a\r\r\nb\n\r"), QStringLiteral("a\n\nb\n\n"));
    EXPECT_EQ(ProgramTextToView(Gbk(u8"表达式\r\n")), QString::fromUtf8(u8"表达式\n"));
}

TEST(ProgramTextTest, FileBytesAreGbkWithCrLf)
{
    EXPECT_EQ(ViewTextToFileBytes(QString::fromUtf8(u8"play(\"语音\");\nend\n")),
              Gbk(u8"play(\"语音\");") + "\r\nend\r\n");
    EXPECT_EQ(ViewTextToFileBytes(QStringLiteral("typed")), "typed");
}

TEST(ProgramTextTest, GeneratedTextSurvivesTheView)
{
    const std::vector<std::string> lines = {"qzrobot", "start", "play(\"" + Gbk(u8"你好") + "\");", "end"};
    const std::string bytes = JoinProgramLines(lines);
    EXPECT_EQ(ViewTextToFileBytes(ProgramTextToView(bytes)), bytes);
}

TEST(ProgramTextTest, GeneratedTextKeepsEveryByteOfItsValues)
{
    for (int b = 0; b <= 0xFF; ++b) {
        const std::string value = "a" + std::string(1, static_cast<char>(b)) + "b";
        const std::string bytes = JoinProgramLines({"qzrobot", "start", value + ";", "end"});
        const QString view = GeneratedTextToView(bytes);
        EXPECT_EQ(view.count(QLatin1Char('\n')), 4) << b;
        EXPECT_EQ(ViewTextToFileBytes(view), bytes) << b;
    }
    // A lone CR used to come out as CR LF.
    EXPECT_EQ(ViewTextToFileBytes(GeneratedTextToView("a\rb\r\n")), "a\rb\r\n");
    EXPECT_EQ(GeneratedTextToView("a\rb\nc\r\n"),
              QLatin1Char('a') + RawByteChar('\r') + QLatin1Char('b') + RawByteChar('\n') + QStringLiteral("c\n"));
}

} // namespace
} // namespace talvex
