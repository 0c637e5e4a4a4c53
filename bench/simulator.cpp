// The simulated robot without a screen: 60 simulated seconds of a program
// that drives and turns in the walled room, and of the palette line follower
// on the track (goal: at least 1,000 times real time, under 60 ms a run).

#include "sim/arenafiles.h"
#include "sim/simulation.h"

#include <benchmark/benchmark.h>

namespace talvex {
namespace {

constexpr double kSimulatedSeconds = 60;

const char kDriveAndTurn[] = "qzrobot\r\nstart\r\nlim_loop\r\n{\r\nfd(80);\r\nlt(45);\r\na=pc2();\r\n"
                             "if(a==1)\r\n{\r\nbk(30);\r\nrt(60);\r\n}\r\nmotor(150,90);\r\nwait(70);\r\n"
                             "led(a);\r\n}\r\nend\r\n";

const char kLineFollower[] = "qzrobot\r\nstart\r\nlim_loop\r\n{\r\na=adc0();\r\nc=adc2();\r\nif(a<128)\r\n{\r\n"
                             "motor(40,160);\r\n}\r\nelse if(c<128)\r\n{\r\nmotor(160,40);\r\n}\r\nelse\r\n{\r\n"
                             "motor(160,160);\r\n}\r\n}\r\nend\r\n";

void RunFor60Seconds(benchmark::State& state, const char* program, const char* arenaName)
{
    const Result<sim::Arena> arena = sim::LoadArena(arenaName);
    if (!arena) {
        state.SkipWithError(arena.Message().c_str());
        return;
    }
    size_t records = 0;
    for (auto _ : state) {
        sim::RunOptions options;
        options.limitUs = static_cast<int64_t>(kSimulatedSeconds * 1e6);
        sim::Simulation simulation(program, *arena, options);
        records = 0;
        simulation.SetSink([&](const sim::TraceRecord&) { ++records; });
        simulation.RunToEnd();
        benchmark::DoNotOptimize(simulation.Body().GetPose());
    }
    state.counters["records"] = static_cast<double>(records);
    // Simulated seconds per second of real time.
    state.counters["times_real_time"] =
        benchmark::Counter(kSimulatedSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DriveAndTurn60s(benchmark::State& state)
{
    RunFor60Seconds(state, kDriveAndTurn, "room");
}
void BM_LineFollower60s(benchmark::State& state)
{
    RunFor60Seconds(state, kLineFollower, "line");
}
void BM_DriveAndTurnInTheMaze60s(benchmark::State& state)
{
    RunFor60Seconds(state, kDriveAndTurn, "maze");
}

BENCHMARK(BM_DriveAndTurn60s)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineFollower60s)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DriveAndTurnInTheMaze60s)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
