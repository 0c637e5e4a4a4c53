// A download of 8000 bytes to the virtual robot on a pseudo-terminal, through
// the same link the dialog uses. The protocol's own floor is one 50 ms pause
// per data packet (125 packets: 6.25 s); the counters give the measured time
// against that floor and the cost of everything else per byte.

#include "link/packet.h"
#include "link/robotlink.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace talvex;

namespace {

constexpr int kBytes = 8000;

void BM_Download8000(benchmark::State& state)
{
    QProcess robot;
    robot.start(QCoreApplication::applicationDirPath() + "/../tools/talvex-robot", {"--loop"});
    if (!robot.waitForStarted(5000) || !robot.waitForReadyRead(5000)) {
        state.SkipWithError("talvex-robot did not start");
        return;
    }
    const QString device = QString::fromLocal8Bit(robot.readLine()).trimmed();

    QTemporaryDir dir;
    const QString path = dir.filePath("prepared");
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        QByteArray data(kBytes, '\0');
        for (int i = 0; i < kBytes; ++i)
            data[i] = static_cast<char>("fd(20);\r\n"[i % 9]);
        file.write(data);
    }

    RobotLink link;
    if (const Status opened = link.Port().OpenDevice(device); !opened) {
        state.SkipWithError(opened.Message().c_str());
        return;
    }

    double totalSeconds = 0;
    for (auto _ : state) {
        QEventLoop loop;
        bool success = false;
        auto connection = QObject::connect(&link, &RobotLink::TransferFinished, [&](int, bool ok) {
            success = ok;
            loop.quit();
        });
        const auto start = std::chrono::steady_clock::now();
        const Result<RobotLink::Start> started = link.StartTransfer(path);
        if (!started || *started != RobotLink::Start::kStarted) {
            state.SkipWithError(started ? "no file to send" : started.Message().c_str());
            break;
        }
        loop.exec();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        QObject::disconnect(connection);
        if (!success) {
            state.SkipWithError("transfer failed");
            break;
        }
        state.SetIterationTime(seconds);
        totalSeconds += seconds;
    }
    link.Port().ClosePort();
    robot.kill();
    robot.waitForFinished(5000);

    const double floorSeconds = DataPacketCount(kBytes) * kPauseAfterDataPacketMs / 1000.0;
    const double mean = state.iterations() > 0 ? totalSeconds / static_cast<double>(state.iterations()) : 0;
    state.counters["ratio_to_floor"] = mean / floorSeconds;
    state.counters["overhead_us_per_byte"] = (mean - floorSeconds) * 1e6 / kBytes;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
}

BENCHMARK(BM_Download8000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
