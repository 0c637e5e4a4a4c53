#include "link/packet.h"

namespace talvex {

Checksum PacketChecksum(const uint8_t* data, uint8_t lengthByte)
{
    Checksum result;
    const int n = PacketDataSize(lengthByte);
    for (int i = 0; i < n; ++i) {
        result.sum = static_cast<uint16_t>(result.sum + data[i]);
        result.xorValue = static_cast<uint8_t>(result.xorValue ^ data[i]);
    }
    return result;
}

std::string EncodePacket(const uint8_t* data, uint8_t lengthByte)
{
    const int n = PacketDataSize(lengthByte);
    const Checksum check = PacketChecksum(data, lengthByte);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(n) + 4);
    bytes.push_back(static_cast<char>(lengthByte));
    bytes.append(reinterpret_cast<const char*>(data), static_cast<size_t>(n));
    bytes.push_back(static_cast<char>(check.sum & 0xFF));
    bytes.push_back(static_cast<char>(check.sum >> 8));
    bytes.push_back(static_cast<char>(check.xorValue));
    return bytes;
}

std::string EncodePacket(const std::string& data)
{
    return EncodePacket(reinterpret_cast<const uint8_t*>(data.data()), static_cast<uint8_t>(data.size() & 0xFF));
}

const std::string& CommandBlock()
{
    static const std::string block("\x00\x54\x43\xE8\x03\x00\xFA", 7);
    return block;
}

std::string HeaderBlock(int byteCount)
{
    std::string block(kHeaderBlockSize, '\0');
    block[0] = static_cast<char>(byteCount & 0xFF);
    block[1] = static_cast<char>((byteCount >> 8) & 0xFF);
    for (int k = 2; k < kHeaderBlockSize; ++k)
        block[static_cast<size_t>(k)] = static_cast<char>(k);
    return block;
}

} // namespace talvex
