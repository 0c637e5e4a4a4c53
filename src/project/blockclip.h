#pragma once

#include "model/status.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex {

// A block as it travels through the system clipboard between editors: its kind
// and node text, the bytes exactly as the panel holds them.
struct ClipBlock {
    int32_t kindCode = 0;
    std::string nodeText; // GBK
};

// The clipboard format of our own that carries a ClipBlock.
inline constexpr const char* kClipBlockMimeType = "application/x-talvex-block";

std::string EncodeClipBlock(const ClipBlock& block);
// The block, or the message the user sees when the clipboard holds something
// another program or editor version put there that is not a block we can insert.
Result<ClipBlock> DecodeClipBlock(std::string_view bytes);

} // namespace talvex
