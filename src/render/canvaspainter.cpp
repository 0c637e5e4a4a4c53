#include "render/canvaspainter.h"

#include "render/fonts.h"

#include "model/gbk.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>

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

QColor ToQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

QRect ToQRect(const FcRect& r)
{
    return QRect(r.left, r.top, r.width, r.height);
}

// Word-wrapped lines one pixel further apart than the font's height. The
// fallback faces' own line spacing (about 23 pixels at 16) would push a
// second line over the bevel of a 40-pixel panel.
void DrawCaption(QPainter& painter, const QRect& r, Qt::Alignment alignment, const QFont& font, const QString& text)
{
    QTextLayout layout(text, font);
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const QFontMetricsF metrics(font);
    const qreal step = std::min(metrics.height(), static_cast<qreal>(font.pixelSize() + 1));
    // Each line's baseline sits in its step as it would in the font's own box.
    const qreal baseline = step * metrics.ascent() / (metrics.ascent() + metrics.descent());
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(r.width());
        line.setPosition(QPointF(0, lines * step + baseline - line.ascent()));
        ++lines;
    }
    layout.endLayout();
    const qreal height = lines * step;
    qreal top = r.top();
    if (alignment & Qt::AlignVCenter)
        top += (r.height() - height) / 2;
    else if (alignment & Qt::AlignBottom)
        top += r.height() - height;
    layout.draw(&painter, QPointF(r.left(), top));
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

// Link points lie on their objects' rectangles, so the box around both
// rectangles holds the line; it is far cheaper than the line's own box.
FcRect AroundConnection(const FcConnection& c)
{
    const FcRect& sr = c.Source()->Rect();
    const FcRect& tr = c.Target()->Rect();
    const int32_t left = std::min(sr.left, tr.left);
    const int32_t top = std::min(sr.top, tr.top);
    return {left, top, std::max(sr.Right(), tr.Right()) - left + 1, std::max(sr.Bottom(), tr.Bottom()) - top + 1};
}

} // namespace

void CanvasPainter::Paint(QPainter& painter, const QRect& rect)
{
    painter.save();
    painter.fillRect(rect, ToQColor(m_chart.Color));
    painter.setRenderHint(QPainter::Antialiasing, false);

    const FcRect clip{rect.left(), rect.top(), rect.width(), rect.height()};
    const qreal lineWidth = m_forExport ? 1 : 0;

    painter.setPen(QPen(Qt::black, lineWidth));
    for (const auto& c : m_chart.Connections()) {
        if (!AroundConnection(*c).Intersects(clip))
            continue;
        const FcPoint a = c->From();
        const FcPoint b = c->To();
        painter.drawLine(a.x, a.y, b.x, b.y);
    }

    const FcObject* selected = nullptr;
    for (const auto& o : m_chart.Objects()) {
        if (o->ShapeKind() == skNone || !o->Rect().Intersects(clip))
            continue;
        DrawObject(painter, *o);
        if (o->Selected())
            selected = &*o;
    }
    // The mark goes over everything so a neighbour never hides it.
    if (selected && !m_forExport)
        DrawSelectionMark(painter, *selected);
    painter.restore();
}

QRect CanvasPainter::DrawnBounds(const CanvasModel& chart)
{
    QRect bounds;
    for (const auto& o : chart.Objects()) {
        if (o->ShapeKind() != skNone && o->Width() > 0 && o->Height() > 0)
            bounds |= ToQRect(o->Rect());
    }
    for (const auto& c : chart.Connections()) {
        const FcPoint a = c->From();
        const FcPoint b = c->To();
        bounds |= QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)), QPoint(std::max(a.x, b.x), std::max(a.y, b.y)));
    }
    return bounds;
}

void CanvasPainter::DrawObject(QPainter& painter, const FcObject& o)
{
    const QRect r = ToQRect(o.Rect());
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor fill = ToQColor(o.FillColor());

    if (o.ShapeKind() == skRoundRect) {
        painter.setPen(QPen(Qt::black, m_forExport ? 1 : 0));
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
        painter.setPen(ToQColor(o.Font().color));
        DrawCaption(painter, r, ToAlignment(o.HAlign(), o.VAlign()), FontFor(o.Font()), FromGbk(o.Text()));
    }
}

void CanvasPainter::DrawSelectionMark(QPainter& painter, const FcObject& o)
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

const QFont& CanvasPainter::FontFor(const FcFont& font)
{
    const QString key = QStringLiteral("%1|%2|%3").arg(FromGbk(font.name)).arg(font.height).arg(font.bold ? 1 : 0);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it.value();
    QFont f;
    QStringList families;
    if (!font.name.empty())
        families << FromGbk(font.name);
    families << SongFamilies();
    f.setFamilies(families);
    // A negative height is the character height; a positive one the cell
    // height, of which the character takes most.
    f.setPixelSize(std::max(1, font.height < 0 ? -font.height : font.height * 7 / 8));
    f.setBold(font.bold);
    return m_fonts.insert(key, f).value();
}

} // namespace talvex
