#pragma once

#include <cstdint>

namespace talvex {

// The two byte operations the transfer protocol is built on. Both run on the
// transfer worker; both give up (false) on a line error or when their time
// limit passes, and the transfer then ends with failure.
class ByteLink {
  public:
    virtual ~ByteLink() = default;

    // Writes one byte and returns once it has left the transmit buffer.
    virtual bool SendByte(uint8_t byte) = 0;

    // Takes the oldest received byte, waiting for one if none is there.
    virtual bool ReceiveByte(uint8_t& byte) = 0;

    // Called from another thread to make a waiting SendByte/ReceiveByte (and
    // any later one) fail at once, so that a worker can be stopped promptly.
    virtual void Interrupt() = 0;
};

} // namespace talvex
