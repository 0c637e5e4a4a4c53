#include "project/phraselist.h"

#include <QTemporaryDir>

#include <fstream>

#include <gtest/gtest.h>

using namespace talvex;

namespace {

std::string WriteFile(const QTemporaryDir& dir, const std::string& bytes)
{
    const std::string path = dir.filePath("qzvoc.txt").toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(PhraseListTest, LinesAfterEveryKindOfBreak)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        {"a\nb\nc", {"a", "b", "c"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}}, // a blank line still counts as a phrase
        {"\n", {""}},
        {"", {}},
        {"\xC4\xE3\xBA\xC3(*)\r\n1", {"\xC4\xE3\xBA\xC3(*)", "1"}}, // GBK bytes kept as they are
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const Case& c : cases) {
        bool found = false;
        EXPECT_EQ(ReadPhraseList(WriteFile(dir, c.bytes), &found), c.lines);
        EXPECT_TRUE(found);
    }
}

TEST(PhraseListTest, MissingFileGivesTheNumbers)
{
    QTemporaryDir dir;
    bool found = true;
    EXPECT_TRUE(ReadPhraseList(dir.filePath("qzvoc.txt").toStdString(), &found).empty());
    EXPECT_FALSE(found);
    const std::vector<std::string> numbers = NumberedPhraseList();
    ASSERT_EQ(numbers.size(), 128u);
    EXPECT_EQ(numbers.front(), "0");
    EXPECT_EQ(numbers.back(), "127");
}
