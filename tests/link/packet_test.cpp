#include "link/packet.h"

#include <gtest/gtest.h>

#include <string>

using namespace talvex;

namespace {

std::string Hex(const std::string& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

struct FramingCase {
    const char* name;
    std::string data;
    const char* line;
};

TEST(PacketFraming, EncodesLengthDataSumAndXor)
{
    std::string header100 = "48 64 00";
    for (int k = 2; k < 72; ++k) {
        char part[4];
        std::snprintf(part, sizeof part, "%02X", k);
        header100 += std::string(" ") + part;
    }
    header100 += " 5F 0A 65";

    const FramingCase cases[] = {
        {"command", CommandBlock(), "07 00 54 43 E8 03 00 FA 7C 02 06"},
        {"abc", "abc", "03 61 62 63 26 01 60"},
        {"zero byte", std::string(1, '\0'), "01 00 00 00 00"},
        {"sum carries into high byte", std::string("\xFF\xFF", 2), "02 FF FF FE 01 00"},
        {"header for 100", HeaderBlock(100), header100.c_str()},
    };
    for (const FramingCase& c : cases)
        EXPECT_EQ(Hex(EncodePacket(c.data)), c.line) << c.name;
}

TEST(PacketFraming, LengthByteZeroCoversAll256Bytes)
{
    std::string data;
    for (int i = 0; i < 256; ++i)
        data.push_back(static_cast<char>(i));
    const std::string packet = EncodePacket(data);
    ASSERT_EQ(packet.size(), 260u);
    EXPECT_EQ(static_cast<unsigned char>(packet[0]), 0);
    EXPECT_EQ(packet.substr(1, 256), data);
    // 0 + 1 + ... + 255 = 32640 = 0x7F80; the XOR of all byte values is 0.
    EXPECT_EQ(Hex(packet.substr(257)), "80 7F 00");

    const Checksum check = PacketChecksum(reinterpret_cast<const uint8_t*>(data.data()), 0);
    EXPECT_EQ(check.sum, 0x7F80);
    EXPECT_EQ(check.xorValue, 0);
}

TEST(PacketFraming, SumWrapsAt16Bits)
{
    const std::string data(256, '\xFF'); // 256 * 255 = 65280, still below 65536
    EXPECT_EQ(PacketChecksum(reinterpret_cast<const uint8_t*>(data.data()), 0).sum, 65280);
    std::string more(256, '\xFF');
    more[0] = '\x00';
    more[1] = '\x00';
    EXPECT_EQ(PacketChecksum(reinterpret_cast<const uint8_t*>(more.data()), 0).sum, 65280 - 510);
}

TEST(HeaderBlock, CarriesLow16BitsOfCountThenIndexBytes)
{
    struct Case {
        int count;
        unsigned char low;
        unsigned char high;
    };
    const Case cases[] = {{0, 0x00, 0x00}, {64, 0x40, 0x00}, {300, 0x2C, 0x01}, {65535, 0xFF, 0xFF}};
    for (const Case& c : cases) {
        const std::string block = HeaderBlock(c.count);
        ASSERT_EQ(block.size(), 72u);
        EXPECT_EQ(static_cast<unsigned char>(block[0]), c.low) << c.count;
        EXPECT_EQ(static_cast<unsigned char>(block[1]), c.high) << c.count;
        for (int k = 2; k < 72; ++k)
            EXPECT_EQ(static_cast<unsigned char>(block[static_cast<size_t>(k)]), k);
    }
}

TEST(DataPackets, CountIsCeilingOfSizeOver64)
{
    const int sizes[][2] = {{0, 0}, {1, 1}, {64, 1}, {65, 2}, {128, 2}, {129, 3}, {8000, 125}, {65535, 1024}};
    for (const auto& s : sizes)
        EXPECT_EQ(DataPacketCount(s[0]), s[1]) << s[0];
}

} // namespace
