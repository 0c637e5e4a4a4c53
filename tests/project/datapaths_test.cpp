#include "project/datapaths.h"
#include "project/phraselist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace talvex;

namespace {

// Writes bytes to folder/relativePath, making the folders on the way; the
// cleaned path, or empty when it could not be written.
std::string Place(const QTemporaryDir& root, const QString& folder, const QString& relativePath,
                  const QByteArray& bytes)
{
    const QString path = QDir(root.filePath(folder)).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return std::string();
    return QDir::cleanPath(path).toStdString();
}

} // namespace

TEST(DataPathsTest, ExecutableFolderFirstThenTheInstalledShareFolder)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const std::vector<std::string> folders = DataFolders();
    ASSERT_GE(folders.size(), 2u);
    EXPECT_EQ(folders[0], QDir::cleanPath(exeDir).toStdString());
    EXPECT_EQ(folders[1], QDir::cleanPath(exeDir + QStringLiteral("/../share/talvex")).toStdString());
    for (size_t i = 0; i < folders.size(); ++i) {
        for (size_t j = i + 1; j < folders.size(); ++j)
            EXPECT_NE(folders[i], folders[j]);
    }
}

TEST(DataPathsTest, FirstFolderHoldingTheFileWins)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const std::vector<std::string> folders = {root.filePath("bin").toStdString(),
                                              root.filePath("share/talvex").toStdString()};
    const QString name = QStringLiteral("arenas/maze.arena");
    EXPECT_EQ(FindDataFile(name.toStdString(), folders), "");
    const std::string shared = Place(root, "share/talvex", name, "shared");
    ASSERT_FALSE(shared.empty());
    EXPECT_EQ(FindDataFile(name.toStdString(), folders), shared);
    const std::string beside = Place(root, "bin", name, "beside");
    ASSERT_FALSE(beside.empty());
    EXPECT_EQ(FindDataFile(name.toStdString(), folders), beside);
    // A folder of that name is not a file.
    QDir().mkpath(root.filePath("bin/arenas/folder.arena"));
    EXPECT_EQ(FindDataFile("arenas/folder.arena", folders), "");
}

TEST(DataPathsTest, PhraseListBesideTheProgramThenTheShippedOneThenNumbers)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const std::vector<std::string> folders = {root.filePath("bin").toStdString(),
                                              root.filePath("share/talvex").toStdString()};
    const QString name = QLatin1String(kPhraseListFileName);
    EXPECT_EQ(LoadPhraseList(folders), NumberedPhraseList());
    ASSERT_FALSE(Place(root, "share/talvex", name, "shipped\r\nlist\r\n").empty());
    EXPECT_EQ(LoadPhraseList(folders), (std::vector<std::string>{"shipped", "list"}));
    ASSERT_FALSE(Place(root, "bin", name, "own\r\n").empty());
    EXPECT_EQ(LoadPhraseList(folders), (std::vector<std::string>{"own"}));
}
