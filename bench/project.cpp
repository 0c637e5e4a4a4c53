// Open, Save and the unsaved-changes check on a 10,000-block project
// (goals: Open under 300 ms, Save under 100 ms, check under 100 ms).

#include "app/documentcommands.h"
#include "app/documentui.h"
#include "model/canvas.h"
#include "project/document.h"
#include "project/loader.h"
#include "project/projectfile.h"
#include "sampleflowchart.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace talvex {
namespace {

constexpr int kBlocks = 10000;

class FixedFileUi : public DocumentUi {
  public:
    explicit FixedFileUi(QString file) : m_file(std::move(file)) {}
    Answer AskSaveChanges(const std::string&) override { return Answer::No; }
    QString ChooseProjectToOpen() override { return m_file; }
    QString ChooseProjectToSave() override { return m_file; }
    QString ChooseTextToLoad() override { return {}; }
    QString ChooseTextToSave() override { return {}; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;

  private:
    QString m_file;
};

// A document with a saved 10,000-block project open in it.
struct Fixture {
    Fixture() : ui(dir.filePath(QStringLiteral("big.lcc"))), commands(document, memo, ui)
    {
        bench::FillFlowchart(flowchart, kBlocks);
        commands.SaveAs();
    }
    QTemporaryDir dir;
    Document document;
    FlowList& flowchart = document.Flows();
    QPlainTextEdit memo;
    FixedFileUi ui;
    DocumentCommands commands;
};

void BM_Open(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        f.commands.Open();
    if (!f.ui.messages.empty() || f.flowchart.BlockObjects().size() != kBlocks)
        state.SkipWithError("the project did not open");
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_ReadAndRebuild(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        if (!LoadProjectInto(f.flowchart, f.document.CurrentFileName(), {})) {
            state.SkipWithError("the project did not load");
            break;
        }
    }
}
BENCHMARK(BM_ReadAndRebuild)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        f.commands.Save();
    if (!f.ui.messages.empty())
        state.SkipWithError("the project was not saved");
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_IsDocumentModified(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.document.IsDocumentModified());
}
BENCHMARK(BM_IsDocumentModified)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
