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
