#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"
#include "project/blockclip.h"

#include <gtest/gtest.h>

#include "nodetext.h"

namespace talvex {
namespace {

using testing::NodeText;

TEST(BlockClip, RoundTripKeepsKindAndEveryByte)
{
    const ClipBlock block{bkSubBegin, NodeText(23, {{"sub", EscapeSubName(Gbk("前进&<") + "\xFF\x80")}})};
    const Result<ClipBlock> back = DecodeClipBlock(EncodeClipBlock(block));
    ASSERT_TRUE(back.Ok()) << back.Message();
    EXPECT_EQ(back->kindCode, bkSubBegin);
    EXPECT_EQ(back->nodeText, block.nodeText);
}

TEST(BlockClip, AnythingButABlockWeCanInsertIsRefusedWithAMessage)
{
    const std::string drive = DefaultCtrlNode(bkZhiXing);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"other header", "TALVEX-BLOCK 2\n577\n" + drive},
        {"no kind line", "TALVEX-BLOCK 1\n577"},
        {"kind not a number", "TALVEX-BLOCK 1\n57x\n" + drive},
        {"kind with a sign", "TALVEX-BLOCK 1\n+577\n" + drive},
        {"spot marker", "TALVEX-BLOCK 1\n514\n" + drive},
        {"end of program is never a block", "TALVEX-BLOCK 1\n590\n" + NodeText(14, {})},
        {"beyond the catalog", "TALVEX-BLOCK 1\n609\n" + drive},
        {"node of another kind", "TALVEX-BLOCK 1\n578\n" + drive},
        {"node that does not parse", "TALVEX-BLOCK 1\n577\n<CtrlNode type=\"1\">"},
        {"node not in its written form", "TALVEX-BLOCK 1\n577\n<CtrlNode type=\"1\"/>"},
    };
    for (const Case& c : cases) {
        const Result<ClipBlock> block = DecodeClipBlock(c.bytes);
        EXPECT_FALSE(block.Ok()) << c.what;
        if (!block.Ok()) {
            EXPECT_EQ(block.Message(), Gbk(u8"剪贴板中的模块无法读出，没有粘贴。")) << c.what;
        }
    }
    EXPECT_TRUE(DecodeClipBlock("TALVEX-BLOCK 1\n577\n" + drive).Ok());
}

} // namespace
} // namespace talvex
