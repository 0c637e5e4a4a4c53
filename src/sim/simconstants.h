#pragma once

// Every number the simulated robot is made of, in one place; docs/simulator.md
// states them for teachers. Lengths in millimetres, angles in degrees, times
// in microseconds of the virtual clock unless the name says otherwise.

#include <cstdint>

namespace talvex::sim {

// Body and drive. The body is a disc for collisions; the wheels sit on the
// axis through its centre.
constexpr double kBodyRadiusMm = 75.0;
constexpr double kWheelBaseMm = 120.0;
// A motor value of 255 drives its wheel at this speed; speeds scale linearly.
constexpr double kFullSpeedMmPerS = 300.0;
constexpr int kMaxMotorValue = 255;
// The motor values of the drive and turn statements (fdx, bkx, ltx, rtx and
// their timed forms). Turns spin on the spot.
constexpr int kDriveMotorValue = 200;
constexpr int kTurnMotorValue = 100;

// Bump switches pc0..pc4 on the front edge, from the robot's left to its
// right, at these angles from straight ahead (counter-clockwise positive).
constexpr int kSwitchCount = 5;
constexpr double kSwitchAnglesDeg[kSwitchCount] = {60.0, 30.0, 0.0, -30.0, -60.0};
// A switch closes when a wall comes this close to the body's edge at its angle.
constexpr double kSwitchReachMm = 2.0;

// Downward floor-light sensors: adc0..adc2, in front of the centre, left,
// middle and right. adcN reads the floor's grey under it, 0 black to 255 white.
constexpr int kFloorSensorCount = 3;
constexpr double kFloorSensorForwardMm = 60.0;
constexpr double kFloorSensorSideMm[kFloorSensorCount] = {20.0, 0.0, -20.0};
constexpr int kAdcCount = 8;
// adc3..adc7 are wired to nothing and read half scale.
constexpr int kUnwiredAdcValue = 128;

// Ports a..d. A pin set as an output reads back what the program drives on
// it; an input pin reads its wiring: port c pins 0..4 are the bump switches
// (1 while pressed, like pc0..pc4), every other input pin reads 0.
constexpr int kPortCount = 4;
constexpr int kSwitchPort = 2;
// pcx() and a switch that is not pressed read this.
constexpr int kSwitchReleased = 0;
constexpr int kSwitchPressed = 1;

// Servos #1..#5: positions 0..18 (9 the middle) stand for 0..180 degrees; a
// servo moves towards its target at speed × this many degrees per second.
constexpr int kServoCount = 5;
constexpr int kServoMiddle = 9;
constexpr int kServoMaxPosition = 18;
constexpr double kServoDegreesPerPosition = 10.0;
constexpr double kServoDegPerSPerSpeed = 60.0;

// The virtual clock.
constexpr int64_t kUsPerMs = 1000;
// What one statement costs, so that a loop without waits still lets time pass.
constexpr int64_t kStatementCostUs = 100;
// The robot's motion is integrated in steps of this length.
constexpr int64_t kPhysicsStepUs = 1000;
// A run stops when the clock reaches its limit; talvexc run's --seconds
// defaults to this many seconds.
constexpr int kDefaultRunSeconds = 60;

// Melody notes: a quarter beat lasts this long (one beat is 500 ms, 120 beats a
// minute). Pitch code p in range r is keyboard button p + r; button 8 is
// middle C.
constexpr int kQuarterBeatMs = 125;
constexpr int kMiddleCButton = 8;
constexpr double kMiddleCHz = 261.63;

// After a clap (a key in the arena window, or --clap) mic() reads 1 for this
// long, like the sound module's output pulse.
constexpr int64_t kClapHoldMs = 200;

// The voice module speaks in the background: voicex costs one statement.

} // namespace talvex::sim
