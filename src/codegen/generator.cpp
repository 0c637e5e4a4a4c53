#include "codegen/generator.h"

#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"

#include <algorithm>
#include <string_view>

namespace talvex {

namespace {

using Lines = std::vector<std::string>;

std::string Dec(int32_t value)
{
    return std::to_string(value);
}

std::string Decoded(const CtrlNode& node, std::string_view name)
{
    return UnescapeValueText(TextParam(node, name));
}

// A pupil sees these blocks as comments; the download preparation drops them.
// The text stays on one line so that nothing of it can leak out of the comment.
std::string CommentLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return "/* " + text;
}

// Kinds that read nothing: their lines are fixed and the node is never parsed.
struct FixedKind {
    int32_t code;
    std::vector<const char*> lines;
};

const std::vector<FixedKind>& FixedKinds()
{
    static const std::vector<FixedKind> kinds = {
        {bkLoopEnd, {"}"}},
        {bkLimLoopBegin, {"lim_loop", "{"}},
        {bkLimLoopEnd, {"}"}},
        {bkWhileEnd, {"}"}},
        {bkIfElse, {"}", "else", "{"}},
        {bkIfEnd, {"}"}},
        {bkSubEnd, {"/* RETURN"}},
        {bkHongWai, {}},
        {bkGuangGan, {}},
    };
    return kinds;
}

// Kinds whose one line is a call with every integer parameter of the catalog
// row as an argument, in the row's order: name(P1,P2,...);
struct CallKind {
    int32_t code;
    const char* call;
};

constexpr CallKind kCallKinds[] = {
    {bkQiDongDJ, "motor"}, {bkYanShi, "wait"}, {bkLED, "led"}, {bkServo, "servoe"}, {bkVOICEX, "voicex"},
};

void EmitCall(const CtrlNode& node, const CallKind& kind, Lines& lines)
{
    std::string line = std::string(kind.call) + "(";
    bool first = true;
    for (const ParamSpec& param : FindBlockKind(kind.code)->params) {
        if (!first)
            line += ",";
        line += Dec(IntParam(node, param.name));
        first = false;
    }
    lines.push_back(line + ");");
}

// Drive and turn: modes 0 and 1 run until stopped, 2 and 3 for the "wait"
// text, which is copied as stored.
void EmitTimedMove(const CtrlNode& node, const char* const (&words)[4], Lines& lines)
{
    const int32_t mode = IntParam(node, "mode");
    if (mode == 0 || mode == 1)
        lines.push_back(std::string(words[mode]) + "x();");
    else if (mode == 2 || mode == 3)
        lines.push_back(std::string(words[mode]) + "(" + TextParam(node, "wait") + ");");
    else
        lines.push_back(";");
}

void EmitNode(int32_t code, const CtrlNode& node, Lines& lines)
{
    static const char* const kDriveWords[4] = {"fd", "bk", "fd", "bk"};
    static const char* const kTurnWords[4] = {"lt", "rt", "lt", "rt"};

    switch (code) {
    case bkZhiXing:
        EmitTimedMove(node, kDriveWords, lines);
        return;
    case bkZhuanXiang:
        EmitTimedMove(node, kTurnWords, lines);
        return;
    case bkTingZhiDJ: {
        const int32_t mode = IntParam(node, "mode");
        lines.push_back(mode == 0 ? "stx();" : mode == 1 ? "motor(0,0);" : ";");
        return;
    }
    case bkFaYin:
        if (FlagParam(node, "keycmd"))
            lines.push_back("key(" + Dec(IntParam(node, "key")) + ");");
        lines.push_back("play(\"" + TextParam(node, "content") + "\");");
        return;
    case bkLoopBegin:
        lines.push_back("loop(" + Decoded(node, "times") + ")");
        lines.push_back("{");
        return;
    case bkPORTDDR:
        lines.push_back(std::string("ddr") + VariableLetter(IntParam(node, "ddr")) + "(" + Dec(IntParam(node, "data")) +
                        ");");
        return;
    case bkPORTIN:
        lines.push_back(std::string(1, VariableLetter(IntParam(node, "var"))) + "=pin" +
                        VariableLetter(IntParam(node, "port")) + "();");
        return;
    case bkPORTOUT:
        lines.push_back(std::string("port") + VariableLetter(IntParam(node, "port")) + "(" +
                        Dec(IntParam(node, "data")) + ");");
        return;
    case bkBiaoDaShi:
        lines.push_back(Decoded(node, "command") + ";");
        return;
    case bkDIN: {
        const int32_t index = IntParam(node, "index");
        const std::string input = (index >= 0 && index <= 4) ? "pc" + Dec(index) : index == 5 ? "mic" : "pcx";
        lines.push_back(std::string(1, VariableLetter(IntParam(node, "var"))) + "=" + input + "();");
        return;
    }
    case bkAIN:
        lines.push_back(std::string(1, VariableLetter(IntParam(node, "var"))) + "=adc" + Dec(IntParam(node, "index")) +
                        "();");
        return;
    case bkWhileBegin:
        lines.push_back("while(" + Decoded(node, "condition") + ")");
        lines.push_back("{");
        return;
    case bkIfBegin:
        lines.push_back("if(" + Decoded(node, "condition") + ")");
        lines.push_back("{");
        return;
    case bkIfElseIf:
        lines.push_back("}");
        lines.push_back("else if(" + Decoded(node, "condition") + ")");
        lines.push_back("{");
        return;
    case bkGOTOIF:
        lines.push_back(CommentLine("IF " + Decoded(node, "condition") + " THEN label: " + Decoded(node, "label")));
        return;
    case bkSubBegin:
        lines.push_back(CommentLine("sub: " + UnescapeSubName(TextParam(node, "sub"))));
        return;
    case bkGOSUB:
        lines.push_back(CommentLine("GOSUB sub: " + UnescapeSubName(TextParam(node, "sub"))));
        return;
    default:
        break;
    }
    for (const CallKind& kind : kCallKinds) {
        if (kind.code == code) {
            EmitCall(node, kind, lines);
            return;
        }
    }
}

bool ReadsParameters(int32_t code)
{
    if (code <= kBlockKindBase || code > kBlockKindBase + kPaletteItemCount || code == bkJieShu)
        return false;
    for (const FixedKind& kind : FixedKinds()) {
        if (kind.code == code)
            return false;
    }
    return true;
}

} // namespace

char VariableLetter(int64_t x)
{
    return static_cast<char>(static_cast<unsigned char>(static_cast<uint64_t>(x) + 97u));
}

Status GenerateNodeLines(int32_t kindCode, std::string_view nodeText, std::vector<std::string>& lines)
{
    lines.clear();
    for (const FixedKind& kind : FixedKinds()) {
        if (kind.code == kindCode) {
            lines.assign(kind.lines.begin(), kind.lines.end());
            return Status();
        }
    }
    if (!ReadsParameters(kindCode))
        return Status();

    Result<XmlElement> parsed = ParseCtrlNode(nodeText);
    if (!parsed)
        return parsed.GetStatus();
    EmitNode(kindCode, *parsed, lines);
    return Status();
}

Status GenerateBlockLines(const FcObject& object, std::vector<std::string>& lines)
{
    return GenerateNodeLines(object.TypeCode, object.CtrlNodeText, lines);
}

Status GenerateProgram(const std::vector<BlockRecord>& blocks, std::vector<std::string>& lines)
{
    lines.clear();
    lines.reserve(blocks.size() + blocks.size() / 4 + 3);
    lines.push_back("qzrobot");
    lines.push_back("start");
    std::vector<std::string> blockLines;
    for (const BlockRecord& block : blocks) {
        Status status = GenerateNodeLines(block.kindCode, block.nodeText, blockLines);
        if (!status)
            return status;
        lines.insert(lines.end(), std::make_move_iterator(blockLines.begin()),
                     std::make_move_iterator(blockLines.end()));
    }
    lines.push_back("end");
    return Status();
}

Status GenerateProgram(const FlowList& flowchart, std::vector<std::string>& lines)
{
    std::vector<BlockRecord> blocks;
    for (const FcObject* object : flowchart.BlockObjects())
        blocks.push_back({object->TypeCode, object->CtrlNodeText});
    return GenerateProgram(blocks, lines);
}

} // namespace talvex
