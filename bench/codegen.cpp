// Generating the program text of a 10,000-block flowchart (goal: under 50 ms).

#include "app/documentcommands.h"
#include "app/documentui.h"
#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "model/canvas.h"
#include "project/document.h"
#include "sampleflowchart.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

namespace talvex {
namespace {

constexpr int kBlocks = 10000;

class SilentUi : public DocumentUi {
  public:
    Answer AskSaveChanges(const std::string&) override { return Answer::No; }
    QString ChooseProjectToOpen() override { return {}; }
    QString ChooseProjectToSave() override { return {}; }
    QString ChooseTextToLoad() override { return {}; }
    QString ChooseTextToSave() override { return {}; }
    void ShowMessage(const std::string&) override {}
};

void BM_GenerateProgram(benchmark::State& state)
{
    CanvasModel canvas;
    FlowList flowchart(canvas);
    bench::FillFlowchart(flowchart, kBlocks);
    size_t lines = 0;
    for (auto _ : state) {
        std::vector<std::string> program;
        const Status status = GenerateProgram(flowchart, program);
        lines = program.size();
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(program);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_GenerateProgram)->Unit(benchmark::kMillisecond);

// The toolbar command: generation plus filling the code view.
void BM_GenerateCommand(benchmark::State& state)
{
    Document document;
    bench::FillFlowchart(document.Flows(), kBlocks);
    QPlainTextEdit memo;
    SilentUi ui;
    DocumentCommands commands(document, memo, ui);
    for (auto _ : state)
        commands.GenerateProgramText();
    state.counters["chars"] = static_cast<double>(memo.toPlainText().size());
}
BENCHMARK(BM_GenerateCommand)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
