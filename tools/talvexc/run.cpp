// talvexc run: the simulated robot without a screen. The program runs as the
// robot would run it after a download (same cleaning), on the virtual clock,
// and every change of state is printed as one line of JSON.

#include "commands.h"

#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "link/downloadprep.h"
#include "model/gbk.h"
#include "project/filebytes.h"
#include "project/loader.h"
#include "project/projectfile.h"
#include "sim/arenafiles.h"
#include "sim/simulation.h"
#include "sim/tracejson.h"

#include <QFileInfo>

#include <cmath>

namespace talvex::cli {

namespace {

constexpr double kMaxSeconds = 24 * 3600;

struct RunArguments {
    QString path;
    std::string arena = sim::kDefaultArenaName;
    double seconds = sim::kDefaultRunSeconds;
    std::vector<int64_t> clapsMs;
};

bool ParseRunArguments(const QStringList& args, RunArguments& out)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--arena") && hasValue) {
            out.arena = args.at(++i).toUtf8().toStdString();
        } else if (arg == QLatin1String("--seconds") && hasValue) {
            bool ok = false;
            out.seconds = args.at(++i).toDouble(&ok);
            if (!ok || !(out.seconds > 0) || out.seconds > kMaxSeconds)
                return false;
        } else if (arg == QLatin1String("--clap") && hasValue) {
            bool ok = false;
            const qlonglong ms = args.at(++i).toLongLong(&ok);
            if (!ok || ms < 0 || ms > static_cast<qlonglong>(kMaxSeconds * 1000))
                return false;
            out.clapsMs.push_back(ms);
        } else if (out.path.isEmpty() && !arg.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            out.path = arg;
        } else {
            return false;
        }
    }
    return !out.path.isEmpty();
}

// The program text of a project (generated as the editor would) or of a text file.
Result<std::string> ReadProgramText(const QString& path)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("lcc"), Qt::CaseInsensitive) != 0)
        return ReadWholeFile(path);
    const Result<XmlElement> document = ReadProjectFile(path);
    if (!document)
        return document.GetStatus();
    std::vector<BlockRecord> records;
    const std::vector<ProjectBlock> blocks = ProjectBlocks(*document);
    for (const ProjectBlock& block : blocks)
        records.push_back({block.kindCode, block.nodeText});
    std::vector<std::string> lines;
    if (Status status = GenerateProgram(records, lines); !status)
        return status;
    return JoinProgramLines(lines);
}

} // namespace

int RunRunCommand(const QStringList& args)
{
    RunArguments arguments;
    if (!ParseRunArguments(args, arguments))
        return UsageError();

    const Result<std::string> text = ReadProgramText(arguments.path);
    if (!text) {
        WriteError(text.Message());
        return kExitFailed;
    }
    Result<sim::Arena> arena = sim::LoadArena(arguments.arena);
    if (!arena) {
        WriteError(arena.Message());
        return kExitFailed;
    }

    sim::RunOptions options;
    options.limitUs = static_cast<int64_t>(std::llround(arguments.seconds * 1e6));
    options.clapsMs = arguments.clapsMs;
    options.phrases = sim::PhraseTexts();

    // What the robot receives: the download's cleaning of the text.
    sim::Simulation simulation(JoinProgramLines(StripCommentLines(SplitLines(*text))), std::move(*arena),
                               std::move(options));
    simulation.SetSink([](const sim::TraceRecord& record) { WriteOut(sim::TraceJson(record) + "\n"); });
    simulation.RunToEnd();
    if (simulation.EndReason() == "error") {
        WriteError(simulation.ErrorMessage());
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace talvex::cli
