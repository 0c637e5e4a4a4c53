#include "app/formabout.h"
#include "app/mainwindow.h"
#include "app/navbar.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"
#include "model/ui/canvasview.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "paletteclick.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { m_form.show(); }

    FlowList& Flow() { return m_form.Flows(); }
    FcObject* Marker(int index) { return static_cast<TNormalSpot*>(Flow().Item(index))->Marker; }
    FcObject* PanelObject(int index) { return static_cast<PanelItem*>(Flow().Item(index))->Object; }

    bool ClickPaletteItem(int number) { return talvex::ClickPaletteItem(*m_form.dxNavBar1(), number); }

    void ClickOnCanvas(const FcObject* o)
    {
        TdxFlowChart* view = m_form.dxFlowChart1();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->ToViewport(o->Left() + o->Width() / 2, o->Top() + o->Height() / 2));
    }

    TForm1 m_form;
};

TEST_F(MainWindowTest, StartsWithTheTitleAnEmptyCodeViewAndANewFlowchart)
{
    EXPECT_EQ(m_form.windowTitle(), QString::fromUtf8("TALVEX流程图(VEVO8)------VORNACO"));
    EXPECT_TRUE(m_form.CurrentFileName().isEmpty());
    EXPECT_TRUE(m_form.Memo1()->toPlainText().isEmpty());
    EXPECT_FALSE(m_form.Memo1()->isReadOnly());
    EXPECT_EQ(m_form.Memo1()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(m_form.geometry(), QRect(106, 80, 618, 463));
    EXPECT_EQ(m_form.dxNavBar1()->width(), 145);
    EXPECT_EQ(m_form.dxFlowChart1()->width(), 282);
    EXPECT_EQ(m_form.Panel1()->height(), 37);
    ASSERT_EQ(Flow().Count(), 3);
    EXPECT_EQ(m_form.Chart().SingleSelection(), Marker(1));
    EXPECT_EQ(m_form.Chart().Color, (Rgb{166, 202, 240}));
}

TEST_F(MainWindowTest, ToolbarButtonsSitAtTheirPlaces)
{
    const int lefts[] = {2, 34, 66, 98, 138, 394, 362, 170, 506, 474}; // SpeedButton1..10
    for (int n = 1; n <= 10; ++n) {
        QToolButton* b = m_form.SpeedButton(n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->objectName(), QStringLiteral("SpeedButton%1").arg(n));
        EXPECT_EQ(b->geometry(), QRect(lefts[n - 1], 2, 32, 32)) << n;
        EXPECT_FALSE(b->icon().isNull()) << n;
    }
}

TEST_F(MainWindowTest, CaptionRule)
{
    const QString title = QString::fromUtf8("TALVEX流程图(VEVO8)------VORNACO");
    struct Case {
        QString path;
        QString caption;
    };
    const Case cases[] = {
        {QStringLiteral("/home/pupil/robots/robot1.lcc"), title + QStringLiteral(" - robot1.lcc")},
        {QStringLiteral("robot1.lcc"), title + QStringLiteral(" - robot1.lcc")},
        {QString::fromUtf8("/tmp/小车/巡线.lcc"), title + QString::fromUtf8(" - 巡线.lcc")},
        {QString(), title},
    };
    for (const Case& c : cases) {
        m_form.SetCurrentFile(c.path);
        EXPECT_EQ(m_form.windowTitle(), c.caption) << c.path.toStdString();
        EXPECT_EQ(m_form.CurrentFileName(), c.path);
    }
}

TEST_F(MainWindowTest, PaletteShowsTheCatalogGroupsAndNeverTheHiddenItems)
{
    TdxNavBar* bar = m_form.dxNavBar1();
    const auto& groups = PaletteGroups();
    ASSERT_EQ(bar->GroupCount(), 4);
    std::vector<int> expected;
    for (int g = 0; g < 4; ++g) {
        const PaletteGroupInfo& info = groups[static_cast<size_t>(g)];
        EXPECT_EQ(bar->itemText(g), FromGbk(info.caption));
        QListWidget* list = bar->Group(g);
        ASSERT_EQ(list->count(), static_cast<int>(info.items.size()));
        for (int row = 0; row < list->count(); ++row) {
            const BlockInfo* block = FindPaletteItem(info.items[static_cast<size_t>(row)]);
            EXPECT_EQ(list->item(row)->text(), FromGbk(block->caption));
            EXPECT_EQ(list->item(row)->icon().actualSize(QSize(38, 38)), QSize(38, 38));
        }
        expected.insert(expected.end(), info.items.begin(), info.items.end());
    }
    EXPECT_EQ(bar->Group(3)->count(), 0);
    EXPECT_EQ(bar->currentIndex(), 0);
    EXPECT_EQ(bar->ShownItems(), expected);
    for (int hidden : {7, 8, 13, 14, 23, 24, 25}) {
        const std::vector<int> shown = bar->ShownItems();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), hidden), 0) << hidden;
    }
}

class PaletteInsertTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(PaletteInsertTest, InsertsAfterTheSelectedSpot)
{
    const int item = GetParam();
    ASSERT_TRUE(ClickPaletteItem(item));
    ASSERT_EQ(Flow().Count(), 5);
    ASSERT_EQ(Flow().Item(2)->Class(), ItemClass::SeqPanel);
    const FcObject* panel = PanelObject(2);
    EXPECT_EQ(panel->Text(), KindCaption(kBlockKindBase + item));
    EXPECT_EQ(panel->TypeCode, kBlockKindBase + item);
    EXPECT_EQ(panel->CtrlNodeText, DefaultCtrlNode(kBlockKindBase + item));
    EXPECT_EQ(panel->Left(), 70);
    EXPECT_EQ(panel->Top(), 80);
    EXPECT_EQ(PanelObject(4)->Top(), 144);
    EXPECT_EQ(m_form.Chart().SingleSelection(), panel);

    // A block, not a marker, is selected now: a second click does nothing.
    const int other = item == 1 ? 2 : 1;
    ASSERT_TRUE(ClickPaletteItem(other));
    EXPECT_EQ(Flow().Count(), 5);
    EXPECT_EQ(m_form.Chart().SingleSelection(), panel);
}

// One item of each group and the last of the first.
INSTANTIATE_TEST_SUITE_P(Items, PaletteInsertTest, ::testing::Values(1, 32, 17, 9, 31));

TEST_F(MainWindowTest, InsertingAtTheLastSpotAppendsBeforeTheEnd)
{
    ASSERT_TRUE(ClickPaletteItem(1));
    ClickOnCanvas(Marker(3));
    ASSERT_TRUE(ClickPaletteItem(5));
    ASSERT_EQ(Flow().Count(), 7);
    EXPECT_EQ(PanelObject(2)->TypeCode, bkZhiXing);
    EXPECT_EQ(PanelObject(4)->TypeCode, bkYanShi);
}

TEST_F(MainWindowTest, DeletingTheOnlyBlockSelectsTheFirstMarkerAfterTheEvent)
{
    ASSERT_TRUE(ClickPaletteItem(1));
    Flow().DeleteBlock(PanelObject(2));
    EXPECT_EQ(Flow().Count(), 3);
    EXPECT_EQ(m_form.Chart().SelectedCount(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_form.Chart().SingleSelection(), Marker(1));
    // The same spot takes a new block straight away.
    ASSERT_TRUE(ClickPaletteItem(2));
    EXPECT_EQ(Flow().Count(), 5);
}

TEST_F(MainWindowTest, ATallPanelMovesEverythingBelowByEight)
{
    ASSERT_TRUE(ClickPaletteItem(1));
    ClickOnCanvas(Marker(3));
    ASSERT_TRUE(ClickPaletteItem(2)); // start, spot, A, spot, B, spot, end
    std::vector<int32_t> before;
    for (const auto& item : Flow().Items())
        before.push_back(item->Class() == ItemClass::NormalSpot ? static_cast<TNormalSpot*>(item.get())->Top
                                                                : static_cast<PanelItem*>(item.get())->Object->Top());

    Flow().SetBlockHeight(PanelObject(2), 40);
    Flow().RelayoutFlowchart();
    for (int i = 0; i < Flow().Count(); ++i) {
        FlowItem* item = Flow().Item(i);
        const int32_t top = item->Class() == ItemClass::NormalSpot ? static_cast<TNormalSpot*>(item)->Top
                                                                   : static_cast<PanelItem*>(item)->Object->Top();
        EXPECT_EQ(top, before[static_cast<size_t>(i)] + (i > 2 ? 8 : 0)) << i;
    }
    EXPECT_EQ(static_cast<TNormalSpot*>(Flow().Item(3))->Base->Top(), PanelObject(2)->Top() + 40);

    // On screen the panel's dark bottom edge moved down with it.
    TdxFlowChart* view = m_form.dxFlowChart1();
    QImage image(view->viewport()->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    view->PaintCanvas(painter, QRect(QPoint(0, 0), image.size()));
    EXPECT_EQ(QColor(image.pixel(159, 80 + 39)), QColor(64, 64, 64));
}

TEST_F(MainWindowTest, AnInsertFromThePaletteMarksTheWindowModified)
{
    EXPECT_FALSE(m_form.isWindowModified());
    ASSERT_TRUE(ClickPaletteItem(1));
    EXPECT_TRUE(m_form.CurrentDocument().IsModified());
    EXPECT_TRUE(m_form.isWindowModified());
    EXPECT_EQ(m_form.windowTitle(), ApplicationTitle()); // the caption itself stays
}

TEST_F(MainWindowTest, DoubleClickOnTheCanvasReachesTheHandler)
{
    ASSERT_TRUE(ClickPaletteItem(1));
    const FcObject* panel = PanelObject(2);
    const FcObject* seen = nullptr;
    TdxFlowChart* view = m_form.dxFlowChart1();
    QObject::connect(view, &TdxFlowChart::OnDblClick, [&] { seen = m_form.Chart().SingleSelection(); });
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->ToViewport(panel->Left() + 10, panel->Top() + 10));
    EXPECT_EQ(seen, panel);
}

TEST_F(MainWindowTest, AboutShowsProductVersionAndMaker)
{
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* about = qobject_cast<TFormAbout*>(QApplication::activeModalWidget());
        if (!about)
            return;
        poll.stop();
        for (const QLabel* label : about->findChildren<QLabel*>())
            texts << label->text();
        about->accept();
    });
    poll.start(10);
    QTest::mouseClick(m_form.SpeedButton(8), Qt::LeftButton);
    EXPECT_TRUE(texts.contains(QString::fromUtf8("版本:2.0 ")));
    EXPECT_TRUE(texts.contains(QStringLiteral("VORNACO")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("TALVEX流程图(VEVO8)")));
}

TEST_F(MainWindowTest, CloseButtonClosesAnUnchangedWindowWithoutAQuestion)
{
    m_form.Memo1()->setPlainText(QStringLiteral("qzrobot"));
    QTest::mouseClick(m_form.SpeedButton(5), Qt::LeftButton);
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace talvex
