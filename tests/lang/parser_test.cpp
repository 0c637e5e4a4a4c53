#include "lang/program.h"

#include "model/gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvex::lang {
namespace {

// The frame around body lines: body line k is program line k + 2.
std::string Framed(const std::vector<std::string>& body)
{
    std::string text = "qzrobot\r\nstart\r\n";
    for (const std::string& line : body)
        text += line + "\r\n";
    return text + "end\r\n";
}

struct Expected {
    int line;
    int column;
    Severity severity;
    const char* messagePart; // UTF-8, must occur in the message
};

struct Case {
    const char* name;
    std::string text;
    std::vector<Expected> findings;
};

constexpr Severity E = Severity::Error;
constexpr Severity W = Severity::Warning;

std::vector<Case> Cases()
{
    return {
        {"GeneratedShapes",
         Framed({"fd(20);",
                 "fdx();",
                 "bkx();",
                 "ltx();",
                 "rtx();",
                 "stx();",
                 "bk(0);",
                 "lt(32767);",
                 "rt(5);",
                 "motor(-255,255);",
                 "motor(0,0);",
                 "wait(0);",
                 "key(7);",
                 "play(\"8481F8\");",
                 "play(\"\");",
                 "led(7);",
                 "ddra(255);",
                 "ddrd(0);",
                 "portb(1);",
                 "a=pina();",
                 "z=pind();",
                 "servoe(0,9,18,0,9,5);",
                 "voicex(127);",
                 "a=pc0();",
                 "b=mic();",
                 "c=pcx();",
                 "d=adc7();",
                 ";",
                 "a=a+1;",
                 "/* sub: main",
                 "/* RETURN",
                 "loop(3)",
                 "{",
                 "}",
                 "lim_loop",
                 "{",
                 "}",
                 "while(a<5)",
                 "{",
                 "}",
                 "if(a>3 && b<2)",
                 "{",
                 "}",
                 "else if(!(a==1))",
                 "{",
                 "}",
                 "else",
                 "{",
                 "}"}),
         {}},
        {"EmptyText", "", {{1, 1, E, "空"}}},
        {"MissingHeader", "start\r\nend\r\n", {{1, 1, E, "qzrobot"}}},
        {"MissingStart", "qzrobot\r\nfd(1);\r\nend\r\n", {{2, 1, E, "start"}}},
        {"MissingEnd", "qzrobot\r\nstart\r\nfd(1);\r\n", {{3, 1, E, "end"}}},
        {"TextAfterEnd", "qzrobot\r\nstart\r\nend\r\nfd(1);\r\nfd(2);\r\n", {{4, 1, W, "end"}}},
        {"FrameWordInBody", Framed({"start"}), {{3, 1, E, "开头"}}},
        {"CommentsAndBlanksAnywhere", "/* title\r\n\r\nqzrobot  \r\n  start\r\n\tfd( 20 ) ; /* go\r\n\r\nend\r\n", {}},
        {"CommentCutsString", Framed({"play(\"81/*\");"}), {{3, 6, E, "字符串"}}},
        {"UnknownStatement", Framed({"jump(3);"}), {{3, 1, E, "未知的语句"}}},
        {"MissingSemicolon", Framed({"fd(20)"}), {{3, 7, E, "“;”"}}},
        {"WrongArgumentCount", Framed({"motor(1);"}), {{3, 6, E, "2个参数"}}},
        {"ArgumentsToNoArgCommand", Framed({"fdx(1);"}), {{3, 5, E, "不带参数"}}},
        {"EmptyArgument", Framed({"motor(1,);"}), {{3, 9, E, "空"}}},
        {"DurationOutOfRange", Framed({"wait(-1);"}), {{3, 6, E, "0～32767"}}},
        {"SpeedOutOfRange", Framed({"motor(0,300);"}), {{3, 9, E, "第2个参数"}}},
        {"ServoSpeedOutOfRange", Framed({"servoe(9,9,9,9,9,0);"}), {{3, 18, E, "1～5"}}},
        {"LedOutOfRange", Framed({"led(8);"}), {{3, 5, E, "0～7"}}},
        {"ConstantExpressionOutOfRange", Framed({"wait(200*200);"}), {{3, 6, E, "这里是-25536"}}},
        {"VariableArgumentIsNotRangeChecked", Framed({"wait(a*1000);"}), {}},
        {"LiteralTooLarge", Framed({"a=40000;"}), {{3, 3, E, "超出范围"}}},
        {"SmallestInteger", Framed({"a=-32768;", "b=32768;"}), {{4, 3, E, "超出范围"}}},
        {"LeadingZerosAreDecimal", Framed({"fd(0020);", "wait(032767);"}), {}},
        {"BadNotes",
         Framed({"play(\"8G\");", "play(\"819\");", "play(\"89\");"}),
         {{3, 7, E, "8G"}, {4, 9, E, "不完整"}, {5, 7, E, "89"}}},
        {"PlayNeedsString", Framed({"play(81);"}), {{3, 5, E, "双引号"}}},
        {"UnterminatedString", Framed({"play(\"81);"}), {{3, 6, E, "结尾"}}},
        {"StrayCharacter", Framed({"fd(2)@;"}), {{3, 6, E, "@"}}},
        {"GbkCharacterCountsAsOneColumn", Framed({"a=\xC4\xE3;"}), {{3, 3, E, "\xE4\xBD\xA0"}}},
        {"AssignmentInCondition", Framed({"if(a=1)", "{", "}"}), {{3, 5, E, "=="}}},
        {"SensorAlone", Framed({"pc0();"}), {{3, 1, E, "赋给变量"}}},
        {"CommandInExpression", Framed({"a=fd(1);"}), {{3, 3, E, "是语句"}}},
        {"UnknownName", Framed({"a=speed+1;"}), {{3, 3, E, "未知的名称"}}},
        {"UpperCaseVariable", Framed({"A=1;"}), {{3, 1, E, "未知的语句"}}},
        {"MissingOperator", Framed({"a=b c;"}), {{3, 5, E, "运算符"}}},
        {"IncompleteExpression", Framed({"a=b+;"}), {{3, 5, E, "不完整"}}},
        {"UnclosedParenthesis", Framed({"a=(b+1;"}), {{3, 3, E, "“)”"}}},
        {"ExtraParenthesis", Framed({"a=b+1);"}), {{3, 6, E, "多余"}}},
        {"SensorWithoutParentheses", Framed({"a=pc0+1;"}), {{3, 3, E, "()"}}},
        {"EmptyCondition", Framed({"while()", "{", "}"}), {{3, 7, E, "条件"}}},
        {"EmptyLoopCount", Framed({"loop()", "{", "}"}), {{3, 6, E, "循环次数"}}},
        {"NonNumericLoopCount", Framed({"loop(abc)", "{", "}"}), {{3, 6, E, "未知的名称"}}},
        {"LoopThatNeverRunsIsFine", Framed({"loop(0)", "{", "}", "loop(-5)", "{", "}"}), {}},
        {"DivisionByZero", Framed({"a=b/(1-1);"}), {{3, 4, W, "0"}}},
        {"BraceOnHeadLine", Framed({"if(a){", "}"}), {{3, 6, E, "单独"}, {3, 1, E, "{"}, {4, 1, E, "多余"}}},
        {"HeadWithoutBrace", Framed({"while(a)", "fd(1);"}), {{3, 1, E, "“{”"}}},
        {"StrayOpenBrace", Framed({"{", "fd(1);", "}"}), {{3, 1, E, "“{”之前"}}},
        {"UnclosedLoop", Framed({"loop(3)", "{", "fd(1);"}), {{3, 1, E, "loop"}}},
        {"UnclosedNested", Framed({"while(1)", "{", "if(a)", "{", "}"}), {{3, 1, E, "while"}}},
        {"StrayCloseBrace", Framed({"fd(1);", "}"}), {{4, 1, E, "多余的“}”"}}},
        {"ElseWithoutIf", Framed({"else", "{", "}"}), {{3, 1, E, "if"}}},
        {"ElseAfterLoop", Framed({"loop(2)", "{", "}", "else", "{", "}"}), {{6, 1, E, "if"}}},
        {"ElseIfAfterElse",
         Framed({"if(a)", "{", "}", "else", "{", "}", "else if(b)", "{", "}"}),
         {{9, 1, E, "“else”之后"}}},
        {"ElseNotDirectlyAfterBrace", Framed({"if(a)", "{", "}", "fd(1);", "else", "{", "}"}), {{7, 1, E, "if"}}},
        {"ElseWithTrailingText", Framed({"if(a)", "{", "}", "else fd(1);", "{", "}"}), {{6, 6, E, "else"}}},
        {"BraceNotAlone",
         Framed({"if(a)", "{", "} else", "{", "}"}),
         {{3, 1, E, "if"}, {5, 3, E, "单独"}, {6, 1, E, "“{”之前"}}},
        {"SeveralStatementsOnALine", Framed({"a=1;b=2; fd(a);"}), {}},
        {"KeywordInsideLine", Framed({"a=1; if(a)"}), {{3, 6, E, "单独的一行"}}},
    };
}

class FindingsTable : public ::testing::TestWithParam<Case> {};

TEST_P(FindingsTable, ReportsExactlyTheExpectedFindings)
{
    const Case& c = GetParam();
    const Program program = ParseProgram(c.text);
    std::string all;
    for (const Finding& f : program.findings)
        all += std::to_string(f.line) + ":" + std::to_string(f.column) + " " + FromGbk(f.message).toStdString() + "\n";
    ASSERT_EQ(program.findings.size(), c.findings.size()) << all;
    // Findings come sorted by line and column; the table lists them in that order.
    std::vector<Expected> expected = c.findings;
    std::stable_sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    for (size_t i = 0; i < expected.size(); ++i) {
        const Finding& f = program.findings[i];
        EXPECT_EQ(f.line, expected[i].line) << all;
        EXPECT_EQ(f.column, expected[i].column) << all;
        EXPECT_EQ(f.severity, expected[i].severity) << all;
        EXPECT_NE(f.message.find(Gbk(expected[i].messagePart)), std::string::npos) << all;
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, FindingsTable, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace talvex::lang
