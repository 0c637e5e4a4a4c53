#pragma once

#include "model/canvas.h"

#include <QRect>
#include <QString>

#include <vector>

class QPagedPaintDevice;

namespace talvex {

// Rows [top, bottom) of the canvas that one page shows.
struct PageSlice {
    int top;
    int bottom;
    bool operator==(const PageSlice& o) const { return top == o.top && bottom == o.bottom; }
};

// Splits the rows of area into pages of at most pageHeight canvas pixels,
// cutting only between objects: a cut never runs through a visible object.
// Only an object taller than a whole page is cut, at the page's end.
std::vector<PageSlice> PaginateRows(const CanvasModel& chart, const QRect& area, int pageHeight);

// Prints the whole diagram onto a paged device (printer or PDF writer): at
// screen size (96 canvas pixels to the inch) or narrower to fit the page's
// width, split as PaginateRows does, each page with a footer naming the
// document and the page. Returns the number of pages, 0 when the device
// could not be painted on.
int PrintFlowchart(const CanvasModel& chart, QPagedPaintDevice& device, const QString& documentName);

// The footer of page n of count.
QString PageFooter(const QString& documentName, int page, int count);

} // namespace talvex
