#include "model/catalog.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "model/ui/canvasview.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace talvex {
namespace {

// A canvas widget over a fresh flowchart, wired as the main window wires it.
class CanvasViewTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_chart.OnSelection = [this](FcObject* o, FcConnection* c, bool& allow) {
            m_flow.SelectionFilter(o, c, allow);
        };
        m_view.resize(282, 400);
        m_view.show();
        m_flow.BuildNewFlowchart();
    }

    TNormalSpot* Spot(int index) const { return static_cast<TNormalSpot*>(m_flow.Item(index)); }
    PanelItem* Panel(int index) const { return static_cast<PanelItem*>(m_flow.Item(index)); }

    QPoint CentreOf(const FcObject* o) const
    {
        return m_view.ToViewport(o->Left() + o->Width() / 2, o->Top() + o->Height() / 2);
    }
    void Click(const FcObject* o) { QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, CentreOf(o)); }

    // The viewport as drawn, in canvas coordinates while unscrolled.
    QImage Render()
    {
        QImage image(m_view.viewport()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        m_view.PaintCanvas(painter, QRect(QPoint(0, 0), image.size()));
        return image;
    }

    CanvasModel m_chart;
    FlowList m_flow{m_chart};
    TdxFlowChart m_view{m_chart};
};

TEST_F(CanvasViewTest, ClicksGoThroughTheSelectionFilter)
{
    m_flow.InsertBlock(1); // start, spot, panel, spot, end
    FcObject* panel = Panel(2)->Object;
    FcObject* marker = Spot(3)->Marker;
    struct Case {
        const char* what;
        FcObject* clicked;
        FcObject* selectedAfter;
    };
    const Case cases[] = {
        {"marker", marker, marker},
        {"start terminal", m_flow.StartObject, nullptr},
        {"block panel", panel, panel},
        {"end terminal", m_flow.EndObject, nullptr},
        {"first marker", Spot(1)->Marker, Spot(1)->Marker},
    };
    for (const Case& c : cases) {
        Click(c.clicked);
        EXPECT_EQ(m_chart.SingleSelection(), c.selectedAfter) << c.what;
    }
}

TEST_F(CanvasViewTest, SpotBasesAndEmptySpaceAreNeverSelected)
{
    // A base has no area: a click beside the marker, inside the base, hits
    // nothing, and selecting the base outright is refused.
    TNormalSpot* spot = Spot(1);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {},
                      m_view.ToViewport(spot->Base->Left() + 3, spot->Base->Top() + 3));
    EXPECT_EQ(m_chart.SelectedCount(), 0);
    m_chart.SelectExclusively(spot->Base);
    EXPECT_EQ(m_chart.SelectedCount(), 0);
}

TEST_F(CanvasViewTest, DraggingMovesTheObjectAndItsLinesUntilTheNextRelayout)
{
    m_flow.InsertBlock(5);
    FcObject* panel = Panel(2)->Object;
    TNormalSpot* spot = Spot(3);
    const QPoint start = CentreOf(spot->Marker);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(m_view.viewport(), start + QPoint(20, 5));
    QTest::mouseMove(m_view.viewport(), start + QPoint(60, 30));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, start + QPoint(60, 30));
    EXPECT_EQ(spot->Marker->Left(), 95 + 60);
    EXPECT_EQ(spot->Marker->Top(), 121 + 30);
    // The entry line ends on the moved marker's top centre.
    const FcConnection* entry = spot->EntryPoint->Links().front();
    EXPECT_EQ(entry->To(), (FcPoint{95 + 60 + 20, 121 + 30}));

    Click(panel);
    const QPoint from = CentreOf(panel);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(m_view.viewport(), from + QPoint(230, 220));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, from + QPoint(230, 220));
    EXPECT_EQ(panel->Left(), 300);
    EXPECT_EQ(panel->Top(), 300);

    Click(Spot(1)->Marker);
    m_flow.InsertBlock(2);
    EXPECT_EQ(panel->Left(), kColumnLeft);
    EXPECT_EQ(panel->Top(), 16 + 32 * 4);
    EXPECT_EQ(spot->Marker->Left(), 95);
    EXPECT_EQ(spot->Marker->Top(), 16 + 32 * 5 + 9);
}

TEST_F(CanvasViewTest, AClickWithoutMovementLeavesTheObjectInPlace)
{
    FcObject* marker = Spot(1)->Marker;
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, CentreOf(marker));
    QTest::mouseMove(m_view.viewport(), CentreOf(marker) + QPoint(1, 0));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, CentreOf(marker) + QPoint(1, 0));
    EXPECT_EQ(marker->Left(), 95);
    EXPECT_EQ(marker->Top(), 57);
}

TEST_F(CanvasViewTest, DoubleClickReachesTheOwnerWithTheClickedSelection)
{
    m_flow.InsertBlock(3);
    FcObject* panel = Panel(2)->Object;
    m_chart.ClearSelection();
    FcObject* seen = nullptr;
    int calls = 0;
    QObject::connect(&m_view, &TdxFlowChart::OnDblClick, [&] {
        ++calls;
        seen = m_chart.SingleSelection();
    });
    // As a real double click arrives: press, release, double click, release.
    Click(panel);
    QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, {}, CentreOf(panel));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, CentreOf(panel));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, panel);
    EXPECT_EQ(panel->Left(), 70);

    // On a refused object the owner still hears of it, with nothing selected.
    Click(m_flow.StartObject);
    QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, {}, CentreOf(m_flow.StartObject));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seen, nullptr);
}

TEST_F(CanvasViewTest, DrawsFillsBevelsLinesAndText)
{
    m_flow.InsertBlock(1); // panel at (70, 80) to (159, 111), selected
    m_chart.ClearSelection();
    const QImage image = Render();
    struct Pixel {
        const char* what;
        int x, y;
        QColor colour;
    };
    const Pixel pixels[] = {
        {"background", 5, 5, QColor(166, 202, 240)},
        {"terminal fill", 76, 32, QColor(255, 255, 0)},
        {"terminal outline, left edge", 70, 32, QColor(0, 0, 0)},
        {"round corner stays background", 70, 16, QColor(166, 202, 240)},
        {"marker fill", 100, 63, QColor(255, 235, 170)},
        {"panel fill", 74, 84, QColor(0, 128, 128)},
        {"bevel outer light", 70, 80, QColor(227, 227, 227)},
        {"bevel inner highlight", 71, 81, QColor(255, 255, 255)},
        {"bevel outer dark", 159, 111, QColor(64, 64, 64)},
        {"bevel inner shadow", 158, 110, QColor(128, 128, 128)},
        {"entry line", 115, 52, QColor(0, 0, 0)},
        {"exit line", 115, 75, QColor(0, 0, 0)},
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(QColor(image.pixel(p.x, p.y)), p.colour) << p.what;

    // Captions: black on the terminal, white on the panel.
    auto count = [&](QRect r, QColor c) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += QColor(image.pixel(x, y)) == c;
        return n;
    };
    EXPECT_GT(count(QRect(80, 20, 70, 24), Qt::black), 20);
    EXPECT_GT(count(QRect(80, 84, 70, 24), Qt::white), 20);
}

TEST_F(CanvasViewTest, TheSelectedObjectCarriesAVisibleMark)
{
    FcObject* marker = Spot(1)->Marker;
    ASSERT_EQ(m_chart.SingleSelection(), marker);
    const QImage selected = Render();
    m_chart.ClearSelection();
    const QImage plain = Render();
    // Handles sit on the corners, half outside the marker.
    const QPoint corner(marker->Left() - 2, marker->Top() - 2);
    EXPECT_NE(selected.pixel(corner), plain.pixel(corner));
    EXPECT_EQ(QColor(plain.pixel(corner)), QColor(166, 202, 240));
}

TEST_F(CanvasViewTest, ScrollBarsFollowTheExtentAndScrollIntoViewMovesTheLeast)
{
    for (int i = 0; i < 30; ++i)
        m_flow.AppendBlock(1);
    m_flow.RelayoutFlowchart();
    QCoreApplication::processEvents();
    QScrollBar* v = m_view.verticalScrollBar();
    const int viewHeight = m_view.viewport()->height();
    EXPECT_EQ(v->maximum(), m_chart.Extent().Bottom() - viewHeight);

    const std::vector<FcObject*> blocks = m_flow.BlockObjects();
    struct Case {
        const char* what;
        int startAt;
        FcObject* object;
        int expected;
    };
    const FcObject* last = blocks.back();
    const FcObject* tenth = blocks[9];
    const Case cases[] = {
        {"below: bottom edge to the bottom of the view", 0, blocks.back(), last->Rect().Bottom() - viewHeight},
        {"already visible: no scrolling", tenth->Top() - 10, blocks[9], tenth->Top() - 10},
        {"above: top edge to the top of the view", tenth->Top() + 50, blocks[9], tenth->Top()},
    };
    for (const Case& c : cases) {
        v->setValue(c.startAt);
        m_chart.ScrollIntoView(c.object);
        EXPECT_EQ(v->value(), c.expected) << c.what;
    }
}

TEST_F(CanvasViewTest, ClicksHitTheScrolledCanvas)
{
    for (int i = 0; i < 30; ++i)
        m_flow.AppendBlock(1);
    m_flow.RelayoutFlowchart();
    FcObject* last = m_flow.BlockObjects().back();
    // Scrolled within the same event as the relayout, before the scroll bars
    // have measured the new extent.
    m_chart.ScrollIntoView(last);
    QScrollBar* v = m_view.verticalScrollBar();
    const int value = v->value();
    EXPECT_EQ(value, last->Rect().Bottom() - m_view.viewport()->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(v->value(), value);
    EXPECT_EQ(v->maximum(), m_chart.Extent().Bottom() - m_view.viewport()->height());
    Click(last);
    EXPECT_EQ(m_chart.SingleSelection(), last);
}

TEST_F(CanvasViewTest, BlocksDraggedAboveOrLeftOfTheOriginCanBeScrolledToAndClicked)
{
    m_flow.InsertBlock(5);
    FcObject* panel = Panel(2)->Object;
    Click(panel);
    const QPoint from = CentreOf(panel);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(m_view.viewport(), from + QPoint(-100, -100));
    QTest::mouseMove(m_view.viewport(), from + QPoint(-200, -150));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, from + QPoint(-200, -150));
    ASSERT_EQ(panel->Left(), kColumnLeft - 200);
    ASSERT_LT(panel->Top(), 0);
    QCoreApplication::processEvents();

    QScrollBar* h = m_view.horizontalScrollBar();
    QScrollBar* v = m_view.verticalScrollBar();
    EXPECT_EQ(h->minimum(), panel->Left());
    EXPECT_EQ(v->minimum(), panel->Top());
    h->setValue(h->minimum());
    v->setValue(v->minimum());
    m_chart.ClearSelection();
    Click(panel);
    EXPECT_EQ(m_chart.SingleSelection(), panel);
}

// A caption of two lines on a 40-pixel panel leaves the two-pixel bevel alone.
TEST_F(CanvasViewTest, TwoLineCaptionsStayInsideTheBevel)
{
    m_flow.InsertBlock(23);
    FcObject* panel = Panel(2)->Object;
    m_chart.ClearSelection();
    m_flow.SetBlockHeight(panel, 40);
    m_flow.RelayoutFlowchart();
    panel->SetText(std::string());
    const QImage bare = Render();
    panel->SetText(Gbk(u8"子程序开始:前进"));
    const QImage captioned = Render();

    const QRect r(panel->Left(), panel->Top(), panel->Width(), panel->Height());
    ASSERT_EQ(r.height(), 40);
    int onBevel = 0, upper = 0, lower = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (captioned.pixel(x, y) == bare.pixel(x, y))
                continue;
            if (x < r.left() + 2 || x > r.right() - 2 || y < r.top() + 2 || y > r.bottom() - 2)
                ++onBevel;
            else
                ++(y < r.top() + 20 ? upper : lower);
        }
    }
    EXPECT_EQ(onBevel, 0);
    EXPECT_GT(upper, 30) << "first line";
    EXPECT_GT(lower, 30) << "second line";
}

} // namespace
} // namespace talvex
