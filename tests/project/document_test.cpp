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

} // namespace
} // namespace talvex
