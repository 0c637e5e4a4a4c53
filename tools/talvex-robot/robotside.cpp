#include "robotside.h"

#include "link/packet.h"

namespace talvex::robot {

RobotSide::RobotSide(PtyLine& line, const Options& options) : m_line(line), m_options(options) {}

RobotSide::Packet RobotSide::ReceivePacket(int index, std::vector<uint8_t>& data)
{
    for (;;) {
        uint8_t lengthByte = 0;
        if (m_line.ReadByte(lengthByte) != PtyLine::Read::kByte)
            return Packet::kClosed;
        const int n = PacketDataSize(lengthByte);
        data.assign(static_cast<size_t>(n), 0);
        uint8_t check[3] = {};
        for (int i = 0; i < n + 3; ++i) {
            uint8_t& target = i < n ? data[static_cast<size_t>(i)] : check[i - n];
            if (m_line.ReadByte(target, -1, static_cast<size_t>(n + 3 - i)) != PtyLine::Read::kByte)
                return Packet::kClosed;
        }
        const Checksum sum = PacketChecksum(data.data(), lengthByte);
        if (sum.sum != check[0] + 256 * check[1] || sum.xorValue != check[2]) {
            if (!m_line.Write(std::string(1, static_cast<char>(kRejectByte))))
                return Packet::kClosed;
            continue;
        }
        if (index == m_options.closeAfter) {
            m_line.Close();
            return Packet::kClosed;
        }
        if (index == m_options.silentAfter)
            return Packet::kSilent;
        bool rejected = false;
        for (Rejection& rejection : m_options.rejections) {
            if (rejection.packet == index && rejection.times > 0) {
                --rejection.times;
                if (!m_line.Write(std::string(1, static_cast<char>(rejection.byte))))
                    return Packet::kClosed;
                rejected = true;
                break;
            }
        }
        if (rejected)
            continue;
        if (!m_line.Write(std::string(1, static_cast<char>(kAcceptByte))))
            return Packet::kClosed;
        return Packet::kGood;
    }
}

bool RobotSide::SendReply(int reply, const std::vector<uint8_t>& data)
{
    for (int attempt = 0; attempt < kAttemptsPerExchange; ++attempt) {
        std::string packet = EncodePacket(data.data(), static_cast<uint8_t>(data.size() & 0xFF));
        for (CorruptReply& corruption : m_options.corruptions) {
            if (corruption.reply == reply && corruption.times > 0) {
                --corruption.times;
                packet[1 + data.size()] = static_cast<char>(packet[1 + data.size()] ^ 0x01);
                break;
            }
        }
        if (!m_line.Write(packet))
            return false;
        uint8_t answer = 0;
        if (m_line.ReadByte(answer) != PtyLine::Read::kByte)
            return false;
        if (answer == kAcceptByte)
            return true;
    }
    return false;
}

RobotSide::Outcome RobotSide::GoSilent()
{
    // Keep taking (and logging) whatever comes, answering nothing.
    uint8_t ignored = 0;
    while (m_line.ReadByte(ignored) == PtyLine::Read::kByte) {
    }
    return Outcome::kClosed;
}

RobotSide::Outcome RobotSide::ServeTransfer(std::string& program)
{
    program.clear();
    std::vector<uint8_t> packet;
    int index = 0;
    auto receive = [&]() {
        const Packet got = ReceivePacket(index++, packet);
        return got;
    };

    Packet got = receive(); // command
    if (got != Packet::kGood)
        return got == Packet::kSilent ? GoSilent() : Outcome::kClosed;
    if (!SendReply(0, m_options.firstReply))
        return Outcome::kFailed;

    got = receive(); // header
    if (got != Packet::kGood)
        return got == Packet::kSilent ? GoSilent() : Outcome::kClosed;
    const int size = packet.size() >= 2 ? packet[0] + 256 * packet[1] : 0;

    std::vector<uint8_t> grant{kGrantByte, kGrantByte};
    if (m_options.refuseGrant)
        grant = {kGrantByte, 0x55};
    else if (m_options.shortGrant)
        grant = {kGrantByte};
    if (!SendReply(1, grant))
        return Outcome::kFailed;
    if (m_options.refuseGrant || m_options.shortGrant)
        return Outcome::kRefused;

    for (int k = 0; k < DataPacketCount(size); ++k) {
        got = receive();
        if (got != Packet::kGood)
            return got == Packet::kSilent ? GoSilent() : Outcome::kClosed;
        program.append(reinterpret_cast<const char*>(packet.data()), packet.size());
    }
    return Outcome::kReceived;
}

} // namespace talvex::robot
