#pragma once

#include "ptyline.h"
#include "robotoptions.h"

#include <string>
#include <vector>

namespace talvex::robot {

// The robot's half of a download, with the faults the options ask for.
class RobotSide {
  public:
    enum class Outcome {
        kReceived, // every data packet arrived; program holds them
        kRefused,  // the robot did not grant the transfer
        kFailed,   // the host gave up on a reply, or the robot fell silent
        kClosed,   // the line is closed
    };

    RobotSide(PtyLine& line, const Options& options);

    Outcome ServeTransfer(std::string& program);

  private:
    enum class Packet { kGood, kSilent, kClosed };

    Packet ReceivePacket(int index, std::vector<uint8_t>& data);
    bool SendReply(int reply, const std::vector<uint8_t>& data);
    Outcome GoSilent();

    PtyLine& m_line;
    Options m_options; // rejection and corruption counts are used up as they happen
};

} // namespace talvex::robot
