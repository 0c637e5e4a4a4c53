#include "app/canvascommands.h"

#include "app/mainwindow.h"
#include "model/ui/canvasview.h"

#include <QAction>
#include <QKeySequence>

namespace talvex {

CanvasCommands::CanvasCommands(TForm1& window) : QObject(&window), m_window(window)
{
    TdxFlowChart* canvas = window.dxFlowChart1();

    m_zoomIn = new QAction(QString::fromUtf8("放大"), this);
    m_zoomIn->setObjectName(QStringLiteral("ZoomIn"));
    // "=" is the unshifted key of "+" on most keyboards; both mean the same here.
    m_zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    connect(m_zoomIn, &QAction::triggered, canvas, &TdxFlowChart::ZoomIn);

    m_zoomOut = new QAction(QString::fromUtf8("缩小"), this);
    m_zoomOut->setObjectName(QStringLiteral("ZoomOut"));
    m_zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(m_zoomOut, &QAction::triggered, canvas, &TdxFlowChart::ZoomOut);

    m_zoomReset = new QAction(QString::fromUtf8("实际大小"), this);
    m_zoomReset->setObjectName(QStringLiteral("ZoomReset"));
    m_zoomReset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(m_zoomReset, &QAction::triggered, canvas, &TdxFlowChart::ResetZoom);

    window.AddCanvasMenuAction(nullptr);
    window.AddCanvasMenuAction(m_zoomIn);
    window.AddCanvasMenuAction(m_zoomOut);
    window.AddCanvasMenuAction(m_zoomReset);

    connect(canvas, &TdxFlowChart::zoomChanged, this, &CanvasCommands::ShowZoom);
    connect(canvas, &TdxFlowChart::OnStepSelection, this, &CanvasCommands::StepSelection);
    ShowZoom(canvas->Zoom());
}

void CanvasCommands::StepSelection(int step)
{
    CanvasModel& chart = m_window.Chart();
    FcObject* next = m_window.Flows().ColumnNeighbour(chart.SingleSelection(), step);
    if (!next)
        return;
    chart.SelectExclusively(next);
    chart.ScrollIntoView(next);
}

void CanvasCommands::ShowZoom(int percent)
{
    m_zoomIn->setEnabled(percent < TdxFlowChart::kMaxZoom);
    m_zoomOut->setEnabled(percent > TdxFlowChart::kMinZoom);
    m_zoomReset->setText(QString::fromUtf8("实际大小 (%1%)").arg(percent));
}

} // namespace talvex
