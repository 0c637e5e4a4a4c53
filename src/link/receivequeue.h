#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

namespace talvex {

// Bytes received from the robot, in arrival order. The user-interface thread
// pushes what the port delivers; the transfer worker pops, waiting with a time
// limit. Every operation takes the one mutex; a waiting pop does not hold it.
class ReceiveQueue {
  public:
    void PushByte(uint8_t byte);
    void PushBytes(const char* bytes, size_t count);

    // Removes the oldest byte into byte. Waits up to limit for one to arrive;
    // false when none came in time or the wait was interrupted.
    bool PopByte(uint8_t& byte, std::chrono::milliseconds limit);

    size_t Count() const;

    // Drops every waiting byte and ends an interruption.
    void Clear();

    // Makes waiting and later pops fail at once until the next Clear: the line
    // is gone or the transfer is being stopped, so no byte will come.
    void Interrupt();

  private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<uint8_t> m_bytes;
    bool m_interrupted = false;
};

} // namespace talvex
