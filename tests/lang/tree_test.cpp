#include "lang/program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvex::lang {
namespace {

std::string Framed(const std::string& body)
{
    return "qzrobot\nstart\n" + body + "end\n";
}

// Evaluates a node the way the tree's users do: its subtree's nodes in order
// with a value stack.
int32_t Evaluate(const Program& program, ExprId root, const std::vector<int32_t>& variables)
{
    std::vector<int32_t> stack;
    for (ExprId i = program.exprs[root].first; i <= root; ++i) {
        const Expr& e = program.exprs[i];
        switch (e.kind) {
        case ExprKind::Number:
            stack.push_back(Wrap(e.value));
            break;
        case ExprKind::Variable:
            stack.push_back(variables[e.variable]);
            break;
        case ExprKind::Sensor:
            stack.push_back(0);
            break;
        case ExprKind::Unary:
            stack.back() = ApplyUnary(e.op, stack.back());
            break;
        case ExprKind::Binary: {
            const int32_t right = stack.back();
            stack.pop_back();
            stack.back() = ApplyBinary(e.op, stack.back(), right);
            break;
        }
        }
    }
    EXPECT_EQ(stack.size(), 1u);
    return stack.back();
}

TEST(ProgramTree, BlocksNestWithTheirLines)
{
    const Program p = ParseProgram(Framed("fd(20);\nloop(3)\n{\nif(a<5)\n{\na=a+1;\n}\nelse if(a==9)\n{\n}\nelse\n{\n"
                                          "stx();\n}\n}\nwait(5);\n"));
    ASSERT_TRUE(p.findings.empty());
    ASSERT_EQ(p.body.size(), 3u);
    const Statement& fd = p.statements[p.body[0]];
    EXPECT_EQ(fd.kind, StmtKind::Command);
    EXPECT_EQ(fd.command, Command::Fd);
    EXPECT_EQ(fd.line, 3);
    EXPECT_EQ(fd.text, "fd(20)");
    const Statement& loop = p.statements[p.body[1]];
    ASSERT_EQ(loop.kind, StmtKind::Loop);
    ASSERT_EQ(loop.branches.size(), 1u);
    EXPECT_EQ(loop.branches[0].exprText, "3");
    EXPECT_EQ(loop.branches[0].openLine, 5);
    EXPECT_EQ(loop.branches[0].closeLine, 17);
    ASSERT_EQ(loop.branches[0].body.size(), 1u);
    const Statement& ifs = p.statements[loop.branches[0].body[0]];
    ASSERT_EQ(ifs.kind, StmtKind::If);
    ASSERT_EQ(ifs.branches.size(), 3u);
    EXPECT_EQ(ifs.branches[0].headLine, 6);
    EXPECT_EQ(ifs.branches[1].headLine, 10);
    EXPECT_EQ(ifs.branches[1].exprText, "a==9");
    EXPECT_TRUE(ifs.branches[2].isElse);
    EXPECT_EQ(ifs.branches[2].expr, kNone);
    EXPECT_EQ(ifs.branches[2].closeLine, 16);
    const Statement& assign = p.statements[ifs.branches[0].body[0]];
    EXPECT_EQ(assign.kind, StmtKind::Assign);
    EXPECT_EQ(assign.variable, 0);
    EXPECT_EQ(p.statements[p.body[2]].command, Command::Wait);
}

TEST(ProgramTree, PortAndSensorUnits)
{
    const Program p = ParseProgram(Framed("portc(5);\nb=adc6();\n"));
    ASSERT_TRUE(p.findings.empty());
    EXPECT_EQ(p.statements[p.body[0]].command, Command::Port);
    EXPECT_EQ(p.statements[p.body[0]].unit, 2);
    const Statement& read = p.statements[p.body[1]];
    EXPECT_EQ(read.variable, 1);
    EXPECT_EQ(p.exprs[read.value].kind, ExprKind::Sensor);
    EXPECT_EQ(p.exprs[read.value].sensor, Sensor::Adc);
    EXPECT_EQ(p.exprs[read.value].unit, 6);
}

struct ExprCase {
    const char* text;
    int32_t value; // with a=7, b=-3
};

TEST(ProgramTree, ExpressionsFollowCPrecedenceIn16Bits)
{
    const ExprCase cases[] = {
        {"1+2*3", 7},       {"(1+2)*3", 9},      {"a-b-1", 9},          {"-a*2", -14}, {"!a+1", 1},
        {"~0", -1},         {"a/2", 3},          {"b/2", -1},           {"b%2", -1},   {"a/0", 0},
        {"a%0", 0},         {"1<<4|1", 17},      {"1<<16", 0},          {"b>>1", -2},  {"a>5&&b<0", 1},
        {"a<5||b>0", 0},    {"a==7==1", 1},      {"1+2<4", 1},          {"6&3^1", 3},  {"32767+1", -32768},
        {"-32768", -32768}, {"200*200", -25536}, {"-32768/-1", -32768}, {"a!=7", 0},   {"--a", 7},
    };
    for (const ExprCase& c : cases) {
        const Program p = ParseProgram(Framed("x=" + std::string(c.text) + ";\n"));
        std::vector<int32_t> vars(26, 0);
        vars[0] = 7;
        vars[1] = -3;
        ASSERT_EQ(p.body.size(), 1u) << c.text;
        EXPECT_EQ(Evaluate(p, p.statements[p.body[0]].value, vars), c.value) << c.text;
    }
}

TEST(ProgramTree, DeepNestingNeedsNoRecursion)
{
    constexpr int kDepth = 100000;
    std::string heads;
    for (int i = 0; i < kDepth; ++i)
        heads += "while(a)\n{\n";
    std::string body = heads;
    for (int i = 0; i < kDepth; ++i)
        body += "}\n";
    const Program nested = ParseProgram(Framed(body));
    EXPECT_TRUE(nested.findings.empty());
    EXPECT_EQ(nested.statements.size(), static_cast<size_t>(kDepth));

    const Program unclosed = ParseProgram(Framed(heads));
    EXPECT_EQ(unclosed.ErrorCount(), kDepth);

    const std::string parens = "a=" + std::string(kDepth, '(') + "1" + std::string(kDepth, ')') + ";\n";
    const Program deep = ParseProgram(Framed(parens));
    EXPECT_TRUE(deep.findings.empty());
    EXPECT_EQ(Evaluate(deep, deep.statements[deep.body[0]].value, std::vector<int32_t>(26)), 1);

    const Program minus = ParseProgram(Framed("a=" + std::string(kDepth, '-') + "1;\n"));
    EXPECT_TRUE(minus.findings.empty());
}

TEST(ProgramTree, HugeLineAndGarbageGiveFindings)
{
    std::string line = "a=1";
    while (line.size() < (1u << 20))
        line += "+1";
    const Program huge = ParseProgram(Framed(line + ";\n"));
    EXPECT_TRUE(huge.findings.empty());

    std::string garbage;
    for (int i = 0; i < 1 << 16; ++i)
        garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
    const Program bad = ParseProgram(garbage);
    EXPECT_GT(bad.ErrorCount(), 0);
    for (const Finding& f : bad.findings) {
        EXPECT_GE(f.line, 1);
        EXPECT_LE(f.line, std::max(bad.lineCount, 1));
        EXPECT_GE(f.column, 1);
    }
}

} // namespace
} // namespace talvex::lang
