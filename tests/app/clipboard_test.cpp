#include "app/canvascommands.h"
#include "app/documentcommands.h"
#include "app/mainwindow.h"
#include "codegen/generator.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"
#include "model/ui/canvasview.h"
#include "project/blockclip.h"
#include "project/loader.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include "eventwait.h"
#include "spawnedprocess.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace talvex {
namespace {

const std::vector<std::string> kPhrases = {Gbk("你好"), Gbk("再见"), Gbk("前进")};

// A node of the kind with every parameter away from its default, free texts
// holding GBK bytes.
std::string TypicalNode(const BlockInfo& info)
{
    CtrlNode node = NewCtrlNode(info.item);
    for (const ParamSpec& param : info.params) {
        switch (param.cls) {
        case ParamClass::Integer:
            AddIntParam(node, param.name, param.defaultValue == 1 ? 2 : 1);
            break;
        case ParamClass::Flag:
            AddFlagParam(node, param.name, true);
            break;
        case ParamClass::Text:
            AddTextParam(node, param.name,
                         param.name == "sub" ? EscapeSubName(Gbk("子程序<甲>")) : std::string("1C2D"));
            break;
        case ParamClass::EscapedText:
            AddTextParam(node, param.name, EscapeValueText(Gbk("a<变量") + "+1"));
            break;
        }
    }
    return FormatCtrlNode(node);
}

// What the tests compare: every FlowList item's object as the user sees and
// saves it.
struct ItemState {
    int32_t typeCode;
    std::string nodeText;
    std::string caption;
    int32_t top;
    int32_t height;
    bool operator==(const ItemState& o) const
    {
        return typeCode == o.typeCode && nodeText == o.nodeText && caption == o.caption && top == o.top &&
               height == o.height;
    }
    friend void PrintTo(const ItemState& s, std::ostream* os)
    {
        *os << s.typeCode << " top " << s.top << " height " << s.height << " caption "
            << FromGbk(s.caption).toStdString() << " node " << s.nodeText.size() << " bytes";
    }
};

class ClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_form.Documents().VoicePhrases = [] { return kPhrases; };
        m_form.show();
        QApplication::setActiveWindow(&m_form);
        Canvas()->setFocus();
    }

    TdxFlowChart* Canvas() { return m_form.dxFlowChart1(); }
    CanvasCommands& Commands() { return m_form.CanvasComforts(); }
    FlowList& Flow() { return m_form.Flows(); }
    FcObject* Selected() { return m_form.Chart().SingleSelection(); }
    FcObject* Marker(int index) { return static_cast<TNormalSpot*>(Flow().Item(index))->Marker; }
    FcObject* LastMarker() { return Marker(Flow().Count() - 2); }
    void Keys(const QKeySequence& keys) { QTest::keySequence(Canvas(), keys); }

    FcObject* AppendBlock(const BlockInfo& info, std::string nodeText)
    {
        Flow().AppendBlock(info.item);
        FcObject* object = Flow().LastAppendedObject;
        // As a loaded file shows it.
        const CaptionChange caption = LoadedCaption(info.code, *ParseCtrlNode(nodeText), kPhrases);
        if (caption.changes) {
            Flow().SetBlockHeight(object, caption.height);
            object->SetText(caption.caption);
        }
        object->CtrlNodeText = std::move(nodeText);
        Flow().RelayoutFlowchart();
        return object;
    }

    std::vector<ItemState> State()
    {
        std::vector<ItemState> state;
        for (const auto& item : Flow().Items()) {
            const FcObject* o = item->Class() == ItemClass::NormalSpot ? static_cast<TNormalSpot*>(item.get())->Marker
                                                                       : static_cast<PanelItem*>(item.get())->Object;
            state.push_back({o->TypeCode, o->CtrlNodeText, o->Text(), o->Top(), o->Height()});
        }
        return state;
    }

    TForm1 m_form;
};

TEST_F(ClipboardTest, CopyAndPasteOfEveryKindKeepTheNodeBytesTheLinesAndTheLoadedCaption)
{
    for (const BlockInfo& info : BlockCatalog()) {
        if (!info.isBlock)
            continue;
        SCOPED_TRACE(info.member);
        const std::string node = TypicalNode(info);
        FcObject* original = AppendBlock(info, node);
        std::vector<std::string> lines;
        ASSERT_TRUE(GenerateNodeLines(info.code, node, lines).Ok());

        m_form.Chart().SelectExclusively(original);
        Keys(QKeySequence(Qt::CTRL | Qt::Key_C));
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(mime, nullptr);
        const QByteArray bytes = mime->data(QString::fromLatin1(kClipBlockMimeType));
        EXPECT_EQ(DecodeClipBlock(std::string(bytes.constData(), static_cast<size_t>(bytes.size())))->nodeText, node);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        EXPECT_EQ(mime->text(), FromGbk(text));

        m_form.Chart().SelectExclusively(LastMarker());
        Keys(QKeySequence(Qt::CTRL | Qt::Key_V));
        FcObject* pasted = Flow().BlockObjects().back();
        ASSERT_NE(pasted, original);
        EXPECT_EQ(Selected(), pasted);
        EXPECT_EQ(pasted->TypeCode, info.code);
        EXPECT_EQ(pasted->CtrlNodeText, node);
        std::vector<std::string> pastedLines;
        ASSERT_TRUE(GenerateBlockLines(*pasted, pastedLines).Ok());
        EXPECT_EQ(pastedLines, lines);
        // Caption and height as loading a file with that node gives them.
        const CaptionChange loaded = LoadedCaption(info.code, *ParseCtrlNode(node), kPhrases);
        EXPECT_EQ(pasted->Text(), loaded.changes ? loaded.caption : info.caption);
        EXPECT_EQ(pasted->Height(), loaded.changes ? loaded.height : 32);
    }
    EXPECT_TRUE(m_form.CurrentDocument().IsModified());
}

TEST_F(ClipboardTest, CutThenPasteAtThePreviousMarkerRestoresTheFlowchart)
{
    for (int item : {1, 20, 27, 5, 32})
        AppendBlock(*FindPaletteItem(item), TypicalNode(*FindPaletteItem(item)));
    const std::vector<ItemState> before = State();
    const int count = Flow().Count();
    for (int panelIndex : {2, 6, count - 3}) {
        SCOPED_TRACE(panelIndex);
        FcObject* panel = static_cast<PanelItem*>(Flow().Item(panelIndex))->Object;
        m_form.Chart().SelectExclusively(panel);
        Keys(QKeySequence(Qt::CTRL | Qt::Key_X));
        EXPECT_EQ(Flow().Count(), count - 2);
        // The previous spot's marker is selected after the event, as "删除" does.
        ASSERT_TRUE(ProcessEventsUntil([&] { return Selected() == Marker(panelIndex - 1); }, 5000));
        Commands().PasteAction()->trigger(); // the context menu's command
        EXPECT_EQ(State(), before);
        EXPECT_EQ(Selected(), static_cast<PanelItem*>(Flow().Item(panelIndex))->Object);
    }
}

TEST_F(ClipboardTest, CommandsNeedTheirSelection)
{
    FcObject* panel = AppendBlock(*FindPaletteItem(5), TypicalNode(*FindPaletteItem(5)));
    const std::vector<ItemState> before = State();
    QGuiApplication::clipboard()->setText(QStringLiteral("worksheet"));

    // Copy and cut of a marker, the terminals or nothing leave the clipboard alone.
    for (FcObject* selected : {Marker(1), Flow().StartObject, static_cast<FcObject*>(nullptr)}) {
        m_form.Chart().ClearSelection();
        m_form.Chart().SelectExclusively(selected);
        EXPECT_FALSE(Commands().Copy());
        EXPECT_FALSE(Commands().Cut());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("worksheet"));
    }
    // Paste of plain text, or onto a panel, does nothing.
    m_form.Chart().SelectExclusively(Marker(1));
    EXPECT_FALSE(Commands().Paste());
    m_form.Chart().SelectExclusively(panel);
    ASSERT_TRUE(Commands().Copy());
    EXPECT_FALSE(Commands().Paste());
    m_form.Chart().ClearSelection();
    EXPECT_FALSE(Commands().Paste());
    EXPECT_EQ(State(), before);

    // While the code view has the keyboard, Ctrl+V is the code view's.
    m_form.Chart().SelectExclusively(Marker(1));
    m_form.Memo1()->setFocus();
    QTest::keySequence(m_form.Memo1(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(State(), before);
    EXPECT_EQ(m_form.Memo1()->toPlainText(), QStringLiteral("wait(1);\n"));
}

// Two editors on one display: the first copies, the second pastes. The
// offscreen platform keeps its clipboard inside the process, so both run on
// an X server of their own (xvfb-run); without one the test is skipped.
TEST(ClipboardBetweenEditors, ABlockCopiedInOneEditorPastesInAnother)
{
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed";
    talvex::testing::SpawnedProcess paster;
    ASSERT_TRUE(paster.Start(QStringLiteral("/usr/bin/env"),
                             {QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("TALVEX_CLIPBOARD_ROLE=paster"),
                              xvfbRun, QStringLiteral("-a"), QStringLiteral("-s"),
                              QStringLiteral("-screen 0 800x600x24"), QCoreApplication::applicationFilePath(),
                              QStringLiteral("--gtest_filter=ClipboardBetweenEditors.DISABLED_Role"),
                              QStringLiteral("--gtest_also_run_disabled_tests")}));
    QString result;
    for (QString line = paster.ReadLine(60000); !line.isEmpty(); line = paster.ReadLine(60000)) {
        if (line.startsWith(QStringLiteral("clipboard: ")))
            result = line;
    }
    EXPECT_EQ(paster.Wait(60000), 0);
    EXPECT_EQ(result, QStringLiteral("clipboard: pasted"));
}

// The two editors of the test above, chosen by TALVEX_CLIPBOARD_ROLE.
TEST(ClipboardBetweenEditors, DISABLED_Role)
{
    const QByteArray role = qgetenv("TALVEX_CLIPBOARD_ROLE");
    const BlockInfo& sub = *FindBlockKind(bkSubBegin);
    const std::string node = TypicalNode(sub);
    TForm1 form;
    form.show();
    QApplication::setActiveWindow(&form);
    auto report = [](const char* what) {
        std::printf("clipboard: %s\n", what);
        std::fflush(stdout);
    };
    if (role == "copier") {
        form.Flows().AppendBlock(sub.item);
        form.Flows().LastAppendedObject->CtrlNodeText = node;
        form.Chart().SelectExclusively(form.Flows().LastAppendedObject);
        ASSERT_TRUE(form.CanvasComforts().Copy());
        report("copied");
        // The clipboard's owner answers the other editor until it is ended.
        ProcessEventsUntil([] { return false; }, 60000);
        return;
    }
    ASSERT_EQ(role, "paster");
    talvex::testing::SpawnedProcess copier;
    ASSERT_TRUE(copier.Start(QStringLiteral("/usr/bin/env"),
                             {QStringLiteral("TALVEX_CLIPBOARD_ROLE=copier"), QCoreApplication::applicationFilePath(),
                              QStringLiteral("--gtest_filter=ClipboardBetweenEditors.DISABLED_Role"),
                              QStringLiteral("--gtest_also_run_disabled_tests")}));
    QString line;
    do
        line = copier.ReadLine(30000);
    while (!line.isEmpty() && line != QStringLiteral("clipboard: copied"));
    ASSERT_EQ(line, QStringLiteral("clipboard: copied"));
    // The clipboard's owner is the other process now.
    ASSERT_TRUE(ProcessEventsUntil(
        [] {
            const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
            return mime && mime->hasFormat(QString::fromLatin1(kClipBlockMimeType));
        },
        10000));
    form.Chart().SelectExclusively(static_cast<TNormalSpot*>(form.Flows().Item(1))->Marker);
    ASSERT_TRUE(form.CanvasComforts().Paste());
    const FcObject* pasted = form.Flows().BlockObjects().front();
    EXPECT_EQ(pasted->TypeCode, bkSubBegin);
    EXPECT_EQ(pasted->CtrlNodeText, node);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), FromGbk("/* sub: " + Gbk("子程序<甲>") + "\n"));
    copier.Kill();
    if (!::testing::Test::HasFailure())
        report("pasted");
}

} // namespace
} // namespace talvex
