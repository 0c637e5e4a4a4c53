#pragma once

#include "sim/arena.h"
#include "sim/geometry.h"

#include <cstdint>

namespace talvex::sim {

// The robot's body on the arena: a differential drive whose two wheels run at
// speeds set from motor values, a disc that walls stop, bump switches on its
// front and floor-light sensors under it.
class RobotBody {
  public:
    void Reset(const Pose& pose);

    // Motor values -255..255 (clamped); positive drives the wheel forwards.
    void SetMotors(int left, int right);
    int LeftMotor() const { return m_left; }
    int RightMotor() const { return m_right; }

    // Moves the body for the given time along the arc its wheels make, up to
    // the first wall in the way, and updates the switches.
    void Step(const Arena& arena, double seconds);

    const Pose& GetPose() const { return m_pose; }
    // Bit i set: switch pc<i> is pressed.
    uint8_t Switches() const { return m_switches; }
    // Whether the last step ended against a wall short of where the wheels went.
    bool Blocked() const { return m_blocked; }

    // Floor sensor i (0..kFloorSensorCount-1): the grey under it.
    int FloorSensor(const Arena& arena, int index) const;
    Vec2 FloorSensorPoint(int index) const;
    Vec2 SwitchPoint(int index) const;

    void UpdateSwitches(const Arena& arena);

  private:
    Pose m_pose;
    int m_left = 0;
    int m_right = 0;
    uint8_t m_switches = 0;
    bool m_blocked = false;
};

} // namespace talvex::sim
