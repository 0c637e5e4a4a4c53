#pragma once

#include "link/bytelink.h"

#include <QThread>

#include <condition_variable>
#include <mutex>
#include <string>

namespace talvex {

// The worker of one transfer: runs the robot sequence over a byte link with
// its own copy of the data. It touches no control; it reports through
// Progress and, as its last act, Completed (connect both queued).
class TSendDataThread : public QThread {
    Q_OBJECT
public:
    TSendDataThread(ByteLink& link, std::string data, QObject* parent = nullptr);
    ~TSendDataThread() override;

    // Ends a running sequence as soon as possible (as a failure) and returns
    // without waiting; used when the application quits mid-transfer.
    void Stop();

signals:
    void Progress(int sent, int total);
    void Completed(bool success);

protected:
    void run() override;

private:
    bool Pause(int milliseconds);

    ByteLink& m_link;
    std::string m_data;

    std::mutex m_stopMutex;
    std::condition_variable m_stopped;
    bool m_stopRequested = false;
};

} // namespace talvex
