#include "codegen/generator.h"

#include "model/canvas.h"
#include "model/catalog.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "nodetext.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::NodeText;
using testing::Params;
using Lines = std::vector<std::string>;

class BlockLinesTest : public ::testing::Test {
  protected:
    // Lines of one block of the given kind code and stored node text.
    Lines LinesOf(int32_t code, const std::string& nodeText, Status* error = nullptr)
    {
        FcObject* object = m_canvas.AddShape(0, 0, 90, 32, skRectangle);
        object->TypeCode = code;
        object->CtrlNodeText = nodeText;
        Lines lines = {"left over from an earlier block"};
        Status status = GenerateBlockLines(*object, lines);
        if (error)
            *error = status;
        else
            EXPECT_TRUE(status) << status.Message();
        return lines;
    }

    Lines LinesOf(int32_t code, const Params& params) { return LinesOf(code, NodeText(code - kBlockKindBase, params)); }

    CanvasModel m_canvas;
};

struct KindCase {
    const char* what;
    int32_t code;
    Params params;
    Lines lines;
};

const KindCase kKindCases[] = {
    {"drive forward", bkZhiXing, {{"mode", "0"}, {"wait", "5"}}, {"fdx();"}},
    {"drive backward", bkZhiXing, {{"mode", "1"}, {"wait", "5"}}, {"bkx();"}},
    {"drive forward for a time", bkZhiXing, {{"mode", "2"}, {"wait", "20"}}, {"fd(20);"}},
    {"drive backward for a time", bkZhiXing, {{"mode", "3"}, {"wait", "7"}}, {"bk(7);"}},
    {"drive copies the wait text", bkZhiXing, {{"mode", "2"}, {"wait", "0020"}}, {"fd(0020);"}},
    {"drive without wait", bkZhiXing, {{"mode", "2"}}, {"fd();"}},
    {"drive mode out of range", bkZhiXing, {{"mode", "7"}, {"wait", "5"}}, {";"}},
    {"drive without mode", bkZhiXing, {}, {";"}},
    {"turn left", bkZhuanXiang, {{"mode", "0"}}, {"ltx();"}},
    {"turn right", bkZhuanXiang, {{"mode", "1"}}, {"rtx();"}},
    {"turn left for a time", bkZhuanXiang, {{"mode", "2"}, {"wait", "30"}}, {"lt(30);"}},
    {"turn right for a time", bkZhuanXiang, {{"mode", "3"}, {"wait", "+4"}}, {"rt(+4);"}},
    {"turn mode out of range", bkZhuanXiang, {{"mode", "-2"}}, {";"}},
    {"start motors", bkQiDongDJ, {{"motorL", "-255"}, {"motorR", "255"}}, {"motor(-255,255);"}},
    {"start motors without speeds", bkQiDongDJ, {}, {"motor(-1,-1);"}},
    {"stop drive", bkTingZhiDJ, {{"mode", "0"}}, {"stx();"}},
    {"stop motors", bkTingZhiDJ, {{"mode", "1"}}, {"motor(0,0);"}},
    {"stop mode out of range", bkTingZhiDJ, {{"mode", "2"}}, {";"}},
    {"delay parses its wait", bkYanShi, {{"wait", "0020"}}, {"wait(20);"}},
    {"delay without wait", bkYanShi, {}, {"wait(-1);"}},
    {"melody without key", bkFaYin, {{"key", "3"}, {"keycmd", "0"}, {"content", "1a2b"}}, {"play(\"1a2b\");"}},
    {"melody with key", bkFaYin, {{"key", "3"}, {"keycmd", "-1"}, {"content", "1a"}}, {"key(3);", "play(\"1a\");"}},
    {"melody, keycmd missing", bkFaYin, {{"key", "2"}, {"content", "x"}}, {"key(2);", "play(\"x\");"}},
    {"melody, empty content", bkFaYin, {{"key", "0"}, {"keycmd", "0"}, {"content", ""}}, {"play(\"\");"}},
    {"counted loop", bkLoopBegin, {{"times", "10"}}, {"loop(10)", "{"}},
    {"counted loop, decoded", bkLoopBegin, {{"times", "a&lt;b"}}, {"loop(a<b)", "{"}},
    {"counted loop tail", bkLoopEnd, {}, {"}"}},
    {"endless loop", bkLimLoopBegin, {}, {"lim_loop", "{"}},
    {"endless loop tail", bkLimLoopEnd, {}, {"}"}},
    {"leds", bkLED, {{"led", "5"}}, {"led(5);"}},
    {"io direction", bkPORTDDR, {{"ddr", "3"}, {"data", "255"}}, {"ddrd(255);"}},
    {"io direction, missing", bkPORTDDR, {}, {"ddr`(-1);"}},
    {"io input", bkPORTIN, {{"var", "0"}, {"port", "3"}}, {"a=pind();"}},
    {"io input, z", bkPORTIN, {{"var", "25"}, {"port", "1"}}, {"z=pinb();"}},
    {"io input past z", bkPORTIN, {{"var", "26"}, {"port", "200"}}, {"{=pin)();"}},
    {"io input, missing", bkPORTIN, {}, {"`=pin`();"}},
    {"io output", bkPORTOUT, {{"port", "2"}, {"data", "15"}}, {"portc(15);"}},
    {"servos",
     bkServo,
     {{"data1", "0"}, {"data2", "4"}, {"data3", "9"}, {"data4", "13"}, {"data5", "18"}, {"speed", "5"}},
     {"servoe(0,4,9,13,18,5);"}},
    {"servos, one missing",
     bkServo,
     {{"data1", "9"}, {"data2", "9"}, {"data3", "9"}, {"data5", "9"}, {"speed", "1"}},
     {"servoe(9,9,9,-1,9,1);"}},
    {"expression", bkBiaoDaShi, {{"command", "a=a+1"}}, {"a=a+1;"}},
    {"expression, decoded", bkBiaoDaShi, {{"command", "b=a&gt;2"}}, {"b=a>2;"}},
    {"expression, empty", bkBiaoDaShi, {{"command", ""}}, {";"}},
    {"expression, missing", bkBiaoDaShi, {}, {";"}},
    {"switch pc0", bkDIN, {{"var", "1"}, {"index", "0"}}, {"b=pc0();"}},
    {"switch pc4", bkDIN, {{"var", "1"}, {"index", "4"}}, {"b=pc4();"}},
    {"switch mic", bkDIN, {{"var", "0"}, {"index", "5"}}, {"a=mic();"}},
    {"switch pcx", bkDIN, {{"var", "0"}, {"index", "6"}}, {"a=pcx();"}},
    {"switch past the list", bkDIN, {{"var", "0"}, {"index", "9"}}, {"a=pcx();"}},
    {"switch negative", bkDIN, {{"var", "0"}, {"index", "-3"}}, {"a=pcx();"}},
    {"switch missing", bkDIN, {}, {"`=pcx();"}},
    {"analogue", bkAIN, {{"var", "2"}, {"index", "7"}}, {"c=adc7();"}},
    {"analogue, missing index", bkAIN, {{"var", "2"}}, {"c=adc-1();"}},
    {"while", bkWhileBegin, {{"condition", "a&lt;5"}}, {"while(a<5)", "{"}},
    {"while tail", bkWhileEnd, {}, {"}"}},
    {"if", bkIfBegin, {{"condition", "x&amp;&amp;y"}}, {"if(x&&y)", "{"}},
    {"if, empty", bkIfBegin, {}, {"if()", "{"}},
    {"else if", bkIfElseIf, {{"condition", "a==1"}}, {"}", "else if(a==1)", "{"}},
    {"else", bkIfElse, {}, {"}", "else", "{"}},
    {"end if", bkIfEnd, {}, {"}"}},
    {"voice", bkVOICEX, {{"index", "3"}}, {"voicex(3);"}},
    {"voice, missing", bkVOICEX, {}, {"voicex(-1);"}},
    {"infrared", bkHongWai, {{"x", "1"}}, {}},
    {"light", bkGuangGan, {}, {}},
    {"conditional jump", bkGOTOIF, {{"condition", "a&lt;5"}, {"label", "L1"}}, {"/* IF a<5 THEN label: L1"}},
    {"conditional jump, missing", bkGOTOIF, {}, {"/* IF  THEN label: "}},
    {"subroutine start", bkSubBegin, {{"sub", "MOVE"}}, {"/* sub: MOVE"}},
    {"subroutine start, stored name", bkSubBegin, {{"sub", "a&lt;b&amp;c"}}, {"/* sub: a<b&c"}},
    {"subroutine end", bkSubEnd, {}, {"/* RETURN"}},
    {"subroutine call", bkGOSUB, {{"sub", "MOVE"}}, {"/* GOSUB sub: MOVE"}},
    {"end program", bkJieShu, {}, {}},
};

TEST_F(BlockLinesTest, EveryKindAsTabled)
{
    for (const KindCase& c : kKindCases)
        EXPECT_EQ(LinesOf(c.code, c.params), c.lines) << c.what;
}

TEST_F(BlockLinesTest, EveryBlockKindIsCovered)
{
    for (const BlockInfo& info : BlockCatalog()) {
        bool found = false;
        for (const KindCase& c : kKindCases)
            found = found || c.code == info.code;
        EXPECT_TRUE(found) << info.member;
    }
}

TEST_F(BlockLinesTest, CodesOutsideTheCatalogYieldNothing)
{
    for (int32_t code : std::vector<int32_t>{0, bkStart, bkEnd, bkSpot, 576, 609, -1})
        EXPECT_TRUE(LinesOf(code, "not xml").empty()) << code;
}

TEST_F(BlockLinesTest, ReferencesAreDecoded)
{
    const struct {
        const char* stored;
        std::string shown;
    } cases[] = {
        {"&#xC4;&#xE3;", "\xC4\xE3"},
        {"&#xc4;&#xe3;", "\xC4\xE3"},
        {"&#196;&#227;", "\xC4\xE3"},
        {"a&b", "a&b"},
        {"a&lt", "a&lt"},
        {"&LT;&Gt;&quot;&apos;", "<>\"'"},
        {"&amp;lt;", "&lt;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinesOf(bkIfBegin, {{"condition", c.stored}}), (Lines{"if(" + c.shown + ")", "{"})) << c.stored;
}

TEST_F(BlockLinesTest, GbkBytesAreCopiedUnchanged)
{
    const std::string song = Gbk(u8"表达式");
    EXPECT_EQ(LinesOf(bkFaYin, {{"keycmd", "0"}, {"content", song}}), (Lines{"play(\"" + song + "\");"}));
    EXPECT_EQ(LinesOf(bkGOSUB, {{"sub", Gbk(u8"前进")}}), (Lines{"/* GOSUB sub: " + Gbk(u8"前进")}));
}

TEST_F(BlockLinesTest, CommentTextsStayOnOneLine)
{
    EXPECT_EQ(LinesOf(bkGOTOIF, {{"condition", "a&#x0A;b"}, {"label", "x&#13;y"}}),
              (Lines{"/* IF a b THEN label: x y"}));
}

TEST_F(BlockLinesTest, ParameterNamesMatchInAnyCase)
{
    EXPECT_EQ(LinesOf(bkZhiXing, {{"MODE", "3"}, {"Wait", "9"}}), (Lines{"bk(9);"}));
}

TEST_F(BlockLinesTest, UnreadableNodeGivesTheReadersMessage)
{
    Status error;
    const Lines lines = LinesOf(bkZhiXing, "<CtrlNode type=\"1\"><mode>2</mode>", &error);
    ASSERT_FALSE(error);
    EXPECT_FALSE(error.Message().empty());
    EXPECT_EQ(error.Message(), ParseCtrlNode("<CtrlNode type=\"1\"><mode>2</mode>").Message());
    EXPECT_TRUE(lines.empty());
}

TEST_F(BlockLinesTest, KindsWithoutParametersNeverParse)
{
    for (int32_t code : {bkLoopEnd, bkLimLoopBegin, bkIfElse, bkSubEnd, bkHongWai}) {
        Status error;
        LinesOf(code, "<broken", &error);
        EXPECT_TRUE(error) << code;
    }
}

TEST(VariableLetterTest, WrapsModulo256)
{
    EXPECT_EQ(VariableLetter(0), 'a');
    EXPECT_EQ(VariableLetter(3), 'd');
    EXPECT_EQ(VariableLetter(25), 'z');
    EXPECT_EQ(VariableLetter(-1), '`');
    EXPECT_EQ(VariableLetter(26), '{');
    EXPECT_EQ(static_cast<unsigned char>(VariableLetter(158)), 255);
    EXPECT_EQ(VariableLetter(159), '\0');
    EXPECT_EQ(VariableLetter(256), 'a');
    EXPECT_EQ(VariableLetter(-97), '\0');
    EXPECT_EQ(VariableLetter(2147483647), static_cast<char>((97LL + 2147483647LL) % 256));
}

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() { m_flowchart.BuildNewFlowchart(); }

    void Append(int32_t code, const Params& params)
    {
        m_flowchart.AppendBlock(code - kBlockKindBase);
        m_flowchart.LastAppendedObject->CtrlNodeText = NodeText(code - kBlockKindBase, params);
    }

    struct Program {
        Status status;
        Lines lines;
    };
    Program Generate()
    {
        Program program;
        program.status = GenerateProgram(m_flowchart, program.lines);
        return program;
    }

    CanvasModel m_canvas;
    FlowList m_flowchart{m_canvas};
};

TEST_F(ProgramTest, EmptyFlowchart)
{
    const Program program = Generate();
    EXPECT_TRUE(program.status);
    EXPECT_EQ(program.lines, (Lines{"qzrobot", "start", "end"}));
}

TEST_F(ProgramTest, WorkedExample)
{
    Append(bkZhiXing, {{"mode", "2"}, {"wait", "20"}});
    Append(bkIfBegin, {{"condition", "a&lt;5"}});
    Append(bkBiaoDaShi, {{"command", "a=a+1"}});
    Append(bkIfEnd, {});
    const Program program = Generate();
    EXPECT_TRUE(program.status);
    EXPECT_EQ(program.lines, (Lines{"qzrobot", "start", "fd(20);", "if(a<5)", "{", "a=a+1;", "}", "end"}));
}

TEST_F(ProgramTest, IfChainClosesEachBranch)
{
    Append(bkIfBegin, {{"condition", "B1"}});
    Append(bkIfElseIf, {{"condition", "B2"}});
    Append(bkIfElse, {});
    Append(bkIfEnd, {});
    const Program program = Generate();
    const Lines blockLines(program.lines.begin() + 2, program.lines.end() - 1);
    EXPECT_EQ(blockLines, (Lines{"if(B1)", "{", "}", "else if(B2)", "{", "}", "else", "{", "}"}));
}

TEST_F(ProgramTest, BracesAreNeverBalanced)
{
    Append(bkLoopEnd, {});
    Append(bkLoopEnd, {});
    EXPECT_EQ(Generate().lines, (Lines{"qzrobot", "start", "}", "}", "end"}));
}

TEST_F(ProgramTest, SelectsOnTypeCodeNotOnTheNodesType)
{
    m_flowchart.AppendBlock(bkYanShi - kBlockKindBase);
    m_flowchart.LastAppendedObject->CtrlNodeText = NodeText(1, {{"mode", "1"}, {"wait", "8"}});
    EXPECT_EQ(Generate().lines, (Lines{"qzrobot", "start", "wait(8);", "end"}));
}

TEST_F(ProgramTest, StopsAtAnUnreadableBlock)
{
    Append(bkYanShi, {{"wait", "1"}});
    m_flowchart.AppendBlock(bkYanShi - kBlockKindBase);
    m_flowchart.LastAppendedObject->CtrlNodeText = "<CtrlNode type=\"5\"><wait>2</wat></CtrlNode>";
    Append(bkYanShi, {{"wait", "3"}});
    const Program program = Generate();
    ASSERT_FALSE(program.status);
    EXPECT_FALSE(program.status.Message().empty());
    EXPECT_EQ(program.lines, (Lines{"qzrobot", "start", "wait(1);"}));
}

TEST(GeneratorLineMap, EachLineNamesTheBlockThatEmittedIt)
{
    const std::string loop = NodeText(bkLoopBegin - kBlockKindBase, {{"times", "3"}});
    const std::string drive = NodeText(bkZhiXing - kBlockKindBase, {{"mode", "2"}, {"wait", "5"}});
    const std::string elseIf = NodeText(bkIfElseIf - kBlockKindBase, {{"condition", "a"}});
    const std::vector<BlockRecord> blocks = {
        {bkLoopBegin, loop}, {bkZhiXing, drive}, {bkIfElseIf, elseIf}, {bkHongWai, ""}, {bkIfEnd, ""},
    };
    Lines lines;
    std::vector<int32_t> blockOfLine = {99};
    ASSERT_TRUE(GenerateProgram(blocks, lines, &blockOfLine).Ok());
    ASSERT_EQ(blockOfLine.size(), lines.size());
    EXPECT_EQ(blockOfLine, (std::vector<int32_t>{-1, -1, 0, 0, 1, 2, 2, 2, 4, -1}));
}

} // namespace
} // namespace talvex
