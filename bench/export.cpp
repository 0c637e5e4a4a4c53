// Exporting a 1,000-block flowchart (goals: PNG under 1 s, PDF under 2 s)
// and a 10,000-block one to PNG, whose memory stays that of one strip.

#include "render/flowchartexport.h"
#include "sampleflowchart.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace talvex {
namespace {

struct Fixture {
    explicit Fixture(int blocks) { bench::FillFlowchart(flowchart, blocks); }
    QTemporaryDir dir;
    CanvasModel canvas;
    FlowList flowchart{canvas};
};

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Export(benchmark::State& state, int blocks, const char* name)
{
    Fixture f(blocks);
    const QString file = f.dir.filePath(QLatin1String(name));
    for (auto _ : state) {
        if (ExportFlowchart(f.canvas, file, QStringLiteral("bench.lcc")))
            state.SkipWithError("export failed");
    }
    state.counters["file_kb"] = static_cast<double>(QFileInfo(file).size()) / 1024;
    state.counters["peak_rss_mb"] = static_cast<double>(PeakRssKb()) / 1024;
}

void BM_Export1000ToPng(benchmark::State& state)
{
    Export(state, 1000, "chart.png");
}
BENCHMARK(BM_Export1000ToPng)->Unit(benchmark::kMillisecond);

void BM_Export1000ToPdf(benchmark::State& state)
{
    Export(state, 1000, "chart.pdf");
}
BENCHMARK(BM_Export1000ToPdf)->Unit(benchmark::kMillisecond);

void BM_Export1000ToSvg(benchmark::State& state)
{
    Export(state, 1000, "chart.svg");
}
BENCHMARK(BM_Export1000ToSvg)->Unit(benchmark::kMillisecond);

void BM_Export10000ToPng(benchmark::State& state)
{
    Export(state, 10000, "chart.png");
}
BENCHMARK(BM_Export10000ToPng)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace talvex
