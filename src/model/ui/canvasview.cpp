#include "model/ui/canvasview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace talvex {

namespace {

// The zoom steps, in percent: fine near 100, coarser towards the ends.
constexpr int kZoomSteps[] = {50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300};

// Division rounding towards minus infinity, for coordinates left of or above 0.
int FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return static_cast<int>((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}

// The next step above (direction > 0) or below zoom; zoom itself at either end.
int NextZoomStep(int zoom, int direction)
{
    if (direction > 0) {
        for (int step : kZoomSteps)
            if (step > zoom)
                return step;
    } else {
        for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
            if (*it < zoom)
                return *it;
    }
    return zoom;
}

} // namespace

TdxFlowChart::TdxFlowChart(CanvasModel& chart, QWidget* parent)
    : QAbstractScrollArea(parent), m_chart(&chart), m_painter(chart)
{
    setObjectName(QStringLiteral("dxFlowChart1"));
    setFrameShape(QFrame::StyledPanel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Clicks give the canvas the keyboard for the arrow, Enter and Escape keys.
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    m_chart->SetView(this);
    UpdateScrollRanges();
}

TdxFlowChart::~TdxFlowChart()
{
    if (m_chart)
        m_chart->SetView(nullptr);
}

void TdxFlowChart::CanvasDestroyed()
{
    m_chart = nullptr;
    m_dragObject = kNoObject;
}

QPoint TdxFlowChart::ToCanvas(const QPoint& viewportPos) const
{
    const QPoint scaled = viewportPos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (m_zoom == 100)
        return scaled;
    // The canvas pixel under the screen pixel's centre, as the painter fills it.
    auto toCanvas = [this](int p) { return FloorDiv((2 * int64_t{p} + 1) * 100, 2 * int64_t{m_zoom}); };
    return QPoint(toCanvas(scaled.x()), toCanvas(scaled.y()));
}

QPoint TdxFlowChart::ToViewport(int32_t x, int32_t y) const
{
    return QPoint(Scaled(x), Scaled(y)) - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

int TdxFlowChart::Scaled(int32_t v) const
{
    if (m_zoom == 100)
        return v;
    // The first screen pixel whose centre lies at or after v's left edge.
    return -FloorDiv(-(int64_t{v} * m_zoom - 50), 100);
}

void TdxFlowChart::SetZoom(int percent, const QPoint& anchor)
{
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_zoom)
        return;
    const QPointF anchorCanvas =
        QPointF(anchor + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value())) * (100.0 / m_zoom);
    m_zoom = percent;
    UpdateScrollRanges();
    const QPointF scrolled = anchorCanvas * (m_zoom / 100.0) - QPointF(anchor);
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(scrolled.x())));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(scrolled.y())));
    viewport()->update();
    emit zoomChanged(m_zoom);
}

void TdxFlowChart::ZoomIn()
{
    SetZoom(NextZoomStep(m_zoom, 1), viewport()->rect().center());
}

void TdxFlowChart::ZoomOut()
{
    SetZoom(NextZoomStep(m_zoom, -1), viewport()->rect().center());
}

void TdxFlowChart::ResetZoom()
{
    SetZoom(100, viewport()->rect().center());
}

void TdxFlowChart::CanvasChanged()
{
    viewport()->update();
    ScheduleRangeUpdate();
}

void TdxFlowChart::ScheduleRangeUpdate()
{
    // A relayout changes thousands of objects one attribute at a time; the
    // extent is measured once, after the event that caused them.
    if (m_rangeUpdatePending)
        return;
    m_rangeUpdatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_rangeUpdatePending)
                UpdateScrollRanges();
        },
        Qt::QueuedConnection);
}

void TdxFlowChart::UpdateScrollRanges()
{
    m_rangeUpdatePending = false;
    if (!m_chart)
        return;
    const FcRect extent = m_chart->Extent();
    const QSize view = viewport()->size();
    const int hMin = std::min(0, Scaled(extent.left));
    const int vMin = std::min(0, Scaled(extent.top));
    const int hMax = std::max(hMin, Scaled(extent.Right()) - view.width());
    const int vMax = std::max(vMin, Scaled(extent.Bottom()) - view.height());
    horizontalScrollBar()->setRange(hMin, std::max(0, hMax));
    verticalScrollBar()->setRange(vMin, std::max(0, vMax));
    horizontalScrollBar()->setPageStep(std::max(1, view.width()));
    verticalScrollBar()->setPageStep(std::max(1, view.height()));
}

void TdxFlowChart::CanvasScrollIntoView(const FcRect& rect)
{
    // The object is part of the diagram, so the position found below lies
    // inside the diagram's extent. While a measurement is pending anyway, the
    // ranges are only widened enough to take that position; the measurement
    // after the event makes them exact without moving it.
    const bool widenOnly = m_rangeUpdatePending;
    if (!widenOnly)
        UpdateScrollRanges();
    const QSize view = viewport()->size();
    auto leastScroll = [](int pos, int viewSize, int lo, int hi) {
        // Far edge first, then the near edge, so an object larger than the view
        // keeps its left or top edge visible.
        if (hi > pos + viewSize)
            pos = hi - viewSize;
        if (lo < pos)
            pos = lo;
        return pos;
    };
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const int x = leastScroll(h->value(), view.width(), Scaled(rect.left), Scaled(rect.Right()));
    const int y = leastScroll(v->value(), view.height(), Scaled(rect.top), Scaled(rect.Bottom()));
    if (widenOnly) {
        h->setRange(std::min({h->minimum(), x, 0}), std::max(h->maximum(), x));
        v->setRange(std::min({v->minimum(), y, 0}), std::max(v->maximum(), y));
    }
    h->setValue(x);
    v->setValue(y);
}

void TdxFlowChart::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void TdxFlowChart::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TdxFlowChart::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (m_zoom == 100) {
        const QRect dirty = event->rect().translated(offset);
        painter.translate(-offset + dirty.topLeft());
        PaintCanvas(painter, dirty);
        return;
    }
    // The painter scales every shape and glyph, so text is drawn at its zoomed
    // size rather than enlarged from pixels.
    const double scale = m_zoom / 100.0;
    const QRectF shown = QRectF(event->rect().translated(offset));
    const QPoint topLeft(static_cast<int>(std::floor(shown.left() / scale)),
                         static_cast<int>(std::floor(shown.top() / scale)));
    const QPoint bottomRight(static_cast<int>(std::ceil(shown.right() / scale)),
                             static_cast<int>(std::ceil(shown.bottom() / scale)));
    const QRect dirty(topLeft, bottomRight);
    painter.setClipRect(event->rect());
    painter.translate(-offset);
    painter.scale(scale, scale);
    painter.translate(dirty.topLeft());
    PaintCanvas(painter, dirty);
}

void TdxFlowChart::PaintCanvas(QPainter& painter, const QRect& rect)
{
    if (!m_chart)
        return;
    painter.save();
    painter.translate(-rect.topLeft());
    m_painter.Paint(painter, rect);
    painter.restore();
}

void TdxFlowChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_chart) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint at = ToCanvas(event->position().toPoint());
    FcObject* hit = m_chart->ObjectAt(at.x(), at.y());
    m_chart->ClickSelect(hit);
    m_dragging = false;
    m_dragObject = kNoObject;
    if (hit && m_chart->SingleSelection() == hit) {
        m_dragObject = hit->Id();
        m_pressCanvasPos = at;
        m_dragOrigin = QPoint(hit->Left(), hit->Top());
    }
    event->accept();
}

void TdxFlowChart::mouseMoveEvent(QMouseEvent* event)
{
    FcObject* dragged = m_chart && m_dragObject != kNoObject ? m_chart->Find(m_dragObject) : nullptr;
    if (!dragged) {
        m_dragObject = kNoObject;
        m_dragging = false;
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    // The object may have been removed or deselected while the button was down.
    if (m_chart->SingleSelection() != dragged) {
        m_dragObject = kNoObject;
        m_dragging = false;
        return;
    }
    const QPoint delta = ToCanvas(event->position().toPoint()) - m_pressCanvasPos;
    if (!m_dragging && delta.manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    m_chart->BeginCanvasUpdate();
    dragged->SetLeft(m_dragOrigin.x() + delta.x());
    dragged->SetTop(m_dragOrigin.y() + delta.y());
    m_chart->EndCanvasUpdate();
    event->accept();
}

void TdxFlowChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragObject = kNoObject;
        m_dragging = false;
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void TdxFlowChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_chart) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // The first press of the pair has normally chosen the selection already;
    // selecting again is a no-op then. The handler reads the selection.
    m_dragObject = kNoObject;
    m_dragging = false;
    const QPoint at = ToCanvas(event->position().toPoint());
    m_chart->ClickSelect(m_chart->ObjectAt(at.x(), at.y()));
    event->accept();
    emit OnDblClick();
}

void TdxFlowChart::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    m_wheelRemainder += event->angleDelta().y();
    const QPoint anchor = event->position().toPoint();
    while (m_wheelRemainder >= 120 || m_wheelRemainder <= -120) {
        const int direction = m_wheelRemainder > 0 ? 1 : -1;
        m_wheelRemainder -= direction * 120;
        SetZoom(NextZoomStep(m_zoom, direction), anchor);
    }
    event->accept();
}

void TdxFlowChart::keyPressEvent(QKeyEvent* event)
{
    if (!m_chart || event->modifiers() & ~(Qt::KeypadModifier)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        emit OnStepSelection(-1);
        break;
    case Qt::Key_Down:
        emit OnStepSelection(1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As a double click on the selection: the dispatcher opens the dialog.
        if (!m_chart->SingleSelection()) {
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        m_dragObject = kNoObject;
        m_dragging = false;
        emit OnDblClick();
        break;
    case Qt::Key_Escape:
        m_chart->ClearSelection();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace talvex
