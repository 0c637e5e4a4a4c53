#pragma once

#include "model/blocklines.h"
#include "model/status.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

class FcObject;
class FlowList;

// Empties lines, then appends the program lines of one block, by the catalog
// row of the object's TypeCode. Returns the reader's message when the block's node text
// cannot be parsed; lines then holds nothing of this block.
Status GenerateBlockLines(const FcObject& object, std::vector<std::string>& lines);
// The same for a block given by its kind code and node text.
Status GenerateNodeLines(int32_t kindCode, std::string_view nodeText, std::vector<std::string>& lines);

// A block as the generator sees it: its TypeCode and CtrlNodeText.
struct BlockRecord {
    int32_t kindCode;
    std::string_view nodeText;
};

// Replaces lines (GBK, no terminators) by "qzrobot", "start", every block's
// lines in order, "end". On failure lines stop before the failing block,
// without "end", and the reader's message is returned. With blockOfLine, also
// replaces that by the index in blocks of the block that emitted each line
// (-1 for the frame lines), so that findings on lines lead back to blocks.
Status GenerateProgram(const std::vector<BlockRecord>& blocks, std::vector<std::string>& lines,
                       std::vector<int32_t>* blockOfLine = nullptr);
// The blocks of the FlowList, in order (the indices of BlockObjects()).
Status GenerateProgram(const FlowList& flowchart, std::vector<std::string>& lines,
                       std::vector<int32_t>* blockOfLine = nullptr);

} // namespace talvex
