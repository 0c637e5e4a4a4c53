// Zoomed painting and pasting a block in a large flowchart, with the canvas
// widget attached as in the main window.

#include "model/ui/canvasview.h"
#include "project/blockclip.h"
#include "project/document.h"
#include "sampleflowchart.h"

#include <QCoreApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace talvex {
namespace {

constexpr int kBlocks = 10000;

struct LargeDocument {
    Document document;
    TdxFlowChart view{document.Canvas()};

    LargeDocument()
    {
        view.resize(282, 426);
        bench::FillFlowchart(document.Flows(), kBlocks);
        QCoreApplication::processEvents();
    }

    FcObject* FirstMarker() { return static_cast<TNormalSpot*>(document.Flows().Item(1))->Marker; }
};

LargeDocument& Shared()
{
    static LargeDocument d;
    return d;
}

void BM_RepaintVisibleCanvasZoomed(benchmark::State& state)
{
    LargeDocument& d = Shared();
    d.view.SetZoom(static_cast<int>(state.range(0)));
    // Somewhere in the middle of the column, with a block selected.
    FcObject* middle = d.document.Flows().BlockObjects()[kBlocks / 2];
    d.document.Canvas().SelectExclusively(middle);
    d.document.Canvas().ScrollIntoView(middle);
    QImage image(d.view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        d.view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    d.view.ResetZoom();
    state.counters["blocks"] = kBlocks;
}
BENCHMARK(BM_RepaintVisibleCanvasZoomed)->Arg(300)->Arg(50)->Unit(benchmark::kMillisecond);

// What Ctrl+V does once the clipboard's bytes are read: decode, insert with
// the loaded caption, select.
void BM_PasteBlock(benchmark::State& state)
{
    LargeDocument& d = Shared();
    const std::string bytes = EncodeClipBlock(*d.document.CopyBlock(d.document.Flows().BlockObjects()[kBlocks / 3]));
    const std::vector<std::string> phrases;
    for (auto _ : state) {
        state.PauseTiming();
        d.document.Canvas().SelectExclusively(d.FirstMarker());
        state.ResumeTiming();
        const Result<ClipBlock> block = DecodeClipBlock(bytes);
        FcObject* pasted = d.document.PasteBlock(*block, phrases);
        state.PauseTiming();
        d.document.DeleteBlock(pasted);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["blocks"] = static_cast<double>(d.document.Flows().BlockObjects().size());
}
BENCHMARK(BM_PasteBlock)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
