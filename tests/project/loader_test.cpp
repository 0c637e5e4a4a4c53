#include "project/loader.h"

#include "model/canvas.h"
#include "model/catalog.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "nodetext.h"
#include "project/filebytes.h"
#include "project/projectfile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::CrLfLines;
using testing::NodeText;

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>";

class CountingView : public CanvasObserver {
  public:
    void CanvasChanged() override { ++changes; }
    void CanvasScrollIntoView(const FcRect&) override {}
    int changes = 0;
};

class LoaderTest : public ::testing::Test {
  protected:
    LoaderTest() { m_flowchart.BuildNewFlowchart(); }

    void Load(const std::string& fileBytes, const std::vector<std::string>& phrases = {})
    {
        Result<XmlElement> document = ReadXmlText(fileBytes);
        ASSERT_TRUE(document) << document.Message();
        RebuildFlowchart(m_flowchart, *document, phrases);
    }

    std::string Saved()
    {
        XmlElement document;
        const Status status = BuildProjectDocument(m_flowchart, document);
        EXPECT_TRUE(status) << status.Message();
        return SerialiseProject(document);
    }

    std::vector<int32_t> Kinds() const
    {
        std::vector<int32_t> kinds;
        for (const FcObject* object : m_flowchart.BlockObjects())
            kinds.push_back(object->TypeCode);
        return kinds;
    }

    FcObject* Block(size_t index) const { return m_flowchart.BlockObjects().at(index); }

    CanvasModel m_canvas;
    FlowList m_flowchart{m_canvas};
};

// A project of records, each given as the CtrlNode element's lines.
std::string Project(const std::vector<std::vector<std::string>>& records)
{
    std::vector<std::string> lines = {kDeclaration, "<TALVEX>"};
    for (const auto& record : records) {
        lines.push_back("  <record>");
        for (const std::string& line : record)
            lines.push_back("    " + line);
        lines.push_back("  </record>");
    }
    lines.push_back("</TALVEX>");
    return CrLfLines(lines);
}

TEST_F(LoaderTest, LoadThenSaveGivesTheSameBytes)
{
    const std::string file = Project({
        {"<CtrlNode type=\"1\">", "  <mode>2</mode>", "  <wait>20</wait>", "</CtrlNode>"},
        {"<CtrlNode type=\"28\">", "  <condition>a&lt;5 &amp;&amp; b&gt;2</condition>", "</CtrlNode>"},
        {"<CtrlNode type=\"23\">", "  <sub>" + Gbk(u8"前进") + "&amp;</sub>", "</CtrlNode>"},
        {"<CtrlNode type=\"6\">", "  <key>0</key>", "  <keycmd>0</keycmd>", "  <content/>", "</CtrlNode>"},
        {"<CtrlNode type=\"10\"/>"},
        {"<CtrlNode type=\"7\">", "  <anything>1</anything>", "</CtrlNode>"},
        {"<CtrlNode type=\"32\" extra=\"x\">", "  <index>0</index>", "</CtrlNode>"},
    });
    Load(file);
    EXPECT_EQ(Kinds(),
              (std::vector<int32_t>{bkZhiXing, bkIfBegin, bkSubBegin, bkFaYin, bkLoopEnd, bkHongWai, bkVOICEX}));
    EXPECT_EQ(Saved(), file);
}

TEST_F(LoaderTest, ReadingVariationsLoadTheSame)
{
    const std::string canonical = Project({
        {"<CtrlNode type=\"1\">", "  <mode>3</mode>", "  <wait>9</wait>", "</CtrlNode>"},
        {"<CtrlNode type=\"20\">", "  <command>a = b</command>", "</CtrlNode>"},
    });
    const std::string variant = "<!-- saved elsewhere -->\n"
                                "<!DOCTYPE doc [ <!ELEMENT doc ANY> ]>\n"
                                "<doc>\t<item><CtrlNode type='1'><mode>3</mode>\n<wait>   9</wait></CtrlNode></item>\n"
                                "<!-- between -->"
                                "<entry>\r\n  <node type='20'><command>a   =  b</command></node></entry></doc>";
    Load(variant);
    std::string expected = canonical;
    // The second record's element keeps its own name.
    expected.replace(expected.find("<CtrlNode type=\"20\">"), 20, "<node type=\"20\">");
    expected.replace(expected.find("</CtrlNode>", expected.find("<node")), 11, "</node>");
    EXPECT_EQ(Block(0)->CtrlNodeText, NodeText(1, {{"mode", "3"}, {"wait", "9"}}));
    EXPECT_EQ(Kinds(), (std::vector<int32_t>{bkZhiXing, bkBiaoDaShi}));
    std::string saved = Saved();
    EXPECT_EQ(saved, expected);
}

TEST_F(LoaderTest, RecordsThatNameNoBlockAreSkipped)
{
    const std::vector<std::string> delay = {"<CtrlNode type=\"5\">", "  <wait>1</wait>", "</CtrlNode>"};
    const std::vector<std::string> led = {"<CtrlNode type=\"15\">", "  <led>3</led>", "</CtrlNode>"};
    const std::string file = kDeclaration + "\r\n<TALVEX>"
                                            "<record><CtrlNode type=\"5\"><wait>1</wait></CtrlNode></record>"
                                            "<record><CtrlNode type=\"14\"/></record>"
                                            "<record><CtrlNode type=\"99\"><wait>1</wait></CtrlNode></record>"
                                            "<record><CtrlNode type=\"0\"/></record>"
                                            "<record><CtrlNode type=\"-3\"/></record>"
                                            "<record><CtrlNode type=\"33\"/></record>"
                                            "<record><CtrlNode type=\"x\"/></record>"
                                            "<record><CtrlNode><wait>1</wait></CtrlNode></record>"
                                            "<record/>"
                                            "<record>text only</record>"
                                            "<record><!-- a comment --></record>"
                                            "<record><CtrlNode type=\"15\"><led>3</led></CtrlNode></record>"
                                            "</TALVEX>";
    Load(file);
    EXPECT_EQ(Kinds(), (std::vector<int32_t>{bkYanShi, bkLED}));
    EXPECT_EQ(Saved(), Project({delay, led}));
}

TEST_F(LoaderTest, RecordsStartingWithSomethingElseThanTheirNodeAreSkipped)
{
    const std::string delay = "<CtrlNode type=\"5\"><wait>2</wait></CtrlNode>";
    Load("<TALVEX><record><!-- a note -->" + delay + "</record><record><?robot fast?>" + delay +
         "</record><record>text" + delay + "</record><record><![CDATA[x]]>" + delay + "</record><record>\r\n  " +
         delay + "<!-- after --></record></TALVEX>");
    EXPECT_EQ(Kinds(), std::vector<int32_t>{bkYanShi});
}

TEST_F(LoaderTest, InfraredAndLightBlocks)
{
    Load(Project({{"<CtrlNode type=\"7\"/>"}, {"<CtrlNode type=\"8\">", "  <level>4</level>", "</CtrlNode>"}}));
    ASSERT_EQ(Kinds(), (std::vector<int32_t>{bkHongWai, bkGuangGan}));
    EXPECT_EQ(Block(0)->Text(), Gbk(u8"红外线"));
    EXPECT_EQ(Block(1)->Text(), Gbk(u8"光感"));
    EXPECT_EQ(Block(0)->CtrlNodeText, NodeText(7, {}));
    EXPECT_EQ(Block(1)->CtrlNodeText, NodeText(8, {{"level", "4"}}));
}

TEST_F(LoaderTest, VoiceCaptionsComeFromThePhraseList)
{
    const std::vector<std::string> phrases = {Gbk(u8"你好"), Gbk(u8"前进"), Gbk(u8"再见")};
    const struct {
        const char* index; // nullptr: no "index" element
        std::string shown;
    } cases[] = {
        {"1", Gbk(u8"前进")}, {"3", "3"}, {"5", "5"}, {"500", "500"}, {"-1", "-1"}, {nullptr, "-1"},
    };
    std::vector<std::vector<std::string>> records;
    for (const auto& c : cases)
        records.push_back(c.index
                              ? std::vector<std::string>{"<CtrlNode type=\"32\">",
                                                         std::string("  <index>") + c.index + "</index>", "</CtrlNode>"}
                              : std::vector<std::string>{"<CtrlNode type=\"32\"/>"});
    Load(Project(records), phrases);
    ASSERT_EQ(m_flowchart.BlockObjects().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Block(i)->Text(), Gbk(u8"语音: ") + cases[i].shown) << i;
        EXPECT_EQ(Block(i)->Height(), 40) << i;
    }
}

TEST_F(LoaderTest, VoiceWithAnEmptyPhraseKeepsThePaletteCaption)
{
    Load(Project({{"<CtrlNode type=\"32\">", "  <index>1</index>", "</CtrlNode>"}}), {"a", "", "c"});
    EXPECT_EQ(Block(0)->Text(), Gbk(u8"语音模块"));
    EXPECT_EQ(Block(0)->Height(), 32);
}

TEST_F(LoaderTest, ExpressionAndSubroutineCaptions)
{
    Load(Project({
        {"<CtrlNode type=\"20\">", "  <command>a&lt;5</command>", "</CtrlNode>"},
        {"<CtrlNode type=\"23\">", "  <sub/>", "</CtrlNode>"},
        {"<CtrlNode type=\"25\">", "  <sub>a&lt;b&amp;c</sub>", "</CtrlNode>"},
        {"<CtrlNode type=\"20\"/>"},
    }));
    EXPECT_EQ(Block(0)->Text(), Gbk(u8"表达式:a<5"));
    EXPECT_EQ(Block(0)->Height(), 40);
    EXPECT_EQ(Block(0)->CtrlNodeText, NodeText(20, {{"command", "a&lt;5"}}));
    EXPECT_EQ(Block(1)->Text(), Gbk(u8"子程序开始"));
    EXPECT_EQ(Block(1)->Height(), 32);
    EXPECT_EQ(Block(2)->Text(), Gbk(u8"调用子程序:a<b&c"));
    EXPECT_EQ(Block(2)->Height(), 40);
    EXPECT_EQ(Block(3)->Text(), Gbk(u8"表达式"));
}

TEST_F(LoaderTest, SubroutineCaptionsShowTheUnescapedName)
{
    // "前" is C7 B0 in GBK.
    Load(Project({
        {"<CtrlNode type=\"23\">", "  <sub>&#xC7;&#xB0;&quot;x&lt;</sub>", "</CtrlNode>"},
        {"<CtrlNode type=\"25\">", "  <sub>" + Gbk(u8"前进") + "&amp;</sub>", "</CtrlNode>"},
    }));
    EXPECT_EQ(Block(0)->Text(), Gbk(u8"子程序开始:前\"x<"));
    EXPECT_EQ(Block(1)->Text(), Gbk(u8"调用子程序:前进&"));
}

TEST_F(LoaderTest, ColumnIsLaidOutWithTallBlocks)
{
    Load(Project({
        {"<CtrlNode type=\"20\">", "  <command>x</command>", "</CtrlNode>"},
        {"<CtrlNode type=\"5\"/>"},
    }));
    // start 16, spot 48, tall block 80, spot 120, block 152, spot 184, end 216
    EXPECT_EQ(Block(0)->Top(), 80);
    EXPECT_EQ(Block(1)->Top(), 152);
    EXPECT_EQ(m_flowchart.EndObject->Top(), 216);
    EXPECT_EQ(Block(1)->Left(), 70);
}

TEST_F(LoaderTest, EmptyRootGivesAnEmptyFlowchart)
{
    m_flowchart.AppendBlock(1);
    Load(kDeclaration + "\r\n<TALVEX/>\r\n");
    EXPECT_EQ(m_flowchart.Count(), 3);
}

TEST_F(LoaderTest, RepaintsOnceWhateverTheNumberOfBlocks)
{
    CountingView view;
    m_canvas.SetView(&view);
    auto changesFor = [&](int blocks) {
        m_flowchart.ClearFlowchart();
        m_flowchart.BuildNewFlowchart();
        std::vector<std::vector<std::string>> records(
            static_cast<size_t>(blocks), {"<CtrlNode type=\"20\">", "  <command>x</command>", "</CtrlNode>"});
        view.changes = 0;
        Load(Project(records));
        EXPECT_FALSE(m_canvas.Updating());
        return view.changes;
    };
    const int few = changesFor(2);
    EXPECT_EQ(changesFor(40), few);
    m_canvas.SetView(nullptr);
}

TEST_F(LoaderTest, UnreadableFileLeavesTheFlowchartAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.lcc"));
    ASSERT_TRUE(WriteWholeFile(path, "<TALVEX><record>"));
    m_flowchart.AppendBlock(5);
    const Status status = LoadProjectInto(m_flowchart, path, {});
    ASSERT_FALSE(status);
    EXPECT_EQ(status.Message(), ReadXmlText("<TALVEX><record>").Message());
    EXPECT_EQ(Kinds(), std::vector<int32_t>{bkYanShi});
}

// The reader takes these records, but their rebuilt node texts would not read
// back as the same node; opening them used to trap the editor.
TEST_F(LoaderTest, RecordsThatCannotBeReadBackRefuseTheFile)
{
    const std::string delay = "<record><CtrlNode type=\"5\"><wait>1</wait></CtrlNode></record>";
    const struct {
        const char* name;
        std::string records;
        int refusedRecord; // counting from 1; 0: the file loads
        size_t blocks;     // loaded when it loads, the delay last
    } cases[] = {
        {"cdata.lcc", delay + "<record><CtrlNode type=\"23\"><sub><![CDATA[a<b]]></sub></CtrlNode></record>", 2, 0},
        {"quote.lcc", "<record><CtrlNode type=\"5\" note='say \"hi\"'><wait>1</wait></CtrlNode></record>", 1, 0},
        {"element.lcc",
         delay + "<record><CtrlNode type=\"99\"/></record>" +
             "<record><CtrlNode type=\"20\"><command><![CDATA[<b/>]]></command></CtrlNode></record>",
         3, 0},
        {"skipped.lcc", "<record><CtrlNode type=\"99\"><sub><![CDATA[a<b]]></sub></CtrlNode></record>" + delay, 0, 1},
        {"harmless.lcc",
         "<record><CtrlNode type='23' note='a&gt;b'><sub><![CDATA[a&b>c]]></sub></CtrlNode></record>" + delay, 0, 2},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(WriteWholeFile(path, "<TALVEX>" + c.records + "</TALVEX>"));
        m_flowchart.ClearFlowchart();
        m_flowchart.BuildNewFlowchart();
        m_flowchart.AppendBlock(15);
        const std::string before = Saved();

        const Result<XmlElement> read = ReadProjectFile(path);
        const Status loaded = LoadProjectInto(m_flowchart, path, {});
        if (c.refusedRecord == 0) {
            EXPECT_TRUE(read) << c.name << ": " << read.Message();
            EXPECT_TRUE(loaded) << c.name;
            ASSERT_EQ(Kinds().size(), c.blocks) << c.name;
            EXPECT_EQ(Kinds().back(), bkYanShi) << c.name;
            continue;
        }
        const std::string named = Gbk(u8"第") + std::to_string(c.refusedRecord) + Gbk(u8"条记录");
        EXPECT_FALSE(read) << c.name;
        EXPECT_NE(read.Message().find(named), std::string::npos) << c.name;
        ASSERT_FALSE(loaded) << c.name;
        EXPECT_EQ(loaded.Message(), read.Message()) << c.name;
        EXPECT_EQ(Saved(), before) << c.name;
    }
}

TEST(VoicePhraseTextTest, IndexOrPhrase)
{
    const std::vector<std::string> phrases = {"a", "b"};
    EXPECT_EQ(VoicePhraseText(0, phrases), "a");
    EXPECT_EQ(VoicePhraseText(1, phrases), "b");
    EXPECT_EQ(VoicePhraseText(2, phrases), "2");
    EXPECT_EQ(VoicePhraseText(-2147483647 - 1, phrases), "-2147483648");
}

} // namespace
} // namespace talvex
