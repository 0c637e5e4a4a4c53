#pragma once

#include "sim/arena.h"
#include "sim/simulation.h"

#include <QPixmap>
#include <QPolygonF>
#include <QWidget>

namespace talvex::sim {

// Draws the arena, the robot's path and the robot itself with its LEDs,
// switches and floor sensors. The arena's own drawing is kept in a picture
// that is made again only when the arena or the view's size changes, so a
// frame costs the picture, the path and the robot. The robot can be dragged
// to a new start pose: by its body to move it, by its nose to turn it.
class ArenaView : public QWidget {
    Q_OBJECT
  public:
    explicit ArenaView(QWidget* parent = nullptr);

    void SetArena(const Arena& arena);
    // The simulation whose robot is drawn; nullptr draws the start pose only.
    void SetSimulation(const Simulation* simulation) { m_simulation = simulation; }
    // Adds the robot's current place to the path (when it has moved).
    void TrackPath();
    void ClearPath();
    // Whether dragging may move the start pose.
    void SetDragEnabled(bool enabled) { m_dragEnabled = enabled; }

    QSize sizeHint() const override { return {640, 480}; }

  signals:
    void StartPoseDragged(talvex::sim::Pose pose);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    enum class Drag { kNone, kMove, kTurn };

    QPointF ToView(Vec2 p) const;
    Vec2 ToArena(QPointF p) const;
    void UpdateTransform();
    void PaintBackground();
    void PaintRobot(QPainter& painter, const Pose& pose) const;
    Pose ShownPose() const;

    Arena m_arena;
    const Simulation* m_simulation = nullptr;
    QPixmap m_background;
    QPolygonF m_path; // in arena millimetres
    double m_scale = 1;
    QPointF m_origin; // view position of the arena's (0, 0)
    bool m_dragEnabled = true;
    Drag m_drag = Drag::kNone;
    Pose m_dragPose;
};

} // namespace talvex::sim
