#pragma once

#include "model/canvas.h"

#include <QFont>
#include <QHash>
#include <QRect>

class QPainter;

namespace talvex {

// Draws a CanvasModel onto any QPainter: the canvas widget's screen, an
// image strip, an SVG or a PDF page. One drawing for all of them, so an
// exported picture shows exactly what the canvas shows.
class CanvasPainter {
  public:
    explicit CanvasPainter(const CanvasModel& chart) : m_chart(chart) {}

    // On screen the selection is marked and lines are one device pixel wide
    // (cosmetic pens); a picture for paper or an enlarged image leaves the
    // mark out and lets lines grow with the scale.
    void SetForExport(bool forExport) { m_forExport = forExport; }

    // Draws the part of the diagram that covers rect, in canvas coordinates
    // as the painter maps them: the background over rect, then every object
    // and connection that reaches into it.
    void Paint(QPainter& painter, const QRect& rect);

    // The box around everything drawn (visible objects and connections); an
    // empty box for an empty canvas.
    static QRect DrawnBounds(const CanvasModel& chart);

  private:
    void DrawObject(QPainter& painter, const FcObject& object);
    void DrawSelectionMark(QPainter& painter, const FcObject& object);
    const QFont& FontFor(const FcFont& font);

    const CanvasModel& m_chart;
    bool m_forExport = false;
    QHash<QString, QFont> m_fonts;
};

} // namespace talvex
