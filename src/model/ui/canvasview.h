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

    // Canvas point under a viewport point and back (scroll offset applied).
    QPoint ToCanvas(const QPoint& viewportPos) const;
    QPoint ToViewport(int32_t x, int32_t y) const;

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

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void ScheduleRangeUpdate();
    void DrawObject(QPainter& painter, const FcObject& object);
    void DrawSelectionMark(QPainter& painter, const FcObject& object);
    const QFont& FontFor(const FcFont& font);

    CanvasModel* m_chart; // nullptr once the model has gone
    bool m_rangeUpdatePending = false;

    // Drag gesture: the object under the press and where it started.
    ObjectId m_dragObject = kNoObject;
    QPoint m_pressCanvasPos;
    QPoint m_dragOrigin;
    bool m_dragging = false;

    QHash<QString, QFont> m_fonts;
};

} // namespace talvex
