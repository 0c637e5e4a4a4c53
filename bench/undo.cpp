// Undo and redo on a 10,000-block flowchart (goal: under 5 ms each) and the
// history's memory (goal: under 2 MB for 1,000 steps, in proportion beyond).

#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "project/document.h"
#include "sampleflowchart.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

namespace talvex {
namespace {

constexpr int kBlocks = 10000;

// A delay block's node text for a given wait.
std::string DelayNode(int wait)
{
    CtrlNode node = NewCtrlNode(5);
    AddIntParam(node, "wait", wait);
    return FormatCtrlNode(node);
}

struct Fixture {
    Document document;
    Fixture() { bench::FillFlowchart(document.Flows(), kBlocks); }

    // The block panel in the middle of the column, and the marker above it.
    int Middle() const { return (kBlocks / 2) * 2; }
    FcObject* MiddleBlock() { return static_cast<PanelItem*>(document.Flows().Item(Middle()))->Object; }
    FcObject* MarkerAbove() { return static_cast<TNormalSpot*>(document.Flows().Item(Middle() - 1))->Marker; }

    void InsertInTheMiddle()
    {
        document.Canvas().SelectExclusively(MarkerAbove());
        document.InsertBlock(5);
    }
};

Fixture& Shared()
{
    static Fixture f;
    return f;
}

// Times undoing the last step; it is redone, untimed, after each undo.
void TimeUndo(benchmark::State& state, Document& document)
{
    for (auto _ : state) {
        document.Undo();
        state.PauseTiming();
        document.Redo();
        state.ResumeTiming();
    }
}

// Times redoing the last step; it is undone, untimed, before each redo.
void TimeRedo(benchmark::State& state, Document& document)
{
    for (auto _ : state) {
        state.PauseTiming();
        document.Undo();
        state.ResumeTiming();
        document.Redo();
    }
}

void BM_UndoInsert(benchmark::State& state)
{
    Fixture& f = Shared();
    f.InsertInTheMiddle();
    TimeUndo(state, f.document);
    f.document.DeleteBlock(f.MiddleBlock());
    f.document.ClearHistory();
}
BENCHMARK(BM_UndoInsert)->Unit(benchmark::kMillisecond);

void BM_RedoInsert(benchmark::State& state)
{
    Fixture& f = Shared();
    f.InsertInTheMiddle();
    TimeRedo(state, f.document);
    f.document.DeleteBlock(f.MiddleBlock());
    f.document.ClearHistory();
}
BENCHMARK(BM_RedoInsert)->Unit(benchmark::kMillisecond);

void BM_UndoDelete(benchmark::State& state)
{
    Fixture& f = Shared();
    f.document.DeleteBlock(f.MiddleBlock());
    TimeUndo(state, f.document);
    f.document.Undo();
    f.document.ClearHistory();
}
BENCHMARK(BM_UndoDelete)->Unit(benchmark::kMillisecond);

void BM_RedoDelete(benchmark::State& state)
{
    Fixture& f = Shared();
    f.document.DeleteBlock(f.MiddleBlock());
    TimeRedo(state, f.document);
    f.document.Undo();
    f.document.ClearHistory();
}
BENCHMARK(BM_RedoDelete)->Unit(benchmark::kMillisecond);

void BM_UndoPropertyChange(benchmark::State& state)
{
    Fixture& f = Shared();
    f.document.ChangeBlock(f.MiddleBlock(), DelayNode(77), std::nullopt);
    TimeUndo(state, f.document);
    f.document.Undo();
    f.document.ClearHistory();
}
BENCHMARK(BM_UndoPropertyChange)->Unit(benchmark::kMillisecond);

void BM_RedoPropertyChange(benchmark::State& state)
{
    Fixture& f = Shared();
    f.document.ChangeBlock(f.MiddleBlock(), DelayNode(77), std::nullopt);
    TimeRedo(state, f.document);
    f.document.Undo();
    f.document.ClearHistory();
}
BENCHMARK(BM_RedoPropertyChange)->Unit(benchmark::kMillisecond);

// Heap taken by a history of `steps` steps: inserts and deletes in pairs (the
// flowchart keeps its size) and property changes, a third each.
void BM_HistoryMemory(benchmark::State& state)
{
    const auto steps = static_cast<int>(state.range(0));
    Fixture& f = Shared();
    for (auto _ : state) {
        f.document.ClearHistory();
        const size_t before = mallinfo2().uordblks;
        int made = 0;
        while (made < steps) {
            if (made % 3 == 2 || steps - made < 2 || steps > 10000) {
                f.document.ChangeBlock(f.MiddleBlock(), DelayNode(made % 1000), std::nullopt);
                ++made;
            } else {
                f.InsertInTheMiddle();
                f.document.DeleteBlock(f.MiddleBlock());
                made += 2;
            }
        }
        const size_t after = mallinfo2().uordblks;
        state.counters["steps"] = static_cast<double>(f.document.HistorySize());
        state.counters["history_bytes"] = static_cast<double>(after - before);
        state.counters["bytes_per_step"] = static_cast<double>(after - before) / steps;
        state.PauseTiming();
        f.document.ClearHistory();
        state.ResumeTiming();
    }
}
// 100,000 steps are property changes only: 100,000 relayouts of the column
// would take minutes without saying more about memory.
BENCHMARK(BM_HistoryMemory)->Arg(1000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
