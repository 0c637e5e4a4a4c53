#include "model/catalog.h"
#include "model/gbk.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace talvex;

TEST(Catalog, CodesItemsAndCaptions)
{
    const auto& catalog = BlockCatalog();
    ASSERT_EQ(catalog.size(), 32u);
    for (int item = 1; item <= 32; ++item) {
        const BlockInfo* info = FindPaletteItem(item);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->item, item);
        EXPECT_EQ(info->code, 576 + item);
        EXPECT_EQ(FindBlockKind(576 + item), info);
        EXPECT_EQ(KindCaption(info->code), info->caption);
    }
    EXPECT_EQ(FindPaletteItem(0), nullptr);
    EXPECT_EQ(FindPaletteItem(33), nullptr);
    EXPECT_EQ(FindBlockKind(bkSpot), nullptr);
    // GBK bytes, not UTF-8: 直行 is D6 B1 D0 D0.
    EXPECT_EQ(KindCaption(bkZhiXing), "\xD6\xB1\xD0\xD0");
    EXPECT_EQ(KindCaption(bkStart), Gbk("开始"));
    EXPECT_EQ(KindCaption(bkEnd), Gbk("结束"));
    EXPECT_EQ(KindCaption(bkSpot), "");
    EXPECT_EQ(KindCaption(bkVOICEX), Gbk("语音模块"));
    EXPECT_FALSE(FindBlockKind(bkJieShu)->isBlock);
}

TEST(Catalog, PaletteGroupsHideTheUnpickableItems)
{
    const auto& groups = PaletteGroups();
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].caption, Gbk("执行模块"));
    EXPECT_EQ(groups[1].caption, Gbk("传感器模块"));
    EXPECT_EQ(groups[2].caption, Gbk("控制模块"));
    EXPECT_EQ(groups[3].caption, Gbk("程序模块"));
    EXPECT_TRUE(groups[3].items.empty());
    std::vector<int> shown;
    for (const auto& group : groups)
        for (int item : group.items) {
            shown.push_back(item);
            EXPECT_EQ(static_cast<int>(FindPaletteItem(item)->group), &group - &groups[0] + 1) << item;
        }
    for (int hidden : {7, 8, 13, 14, 23, 24, 25}) {
        EXPECT_EQ(std::count(shown.begin(), shown.end(), hidden), 0) << hidden;
        EXPECT_EQ(FindPaletteItem(hidden)->group, PaletteGroup::None);
    }
    EXPECT_EQ(shown.size(), 25u);
}

// The groups come from the rows' group; the palette shows them in this order.
TEST(Catalog, PaletteGroupsListTheirItemsInOrder)
{
    const auto& groups = PaletteGroups();
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].items, (std::vector<int>{1, 2, 3, 4, 5, 6, 15, 19, 20, 32}));
    EXPECT_EQ(groups[1].items, (std::vector<int>{16, 17, 18, 21, 22}));
    EXPECT_EQ(groups[2].items, (std::vector<int>{9, 10, 11, 12, 26, 27, 28, 29, 30, 31}));
    EXPECT_TRUE(groups[3].items.empty());
    EXPECT_STREQ(groups[0].objectName, "dxNavBar1Group1");
    EXPECT_STREQ(groups[3].objectName, "dxNavBar1Group4");
}
