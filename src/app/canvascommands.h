#pragma once

#include <QObject>

class QAction;
class QKeySequence;

namespace talvex {

class TForm1;

// The canvas's comfort commands: copy, cut and paste of a block through the
// system clipboard, zoom (Ctrl+=, Ctrl+-, Ctrl+0) and moving the selection
// along the column with the arrow keys; the commands are also in the canvas's
// context menu. The window owns one; the zoom level lives in the canvas widget
// only, since the program keeps no settings.
class CanvasCommands : public QObject {
    Q_OBJECT
  public:
    explicit CanvasCommands(TForm1& window);

    // Each does nothing unless the selection suits it (a block panel; a spot
    // marker and a block on the clipboard) and says whether it did anything.
    bool Copy();
    bool Cut();
    bool Paste();

    QAction* CopyAction() const { return m_copy; }
    QAction* CutAction() const { return m_cut; }
    QAction* PasteAction() const { return m_paste; }
    QAction* ZoomInAction() const { return m_zoomIn; }
    QAction* ZoomOutAction() const { return m_zoomOut; }
    QAction* ZoomResetAction() const { return m_zoomReset; }

  private:
    void StepSelection(int step);
    void ShowZoom(int percent);

    QAction* NewCanvasAction(const char* textUtf8, const char* name, const QKeySequence& keys);

    TForm1& m_window;
    QAction* m_copy = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_zoomIn = nullptr;
    QAction* m_zoomOut = nullptr;
    QAction* m_zoomReset = nullptr;
};

} // namespace talvex
