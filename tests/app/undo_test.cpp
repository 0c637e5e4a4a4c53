#include "app/editcommands.h"
#include "app/mainwindow.h"
#include "app/navbar.h"
#include "app/startup.h"
#include "model/gbk.h"
#include "model/ui/canvasview.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include "paletteclick.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

// Runs action; when a modal dialog comes up, answer works on it.
void WithModal(const std::function<void()>& action, const std::function<void(QDialog&)>& answer)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            answer(*dialog);
        }
    });
    poll.start(10);
    action();
}

void ClickButton(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// The window as the user meets it, with its dialogs; every edit goes through
// the palette, the canvas, the dialogs, the keyboard and the toolbar.
class UndoTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        CreateForms(m_form);
        m_form.show();
        m_form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
    }

    FlowList& Flow() { return m_form.Flows(); }
    TdxFlowChart* View() { return m_form.dxFlowChart1(); }
    FcObject* Selected() { return m_form.Chart().SingleSelection(); }
    FcObject* Marker(int index) { return static_cast<TNormalSpot*>(Flow().Item(index))->Marker; }
    FcObject* Panel(int index) { return static_cast<PanelItem*>(Flow().Item(index))->Object; }
    bool Modified() { return m_form.CurrentDocument().IsModified(); }

    // The blocks' node texts in FlowList order.
    std::vector<std::string> Nodes()
    {
        std::vector<std::string> nodes;
        for (const FcObject* object : Flow().BlockObjects())
            nodes.push_back(object->CtrlNodeText);
        return nodes;
    }

    void ClickPaletteItem(int number)
    {
        if (!talvex::ClickPaletteItem(*m_form.dxNavBar1(), number))
            ADD_FAILURE() << "no palette item " << number;
    }

    QPoint Centre(const FcObject* o)
    {
        return View()->ToViewport(o->Left() + o->Width() / 2, o->Top() + o->Height() / 2);
    }
    void Click(const FcObject* o) { QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, Centre(o)); }
    void DoubleClick(const FcObject* o, const std::function<void(QDialog&)>& answer)
    {
        WithModal([&] { QTest::mouseDClick(View()->viewport(), Qt::LeftButton, {}, Centre(o)); }, answer);
        QApplication::processEvents(); // the deferred selection after "删除"
        // The closed dialog hands activation back as a window manager would.
        m_form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
    }
    void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(to, key, mods); }
    void Undo() { Key(View(), Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { Key(View(), Qt::Key_Y, Qt::ControlModifier); }

    TForm1 m_form;
};

TEST_F(UndoTest, EveryEditUndoesAndRedoesInTheWindow)
{
    QToolButton* undoButton = m_form.ExtraToolButton(ExtraTool::Undo);
    QToolButton* redoButton = m_form.ExtraToolButton(ExtraTool::Redo);
    ASSERT_NE(undoButton, nullptr);
    ASSERT_NE(redoButton, nullptr);
    EXPECT_FALSE(undoButton->isEnabled());
    EXPECT_FALSE(redoButton->isEnabled());
    EXPECT_EQ(undoButton->toolTip(), QString::fromUtf8(u8"撤销 (Ctrl+Z)"));
    EXPECT_EQ(redoButton->toolTip(), QString::fromUtf8(u8"重做 (Ctrl+Y)"));

    // 1: insert a delay and an expression from the palette.
    ClickPaletteItem(5);
    ClickPaletteItem(20); // the new block is selected, not a spot: nothing
    EXPECT_EQ(Flow().Count(), 5);
    Click(Marker(3));
    ClickPaletteItem(20);
    ASSERT_EQ(Flow().Count(), 7);
    EXPECT_TRUE(undoButton->isEnabled());
    EXPECT_TRUE(Modified());
    const std::vector<std::string> inserted = Nodes();

    // 2: accept the expression's dialog with a GBK text.
    FcObject* expression = Panel(4);
    DoubleClick(expression, [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::fromUtf8(u8"甲=乙"));
        ClickButton(dialog, "Button1");
    });
    const std::vector<std::string> edited = Nodes();
    ASSERT_NE(edited, inserted);
    const std::string editedCaption = expression->Text();
    EXPECT_EQ(editedCaption, Gbk(u8"表达式:甲=乙"));

    // 2b: "确定" without a change adds no step.
    DoubleClick(expression, [](QDialog& dialog) { ClickButton(dialog, "Button1"); });
    EXPECT_EQ(Nodes(), edited);

    // 3: delete the delay through its dialog's "删除".
    DoubleClick(Panel(2), [](QDialog& dialog) { ClickButton(dialog, "Button3"); });
    ASSERT_EQ(Flow().Count(), 5);
    EXPECT_EQ(Selected(), Marker(1));
    const std::vector<std::string> afterDialogDelete = Nodes();

    // 4: delete the expression with the Delete key.
    Click(Panel(2));
    EXPECT_TRUE(View()->hasFocus());
    Key(View(), Qt::Key_Delete);
    QApplication::processEvents();
    ASSERT_EQ(Flow().Count(), 3);
    EXPECT_EQ(Selected(), Marker(1));

    // Back, one step at a time.
    Undo(); // the key's delete
    EXPECT_EQ(Nodes(), afterDialogDelete);
    EXPECT_EQ(Selected(), Panel(2));
    EXPECT_EQ(Panel(2)->Text(), editedCaption);
    Undo(); // the dialog's delete
    EXPECT_EQ(Nodes(), edited);
    EXPECT_EQ(Selected(), Panel(2));
    Undo(); // the edit
    EXPECT_EQ(Nodes(), inserted);
    EXPECT_EQ(Selected(), Panel(4));
    Undo(); // the expression's insert: its spot's marker is selected
    EXPECT_EQ(Flow().Count(), 5);
    EXPECT_EQ(Selected(), Marker(3));
    QTest::mouseClick(undoButton, Qt::LeftButton); // the delay's insert
    EXPECT_EQ(Flow().Count(), 3);
    EXPECT_EQ(Selected(), Marker(1));
    EXPECT_FALSE(undoButton->isEnabled());
    EXPECT_TRUE(redoButton->isEnabled());
    EXPECT_FALSE(Modified());

    // And forward again.
    Redo();
    EXPECT_EQ(Flow().Count(), 5);
    EXPECT_EQ(Selected(), Panel(2));
    Key(View(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Nodes(), inserted);
    QTest::mouseClick(redoButton, Qt::LeftButton);
    EXPECT_EQ(Nodes(), edited);
    EXPECT_EQ(Panel(4)->Text(), editedCaption);
    Redo();
    EXPECT_EQ(Nodes(), afterDialogDelete);
    EXPECT_EQ(Selected(), Marker(1));
    Redo();
    EXPECT_EQ(Flow().Count(), 3);
    EXPECT_FALSE(redoButton->isEnabled());
    EXPECT_TRUE(Modified());
}

TEST_F(UndoTest, TheCodeViewKeepsItsOwnKeys)
{
    ClickPaletteItem(5);
    ASSERT_EQ(Flow().Count(), 5);
    QPlainTextEdit* memo = m_form.Memo1();
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("ab"));
    Key(memo, Qt::Key_Home);
    Key(memo, Qt::Key_Delete);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("b"));
    EXPECT_EQ(Flow().Count(), 5);
    Key(memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("ab"));
    EXPECT_EQ(Flow().Count(), 5);
}

TEST_F(UndoTest, DeleteOnAnythingButABlockDoesNothing)
{
    ClickPaletteItem(5);
    Click(Marker(1));
    Key(View(), Qt::Key_Delete);
    Click(Flow().StartObject);
    Key(View(), Qt::Key_Delete);
    EXPECT_EQ(Flow().Count(), 5);
    EXPECT_EQ(m_form.CurrentDocument().HistorySize(), 1u);
}

TEST_F(UndoTest, NewClearsTheHistoryAndTheMenuOffersTheCommands)
{
    ClickPaletteItem(5);
    Undo();
    EXPECT_TRUE(m_form.Edits().RedoAction()->isEnabled());
    QTest::mouseClick(m_form.SpeedButton(1), Qt::LeftButton); // nothing to ask: no blocks
    EXPECT_FALSE(m_form.Edits().UndoAction()->isEnabled());
    EXPECT_FALSE(m_form.Edits().RedoAction()->isEnabled());

    QStringList menu;
    for (QAction* action : View()->actions())
        menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_TRUE(menu.join(QLatin1Char('|')).contains(QString::fromUtf8(u8"撤销|重做|-|删除模块")))
        << menu.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace talvex
