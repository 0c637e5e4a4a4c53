#include "project/blockclip.h"

#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"

#include <charconv>

namespace talvex {

namespace {

// First line: the format and its version; second line: the kind code in
// decimal; the node text follows byte for byte.
constexpr std::string_view kHeader = "TALVEX-BLOCK 1\n";

Status Unreadable()
{
    return Status::Failure(Gbk(u8"剪贴板中的模块无法读出，没有粘贴。"));
}

} // namespace

std::string EncodeClipBlock(const ClipBlock& block)
{
    std::string bytes(kHeader);
    bytes += std::to_string(block.kindCode);
    bytes += '\n';
    bytes += block.nodeText;
    return bytes;
}

Result<ClipBlock> DecodeClipBlock(std::string_view bytes)
{
    if (bytes.substr(0, kHeader.size()) != kHeader)
        return Unreadable();
    bytes.remove_prefix(kHeader.size());
    const size_t newline = bytes.find('\n');
    if (newline == std::string_view::npos)
        return Unreadable();
    ClipBlock block;
    const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + newline, block.kindCode);
    if (error != std::errc() || end != bytes.data() + newline)
        return Unreadable();
    const BlockInfo* info = FindBlockKind(block.kindCode);
    if (!info || !info->isBlock)
        return Unreadable();
    block.nodeText = std::string(bytes.substr(newline + 1));
    // Only a node that reads back unchanged and names this kind may become a
    // panel's node text; every later command parses it again.
    Result<XmlElement> node = ParseCtrlNode(block.nodeText);
    if (!node || FormatCtrlNode(*node) != block.nodeText || NodeType(*node) != info->item)
        return Unreadable();
    return block;
}

} // namespace talvex
