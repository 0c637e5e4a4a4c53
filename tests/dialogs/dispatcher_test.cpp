#include "dialogs/dialogframe.h"
#include "dialogs/dialogset.h"
#include "dialogs/dispatcher.h"
#include "dialogs/hardwaredialogs.h"
#include "dialogs/melodydialog.h"
#include "dialogs/motiondialogs.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "project/document.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <random>

using namespace talvex;

namespace {

DialogSetOptions TestOptions()
{
    DialogSetOptions options;
    options.phrases = std::vector<std::string>{Gbk(u8"你好"), Gbk(u8"再见(*)"), ""};
    return options;
}

class DispatcherTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        flow.PostDeferredSelect = [this] { QTimer::singleShot(0, [this] { flow.DeferredSelect(); }); };
        flow.BuildNewFlowchart();
        dispatcher.ShowModal = [this](QDialog& dialog) {
            shown.push_back(&dialog);
            return act ? act(dialog) : mrCancel;
        };
        dispatcher.ShowMessage = [this](const std::string& message) { messages.push_back(message); };
    }

    TNormalSpot* Spot(int index) { return static_cast<TNormalSpot*>(flow.Item(index)); }
    // A block of palette item n after the first spot; it ends up selected.
    FcObject* Insert(int item)
    {
        chart.SelectExclusively(Spot(1)->Marker);
        flow.InsertBlock(item);
        return chart.SingleSelection();
    }
    FcObject* WithNode(int item, const std::string& nodeText)
    {
        FcObject* object = Insert(item);
        object->CtrlNodeText = nodeText;
        return object;
    }
    std::string Node(int type, const std::string& children)
    {
        return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<CtrlNode type=\"" + std::to_string(type) +
               "\">\r\n" + children + "</CtrlNode>\r\n";
    }
    CtrlNode Parsed(const FcObject* object)
    {
        Result<XmlElement> r = ParseCtrlNode(object->CtrlNodeText);
        EXPECT_TRUE(r) << r.Message();
        return r ? *r : CtrlNode{};
    }
    template <class T> T* Child(QDialog& dialog, const char* name)
    {
        T* child = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    Document document;
    CanvasModel& chart = document.Canvas();
    FlowList& flow = document.Flows();
    DialogSet dialogs{nullptr, TestOptions()};
    PropertyDispatcher dispatcher{document, dialogs};
    std::function<int(QDialog&)> act;
    std::vector<QDialog*> shown;
    std::vector<std::string> messages;
};

} // namespace

TEST_F(DispatcherTest, EveryKindWithADialogHasItAndEveryParameterAControl)
{
    for (const BlockInfo& info : BlockCatalog()) {
        if (info.dialog[0] == '\0')
            continue;
        QDialog* dialog = dialogs.Find(QString::fromLatin1(info.dialog));
        ASSERT_NE(dialog, nullptr) << info.dialog;
        if (info.params.empty()) {
            EXPECT_EQ(dialog->findChild<QWidget*>("Button1"), nullptr) << info.dialog;
            continue;
        }
        const std::vector<ControlBinding>& bindings = info.controls;
        ASSERT_FALSE(bindings.empty()) << info.member;
        for (const ParamSpec& paramSpec : info.params) {
            const auto binding = std::find_if(bindings.begin(), bindings.end(), [&](const ControlBinding& b) {
                return b.param && paramSpec.name == b.param;
            });
            ASSERT_NE(binding, bindings.end()) << info.member << " " << paramSpec.name;
            if (binding->control) {
                EXPECT_NE(dialog->findChild<QObject*>(binding->control), nullptr)
                    << info.dialog << " " << binding->control;
            }
        }
    }
}

TEST_F(DispatcherTest, OpensTheKindsDialogWithTheUnescapedValue)
{
    struct Case {
        int item;
        const char* child;
        const char* shownUtf8;
    };
    const Case cases[] = {
        {20, "<command>a&lt;5 &amp;&amp; &#xB1;&#xED;</command>", u8"a<5 && 表"},
        {23, "<sub>a&lt;b&amp;c</sub>", "a<b&c"},
        {25, "<sub>MOVE</sub>", "MOVE"},
        {9, "<times>abc</times>", "abc"},
        {26, "<condition>a&gt;3 &amp;&amp; b&lt;2</condition>", "a>3 && b<2"},
    };
    for (const Case& c : cases) {
        const BlockInfo* info = FindPaletteItem(c.item);
        WithNode(c.item, Node(c.item, std::string("  ") + c.child + "\r\n"));
        QLineEdit* edit = nullptr;
        act = [&](QDialog& dialog) {
            edit = Child<QLineEdit>(dialog, "Edit1");
            return mrCancel;
        };
        shown.clear();
        dispatcher.EditBlockProperties();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0]->objectName(), QString::fromLatin1(info->dialog));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.shownUtf8)) << c.child;
    }
}

TEST_F(DispatcherTest, AcceptedExpressionIsStoredEscapedAndCaptionedAtHeight40)
{
    FcObject* block = Insert(20);
    const int32_t endTop = flow.EndObject->Top();
    act = [&](QDialog& dialog) {
        Child<QLineEdit>(dialog, "Edit1")->setText("a<5");
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(TextParam(Parsed(block), "command"), "a&lt;5");
    EXPECT_NE(block->CtrlNodeText.find("<command>a&lt;5</command>"), std::string::npos);
    EXPECT_EQ(block->Text(), Gbk(u8"表达式:a<5"));
    EXPECT_EQ(block->Height(), 40);
    EXPECT_EQ(flow.EndObject->Top(), endTop + 8);

    act = [&](QDialog& dialog) {
        Child<QLineEdit>(dialog, "Edit1")->clear();
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(TextParam(Parsed(block), "command"), "");
    EXPECT_EQ(block->Text(), Gbk(u8"表达式"));
    EXPECT_EQ(block->Height(), 32);
    EXPECT_EQ(flow.EndObject->Top(), endTop);
}

TEST_F(DispatcherTest, SubroutineNamesAreStoredEscapedAndShownAsTyped)
{
    FcObject* block = Insert(23);
    act = [&](QDialog& dialog) {
        Child<QLineEdit>(dialog, "Edit1")->setText(QString::fromUtf8(u8"a<b&c子"));
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(TextParam(Parsed(block), "sub"), Gbk(u8"a&lt;b&amp;c子"));
    EXPECT_EQ(block->Text(), Gbk(u8"子程序开始:a<b&c子"));
    EXPECT_EQ(block->Height(), 40);

    QString reopened;
    act = [&](QDialog& dialog) {
        reopened = Child<QLineEdit>(dialog, "Edit1")->text();
        return mrCancel;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(reopened, QString::fromUtf8(u8"a<b&c子"));
}

TEST_F(DispatcherTest, CancelChangesNothingButStoresTheDefaultOfAnEmptyText)
{
    FcObject* drive = WithNode(1, Node(1, "  <mode>2</mode>\r\n  <wait>77</wait>\r\n"));
    const std::string before = drive->CtrlNodeText;
    act = [&](QDialog& dialog) {
        Child<QScrollBar>(dialog, "ScrollBar1")->setValue(5);
        return mrCancel;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(drive->CtrlNodeText, before);
    EXPECT_EQ(drive->Text(), Gbk(u8"直行"));

    act = nullptr;
    FcObject* empty = WithNode(20, "");
    dispatcher.EditBlockProperties();
    EXPECT_EQ(empty->CtrlNodeText, DefaultCtrlNode(bkBiaoDaShi));

    FcObject* tail = WithNode(10, "");
    dispatcher.EditBlockProperties();
    EXPECT_EQ(tail->CtrlNodeText, "");
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(DispatcherTest, AcceptingUnchangedRewritesTheSameCanonicalText)
{
    FcObject* block = Insert(1);
    act = [](QDialog&) { return mrOk; };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(block->CtrlNodeText, DefaultCtrlNode(bkZhiXing));
}

// Every byte a text parameter can hold comes back unchanged when a dialog is
// accepted as shown: text dialogs, subroutine names and melody notes alike.
TEST_F(DispatcherTest, AcceptingUnchangedKeepsEveryByteOfTextValues)
{
    std::vector<std::string> values;
    for (int b = 0; b <= 0xFF; ++b) {
        values.push_back(std::string(1, static_cast<char>(b)) + "1");
        values.push_back("a" + std::string(1, static_cast<char>(b)));
    }
    values.push_back("\x80\xFF\x81\x30"); // melody notes are byte pairs
    values.push_back("x\ry\n");
    std::mt19937 random(936u);
    for (int i = 0; i < 40; ++i) {
        std::string bytes(2 * (1 + random() % 12), '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        values.push_back(bytes);
    }
    const struct {
        int item;
        const char* param;
        std::string (*stored)(std::string_view);
    } kinds[] = {
        {20, "command", EscapeValueText},   {9, "times", EscapeValueText},
        {26, "condition", EscapeValueText}, {28, "condition", EscapeValueText},
        {29, "condition", EscapeValueText}, {23, "sub", EscapeSubName},
        {25, "sub", EscapeSubName},         {6, "content", [](std::string_view v) { return std::string(v); }},
    };
    act = [](QDialog&) { return mrOk; };
    for (const auto& kind : kinds) {
        for (const std::string& value : values) {
            CtrlNode node = NewCtrlNode(kind.item);
            AddTextParam(node, kind.param, kind.stored(value));
            const auto original = ParseCtrlNode(FormatCtrlNode(node));
            // Bytes the node text itself cannot carry, such as "<" in a note,
            // and notes left with an odd byte once the reader drops leading blanks.
            if (!original || (kind.item == 6 && TextParam(*original, kind.param).size() % 2 != 0))
                continue;
            FcObject* block = WithNode(kind.item, FormatCtrlNode(*original));
            dispatcher.EditBlockProperties();
            ASSERT_EQ(TextParam(Parsed(block), kind.param), TextParam(*original, kind.param))
                << kind.param << " " << ::testing::PrintToString(value);
            flow.DeleteBlock(block);
            QCoreApplication::processEvents(); // the deferred selection, while the flowchart lives
        }
    }
}

TEST_F(DispatcherTest, DeleteRemovesBlockAndSpotAndSelectsThePreviousMarkerLater)
{
    for (int item : {20, 10}) { // a kind with parameters and one without
        FcObject* block = Insert(item);
        ASSERT_EQ(flow.Count(), 5);
        block->CtrlNodeText = "";
        act = [](QDialog&) { return mrDelete; };
        dispatcher.EditBlockProperties();
        EXPECT_EQ(flow.Count(), 3);
        EXPECT_EQ(flow.IndexOfPanelObject(block), -1);
        EXPECT_EQ(chart.SelectedCount(), 0);
        QApplication::processEvents();
        EXPECT_EQ(chart.SingleSelection(), Spot(1)->Marker);
    }
}

TEST_F(DispatcherTest, MarkersAndKindsWithoutDialogIgnoreTheDoubleClick)
{
    chart.SelectExclusively(Spot(1)->Marker);
    dispatcher.EditBlockProperties();
    for (int item : {7, 8, 13})
        flow.AppendBlock(item);
    flow.RelayoutFlowchart();
    for (FcObject* block : flow.BlockObjects()) {
        const std::string text = block->CtrlNodeText;
        chart.SelectExclusively(block);
        ASSERT_EQ(chart.SingleSelection(), block);
        dispatcher.EditBlockProperties();
        EXPECT_EQ(block->CtrlNodeText, text);
    }
    chart.ClearSelection();
    dispatcher.EditBlockProperties();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(flow.Count(), 9);
}

TEST_F(DispatcherTest, UnreadableNodeShowsTheReadersMessageAndNoDialog)
{
    const std::string broken = "<CtrlNode type=\"1\"><mode>0</CtrlNode>";
    FcObject* block = WithNode(1, broken);
    dispatcher.EditBlockProperties();
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], ParseCtrlNode(broken).Message());
    EXPECT_EQ(block->CtrlNodeText, broken);
}

TEST_F(DispatcherTest, IntegersReachTheControlsClampedAndComeBackAsTheControlsHoldThem)
{
    struct Case {
        int item;
        std::string children;
        const char* param;
        int32_t written;
    };
    const Case cases[] = {
        {1, "  <wait>5</wait>\r\n", "mode", -1},                    // missing: no button chosen
        {1, "  <mode>9</mode>\r\n  <wait>5</wait>\r\n", "mode", 3}, // beyond: the last button
        {2, "  <mode>-4</mode>\r\n", "mode", -1},
        {1, "  <mode>1</mode>\r\n  <wait>40000</wait>\r\n", "wait", 32767},
        {5, "  <wait>-3</wait>\r\n", "wait", 0},
        {3, "  <motorL>-300</motorL>\r\n  <motorR>120</motorR>\r\n", "motorL", -255},
        {21, "  <var>2</var>\r\n  <index>9</index>\r\n", "index", -1},
        {21, "  <var>2</var>\r\n  <index>5</index>\r\n", "index", 5},
        {17, "  <var>30</var>\r\n  <port>1</port>\r\n", "var", -1},
        {22, "  <var>3</var>\r\n  <index>7</index>\r\n", "index", 7},
        {4, "  <mode>1</mode>\r\n", "mode", 1},
        {19, "  <data1>40</data1>\r\n", "data1", 18},
        {19, "  <data1>4</data1>\r\n", "speed", 1},
        {32, "  <index>2</index>\r\n", "index", 2},
    };
    for (const Case& c : cases) {
        FcObject* block = WithNode(c.item, Node(c.item, c.children));
        act = [](QDialog&) { return mrOk; };
        dispatcher.EditBlockProperties();
        const CtrlNode node = Parsed(block);
        EXPECT_EQ(IntParam(node, c.param), c.written) << c.item << " " << c.children;
        EXPECT_EQ(NodeType(node), c.item);
        EXPECT_EQ(node.children.size(), FindPaletteItem(c.item)->params.size());
    }
}

TEST_F(DispatcherTest, SwitchSensorShowsItsInputByName)
{
    WithNode(21, Node(21, "  <var>0</var>\r\n  <index>5</index>\r\n"));
    QString shownInput;
    act = [&](QDialog& dialog) {
        shownInput = Child<QComboBox>(dialog, "ComboBox2")->currentText();
        return mrCancel;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(shownInput, "MIC");
}

TEST_F(DispatcherTest, LedMasks)
{
    struct Case {
        int stored;
        bool lit[3];  // PB0, PB1, PB2
        int clickPB0; // clicks on PB0's lamp before "确定"
        int written;
    };
    const Case cases[] = {
        {7, {false, false, false}, 1, 6},
        {0, {true, true, true}, 0, 0},
        {8, {true, true, true}, 0, 0},
        {5, {false, true, false}, 2, 5},
    };
    for (const Case& c : cases) {
        FcObject* block = WithNode(15, Node(15, "  <led>" + std::to_string(c.stored) + "</led>\r\n"));
        act = [&](QDialog& dialog) {
            auto& led = static_cast<TFormLED&>(dialog);
            for (int bit = 0; bit < 3; ++bit) {
                EXPECT_EQ(led.Lamp(bit)->Lit(), c.lit[bit]) << c.stored << " bit " << bit;
                EXPECT_EQ(led.Lamp(bit)->Color(), c.lit[bit] ? QColor(0, 255, 0) : QColor(0, 128, 128));
            }
            dialog.show();
            for (int i = 0; i < c.clickPB0; ++i)
                QTest::mouseClick(Child<LedLamp>(dialog, "JvLED1"), Qt::LeftButton);
            dialog.hide();
            return mrOk;
        };
        dispatcher.EditBlockProperties();
        EXPECT_EQ(IntParam(Parsed(block), "led"), c.written) << c.stored;
    }
}

TEST_F(DispatcherTest, LedLabelSwitchesItsLamp)
{
    FcObject* block = Insert(15);
    act = [&](QDialog& dialog) {
        dialog.show();
        QLabel* pb2 = nullptr;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() == "PB2")
                pb2 = label;
        }
        EXPECT_NE(pb2, nullptr);
        if (pb2)
            QTest::mouseClick(pb2, Qt::LeftButton);
        dialog.hide();
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(IntParam(Parsed(block), "led"), 3);
}

TEST_F(DispatcherTest, PinMaskFiveOnBothListDialogs)
{
    struct Case {
        int item;
        const char* setUtf8;
        const char* clearedUtf8;
    };
    const Case cases[] = {{18, u8"高电平", u8"低电平"}, {16, u8"输出", u8"输入"}};
    for (const Case& c : cases) {
        FcObject* block = WithNode(c.item, Node(c.item, "  <port>1</port>\r\n  <ddr>1</ddr>\r\n  <data>5</data>\r\n"));
        act = [&](QDialog& dialog) {
            QTreeWidget* list = Child<QTreeWidget>(dialog, "ListView1");
            EXPECT_EQ(Child<QComboBox>(dialog, "ComboBox1")->currentIndex(), 1);
            for (int i = 0; i < 8; ++i) {
                QTreeWidgetItem* row = list->topLevelItem(i);
                const bool set = i == 0 || i == 2;
                EXPECT_EQ(row->text(0), QStringLiteral("bit%1").arg(i));
                EXPECT_EQ(row->checkState(0), set ? Qt::Checked : Qt::Unchecked) << c.item << " row " << i;
                EXPECT_EQ(row->text(1), set ? "1" : "0");
                EXPECT_EQ(row->text(2), QString::fromUtf8(set ? c.setUtf8 : c.clearedUtf8));
            }
            return mrOk;
        };
        dispatcher.EditBlockProperties();
        EXPECT_EQ(IntParam(Parsed(block), "data"), 5) << c.item;
    }
}

TEST_F(DispatcherTest, ServoBarMovedToTheBottom)
{
    FcObject* block = Insert(19);
    act = [&](QDialog& dialog) {
        for (int n = 1; n <= 5; ++n) {
            const QByteArray bar = "ScrollBar" + QByteArray::number(n);
            EXPECT_EQ(Child<QScrollBar>(dialog, bar.constData())->value(), 9);
        }
        EXPECT_EQ(Child<QScrollBar>(dialog, "ScrollBarSpeed")->value(), 1);
        dialog.show();
        QScrollBar* bar3 = Child<QScrollBar>(dialog, "ScrollBar3");
        bar3->setFocus();
        QTest::keyClick(bar3, Qt::Key_End);
        EXPECT_EQ(Child<QLabel>(dialog, "LabelVal3")->text(), "18");
        EXPECT_EQ(Child<QLabel>(dialog, "LabelVal2")->text(), "9");
        QScrollBar* speed = Child<QScrollBar>(dialog, "ScrollBarSpeed");
        speed->setValue(4);
        EXPECT_EQ(Child<QLabel>(dialog, "LabelSpdVal")->text(), "4");
        dialog.hide();
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    const CtrlNode node = Parsed(block);
    EXPECT_EQ(IntParam(node, "data3"), 18);
    EXPECT_EQ(IntParam(node, "data1"), 9);
    EXPECT_EQ(IntParam(node, "speed"), 4);
}

TEST_F(DispatcherTest, MotorSpeedTypedBeyondTheRangeIsClamped)
{
    FcObject* block = Insert(3);
    act = [&](QDialog& dialog) {
        dialog.show();
        QLineEdit* left = Child<QLineEdit>(dialog, "JvValidateEdit1");
        QLineEdit* right = Child<QLineEdit>(dialog, "JvValidateEdit2");
        left->selectAll();
        QTest::keyClicks(left, "300");
        EXPECT_EQ(Child<QScrollBar>(dialog, "ScrollBar1")->value(), 255);
        EXPECT_EQ(left->text(), "255");
        right->selectAll();
        QTest::keyClicks(right, "-100");
        EXPECT_EQ(Child<QScrollBar>(dialog, "ScrollBar2")->value(), -100);
        EXPECT_EQ(right->text(), "-100");
        dialog.hide();
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(IntParam(Parsed(block), "motorL"), 255);
    EXPECT_EQ(IntParam(Parsed(block), "motorR"), -100);
}

TEST_F(DispatcherTest, VoiceCaptionTakesThePhraseShown)
{
    FcObject* block = Insert(32);
    const int32_t endTop = flow.EndObject->Top();
    act = [&](QDialog& dialog) {
        SetListIndex(Child<QComboBox>(dialog, "ComboBox1"), 1);
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    EXPECT_EQ(IntParam(Parsed(block), "index"), 1);
    EXPECT_EQ(block->Text(), Gbk(u8"语音: 再见(*)"));
    EXPECT_EQ(block->Height(), 40);
    EXPECT_EQ(flow.EndObject->Top(), endTop + 8);

    for (int index : {-1, 2}) { // no selection, and a blank phrase
        act = [&](QDialog& dialog) {
            SetListIndex(Child<QComboBox>(dialog, "ComboBox1"), index);
            return mrOk;
        };
        dispatcher.EditBlockProperties();
        EXPECT_EQ(IntParam(Parsed(block), "index"), index);
        EXPECT_EQ(block->Text(), Gbk(u8"语音: 再见(*)"));
        EXPECT_EQ(block->Height(), 40);
    }
}

TEST_F(DispatcherTest, MelodyRoundTripAndRangeClamp)
{
    FcObject* block = WithNode(6, Node(6, "  <key>9</key>\r\n  <keycmd>0</keycmd>\r\n  <content>8454Z</content>\r\n"));
    act = [&](QDialog& dialog) {
        auto& melody = static_cast<TFormFaYin&>(dialog);
        EXPECT_EQ(melody.ComboBox1()->currentIndex(), 7);
        EXPECT_FALSE(melody.CheckBox1()->isChecked());
        EXPECT_EQ(melody.SelectedPitch(), 23);
        EXPECT_FALSE(melody.PitchButton(7)->isEnabled());
        EXPECT_TRUE(melody.PitchButton(22)->isEnabled());
        EXPECT_EQ(melody.JvListBox1()->count(), 2);
        melody.CheckBox1()->setChecked(true);
        return mrOk;
    };
    dispatcher.EditBlockProperties();
    const CtrlNode node = Parsed(block);
    EXPECT_EQ(IntParam(node, "key"), 7);
    EXPECT_TRUE(FlagParam(node, "keycmd"));
    EXPECT_EQ(TextParam(node, "content"), "8454");
    ASSERT_EQ(node.children.size(), 3u);
    EXPECT_EQ(node.children[0].name, "key");
    EXPECT_EQ(node.children[1].name, "keycmd");
    EXPECT_EQ(node.children[1].text, "-1");
    EXPECT_EQ(node.children[2].name, "content");

    WithNode(6, Node(6, "  <content>12</content>\r\n")); // key missing: clamped to 0, keycmd missing: true
    act = [&](QDialog& dialog) {
        auto& melody = static_cast<TFormFaYin&>(dialog);
        EXPECT_EQ(melody.ComboBox1()->currentIndex(), 0);
        EXPECT_TRUE(melody.CheckBox1()->isChecked());
        return mrCancel;
    };
    dispatcher.EditBlockProperties();
}

TEST_F(DispatcherTest, RealModalLoopClosesOnlyThroughItsButtonsAndFrame)
{
    // Without a replaced show step: the dialog runs its own event loop.
    PropertyDispatcher real{document, dialogs};
    FcObject* block = Insert(20);
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        auto* edit = modal->findChild<QLineEdit*>("Edit1");
        edit->setFocus();
        QTest::keyClicks(edit, "x=1");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(modal, Qt::Key_Escape);
        EXPECT_TRUE(modal->isVisible());
        QTest::mouseClick(modal->findChild<QWidget*>("Button1"), Qt::LeftButton);
    });
    real.EditBlockProperties();
    EXPECT_EQ(TextParam(Parsed(block), "command"), "x=1");
    EXPECT_EQ(block->Text(), Gbk(u8"表达式:x=1"));
}
