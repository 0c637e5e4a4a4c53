#include "link/serialportadapter.h"

#include "link/portnames.h"
#include "model/gbk.h"

#include <QMetaMethod>
#include <QMetaObject>

#include <algorithm>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace talvex {

namespace {

// One byte at 115200 baud, 10 bit times.
constexpr std::chrono::microseconds kByteTime{87};
constexpr std::chrono::microseconds kHandOverSpin{100};

} // namespace

SerialPortAdapter::SerialPortAdapter(QObject* parent) : QObject(parent)
{
    // The robot's line: 115200 8N1, no flow control; taken over when a port opens.
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // No limit on the receive side: no byte may be lost while the worker is slow.
    m_port.setReadBufferSize(0);

    m_writeMethod = metaObject()->method(metaObject()->indexOfSlot("WritePendingByte()"));
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPortAdapter::MSComm1Comm);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPortAdapter::OnError);
    connect(&m_port, &QSerialPort::bytesWritten, this, [this] {
        if (m_pendingTicket != 0 && m_port.bytesToWrite() == 0)
            FinishWrite(true);
    });
}

SerialPortAdapter::~SerialPortAdapter()
{
    Interrupt();
    SetHandle(-1);
}

Status SerialPortAdapter::OpenPort(int number)
{
    const QString device = PortDeviceName(number);
    if (device.isEmpty())
        return Status::Failure(Gbk(u8"串口") + std::to_string(number) + Gbk(u8"不存在"));
    return OpenDevice(device);
}

Status SerialPortAdapter::OpenDevice(const QString& device)
{
    if (m_port.isOpen())
        ClosePort();
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        Status failure =
            Status::Failure(Gbk(u8"无法打开串口") + ToGbk(device) + Gbk(u8"。") + ToGbk(m_port.errorString()));
        m_port.clearError();
        return failure;
    }
    // A pseudo-terminal or a bare adapter has no modem lines; the data path
    // works without them, so a refusal here must not keep the port closed.
    m_port.setRequestToSend(true);
    m_port.setDataTerminalReady(true);
    m_port.clearError();
    SetHandle(m_port.handle());
    m_device = device;
    {
        std::lock_guard<std::mutex> lock(m_sendMutex);
        m_interrupted = false;
    }
    m_queue.Clear();
    return Status();
}

void SerialPortAdapter::ClosePort()
{
    // A transfer that is still writing fails now rather than at its time limit.
    Interrupt();
    SetHandle(-1);
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool SerialPortAdapter::IsOpen() const
{
    return m_port.isOpen();
}

QString SerialPortAdapter::DeviceName() const
{
    return m_port.isOpen() ? m_device : QString();
}

void SerialPortAdapter::DiscardPortBuffers()
{
    if (m_port.isOpen())
        m_port.clear(QSerialPort::AllDirections);
    std::lock_guard<std::mutex> lock(m_sendMutex);
    m_pendingTicket = 0;
    m_interrupted = !m_port.isOpen();
}

void SerialPortAdapter::ClearReceiveQueue()
{
    m_queue.Clear();
}

void SerialPortAdapter::SetTimeLimits(std::chrono::milliseconds send, std::chrono::milliseconds receive)
{
    m_sendLimitMs = send.count();
    m_receiveLimitMs = receive.count();
}

bool SerialPortAdapter::SendByte(uint8_t byte)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_sendLimitMs.load());
    uint64_t ticket = 0;
    {
        std::lock_guard<std::mutex> lock(m_sendMutex);
        if (m_interrupted)
            return false;
        ticket = ++m_sendTicket;
        m_sendByte = byte;
    }
    // The byte itself travels under m_sendMutex, not inside the queued call.
    m_writeMethod.invoke(this, Qt::QueuedConnection);
    // The port thread usually hands the byte over within a few microseconds;
    // catching that without going to sleep keeps the per-byte cost near the
    // line's own byte time.
    const auto spinEnd = std::chrono::steady_clock::now() + kHandOverSpin;
    while (m_handledTicket.load(std::memory_order_acquire) < ticket && std::chrono::steady_clock::now() < spinEnd) {
    }
    {
        std::unique_lock<std::mutex> lock(m_sendMutex);
        const bool handled =
            m_sendDone.wait_until(lock, deadline, [&] { return m_interrupted || m_writtenTicket >= ticket; });
        if (!handled || m_interrupted || !m_writeOk)
            return false;
    }
    // The byte is with the system; wait until it has left the transmit buffer.
    for (;;) {
        const long pending = PendingOutput();
        if (pending < 0)
            return false;
        if (pending == 0)
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        {
            std::lock_guard<std::mutex> lock(m_sendMutex);
            if (m_interrupted)
                return false;
        }
        std::this_thread::sleep_for(std::min(kByteTime * pending, std::chrono::microseconds(2000)));
    }
}

void SerialPortAdapter::WritePendingByte()
{
    uint64_t ticket = 0;
    char c = 0;
    {
        std::lock_guard<std::mutex> lock(m_sendMutex);
        if (m_writtenTicket >= m_sendTicket || m_pendingTicket == m_sendTicket)
            return; // handled by an earlier call
        ticket = m_sendTicket;
        c = static_cast<char>(m_sendByte);
    }
    if (!m_port.isOpen()) {
        FinishWrite(false);
        return;
    }
#ifndef Q_OS_WIN
    // The port's own buffer would only add a copy and a notifier round trip for
    // one byte: hand it to the system directly when nothing else is queued.
    if (m_port.bytesToWrite() == 0) {
        ssize_t written = 0;
        do {
            written = ::write(static_cast<int>(m_port.handle()), &c, 1);
        } while (written < 0 && errno == EINTR);
        if (written == 1) {
            FinishWrite(true);
            return;
        }
    }
#endif
    if (m_port.write(&c, 1) != 1) {
        FinishWrite(false);
        return;
    }
    m_pendingTicket = ticket;
    m_port.flush();
    // If the system would not take the byte yet, bytesWritten finishes it later.
    if (m_pendingTicket != 0 && m_port.bytesToWrite() == 0)
        FinishWrite(true);
}

void SerialPortAdapter::FinishWrite(bool ok)
{
    {
        std::lock_guard<std::mutex> lock(m_sendMutex);
        m_writtenTicket = m_sendTicket;
        m_writeOk = ok;
    }
    m_handledTicket.store(m_writtenTicket, std::memory_order_release);
    m_pendingTicket = 0;
    m_sendDone.notify_all();
}

bool SerialPortAdapter::ReceiveByte(uint8_t& byte)
{
    return m_queue.PopByte(byte, std::chrono::milliseconds(m_receiveLimitMs.load()));
}

void SerialPortAdapter::Interrupt()
{
    {
        std::lock_guard<std::mutex> lock(m_sendMutex);
        m_interrupted = true;
    }
    m_sendDone.notify_all();
    m_queue.Interrupt();
}

void SerialPortAdapter::MSComm1Comm()
{
    if (m_port.bytesAvailable() <= 0)
        return;
    const QByteArray bytes = m_port.readAll();
    m_queue.PushBytes(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void SerialPortAdapter::OnError(QSerialPort::SerialPortError error)
{
    // A terminal that reads end-of-file or fails to read or write has lost its
    // device (unplugged, or the other end hung up); the system would report it
    // again on every event. Close it: any transfer on it fails at once.
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError && error != QSerialPort::WriteError)
        return;
    Interrupt();
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_port.isOpen())
                return;
            ClosePort();
            emit PortLost();
        },
        Qt::QueuedConnection);
}

void SerialPortAdapter::SetHandle(qintptr handle)
{
    std::lock_guard<std::mutex> lock(m_handleMutex);
    m_handle = handle;
}

long SerialPortAdapter::PendingOutput()
{
    std::lock_guard<std::mutex> lock(m_handleMutex);
    if (m_handle == -1)
        return -1;
#ifdef Q_OS_WIN
    COMSTAT status = {};
    DWORD errors = 0;
    if (!ClearCommError(reinterpret_cast<HANDLE>(m_handle), &errors, &status))
        return -1;
    return static_cast<long>(status.cbOutQue);
#else
    int pending = 0;
    // A device without the request has no queue to watch: the byte is out.
    if (::ioctl(static_cast<int>(m_handle), TIOCOUTQ, &pending) != 0)
        return 0;
    return pending;
#endif
}

} // namespace talvex
