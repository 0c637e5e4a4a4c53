#include "project/projectfile.h"

#include "model/canvas.h"
#include "model/catalog.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "nodetext.h"
#include "project/filebytes.h"
#include "project/loader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvex {
namespace {

using testing::CrLfLines;
using testing::NodeText;

const std::string kExample = CrLfLines({
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>",
    "<TALVEX>",
    "  <record>",
    "    <CtrlNode type=\"1\">",
    "      <mode>0</mode>",
    "      <wait>0</wait>",
    "    </CtrlNode>",
    "  </record>",
    "  <record>",
    "    <CtrlNode type=\"28\">",
    "      <condition/>",
    "    </CtrlNode>",
    "  </record>",
    "  <record>",
    "    <CtrlNode type=\"31\"/>",
    "  </record>",
    "</TALVEX>",
});

class ProjectFileTest : public ::testing::Test {
  protected:
    ProjectFileTest() { m_flowchart.BuildNewFlowchart(); }

    std::string Serialised()
    {
        XmlElement document;
        const Status status = BuildProjectDocument(m_flowchart, document);
        EXPECT_TRUE(status) << status.Message();
        return SerialiseProject(document);
    }

    QString PathOf(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    std::string Bytes(const QString& path) const
    {
        Result<std::string> bytes = ReadWholeFile(path);
        EXPECT_TRUE(bytes) << bytes.Message();
        return bytes ? *bytes : std::string();
    }

    void Put(const QString& path, const std::string& bytes) const { ASSERT_TRUE(WriteWholeFile(path, bytes)); }

    CanvasModel m_canvas;
    FlowList m_flowchart{m_canvas};
    QTemporaryDir m_dir;
};

TEST_F(ProjectFileTest, ExampleOfThreeDefaultBlocks)
{
    m_flowchart.AppendBlock(1);
    m_flowchart.AppendBlock(28);
    m_flowchart.AppendBlock(31);
    EXPECT_EQ(Serialised(), kExample);
}

TEST_F(ProjectFileTest, EmptyFlowchartIsDeclarationAndEmptyRoot)
{
    EXPECT_EQ(Serialised(), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<TALVEX/>\r\n");
}

TEST_F(ProjectFileTest, EmptyDocumentIsTheDeclarationAlone)
{
    EXPECT_EQ(SerialiseProject(std::nullopt), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n");
}

TEST_F(ProjectFileTest, UnreadableNodeFailsTheBuildAndKeepsTheTarget)
{
    m_flowchart.AppendBlock(5);
    m_flowchart.AppendBlock(5);
    m_flowchart.LastAppendedObject->CtrlNodeText = "<CtrlNode type=\"5\">";
    XmlElement target;
    target.name = "kept";
    const Status status = BuildProjectDocument(m_flowchart, target);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.Message(), ParseCtrlNode("<CtrlNode type=\"5\">").Message());
    EXPECT_EQ(target.name, "kept");
}

TEST_F(ProjectFileTest, ValuesAreWrittenAsStored)
{
    const std::string sub = Gbk(u8"前进") + "&amp;1";
    m_flowchart.AppendBlock(23);
    m_flowchart.LastAppendedObject->CtrlNodeText = NodeText(23, {{"sub", sub}});
    m_flowchart.AppendBlock(28);
    m_flowchart.LastAppendedObject->CtrlNodeText = NodeText(28, {{"condition", "a&lt;5"}});
    const std::string text = Serialised();
    EXPECT_NE(text.find("      <sub>" + sub + "</sub>\r\n"), std::string::npos);
    EXPECT_NE(text.find("      <condition>a&lt;5</condition>\r\n"), std::string::npos);
}

TEST_F(ProjectFileTest, EveryChangeChangesTheBytes)
{
    m_flowchart.AppendBlock(5);
    m_flowchart.AppendBlock(1);
    const std::string before = Serialised();
    EXPECT_EQ(Serialised(), before);
    FcObject* delay = m_flowchart.BlockObjects().front();
    delay->CtrlNodeText = NodeText(5, {{"wait", "1"}});
    EXPECT_NE(Serialised(), before);
    delay->CtrlNodeText = NodeText(5, {{"wait", "0"}});
    EXPECT_EQ(Serialised(), before);
    m_flowchart.AppendBlock(5);
    EXPECT_NE(Serialised(), before);
}

TEST_F(ProjectFileTest, WriteThenReadGivesTheSameDocument)
{
    m_flowchart.AppendBlock(1);
    m_flowchart.AppendBlock(28);
    XmlElement document;
    ASSERT_TRUE(BuildProjectDocument(m_flowchart, document));
    ASSERT_TRUE(WriteProjectFile(document, PathOf("a.lcc")));
    EXPECT_EQ(Bytes(PathOf("a.lcc")), SerialiseProject(document));
    Result<XmlElement> read = ReadProjectFile(PathOf("a.lcc"));
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(WriteXmlText(*read), SerialiseProject(document));
}

TEST_F(ProjectFileTest, WriteReplacesTheWholeFileAndLeavesNoTemporaryFile)
{
    Put(PathOf("p.lcc"), std::string(5000, 'x'));
    Put(PathOf("p.lcc"), "short");
    EXPECT_EQ(Bytes(PathOf("p.lcc")), "short");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("p.lcc")});
}

TEST_F(ProjectFileTest, WriteFailuresNameTheFileAndTheReason)
{
    const QString missingFolder = PathOf("no/such/folder/p.lcc");
    Status error = WriteWholeFile(missingFolder, "x");
    ASSERT_FALSE(error);
    // A Chinese sentence naming the file first, then the system's words.
    const std::string sentence = Gbk(u8"无法创建文件\"") + ToGbk(missingFolder) + "\"";
    EXPECT_EQ(error.Message().substr(0, sentence.size()), sentence);
    const std::string created = "Cannot create file \"" + ToGbk(missingFolder) + "\". ";
    const size_t english = error.Message().find(created);
    ASSERT_NE(english, std::string::npos);
    EXPECT_GT(error.Message().size(), english + created.size());

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.lcc")));
    error = WriteWholeFile(PathOf("folder.lcc"), "x");
    ASSERT_FALSE(error);
    EXPECT_EQ(error.Message().rfind(Gbk(u8"无法打开文件\"") + ToGbk(PathOf("folder.lcc")), 0), 0u);
    const std::string opened = "Cannot open file \"" + ToGbk(PathOf("folder.lcc")) + "\". ";
    EXPECT_NE(error.Message().find(opened), std::string::npos);
}

TEST_F(ProjectFileTest, ReadFailures)
{
    Result<XmlElement> missing = ReadProjectFile(PathOf("missing.lcc"));
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.Message().find("Cannot open file \"" + ToGbk(PathOf("missing.lcc")) + "\". "), std::string::npos);

    Put(PathOf("bad.lcc"), "<TALVEX><record></TALVEX>");
    Result<XmlElement> bad = ReadProjectFile(PathOf("bad.lcc"));
    EXPECT_FALSE(bad);
    EXPECT_EQ(bad.Message(), ReadXmlText("<TALVEX><record></TALVEX>").Message());
    EXPECT_FALSE(bad.Message().empty());
}

ino_t Inode(const QString& path)
{
    struct stat info {};
    EXPECT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_ino;
}

bool IsSymLink(const QString& path)
{
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

TEST_F(ProjectFileTest, OrdinaryFilesAreReplacedWhole)
{
    Put(PathOf("p.lcc"), "first");
    const ino_t before = Inode(PathOf("p.lcc"));
    Put(PathOf("p.lcc"), "second");
    EXPECT_EQ(Bytes(PathOf("p.lcc")), "second");
    EXPECT_NE(Inode(PathOf("p.lcc")), before) << "a new file took the old one's place";
}

// Renaming a new file over a link would put a regular file in its place.
TEST_F(ProjectFileTest, LinksAndDevicesAreWrittenWhereTheyAre)
{
    Put(PathOf("real.lcc"), std::string(100, 'x'));
    ASSERT_TRUE(QFile::link(PathOf("real.lcc"), PathOf("link.lcc")));
    Put(PathOf("link.lcc"), "short");
    EXPECT_TRUE(IsSymLink(PathOf("link.lcc")));
    EXPECT_EQ(Bytes(PathOf("real.lcc")), "short");

    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), PathOf("null.lcc")));
    Put(PathOf("null.lcc"), "gone");
    EXPECT_TRUE(IsSymLink(PathOf("null.lcc")));

    // A device that takes nothing: the failed write is reported.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), PathOf("full.lcc")));
    const Status full = WriteWholeFile(PathOf("full.lcc"), "data");
    EXPECT_FALSE(full);
    EXPECT_NE(full.Message().find(ToGbk(PathOf("full.lcc"))), std::string::npos);
    EXPECT_TRUE(IsSymLink(PathOf("full.lcc")));
}

// A teacher's folder: the pupil may write the pre-made file but create
// nothing beside it.
TEST_F(ProjectFileTest, FilesInAFolderTheUserCannotWriteAreWrittenInPlace)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("class")));
    const QString folder = PathOf("class");
    const QString path = PathOf("class/pupil.lcc");
    Put(path, std::string(100, 'o'));
    const ino_t before = Inode(path);
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);

    if (geteuid() == 0) {
        // Root may create files anywhere; the pupil is an ordinary user.
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
            _exit(WriteWholeFile(path, "new") ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    } else {
        EXPECT_TRUE(WriteWholeFile(path, "new"));
    }
    chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(Bytes(path), "new");
    EXPECT_EQ(Inode(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pupil.lcc")});
}

} // namespace
} // namespace talvex
