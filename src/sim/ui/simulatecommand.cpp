#include "sim/ui/simulatecommand.h"

#include "app/extratools.h"
#include "app/mainwindow.h"
#include "codegen/programtext.h"
#include "link/downloadprep.h"
#include "model/gbk.h"
#include "sim/arenafiles.h"
#include "sim/ui/simulatorwindow.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPointer>

namespace talvex {

void InstallSimulateCommand(TForm1& form1)
{
    auto* action = new QAction(QStringLiteral("仿真"), &form1);
    action->setObjectName(QStringLiteral("SimulateAction"));
    action->setToolTip(QStringLiteral("仿真: 在电脑上的场地里运行代码窗口的程序 (F9)"));
    action->setShortcut(QKeySequence(Qt::Key_F9));
    // The window is made on first use and kept, with its arena and speed.
    auto window = std::make_shared<QPointer<sim::SimulatorWindow>>();
    QObject::connect(action, &QAction::triggered, &form1, [&form1, window] {
        if (!*window)
            *window = new sim::SimulatorWindow(&form1);
        sim::SimulatorWindow& shown = **window;
        const std::string text = ViewTextToFileBytes(form1.Memo1()->toPlainText());
        shown.SetPhrases(sim::PhraseTexts());
        shown.SetProgram(JoinProgramLines(StripCommentLines(SplitLines(text))));
        shown.show();
        shown.raise();
        shown.activateWindow();
    });
    form1.AddExtraTool(ExtraTool::Simulate, action);
    form1.AddCanvasMenuAction(action);
}

} // namespace talvex
