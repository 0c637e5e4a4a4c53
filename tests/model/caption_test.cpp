#include "model/caption.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace talvex;

namespace {

CtrlNode NodeWith(int32_t code, const char* param, const std::string& stored, bool integer = false)
{
    CtrlNode node = NewCtrlNode(code - kBlockKindBase);
    if (integer)
        AddIntParam(node, param, ParseIntText(stored));
    else
        AddTextParam(node, param, stored);
    return node;
}

// The caption comes from the node through the row's value source, then the
// rule; the context only says how it names a phrase.
TEST(BlockCaption, RowsValueSourceThenTheRule)
{
    const PhraseText listed = [](int32_t index) { return index == 1 ? Gbk(u8"再见") : std::to_string(index); };
    const PhraseText itemsOnly = [](int32_t index) { return index == 1 ? Gbk(u8"再见") : std::string(); };
    struct Case {
        CtrlNode node;
        const PhraseText* phraseText;
        bool changes;
        const char* caption;
        int32_t height;
    };
    const Case cases[] = {
        {NodeWith(bkBiaoDaShi, "command", "a&lt;5 &amp;&amp; &#xB1;&#xED;"), &listed, true, u8"表达式:a<5 && 表", 40},
        {NodeWith(bkBiaoDaShi, "command", ""), &listed, true, u8"表达式", 32},
        {NodeWith(bkSubBegin, "sub", "a&lt;b&amp;c"), &listed, true, u8"子程序开始:a<b&c", 40},
        {NodeWith(bkGOSUB, "sub", "MOVE"), &listed, true, u8"调用子程序:MOVE", 40},
        {NodeWith(bkVOICEX, "index", "1", true), &listed, true, u8"语音: 再见", 40},
        // Loading names a missing phrase by its number; the dialog has no item for it.
        {NodeWith(bkVOICEX, "index", "-1", true), &listed, true, u8"语音: -1", 40},
        {NodeWith(bkVOICEX, "index", "-1", true), &itemsOnly, false, "", 32},
        {NodeWith(bkLoopBegin, "times", "3"), &listed, false, "", 32},
    };
    for (const Case& c : cases) {
        const int32_t code = kBlockKindBase + NodeType(c.node);
        const CaptionChange change = BlockCaption(code, c.node, *c.phraseText);
        EXPECT_EQ(change.changes, c.changes) << c.caption;
        if (!c.changes)
            continue;
        EXPECT_EQ(change.caption, Gbk(c.caption));
        EXPECT_EQ(change.height, c.height);
    }
}

// Every kind that shows a value names the parameter it shows.
TEST(BlockCaption, RulesNameAParameterOfTheirRow)
{
    int rules = 0;
    for (const BlockInfo& kind : BlockCatalog()) {
        if (!kind.captionRule.prefix)
            continue;
        ++rules;
        ASSERT_NE(kind.captionRule.value, nullptr) << kind.member;
        ASSERT_NE(kind.captionRule.param, nullptr) << kind.member;
        const bool named = std::any_of(kind.params.begin(), kind.params.end(),
                                       [&](const ParamSpec& p) { return p.name == kind.captionRule.param; });
        EXPECT_TRUE(named) << kind.member;
    }
    EXPECT_EQ(rules, 4);
}

} // namespace
