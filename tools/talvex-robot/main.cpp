// talvex-robot: a stand-in for the robot at the other end of the download
// cable, on a pseudo-terminal, for tests, benchmarks and trying talvexc.

#include "arenamode.h"
#include "ptyline.h"
#include "robotoptions.h"
#include "robotside.h"
#include "tsansuppressions.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

using namespace talvex::robot;

namespace {

bool WriteProgram(const std::string& path, const std::string& program)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(program.data(), static_cast<std::streamsize>(program.size()));
    return static_cast<bool>(out);
}

// Lets the host read the last acknowledgement before the line goes away.
void Linger(PtyLine& line, int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    uint8_t ignored = 0;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || line.ReadByte(ignored, static_cast<int>(left.count())) == PtyLine::Read::kClosed)
            return;
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string message;
    bool help = false;
    if (!ParseOptions(argc, argv, options, message, help)) {
        std::fprintf(stderr, "talvex-robot: %s\n\n%s", message.c_str(), UsageText());
        return 2;
    }
    if (help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }

    PtyLine line;
    if (!line.Open(message) || (!options.logPath.empty() && !line.OpenLog(options.logPath, message))) {
        std::fprintf(stderr, "talvex-robot: %s\n", message.c_str());
        return 1;
    }
    line.SetIdleLimit(options.idleMs);
    std::printf("%s\n", line.Device().c_str());
    std::fflush(stdout);

    if (options.arena)
        return RunArenaRobot(argc, argv, line, options);

    RobotSide robot(line, options);
    for (;;) {
        std::string program;
        const RobotSide::Outcome outcome = robot.ServeTransfer(program);
        if (outcome == RobotSide::Outcome::kReceived) {
            std::fprintf(stderr, "talvex-robot: received %zu bytes\n", program.size());
            if (!options.outPath.empty() && !WriteProgram(options.outPath, program)) {
                std::fprintf(stderr, "talvex-robot: cannot write %s\n", options.outPath.c_str());
                return 1;
            }
        } else if (outcome == RobotSide::Outcome::kClosed) {
            return 1;
        } else {
            std::fprintf(stderr, "talvex-robot: transfer %s\n",
                         outcome == RobotSide::Outcome::kRefused ? "refused" : "failed");
        }
        if (!options.loop) {
            Linger(line, options.lingerMs);
            return outcome == RobotSide::Outcome::kReceived ? 0 : 1;
        }
    }
}
