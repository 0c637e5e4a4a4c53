#include "model/canvas.h"
#include "model/flowlist.h"
#include "render/flowchartexport.h"
#include "render/pagination.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

// A canvas with plain rectangles at the given vertical spans [top, bottom).
struct Column {
    explicit Column(std::initializer_list<std::pair<int, int>> spans)
    {
        for (const auto& [top, bottom] : spans)
            canvas.AddShape(10, top, 20, bottom - top, skRectangle);
    }
    CanvasModel canvas;
};

TEST(PaginationTest, CutsOnlyBetweenObjects)
{
    struct Case {
        const char* what;
        std::initializer_list<std::pair<int, int>> objects;
        int areaHeight;
        int pageHeight;
        std::vector<PageSlice> pages;
    };
    const Case cases[] = {
        {"everything fits", {{0, 30}, {40, 70}}, 100, 100, {{0, 100}}},
        {"object across the page end moves down",
         {{0, 30}, {40, 70}, {80, 90}},
         100,
         50,
         {{0, 40}, {40, 90}, {90, 100}}},
        {"cut in a gap stays at the page end", {{0, 30}, {60, 70}}, 100, 45, {{0, 45}, {45, 90}, {90, 100}}},
        {"touching objects may part", {{0, 30}, {30, 60}}, 60, 40, {{0, 30}, {30, 60}}},
        {"taller than a page is cut at the page end", {{0, 120}}, 130, 50, {{0, 50}, {50, 100}, {100, 130}}},
        {"overlapping objects stay together", {{0, 30}, {20, 50}, {50, 60}}, 60, 45, {{0, 45}, {45, 60}}},
        {"empty canvas", {}, 100, 30, {{0, 30}, {30, 60}, {60, 90}, {90, 100}}},
    };
    for (const Case& c : cases) {
        Column column(c.objects);
        EXPECT_EQ(PaginateRows(column.canvas, QRect(0, 0, 50, c.areaHeight), c.pageHeight), c.pages) << c.what;
    }
}

TEST(PaginationTest, AreaOffsetAndInvisibleObjects)
{
    Column column({{100, 130}, {140, 170}});
    // Shapeless objects never hold a cut back.
    column.canvas.AddShape(10, 100, 20, 100, skNone);
    EXPECT_EQ(PaginateRows(column.canvas, QRect(0, 90, 50, 90), 50), (std::vector<PageSlice>{{90, 140}, {140, 180}}));
    EXPECT_TRUE(PaginateRows(column.canvas, QRect(), 50).empty());
    EXPECT_TRUE(PaginateRows(column.canvas, QRect(0, 0, 10, 10), 0).empty());
}

TEST(PaginationTest, LongFlowchartPagesNeverCutABlock)
{
    CanvasModel canvas;
    FlowList flows(canvas);
    flows.BuildNewFlowchart();
    for (int i = 0; i < 300; ++i)
        flows.AppendBlock(i % 2 == 0 ? 5 : 1);
    flows.RelayoutFlowchart();
    const QRect area = ExportArea(canvas);
    for (int pageHeight : {100, 237, 1000}) {
        const std::vector<PageSlice> pages = PaginateRows(canvas, area, pageHeight);
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages.front().top, area.top());
        EXPECT_EQ(pages.back().bottom, area.top() + area.height());
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_LE(pages[i].bottom - pages[i].top, pageHeight);
            // Pages follow each other without gap and are never so short that
            // a lone block would have fitted on the page before.
            if (i > 0) {
                EXPECT_EQ(pages[i].top, pages[i - 1].bottom);
            }
            if (i + 1 < pages.size()) {
                EXPECT_GT(pages[i].bottom - pages[i].top, pageHeight - kTallPanelHeight - kPanelHeight);
            }
            for (const auto& o : canvas.Objects()) {
                if (o->ShapeKind() == skNone || o->Height() == 0)
                    continue;
                EXPECT_FALSE(o->Top() < pages[i].bottom && pages[i].bottom < o->Top() + o->Height())
                    << "page " << i << " ends inside the object at " << o->Top();
            }
        }
    }
}

TEST(PaginationTest, FooterNamesDocumentAndPage)
{
    EXPECT_EQ(PageFooter(QStringLiteral("robot1.lcc"), 2, 5), QString::fromUtf8(u8"robot1.lcc    第 2 页，共 5 页"));
}

} // namespace
} // namespace talvex
