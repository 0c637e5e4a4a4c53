// export: the flowchart of a project as a picture or as printed pages, drawn
// by the canvas's own painting on the offscreen platform.

#include "commands.h"

#include "model/canvas.h"
#include "model/flowlist.h"
#include "project/loader.h"
#include "project/phraselist.h"
#include "project/projectfile.h"
#include "render/flowchartexport.h"

#include <QFileInfo>

namespace talvex::cli {

int RunExportCommand(const QStringList& args)
{
    if (args.size() != 2 || args.at(0).isEmpty() || ExportFormatOf(args.at(1)) == ExportFormat::Unknown)
        return UsageError();
    const Result<XmlElement> document = ReadProjectFile(args.at(0));
    if (!document) {
        WriteError(document.Message());
        return kExitFailed;
    }
    // The diagram exactly as Open builds it in the editor.
    CanvasModel chart;
    FlowList flowchart(chart);
    RebuildFlowchart(flowchart, *document, LoadPhraseList());
    if (const Status written = ExportFlowchart(chart, args.at(1), QFileInfo(args.at(0)).fileName()); !written) {
        WriteError(written.Message());
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace talvex::cli
