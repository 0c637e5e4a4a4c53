#include "sim/robotbody.h"
#include "sim/simconstants.h"
#include "simprogram.h"

#include <gtest/gtest.h>

namespace talvex::sim {
namespace {

using testing::Room;

void Drive(RobotBody& body, const Arena& arena, int left, int right, int ms)
{
    body.SetMotors(left, right);
    for (int i = 0; i < ms; ++i)
        body.Step(arena, 0.001);
}

TEST(RobotBodyTest, FullSpeedDrivesStraightAlongTheHeading)
{
    const Arena arena = Room(400, 750, 90);
    RobotBody body;
    body.Reset(arena.start);
    Drive(body, arena, 255, 255, 1000);
    EXPECT_NEAR(body.GetPose().x, 400, 1e-6);
    EXPECT_NEAR(body.GetPose().y, 750 + kFullSpeedMmPerS, 1e-6);
    EXPECT_NEAR(body.GetPose().headingDeg, 90, 1e-9);
    Drive(body, arena, -128, -128, 500);
    EXPECT_NEAR(body.GetPose().y, 750 + kFullSpeedMmPerS - kFullSpeedMmPerS * 128 / 255 / 2, 1e-6);
}

TEST(RobotBodyTest, ALeftTurnGrowsTheHeadingAndASpinStaysInPlace)
{
    const Arena arena = Room(1000, 750, 350);
    RobotBody body;
    body.Reset(arena.start);
    Drive(body, arena, -100, 100, 100);
    const double degPerS = 2 * kFullSpeedMmPerS * 100 / 255 / kWheelBaseMm * 180 / kPi;
    EXPECT_NEAR(body.GetPose().headingDeg, 350 + degPerS / 10 - 360, 1e-6);
    EXPECT_NEAR(body.GetPose().x, 1000, 1e-9);
    EXPECT_NEAR(body.GetPose().y, 750, 1e-9);
}

TEST(RobotBodyTest, OneWheelDrivesAnArcAroundTheOther)
{
    const Arena arena = Room(1000, 750, 0);
    RobotBody body;
    body.Reset(arena.start);
    // The right wheel alone: a circle of half the wheel base's radius round
    // the left wheel, counter-clockwise. A half turn ends a wheel base to the left.
    const double halfTurnMs = kPi * kWheelBaseMm / kFullSpeedMmPerS * 1000;
    body.SetMotors(0, 255);
    for (int i = 0; i < static_cast<int>(halfTurnMs); ++i)
        body.Step(arena, 0.001);
    body.Step(arena, (halfTurnMs - static_cast<int>(halfTurnMs)) / 1000);
    EXPECT_NEAR(body.GetPose().headingDeg, 180, 1e-6);
    EXPECT_NEAR(body.GetPose().x, 1000, 1e-6);
    EXPECT_NEAR(body.GetPose().y, 750 + kWheelBaseMm, 1e-6);
}

struct Bump {
    double heading;
    int motor;
    uint8_t switches; // bit i: pc<i>
    double x;         // where the body stops
    double y;
};

class RobotBumpTest : public ::testing::TestWithParam<Bump> {};

// The room's walls have faces at x = 20 and 1980, y = 20 and 1480.
TEST_P(RobotBumpTest, AWallStopsTheBodyAndPressesTheSwitchFacingIt)
{
    const Bump bump = GetParam();
    const Arena arena = Room(1000, 750, bump.heading);
    RobotBody body;
    body.Reset(arena.start);
    Drive(body, arena, bump.motor, bump.motor, 8000);
    EXPECT_TRUE(body.Blocked());
    EXPECT_EQ(body.Switches(), bump.switches);
    EXPECT_NEAR(body.GetPose().x, bump.x, 0.5);
    EXPECT_NEAR(body.GetPose().y, bump.y, 0.5);
    // Backing off frees the switch.
    Drive(body, arena, -bump.motor, -bump.motor, 100);
    EXPECT_FALSE(body.Blocked());
    EXPECT_EQ(body.Switches(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RobotBumpTest,
    ::testing::Values(
        // Straight at the east wall: the middle switch.
        Bump{0, 200, 1 << 2, 1980 - kBodyRadiusMm, 750},
        // The north wall 30 degrees to the left: pc1.
        Bump{60, 200, 1 << 1, 1000 + (1480 - kBodyRadiusMm - 750) / std::tan(kPi / 3), 1480 - kBodyRadiusMm},
        // The south wall 30 degrees to the right: pc3.
        Bump{300, 200, 1 << 3, 1000 + (750 - 20 - kBodyRadiusMm) / std::tan(kPi / 3), 20 + kBodyRadiusMm},
        // Backwards into the west wall: no switch there.
        Bump{0, -200, 0, 20 + kBodyRadiusMm, 750}));

TEST(RobotBodyTest, FloorSensorsSitInFrontLeftMiddleRight)
{
    // A black line along y = 500 from x = 0 to 2000, 25 wide.
    const Result<Arena> arena =
        ParseArena("talvex-arena 1\nsize 2000 1000\nstart 500 480 90\nline 0 25 0 500 2000 500\n");
    ASSERT_TRUE(arena) << arena.Message();
    RobotBody body;
    body.Reset(arena->start);
    // Facing +y, the sensors lie on y = 540: all see white.
    for (int i = 0; i < kFloorSensorCount; ++i)
        EXPECT_EQ(body.FloorSensor(*arena, i), 255) << i;
    // Facing +x from x = 440: the sensors are at 500 +20, 500, 500 -20.
    body.Reset({440, 500, 0});
    EXPECT_EQ(body.FloorSensor(*arena, 0), 255);
    EXPECT_EQ(body.FloorSensor(*arena, 1), 0);
    EXPECT_EQ(body.FloorSensor(*arena, 2), 255);
    // Shifted 15 mm to the right of the line, the left sensor is on it.
    body.Reset({440, 485, 0});
    EXPECT_EQ(body.FloorSensor(*arena, 0), 0);
    EXPECT_EQ(body.FloorSensor(*arena, 2), 255);
}

} // namespace
} // namespace talvex::sim
