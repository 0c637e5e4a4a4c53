// gen and fmt: open a project exactly as the editor's Open does, then produce
// what its generate + save-program-text or its Save would write.

#include "commands.h"

#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "model/canvas.h"
#include "model/flowchart.h"
#include "project/loader.h"
#include "project/projectfile.h"

#include <optional>

namespace talvex::cli {

namespace {

// Runs body on a flowchart loaded from the single FILE argument.
template <typename Body>
int WithLoadedProject(const QStringList& args, Body body)
{
    if (args.size() != 1 || args.at(0).isEmpty())
        return UsageError();
    FlowChart canvas;
    Flowchart flowchart(canvas);
    flowchart.BuildNewFlowchart();
    if (std::optional<std::string> error = LoadProjectInto(flowchart, args.at(0), {})) {
        WriteError(*error);
        return kExitFailed;
    }
    return body(flowchart);
}

} // namespace

int RunGenCommand(const QStringList& args)
{
    return WithLoadedProject(args, [](const Flowchart& flowchart) {
        const GeneratedProgram program = GenerateProgram(flowchart);
        if (program.error) {
            WriteError(*program.error);
            return kExitFailed;
        }
        // The bytes the save-program-text command writes for a freshly generated view.
        WriteOut(ViewTextToFileBytes(ProgramTextToView(JoinProgramLines(program.lines))));
        return kExitOk;
    });
}

int RunFmtCommand(const QStringList& args)
{
    return WithLoadedProject(args, [](const Flowchart& flowchart) {
        XmlElement document;
        if (std::optional<std::string> error = BuildProjectDocument(flowchart, document)) {
            WriteError(*error);
            return kExitFailed;
        }
        WriteOut(SerialiseProject(document));
        return kExitOk;
    });
}

} // namespace talvex::cli
