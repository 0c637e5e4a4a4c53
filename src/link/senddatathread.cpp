#include "link/senddatathread.h"

#include "link/transfer.h"

#include <chrono>

namespace talvex {

TSendDataThread::TSendDataThread(ByteLink& link, std::string data, QObject* parent)
    : QThread(parent)
    , m_link(link)
    , m_data(std::move(data))
{
}

TSendDataThread::~TSendDataThread()
{
    Stop();
    wait();
}

void TSendDataThread::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_stopRequested = true;
    }
    m_stopped.notify_all();
    if (isRunning())
        m_link.Interrupt();
}

bool TSendDataThread::Pause(int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_stopMutex);
    return !m_stopped.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stopRequested; });
}

void TSendDataThread::run()
{
    TransferHooks hooks;
    hooks.progress = [this](int sent, int total) { emit Progress(sent, total); };
    hooks.pause = [this](int milliseconds) { return Pause(milliseconds); };
    bool success = false;
    {
        std::unique_lock<std::mutex> lock(m_stopMutex);
        success = !m_stopRequested;
    }
    if (success)
        success = RunTransfer(m_link, m_data, hooks);
    m_data.clear();
    m_data.shrink_to_fit();
    emit Completed(success);
}

} // namespace talvex
