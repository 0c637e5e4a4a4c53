#include "app/findingblocks.h"

#include "codegen/generator.h"
#include "lang/syntax.h"
#include "model/flowlist.h"
#include "model/gbk.h"

#include <algorithm>

namespace talvex {

FindingBlocks::FindingBlocks(const FlowList& flowchart, const QString& viewText)
{
    std::vector<std::string> lines;
    std::vector<int32_t> blockOfLine;
    if (!GenerateProgram(flowchart, lines, &blockOfLine).Ok())
        return;
    const std::string text = ToGbk(viewText);
    const std::vector<std::string_view> viewLines = lang::SplitLines(text);
    if (!std::equal(viewLines.begin(), viewLines.end(), lines.begin(), lines.end()))
        return;
    const std::vector<FcObject*> blocks = flowchart.BlockObjects();
    m_blockOfLine.reserve(blockOfLine.size());
    for (int32_t index : blockOfLine)
        m_blockOfLine.push_back(index >= 0 ? blocks[static_cast<size_t>(index)]->Id() : kNoObject);
}

ObjectId FindingBlocks::BlockOfLine(int line) const
{
    if (line < 1 || line > static_cast<int>(m_blockOfLine.size()))
        return kNoObject;
    return m_blockOfLine[static_cast<size_t>(line - 1)];
}

std::vector<ObjectId> FindingBlocks::UnpairedBlocks(const std::vector<lang::Finding>& findings) const
{
    std::vector<ObjectId> blocks;
    for (const lang::Finding& finding : findings) {
        const ObjectId block = BlockOfLine(finding.line);
        if (finding.kind == lang::FindingKind::Structure && block != kNoObject &&
            std::find(blocks.begin(), blocks.end(), block) == blocks.end())
            blocks.push_back(block);
    }
    return blocks;
}

} // namespace talvex
