#include "model/melody.h"

#include <gtest/gtest.h>

using namespace talvex;

TEST(MelodyTest, NoteCodes)
{
    struct Case {
        int button, range, duration;
        const char* code;
    };
    const Case cases[] = {
        {8, 0, 3, "84"},  {8, 3, 3, "54"}, {23, 0, 7, "08"}, {23, 7, 7, "08"}, {22, 7, 0, "F1"},
        {15, 0, 3, "F4"}, {1, 0, 0, "11"}, {10, 0, 4, "A5"}, {16, 0, 3, ""}, // outside the range's window
        {7, 7, 3, ""},    {-1, 0, 3, ""},                                    // nothing chosen
        {8, 0, 8, ""},                                                       // no such duration
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeNoteCode(c.button, c.range, c.duration), c.code) << c.button << "/" << c.range;
}

TEST(MelodyTest, WindowAndRangeClamp)
{
    EXPECT_EQ(ClampMelodyRange(-1), 0);
    EXPECT_EQ(ClampMelodyRange(9), 7);
    EXPECT_EQ(ClampMelodyRange(4), 4);
    int enabled = 0;
    for (int b = 1; b <= 22; ++b)
        enabled += PitchButtonEnabled(b, 7) ? 1 : 0;
    EXPECT_EQ(enabled, 15);
    EXPECT_FALSE(PitchButtonEnabled(7, 7));
    EXPECT_TRUE(PitchButtonEnabled(8, 7));
    EXPECT_TRUE(PitchButtonEnabled(23, 0));
}

TEST(MelodyTest, SplitAndJoin)
{
    EXPECT_EQ(SplitMelody("8454"), (std::vector<std::string>{"84", "54"}));
    EXPECT_EQ(SplitMelody("845"), (std::vector<std::string>{"84"}));
    EXPECT_TRUE(SplitMelody("").empty());
    EXPECT_TRUE(SplitMelody("8").empty());
    EXPECT_EQ(JoinMelody(SplitMelody("8454")), "8454");
}
