#include "project/document.h"

#include "model/catalog.h"
#include "model/gbk.h"
#include "nodetext.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::NodeText;

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest()
    {
        m_document.Flows().BuildNewFlowchart();
        QObject::connect(&m_document, &Document::fileNameChanged,
                         [this](const QString& name) { m_names.push_back(name); });
        QObject::connect(&m_document, &Document::modifiedChanged,
                         [this](bool modified) { m_modified.push_back(modified); });
    }

    // Inserts a block of palette item after the first spot marker.
    FcObject* Insert(int item)
    {
        CanvasModel& canvas = m_document.Canvas();
        canvas.SelectExclusively(static_cast<TNormalSpot*>(m_document.Flows().Item(1))->Marker);
        m_document.InsertBlock(item);
        return canvas.SingleSelection();
    }

    Document m_document;
    std::vector<QString> m_names;
    std::vector<bool> m_modified;
};

TEST_F(DocumentTest, FileNameIsAnnouncedWhenItChanges)
{
    m_document.SetCurrentFileName(QStringLiteral("/a/robot1.lcc"));
    m_document.SetCurrentFileName(QStringLiteral("/a/robot1.lcc"));
    m_document.SetCurrentFileName(QString());
    EXPECT_EQ(m_names, (std::vector<QString>{QStringLiteral("/a/robot1.lcc"), QString()}));
    EXPECT_TRUE(m_document.CurrentFileName().isEmpty());
}

TEST_F(DocumentTest, EditsMarkItModifiedUntilTheNextSnapshot)
{
    EXPECT_FALSE(m_document.IsModified());
    FcObject* block = Insert(5);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(m_document.IsModified());
    ASSERT_TRUE(m_document.TakeSnapshot());
    EXPECT_FALSE(m_document.IsModified());
    m_document.DeleteBlock(block);
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_modified, (std::vector<bool>{true, false, true}));
}

TEST_F(DocumentTest, OnlyARealBlockChangeCounts)
{
    FcObject* block = Insert(5);
    ASSERT_TRUE(m_document.TakeSnapshot());
    const std::string node = block->CtrlNodeText;

    m_document.ChangeBlock(block, node, std::nullopt);      // the same text
    m_document.DeleteBlock(m_document.Flows().StartObject); // not a block
    m_document.InsertBlock(5);                              // the block, not a spot marker, is selected
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(m_document.Flows().Count(), 5);

    const std::string changed = NodeText(5, {{"wait", Gbk(u8"三")}});
    m_document.ChangeBlock(block, changed, std::nullopt);
    EXPECT_EQ(block->CtrlNodeText, changed);
    EXPECT_TRUE(m_document.IsModified());
    const Result<bool> modified = m_document.IsDocumentModified();
    ASSERT_TRUE(modified);
    EXPECT_TRUE(*modified);
}

TEST_F(DocumentTest, CaptionChangeResizesTheBlockAndLaysTheColumnOutAgain)
{
    FcObject* block = Insert(20);
    ASSERT_TRUE(m_document.TakeSnapshot());
    CaptionChange caption{true, Gbk(u8"表达式:x=1"), 40};
    m_document.ChangeBlock(block, block->CtrlNodeText, caption);
    EXPECT_EQ(block->Text(), caption.caption);
    EXPECT_EQ(block->Height(), 40);
    auto* spotAfter = static_cast<TNormalSpot*>(m_document.Flows().Item(3));
    EXPECT_EQ(spotAfter->Base->Top(), block->Top() + 40);
    EXPECT_TRUE(m_document.IsModified());
}

TEST_F(DocumentTest, ASnapshotThatCannotDescribeTheFlowchartLeavesItModified)
{
    FcObject* block = Insert(5);
    block->CtrlNodeText = "<CtrlNode";
    EXPECT_FALSE(m_document.TakeSnapshot());
    EXPECT_FALSE(m_document.Snapshot());
    EXPECT_TRUE(m_document.IsModified());
    const Result<bool> modified = m_document.IsDocumentModified();
    EXPECT_FALSE(modified);
    EXPECT_FALSE(modified.Message().empty());
}

// The FlowList as kinds and node texts, spots included, for comparing states.
std::vector<BlockState> Column(const FlowList& flow)
{
    std::vector<BlockState> column;
    for (int i = 0; i < flow.Count(); ++i)
        column.push_back(flow.RecordAt(i));
    return column;
}

TEST_F(DocumentTest, EveryEditUndoesAndRedoesToTheSameColumn)
{
    FlowList& flow = m_document.Flows();
    std::vector<std::vector<BlockState>> states{Column(flow)};
    FcObject* delay = Insert(5);
    states.push_back(Column(flow));
    FcObject* expression = Insert(20); // before the delay
    states.push_back(Column(flow));
    const std::string gbkText = NodeText(20, {{"command", Gbk(u8"甲=乙+1")}});
    m_document.ChangeBlock(expression, gbkText, CaptionChange{true, Gbk(u8"表达式:甲=乙+1"), 40});
    states.push_back(Column(flow));
    m_document.DeleteBlock(delay);
    states.push_back(Column(flow));
    ASSERT_EQ(m_document.HistorySize(), 4u);

    for (size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(m_document.CanUndo());
        m_document.Undo();
        EXPECT_EQ(Column(flow), states[i]) << "undo to state " << i;
    }
    EXPECT_FALSE(m_document.CanUndo());
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(m_document.CanRedo());
        m_document.Redo();
        EXPECT_EQ(Column(flow), states[i]) << "redo to state " << i;
    }
    EXPECT_FALSE(m_document.CanRedo());
    // The edited block's node text came back byte for byte, GBK included.
    EXPECT_EQ(flow.RecordAt(2).nodeText, gbkText);
    EXPECT_EQ(flow.RecordAt(2).height, 40);
}

TEST_F(DocumentTest, UndoAndRedoSelectTheBlockOrTheSpotItWentAfter)
{
    FlowList& flow = m_document.Flows();
    CanvasModel& canvas = m_document.Canvas();
    Insert(5);
    m_document.Undo();
    EXPECT_EQ(canvas.SingleSelection(), static_cast<TNormalSpot*>(flow.Item(1))->Marker);
    m_document.Redo();
    EXPECT_EQ(canvas.SingleSelection(), static_cast<PanelItem*>(flow.Item(2))->Object);

    m_document.DeleteSelectedBlock();
    EXPECT_EQ(flow.Count(), 3);
    m_document.Undo();
    ASSERT_EQ(flow.Count(), 5);
    EXPECT_EQ(canvas.SingleSelection(), static_cast<PanelItem*>(flow.Item(2))->Object);

    FcObject* block = canvas.SingleSelection();
    m_document.ChangeBlock(block, NodeText(5, {{"wait", "7"}}), std::nullopt);
    canvas.ClearSelection();
    m_document.Undo();
    EXPECT_EQ(canvas.SingleSelection(), block);
}

TEST_F(DocumentTest, UndoingBackToTheSnapshotCountsAsUnchanged)
{
    FcObject* block = Insert(5);
    ASSERT_TRUE(m_document.TakeSnapshot());
    m_document.ChangeBlock(block, NodeText(5, {{"wait", "9"}}), std::nullopt);
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_TRUE(*m_document.IsDocumentModified());
    m_document.Undo();
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_FALSE(*m_document.IsDocumentModified());
    m_document.Undo(); // before the snapshot
    EXPECT_TRUE(m_document.IsModified());
    m_document.Redo();
    EXPECT_FALSE(m_document.IsModified());

    // A new edit after undoing past the snapshot makes that state unreachable.
    m_document.Undo();
    Insert(9);
    EXPECT_FALSE(m_document.CanRedo());
    EXPECT_TRUE(m_document.IsModified());
}

TEST_F(DocumentTest, NothingToUndoAfterClearingAndEditsThatChangeNothingAddNoStep)
{
    int announcements = 0;
    QObject::connect(&m_document, &Document::historyChanged, [&] { ++announcements; });
    FcObject* block = Insert(5);
    EXPECT_EQ(announcements, 1);
    m_document.ChangeBlock(block, block->CtrlNodeText, std::nullopt);
    m_document.DeleteBlock(m_document.Flows().EndObject);
    m_document.DeleteSelectedBlock();
    EXPECT_EQ(m_document.HistorySize(), 2u); // the insert and the last delete
    m_document.ClearHistory();
    EXPECT_FALSE(m_document.CanUndo());
    EXPECT_FALSE(m_document.CanRedo());
    m_document.Undo(); // nothing happens
    EXPECT_EQ(m_document.Flows().Count(), 3);
}

} // namespace
} // namespace talvex
