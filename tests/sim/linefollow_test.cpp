#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "model/gbk.h"
#include "nodetext.h"
#include "sim/arenafiles.h"
#include "sim/simulation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace talvex::sim {
namespace {

using testing::NodeText;

// The shipped track: straights y = 400 and 1200 from x = 700 to 1700, joined
// by half circles of radius 400 round (700, 800) and (1700, 800).
double DistanceFromTrack(Vec2 p)
{
    if (p.x < 700)
        return std::fabs(std::hypot(p.x - 700, p.y - 800) - 400);
    if (p.x > 1700)
        return std::fabs(std::hypot(p.x - 1700, p.y - 800) - 400);
    return std::min(std::fabs(p.y - 400), std::fabs(p.y - 1200));
}

// The program a pupil builds from the palette: an endless loop that reads
// the left and right floor sensors and steers towards the side that sees
// the line.
std::string PaletteLineFollower()
{
    struct Block {
        int type;
        testing::Params params;
    };
    const std::vector<Block> blocks = {
        {11, {}},                                    // 永远循环头
        {22, {{"var", "0"}, {"index", "0"}}},        // 模拟量传感: a=adc0();
        {22, {{"var", "2"}, {"index", "2"}}},        // 模拟量传感: c=adc2();
        {28, {{"condition", "a&lt;128"}}},           // 如果 a<128
        {3, {{"motorL", "40"}, {"motorR", "160"}}},  // 启动电机: to the left
        {29, {{"condition", "c&lt;128"}}},           // 否则如果 c<128
        {3, {{"motorL", "160"}, {"motorR", "40"}}},  // 启动电机: to the right
        {30, {}},                                    // 否则
        {3, {{"motorL", "160"}, {"motorR", "160"}}}, // 启动电机: straight on
        {31, {}},                                    // 结束判断
        {12, {}},                                    // 永远循环尾
    };
    std::vector<std::string> texts;
    for (const Block& block : blocks)
        texts.push_back(NodeText(block.type, block.params));
    std::vector<BlockRecord> records;
    for (size_t i = 0; i < blocks.size(); ++i)
        records.push_back({576 + blocks[i].type, texts[i]});
    std::vector<std::string> lines;
    const Status status = GenerateProgram(records, lines);
    EXPECT_TRUE(status) << status.Message();
    return JoinProgramLines(lines);
}

TEST(LineFollowTest, APaletteProgramFollowsTheTrackForAFullLap)
{
    const Result<Arena> arena = LoadArena("line");
    ASSERT_TRUE(arena) << FromGbk(arena.Message()).toStdString();
    RunOptions options;
    options.limitUs = 40 * 1000 * kUsPerMs;
    Simulation simulation(PaletteLineFollower(), *arena, options);
    ASSERT_FALSE(simulation.HasProgramErrors()) << FromGbk(simulation.FirstError()).toStdString();

    // Sweep round the track's centre, counter-clockwise, while never leaving the line.
    const Vec2 centre{1200, 800};
    double swept = 0;
    double worst = 0;
    double lastAngle = std::atan2(arena->start.y - centre.y, arena->start.x - centre.x);
    for (int64_t t = 10000; !simulation.Ended(); t += 10000) {
        simulation.RunUntil(t);
        const Pose& pose = simulation.Body().GetPose();
        worst = std::max(worst, DistanceFromTrack({pose.x, pose.y}));
        const double angle = std::atan2(pose.y - centre.y, pose.x - centre.x);
        double step = angle - lastAngle;
        if (step > kPi)
            step -= 2 * kPi;
        if (step < -kPi)
            step += 2 * kPi;
        swept += step;
        lastAngle = angle;
    }
    EXPECT_EQ(simulation.EndReason(), "time");
    EXPECT_GT(swept, 2 * kPi) << "only " << swept * 180 / kPi << " degrees round";
    EXPECT_LT(worst, 40) << "mm off the line";
}

} // namespace
} // namespace talvex::sim
