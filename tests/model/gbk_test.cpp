#include "model/gbk.h"

#include <gtest/gtest.h>

#include <random>

namespace talvex {
namespace {

std::string Byte(int b)
{
    return std::string(1, static_cast<char>(b));
}

TEST(GbkTest, EverySingleByteComesBack)
{
    for (int b = 0; b <= 0xFF; ++b) {
        EXPECT_EQ(ToGbk(FromGbk(Byte(b))), Byte(b)) << b;
        EXPECT_EQ(ToGbk(FromGbkField(Byte(b))), Byte(b)) << b;
        // In the middle of text, too, where a lone lead byte meets ASCII.
        const std::string inText = "a" + Byte(b) + "b";
        EXPECT_EQ(ToGbk(FromGbk(inText)), inText) << b;
    }
}

TEST(GbkTest, BytesOutsideCharactersAreShownAsRawByteCharacters)
{
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"\x81", QString(RawByteChar(0x81))},
        {"\xFF", QString(RawByteChar(0xFF))},
        {"\x81"
         "0",
         QString(RawByteChar(0x81)) + QLatin1Char('0')}, // 0x30 is no trail byte
        {"\x8D", QString(RawByteChar(0x8D))},            // what "ddr" 44 gives
        {Gbk(u8"前进") + "\xFE", QString::fromUtf8(u8"前进") + RawByteChar(0xFE)},
        {"ab\r\n", QStringLiteral("ab\r\n")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromGbk(c.bytes), c.shown);
        EXPECT_EQ(ToGbk(c.shown), c.bytes);
    }
    EXPECT_EQ(FromGbkField("a\rb\nc\td"),
              QLatin1Char('a') + RawByteChar('\r') + QLatin1Char('b') + RawByteChar('\n') + QStringLiteral("c\td"));
    for (int b = 0; b <= 0xFF; ++b)
        EXPECT_EQ(RawByteOf(RawByteChar(static_cast<unsigned char>(b))), b);
    EXPECT_EQ(RawByteOf(QLatin1Char('a')), -1);
}

TEST(GbkTest, EveryTwoByteSequenceComesBack)
{
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        std::string bytes;
        for (int trail = 0; trail <= 0xFF; ++trail)
            bytes += Byte(lead) + Byte(trail);
        EXPECT_EQ(ToGbk(FromGbk(bytes)), bytes) << lead;
    }
}

TEST(GbkTest, ChineseTextIsDecodedAsCharacters)
{
    const QString text = QString::fromUtf8(u8"子程序开始:前进 表达式");
    EXPECT_EQ(FromGbk(ToGbk(text)), text);
    EXPECT_EQ(ToGbk(text).size(), 2u * 10u + 2u);
    for (QChar c : FromGbk(ToGbk(text)))
        EXPECT_EQ(RawByteOf(c), -1);
}

TEST(GbkTest, RandomByteStringsComeBack)
{
    std::mt19937 random(936u);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 64, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        ASSERT_EQ(ToGbk(FromGbk(bytes)), bytes) << round;
        ASSERT_EQ(ToGbk(FromGbkField(bytes)), bytes) << round;
    }
}

} // namespace
} // namespace talvex
