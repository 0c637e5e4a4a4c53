// check: the program checker for a teacher's folder of pupils' files. Projects
// are generated first, exactly as the editor's generate command would; any
// other file is taken as program text.

#include "commands.h"

#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "lang/program.h"
#include "model/gbk.h"
#include "project/filebytes.h"
#include "project/loader.h"
#include "project/projectfile.h"

#include <QFileInfo>

namespace talvex::cli {

namespace {

void PrintFinding(const QString& file, int line, int column, lang::Severity severity, const std::string& gbkMessage)
{
    const QString text = QStringLiteral("%1:%2:%3: %4: %5\n")
                             .arg(file)
                             .arg(line)
                             .arg(column)
                             .arg(FromGbk(lang::SeverityText(severity)), FromGbk(gbkMessage));
    WriteOut(text.toUtf8().toStdString());
}

// The program text of a file; false after reporting why there is none.
bool ProgramTextOf(const QString& file, std::string& text)
{
    if (QFileInfo(file).suffix().compare(QLatin1String("lcc"), Qt::CaseInsensitive) != 0) {
        Result<std::string> bytes = ReadWholeFile(file);
        if (!bytes) {
            PrintFinding(file, 1, 1, lang::Severity::Error, bytes.Message());
            return false;
        }
        text = std::move(*bytes);
        return true;
    }
    const Result<XmlElement> document = ReadProjectFile(file);
    if (!document) {
        PrintFinding(file, 1, 1, lang::Severity::Error, document.Message());
        return false;
    }
    if (document->name != "TALVEX")
        PrintFinding(file, 1, 1, lang::Severity::Warning,
                     Gbk("这不是本编辑器的项目文件：根元素是“") + document->name + Gbk("”，不是“TALVEX”"));
    std::vector<BlockRecord> records;
    const std::vector<ProjectBlock> blocks = ProjectBlocks(*document);
    for (const ProjectBlock& block : blocks)
        records.push_back({block.kindCode, block.nodeText});
    std::vector<std::string> lines;
    if (const Status generated = GenerateProgram(records, lines); !generated) {
        PrintFinding(file, 1, 1, lang::Severity::Error, generated.Message());
        return false;
    }
    text = JoinProgramLines(lines);
    return true;
}

} // namespace

int RunCheckCommand(const QStringList& args)
{
    if (args.isEmpty())
        return UsageError();
    for (const QString& file : args) {
        if (file.isEmpty() || file.startsWith(QLatin1Char('-')))
            return UsageError();
    }
    bool anyError = false;
    for (const QString& file : args) {
        std::string text;
        if (!ProgramTextOf(file, text)) {
            anyError = true;
            continue;
        }
        const lang::Program program = lang::ParseProgram(text);
        for (const lang::Finding& finding : program.findings)
            PrintFinding(file, finding.line, finding.column, finding.severity, finding.message);
        anyError = anyError || program.ErrorCount() > 0;
    }
    return anyError ? kExitFailed : kExitOk;
}

} // namespace talvex::cli
