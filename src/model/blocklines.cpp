#include "model/blocklines.h"

#include "model/catalog.h"
#include "model/ctrlnode.h"

#include <algorithm>
#include <string_view>

namespace talvex {

namespace {

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

// Drive and turn: modes 0 and 1 run until stopped, 2 and 3 for the "wait"
// text, which is copied as stored.
void EmitTimedMove(const CtrlNode& node, const char* const (&words)[4], ProgramLines& lines)
{
    const int32_t mode = IntParam(node, "mode");
    if (mode == 0 || mode == 1)
        lines.push_back(std::string(words[mode]) + "x();");
    else if (mode == 2 || mode == 3)
        lines.push_back(std::string(words[mode]) + "(" + TextParam(node, "wait") + ");");
    else
        lines.push_back(";");
}

// A condition that opens a brace block: word(condition) and "{".
void EmitOpening(const char* word, const CtrlNode& node, const char* param, ProgramLines& lines)
{
    lines.push_back(word + ("(" + Decoded(node, param) + ")"));
    lines.push_back("{");
}

std::string Variable(const CtrlNode& node, std::string_view name)
{
    return std::string(1, VariableLetter(IntParam(node, name)));
}

} // namespace

char VariableLetter(int64_t x)
{
    return static_cast<char>(static_cast<unsigned char>(static_cast<uint64_t>(x) + 97u));
}

void EmitCall(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines)
{
    std::string line = std::string(kind.program.call) + "(";
    bool first = true;
    for (const ParamSpec& param : kind.params) {
        if (!first)
            line += ",";
        line += Dec(IntParam(node, param.name));
        first = false;
    }
    lines.push_back(line + ");");
}

void EmitDrive(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    static const char* const kWords[4] = {"fd", "bk", "fd", "bk"};
    EmitTimedMove(node, kWords, lines);
}

void EmitTurn(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    static const char* const kWords[4] = {"lt", "rt", "lt", "rt"};
    EmitTimedMove(node, kWords, lines);
}

void EmitStopMotors(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    const int32_t mode = IntParam(node, "mode");
    lines.push_back(mode == 0 ? "stx();" : mode == 1 ? "motor(0,0);" : ";");
}

void EmitMelody(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    if (FlagParam(node, "keycmd"))
        lines.push_back("key(" + Dec(IntParam(node, "key")) + ");");
    lines.push_back("play(\"" + TextParam(node, "content") + "\");");
}

void EmitLoop(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    EmitOpening("loop", node, "times", lines);
}

void EmitPortDirection(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back("ddr" + Variable(node, "ddr") + "(" + Dec(IntParam(node, "data")) + ");");
}

void EmitPortIn(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back(Variable(node, "var") + "=pin" + Variable(node, "port") + "();");
}

void EmitPortOut(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back("port" + Variable(node, "port") + "(" + Dec(IntParam(node, "data")) + ");");
}

void EmitExpression(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back(Decoded(node, "command") + ";");
}

void EmitDigitalIn(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    const int32_t index = IntParam(node, "index");
    const std::string input = (index >= 0 && index <= 4) ? "pc" + Dec(index) : index == 5 ? "mic" : "pcx";
    lines.push_back(Variable(node, "var") + "=" + input + "();");
}

void EmitAnalogIn(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back(Variable(node, "var") + "=adc" + Dec(IntParam(node, "index")) + "();");
}

void EmitWhile(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    EmitOpening("while", node, "condition", lines);
}

void EmitIf(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    EmitOpening("if", node, "condition", lines);
}

void EmitElseIf(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back("}");
    EmitOpening("else if", node, "condition", lines);
}

void EmitGotoIf(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back(CommentLine("IF " + Decoded(node, "condition") + " THEN label: " + Decoded(node, "label")));
}

void EmitSubBegin(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back(CommentLine("sub: " + UnescapeSubName(TextParam(node, "sub"))));
}

void EmitGosub(const BlockInfo&, const XmlElement& node, ProgramLines& lines)
{
    lines.push_back(CommentLine("GOSUB sub: " + UnescapeSubName(TextParam(node, "sub"))));
}

} // namespace talvex
