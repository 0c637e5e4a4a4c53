#pragma once

#include <cstdint>
#include <string>

namespace talvex::robot {

// The robot's end of a pseudo-terminal pair in raw mode. Until the first byte
// from the host arrives the robot also holds the terminal end open, so that the
// line stays usable before the host has opened it; afterwards the host
// closing its end shows up here as a closed line.
class PtyLine {
  public:
    enum class Read { kByte, kTimeout, kClosed };

    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    bool Open(std::string& error);
    const std::string& Device() const { return m_device; }

    // Every byte read is also appended to the log file, if one is open.
    bool OpenLog(const std::string& path, std::string& error);

    // timeoutMs < 0 waits up to the idle limit, after which the line counts
    // as closed: a robot whose host has died does not linger forever. expected is how many bytes the robot
    // still waits for: with many to come it lets them gather before reading,
    // as a UART buffer would, instead of waking up for every single byte.
    Read ReadByte(uint8_t& byte, int timeoutMs = -1, size_t expected = 1);
    bool Write(const std::string& bytes);
    void Close();
    // After the host has closed its end: holds the terminal end open again,
    // so that the next host can open the same device.
    bool HoldAgain();
    void SetIdleLimit(int milliseconds) { m_idleLimitMs = milliseconds; }

  private:
    int m_master = -1;
    int m_heldTerminal = -1;
    int m_log = -1;
    int m_idleLimitMs = 60000;
    std::string m_device;
    unsigned char m_buffer[512] = {};
    size_t m_buffered = 0;
    size_t m_next = 0;
};

} // namespace talvex::robot
