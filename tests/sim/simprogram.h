#pragma once

// Small builders shared by the simulator tests.

#include "sim/arena.h"

#include <gtest/gtest.h>

#include <string>

namespace talvex::testing {

// A program text with its frame: line 1 "qzrobot", line 2 "start", the body
// from line 3 on, then "end".
inline std::string Framed(const std::string& body)
{
    std::string text = "qzrobot\r\nstart\r\n";
    size_t from = 0;
    while (from < body.size()) {
        size_t to = body.find('\n', from);
        if (to == std::string::npos)
            to = body.size();
        text += body.substr(from, to - from) + "\r\n";
        from = to + 1;
    }
    return text + "end\r\n";
}

// A walled room of 2000 x 1500 mm, walls 20 mm thick along the edges (their
// inner faces at 20 and 1980, 1480), the robot starting at the given pose.
inline sim::Arena Room(double x = 400, double y = 750, double heading = 0)
{
    const std::string text = "talvex-arena 1\nsize 2000 1500\nfloor 200\nstart " + std::to_string(x) + " " +
                             std::to_string(y) + " " + std::to_string(heading) +
                             "\nwall 10 10 1990 10\nwall 1990 10 1990 1490\nwall 1990 1490 10 1490\n"
                             "wall 10 1490 10 10\n";
    Result<sim::Arena> arena = sim::ParseArena(text);
    EXPECT_TRUE(arena) << arena.Message();
    return arena ? *arena : sim::Arena{};
}

} // namespace talvex::testing
