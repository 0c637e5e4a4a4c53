#include "app/canvascommands.h"
#include "app/mainwindow.h"
#include "app/navbar.h"
#include "app/startup.h"
#include "model/catalog.h"
#include "model/gbk.h"
#include "model/ui/canvasview.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace talvex {
namespace {

// The real window with its dialogs, a few blocks in the column and the
// keyboard on the canvas.
class CanvasComfortsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        CreateForms(m_form);
        m_form.show();
        // Shortcuts go to the active window only.
        QApplication::setActiveWindow(&m_form);
        for (int item : {1, 5, 10})
            m_form.Flows().AppendBlock(item);
        m_form.Flows().RelayoutFlowchart();
        Canvas()->setFocus();
    }

    TdxFlowChart* Canvas() { return m_form.dxFlowChart1(); }
    FcObject* Selected() { return m_form.Chart().SingleSelection(); }
    FcObject* Marker(int index) { return static_cast<TNormalSpot*>(m_form.Flows().Item(index))->Marker; }
    FcObject* PanelObject(int index) { return static_cast<PanelItem*>(m_form.Flows().Item(index))->Object; }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Canvas(), key, modifiers); }

    // The name of the modal dialog that comes up while action runs, which is
    // then cancelled; empty when none does.
    template <typename Action> QString ModalDuring(Action action)
    {
        QString seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                seen = dialog->objectName();
                dialog->reject();
            }
        });
        poll.start(10);
        action();
        poll.stop();
        return seen;
    }

    TForm1 m_form;
};

TEST_F(CanvasComfortsTest, UpAndDownWalkTheMarkersAndPanelsInColumnOrder)
{
    // start, spot, 直行, spot, 延时, spot, 多次循环尾, spot, end
    const std::vector<FcObject*> column = {Marker(1), PanelObject(2), Marker(3), PanelObject(4),
                                           Marker(5), PanelObject(6), Marker(7)};
    m_form.Chart().ClearSelection();
    Key(Qt::Key_Down); // from nothing: the first marker
    EXPECT_EQ(Selected(), column.front());
    for (size_t i = 1; i < column.size(); ++i) {
        Key(Qt::Key_Down);
        EXPECT_EQ(Selected(), column[i]) << i;
    }
    Key(Qt::Key_Down); // the last marker stays
    EXPECT_EQ(Selected(), column.back());
    for (size_t i = column.size() - 1; i-- > 0;) {
        Key(Qt::Key_Up);
        EXPECT_EQ(Selected(), column[i]) << i;
    }
    Key(Qt::Key_Up);
    EXPECT_EQ(Selected(), column.front());
    m_form.Chart().ClearSelection();
    Key(Qt::Key_Up); // from nothing upwards: the last marker
    EXPECT_EQ(Selected(), column.back());
    Key(Qt::Key_Escape);
    EXPECT_EQ(Selected(), nullptr);
    // Nothing changed in the flowchart.
    EXPECT_FALSE(m_form.CurrentDocument().IsModified());
}

TEST_F(CanvasComfortsTest, EnterOpensTheSelectedPanelsDialogAsADoubleClickDoes)
{
    struct Case {
        const char* what;
        FcObject* selected;
        Qt::Key key;
        const char* dialog;
    };
    const Case cases[] = {
        {"drive panel, Return", PanelObject(2), Qt::Key_Return, "TFormZhiXing"},
        {"delay panel, keypad Enter", PanelObject(4), Qt::Key_Enter, "TFormYanShi"},
        {"loop tail panel", PanelObject(6), Qt::Key_Return, "TFormLoopEnd"},
        {"a marker opens nothing", Marker(3), Qt::Key_Return, ""},
    };
    for (const Case& c : cases) {
        m_form.Chart().SelectExclusively(c.selected);
        EXPECT_EQ(ModalDuring([&] { Key(c.key); }), QString::fromLatin1(c.dialog)) << c.what;
        EXPECT_EQ(Selected(), c.selected) << c.what;
    }
    m_form.Chart().ClearSelection();
    EXPECT_EQ(ModalDuring([&] { Key(Qt::Key_Return); }), QString()) << "nothing selected";
}

TEST_F(CanvasComfortsTest, ZoomShortcutsWorkFromTheWindowAndAreInTheCanvasMenu)
{
    struct Case {
        QKeySequence keys;
        int zoomAfter;
    };
    const Case cases[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), 110}, {QKeySequence(Qt::CTRL | Qt::Key_Equal), 125},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 110}, {QKeySequence(Qt::CTRL | Qt::Key_0), 100},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 90},
    };
    for (const Case& c : cases) {
        QTest::keySequence(m_form.dxNavBar1(), c.keys);
        EXPECT_EQ(Canvas()->Zoom(), c.zoomAfter) << c.keys.toString().toStdString();
    }
    const QList<QAction*> menu = Canvas()->actions();
    for (QAction* a : {m_form.CanvasComforts().ZoomInAction(), m_form.CanvasComforts().ZoomOutAction(),
                       m_form.CanvasComforts().ZoomResetAction()})
        EXPECT_TRUE(menu.contains(a)) << a->text().toStdString();
    // The code view keeps the keyboard's own meaning of the arrow keys.
    m_form.Memo1()->setPlainText(QStringLiteral("a\nb"));
    m_form.Memo1()->setFocus();
    FcObject* before = Selected();
    QTest::keyClick(m_form.Memo1(), Qt::Key_Down);
    EXPECT_EQ(Selected(), before);
}

TEST_F(CanvasComfortsTest, PaletteItemsCarryTheirCatalogDescriptionAsTooltip)
{
    TdxNavBar* bar = m_form.dxNavBar1();
    int shown = 0;
    for (int g = 0; g < bar->GroupCount(); ++g) {
        QListWidget* list = bar->Group(g);
        for (int row = 0; row < list->count(); ++row) {
            const int item = list->item(row)->data(TdxNavBar::kItemRole).toInt();
            EXPECT_EQ(list->item(row)->toolTip(), FromGbk(FindPaletteItem(item)->description)) << item;
            EXPECT_FALSE(list->item(row)->toolTip().isEmpty());
            ++shown;
        }
    }
    EXPECT_EQ(shown, static_cast<int>(bar->ShownItems().size()));
}

} // namespace
} // namespace talvex
