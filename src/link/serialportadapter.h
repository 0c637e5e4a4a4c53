#pragma once

#include "link/bytelink.h"
#include "link/receivequeue.h"
#include "model/status.h"

#include <QMetaMethod>
#include <QObject>
#include <QSerialPort>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace talvex {

// The one serial port of the robot link, with its receive queue. The port
// object lives on the user-interface thread and is only ever called there;
// the transfer worker reaches it through SendByte (the byte is handed over
// with a queued call) and ReceiveByte (it reads the queue that the receive
// handler fills).
class SerialPortAdapter : public QObject, public ByteLink {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kDefaultSendLimit{2000};
    static constexpr std::chrono::milliseconds kDefaultReceiveLimit{5000};

    explicit SerialPortAdapter(QObject* parent = nullptr);
    ~SerialPortAdapter() override;

    // Opens the device behind port number (1 to 8). On failure error holds the
    // system's message (GBK) and the port stays closed.
    Status OpenPort(int number);
    Status OpenDevice(const QString& device);
    void ClosePort();
    bool IsOpen() const;
    // The device the open port was opened as; empty while closed.
    QString DeviceName() const;

    // Drops whatever the port itself still holds in either direction.
    void DiscardPortBuffers();
    // Drops every byte waiting in the receive queue.
    void ClearReceiveQueue();
    const ReceiveQueue& Queue() const { return m_queue; }

    // Time limits of the two waits; tests shorten them.
    void SetTimeLimits(std::chrono::milliseconds send, std::chrono::milliseconds receive);

    bool SendByte(uint8_t byte) override;
    bool ReceiveByte(uint8_t& byte) override;
    void Interrupt() override;

  signals:
    // The device went away (unplugged, or the other end closed the line); the
    // port has been closed.
    void PortLost();

  public slots:
    // Receive handler: moves every byte the port holds into the receive queue.
    void MSComm1Comm();

  private slots:
    // Writes the byte SendByte has left in m_sendByte; on the port's thread.
    void WritePendingByte();

  private:
    void FinishWrite(bool ok);
    void OnError(QSerialPort::SerialPortError error);
    void SetHandle(qintptr handle);
    // Bytes still waiting in the system's transmit buffer; -1 when the port is gone.
    long PendingOutput();

    QSerialPort m_port;
    QMetaMethod m_writeMethod; // WritePendingByte, looked up once
    QString m_device;
    ReceiveQueue m_queue;

    std::atomic<long long> m_sendLimitMs{kDefaultSendLimit.count()};
    std::atomic<long long> m_receiveLimitMs{kDefaultReceiveLimit.count()};

    // Hand-over of one byte from the worker to the port thread.
    std::mutex m_sendMutex;
    std::condition_variable m_sendDone;
    uint64_t m_sendTicket = 0;    // last byte the worker asked for
    uint8_t m_sendByte = 0;       // its value
    uint64_t m_writtenTicket = 0; // last byte the port thread has handled
    uint64_t m_pendingTicket = 0; // written but still in the port object's buffer (port thread only)
    bool m_writeOk = false;
    std::atomic<uint64_t> m_handledTicket{0}; // m_writtenTicket, for the worker to spin on
    bool m_interrupted = false;

    // The system handle, for the worker to watch the transmit buffer.
    std::mutex m_handleMutex;
    qintptr m_handle = -1;
};

} // namespace talvex
