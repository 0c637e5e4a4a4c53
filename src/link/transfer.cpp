#include "link/transfer.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace talvex {

PacketResult SendPacket(ByteLink& link, const uint8_t* data, uint8_t lengthByte)
{
    const int n = PacketDataSize(lengthByte);
    const Checksum check = PacketChecksum(data, lengthByte);
    if (!link.SendByte(lengthByte))
        return PacketResult::kLinkFailed;
    for (int i = 0; i < n; ++i) {
        if (!link.SendByte(data[i]))
            return PacketResult::kLinkFailed;
    }
    if (!link.SendByte(static_cast<uint8_t>(check.sum & 0xFF)) ||
        !link.SendByte(static_cast<uint8_t>(check.sum >> 8)) || !link.SendByte(check.xorValue))
        return PacketResult::kLinkFailed;
    uint8_t answer = 0;
    if (!link.ReceiveByte(answer))
        return PacketResult::kLinkFailed;
    return answer == kAcceptByte ? PacketResult::kAccepted : PacketResult::kRejected;
}

PacketResult ReceivePacket(ByteLink& link, uint8_t* buffer, int& count)
{
    uint8_t lengthByte = 0;
    if (!link.ReceiveByte(lengthByte))
        return PacketResult::kLinkFailed;
    const int n = PacketDataSize(lengthByte);
    for (int i = 0; i < n; ++i) {
        if (!link.ReceiveByte(buffer[i]))
            return PacketResult::kLinkFailed;
    }
    uint8_t sumLow = 0;
    uint8_t sumHigh = 0;
    uint8_t xorValue = 0;
    if (!link.ReceiveByte(sumLow) || !link.ReceiveByte(sumHigh) || !link.ReceiveByte(xorValue))
        return PacketResult::kLinkFailed;
    count = n;
    const Checksum check = PacketChecksum(buffer, lengthByte);
    const bool good = check.sum == sumLow + 256 * sumHigh && check.xorValue == xorValue;
    if (!link.SendByte(good ? kAcceptByte : kRejectByte))
        return PacketResult::kLinkFailed;
    return good ? PacketResult::kAccepted : PacketResult::kRejected;
}

PacketResult SendPacketRetry(ByteLink& link, const uint8_t* data, uint8_t lengthByte)
{
    for (int attempt = 0; attempt < kAttemptsPerExchange; ++attempt) {
        const PacketResult result = SendPacket(link, data, lengthByte);
        if (result != PacketResult::kRejected)
            return result;
    }
    return PacketResult::kRejected;
}

PacketResult ReceivePacketRetry(ByteLink& link, uint8_t* buffer, int& count)
{
    for (int attempt = 0; attempt < kAttemptsPerExchange; ++attempt) {
        const PacketResult result = ReceivePacket(link, buffer, count);
        if (result != PacketResult::kRejected)
            return result;
    }
    return PacketResult::kRejected;
}

namespace {

const uint8_t* Bytes(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

bool Pause(const TransferHooks& hooks, int milliseconds)
{
    if (hooks.pause)
        return hooks.pause(milliseconds);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return true;
}

} // namespace

bool RunTransfer(ByteLink& link, const std::string& data, const TransferHooks& hooks)
{
    if (data.size() > static_cast<size_t>(kMaxTransferBytes))
        return false;
    const int size = static_cast<int>(data.size());

    uint8_t reply[kMaxPacketData] = {};
    int replySize = 0;
    if (SendPacketRetry(link, Bytes(CommandBlock()), static_cast<uint8_t>(CommandBlock().size())) !=
        PacketResult::kAccepted)
        return false;
    if (ReceivePacketRetry(link, reply, replySize) != PacketResult::kAccepted)
        return false;

    const std::string header = HeaderBlock(size);
    if (SendPacketRetry(link, Bytes(header), static_cast<uint8_t>(header.size())) != PacketResult::kAccepted)
        return false;
    // The grant overwrites the first reply; only bytes this packet carried count.
    replySize = 0;
    if (ReceivePacketRetry(link, reply, replySize) != PacketResult::kAccepted)
        return false;
    if (replySize < 2 || reply[0] != kGrantByte || reply[1] != kGrantByte)
        return false;

    const int packets = DataPacketCount(size);
    if (hooks.progress)
        hooks.progress(0, packets);
    for (int k = 0; k < packets; ++k) {
        const int offset = k * kDataBytesPerPacket;
        const int length = std::min(kDataBytesPerPacket, size - offset);
        if (SendPacketRetry(link, Bytes(data) + offset, static_cast<uint8_t>(length)) != PacketResult::kAccepted)
            return false;
        if (hooks.progress)
            hooks.progress(k + 1, packets);
        if (!Pause(hooks, kPauseAfterDataPacketMs))
            return false;
    }
    return true;
}

} // namespace talvex
