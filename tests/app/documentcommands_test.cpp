#include "app/documentcommands.h"

#include "app/documentui.h"
#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "model/canvas.h"
#include "model/catalog.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "nodetext.h"
#include "project/document.h"
#include "project/filebytes.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <random>

namespace talvex {
namespace {

using testing::CrLfLines;
using testing::NodeText;

// Answers and file names given in advance, in the order the commands ask.
class ScriptedUi : public DocumentUi {
  public:
    Answer AskSaveChanges(const std::string& text) override
    {
        prompts.push_back(text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question";
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString ChooseProjectToOpen() override { return Next(openNames, openDialogs); }
    QString ChooseProjectToSave() override { return Next(saveNames, saveDialogs); }
    QString ChooseTextToLoad() override { return Next(textLoadNames, textDialogs); }
    QString ChooseTextToSave() override { return Next(textSaveNames, textDialogs); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::deque<Answer> answers;
    std::deque<QString> openNames, saveNames, textLoadNames, textSaveNames; // "" cancels
    std::vector<std::string> prompts, messages;
    int openDialogs = 0, saveDialogs = 0, textDialogs = 0;

  private:
    static QString Next(std::deque<QString>& names, int& count)
    {
        ++count;
        if (names.empty())
            return QString();
        QString name = names.front();
        names.pop_front();
        return name;
    }
};

class DocumentCommandsTest : public ::testing::Test {
  protected:
    DocumentCommandsTest()
    {
        m_flowchart.BuildNewFlowchart();
        QObject::connect(&m_document, &Document::fileNameChanged,
                         [this](const QString& path) { m_captions.push_back(path); });
    }

    FcObject* Add(int item, const testing::Params& params)
    {
        m_flowchart.AppendBlock(item);
        m_flowchart.LastAppendedObject->CtrlNodeText = NodeText(item, params);
        m_flowchart.RelayoutFlowchart();
        return m_flowchart.LastAppendedObject;
    }

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    std::string Bytes(const QString& path) const
    {
        Result<std::string> bytes = ReadWholeFile(path);
        EXPECT_TRUE(bytes) << bytes.Message();
        return bytes ? *bytes : std::string();
    }

    int Blocks() const { return static_cast<int>(m_flowchart.BlockObjects().size()); }

    // Saves the current flowchart under name through Save As.
    void SaveAs(const char* name)
    {
        m_ui.saveNames = {Path(name)};
        ASSERT_EQ(m_docs.SaveAs(), DocumentCommands::SaveOutcome::Written);
    }

    QTemporaryDir m_dir;
    Document m_document;
    FlowList& m_flowchart = m_document.Flows();
    QPlainTextEdit m_memo;
    ScriptedUi m_ui;
    DocumentCommands m_docs{m_document, m_memo, m_ui};
    std::vector<QString> m_captions;
};

TEST(SavePromptTest, Texts)
{
    EXPECT_EQ(UntitledSavePrompt(), Gbk(u8"流程图文件的内容已经被更改,\r\n是否保存更改?"));
    EXPECT_EQ(TitledSavePrompt(QStringLiteral("/home/pupil/robot1.lcc")),
              Gbk(u8"流程图文件/home/pupil/robot1.lcc的内容已经被更改,\r\n是否保存更改?"));
}

TEST(ProjectExtensionTest, LastDotDecides)
{
    const struct {
        const char* name;
        bool passes;
    } cases[] = {
        {"a.lcc", true},     {"/x/A.LCC", true}, {"a.Lcc", true},      {".lcc", true},    {"dir\\a.lcc", true},
        {"a.txt", false},    {"a", false},       {"a.lcc.txt", false}, {"a.lccx", false}, {"d.lcc/a", false},
        {"d.lcc\\a", false}, {"c.lcc:a", false}, {"a.lcc ", false},    {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasProjectExtension(QString::fromLatin1(c.name)), c.passes) << c.name;
}

TEST_F(DocumentCommandsTest, NothingIsAskedAtStartOrAfterNew)
{
    m_docs.New();
    m_docs.New();
    m_docs.Open();
    EXPECT_TRUE(m_ui.prompts.empty());
    EXPECT_EQ(m_ui.openDialogs, 1);
    EXPECT_TRUE(m_captions.empty()); // the file name never changed
}

TEST_F(DocumentCommandsTest, UntitledWithOneBlockIsAlwaysAskedAbout)
{
    Add(5, {{"wait", "0"}});
    m_memo.setPlainText(QStringLiteral("old text"));
    m_ui.answers = {DocumentUi::Answer::No};
    m_docs.New();
    EXPECT_EQ(m_ui.prompts, std::vector<std::string>{UntitledSavePrompt()});
    EXPECT_EQ(m_flowchart.Count(), 3);
    EXPECT_TRUE(m_memo.toPlainText().isEmpty());
    EXPECT_TRUE(m_document.CurrentFileName().isEmpty());
    EXPECT_EQ(m_document.ModifiedFlag(), 0);
}

TEST_F(DocumentCommandsTest, NothingIsAskedOnceTheLastBlockIsRemoved)
{
    FcObject* block = Add(5, {{"wait", "0"}});
    m_flowchart.DeleteBlock(block);
    m_docs.New();
    EXPECT_TRUE(m_ui.prompts.empty());
}

TEST_F(DocumentCommandsTest, TitledDocumentIsAskedAboutOnlyWhenChanged)
{
    FcObject* block = Add(5, {{"wait", "10"}});
    SaveAs("robot1.lcc");
    EXPECT_EQ(m_document.CurrentFileName(), Path("robot1.lcc"));

    block->CtrlNodeText = NodeText(5, {{"wait", "11"}});
    m_ui.answers = {DocumentUi::Answer::Cancel};
    m_docs.New();
    EXPECT_EQ(m_ui.prompts, std::vector<std::string>{TitledSavePrompt(Path("robot1.lcc"))});
    EXPECT_EQ(m_document.ModifiedFlag(), 1);
    EXPECT_EQ(Blocks(), 1);

    block->CtrlNodeText = NodeText(5, {{"wait", "10"}});
    m_docs.Open();
    EXPECT_EQ(m_ui.prompts.size(), 1u);
    EXPECT_EQ(m_document.ModifiedFlag(), 0);
    m_docs.New();
    EXPECT_EQ(m_ui.prompts.size(), 1u);
    EXPECT_EQ(Blocks(), 0);
}

TEST_F(DocumentCommandsTest, YesThenCancelledSaveDialogDiscardsTheChanges)
{
    Add(1, {{"mode", "0"}, {"wait", "0"}});
    m_ui.answers = {DocumentUi::Answer::Yes};
    m_docs.New();
    EXPECT_EQ(m_ui.saveDialogs, 1);
    EXPECT_EQ(Blocks(), 0);
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(DocumentCommandsTest, YesSavesBeforeNewDiscards)
{
    Add(1, {{"mode", "2"}, {"wait", "5"}});
    XmlElement expected;
    ASSERT_TRUE(BuildProjectDocument(m_flowchart, expected));
    m_ui.answers = {DocumentUi::Answer::Yes};
    m_ui.saveNames = {Path("kept.lcc")};
    m_docs.New();
    EXPECT_EQ(Bytes(Path("kept.lcc")), SerialiseProject(expected));
    EXPECT_EQ(Blocks(), 0);
    EXPECT_TRUE(m_document.CurrentFileName().isEmpty());
}

TEST_F(DocumentCommandsTest, FailedSaveAfterYesKeepsEverything)
{
    Add(1, {{"mode", "2"}, {"wait", "5"}});
    const QString unwritable = Path("missing/folder/x.lcc");
    m_ui.answers = {DocumentUi::Answer::Yes};
    m_ui.saveNames = {unwritable};
    m_ui.openNames = {Path("never.lcc")};
    m_docs.Open();
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_NE(m_ui.messages[0].find("Cannot create file \"" + ToGbk(unwritable) + "\". "), std::string::npos);
    EXPECT_EQ(m_ui.openDialogs, 0);
    EXPECT_EQ(Blocks(), 1);
    EXPECT_TRUE(m_document.CurrentFileName().isEmpty());
}

TEST_F(DocumentCommandsTest, UnreadableBlockStopsNewBeforeAsking)
{
    FcObject* block = Add(5, {{"wait", "1"}});
    block->CtrlNodeText = "<CtrlNode type=\"5\"><wait>1</wait>";
    m_docs.New();
    EXPECT_TRUE(m_ui.prompts.empty());
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{ParseCtrlNode(block->CtrlNodeText).Message()});
    EXPECT_EQ(Blocks(), 1);
}

TEST_F(DocumentCommandsTest, ClosingAsksLikeNew)
{
    using A = DocumentUi::Answer;
    const struct {
        A answer;
        const char* saveName; // "" cancels the dialog; "-" names an unwritable file
        bool closes;
    } cases[] = {
        {A::Yes, "closing.lcc", true},  {A::Yes, "", false}, {A::Yes, "-", false},
        {A::Yes, "closing.txt", false}, {A::No, "", true},   {A::Cancel, "", false},
    };
    Add(5, {{"wait", "1"}});
    for (const auto& c : cases) {
        m_document.SetCurrentFileName(QString());
        m_ui.prompts.clear();
        m_ui.messages.clear();
        m_ui.answers = {c.answer};
        const std::string name = c.saveName;
        m_ui.saveNames = {name == "-" ? Path("missing/x.lcc") : name.empty() ? QString() : Path(c.saveName)};
        EXPECT_EQ(m_docs.CanClose(), c.closes) << int(c.answer) << " " << name;
        EXPECT_EQ(m_ui.prompts, std::vector<std::string>{UntitledSavePrompt()});
        EXPECT_EQ(m_ui.messages.size(), name == "-" ? 1u : 0u);
        EXPECT_EQ(Blocks(), 1);
    }
    EXPECT_TRUE(QFileInfo::exists(Path("closing.lcc")));
    EXPECT_FALSE(QFileInfo::exists(Path("closing.txt")));

    // Titled and unchanged: closes without a question.
    m_ui.prompts.clear();
    SaveAs("closing.lcc");
    EXPECT_TRUE(m_docs.CanClose());
    EXPECT_TRUE(m_ui.prompts.empty());
}

TEST_F(DocumentCommandsTest, OpenLoadsTheFileAndTakesASnapshot)
{
    ASSERT_TRUE(WriteWholeFile(Path("voice.lcc"),
                               "<TALVEX><record><CtrlNode type=\"32\"><index>1</index></CtrlNode></record>"
                               "<record><CtrlNode type=\"5\"><wait>3</wait></CtrlNode></record></TALVEX>"));
    m_docs.VoicePhrases = [] { return std::vector<std::string>{"zero", "one"}; };
    m_memo.setPlainText(QStringLiteral("qzrobot"));
    m_ui.openNames = {Path("voice.lcc")};
    m_docs.Open();
    EXPECT_TRUE(m_ui.messages.empty());
    ASSERT_EQ(Blocks(), 2);
    EXPECT_EQ(m_flowchart.BlockObjects()[0]->Text(), Gbk(u8"语音: ") + "one");
    EXPECT_TRUE(m_memo.toPlainText().isEmpty());
    EXPECT_EQ(m_document.CurrentFileName(), Path("voice.lcc"));
    EXPECT_EQ(m_captions.back(), Path("voice.lcc"));
    EXPECT_FALSE(m_document.IsDocumentModified().Value());
    m_docs.New();
    EXPECT_TRUE(m_ui.prompts.empty());
}

TEST_F(DocumentCommandsTest, OpenOfAnEmptyRootAsksNothingAfterwards)
{
    ASSERT_TRUE(WriteWholeFile(Path("empty.lcc"), "<TALVEX/>"));
    m_ui.openNames = {Path("empty.lcc")};
    m_docs.Open();
    EXPECT_EQ(m_flowchart.Count(), 3);
    EXPECT_EQ(m_document.CurrentFileName(), Path("empty.lcc"));
    EXPECT_FALSE(m_document.IsDocumentModified().Value());
}

TEST_F(DocumentCommandsTest, UnreadableFileChangesNothing)
{
    FcObject* block = Add(5, {{"wait", "4"}});
    SaveAs("current.lcc");
    block->CtrlNodeText = NodeText(5, {{"wait", "9"}});
    m_memo.setPlainText(QStringLiteral("kept"));
    const std::string snapshot = SerialiseProject(m_document.Snapshot());
    const size_t captions = m_captions.size();
    const std::string broken = "<TALVEX><record><CtrlNode type=\"5\"></record></TALVEX>";
    ASSERT_TRUE(WriteWholeFile(Path("broken.lcc"), broken));

    m_ui.answers = {DocumentUi::Answer::No};
    m_ui.openNames = {Path("broken.lcc")};
    m_docs.Open();
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{ReadXmlText(broken).Message()});
    ASSERT_EQ(Blocks(), 1);
    EXPECT_EQ(m_flowchart.BlockObjects()[0]->CtrlNodeText, NodeText(5, {{"wait", "9"}}));
    EXPECT_EQ(m_memo.toPlainText(), QStringLiteral("kept"));
    EXPECT_EQ(m_document.CurrentFileName(), Path("current.lcc"));
    EXPECT_EQ(m_captions.size(), captions);
    EXPECT_EQ(SerialiseProject(m_document.Snapshot()), snapshot);
}

TEST_F(DocumentCommandsTest, FileThatWouldTrapTheWindowIsRefusedAtOpen)
{
    Add(5, {{"wait", "4"}});
    SaveAs("current.lcc");
    const std::string snapshot = SerialiseProject(m_document.Snapshot());
    ASSERT_TRUE(WriteWholeFile(Path("trap.lcc"), "<TALVEX><record><CtrlNode type=\"5\"><wait>1</wait></CtrlNode>"
                                                 "</record><record><CtrlNode type=\"23\"><sub><![CDATA[a<b]]>"
                                                 "</sub></CtrlNode></record></TALVEX>"));
    m_ui.openNames = {Path("trap.lcc")};
    m_docs.Open();
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_NE(m_ui.messages[0].find(Gbk(u8"第2条记录")), std::string::npos);
    EXPECT_EQ(m_ui.messages[0].find(Gbk(u8"行")), std::string::npos) << "no position inside a rebuilt text";
    ASSERT_EQ(Blocks(), 1);
    EXPECT_EQ(m_document.CurrentFileName(), Path("current.lcc"));
    EXPECT_EQ(SerialiseProject(m_document.Snapshot()), snapshot);

    // Everything still works afterwards.
    m_ui.messages.clear();
    m_docs.GenerateProgramText();
    EXPECT_EQ(m_docs.Save(), DocumentCommands::SaveOutcome::Written);
    EXPECT_TRUE(m_docs.CanClose());
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_TRUE(m_ui.prompts.empty());
}

TEST_F(DocumentCommandsTest, ClosingAsksEvenWhenTheDocumentCannotBeBuilt)
{
    using A = DocumentUi::Answer;
    const struct {
        A answer;
        bool closes;
        size_t messages; // the failed save's
    } cases[] = {{A::No, true, 0}, {A::Cancel, false, 0}, {A::Yes, false, 1}};
    FcObject* block = Add(5, {{"wait", "1"}});
    SaveAs("titled.lcc");
    block->CtrlNodeText = "<CtrlNode type=\"5\"><wait>1</wait>";
    for (const auto& c : cases) {
        m_ui.prompts.clear();
        m_ui.messages.clear();
        m_ui.answers = {c.answer};
        EXPECT_EQ(m_docs.CanClose(), c.closes) << int(c.answer);
        EXPECT_EQ(m_ui.prompts, std::vector<std::string>{TitledSavePrompt(Path("titled.lcc"))}) << int(c.answer);
        EXPECT_EQ(m_ui.messages.size(), c.messages) << int(c.answer);
    }
}

TEST_F(DocumentCommandsTest, OpenStopsSilentlyOnWrongNames)
{
    Add(5, {{"wait", "4"}});
    ASSERT_TRUE(WriteWholeFile(Path("text.txt"), "<TALVEX/>"));
    for (const QString& name : {QString(), Path("text.txt"), Path("missing.lcc")}) {
        m_ui.answers = {DocumentUi::Answer::No};
        m_ui.openNames = {name};
        m_docs.Open();
    }
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(Blocks(), 1);
    EXPECT_TRUE(m_document.CurrentFileName().isEmpty());
}

TEST_F(DocumentCommandsTest, SaveAsChecksTheExtension)
{
    Add(5, {{"wait", "4"}});
    m_ui.saveNames = {Path("a.txt")};
    EXPECT_EQ(m_docs.SaveAs(), DocumentCommands::SaveOutcome::NothingWritten);
    EXPECT_FALSE(QFileInfo::exists(Path("a.txt")));
    EXPECT_TRUE(m_ui.messages.empty());

    m_ui.saveNames = {Path("B.LCC")};
    EXPECT_EQ(m_docs.SaveAs(), DocumentCommands::SaveOutcome::Written);
    EXPECT_TRUE(QFileInfo::exists(Path("B.LCC")));
    EXPECT_EQ(m_document.CurrentFileName(), Path("B.LCC"));
}

TEST_F(DocumentCommandsTest, SaveOfATitledDocumentShowsNoDialog)
{
    FcObject* block = Add(5, {{"wait", "4"}});
    SaveAs("t.lcc");
    block->CtrlNodeText = NodeText(5, {{"wait", "5"}});
    EXPECT_EQ(m_docs.Save(), DocumentCommands::SaveOutcome::Written);
    EXPECT_EQ(m_ui.saveDialogs, 1);
    EXPECT_NE(Bytes(Path("t.lcc")).find("<wait>5</wait>"), std::string::npos);
}

TEST_F(DocumentCommandsTest, FailedSaveKeepsNameAndSnapshot)
{
    FcObject* block = Add(5, {{"wait", "4"}});
    SaveAs("t.lcc");
    const std::string snapshot = SerialiseProject(m_document.Snapshot());
    block->CtrlNodeText = NodeText(5, {{"wait", "5"}});
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("dir.lcc")));
    m_ui.saveNames = {Path("dir.lcc")};
    EXPECT_EQ(m_docs.SaveAs(), DocumentCommands::SaveOutcome::Failed);
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_NE(m_ui.messages[0].find("Cannot open file \"" + ToGbk(Path("dir.lcc")) + "\". "), std::string::npos);
    EXPECT_EQ(m_document.CurrentFileName(), Path("t.lcc"));
    EXPECT_EQ(SerialiseProject(m_document.Snapshot()), snapshot);

    block->CtrlNodeText = "<CtrlNode";
    m_ui.messages.clear();
    EXPECT_EQ(m_docs.Save(), DocumentCommands::SaveOutcome::Failed);
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{ParseCtrlNode("<CtrlNode").Message()});
    EXPECT_NE(Bytes(Path("t.lcc")).find("<wait>4</wait>"), std::string::npos);
}

TEST_F(DocumentCommandsTest, GenerateFillsTheCodeView)
{
    Add(1, {{"mode", "2"}, {"wait", "20"}});
    Add(28, {{"condition", "a&lt;5"}});
    Add(20, {{"command", "a=a+1"}});
    Add(31, {});
    m_docs.GenerateProgramText();
    EXPECT_EQ(m_memo.toPlainText(), QStringLiteral("qzrobot\nstart\nfd(20);\nif(a<5)\n{\na=a+1;\n}\nend\n"));
    EXPECT_TRUE(m_memo.updatesEnabled());
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(DocumentCommandsTest, GenerateKeepsTheLinesBeforeAnUnreadableBlock)
{
    Add(5, {{"wait", "1"}});
    Add(5, {{"wait", "2"}})->CtrlNodeText = "<CtrlNode type=\"5\"><wait>";
    Add(5, {{"wait", "3"}});
    m_docs.GenerateProgramText();
    EXPECT_EQ(m_memo.toPlainText(), QStringLiteral("qzrobot\nstart\nwait(1);\n"));
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{ParseCtrlNode("<CtrlNode type=\"5\"><wait>").Message()});
    EXPECT_TRUE(m_memo.updatesEnabled());
}

TEST_F(DocumentCommandsTest, SaveProgramTextWritesTheViewAsGbkWithCrLf)
{
    Add(20, {{"command", EscapeValueText(Gbk(u8"显示"))}});
    m_docs.GenerateProgramText();
    m_ui.textSaveNames = {Path("program")};
    m_docs.SaveProgramText();
    EXPECT_EQ(Bytes(Path("program")), CrLfLines({"qzrobot", "start", Gbk(u8"显示") + ";", "end"}));

    m_memo.setPlainText(QStringLiteral("typed\nby hand"));
    m_ui.textSaveNames = {Path("program")};
    m_docs.SaveProgramText();
    EXPECT_EQ(Bytes(Path("program")), "typed\r\nby hand");
    EXPECT_TRUE(m_ui.messages.empty());
}

// Generated text reaches the file through the code view byte for byte: every
// single byte inside a value, and random byte strings.
TEST_F(DocumentCommandsTest, GeneratedTextKeepsEveryByteThroughTheCodeView)
{
    std::vector<std::string> values;
    // No NUL: a node text cannot carry it.
    for (int b = 1; b <= 0xFF; ++b)
        values.push_back("a" + std::string(1, static_cast<char>(b)) + "b");
    std::mt19937 random(936u);
    for (int i = 0; i < 60; ++i) {
        std::string bytes(1 + random() % 40, '\0');
        for (char& c : bytes)
            c = static_cast<char>(1 + random() % 0xFF);
        values.push_back(bytes);
    }
    FcObject* block = Add(20, {{"command", ""}});
    for (const std::string& value : values) {
        block->CtrlNodeText = NodeText(20, {{"command", EscapeValueText(value)}});
        m_docs.GenerateProgramText();
        m_ui.textSaveNames = {Path("program.txt")};
        m_docs.SaveProgramText();
        std::vector<std::string> program;
        ASSERT_TRUE(GenerateProgram(m_flowchart, program));
        ASSERT_EQ(Bytes(Path("program.txt")), JoinProgramLines(program)) << ::testing::PrintToString(value);
    }
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(DocumentCommandsTest, SaveProgramTextFailureKeepsTheView)
{
    m_memo.setPlainText(QStringLiteral("x"));
    m_ui.textSaveNames = {Path("missing/p.txt")};
    m_docs.SaveProgramText();
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_NE(m_ui.messages[0].find("Cannot create file \"" + ToGbk(Path("missing/p.txt")) + "\". "),
              std::string::npos);
    EXPECT_EQ(m_memo.toPlainText(), QStringLiteral("x"));
}

TEST_F(DocumentCommandsTest, LoadProgramTextReplacesOnlyTheView)
{
    Add(5, {{"wait", "1"}});
    SaveAs("p.lcc");
    const size_t captions = m_captions.size();
    ASSERT_TRUE(WriteWholeFile(Path("p.txt"), "a\r\nb\rc\nd" + Gbk(u8"中")));
    m_ui.textLoadNames = {Path("p.txt")};
    m_docs.LoadProgramText();
    EXPECT_EQ(m_memo.toPlainText(), QString::fromUtf8(u8"a\nb\nc\nd中"));
    EXPECT_EQ(Blocks(), 1);
    EXPECT_EQ(m_document.CurrentFileName(), Path("p.lcc"));
    EXPECT_EQ(m_captions.size(), captions);

    m_ui.textLoadNames = {Path("absent.txt")};
    m_docs.LoadProgramText();
    EXPECT_EQ(m_memo.toPlainText(), QString::fromUtf8(u8"a\nb\nc\nd中"));
    EXPECT_TRUE(m_ui.messages.empty());

    m_docs.GenerateProgramText();
    EXPECT_EQ(m_memo.toPlainText(), QStringLiteral("qzrobot\nstart\nwait(1);\nend\n"));
}

} // namespace
} // namespace talvex
