#pragma once

#include "link/serialportadapter.h"
#include "model/status.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>

namespace talvex {

class TSendDataThread;

// The robot link as the download dialog and talvexc use it: the serial port
// with its receive queue, and at most one running transfer. Lives on the
// user-interface thread, whose event loop must run during a transfer: it
// delivers the received bytes and the worker's writes.
class RobotLink : public QObject {
    Q_OBJECT
  public:
    enum class Start {
        kNothing, // no file at the path: nothing happens, nothing is reported
        kStarted, // the worker runs; TransferFinished follows
    };

    explicit RobotLink(QObject* parent = nullptr);
    ~RobotLink() override;

    SerialPortAdapter& Port() { return m_port; }

    // Starts sending the bytes of the file at path. The file is read completely
    // before this returns, so the caller may delete it right away. A refusal
    // (nothing was sent) carries the reason.
    Result<Start> StartTransfer(const QString& path);
    bool IsTransferRunning() const { return m_worker != nullptr; }

    // The last transfer: its byte count and whether it succeeded.
    int TransferByteCount() const { return m_transferByteCount; }
    bool TransferResult() const { return m_transferResult; }

    // Ends a running transfer without reporting it; waits for the worker.
    void StopTransfer();

  signals:
    void TransferProgress(int sent, int total);
    // The transfer has ended and its worker is gone.
    void TransferFinished(int byteCount, bool success);

  private:
    void OnWorkerCompleted(uint64_t generation);

    SerialPortAdapter m_port;
    TSendDataThread* m_worker = nullptr;
    uint64_t m_generation = 0;
    int m_transferByteCount = 0;
    bool m_transferResult = false;
};

// The texts of the result message: N followed by the outcome.
std::string TransferResultText(int byteCount, bool success);

} // namespace talvex
