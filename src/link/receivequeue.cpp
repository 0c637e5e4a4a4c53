#include "link/receivequeue.h"

namespace talvex {

void ReceiveQueue::PushByte(uint8_t byte)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bytes.push_back(byte);
    }
    m_arrived.notify_all();
}

void ReceiveQueue::PushBytes(const char* bytes, size_t count)
{
    if (count == 0)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (size_t i = 0; i < count; ++i)
            m_bytes.push_back(static_cast<uint8_t>(bytes[i]));
    }
    m_arrived.notify_all();
}

bool ReceiveQueue::PopByte(uint8_t& byte, std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const bool ready = m_arrived.wait_for(lock, limit, [this] { return m_interrupted || !m_bytes.empty(); });
    if (!ready || m_interrupted)
        return false;
    byte = m_bytes.front();
    m_bytes.pop_front();
    return true;
}

size_t ReceiveQueue::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytes.size();
}

void ReceiveQueue::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bytes.clear();
    m_interrupted = false;
}

void ReceiveQueue::Interrupt()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_interrupted = true;
    }
    m_arrived.notify_all();
}

} // namespace talvex
