#include "link/senddatathread.h"

#include "link/transfer.h"

#include <chrono>

namespace talvex {

TSendDataThread::TSendDataThread(ByteLink& link, std::string data, QObject* parent)
    : QThread(parent), m_link(link), m_data(std::move(data))
{
}

TSendDataThread::~TSendDataThread()
{
    Stop();
    wait();
    // Pairs with the worker's last lock in run().
    std::lock_guard<std::mutex> lock(m_mutex);
}

void TSendDataThread::Stop()
{
    bool running = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = true;
        running = !m_finished && isRunning();
    }
    m_stopped.notify_all();
    if (running)
        m_link.Interrupt();
}

std::deque<std::pair<int, int>> TSendDataThread::TakeProgress()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_progress, {});
}

bool TSendDataThread::Succeeded() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_finished && m_success;
}

bool TSendDataThread::Pause(int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_stopped.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stopRequested; });
}

void TSendDataThread::run()
{
    TransferHooks hooks;
    hooks.progress = [this](int sent, int total) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_progress.emplace_back(sent, total);
        }
        emit Progress();
    };
    hooks.pause = [this](int milliseconds) { return Pause(milliseconds); };
    bool stopRequested = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        stopRequested = m_stopRequested;
    }
    const bool success = !stopRequested && RunTransfer(m_link, m_data, hooks);
    m_data.clear();
    m_data.shrink_to_fit();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
        m_success = success;
    }
    emit Completed();
    // The destructor takes this lock after the thread has ended: everything
    // above, the signal included, is ordered before the object goes.
    std::lock_guard<std::mutex> lock(m_mutex);
}

} // namespace talvex
