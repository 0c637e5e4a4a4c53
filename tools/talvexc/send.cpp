// talvexc send: downloads a program text file to the robot the way the
// download dialog does: same cleaning, same transfer, same result message.

#include "commands.h"

#include "link/downloadprep.h"
#include "link/portnames.h"
#include "link/robotlink.h"
#include "model/gbk.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>

#include <cstdio>
#include <memory>

using namespace talvex;

namespace {

void WriteUtf8Line(std::FILE* out, const std::string& gbk)
{
    const QByteArray text = FromGbk(gbk).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), out);
    std::fputc('\n', out);
    std::fflush(out);
}

// "--port 3" picks the third port as the dialog's list does; anything else is a device.
QString ResolvePort(const QString& port)
{
    bool isNumber = false;
    const int number = port.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= 8)
        return PortDeviceName(number);
    return port;
}

} // namespace

int RunSendCommand(const QStringList& args)
{
    QString port;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--port") && i + 1 < args.size())
            port = args.at(++i);
        else if (path.isEmpty() && !args.at(i).startsWith(QLatin1String("--")))
            path = args.at(i);
        else
            return cli::UsageError();
    }
    if (port.isEmpty() || path.isEmpty())
        return cli::UsageError();

    // The port lives on this thread and needs its event loop during the transfer.
    std::unique_ptr<QCoreApplication> ownApp;
    static int argc = 1;
    static char name[] = "talvexc";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        ownApp = std::make_unique<QCoreApplication>(argc, argv);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cli::WriteError(ToGbk(path + QStringLiteral(": ") + file.errorString()));
        return cli::kExitFailed;
    }
    const std::vector<std::string> lines = SplitLines(file.readAll().toStdString());
    file.close();
    if (lines.empty()) {
        cli::WriteError(Gbk(u8"程序为空，没有下载"));
        return cli::kExitFailed;
    }

    RobotLink link;
    const QString device = ResolvePort(port);
    if (device.isEmpty()) {
        cli::WriteError(Gbk(u8"串口") + port.toStdString() + Gbk(u8"不存在"));
        return cli::kExitFailed;
    }
    if (const Status opened = link.Port().OpenDevice(device); !opened) {
        cli::WriteError(ToGbk(device + QStringLiteral(": ")) + opened.Message());
        return cli::kExitFailed;
    }

    QEventLoop loop;
    bool finished = false;
    bool success = false;
    int byteCount = 0;
    QObject::connect(&link, &RobotLink::TransferProgress, [](int sent, int total) {
        cli::WriteError(Gbk(u8"数据包 ") + std::to_string(sent) + "/" + std::to_string(total));
    });
    QObject::connect(&link, &RobotLink::TransferFinished, [&](int count, bool ok) {
        finished = true;
        byteCount = count;
        success = ok;
        loop.quit();
    });

    Result<RobotLink::Start> started = RobotLink::Start::kNothing;
    Status prepared = RunDownloadPreparation(lines, [&](const QString& path) { started = link.StartTransfer(path); });
    if (prepared && !started)
        prepared = started.GetStatus();
    if (!prepared) {
        cli::WriteError(prepared.Message());
        return cli::kExitFailed;
    }
    if (*started != RobotLink::Start::kStarted)
        return cli::kExitFailed;
    if (!finished)
        loop.exec();
    WriteUtf8Line(stdout, TransferResultText(byteCount, success));
    return success ? cli::kExitOk : cli::kExitFailed;
}
