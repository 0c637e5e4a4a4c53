#include "model/ui/canvasview.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>

namespace talvex {

TdxFlowChart::TdxFlowChart(CanvasModel& chart, QWidget* parent)
    : QAbstractScrollArea(parent), m_chart(&chart), m_painter(chart)
{
    setObjectName(QStringLiteral("dxFlowChart1"));
    setFrameShape(QFrame::StyledPanel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    // Keys for the selected block (Delete) reach the canvas once it is clicked.
    setFocusPolicy(Qt::StrongFocus);
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
    return viewportPos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint TdxFlowChart::ToViewport(int32_t x, int32_t y) const
{
    return QPoint(x, y) - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
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
    const int hMin = std::min(0, extent.left);
    const int vMin = std::min(0, extent.top);
    const int hMax = std::max(hMin, extent.Right() - view.width());
    const int vMax = std::max(vMin, extent.Bottom() - view.height());
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
    const int x = leastScroll(h->value(), view.width(), rect.left, rect.Right());
    const int y = leastScroll(v->value(), view.height(), rect.top, rect.Bottom());
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
    const QRect dirty = event->rect().translated(offset);
    painter.translate(-offset + dirty.topLeft());
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

} // namespace talvex
