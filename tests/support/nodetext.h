#pragma once

// Small builders shared by the generator, project and document command tests.

#include "model/ctrlnode.h"

#include <string>
#include <utility>
#include <vector>

namespace talvex::testing {

using Params = std::vector<std::pair<std::string, std::string>>;

// Canonical node text of "type" with the given children, values as stored.
inline std::string NodeText(int32_t type, const Params& params)
{
    CtrlNode node = NewCtrlNode(type);
    for (const auto& [name, value] : params)
        AddTextParam(node, name, value);
    return FormatCtrlNode(node);
}

// Joins lines with CR LF after each.
inline std::string CrLfLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace talvex::testing
