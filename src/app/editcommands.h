#pragma once

#include <QObject>

class QAction;

namespace talvex {

class TForm1;

// Undo, redo and removing the selected block: two toolbar buttons in the free
// space, the canvas's context menu and the keyboard. The document keeps the
// history; these commands only reach it and show what it allows.
class EditCommands : public QObject {
    Q_OBJECT
  public:
    explicit EditCommands(TForm1& form1);

    QAction* UndoAction() const { return m_undo; }
    QAction* RedoAction() const { return m_redo; }
    QAction* DeleteAction() const { return m_delete; }

  private:
    void ShowHistory();

    TForm1& m_form1;
    QAction* m_undo;
    QAction* m_redo;
    QAction* m_delete;
};

} // namespace talvex
