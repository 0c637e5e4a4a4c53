#include "ptyline.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace talvex::robot {

namespace {

std::string SystemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

bool MakeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    cfsetispeed(&settings, B115200);
    cfsetospeed(&settings, B115200);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

PtyLine::~PtyLine()
{
    Close();
    if (m_log >= 0)
        ::close(m_log);
}

bool PtyLine::Open(std::string& error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        error = SystemError("posix_openpt");
        return false;
    }
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = SystemError("grantpt/unlockpt");
        return false;
    }
    const char* name = ptsname(m_master);
    if (!name) {
        error = SystemError("ptsname");
        return false;
    }
    m_device = name;
    m_heldTerminal = ::open(name, O_RDWR | O_NOCTTY);
    if (m_heldTerminal < 0 || !MakeRaw(m_heldTerminal)) {
        error = SystemError(name);
        return false;
    }
    MakeRaw(m_master);
    return true;
}

bool PtyLine::OpenLog(const std::string& path, std::string& error)
{
    m_log = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (m_log < 0) {
        error = SystemError(path.c_str());
        return false;
    }
    return true;
}

PtyLine::Read PtyLine::ReadByte(uint8_t& byte, int timeoutMs, size_t expected)
{
    if (m_next == m_buffered) {
        if (m_master < 0)
            return Read::kClosed;
        const bool idleWait = timeoutMs < 0;
        if (idleWait)
            timeoutMs = m_idleLimitMs;
        pollfd waiting{m_master, POLLIN, 0};
        int ready = 0;
        do {
            ready = ::poll(&waiting, 1, timeoutMs);
        } while (ready < 0 && errno == EINTR);
        if (ready == 0)
            return idleWait ? Read::kClosed : Read::kTimeout;
        if (expected > 8) {
            const timespec gather{0, static_cast<long>(std::min<size_t>(expected - 4, 64)) * 20000};
            nanosleep(&gather, nullptr);
        }
        ssize_t count = 0;
        do {
            count = ::read(m_master, m_buffer, sizeof m_buffer);
        } while (count < 0 && errno == EINTR);
        if (count <= 0)
            return Read::kClosed; // EIO: the host has closed its end
        if (m_log >= 0 && ::write(m_log, m_buffer, static_cast<size_t>(count)) != count)
            ::close(m_log), m_log = -1;
        m_buffered = static_cast<size_t>(count);
        m_next = 0;
        if (m_heldTerminal >= 0) {
            ::close(m_heldTerminal);
            m_heldTerminal = -1;
        }
    }
    byte = m_buffer[m_next++];
    return Read::kByte;
}

bool PtyLine::Write(const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += static_cast<size_t>(count);
    }
    return true;
}

bool PtyLine::HoldAgain()
{
    if (m_master < 0 || m_heldTerminal >= 0)
        return m_master >= 0;
    m_buffered = m_next = 0;
    m_heldTerminal = ::open(m_device.c_str(), O_RDWR | O_NOCTTY);
    return m_heldTerminal >= 0 && MakeRaw(m_heldTerminal);
}

void PtyLine::Close()
{
    if (m_heldTerminal >= 0)
        ::close(m_heldTerminal);
    if (m_master >= 0)
        ::close(m_master);
    m_heldTerminal = -1;
    m_master = -1;
    m_buffered = m_next = 0;
}

} // namespace talvex::robot
