#pragma once

#include "model/status.h"
#include "sim/geometry.h"

#include <string>
#include <vector>

namespace talvex::sim {

// A wall is a straight bar between two points; it stops the robot's body.
struct Wall {
    Vec2 a;
    Vec2 b;
    double thickness = 20;
};

// Paint on the floor, read by the floor-light sensors. A line is a polyline
// of some width; an area is a rectangle or a disc. Later marks paint over
// earlier ones.
struct FloorMark {
    enum class Shape { kLine, kRect, kDisc };
    Shape shape = Shape::kLine;
    int grey = 0; // 0 black .. 255 white
    double width = 0;
    std::vector<Vec2> points; // line: the corners; rect: two opposite corners; disc: the centre
    double radius = 0;
    // The box the mark lies in, so that a sensor far from it looks no further.
    Vec2 boundsMin;
    Vec2 boundsMax;
};

// A solid block standing on the floor, axis-aligned.
struct Obstacle {
    Vec2 min;
    Vec2 max;
};

struct Arena {
    std::string name; // GBK
    double width = 2000;
    double height = 1500;
    int floorGrey = 255;
    Pose start;
    std::vector<Wall> walls;
    std::vector<Obstacle> obstacles;
    std::vector<FloorMark> marks;
};

// Reads the arena text format (docs/simulator.md); a failure's message names
// the line.
Result<Arena> ParseArena(const std::string& text);
// Reads an arena file; a failure's message names the file.
Result<Arena> ReadArenaFile(const std::string& path);

// The grey level of the floor at p; outside the arena 0.
int FloorGreyAt(const Arena& arena, Vec2 p);

// Whether a disc of the radius at p overlaps a wall or an obstacle or leaves
// the arena: its edges are walls too.
bool DiscHitsWall(const Arena& arena, Vec2 p, double radius);

} // namespace talvex::sim
