#pragma once

#include <cmath>

namespace talvex::sim {

constexpr double kPi = 3.14159265358979323846;

inline double DegToRad(double deg)
{
    return deg * kPi / 180.0;
}
inline double RadToDeg(double rad)
{
    return rad * 180.0 / kPi;
}

struct Vec2 {
    double x = 0;
    double y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b)
{
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b)
{
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double k)
{
    return {a.x * k, a.y * k};
}
inline double Dot(Vec2 a, Vec2 b)
{
    return a.x * b.x + a.y * b.y;
}

// Squared distance from p to the segment a-b.
inline double SegmentDistanceSq(Vec2 p, Vec2 a, Vec2 b)
{
    const Vec2 ab = b - a;
    const double lengthSq = Dot(ab, ab);
    double t = lengthSq > 0 ? Dot(p - a, ab) / lengthSq : 0.0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const Vec2 d = p - (a + ab * t);
    return Dot(d, d);
}

// The robot's place on the arena: x to the right, y up, heading 0 along +x
// and growing counter-clockwise.
struct Pose {
    double x = 0;
    double y = 0;
    double headingDeg = 0;
};

// A point given in the robot's own frame (forward, left) on the arena.
inline Vec2 RobotToArena(const Pose& pose, double forward, double left)
{
    const double h = DegToRad(pose.headingDeg);
    const double c = std::cos(h);
    const double s = std::sin(h);
    return {pose.x + forward * c - left * s, pose.y + forward * s + left * c};
}

// Heading brought into [0, 360).
inline double NormalizeHeading(double deg)
{
    double h = std::fmod(deg, 360.0);
    if (h < 0)
        h += 360.0;
    return h >= 360.0 ? 0.0 : h;
}

} // namespace talvex::sim
