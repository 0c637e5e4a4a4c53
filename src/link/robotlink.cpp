#include "link/robotlink.h"

#include "link/packet.h"
#include "link/senddatathread.h"
#include "model/gbk.h"

#include <QCoreApplication>
#include <QFile>

namespace talvex {

RobotLink::RobotLink(QObject* parent) : QObject(parent), m_port(this)
{
    // Quitting mid-transfer: stop the worker while everything it uses still exists.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &RobotLink::StopTransfer);
}

RobotLink::~RobotLink()
{
    StopTransfer();
}

Result<RobotLink::Start> RobotLink::StartTransfer(const QString& path)
{
    auto refuse = [](std::string message) { return Status::Failure(std::move(message)); };
    if (!QFile::exists(path))
        return Start::kNothing;
    if (m_worker)
        return refuse(Gbk(u8"正在下载，请等待本次下载结束"));

    QFile file(path);
    const std::string unreadable = Gbk(u8"无法读取要下载的文件") + ToGbk(path) + Gbk(u8"。");
    if (!file.open(QIODevice::ReadOnly))
        return refuse(unreadable + ToGbk(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refuse(unreadable + ToGbk(file.errorString()));
    file.close();

    if (!m_port.IsOpen())
        return refuse(Gbk(u8"串口未打开，请先打开串口"));
    if (bytes.size() > kMaxTransferBytes) {
        return refuse(Gbk(u8"程序共") + std::to_string(bytes.size()) + Gbk(u8"字节，超过一次下载的上限") +
                      std::to_string(kMaxTransferBytes) + Gbk(u8"字节，没有发送"));
    }

    m_port.ClearReceiveQueue();
    m_port.DiscardPortBuffers();
    m_transferByteCount = static_cast<int>(bytes.size());
    m_transferResult = false;

    m_worker = new TSendDataThread(m_port, bytes.toStdString());
    const uint64_t generation = ++m_generation;
    connect(
        m_worker, &TSendDataThread::Progress, this,
        [this, generation] {
            if (!m_worker || generation != m_generation)
                return;
            for (const auto& [sent, total] : m_worker->TakeProgress())
                emit TransferProgress(sent, total);
        },
        Qt::QueuedConnection);
    connect(
        m_worker, &TSendDataThread::Completed, this, [this, generation] { OnWorkerCompleted(generation); },
        Qt::QueuedConnection);
    m_worker->start();
    return Start::kStarted;
}

void RobotLink::OnWorkerCompleted(uint64_t generation)
{
    // A worker stopped by StopTransfer may still have its report on the way.
    if (!m_worker || generation != m_generation)
        return;
    // Reports not taken yet go out before the end.
    for (const auto& [sent, total] : m_worker->TakeProgress())
        emit TransferProgress(sent, total);
    const bool success = m_worker->Succeeded();
    // Completed is the worker's last act, so this wait is over at once.
    delete m_worker;
    m_worker = nullptr;
    m_transferResult = success;
    emit TransferFinished(m_transferByteCount, m_transferResult);
}

void RobotLink::StopTransfer()
{
    if (!m_worker)
        return;
    m_worker->Stop();
    delete m_worker; // waits for the sequence to give up
    m_worker = nullptr;
}

std::string TransferResultText(int byteCount, bool success)
{
    return std::to_string(byteCount) + Gbk(success ? u8"字节数据发送成功" : u8"字节数据发送失败");
}

} // namespace talvex
