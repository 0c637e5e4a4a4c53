#include "codegen/generator.h"

#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"

namespace talvex {

Status GenerateNodeLines(int32_t kindCode, std::string_view nodeText, std::vector<std::string>& lines)
{
    lines.clear();
    const BlockInfo* kind = FindBlockKind(kindCode);
    if (!kind || !kind->isBlock)
        return Status();
    const ProgramForm& program = kind->program;
    if (!program.emitter) {
        lines.assign(program.fixedLines.begin(), program.fixedLines.end());
        return Status();
    }
    Result<XmlElement> parsed = ParseCtrlNode(nodeText);
    if (!parsed)
        return parsed.GetStatus();
    program.emitter(*kind, *parsed, lines);
    return Status();
}

Status GenerateBlockLines(const FcObject& object, std::vector<std::string>& lines)
{
    return GenerateNodeLines(object.TypeCode, object.CtrlNodeText, lines);
}

Status GenerateProgram(const std::vector<BlockRecord>& blocks, std::vector<std::string>& lines,
                       std::vector<int32_t>* blockOfLine)
{
    lines.clear();
    lines.reserve(blocks.size() + blocks.size() / 4 + 3);
    lines.push_back("qzrobot");
    lines.push_back("start");
    if (blockOfLine)
        blockOfLine->assign(2, -1);
    std::vector<std::string> blockLines;
    for (size_t i = 0; i < blocks.size(); ++i) {
        Status status = GenerateNodeLines(blocks[i].kindCode, blocks[i].nodeText, blockLines);
        if (!status)
            return status;
        if (blockOfLine)
            blockOfLine->insert(blockOfLine->end(), blockLines.size(), static_cast<int32_t>(i));
        lines.insert(lines.end(), std::make_move_iterator(blockLines.begin()),
                     std::make_move_iterator(blockLines.end()));
    }
    lines.push_back("end");
    if (blockOfLine)
        blockOfLine->push_back(-1);
    return Status();
}

Status GenerateProgram(const FlowList& flowchart, std::vector<std::string>& lines, std::vector<int32_t>* blockOfLine)
{
    std::vector<BlockRecord> blocks;
    for (const FcObject* object : flowchart.BlockObjects())
        blocks.push_back({object->TypeCode, object->CtrlNodeText});
    return GenerateProgram(blocks, lines, blockOfLine);
}

} // namespace talvex
