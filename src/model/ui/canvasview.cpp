#include "model/ui/canvasview.h"

#include "model/gbk.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>

namespace talvex {

namespace {

// The four tones of a raised three-dimensional edge, as the classic desktop
// scheme paints buttons: outer light/dark, inner highlight/shadow.
const QColor kEdgeLight(227, 227, 227);
const QColor kEdgeHighlight(255, 255, 255);
const QColor kEdgeShadow(128, 128, 128);
const QColor kEdgeDarkShadow(64, 64, 64);
const QColor kSelectionColor(0, 0, 128);
constexpr int kHandleSize = 5;

// Faces that show the Chinese captions when the requested one is missing.
const QStringList kCjkFallbacks = {QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"),
                                   QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC"),
                                   QStringLiteral("AR PL UMing CN")};

QColor ToQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

QRect ToQRect(const FcRect& r)
{
    return QRect(r.left, r.top, r.width, r.height);
}

// One ring of a raised edge: light along the top and left, dark along the
// bottom and right, the dark side owning the corners it shares.
void DrawEdgeRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void DrawRaisedEdge(QPainter& p, const QRect& r)
{
    DrawEdgeRing(p, r, kEdgeLight, kEdgeDarkShadow);
    DrawEdgeRing(p, r.adjusted(1, 1, -1, -1), kEdgeHighlight, kEdgeShadow);
}

Qt::Alignment ToAlignment(TTextAlign h, TTextAlign v)
{
    Qt::Alignment a;
    a |= h == taNear ? Qt::AlignLeft : h == taFar ? Qt::AlignRight : Qt::AlignHCenter;
    a |= v == taNear ? Qt::AlignTop : v == taFar ? Qt::AlignBottom : Qt::AlignVCenter;
    return a;
}

} // namespace

TdxFlowChart::TdxFlowChart(CanvasModel& chart, QWidget* parent) : QAbstractScrollArea(parent), m_chart(&chart)
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
    painter.fillRect(rect, ToQColor(m_chart->Color));
    painter.setRenderHint(QPainter::Antialiasing, false);

    const FcRect clip{rect.left(), rect.top(), rect.width(), rect.height()};

    painter.setPen(QPen(Qt::black, 0));
    for (const auto& c : m_chart->Connections()) {
        // Link points lie on their objects' rectangles, so the box around both
        // rectangles holds the line; it is far cheaper than the line's own box.
        const FcRect& sr = c->Source()->Rect();
        const FcRect& tr = c->Target()->Rect();
        const int32_t left = std::min(sr.left, tr.left);
        const int32_t top = std::min(sr.top, tr.top);
        const FcRect around{left, top, std::max(sr.Right(), tr.Right()) - left + 1,
                            std::max(sr.Bottom(), tr.Bottom()) - top + 1};
        if (!around.Intersects(clip))
            continue;
        const FcPoint a = c->From();
        const FcPoint b = c->To();
        painter.drawLine(a.x, a.y, b.x, b.y);
    }

    const FcObject* selected = nullptr;
    for (const auto& o : m_chart->Objects()) {
        if (o->ShapeKind() == skNone || !o->Rect().Intersects(clip))
            continue;
        DrawObject(painter, *o);
        if (o->Selected())
            selected = o.get();
    }
    // The mark goes over everything so a neighbour never hides it.
    if (selected)
        DrawSelectionMark(painter, *selected);
    painter.restore();
}

void TdxFlowChart::DrawObject(QPainter& painter, const FcObject& o)
{
    const QRect r = ToQRect(o.Rect());
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor fill = ToQColor(o.FillColor());

    if (o.ShapeKind() == skRoundRect) {
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(fill);
        // The corner ellipse is half the width by half the height.
        painter.drawRoundedRect(QRectF(r.left(), r.top(), r.width() - 1, r.height() - 1), r.width() / 4.0,
                                r.height() / 4.0, Qt::AbsoluteSize);
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.fillRect(r, fill);
        if (o.EdgeStyle() == kEdgeRaised && (o.BorderFlags() & kBorderRect) == kBorderRect)
            DrawRaisedEdge(painter, r);
    }

    if (!o.Text().empty()) {
        painter.setFont(FontFor(o.Font()));
        painter.setPen(ToQColor(o.Font().color));
        painter.drawText(r,
                         static_cast<int>(ToAlignment(o.HAlign(), o.VAlign())) | Qt::TextWordWrap | Qt::TextExpandTabs,
                         FromGbk(o.Text()));
    }
}

void TdxFlowChart::DrawSelectionMark(QPainter& painter, const FcObject& o)
{
    const QRect r = ToQRect(o.Rect());
    painter.setPen(QPen(kSelectionColor, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(-2, -2, 1, 1));
    const int half = kHandleSize / 2;
    const int xs[3] = {r.left(), r.left() + r.width() / 2, r.right()};
    const int ys[3] = {r.top(), r.top() + r.height() / 2, r.bottom()};
    for (int yi = 0; yi < 3; ++yi) {
        for (int xi = 0; xi < 3; ++xi) {
            if (xi == 1 && yi == 1)
                continue;
            const QRect handle(xs[xi] - half, ys[yi] - half, kHandleSize, kHandleSize);
            painter.fillRect(handle, kSelectionColor);
            painter.fillRect(handle.adjusted(1, 1, -1, -1), Qt::white);
        }
    }
}

const QFont& TdxFlowChart::FontFor(const FcFont& font)
{
    const QString key = QStringLiteral("%1|%2|%3").arg(FromGbk(font.name)).arg(font.height).arg(font.bold ? 1 : 0);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it.value();
    QFont f;
    QStringList families;
    if (!font.name.empty())
        families << FromGbk(font.name);
    families << kCjkFallbacks;
    f.setFamilies(families);
    // A negative height is the character height; a positive one the cell
    // height, of which the character takes most.
    f.setPixelSize(std::max(1, font.height < 0 ? -font.height : font.height * 7 / 8));
    f.setBold(font.bold);
    return m_fonts.insert(key, f).value();
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
