#pragma once

#include "model/canvas.h"

#include <QWidget>
#include <vector>

namespace talvex {

class TdxFlowChart;

// Outlines drawn over the canvas, after its normal painting, around the blocks
// whose begin and end do not pair. Only a view of the last check: nothing
// stored changes, and a block deleted since simply loses its mark.
class CanvasMarks : public QWidget {
    Q_OBJECT
  public:
    explicit CanvasMarks(TdxFlowChart& canvas);

    void SetMarked(std::vector<ObjectId> blocks);
    const std::vector<ObjectId>& Marked() const { return m_marked; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FollowViewport();

    TdxFlowChart& m_canvas;
    std::vector<ObjectId> m_marked;
};

} // namespace talvex
