#include "app/programcheck.h"

#include "app/codeview.h"
#include "app/findingspanel.h"
#include "model/gbk.h"

#include <QAction>

namespace talvex {

namespace {

lang::Program CheckViewText(const QString& viewText)
{
    return lang::ParseProgram(ToGbk(viewText));
}

} // namespace

ProgramCheck::ProgramCheck(CodeView& view, FindingsPanel& panel, QObject* parent)
    : QObject(parent), m_view(view), m_panel(panel), m_action(new QAction(QString::fromUtf8("检查"), this))
{
    m_action->setObjectName(QStringLiteral("CheckAction"));
    m_action->setShortcut(QKeySequence(Qt::Key_F7));
    m_action->setShortcutContext(Qt::WindowShortcut);
    m_action->setToolTip(QString::fromUtf8("检查程序 (F7)：列出代码中的错误和警告"));
    connect(m_action, &QAction::triggered, this, [this] { Run(); });
    connect(&m_panel, &FindingsPanel::FindingClicked, this, [this](const lang::Finding& finding) {
        m_view.SelectLine(finding.line);
        emit FindingActivated(finding);
    });
}

const std::vector<lang::Finding>& ProgramCheck::Run()
{
    const lang::Program program = CheckViewText(m_view.toPlainText());
    m_panel.ShowFindings(program.findings);
    m_panel.show();
    emit Checked(m_panel.Findings());
    return m_panel.Findings();
}

int CountProgramErrors(const QString& viewText)
{
    return CheckViewText(viewText).ErrorCount();
}

} // namespace talvex
