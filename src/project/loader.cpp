#include "project/loader.h"

#include "model/canvas.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "project/projectfile.h"

namespace talvex {

namespace {

bool IsLoadableType(int32_t type)
{
    const BlockInfo* kind = FindPaletteItem(type);
    return kind && kind->isBlock;
}

// The node of a record that makes a block: its first child, provided that is
// an element with a block "type". A first child that is a comment, a
// processing instruction or text carries no "type", so the record is skipped.
const CtrlNode* BlockNode(const XmlElement& record)
{
    if (record.children.empty() || record.leadsWithNonElement)
        return nullptr;
    const CtrlNode& node = record.children.front();
    return IsLoadableType(NodeType(node)) ? &node : nullptr;
}

} // namespace

CaptionChange LoadedCaption(int32_t kindCode, const CtrlNode& node, const std::vector<std::string>& voicePhrases)
{
    return BlockCaption(kindCode, node,
                        [&voicePhrases](int32_t index) { return VoicePhraseText(index, voicePhrases); });
}

std::string VoicePhraseText(int32_t index, const std::vector<std::string>& voicePhrases)
{
    if (index >= 0 && static_cast<size_t>(index) < voicePhrases.size())
        return voicePhrases[static_cast<size_t>(index)];
    return std::to_string(index);
}

Status EveryRecordReadsBack(const XmlElement& root)
{
    size_t number = 0;
    for (const XmlElement& record : root.children) {
        ++number;
        const CtrlNode* node = BlockNode(record);
        if (!node)
            continue;
        const std::string text = FormatCtrlNode(*node);
        Result<XmlElement> again = ParseCtrlNode(text);
        if (again && FormatCtrlNode(*again) == text)
            continue;
        return Status::Failure(
            Gbk(u8"无法打开此文件: 第") + std::to_string(number) +
            Gbk(u8"条记录的参数保存后无法再读出 (例如CDATA段中的\"<\", 或单引号属性值中的双引号)。"));
    }
    return Status();
}

std::vector<ProjectBlock> ProjectBlocks(const XmlElement& root)
{
    std::vector<ProjectBlock> blocks;
    blocks.reserve(root.children.size());
    for (const XmlElement& record : root.children) {
        if (const CtrlNode* node = BlockNode(record))
            blocks.push_back({kBlockKindBase + NodeType(*node), FormatCtrlNode(*node), node});
    }
    return blocks;
}

void RebuildFlowchart(FlowList& flowchart, const XmlElement& root, const std::vector<std::string>& voicePhrases)
{
    std::vector<ProjectBlock> blocks = ProjectBlocks(root);
    flowchart.ClearFlowchart();
    CanvasModel& canvas = flowchart.Canvas();
    canvas.BeginCanvasUpdate();
    flowchart.BuildNewFlowchart();

    const PhraseText phraseText = [&voicePhrases](int32_t index) { return VoicePhraseText(index, voicePhrases); };
    for (ProjectBlock& block : blocks) {
        flowchart.AppendBlock(block.kindCode - kBlockKindBase);
        FcObject* object = flowchart.LastAppendedObject;
        object->CtrlNodeText = std::move(block.nodeText);

        const CaptionChange change = BlockCaption(block.kindCode, *block.node, phraseText);
        if (change.changes) {
            flowchart.SetBlockHeight(object, change.height);
            object->SetText(change.caption);
        }
    }

    flowchart.RelayoutFlowchart();
    canvas.EndCanvasUpdate();
}

Status LoadProjectInto(FlowList& flowchart, const QString& fileName, const std::vector<std::string>& voicePhrases)
{
    Result<XmlElement> document = ReadProjectFile(fileName);
    if (!document)
        return document.GetStatus();
    RebuildFlowchart(flowchart, *document, voicePhrases);
    return Status();
}

} // namespace talvex
