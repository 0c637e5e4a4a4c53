#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "model/canvas.h"
#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "nodetext.h"
#include "project/filebytes.h"
#include "project/loader.h"
#include "project/projectfile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace talvex {
namespace {

using testing::CrLfLines;

struct ToolRun {
    bool finished = false;
    bool crashed = false;
    int exitCode = -1;
    std::string out;
    std::string err;
};

class TalvexcTest : public ::testing::Test {
  protected:
    ToolRun Talvexc(const QStringList& args, int timeoutMs = 60000)
    {
        QProcess process;
        process.start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvexc"), args);
        ToolRun run;
        if (!process.waitForStarted()) {
            ADD_FAILURE() << "talvexc did not start: " << process.errorString().toStdString();
            return run;
        }
        run.finished = process.waitForFinished(timeoutMs);
        if (!run.finished) {
            process.kill();
            process.waitForFinished();
        }
        run.crashed = process.exitStatus() == QProcess::CrashExit;
        run.exitCode = process.exitCode();
        run.out = process.readAllStandardOutput().toStdString();
        run.err = process.readAllStandardError().toStdString();
        return run;
    }

    QString File(const char* name, const std::string& bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(WriteWholeFile(path, bytes));
        return path;
    }

    QTemporaryDir m_dir;
};

const std::string kWorkedExample = CrLfLines({
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>",
    "<TALVEX>",
    "  <record>",
    "    <CtrlNode type=\"1\">",
    "      <mode>2</mode>",
    "      <wait>20</wait>",
    "    </CtrlNode>",
    "  </record>",
    "  <record>",
    "    <CtrlNode type=\"28\">",
    "      <condition>a&lt;5</condition>",
    "    </CtrlNode>",
    "  </record>",
    "  <record>",
    "    <CtrlNode type=\"20\">",
    "      <command>a=a+1</command>",
    "    </CtrlNode>",
    "  </record>",
    "  <record>",
    "    <CtrlNode type=\"31\"/>",
    "  </record>",
    "</TALVEX>",
});

TEST_F(TalvexcTest, GenPrintsTheProgramText)
{
    const ToolRun run = Talvexc({QStringLiteral("gen"), File("example.lcc", kWorkedExample)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "qzrobot\r\nstart\r\nfd(20);\r\nif(a<5)\r\n{\r\na=a+1;\r\n}\r\nend\r\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(TalvexcTest, GenKeepsGbkBytes)
{
    const std::string song = Gbk(u8"你好");
    const std::string file = "<TALVEX><record><CtrlNode type=\"6\"><keycmd>0</keycmd><content>" + song +
                             "</content></CtrlNode></record><record><CtrlNode type=\"25\"><sub>" + Gbk(u8"前进") +
                             "</sub></CtrlNode></record></TALVEX>";
    const ToolRun run = Talvexc({QStringLiteral("gen"), File("song.lcc", file)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              CrLfLines({"qzrobot", "start", "play(\"" + song + "\");", "/* GOSUB sub: " + Gbk(u8"前进"), "end"}));
}

// Every single byte, as an escaped command, a raw melody note and an IO
// direction letter beyond "z", comes out as the generator made it.
TEST_F(TalvexcTest, GenKeepsEveryByte)
{
    std::string file = "<TALVEX>";
    std::vector<BlockRecord> records;
    std::vector<std::string> texts;
    auto add = [&](int type, const char* param, const std::string& value) {
        texts.push_back(testing::NodeText(type, {{param, value}}));
        file += "<record><CtrlNode type=\"" + std::to_string(type) + "\"><" + param + ">" + value + "</" + param +
                "></CtrlNode></record>";
    };
    for (int b = 1; b <= 0xFF; ++b) {
        const std::string byte(1, static_cast<char>(b));
        add(20, "command", EscapeValueText("a" + byte + "b"));
        if (b >= 0x80)
            add(6, "content", byte + "1");
    }
    add(16, "ddr", "44"); // IO direction: the variable letter 'a' + 44 is the byte 0x8D
    file += "</TALVEX>";
    for (const std::string& text : texts)
        records.push_back({kBlockKindBase + ParseIntText(*ParseCtrlNode(text)->Attribute("type")), text});

    const ToolRun run = Talvexc({QStringLiteral("gen"), File("bytes.lcc", file)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> program;
    ASSERT_TRUE(GenerateProgram(records, program));
    EXPECT_EQ(run.out, JoinProgramLines(program));
}

TEST_F(TalvexcTest, FmtPrintsWhatSaveWrites)
{
    const std::string variant = "<!-- x --><doc><item><CtrlNode type='31'/></item><item><CtrlNode type='14'/></item>"
                                "<item><CtrlNode type='5'><wait>  7</wait></CtrlNode></item></doc>";
    const ToolRun run = Talvexc({QStringLiteral("fmt"), File("variant.lcc", variant)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<TALVEX>", "  <record>",
                         "    <CtrlNode type=\"31\"/>", "  </record>", "  <record>", "    <CtrlNode type=\"5\">",
                         "      <wait>7</wait>", "    </CtrlNode>", "  </record>", "</TALVEX>"}));

    const ToolRun again = Talvexc({QStringLiteral("fmt"), File("example.lcc", kWorkedExample)});
    EXPECT_EQ(again.out, kWorkedExample);
}

// talvexc skips the diagram; its output must still be what the editor writes
// after opening the file.
TEST_F(TalvexcTest, OutputMatchesOpeningTheFileInTheEditor)
{
    std::string file = "<!-- mixed --><doc>";
    for (int type = -1; type <= 34; ++type) {
        file += "<r><CtrlNode type='" + std::to_string(type) + "' extra='v'><mode>" + std::to_string(type % 5) +
                "</mode><wait> 0" + std::to_string(type) +
                "</wait><condition>a&amp;&amp;b&#xC4;&#xE3;</condition>"
                "<command>x  =  1</command><sub>" +
                Gbk(u8"前进") + "</sub><index>" + std::to_string(type % 4) + "</index><var>" + std::to_string(type) +
                "</var><content/></CtrlNode></r>";
        file += "<r/><r>text</r>";
    }
    file += "</doc>";
    const QString path = File("mixed.lcc", file);

    CanvasModel canvas;
    FlowList flowchart(canvas);
    flowchart.BuildNewFlowchart();
    ASSERT_TRUE(LoadProjectInto(flowchart, path, {}));
    ASSERT_EQ(flowchart.BlockObjects().size(), 31u);
    std::vector<std::string> program;
    ASSERT_TRUE(GenerateProgram(flowchart, program));
    XmlElement document;
    ASSERT_TRUE(BuildProjectDocument(flowchart, document));

    const ToolRun gen = Talvexc({QStringLiteral("gen"), path});
    EXPECT_EQ(gen.exitCode, 0);
    EXPECT_EQ(gen.out, ViewTextToFileBytes(GeneratedTextToView(JoinProgramLines(program))));
    const ToolRun fmt = Talvexc({QStringLiteral("fmt"), path});
    EXPECT_EQ(fmt.exitCode, 0);
    EXPECT_EQ(fmt.out, SerialiseProject(document));
}

TEST_F(TalvexcTest, UnusableFilesFailWithTheReadersMessage)
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.lcc"));
    for (const QString& command : {QStringLiteral("gen"), QStringLiteral("fmt")}) {
        ToolRun run = Talvexc({command, missing});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Cannot open file \"" + missing.toStdString() + "\". "), std::string::npos) << run.err;

        run = Talvexc({command, File("bad.lcc", "<TALVEX><record></TALVEX>")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

TEST_F(TalvexcTest, FilesTheEditorRefusesFailNamingTheRecord)
{
    const std::string delay = "<record><CtrlNode type=\"5\"><wait>1</wait></CtrlNode></record>";
    const struct {
        const char* name;
        std::string bytes;
        const char* record;
    } cases[] = {
        // The attribute value holds a double quote, which the canonical text cannot carry.
        {"quote.lcc",
         "<TALVEX><record><CtrlNode type=\"5\" note='say \"hi\"'><wait>1</wait></CtrlNode></record></TALVEX>",
         u8"第1条记录"},
        {"cdata.lcc",
         "<TALVEX>" + delay + delay +
             "<record><CtrlNode type=\"23\"><sub><![CDATA[a<b]]></sub></CtrlNode></record></TALVEX>",
         u8"第3条记录"},
    };
    for (const auto& c : cases) {
        for (const QString& command : {QStringLiteral("gen"), QStringLiteral("fmt")}) {
            const ToolRun run = Talvexc({command, File(c.name, c.bytes)});
            EXPECT_EQ(run.exitCode, 1) << c.name;
            EXPECT_EQ(run.out, "") << c.name;
            EXPECT_NE(run.err.find(c.record), std::string::npos) << c.name << ": " << run.err;
        }
    }
}

TEST_F(TalvexcTest, UsageErrors)
{
    const QString file = File("example.lcc", kWorkedExample);
    const QStringList wrong[] = {
        {},
        {QStringLiteral("compile"), file},
        {QStringLiteral("gen")},
        {QStringLiteral("fmt"), file, file},
        {QStringLiteral("gen"), QString()},
    };
    for (const QStringList& args : wrong) {
        const ToolRun run = Talvexc(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: talvexc"), std::string::npos);
    }
}

TEST_F(TalvexcTest, Help)
{
    const ToolRun run = Talvexc({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Usage: talvexc"), std::string::npos);
    EXPECT_NE(run.out.find("gen FILE.lcc"), std::string::npos);
    EXPECT_NE(run.out.find("fmt FILE.lcc"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

// Hostile inputs: each must load or be refused with a message, quickly and
// without a crash.
TEST_F(TalvexcTest, HostileFilesLoadOrAreRefused)
{
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    for (int i = 0; i < 200000; ++i)
        deep += "</a>";

    const std::string longValue = "<TALVEX><record><CtrlNode type=\"20\"><command>" + std::string(5 << 20, 'v') +
                                  "</command></CtrlNode></record></TALVEX>";

    std::string manyAttributes = "<TALVEX><record><CtrlNode type=\"5\"";
    for (int i = 0; i < 20000; ++i)
        manyAttributes += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    manyAttributes += "><wait>1</wait></CtrlNode></record></TALVEX>";

    std::string entities = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n";
    entities += "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n";
    for (int i = 2; i <= 9; ++i) {
        const std::string prev = "&lol" + std::to_string(i - 1) + ";";
        std::string body;
        for (int k = 0; k < 10; ++k)
            body += prev;
        entities += "<!ENTITY lol" + std::to_string(i) + " \"" + body + "\">\n";
    }
    entities += "]>\n<TALVEX><record><CtrlNode type=\"20\"><command>&lol9;</command></CtrlNode></record></TALVEX>";

    std::mt19937 random(20240611u);
    std::string garbage(64 << 10, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random() & 0xFF);

    const struct {
        const char* name;
        std::string bytes;
        bool loads;
        size_t maxOutput;
    } cases[] = {
        {"deep.lcc", deep, false, 0},
        {"long.lcc", longValue, true, (5u << 20) + 64},
        {"attributes.lcc", manyAttributes, true, 1u << 20},
        {"entities.lcc", entities, true, 4096},
        {"garbage.lcc", garbage, false, 0},
        {"empty.lcc", "", false, 0},
    };
    for (const auto& c : cases) {
        const QString path = File(c.name, c.bytes);
        for (const QString& command : {QStringLiteral("gen"), QStringLiteral("fmt")}) {
            const ToolRun run = Talvexc({command, path});
            ASSERT_TRUE(run.finished) << c.name;
            ASSERT_FALSE(run.crashed) << c.name;
            if (c.loads) {
                EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
                EXPECT_GT(run.out.size(), 0u) << c.name;
                EXPECT_LE(run.out.size(), c.maxOutput + (command == QLatin1String("fmt") ? 512u << 10 : 0u)) << c.name;
            } else {
                EXPECT_EQ(run.exitCode, 1) << c.name;
                EXPECT_EQ(run.out, "") << c.name;
                EXPECT_NE(run.err, "") << c.name;
            }
        }
    }
}

} // namespace
} // namespace talvex
