#include "link/downloadprep.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace talvex;

namespace {

using Lines = std::vector<std::string>;

std::string ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

void WriteAll(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TEST(SplitLines, BreaksAtCrLfLoneLfAndLoneCr)
{
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},   // LF then a lone CR: two breaks
        {"a\r\r\n", {"a", ""}}, // lone CR, then CR LF
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << '"' << c.text << '"';
}

TEST(StripComments, CleansEachLineAsTabled)
{
    struct Case {
        const char* name;
        std::string source;
        std::string prepared;
    };
    const std::string gbkComment = "fd(20);/*\xC7\xB0\xBD\xF8*/"; // "前进" in GBK
    const Case cases[] = {
        {"start and end", "start\r\nend", "start\r\nend\r\n"},
        {"comment from column 1 drops the line", "start\r\n/* note */\r\nend\r\n", "start\r\nend\r\n"},
        {"blanks before the comment go", "fd(20);   /* forward */", "fd(20);\r\n"},
        {"code after a closed comment goes too", "fd(20);/* a */bk(5);", "fd(20);\r\n"},
        {"comment start inside quotes cuts", "say(\"a/*b\");", "say(\"a\r\n"},
        {"a comment does not reach the next line", "a/*\r\nb */ c", "a\r\nb */ c\r\n"},
        {"leading blanks stay, trailing tabs go", "  {\t\t\r\n\tfd(1);\t", "  {\r\n\tfd(1);\r\n"},
        {"control characters count as blanks", std::string("x\x01\x1F \x7F", 5), "x\x01\x1F \x7F\r\n"},
        {"only comments and blanks", "/* a */\r\n   \r\n\t\r\n", ""},
        {"mixed line ends", "a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
        {"GBK bytes pass unchanged", gbkComment + "\r\n\xC7\xB0", "fd(20);\r\n\xC7\xB0\r\n"},
        {"empty file", "", ""},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = dir.filePath("source");
    const QString target = dir.filePath("target");
    for (const Case& c : cases) {
        WriteAll(source, c.source);
        WriteAll(target, "old content");
        const Status status = StripComments(source, target);
        EXPECT_TRUE(status) << c.name << ": " << status.Message();
        EXPECT_EQ(ReadAll(target), c.prepared) << c.name;
    }
}

TEST(StripComments, StartAndEndMakeTwelveBytes)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source");
    const QString target = dir.filePath("target");
    ASSERT_TRUE(WriteLines(source, {"start", "end"}));
    ASSERT_TRUE(StripComments(source, target));
    EXPECT_EQ(ReadAll(target), std::string("start\r\nend\r\n"));
    EXPECT_EQ(QFileInfo(target).size(), 12);
}

TEST(StripComments, MissingSourceLeavesTargetAlone)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("target");
    WriteAll(target, "kept");
    EXPECT_TRUE(StripComments(dir.filePath("nothing here"), target));
    EXPECT_EQ(ReadAll(target), "kept");
}

TEST(MakeTempFileName, CreatesNewEmptyQzrFileInTempFolder)
{
    const Result<QString> first = MakeTempFileName();
    const Result<QString> second = MakeTempFileName();
    ASSERT_TRUE(first) << first.Message();
    ASSERT_TRUE(second) << second.Message();
    EXPECT_NE(*first, *second);
    for (const QString& path : {*first, *second}) {
        const QFileInfo info(path);
        EXPECT_TRUE(info.exists());
        EXPECT_EQ(info.size(), 0);
        EXPECT_TRUE(info.fileName().startsWith("qzr")) << info.fileName().toStdString();
        EXPECT_EQ(QDir(info.absolutePath()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
        QFile::remove(path);
    }
}

QStringList TempQzrFiles()
{
    QStringList paths;
    for (const QString& name : QDir(QDir::tempPath()).entryList({"qzr*"}, QDir::Files))
        paths << QDir(QDir::tempPath()).filePath(name);
    return paths;
}

TEST(DownloadPreparation, HandsOverCleanedFileAndRemovesBoth)
{
    const QStringList before = TempQzrFiles();
    QStringList seenPaths;
    QStringList created;
    std::string seenBytes;
    const Lines text{"qzrobot", "start", "fd(20); /* go */", "", "end"};
    const Status status = RunDownloadPreparation(text, [&](const QString& path) {
        seenPaths << path;
        seenBytes = ReadAll(path);
        for (const QString& file : TempQzrFiles()) {
            if (!before.contains(file))
                created << file;
        }
    });
    EXPECT_TRUE(status) << status.Message();
    ASSERT_EQ(seenPaths.size(), 1);
    EXPECT_EQ(seenBytes, "qzrobot\r\nstart\r\nfd(20);\r\nend\r\n");
    // The raw copy and the cleaned one, both gone afterwards.
    EXPECT_EQ(created.size(), 2);
    EXPECT_TRUE(created.contains(QFileInfo(seenPaths.first()).absoluteFilePath()));
    for (const QString& file : created)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
}

TEST(DownloadPreparation, NoLinesDoesNothing)
{
    int calls = 0;
    EXPECT_TRUE(RunDownloadPreparation({}, [&](const QString&) { ++calls; }));
    EXPECT_EQ(calls, 0);
}

TEST(DownloadPreparation, AllCommentsGiveEmptyPreparedFile)
{
    qint64 size = -1;
    EXPECT_TRUE(
        RunDownloadPreparation({"/* only */", "   "}, [&](const QString& path) { size = QFileInfo(path).size(); }));
    EXPECT_EQ(size, 0);
}

} // namespace
