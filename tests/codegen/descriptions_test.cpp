#include "codegen/generator.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace talvex {
namespace {

// The palette shows each row's description as the item's tooltip; it must be
// one line of Chinese and name the program line the block makes, so a
// description put on the wrong row shows here.
TEST(BlockDescriptions, OneChineseLinePerRowNamingTheLineTheDefaultBlockMakes)
{
    for (const BlockInfo& info : BlockCatalog()) {
        SCOPED_TRACE(info.member);
        ASSERT_FALSE(info.description.empty());
        EXPECT_EQ(info.description.find_first_of("\r\n"), std::string::npos);
        // GBK that reads back unchanged, and Chinese (a lead byte of a GBK pair).
        EXPECT_EQ(ToGbk(FromGbk(info.description)), info.description);
        EXPECT_TRUE(std::any_of(info.description.begin(), info.description.end(),
                                [](char c) { return static_cast<unsigned char>(c) >= 0x81; }));
        if (!info.isBlock || !info.hasDefaultNode)
            continue;
        std::vector<std::string> lines;
        ASSERT_TRUE(GenerateNodeLines(info.code, DefaultCtrlNode(info.code), lines).Ok());
        ASSERT_FALSE(lines.empty());
        // The command word, past an assignment to a variable ("a=pina();").
        std::string line = lines.front();
        if (line.size() > 2 && line[1] == '=')
            line = line.substr(2);
        EXPECT_NE(info.description.find(line.substr(0, 2)), std::string::npos) << line;
    }
}

} // namespace
} // namespace talvex
