#include "sim/robotbody.h"

#include "sim/simconstants.h"

#include <algorithm>
#include <cmath>

namespace talvex::sim {

namespace {

double WheelSpeed(int motor)
{
    return kFullSpeedMmPerS * motor / kMaxMotorValue;
}

// How often a blocked move halves its way towards the wall.
constexpr int kContactSearchSteps = 8;

} // namespace

void RobotBody::Reset(const Pose& pose)
{
    m_pose = pose;
    m_pose.headingDeg = NormalizeHeading(pose.headingDeg);
    m_left = 0;
    m_right = 0;
    m_switches = 0;
    m_blocked = false;
}

void RobotBody::SetMotors(int left, int right)
{
    m_left = std::clamp(left, -kMaxMotorValue, kMaxMotorValue);
    m_right = std::clamp(right, -kMaxMotorValue, kMaxMotorValue);
}

void RobotBody::Step(const Arena& arena, double seconds)
{
    m_blocked = false;
    if (m_left == 0 && m_right == 0)
        return;
    const double vl = WheelSpeed(m_left);
    const double vr = WheelSpeed(m_right);
    const double v = (vl + vr) / 2;
    const double omega = (vr - vl) / kWheelBaseMm; // rad/s, counter-clockwise
    const double h0 = DegToRad(m_pose.headingDeg);
    const double h1 = h0 + omega * seconds;
    Vec2 move;
    if (std::fabs(omega) < 1e-9) {
        move = {v * seconds * std::cos(h0), v * seconds * std::sin(h0)};
    } else {
        const double r = v / omega;
        move = {r * (std::sin(h1) - std::sin(h0)), -r * (std::cos(h1) - std::cos(h0))};
    }
    // A disc turns freely; only its way forward can be blocked.
    m_pose.headingDeg = NormalizeHeading(RadToDeg(h1));
    const Vec2 from{m_pose.x, m_pose.y};
    if (!DiscHitsWall(arena, from + move, kBodyRadiusMm)) {
        m_pose.x += move.x;
        m_pose.y += move.y;
    } else {
        double free = 0;
        double blocked = 1;
        for (int i = 0; i < kContactSearchSteps; ++i) {
            const double mid = (free + blocked) / 2;
            if (DiscHitsWall(arena, from + move * mid, kBodyRadiusMm))
                blocked = mid;
            else
                free = mid;
        }
        m_pose.x += move.x * free;
        m_pose.y += move.y * free;
        m_blocked = true;
    }
    UpdateSwitches(arena);
}

Vec2 RobotBody::SwitchPoint(int index) const
{
    const double a = DegToRad(kSwitchAnglesDeg[index]);
    const double reach = kBodyRadiusMm + kSwitchReachMm;
    return RobotToArena(m_pose, reach * std::cos(a), reach * std::sin(a));
}

void RobotBody::UpdateSwitches(const Arena& arena)
{
    m_switches = 0;
    for (int i = 0; i < kSwitchCount; ++i) {
        if (DiscHitsWall(arena, SwitchPoint(i), 0))
            m_switches = static_cast<uint8_t>(m_switches | (1u << i));
    }
}

Vec2 RobotBody::FloorSensorPoint(int index) const
{
    return RobotToArena(m_pose, kFloorSensorForwardMm, kFloorSensorSideMm[index]);
}

int RobotBody::FloorSensor(const Arena& arena, int index) const
{
    return FloorGreyAt(arena, FloorSensorPoint(index));
}

} // namespace talvex::sim
