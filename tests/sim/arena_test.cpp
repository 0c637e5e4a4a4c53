#include "model/gbk.h"
#include "sim/arena.h"
#include "sim/arenafiles.h"
#include "sim/robotbody.h"
#include "sim/simconstants.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace talvex::sim {
namespace {

const char kHeader[] = "talvex-arena 1\nsize 1000 800\n";

TEST(ArenaTest, ReadsEveryKindOfLine)
{
    const Result<Arena> arena = ParseArena("# a comment line\n"
                                           "talvex-arena 1\r\n"
                                           "name " +
                                           Gbk("小场地") +
                                           "\r\n"
                                           "size 1000 800   # millimetres\n"
                                           "start 100 200 -90\n"
                                           "floor 250\n"
                                           "wall 0 0 1000 0\n"
                                           "wall 500 0 500 400 40\n"
                                           "box 700 600 650 500\n"
                                           "line 0 25 100 100 300 100 300 300\n"
                                           "rect 128 10 20 30 40\n"
                                           "disc 60 800 700 50\n"
                                           "arc 0 20 500 400 100 0 90\n");
    ASSERT_TRUE(arena) << arena.Message();
    EXPECT_EQ(arena->name, Gbk("小场地"));
    EXPECT_EQ(arena->width, 1000);
    EXPECT_EQ(arena->height, 800);
    EXPECT_EQ(arena->start.x, 100);
    EXPECT_EQ(arena->start.y, 200);
    EXPECT_EQ(arena->start.headingDeg, 270);
    EXPECT_EQ(arena->floorGrey, 250);
    ASSERT_EQ(arena->walls.size(), 2u);
    EXPECT_EQ(arena->walls[0].thickness, 20);
    EXPECT_EQ(arena->walls[1].thickness, 40);
    ASSERT_EQ(arena->obstacles.size(), 1u);
    EXPECT_EQ(arena->obstacles[0].min.x, 650);
    EXPECT_EQ(arena->obstacles[0].max.y, 600);
    ASSERT_EQ(arena->marks.size(), 4u);
    EXPECT_EQ(arena->marks[0].points.size(), 3u);
    // A quarter circle in 5-degree steps: 18 pieces.
    EXPECT_EQ(arena->marks[3].points.size(), 19u);
}

struct BadArena {
    const char* text;
    const char* message; // UTF-8
};

class ArenaErrorTest : public ::testing::TestWithParam<BadArena> {};

TEST_P(ArenaErrorTest, NamesTheFault)
{
    const Result<Arena> arena = ParseArena(GetParam().text);
    EXPECT_FALSE(arena);
    EXPECT_EQ(FromGbk(arena.Message()).toStdString(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArenaErrorTest,
    ::testing::Values(
        BadArena{"", "这不是场地文件: 文件是空的"},
        BadArena{"<?xml version=\"1.0\"?>\n", "这不是场地文件: 第一行应是“talvex-arena 1”"},
        BadArena{"talvex-arena 1\nstart 1 1 0\n", "场地文件缺少“size”行(场地的宽和高)"},
        BadArena{"talvex-arena 1\nsize 1000 800\nwal 0 0 1 1\n", "第3行: 不认识的关键字“wal”"},
        BadArena{"talvex-arena 1\nsize 1000 x\n", "第2行: “x”不是一个数"},
        BadArena{"talvex-arena 1\nsize 1000\n", "第2行: “size”需要2个数: 宽 高"},
        BadArena{"talvex-arena 1\nsize 10 800\n", "第2行: “size”的宽和高应在100到100000毫米之间"},
        BadArena{"talvex-arena 1\nsize 1000 800\nrect 300 0 0 10 10\n", "第3行: “rect”的灰度应是0到255的整数"},
        BadArena{"talvex-arena 1\nsize 1000 800\nline 0 10 5 5\n", "第3行: “line”需要灰度、宽度和至少两个点(x y)"},
        BadArena{"talvex-arena 1\nsize 1000 800\nwall 0 0 10 10 0\n", "第3行: “wall”的厚度应大于0"},
        BadArena{"talvex-arena 1\nsize 1000 800\nstart 1200 100 0\n", "机器人的起始位置(start)在场地外或在墙里"},
        BadArena{"talvex-arena 1\nsize 1000 800\nstart 100 100 0\nbox 50 50 150 150\n",
                 "机器人的起始位置(start)在场地外或在墙里"}));

TEST(ArenaTest, LaterFloorMarksPaintOverEarlierOnes)
{
    const Result<Arena> arena = ParseArena(std::string(kHeader) + "floor 255\n"
                                                                  "rect 100 0 0 500 500\n"
                                                                  "disc 30 250 250 50\n"
                                                                  "line 0 20 600 100 900 100\n");
    ASSERT_TRUE(arena) << arena.Message();
    EXPECT_EQ(FloorGreyAt(*arena, {700, 700}), 255);
    EXPECT_EQ(FloorGreyAt(*arena, {100, 100}), 100);
    EXPECT_EQ(FloorGreyAt(*arena, {260, 260}), 30);
    EXPECT_EQ(FloorGreyAt(*arena, {700, 109}), 0);
    EXPECT_EQ(FloorGreyAt(*arena, {700, 111}), 255);
    EXPECT_EQ(FloorGreyAt(*arena, {-1, 100}), 0);
}

TEST(ArenaTest, ArenaEdgesWallsAndBoxesStopADisc)
{
    const Result<Arena> arena = ParseArena(std::string(kHeader) + "wall 500 0 500 400 20\nbox 700 600 800 700\n");
    ASSERT_TRUE(arena) << arena.Message();
    EXPECT_FALSE(DiscHitsWall(*arena, {300, 300}, 50));
    EXPECT_TRUE(DiscHitsWall(*arena, {30, 300}, 50));   // the arena's edge
    EXPECT_TRUE(DiscHitsWall(*arena, {450, 300}, 50));  // 50 to the wall's middle line, 40 to its face
    EXPECT_FALSE(DiscHitsWall(*arena, {439, 300}, 50)); // 61 and 51
    EXPECT_TRUE(DiscHitsWall(*arena, {750, 560}, 50));  // below the box
    EXPECT_TRUE(DiscHitsWall(*arena, {750, 650}, 0));   // inside it
    EXPECT_FALSE(DiscHitsWall(*arena, {650, 550}, 50)); // off its corner: 70.7 away
}

TEST(ArenaFilesTest, ShippedArenasLoadByName)
{
    const std::vector<std::string> names = ShippedArenaNames();
    for (const char* name : {"room", "maze", "line"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
        const Result<Arena> arena = LoadArena(name);
        ASSERT_TRUE(arena) << name << ": " << FromGbk(arena.Message()).toStdString();
        EXPECT_FALSE(arena->name.empty());
        EXPECT_FALSE(DiscHitsWall(*arena, {arena->start.x, arena->start.y}, kBodyRadiusMm)) << name;
    }
}

TEST(ArenaFilesTest, AFilePathWinsAndUnknownNamesListTheShippedOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine.arena"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("talvex-arena 1\nsize 500 500\nstart 250 250 0\n");
    file.close();
    const Result<Arena> arena = LoadArena(path.toStdString());
    ASSERT_TRUE(arena) << arena.Message();
    EXPECT_EQ(arena->width, 500);

    const Result<Arena> unknown = LoadArena("no-such-arena");
    EXPECT_FALSE(unknown);
    const std::string message = FromGbk(unknown.Message()).toStdString();
    EXPECT_NE(message.find("找不到场地“no-such-arena”"), std::string::npos) << message;
    EXPECT_NE(message.find("room"), std::string::npos) << message;

    EXPECT_FALSE(LoadArena(dir.filePath(QStringLiteral("missing.arena")).toStdString()));
}

TEST(ArenaFilesTest, ABrokenFileNamesItselfAndTheLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.arena"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("talvex-arena 1\nsize 500 500\nwall 1 2 3\n");
    file.close();
    const Result<Arena> arena = ReadArenaFile(path.toStdString());
    EXPECT_FALSE(arena);
    const std::string message = FromGbk(arena.Message()).toStdString();
    EXPECT_NE(message.find("bad.arena"), std::string::npos) << message;
    EXPECT_NE(message.find("第3行: “wall”需要4个数"), std::string::npos) << message;
}

} // namespace
} // namespace talvex::sim
