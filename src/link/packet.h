#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace talvex {

// A packet on the robot line: length byte L (0 stands for 256 data bytes),
// the data, the 16-bit sum of the data (low byte first) and their XOR.
struct Checksum {
    uint16_t sum = 0;
    uint8_t xorValue = 0;
};

constexpr uint8_t kAcceptByte = 0x5A;
constexpr uint8_t kRejectByte = 0xA5;
constexpr uint8_t kGrantByte = 0xAA;
constexpr int kAttemptsPerExchange = 11;
constexpr int kDataBytesPerPacket = 64;
constexpr int kPauseAfterDataPacketMs = 50;
constexpr int kHeaderBlockSize = 72;
constexpr int kMaxPacketData = 256;
// The header carries the byte count in 16 bits; anything larger cannot be
// announced to the robot.
constexpr int kMaxTransferBytes = 65535;

// Number of data bytes a length byte stands for.
inline int PacketDataSize(uint8_t lengthByte)
{
    return lengthByte == 0 ? kMaxPacketData : lengthByte;
}

// Sum and XOR over PacketDataSize(L) bytes of data.
Checksum PacketChecksum(const uint8_t* data, uint8_t lengthByte);

// The bytes of one packet as they go on the line.
std::string EncodePacket(const uint8_t* data, uint8_t lengthByte);
std::string EncodePacket(const std::string& data); // 1 to 256 bytes

// The fixed 7 data bytes of the command packet that opens every transfer.
const std::string& CommandBlock();

// The 72 data bytes of the header packet announcing a transfer of byteCount bytes.
std::string HeaderBlock(int byteCount);

// Number of data packets for byteCount bytes.
inline int DataPacketCount(int byteCount)
{
    return (byteCount + kDataBytesPerPacket - 1) / kDataBytesPerPacket;
}

} // namespace talvex
