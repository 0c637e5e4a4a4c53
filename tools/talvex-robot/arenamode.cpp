#include "arenamode.h"

#include "model/gbk.h"
#include "robotside.h"
#include "sim/arenafiles.h"
#include "sim/tracejson.h"
#include "sim/ui/simulatorwindow.h"

#include <QApplication>
#include <QPointer>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

namespace talvex::robot {

int RunArenaRobot(int argc, char** argv, PtyLine& line, const Options& options)
{
    QApplication app(argc, argv);
    sim::SimulatorWindow window;
    window.setWindowTitle(QStringLiteral("仿真 - talvex-robot %1").arg(QString::fromStdString(line.Device())));
    window.SetPhrases(sim::PhraseTexts());
    if (!window.SelectArena(options.arenaName)) {
        std::fprintf(stderr, "talvex-robot: %s\n",
                     FromGbk(sim::LoadArena(options.arenaName).Message()).toLocal8Bit().constData());
        return 2;
    }
    window.SetSpeed(options.speed);

    std::ofstream trace;
    if (!options.tracePath.empty()) {
        trace.open(options.tracePath, std::ios::binary | std::ios::trunc);
        if (!trace) {
            std::fprintf(stderr, "talvex-robot: cannot write %s\n", options.tracePath.c_str());
            return 1;
        }
        QObject::connect(&window, &sim::SimulatorWindow::Record, [&trace](const sim::TraceRecord& record) {
            trace << sim::TraceJson(record) << '\n';
            trace.flush();
        });
    }
    window.show();

    // The line is served until the window goes; a host that closes the port
    // makes room for the next one.
    QPointer<sim::SimulatorWindow> target(&window);
    std::thread server([&line, options, target] {
        RobotSide robot(line, options);
        for (;;) {
            std::string program;
            const RobotSide::Outcome outcome = robot.ServeTransfer(program);
            if (outcome == RobotSide::Outcome::kReceived) {
                std::fprintf(stderr, "talvex-robot: received %zu bytes, running them\n", program.size());
                QMetaObject::invokeMethod(
                    qApp,
                    [target, program] {
                        if (target) {
                            target->SetProgram(program);
                            target->Start();
                        }
                    },
                    Qt::QueuedConnection);
            } else if (outcome == RobotSide::Outcome::kClosed) {
                if (!line.HoldAgain())
                    return;
            }
        }
    });
    const int status = app.exec();
    trace.close();
    // The server may be waiting for a byte that never comes; the process
    // ends here without waiting for it.
    server.detach();
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace talvex::robot
