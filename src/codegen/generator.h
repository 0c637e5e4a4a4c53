#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

class FcObject;
class FlowList;

// Empties lines, then appends the program lines of one block, selected by the
// object's TypeCode. Returns the reader's message when the block's node text
// cannot be parsed; lines then holds nothing of this block.
std::optional<std::string> GenerateBlockLines(const FcObject& object, std::vector<std::string>& lines);
// The same for a block given by its kind code and node text.
std::optional<std::string> GenerateNodeLines(int32_t kindCode, std::string_view nodeText,
                                             std::vector<std::string>& lines);

struct GeneratedProgram {
    std::vector<std::string> lines;   // GBK, no terminators
    std::optional<std::string> error; // set: lines stop before the failing block, without "end"
};

// A block as the generator sees it: its TypeCode and CtrlNodeText.
struct BlockRecord {
    int32_t kindCode;
    std::string_view nodeText;
};

// "qzrobot", "start", every block's lines in order, "end".
GeneratedProgram GenerateProgram(const std::vector<BlockRecord>& blocks);
// The blocks of the FlowList, in order.
GeneratedProgram GenerateProgram(const FlowList& flowchart);

// Letter(X): the character 97 + X, taken modulo 256.
char VariableLetter(int64_t x);

} // namespace talvex
