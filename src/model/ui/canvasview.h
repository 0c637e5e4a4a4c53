#pragma once

#include "model/canvas.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QHash>
#include <QPoint>

namespace talvex {

// The diagram canvas on screen: draws a CanvasModel and forwards clicks, drags
// and double clicks to it. All state lives in the CanvasModel; the widget keeps
// only the gesture in progress.
class TdxFlowChart : public QAbstractScrollArea, public CanvasObserver {
    Q_OBJECT
  public:
    explicit TdxFlowChart(CanvasModel& chart, QWidget* parent = nullptr);
    ~TdxFlowChart() override;

    CanvasModel& Chart() const { return *m_chart; }

    // Canvas point under a viewport point and back (zoom and scroll offset applied).
    QPoint ToCanvas(const QPoint& viewportPos) const;
    QPoint ToViewport(int32_t x, int32_t y) const;

    // Zoom of the view in percent, kMinZoom..kMaxZoom. Only the view scales:
    // the model keeps its coordinates, and 100 draws exactly as without zoom.
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 300;
    int Zoom() const { return m_zoom; }
    // Keeps the canvas point under the viewport point anchor where it was.
    void SetZoom(int percent, const QPoint& anchor = QPoint(0, 0));
    void ZoomIn();
    void ZoomOut();
    void ResetZoom();

    // Draws the part of the diagram that covers rect (canvas coordinates)
    // with its top-left corner at the painter's origin.
    void PaintCanvas(QPainter& painter, const QRect& rect);

    // CanvasObserver
    void CanvasChanged() override;
    void CanvasScrollIntoView(const FcRect& rect) override;
    void CanvasDestroyed() override;

    // Brings the scroll bars in line with the diagram's extent now rather than
    // on the next turn of the event loop.
    void UpdateScrollRanges();

  signals:
    // A double click with the left button, after the click has chosen the
    // selection; the property dispatcher answers it.
    void OnDblClick();
    // Up (-1) or Down (+1) pressed: the owner moves the selection along the column.
    void OnStepSelection(int step);
    void zoomChanged(int percent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ScheduleRangeUpdate();
    int Scaled(int32_t canvasCoordinate) const;
    void DrawObject(QPainter& painter, const FcObject& object);
    void DrawSelectionMark(QPainter& painter, const FcObject& object);
    const QFont& FontFor(const FcFont& font);

    CanvasModel* m_chart; // nullptr once the model has gone
    bool m_rangeUpdatePending = false;
    int m_zoom = 100;
    // A wheel turns in eighths of a degree; a notch is 120 of them, and
    // touchpads send fractions that add up.
    int m_wheelRemainder = 0;

    // Drag gesture: the object under the press and where it started.
    ObjectId m_dragObject = kNoObject;
    QPoint m_pressCanvasPos;
    QPoint m_dragOrigin;
    bool m_dragging = false;

    QHash<QString, QFont> m_fonts;
};

} // namespace talvex
