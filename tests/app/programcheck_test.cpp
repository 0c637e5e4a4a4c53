#include "app/canvasmarks.h"
#include "app/codeview.h"
#include "app/findingspanel.h"
#include "app/mainwindow.h"
#include "app/programcheck.h"
#include "app/programhighlighter.h"
#include "app/startup.h"
#include "link/ui/downloaddialog.h"
#include "model/catalog.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace talvex {
namespace {

const QString kFaulty = QStringLiteral("qzrobot\nstart\nloop(3)\n{\nmotor(300,0);\njump();\nend\n");

class ProgramCheckTest : public ::testing::Test {
  protected:
    ProgramCheckTest()
    {
        m_form.show();
        QApplication::setActiveWindow(&m_form);
    }

    TForm1 m_form;
};

TEST_F(ProgramCheckTest, ButtonOnItsSpotWithTooltipAndTheTenButtonsUnmoved)
{
    QToolButton* check = m_form.ExtraToolButton(ExtraTool::Check);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->geometry().left(), ExtraToolSpotOf(ExtraTool::Check).left);
    EXPECT_FALSE(check->toolTip().isEmpty());
    EXPECT_EQ(check->defaultAction()->text(), QString::fromUtf8("检查"));
    for (int n = 1; n <= 10; ++n)
        EXPECT_TRUE(m_form.SpeedButton(n)->toolTip().isEmpty()) << n;
}

TEST_F(ProgramCheckTest, F7ListsTheFindingsUnderTheCodeView)
{
    m_form.Memo1()->setPlainText(kFaulty);
    EXPECT_FALSE(m_form.Findings()->isVisible());
    QTest::keyClick(m_form.Memo1(), Qt::Key_F7);
    EXPECT_TRUE(m_form.Findings()->isVisible());
    const auto& findings = m_form.Findings()->Findings();
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].line, 3); // the loop without "}"
    EXPECT_EQ(findings[1].line, 5); // speed 300
    EXPECT_EQ(findings[2].line, 6); // unknown statement
    ASSERT_EQ(m_form.Findings()->count(), 3);
    EXPECT_TRUE(m_form.Findings()->item(1)->text().startsWith(QString::fromUtf8("第5行 第7列 错误: ")))
        << m_form.Findings()->item(1)->text().toStdString();
    EXPECT_EQ(m_form.Memo1()->toPlainText(), kFaulty);

    m_form.Memo1()->setPlainText(QStringLiteral("qzrobot\nstart\nend"));
    QTest::keyClick(m_form.Memo1(), Qt::Key_F7);
    EXPECT_TRUE(m_form.Findings()->Findings().empty());
    EXPECT_EQ(m_form.Findings()->count(), 1); // "没有发现问题。"
}

TEST_F(ProgramCheckTest, ClickOnAFindingSelectsItsLine)
{
    m_form.Memo1()->setPlainText(kFaulty);
    m_form.Check().Run();
    QListWidget* panel = m_form.Findings();
    const QRect row = panel->visualItemRect(panel->item(2));
    QTest::mouseClick(panel->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(m_form.Memo1()->textCursor().selectedText(), QStringLiteral("jump();"));
    EXPECT_EQ(m_form.Memo1()->textCursor().block().blockNumber(), 5);
}

TEST_F(ProgramCheckTest, CanvasMarksTheBlocksWhoseBeginAndEndDoNotPair)
{
    // A loop tail without its head, an endless loop head without its tail.
    std::vector<FcObject*> blocks;
    for (int code : {bkLoopEnd, bkLimLoopBegin, bkZhiXing}) {
        m_form.Flows().AppendBlock(code - kBlockKindBase);
        blocks.push_back(m_form.Flows().LastAppendedObject);
    }
    m_form.Flows().RelayoutFlowchart();
    const std::string nodeTextsBefore = blocks[0]->CtrlNodeText + blocks[1]->CtrlNodeText;
    m_form.SpeedButton7Click();
    QTest::keyClick(m_form.Memo1(), Qt::Key_F7);
    ASSERT_NE(m_form.Marks(), nullptr);
    EXPECT_EQ(m_form.Marks()->Marked(), (std::vector<ObjectId>{blocks[0]->Id(), blocks[1]->Id()}));
    EXPECT_TRUE(m_form.Marks()->isVisible());
    EXPECT_EQ(blocks[0]->CtrlNodeText + blocks[1]->CtrlNodeText, nodeTextsBefore);

    // A click on a finding selects its block as well as its line.
    QListWidget* panel = m_form.Findings();
    int headRow = -1;
    for (int i = 0; i < panel->count(); ++i) {
        if (m_form.Findings()->Findings()[static_cast<size_t>(i)].line == 4)
            headRow = i;
    }
    ASSERT_GE(headRow, 0);
    QTest::mouseClick(panel->viewport(), Qt::LeftButton, {}, panel->visualItemRect(panel->item(headRow)).center());
    EXPECT_EQ(m_form.Chart().SingleSelection(), blocks[1]);

    // Once the text is edited by hand its lines no longer belong to blocks.
    m_form.Memo1()->appendPlainText(QStringLiteral("fd(1);"));
    QTest::keyClick(m_form.Memo1(), Qt::Key_F7);
    EXPECT_TRUE(m_form.Marks()->Marked().empty());
    EXPECT_FALSE(m_form.Marks()->isVisible());
}

TEST_F(ProgramCheckTest, DownloadOfAProgramWithErrorsAsksFirst)
{
    CreateForms(m_form);
    auto* dialog = m_form.findChild<TFormDownload*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(dialog, nullptr);
    struct Run {
        QString text;
        bool answer;
        int expectedAsked; // errors asked about, 0 when not asked
        bool expectDialog;
    };
    const Run runs[] = {
        {kFaulty, false, 3, false},
        {kFaulty, true, 3, true},
        {QStringLiteral("qzrobot\nstart\nend\nfd(1);"), false, 0, true}, // a warning does not ask
    };
    for (const Run& run : runs) {
        m_form.Memo1()->setPlainText(run.text);
        int asked = 0;
        m_form.AskDownloadDespiteErrors = [&](int errors) {
            asked = errors;
            return run.answer;
        };
        bool dialogShown = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() == dialog) {
                dialogShown = true;
                QTest::mouseClick(dialog->Button5, Qt::LeftButton);
            }
        });
        closer.start(0);
        QTest::mouseClick(m_form.SpeedButton(6), Qt::LeftButton);
        closer.stop();
        EXPECT_EQ(asked, run.expectedAsked);
        EXPECT_EQ(dialogShown, run.expectDialog);
    }
}

TEST_F(ProgramCheckTest, CodeViewNumbersAndColoursLinesWithoutChangingThem)
{
    auto* view = dynamic_cast<CodeView*>(m_form.Memo1());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->font().fixedPitch());
    EXPECT_GE(view->font().pixelSize(), 13);
    const QString text = QStringLiteral("qzrobot\nstart\nfd(20); /* go\na=pc0()+7;\nend");
    view->setPlainText(text);
    EXPECT_EQ(view->toPlainText(), text);
    EXPECT_GT(view->LineNumberWidth(), 0);
    EXPECT_EQ(view->viewport()->geometry().left() - view->contentsRect().left(), view->LineNumberWidth());

    auto* highlighter = view->document()->findChild<ProgramHighlighter*>();
    ASSERT_NE(highlighter, nullptr);
    auto formatAt = [&](int line, int column) {
        const QTextBlock block = view->document()->findBlockByNumber(line);
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (column >= range.start && column < range.start + range.length)
                return range.format;
        }
        return QTextCharFormat();
    };
    using Role = ProgramHighlighter::Role;
    EXPECT_EQ(formatAt(0, 0), highlighter->FormatOf(Role::Keyword));
    EXPECT_EQ(formatAt(2, 0), highlighter->FormatOf(Role::Command));
    EXPECT_EQ(formatAt(2, 3), highlighter->FormatOf(Role::Number));
    EXPECT_EQ(formatAt(2, 10), highlighter->FormatOf(Role::Comment));
    EXPECT_EQ(formatAt(3, 2), highlighter->FormatOf(Role::Sensor));
    EXPECT_NE(highlighter->FormatOf(Role::Keyword), highlighter->FormatOf(Role::Comment));
}

} // namespace
} // namespace talvex
