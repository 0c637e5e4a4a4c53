#pragma once

#include "link/bytelink.h"

#include <QThread>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <utility>

namespace talvex {

// The worker of one transfer: runs the robot sequence over a byte link with
// its own copy of the data. It touches no control. It reports through the
// queued signals Progress and, as its last act, Completed; the values travel
// under the worker's own lock (TakeProgress, Succeeded), so that every
// hand-over between the threads is one the program itself orders.
class TSendDataThread : public QThread {
    Q_OBJECT
  public:
    TSendDataThread(ByteLink& link, std::string data, QObject* parent = nullptr);
    ~TSendDataThread() override;

    // Ends a running sequence as soon as possible (as a failure) and returns
    // without waiting; used when the application quits mid-transfer.
    void Stop();

    // The progress reports (data packets sent, total) not taken yet, oldest first.
    std::deque<std::pair<int, int>> TakeProgress();
    // The result, once Completed has been emitted.
    bool Succeeded() const;

  signals:
    void Progress();
    void Completed();

  protected:
    void run() override;

  private:
    bool Pause(int milliseconds);

    ByteLink& m_link;
    std::string m_data;

    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stopRequested = false;
    bool m_finished = false;
    bool m_success = false;
    std::deque<std::pair<int, int>> m_progress;
};

} // namespace talvex
