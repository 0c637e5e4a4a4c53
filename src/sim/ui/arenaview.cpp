#include "sim/ui/arenaview.h"

#include "sim/simconstants.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace talvex::sim {

namespace {

constexpr int kMarginPx = 8;
constexpr double kPathStepMm = 2;
constexpr int kMaxPathPoints = 50000;
const QColor kWallColor(110, 80, 50);
const QColor kObstacleColor(140, 110, 80);
const QColor kPathColor(30, 100, 220, 160);
const QColor kBodyColor(250, 210, 60);

QColor Grey(int level)
{
    return QColor(level, level, level);
}

} // namespace

ArenaView::ArenaView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ArenaView"));
    setMinimumSize(320, 240);
    setFocusPolicy(Qt::StrongFocus);
}

void ArenaView::SetArena(const Arena& arena)
{
    m_arena = arena;
    m_path.clear();
    UpdateTransform();
    update();
}

void ArenaView::UpdateTransform()
{
    const double w = std::max(1, width() - 2 * kMarginPx);
    const double h = std::max(1, height() - 2 * kMarginPx);
    m_scale = std::min(w / m_arena.width, h / m_arena.height);
    const double left = (width() - m_arena.width * m_scale) / 2;
    const double top = (height() - m_arena.height * m_scale) / 2;
    m_origin = QPointF(left, top + m_arena.height * m_scale);
    PaintBackground();
}

QPointF ArenaView::ToView(Vec2 p) const
{
    return {m_origin.x() + p.x * m_scale, m_origin.y() - p.y * m_scale};
}

Vec2 ArenaView::ToArena(QPointF p) const
{
    return {(p.x() - m_origin.x()) / m_scale, (m_origin.y() - p.y()) / m_scale};
}

void ArenaView::PaintBackground()
{
    const qreal ratio = devicePixelRatioF();
    m_background = QPixmap(size() * ratio);
    m_background.setDevicePixelRatio(ratio);
    m_background.fill(palette().color(QPalette::Window));
    QPainter painter(&m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(ToView({0, m_arena.height}), ToView({m_arena.width, 0})), Grey(m_arena.floorGrey));
    for (const FloorMark& mark : m_arena.marks) {
        switch (mark.shape) {
        case FloorMark::Shape::kLine: {
            QPolygonF line;
            for (const Vec2& p : mark.points)
                line << ToView(p);
            painter.setPen(QPen(Grey(mark.grey), mark.width * m_scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(line);
            break;
        }
        case FloorMark::Shape::kRect:
            painter.fillRect(
                QRectF(ToView({mark.points[0].x, mark.points[1].y}), ToView({mark.points[1].x, mark.points[0].y})),
                Grey(mark.grey));
            break;
        case FloorMark::Shape::kDisc:
            painter.setPen(Qt::NoPen);
            painter.setBrush(Grey(mark.grey));
            painter.drawEllipse(ToView(mark.points[0]), mark.radius * m_scale, mark.radius * m_scale);
            break;
        }
    }
    painter.setBrush(kObstacleColor);
    painter.setPen(QPen(kWallColor, 1));
    for (const Obstacle& box : m_arena.obstacles)
        painter.drawRect(QRectF(ToView({box.min.x, box.max.y}), ToView({box.max.x, box.min.y})));
    for (const Wall& wall : m_arena.walls) {
        painter.setPen(QPen(kWallColor, std::max(1.0, wall.thickness * m_scale), Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(ToView(wall.a), ToView(wall.b));
    }
}

void ArenaView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateTransform();
}

Pose ArenaView::ShownPose() const
{
    if (m_drag != Drag::kNone)
        return m_dragPose;
    return m_simulation ? m_simulation->Body().GetPose() : m_arena.start;
}

void ArenaView::TrackPath()
{
    if (!m_simulation)
        return;
    const Pose& pose = m_simulation->Body().GetPose();
    const QPointF p(pose.x, pose.y);
    if (!m_path.isEmpty()) {
        const QPointF d = p - m_path.last();
        if (d.x() * d.x() + d.y() * d.y() < kPathStepMm * kPathStepMm)
            return;
    }
    if (m_path.size() >= kMaxPathPoints)
        m_path.remove(0, kMaxPathPoints / 2);
    m_path << p;
}

void ArenaView::ClearPath()
{
    m_path.clear();
    update();
}

void ArenaView::PaintRobot(QPainter& painter, const Pose& pose) const
{
    RobotBody body;
    body.Reset(pose);
    int switches = 0;
    int led = 7;
    if (m_simulation && m_drag == Drag::kNone) {
        body = m_simulation->Body();
        switches = body.Switches();
        led = m_simulation->GetOutputs().led;
    }
    const QPointF centre = ToView({pose.x, pose.y});
    const double r = kBodyRadiusMm * m_scale;
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(kBodyColor);
    painter.drawEllipse(centre, r, r);
    // The nose: where the robot heads.
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(centre, ToView(RobotToArena(pose, kBodyRadiusMm, 0)));
    // Floor sensors.
    painter.setPen(QPen(Qt::darkGray, 1));
    for (int i = 0; i < kFloorSensorCount; ++i) {
        painter.setBrush(QColor(40, 160, 40));
        painter.drawRect(QRectF(ToView(body.FloorSensorPoint(i)) - QPointF(2.5, 2.5), QSizeF(5, 5)));
    }
    // Bump switches on the front edge.
    for (int i = 0; i < kSwitchCount; ++i) {
        painter.setBrush((switches >> i) & 1 ? QColor(230, 30, 30) : QColor(90, 90, 90));
        painter.drawEllipse(ToView(body.SwitchPoint(i)), 3, 3);
    }
    // The three LEDs across the back: a 0 bit is lit.
    for (int i = 0; i < 3; ++i) {
        const Vec2 at = RobotToArena(pose, -kBodyRadiusMm * 0.45, (1 - i) * kBodyRadiusMm * 0.35);
        const bool lit = ((led >> i) & 1) == 0;
        painter.setBrush(lit ? QColor(255, 40, 40) : QColor(90, 20, 20));
        painter.setPen(QPen(lit ? QColor(255, 200, 200) : Qt::black, 1));
        const double radius = std::max(3.0, kBodyRadiusMm * 0.12 * m_scale);
        painter.drawEllipse(ToView(at), radius, radius);
    }
}

void ArenaView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_path.size() > 1) {
        painter.save();
        painter.translate(m_origin);
        painter.scale(m_scale, -m_scale);
        QPen pen(kPathColor, 2);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPolyline(m_path);
        painter.restore();
    }
    PaintRobot(painter, ShownPose());
}

void ArenaView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    if (!m_dragEnabled || event->button() != Qt::LeftButton)
        return;
    const Pose pose = ShownPose();
    const Vec2 at = ToArena(event->position());
    const Vec2 nose = RobotToArena(pose, kBodyRadiusMm, 0);
    const double grip = std::max(kBodyRadiusMm * 0.4, 6 / m_scale);
    if (std::hypot(at.x - nose.x, at.y - nose.y) < grip)
        m_drag = Drag::kTurn;
    else if (std::hypot(at.x - pose.x, at.y - pose.y) < kBodyRadiusMm)
        m_drag = Drag::kMove;
    m_dragPose = pose;
}

void ArenaView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag == Drag::kNone)
        return;
    const Vec2 at = ToArena(event->position());
    if (m_drag == Drag::kMove) {
        if (!DiscHitsWall(m_arena, at, kBodyRadiusMm)) {
            m_dragPose.x = at.x;
            m_dragPose.y = at.y;
        }
    } else {
        m_dragPose.headingDeg =
            NormalizeHeading(std::round(RadToDeg(std::atan2(at.y - m_dragPose.y, at.x - m_dragPose.x))));
    }
    update();
}

void ArenaView::mouseReleaseEvent(QMouseEvent*)
{
    if (m_drag == Drag::kNone)
        return;
    m_drag = Drag::kNone;
    emit StartPoseDragged(m_dragPose);
}

} // namespace talvex::sim
