// Editing, building and painting a large flowchart, with the canvas widget
// attached as in the main window.

#include "model/flowlist.h"
#include "model/canvas.h"
#include "model/ui/canvasview.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

namespace talvex {
namespace {

constexpr int kBlocks = 10000;

// A flowchart of kBlocks blocks shown in a canvas of the main window's size.
struct LargeFlowchart {
    CanvasModel chart;
    FlowList flow{chart};
    TdxFlowChart view{chart};

    LargeFlowchart()
    {
        chart.OnSelection = [this](FcObject* o, FcConnection* c, bool& allow) { flow.SelectionFilter(o, c, allow); };
        view.resize(282, 426);
        flow.BuildNewFlowchart();
        Fill(*this);
    }

    static void Fill(LargeFlowchart& f)
    {
        static const int kinds[] = {1, 2, 5, 9, 10, 15, 20, 28, 31};
        for (int i = 0; i < kBlocks; ++i)
            f.flow.AppendBlock(kinds[i % 9]);
        f.flow.RelayoutFlowchart();
    }

    FcObject* FirstMarker() const { return static_cast<TNormalSpot*>(flow.Item(1))->Marker; }
    FcObject* FirstPanel() const { return static_cast<PanelItem*>(flow.Item(2))->Object; }
};

LargeFlowchart& Shared()
{
    static LargeFlowchart f;
    return f;
}

void BM_InsertBlockAtFirstSpot(benchmark::State& state)
{
    LargeFlowchart& f = Shared();
    for (auto _ : state) {
        f.chart.SelectExclusively(f.FirstMarker());
        f.flow.InsertBlock(1);
        state.PauseTiming();
        f.flow.DeleteBlock(f.FirstPanel());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["blocks"] = f.flow.BlockObjects().size();
}
BENCHMARK(BM_InsertBlockAtFirstSpot)->Unit(benchmark::kMillisecond);

void BM_DeleteBlock(benchmark::State& state)
{
    LargeFlowchart& f = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        QCoreApplication::processEvents();
        f.chart.SelectExclusively(f.FirstMarker());
        f.flow.InsertBlock(2);
        FcObject* panel = f.FirstPanel();
        state.ResumeTiming();
        f.flow.DeleteBlock(panel);
    }
    state.counters["blocks"] = f.flow.BlockObjects().size();
}
BENCHMARK(BM_DeleteBlock)->Unit(benchmark::kMillisecond);

void BM_BuildByAppendAndOneRelayout(benchmark::State& state)
{
    LargeFlowchart& f = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        f.flow.ClearFlowchart();
        f.flow.BuildNewFlowchart();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        LargeFlowchart::Fill(f);
    }
    state.counters["blocks"] = f.flow.BlockObjects().size();
}
BENCHMARK(BM_BuildByAppendAndOneRelayout)->Unit(benchmark::kMillisecond);

void BM_RepaintVisibleCanvas(benchmark::State& state)
{
    LargeFlowchart& f = Shared();
    // Somewhere in the middle of the column, with a block selected.
    FcObject* middle = f.flow.BlockObjects()[kBlocks / 2];
    f.chart.SelectExclusively(middle);
    f.chart.ScrollIntoView(middle);
    QImage image(f.view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        f.view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["objects"] = f.chart.Objects().size();
}
BENCHMARK(BM_RepaintVisibleCanvas)->Unit(benchmark::kMillisecond);

void BM_MemoryPerBlock(benchmark::State& state)
{
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        auto f = std::make_unique<LargeFlowchart>();
        const size_t after = mallinfo2().uordblks;
        state.counters["bytes_per_block"] = static_cast<double>(after - before) / static_cast<double>(kBlocks);
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MemoryPerBlock)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
