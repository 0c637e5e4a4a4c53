#include "model/catalog.h"
#include "model/flowlist.h"
#include "model/ui/canvasview.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace talvex {
namespace {

// A canvas widget over a flowchart long enough to scroll, wired as the main
// window wires it.
class CanvasZoomTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_chart.OnSelection = [this](FcObject* o, FcConnection* c, bool& allow) {
            m_flow.SelectionFilter(o, c, allow);
        };
        m_view.resize(282, 400);
        m_view.show();
        m_flow.BuildNewFlowchart();
        for (int i = 0; i < 20; ++i)
            m_flow.AppendBlock(1 + i % 6);
        m_flow.RelayoutFlowchart();
        m_view.UpdateScrollRanges();
    }

    QPoint ViewportPointOf(const FcObject* o, int dx, int dy) const
    {
        return m_view.ToViewport(o->Left() + dx, o->Top() + dy);
    }

    void Wheel(int delta, Qt::KeyboardModifiers modifiers, const QPoint& at)
    {
        QWheelEvent event(QPointF(at), QPointF(m_view.viewport()->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_view.viewport(), &event);
    }

    QImage Grab() { return m_view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    CanvasModel m_chart;
    FlowList m_flow{m_chart};
    TdxFlowChart m_view{m_chart};
};

TEST_F(CanvasZoomTest, ClicksHitTheRightObjectAtEveryZoom)
{
    // The screen pixels at the corners of a panel's and a marker's drawn area
    // hit it, the pixel just left of it misses, scrolled down to the last block.
    for (int zoom : {50, 67, 100, 175, 300}) {
        m_view.SetZoom(zoom);
        ASSERT_EQ(m_view.Zoom(), zoom);
        for (FcObject* target : {m_flow.BlockObjects()[3], m_flow.BlockObjects().back(),
                                 static_cast<TNormalSpot*>(m_flow.Item(m_flow.Count() - 2))->Marker}) {
            m_chart.ScrollIntoView(target);
            const QPoint first = m_view.ToViewport(target->Left(), target->Top());
            const QPoint last = m_view.ToViewport(target->Rect().Right(), target->Rect().Bottom()) - QPoint(1, 1);
            for (QPoint corner : {first, QPoint(last.x(), first.y()), QPoint(first.x(), last.y()), last}) {
                m_chart.ClearSelection();
                QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, corner);
                EXPECT_EQ(m_chart.SingleSelection(), target) << zoom << "% at " << corner.x() << "," << corner.y();
            }
            m_chart.ClearSelection();
            QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, QPoint(first.x() - 1, (first.y() + last.y()) / 2));
            EXPECT_EQ(m_chart.SingleSelection(), nullptr) << zoom << "%";
            // From 100% up every canvas pixel has a screen pixel of its own.
            if (zoom >= 100) {
                EXPECT_EQ(m_view.ToCanvas(first), QPoint(target->Left(), target->Top())) << zoom << "%";
            }
        }
    }
}

TEST_F(CanvasZoomTest, ScrollRangeAndDraggingFollowTheScaleWhileTheModelKeepsItsCoordinates)
{
    const FcRect extent = m_chart.Extent();
    const int32_t firstTop = m_flow.BlockObjects()[0]->Top();
    m_view.SetZoom(300);
    const int viewHeight = m_view.viewport()->height();
    EXPECT_EQ(m_view.verticalScrollBar()->maximum(), extent.Bottom() * 3 - viewHeight);
    // Zooming changes no object.
    EXPECT_EQ(m_chart.Extent().Bottom(), extent.Bottom());
    EXPECT_EQ(m_flow.BlockObjects()[0]->Top(), firstTop);

    FcObject* panel = m_flow.BlockObjects()[0];
    m_chart.ScrollIntoView(panel);
    const QPoint origin(panel->Left(), panel->Top());
    const QPoint press = ViewportPointOf(panel, 10, 10);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, press);
    QTest::mouseMove(m_view.viewport(), press + QPoint(30, 60));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, press + QPoint(30, 60));
    // 30 and 60 screen pixels at 300% are 10 and 20 canvas pixels.
    EXPECT_EQ(QPoint(panel->Left(), panel->Top()), origin + QPoint(10, 20));
}

TEST_F(CanvasZoomTest, StepsStopAtTheEndsAndControlWheelZoomsAroundTheCursor)
{
    for (int i = 0; i < 20; ++i)
        m_view.ZoomIn();
    EXPECT_EQ(m_view.Zoom(), TdxFlowChart::kMaxZoom);
    for (int i = 0; i < 20; ++i)
        m_view.ZoomOut();
    EXPECT_EQ(m_view.Zoom(), TdxFlowChart::kMinZoom);
    m_view.ResetZoom();
    EXPECT_EQ(m_view.Zoom(), 100);
    m_view.SetZoom(1000);
    EXPECT_EQ(m_view.Zoom(), TdxFlowChart::kMaxZoom);
    m_view.ResetZoom();

    const FcObject* panel = m_flow.BlockObjects()[1];
    const QPoint at = ViewportPointOf(panel, 20, 10);
    Wheel(120, Qt::ControlModifier, at);
    EXPECT_EQ(m_view.Zoom(), 110);
    Wheel(240, Qt::ControlModifier, at);
    EXPECT_EQ(m_view.Zoom(), 150);
    // The point under the cursor stays under it (to a screen pixel) where the
    // scroll range allows: the column is taller than the view, not wider.
    EXPECT_NEAR(m_view.ToCanvas(at).y(), panel->Top() + 10, 1);
    // Half notches add up; a wheel without Control scrolls and keeps the zoom.
    Wheel(-60, Qt::ControlModifier, at);
    EXPECT_EQ(m_view.Zoom(), 150);
    Wheel(-60, Qt::ControlModifier, at);
    EXPECT_EQ(m_view.Zoom(), 125);
    const int before = m_view.verticalScrollBar()->value();
    Wheel(-120, Qt::NoModifier, at);
    EXPECT_EQ(m_view.Zoom(), 125);
    EXPECT_GT(m_view.verticalScrollBar()->value(), before);
}

TEST_F(CanvasZoomTest, HundredPercentDrawsAsBeforeAndZoomDrawsScaledShapes)
{
    m_view.resize(500, 400);
    m_view.verticalScrollBar()->setValue(0);
    QImage direct(m_view.viewport()->size(), QImage::Format_RGB32);
    {
        QPainter painter(&direct);
        m_view.PaintCanvas(painter, QRect(QPoint(0, 0), direct.size()));
    }
    m_view.SetZoom(200);
    m_view.ResetZoom();
    m_view.verticalScrollBar()->setValue(0);
    m_view.horizontalScrollBar()->setValue(0);
    EXPECT_EQ(Grab(), direct);

    // At 200% the first panel covers twice its size on screen: its fill at
    // the doubled position, the canvas colour just past the doubled edge.
    m_view.SetZoom(200, QPoint(0, 0));
    m_view.verticalScrollBar()->setValue(0);
    m_view.horizontalScrollBar()->setValue(0);
    const QImage zoomed = Grab();
    const FcObject* panel = m_flow.BlockObjects()[0];
    const QColor fill(kPanelFill.r, kPanelFill.g, kPanelFill.b);
    const QColor canvas(kCanvasColor.r, kCanvasColor.g, kCanvasColor.b);
    EXPECT_EQ(zoomed.pixelColor(panel->Left() * 2 + 8, panel->Top() * 2 + 8), fill);
    EXPECT_EQ(zoomed.pixelColor(panel->Left() * 2 + 2 * panel->Width() - 10, panel->Top() * 2 + 8), fill);
    EXPECT_EQ(zoomed.pixelColor(panel->Left() * 2 + 2 * panel->Width() + 2, panel->Top() * 2 + 8), canvas);
    EXPECT_EQ(direct.pixelColor(panel->Left() + 2 * panel->Width() - 10, panel->Top() + 8), canvas);
}

} // namespace
} // namespace talvex
