#pragma once

#include <QObject>

class QAction;

namespace talvex {

class TForm1;

// The canvas's comfort commands: zoom (Ctrl+=, Ctrl+-, Ctrl+0 and the context
// menu) and moving the selection along the column with the arrow keys. The
// window owns one; the zoom level lives in the canvas widget only, since the
// program keeps no settings.
class CanvasCommands : public QObject {
    Q_OBJECT
  public:
    explicit CanvasCommands(TForm1& window);

    QAction* ZoomInAction() const { return m_zoomIn; }
    QAction* ZoomOutAction() const { return m_zoomOut; }
    QAction* ZoomResetAction() const { return m_zoomReset; }

  private:
    void StepSelection(int step);
    void ShowZoom(int percent);

    TForm1& m_window;
    QAction* m_zoomIn = nullptr;
    QAction* m_zoomOut = nullptr;
    QAction* m_zoomReset = nullptr;
};

} // namespace talvex
