#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "model/gbk.h"

#include <gtest/gtest.h>

using namespace talvex;

namespace {

class FlowchartTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        chart.OnSelection = [this](FcObject* o, FcConnection* c, bool& allow) { flow.SelectionFilter(o, c, allow); };
        flow.PostDeferredSelect = [this] { ++posted; };
        flow.BuildNewFlowchart();
    }

    TNormalSpot* Spot(int index) { return static_cast<TNormalSpot*>(flow.Item(index)); }
    PanelItem* Panel(int index) { return static_cast<PanelItem*>(flow.Item(index)); }
    FcRect RectOf(int index) { return Panel(index)->Object->Rect(); }
    void InsertAt(int spotIndex, int item)
    {
        chart.SelectExclusively(Spot(spotIndex)->Marker);
        flow.InsertBlock(item);
    }

    CanvasModel chart;
    FlowList flow{chart};
    int posted = 0;
};

} // namespace

TEST_F(FlowchartTest, NewFlowchartGeometry)
{
    ASSERT_EQ(flow.Count(), 3);
    EXPECT_EQ(flow.Item(0)->Class(), ItemClass::StartPanel);
    EXPECT_EQ(flow.Item(1)->Class(), ItemClass::NormalSpot);
    EXPECT_EQ(flow.Item(2)->Class(), ItemClass::EndPanel);
    EXPECT_EQ(chart.SingleSelection(), Spot(1)->Marker);

    EXPECT_EQ(RectOf(0).left, 70);
    EXPECT_EQ(RectOf(0).top, 16);
    EXPECT_EQ(RectOf(0).width, 90);
    EXPECT_EQ(RectOf(0).height, 32);
    EXPECT_EQ(Spot(1)->Base->Left(), 70);
    EXPECT_EQ(Spot(1)->Base->Top(), 48);
    EXPECT_EQ(Spot(1)->Marker->Left(), 95);
    EXPECT_EQ(Spot(1)->Marker->Top(), 57);
    EXPECT_EQ(RectOf(2).left, 70);
    EXPECT_EQ(RectOf(2).top, 80);

    ASSERT_EQ(chart.Connections().size(), 2u);
    EXPECT_EQ(chart.Connections()[0]->From(), (FcPoint{115, 47}));
    EXPECT_EQ(chart.Connections()[0]->To(), (FcPoint{115, 57}));
    EXPECT_EQ(chart.Connections()[1]->From(), (FcPoint{115, 70}));
    EXPECT_EQ(chart.Connections()[1]->To(), (FcPoint{115, 80}));

    EXPECT_EQ(flow.StartObject->TypeCode, bkStart);
    EXPECT_EQ(flow.EndObject->TypeCode, bkEnd);
    EXPECT_EQ(flow.StartObject->Text(), Gbk("开始"));
    EXPECT_EQ(flow.StartObject->FillColor(), (Rgb{255, 255, 0}));
    EXPECT_EQ(Spot(1)->Marker->TypeCode, bkSpot);
    EXPECT_EQ(Spot(1)->Marker->FillColor(), (Rgb{255, 235, 170}));
    EXPECT_EQ(Spot(1)->Base->TypeCode, 0);
    EXPECT_EQ(flow.ItemHeight(Spot(1)), 32);
}

TEST_F(FlowchartTest, InsertAfterTheSelectedSpot)
{
    flow.InsertBlock(1);
    ASSERT_EQ(flow.Count(), 5);
    auto* panel = static_cast<TSeqPanel*>(flow.Item(2));
    ASSERT_EQ(panel->Class(), ItemClass::SeqPanel);
    EXPECT_EQ(panel->Object->Text(), Gbk("直行"));
    EXPECT_EQ(panel->Object->TypeCode, bkZhiXing);
    EXPECT_EQ(panel->Object->CtrlNodeText, DefaultCtrlNode(bkZhiXing));
    EXPECT_EQ(panel->Object->FillColor(), (Rgb{0, 128, 128}));
    EXPECT_EQ(RectOf(2).top, 80);
    EXPECT_EQ(Spot(3)->Top, 112);
    EXPECT_EQ(RectOf(4).top, 144);
    EXPECT_EQ(chart.SingleSelection(), panel->Object);

    flow.InsertBlock(2); // a panel, not a marker, is selected: nothing happens
    EXPECT_EQ(flow.Count(), 5);
    flow.InsertBlock(14); // no kind behind item 14
    EXPECT_EQ(flow.Count(), 5);
}

TEST_F(FlowchartTest, InsertPositions)
{
    InsertAt(1, 1);
    InsertAt(3, 2);
    InsertAt(5, 3);
    InsertAt(1, 5); // first spot: becomes the first block
    EXPECT_EQ(Panel(2)->Object->TypeCode, bkYanShi);
    InsertAt(flow.Count() - 2, 4); // last spot: becomes the last block
    EXPECT_EQ(Panel(flow.Count() - 3)->Object->TypeCode, bkTingZhiDJ);
    const int32_t expected[] = {bkYanShi, bkZhiXing, bkZhuanXiang, bkQiDongDJ, bkTingZhiDJ};
    const auto blocks = flow.BlockObjects();
    ASSERT_EQ(blocks.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(blocks[i]->TypeCode, expected[i]);
    // Shape: start, spot, (panel, spot)*, end; stacked without gaps.
    int32_t y = 16;
    for (int i = 0; i < flow.Count(); ++i) {
        const ItemClass cls = flow.Item(i)->Class();
        if (i == 0)
            EXPECT_EQ(cls, ItemClass::StartPanel);
        else if (i == flow.Count() - 1)
            EXPECT_EQ(cls, ItemClass::EndPanel);
        else
            EXPECT_EQ(cls, i % 2 ? ItemClass::NormalSpot : ItemClass::SeqPanel);
        const int32_t top = cls == ItemClass::NormalSpot ? Spot(i)->Base->Top() : Panel(i)->Object->Top();
        EXPECT_EQ(top, y) << i;
        y += flow.ItemHeight(flow.Item(i));
    }
}

TEST_F(FlowchartTest, DeleteTheOnlyBlockSelectsTheFirstMarkerLater)
{
    flow.InsertBlock(9);
    FcObject* block = Panel(2)->Object;
    flow.DeleteBlock(block);
    EXPECT_EQ(flow.Count(), 3);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(chart.SelectedCount(), 0);
    EXPECT_EQ(flow.PendingSelection, Spot(1)->Marker->Id());
    flow.DeferredSelect();
    EXPECT_EQ(chart.SingleSelection(), Spot(1)->Marker);
    EXPECT_EQ(chart.Connections().size(), 2u); // the removed spot took its lines
    EXPECT_EQ(RectOf(2).top, 80);
}

TEST_F(FlowchartTest, DeleteLeavesTheLoopEndAndIgnoresForeignObjects)
{
    flow.InsertBlock(9);
    InsertAt(3, 10);
    flow.DeleteBlock(Panel(2)->Object);
    ASSERT_EQ(flow.Count(), 5);
    EXPECT_EQ(Panel(2)->Object->TypeCode, bkLoopEnd);
    flow.DeleteBlock(flow.StartObject);
    flow.DeleteBlock(Spot(1)->Marker);
    flow.DeleteBlock(Spot(1)->Base);
    flow.DeleteBlock(nullptr);
    EXPECT_EQ(flow.Count(), 5);
}

TEST_F(FlowchartTest, TallPanelMovesTheRestDownByEight)
{
    flow.InsertBlock(20);
    InsertAt(3, 1);
    const int32_t spotTop = Spot(3)->Base->Top();
    const int32_t lastTop = RectOf(6).top;
    flow.SetBlockHeight(Panel(2)->Object, 40);
    flow.RelayoutFlowchart();
    EXPECT_EQ(Panel(2)->Height, 40);
    EXPECT_EQ(Spot(3)->Base->Top(), spotTop + 8);
    EXPECT_EQ(Spot(3)->Base->Top(), RectOf(2).top + 40);
    EXPECT_EQ(RectOf(6).top, lastTop + 8);
    flow.SetBlockHeight(flow.StartObject, 50); // terminals are not block panels
    EXPECT_EQ(flow.StartObject->Height(), 32);
}

TEST_F(FlowchartTest, RelayoutPutsDraggedItemsBack)
{
    flow.InsertBlock(1);
    Panel(2)->Object->SetLeft(300);
    Panel(2)->Object->SetTop(300);
    Spot(1)->Marker->SetLeft(200);
    InsertAt(3, 2);
    EXPECT_EQ(RectOf(2).left, 70);
    EXPECT_EQ(RectOf(2).top, 80);
    EXPECT_EQ(Spot(1)->Marker->Left(), 95);
    EXPECT_EQ(Spot(1)->Marker->Top(), 57);
}

TEST_F(FlowchartTest, SelectionFilter)
{
    flow.InsertBlock(1);
    struct Case {
        const char* what;
        FcObject* object;
        bool allowed;
    };
    const Case cases[] = {
        {"start terminal", flow.StartObject, false}, {"end terminal", flow.EndObject, false},
        {"spot base", Spot(1)->Base, false},         {"second spot base", Spot(3)->Base, false},
        {"marker", Spot(3)->Marker, true},           {"block panel", Panel(2)->Object, true},
    };
    for (const Case& c : cases) {
        chart.ClickSelect(c.object);
        EXPECT_EQ(chart.SingleSelection() == c.object, c.allowed) << c.what;
    }
    bool allow = true;
    flow.SelectionFilter(nullptr, chart.Connections()[0].get(), allow);
    EXPECT_FALSE(allow);
}

TEST_F(FlowchartTest, Lookups)
{
    flow.InsertBlock(1);
    EXPECT_EQ(flow.IndexOfPanelObject(Panel(2)->Object), 2);
    EXPECT_EQ(flow.IndexOfPanelObject(flow.StartObject), -1);
    EXPECT_EQ(flow.IndexOfPanelObject(Spot(1)->Marker), -1);
    EXPECT_EQ(flow.IndexOfSpotMarker(Spot(3)->Marker), 3);
    EXPECT_EQ(flow.IndexOfSpotMarker(Panel(2)->Object), -1);
    EXPECT_EQ(flow.IndexOfSpotBase(Spot(3)->Base), 3);
    EXPECT_EQ(flow.ItemLeft(nullptr), 0);
    EXPECT_EQ(flow.ItemHeight(nullptr), 0);
}

TEST_F(FlowchartTest, AppendBlocks)
{
    flow.AppendBlock(1);
    flow.AppendBlock(2);
    flow.AppendBlock(3);
    EXPECT_EQ(Panel(6)->Object->Top(), 0); // no relayout yet
    flow.RelayoutFlowchart();
    ASSERT_EQ(flow.Count(), 9);
    EXPECT_EQ(Panel(2)->Object->TypeCode, bkZhiXing);
    EXPECT_EQ(Panel(4)->Object->TypeCode, bkZhuanXiang);
    EXPECT_EQ(Panel(6)->Object->TypeCode, bkQiDongDJ);
    EXPECT_EQ(flow.LastAppendedObject, Panel(6)->Object);
    EXPECT_EQ(RectOf(8).top, 16 + 32 * 8);
    EXPECT_EQ(chart.SingleSelection(), Spot(1)->Marker); // selection untouched

    flow.AppendBlock(7);
    EXPECT_EQ(flow.LastAppendedObject->Text(), Gbk("红外线"));
    EXPECT_EQ(flow.LastAppendedObject->TypeCode, bkHongWai);
    EXPECT_TRUE(flow.LastAppendedObject->CtrlNodeText.empty());
    FcObject* last = flow.LastAppendedObject;
    flow.AppendBlock(14);
    EXPECT_EQ(flow.Count(), 11);
    EXPECT_EQ(flow.LastAppendedObject, last);
}

TEST_F(FlowchartTest, ClearEmptiesListAndCanvas)
{
    flow.InsertBlock(1);
    flow.ClearFlowchart();
    EXPECT_EQ(flow.Count(), 0);
    EXPECT_TRUE(chart.Objects().empty());
    EXPECT_TRUE(chart.Connections().empty());
    flow.ClearFlowchart();
    EXPECT_EQ(flow.Count(), 0);
    flow.BuildNewFlowchart();
    EXPECT_EQ(flow.Count(), 3);
    EXPECT_EQ(chart.Objects().size(), 6u);
}
