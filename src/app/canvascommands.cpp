#include "app/canvascommands.h"

#include "app/documentcommands.h"
#include "app/mainwindow.h"
#include "codegen/generator.h"
#include "model/catalog.h"
#include "model/gbk.h"
#include "model/ui/canvasview.h"
#include "project/blockclip.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QMimeData>

#include <memory>

namespace talvex {

CanvasCommands::CanvasCommands(TForm1& window) : QObject(&window), m_window(window)
{
    TdxFlowChart* canvas = window.dxFlowChart1();

    // The code view has its own Ctrl+C, Ctrl+X and Ctrl+V for text; these are
    // the canvas's while it has the keyboard.
    m_copy = NewCanvasAction("复制", "CopyBlock", QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(m_copy, &QAction::triggered, this, &CanvasCommands::Copy);
    m_cut = NewCanvasAction("剪切", "CutBlock", QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(m_cut, &QAction::triggered, this, &CanvasCommands::Cut);
    m_paste = NewCanvasAction("粘贴", "PasteBlock", QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(m_paste, &QAction::triggered, this, &CanvasCommands::Paste);
    window.AddCanvasMenuAction(nullptr);
    window.AddCanvasMenuAction(m_copy);
    window.AddCanvasMenuAction(m_cut);
    window.AddCanvasMenuAction(m_paste);

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

QAction* CanvasCommands::NewCanvasAction(const char* textUtf8, const char* name, const QKeySequence& keys)
{
    auto* action = new QAction(QString::fromUtf8(textUtf8), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

bool CanvasCommands::Copy()
{
    const std::optional<ClipBlock> block = m_window.CurrentDocument().CopyBlock(m_window.Chart().SingleSelection());
    if (!block)
        return false;
    auto mime = std::make_unique<QMimeData>();
    const std::string bytes = EncodeClipBlock(*block);
    mime->setData(QString::fromLatin1(kClipBlockMimeType), QByteArray(bytes.data(), static_cast<int>(bytes.size())));
    // For a worksheet: the block's program lines, as the code view would show them.
    std::vector<std::string> lines;
    if (GenerateNodeLines(block->kindCode, block->nodeText, lines).Ok()) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        mime->setText(FromGbk(text));
    }
    QGuiApplication::clipboard()->setMimeData(mime.release());
    return true;
}

bool CanvasCommands::Cut()
{
    FcObject* selected = m_window.Chart().SingleSelection();
    if (!Copy())
        return false;
    m_window.CurrentDocument().DeleteBlock(selected);
    return true;
}

bool CanvasCommands::Paste()
{
    FcObject* selected = m_window.Chart().SingleSelection();
    if (!selected || selected->TypeCode != bkSpot)
        return false;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    const QString format = QString::fromLatin1(kClipBlockMimeType);
    if (!mime || !mime->hasFormat(format))
        return false;
    const QByteArray bytes = mime->data(format);
    const Result<ClipBlock> block =
        DecodeClipBlock(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!block) {
        QMessageBox::warning(&m_window, m_window.windowTitle(), FromGbk(block.GetStatus().Message()));
        return false;
    }
    const std::vector<std::string> phrases =
        m_window.Documents().VoicePhrases ? m_window.Documents().VoicePhrases() : std::vector<std::string>();
    return m_window.CurrentDocument().PasteBlock(*block, phrases) != nullptr;
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
