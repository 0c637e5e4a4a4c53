#include "app/editcommands.h"

#include "app/mainwindow.h"
#include "project/document.h"

#include <QAction>

namespace talvex {

EditCommands::EditCommands(TForm1& form1) : QObject(&form1), m_form1(form1)
{
    Document& document = form1.CurrentDocument();

    m_undo = new QAction(QString::fromUtf8(u8"撤销"), this);
    m_undo->setObjectName(QStringLiteral("UndoAction"));
    m_undo->setToolTip(QString::fromUtf8(u8"撤销 (Ctrl+Z)"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_undo, &QAction::triggered, &document, &Document::Undo);

    m_redo = new QAction(QString::fromUtf8(u8"重做"), this);
    m_redo->setObjectName(QStringLiteral("RedoAction"));
    m_redo->setToolTip(QString::fromUtf8(u8"重做 (Ctrl+Y)"));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_redo, &QAction::triggered, &document, &Document::Redo);

    m_delete = new QAction(QString::fromUtf8(u8"删除模块"), this);
    m_delete->setObjectName(QStringLiteral("DeleteBlockAction"));
    m_delete->setShortcut(QKeySequence(Qt::Key_Delete));
    connect(m_delete, &QAction::triggered, &document, &Document::DeleteSelectedBlock);

    form1.AddExtraTool(ExtraTool::Undo, m_undo);
    form1.AddExtraTool(ExtraTool::Redo, m_redo);
    // The Delete key belongs to the canvas: in the code view it deletes text.
    m_delete->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    form1.AddCanvasMenuAction(m_undo);
    form1.AddCanvasMenuAction(m_redo);
    form1.AddCanvasMenuAction(nullptr);
    form1.AddCanvasMenuAction(m_delete);

    connect(&document, &Document::historyChanged, this, &EditCommands::ShowHistory);
    ShowHistory();
}

void EditCommands::ShowHistory()
{
    Document& document = m_form1.CurrentDocument();
    m_undo->setEnabled(document.CanUndo());
    m_redo->setEnabled(document.CanRedo());
}

} // namespace talvex
