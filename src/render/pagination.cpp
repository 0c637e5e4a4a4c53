#include "render/pagination.h"

#include "render/canvaspainter.h"
#include "render/flowchartexport.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace talvex {

namespace {

constexpr qreal kCanvasDpi = 96;

// Vertical spans of the visible objects inside area, merged where they
// overlap or touch, in order: the rows a cut must not cross.
std::vector<PageSlice> OccupiedSpans(const CanvasModel& chart, const QRect& area)
{
    std::vector<PageSlice> spans;
    for (const auto& o : chart.Objects()) {
        if (o->ShapeKind() == skNone || o->Width() <= 0 || o->Height() <= 0)
            continue;
        const int top = std::max(o->Top(), area.top());
        const int bottom = std::min(o->Top() + o->Height(), area.top() + area.height());
        if (top < bottom)
            spans.push_back({top, bottom});
    }
    std::sort(spans.begin(), spans.end(), [](const PageSlice& a, const PageSlice& b) { return a.top < b.top; });
    std::vector<PageSlice> merged;
    for (const PageSlice& s : spans) {
        if (!merged.empty() && s.top < merged.back().bottom)
            merged.back().bottom = std::max(merged.back().bottom, s.bottom);
        else
            merged.push_back(s);
    }
    return merged;
}

} // namespace

std::vector<PageSlice> PaginateRows(const CanvasModel& chart, const QRect& area, int pageHeight)
{
    std::vector<PageSlice> pages;
    if (area.isEmpty() || pageHeight <= 0)
        return pages;
    const std::vector<PageSlice> occupied = OccupiedSpans(chart, area);
    const int end = area.top() + area.height();
    int top = area.top();
    size_t first = 0; // first span that ends below top
    while (top < end) {
        int bottom = std::min(end, top + pageHeight);
        if (bottom < end) {
            while (first < occupied.size() && occupied[first].bottom <= top)
                ++first;
            // The last span the page's end cuts through, if any: end the page
            // where it starts, unless it starts on this page's first row.
            for (size_t i = first; i < occupied.size() && occupied[i].top < bottom; ++i) {
                if (occupied[i].bottom > bottom && occupied[i].top > top)
                    bottom = occupied[i].top;
            }
        }
        pages.push_back({top, bottom});
        top = bottom;
    }
    return pages;
}

QString PageFooter(const QString& documentName, int page, int count)
{
    return QStringLiteral("%1    第 %2 页，共 %3 页").arg(documentName).arg(page).arg(count);
}

int PrintFlowchart(const CanvasModel& chart, QPagedPaintDevice& device, const QString& documentName)
{
    const QRect area = ExportArea(chart);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const QRect page = painter.viewport();
    const qreal dpi = device.logicalDpiY();

    QFont footerFont;
    footerFont.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                            QStringLiteral("AR PL UMing CN"), QStringLiteral("SimSun")});
    footerFont.setPixelSize(std::max(1, qRound(dpi * 10 / 72)));
    const int footerHeight = qRound(footerFont.pixelSize() * 2.5);
    const int bodyHeight = std::max(1, page.height() - footerHeight);

    const qreal scale = std::min(dpi / kCanvasDpi, area.width() > 0 ? page.width() / qreal(area.width()) : 1.0);
    const int rowsPerPage = std::max(1, static_cast<int>(bodyHeight / scale));
    const std::vector<PageSlice> slices = PaginateRows(chart, area, rowsPerPage);

    // The column sits in the middle of the sheet, as on a worksheet.
    const qreal left = std::max<qreal>(0, (page.width() - area.width() * scale) / 2);
    CanvasPainter canvas(chart);
    canvas.SetForExport(true);
    const int count = static_cast<int>(slices.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage())
            break;
        const PageSlice& slice = slices[static_cast<size_t>(i)];
        painter.save();
        painter.setClipRect(QRect(0, 0, page.width(), bodyHeight));
        painter.translate(left, 0);
        painter.scale(scale, scale);
        painter.translate(-area.left(), -slice.top);
        canvas.Paint(painter, QRect(area.left(), slice.top, area.width(), slice.bottom - slice.top));
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, page.height() - footerHeight, page.width(), footerHeight),
                         Qt::AlignHCenter | Qt::AlignBottom, PageFooter(documentName, i + 1, count));
    }
    painter.end();
    return count;
}

} // namespace talvex
