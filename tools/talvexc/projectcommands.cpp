// gen and fmt: what the editor's generate + save-program-text and its Save
// write right after Open. A block is nothing but its kind code and node text,
// so the blocks go straight from the document to the generator and the
// project writer, through the same functions the editor uses, without
// building a diagram.

#include "commands.h"

#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "project/loader.h"
#include "project/projectfile.h"

namespace talvex::cli {

namespace {

// Runs body on the blocks of the single FILE argument.
template <typename Body> int WithProjectBlocks(const QStringList& args, Body body)
{
    if (args.size() != 1 || args.at(0).isEmpty())
        return UsageError();
    const Result<XmlElement> document = ReadProjectFile(args.at(0));
    if (!document) {
        WriteError(document.Message());
        return kExitFailed;
    }
    const std::vector<ProjectBlock> blocks = ProjectBlocks(*document);
    return body(blocks);
}

} // namespace

int RunGenCommand(const QStringList& args)
{
    return WithProjectBlocks(args, [](const std::vector<ProjectBlock>& blocks) {
        std::vector<BlockRecord> records;
        records.reserve(blocks.size());
        for (const ProjectBlock& block : blocks)
            records.push_back({block.kindCode, block.nodeText});
        std::vector<std::string> program;
        if (const Status status = GenerateProgram(records, program); !status) {
            WriteError(status.Message());
            return kExitFailed;
        }
        // The bytes the save-program-text command writes for a freshly generated view.
        WriteOut(ViewTextToFileBytes(GeneratedTextToView(JoinProgramLines(program))));
        return kExitOk;
    });
}

int RunFmtCommand(const QStringList& args)
{
    return WithProjectBlocks(args, [](const std::vector<ProjectBlock>& blocks) {
        std::vector<std::string_view> texts;
        texts.reserve(blocks.size());
        for (const ProjectBlock& block : blocks)
            texts.push_back(block.nodeText);
        XmlElement document;
        if (const Status status = BuildProjectDocument(texts, document); !status) {
            WriteError(status.Message());
            return kExitFailed;
        }
        WriteOut(SerialiseProject(document));
        return kExitOk;
    });
}

} // namespace talvex::cli
