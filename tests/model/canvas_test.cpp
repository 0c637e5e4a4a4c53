#include "model/canvas.h"

#include <gtest/gtest.h>

using namespace talvex;

TEST(Canvas, LinkPointsOfA40By14Object)
{
    CanvasModel chart;
    FcObject* o = chart.AddShape(95, 57, 40, 14, skRectangle);
    struct Case {
        int point;
        FcPoint expected;
    };
    const Case cases[] = {
        {0, {95, 57}},  {1, {105, 57}}, {2, {115, 57}}, {3, {125, 57}}, {4, {134, 57}},  {5, {134, 60}},
        {6, {134, 64}}, {7, {134, 68}}, {8, {134, 70}}, {9, {125, 70}}, {10, {115, 70}}, {11, {105, 70}},
        {12, {95, 70}}, {13, {95, 68}}, {14, {95, 64}}, {15, {95, 60}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(o->LinkPoint(c.point), c.expected) << c.point;
    FcObject* point = chart.AddShape(45, -1, 0, 0, skNone);
    EXPECT_EQ(point->LinkPoint(0), (FcPoint{45, -1}));
}

TEST(Canvas, NewShapesTakeTheCanvasColour)
{
    CanvasModel chart;
    FcObject* o = chart.AddShape(1, 2, 3, 4, skRoundRect);
    EXPECT_EQ(o->FillColor(), (Rgb{166, 202, 240}));
    EXPECT_EQ(o->TypeCode, 0);
    EXPECT_TRUE(o->CtrlNodeText.empty());
    EXPECT_FALSE(o->Selected());
}

TEST(Canvas, SelectionGoesThroughTheFilter)
{
    CanvasModel chart;
    FcObject* a = chart.AddShape(0, 0, 10, 10, skRectangle);
    FcObject* refused = chart.AddShape(20, 0, 10, 10, skRectangle);
    int asked = 0;
    chart.OnSelection = [&](FcObject* object, FcConnection*, bool& allow) {
        ++asked;
        if (object == refused)
            allow = false;
    };
    chart.SelectExclusively(a);
    EXPECT_EQ(chart.SingleSelection(), a);
    EXPECT_EQ(asked, 1);
    chart.SelectExclusively(a); // already the selection: the filter is not asked again
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(chart.SelectedCount(), 1);

    chart.ClickSelect(refused); // a refused click leaves nothing selected
    EXPECT_EQ(chart.SingleSelection(), nullptr);
    EXPECT_EQ(chart.SelectedCount(), 0);
    EXPECT_FALSE(a->Selected());

    chart.ClickSelect(a);
    EXPECT_TRUE(a->Selected());
    chart.ClickSelect(nullptr); // empty space
    EXPECT_EQ(chart.SelectedCount(), 0);
}

TEST(Canvas, RemovingAnObjectTakesItsConnectionsAndSelection)
{
    CanvasModel chart;
    FcObject* a = chart.AddShape(0, 0, 10, 10, skRectangle);
    FcObject* b = chart.AddShape(0, 20, 10, 10, skRectangle);
    FcObject* c = chart.AddShape(0, 40, 10, 10, skRectangle);
    chart.AddLink(a, 10, b, 2);
    FcConnection* kept = chart.AddLink(b, 10, c, 2);
    chart.SelectExclusively(a);
    const ObjectId removed = a->Id();
    EXPECT_EQ(chart.Find(removed), a);
    chart.RemoveShape(a);
    EXPECT_EQ(chart.Connections().size(), 1u);
    EXPECT_EQ(chart.Connections()[0].get(), kept);
    EXPECT_EQ(b->Links().size(), 1u);
    EXPECT_EQ(chart.SelectedCount(), 0);
    EXPECT_EQ(chart.Find(removed), nullptr);
    chart.RemoveShape(chart.Find(removed)); // gone: nothing happens
    EXPECT_EQ(chart.Objects().size(), 2u);
    // A new object never takes a removed one's id.
    EXPECT_NE(chart.AddShape(0, 0, 1, 1, skNone)->Id(), removed);
    EXPECT_EQ(chart.Find(removed), nullptr);
}

TEST(Canvas, ChildListsRefuseSelfAndCycles)
{
    CanvasModel chart;
    FcObject* a = chart.AddShape(0, 0, 10, 10, skNone);
    FcObject* b = chart.AddShape(0, 0, 10, 10, skNone);
    FcObject* c = chart.AddShape(0, 0, 10, 10, skNone);
    chart.AddChildShape(a, a);
    EXPECT_EQ(a->ChildCount(), 0);
    chart.AddChildShape(a, b);
    chart.AddChildShape(b, c);
    chart.AddChildShape(c, a); // a is an ancestor of c
    EXPECT_EQ(c->ChildCount(), 0);
    chart.AddChildShape(a, c); // already a descendant
    EXPECT_EQ(a->ChildCount(), 1);
    EXPECT_EQ(a->Child(0), b);
}

namespace {

class CountingView : public CanvasObserver {
  public:
    void CanvasChanged() override { ++changes; }
    void CanvasScrollIntoView(const FcRect& rect) override { scrolled = rect; }
    void CanvasDestroyed() override { destroyed = true; }
    int changes = 0;
    FcRect scrolled;
    bool destroyed = false;
};

} // namespace

TEST(Canvas, AViewThatOutlivesItsModelIsToldSo)
{
    CountingView view;
    {
        CanvasModel chart;
        chart.SetView(&view);
        chart.AddShape(0, 0, 10, 10, skRectangle);
        EXPECT_FALSE(view.destroyed);
    }
    EXPECT_TRUE(view.destroyed);
}

TEST(Canvas, UpdateBracketRepaintsOnceAtTheOutermostEnd)
{
    CanvasModel chart;
    CountingView view;
    chart.SetView(&view);
    FcObject* o = chart.AddShape(0, 0, 10, 10, skRectangle);
    const int before = view.changes;
    chart.BeginCanvasUpdate();
    chart.BeginCanvasUpdate();
    o->SetLeft(5);
    o->SetTop(5);
    chart.EndCanvasUpdate();
    EXPECT_EQ(view.changes, before);
    chart.EndCanvasUpdate();
    EXPECT_EQ(view.changes, before + 1);
    o->SetLeft(5); // no real change, no repaint
    EXPECT_EQ(view.changes, before + 1);
    chart.ScrollIntoView(o);
    EXPECT_EQ(view.scrolled.left, 5);
}

TEST(Canvas, HitTestingAndExtent)
{
    CanvasModel chart;
    chart.AddShape(0, 0, 100, 100, skNone); // invisible: no area to click
    FcObject* below = chart.AddShape(10, 10, 50, 50, skRectangle);
    FcObject* above = chart.AddShape(30, 30, 50, 50, skRoundRect);
    EXPECT_EQ(chart.ObjectAt(40, 40), above);
    EXPECT_EQ(chart.ObjectAt(15, 15), below);
    EXPECT_EQ(chart.ObjectAt(95, 95), nullptr);
    const FcRect extent = chart.Extent();
    EXPECT_EQ(extent.Right(), 80);
    EXPECT_EQ(extent.Bottom(), 80);
    EXPECT_EQ(extent.left, 0);
    EXPECT_EQ(extent.top, 0);

    // An object above and left of the origin widens the extent that way.
    chart.AddShape(-40, -25, 20, 10, skRectangle);
    const FcRect wider = chart.Extent();
    EXPECT_EQ(wider.left, -40);
    EXPECT_EQ(wider.top, -25);
    EXPECT_EQ(wider.Right(), 80);
    EXPECT_EQ(wider.Bottom(), 80);
}
