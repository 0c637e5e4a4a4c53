// Feeds arbitrary bytes to the node reader and reads every parameter of what
// it accepts the way the generator and the dialogs do.
#include "model/ctrlnode.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    talvex::Result<talvex::XmlElement> result = talvex::ParseCtrlNode(text);
    if (!result) {
        if (result.Message().empty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    const talvex::CtrlNode& node = *result;
    (void)talvex::NodeType(node);
    for (const talvex::XmlElement& child : node.children) {
        (void)talvex::IntParam(node, child.name);
        (void)talvex::FlagParam(node, child.name);
        (void)talvex::UnescapeValueText(talvex::TextParam(node, child.name));
    }
    const std::string written = talvex::FormatCtrlNode(node);
    (void)talvex::ParseCtrlNode(written);
    return 0;
}
