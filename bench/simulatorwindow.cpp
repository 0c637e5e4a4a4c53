// One frame of the simulator window while a program runs: the clock's slice
// of 1/60 s at x1 and at x16, and the arena view painted with the robot, its
// path and 200 walls (goal: 60 frames a second at under half of one core,
// that is under 8.3 ms a frame).

#include "sim/ui/simulatorwindow.h"
#include "sim/ui/arenaview.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

namespace talvex {
namespace {

constexpr int kWalls = 200;
constexpr int64_t kFrameUs = 16667;

// A 4 x 3 m hall with a grid of short walls and a driving program that
// bounces between them.
QString WriteArena(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("walls.arena"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QTextStream out(&file);
    out << "talvex-arena 1\nsize 4000 3000\nstart 200 200 30\nline 0 25 100 1500 3900 1500\n";
    int walls = 0;
    for (int row = 0; walls < kWalls; ++row) {
        for (int column = 0; column < 20 && walls < kWalls; ++column, ++walls) {
            const int x = 400 + column * 180;
            const int y = 450 + row * 250;
            out << "wall " << x << " " << y << " " << x + 60 << " " << y + 40 << " 15\n";
        }
    }
    return path;
}

const char kProgram[] = "qzrobot\r\nstart\r\nlim_loop\r\n{\r\nfdx();\r\nwhile(pc1()+pc2()+pc3()==0)\r\n{\r\n"
                        "a=adc1();\r\n}\r\nbk(30);\r\nrt(40);\r\nled(a%8);\r\n}\r\nend\r\n";

void Frame(benchmark::State& state, int speed)
{
    QTemporaryDir dir;
    sim::SimulatorWindow window;
    window.resize(1100, 700);
    if (!window.SelectArena(WriteArena(dir).toStdString())) {
        state.SkipWithError("arena");
        return;
    }
    window.SetProgram(kProgram);
    window.SetSpeed(speed);
    window.show();
    window.Start();
    auto* view = window.findChild<sim::ArenaView*>();
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    // Some path first, as after a while of running.
    for (int i = 0; i < 600; ++i)
        window.AdvanceFrame(kFrameUs);
    for (auto _ : state) {
        window.AdvanceFrame(kFrameUs);
        QPainter painter(&image);
        view->render(&painter);
    }
    // Frame time x 60: the share of one core that 60 frames a second take.
    state.counters["core_share_at_60fps"] = benchmark::Counter(
        static_cast<double>(state.iterations()) / 60.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_WindowFrame200WallsX1(benchmark::State& state)
{
    Frame(state, 1);
}
void BM_WindowFrame200WallsX16(benchmark::State& state)
{
    Frame(state, 16);
}

BENCHMARK(BM_WindowFrame200WallsX1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowFrame200WallsX16)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
