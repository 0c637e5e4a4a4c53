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

} // namespace

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
        if (record.children.empty() || !IsLoadableType(NodeType(record.children.front())))
            continue;
        const std::string text = FormatCtrlNode(record.children.front());
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
        if (record.children.empty())
            continue;
        const CtrlNode& node = record.children.front();
        const int32_t type = NodeType(node);
        if (IsLoadableType(type))
            blocks.push_back({kBlockKindBase + type, FormatCtrlNode(node), &node});
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
