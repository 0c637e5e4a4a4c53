#pragma once

#include "model/xmltext.h"

#include <cstdint>
#include <string>
#include <vector>

namespace talvex {

struct BlockInfo;

// The program-text emitters the catalog rows name: each appends the lines of
// one block, given its parsed node.
using ProgramLines = std::vector<std::string>;

// Letter(X): the character 97 + X, taken modulo 256.
char VariableLetter(int64_t x);

// name(P1,P2,...); with every integer parameter of the row, in the row's order.
void EmitCall(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitDrive(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitTurn(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitStopMotors(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitMelody(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitLoop(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitPortDirection(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitPortIn(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitPortOut(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitExpression(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitDigitalIn(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitAnalogIn(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitWhile(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitIf(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitElseIf(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitGotoIf(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitSubBegin(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);
void EmitGosub(const BlockInfo& kind, const XmlElement& node, ProgramLines& lines);

} // namespace talvex
