#include "codegen/generator.h"
#include "lang/program.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"
#include "nodetext.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace talvex::lang {
namespace {

using talvex::testing::NodeText;
using talvex::testing::Params;

struct Block {
    int32_t code;
    std::string node;
};

Block Make(int32_t code, const Params& params)
{
    return {code, NodeText(code - kBlockKindBase, params)};
}

std::string Escaped(const char* utf8)
{
    return EscapeValueText(Gbk(utf8));
}

// Every parameter set the kind's dialog can produce at the ends of its ranges
// (and, for free text, typical well-formed entries).
std::map<int32_t, std::vector<Block>> VariantsByKind()
{
    std::map<int32_t, std::vector<Block>> v;
    for (int32_t code : {bkZhiXing, bkZhuanXiang})
        for (int mode = 0; mode <= 3; ++mode)
            for (const char* wait : {"0", "32767"})
                v[code].push_back(Make(code, {{"mode", std::to_string(mode)}, {"wait", wait}}));
    for (const char* left : {"-255", "0", "255"})
        for (const char* right : {"-255", "0", "255"})
            v[bkQiDongDJ].push_back(Make(bkQiDongDJ, {{"motorL", left}, {"motorR", right}}));
    for (const char* mode : {"0", "1"})
        v[bkTingZhiDJ].push_back(Make(bkTingZhiDJ, {{"mode", mode}}));
    for (const char* wait : {"0", "32767"})
        v[bkYanShi].push_back(Make(bkYanShi, {{"wait", wait}}));
    for (int key = 0; key <= 7; key += 7)
        for (const char* keycmd : {"0", "-1"})
            for (const char* content : {"", "01", "18F8", "01122334455667788192A3B4C5D6E7F8"})
                v[bkFaYin].push_back(
                    Make(bkFaYin, {{"key", std::to_string(key)}, {"keycmd", keycmd}, {"content", content}}));
    for (int32_t code :
         {bkHongWai, bkGuangGan, bkLoopEnd, bkLimLoopBegin, bkLimLoopEnd, bkWhileEnd, bkIfElse, bkIfEnd, bkSubEnd})
        v[code].push_back(Make(code, {}));
    for (const char* times : {"0", "1", "32767", "a", "a*2+1"})
        v[bkLoopBegin].push_back(Make(bkLoopBegin, {{"times", Escaped(times)}}));
    v[bkGOTOIF].push_back(Make(bkGOTOIF, {{"condition", Escaped("a<5")}, {"label", Escaped("标签")}}));
    v[bkGOTOIF].push_back(Make(bkGOTOIF, {{"condition", ""}, {"label", ""}}));
    for (const char* led : {"0", "7"})
        v[bkLED].push_back(Make(bkLED, {{"led", led}}));
    for (int port = 0; port <= 3; ++port)
        for (const char* data : {"0", "255"}) {
            v[bkPORTDDR].push_back(Make(bkPORTDDR, {{"ddr", std::to_string(port)}, {"data", data}}));
            v[bkPORTOUT].push_back(Make(bkPORTOUT, {{"port", std::to_string(port)}, {"data", data}}));
        }
    for (const char* var : {"0", "25"}) {
        for (int port = 0; port <= 3; ++port)
            v[bkPORTIN].push_back(Make(bkPORTIN, {{"var", var}, {"port", std::to_string(port)}}));
        for (int index = 0; index <= 6; ++index)
            v[bkDIN].push_back(Make(bkDIN, {{"var", var}, {"index", std::to_string(index)}}));
        for (int index = 0; index <= 7; ++index)
            v[bkAIN].push_back(Make(bkAIN, {{"var", var}, {"index", std::to_string(index)}}));
    }
    for (const char* d : {"0", "9", "18"})
        for (const char* speed : {"1", "5"})
            v[bkServo].push_back(Make(
                bkServo, {{"data1", d}, {"data2", d}, {"data3", d}, {"data4", d}, {"data5", d}, {"speed", speed}}));
    for (const char* command : {"", "a=a+1", "z=(a-b)*-3%7", "fd(20)", "a=1;b=adc0()"})
        v[bkBiaoDaShi].push_back(Make(bkBiaoDaShi, {{"command", Escaped(command)}}));
    for (int32_t code : {bkSubBegin, bkGOSUB})
        for (const char* name : {"", "main", "子程序"})
            v[code].push_back(Make(code, {{"sub", EscapeSubName(Gbk(name))}}));
    for (int32_t code : {bkWhileBegin, bkIfBegin, bkIfElseIf})
        for (const char* condition : {"a>3 && b<2", "1", "!(pc0()==1) || adc7()>=1023"})
            v[code].push_back(Make(code, {{"condition", Escaped(condition)}}));
    for (const char* index : {"0", "127"})
        v[bkVOICEX].push_back(Make(bkVOICEX, {{"index", index}}));
    return v;
}

// The blocks a variant needs around it to form a well-nested flowchart.
std::vector<Block> InContext(const Block& block)
{
    const Block ifHead = Make(bkIfBegin, {{"condition", "a"}});
    const Block elseIf = Make(bkIfElseIf, {{"condition", "b"}});
    switch (block.code) {
    case bkLoopBegin:
        return {block, Make(bkLoopEnd, {})};
    case bkLimLoopBegin:
        return {block, Make(bkLimLoopEnd, {})};
    case bkWhileBegin:
        return {block, Make(bkWhileEnd, {})};
    case bkIfBegin:
        return {block, Make(bkIfEnd, {})};
    case bkLoopEnd:
        return {Make(bkLoopBegin, {{"times", "3"}}), block};
    case bkLimLoopEnd:
        return {Make(bkLimLoopBegin, {}), block};
    case bkWhileEnd:
        return {Make(bkWhileBegin, {{"condition", "a"}}), block};
    case bkIfEnd:
        return {ifHead, block};
    case bkIfElseIf:
        return {ifHead, block, elseIf, Make(bkIfEnd, {})};
    case bkIfElse:
        return {ifHead, elseIf, block, Make(bkIfEnd, {})};
    default:
        return {block};
    }
}

std::string ProgramText(const std::vector<Block>& blocks)
{
    std::vector<BlockRecord> records;
    for (const Block& block : blocks)
        records.push_back({block.code, block.node});
    std::vector<std::string> lines;
    const Status status = GenerateProgram(records, lines);
    EXPECT_TRUE(status) << status.Message();
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string Describe(const Program& program)
{
    std::string all;
    for (const Finding& f : program.findings)
        all += std::to_string(f.line) + ":" + std::to_string(f.column) + " " + FromGbk(f.message).toStdString() + "\n";
    return all;
}

TEST(GeneratedPrograms, EveryKindCoversItsDialogRanges)
{
    const auto variants = VariantsByKind();
    for (const BlockInfo& row : BlockCatalog()) {
        if (row.isBlock) {
            EXPECT_TRUE(variants.count(row.code)) << row.member;
        }
    }
}

TEST(GeneratedPrograms, EveryVariantChecksClean)
{
    for (const auto& [code, blocks] : VariantsByKind()) {
        for (const Block& block : blocks) {
            const std::string text = ProgramText(InContext(block));
            const Program program = ParseProgram(text);
            EXPECT_TRUE(program.findings.empty()) << code << "\n" << text << Describe(program);
        }
    }
}

TEST(GeneratedPrograms, AllVariantsNestedInEveryBlockKindCheckClean)
{
    std::vector<Block> inner;
    for (const auto& [code, blocks] : VariantsByKind())
        for (const Block& block : blocks)
            for (const Block& b : InContext(block))
                inner.push_back(b);
    // Wrap everything in each kind of block, one inside the other.
    std::vector<Block> all;
    for (int32_t head : {bkLoopBegin, bkLimLoopBegin, bkWhileBegin, bkIfBegin})
        all.push_back(Make(head, head == bkLimLoopBegin ? Params{} : Params{{"times", "2"}, {"condition", "a"}}));
    all.insert(all.end(), inner.begin(), inner.end());
    all.push_back(Make(bkIfElse, {}));
    all.insert(all.end(), inner.begin(), inner.end());
    for (int32_t tail : {bkIfEnd, bkWhileEnd, bkLimLoopEnd, bkLoopEnd})
        all.push_back(Make(tail, {}));
    const Program program = ParseProgram(ProgramText(all));
    EXPECT_TRUE(program.findings.empty()) << Describe(program);
    EXPECT_EQ(program.body.size(), 1u);
}

} // namespace
} // namespace talvex::lang
