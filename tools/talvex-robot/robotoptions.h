#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talvex::robot {

// Packets are counted as the robot receives them within one transfer:
// 0 is the command packet, 1 the header, 2 + k data packet k.
struct Rejection {
    int packet = 0;
    int times = 0;
    uint8_t byte = 0xA5;
};

struct CorruptReply {
    int reply = 0; // 0: first reply, 1: the grant
    int times = 0;
};

struct Options {
    std::string outPath;
    std::string logPath;
    bool loop = false;
    std::vector<Rejection> rejections;
    std::vector<CorruptReply> corruptions;
    std::vector<uint8_t> firstReply{0x4F, 0x4B};
    bool refuseGrant = false;
    bool shortGrant = false;
    int silentAfter = -1;
    int closeAfter = -1;
    int lingerMs = 2000;
    int idleMs = 60000;
    // --arena: show the simulator window and run every program received.
    bool arena = false;
    std::string arenaName = "room";
    std::string tracePath; // the runs' JSON Lines, as talvexc run prints them
    int speed = 1;
};

// Fills options from the command line; false with message set on bad usage,
// or with help set when --help was asked for.
bool ParseOptions(int argc, char** argv, Options& options, std::string& message, bool& help);

const char* UsageText();

} // namespace talvex::robot
