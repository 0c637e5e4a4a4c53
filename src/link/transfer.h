#pragma once

#include "link/bytelink.h"
#include "link/packet.h"

#include <cstdint>
#include <functional>
#include <string>

namespace talvex {

// Outcome of one packet exchange.
enum class PacketResult {
    kAccepted,   // sent packet acknowledged with 0x5A / received packet checked good
    kRejected,   // any other acknowledgement / received packet with a bad sum or XOR
    kLinkFailed, // a byte could not be sent or did not arrive in time: the transfer ends
};

PacketResult SendPacket(ByteLink& link, const uint8_t* data, uint8_t lengthByte);

// Reads one packet into buffer (room for 256 bytes) and stores the number of
// data bytes in count; acknowledges it with 0x5A or 0xA5.
PacketResult ReceivePacket(ByteLink& link, uint8_t* buffer, int& count);

// Up to 11 attempts; kRejected only when every attempt was rejected.
PacketResult SendPacketRetry(ByteLink& link, const uint8_t* data, uint8_t lengthByte);
PacketResult ReceivePacketRetry(ByteLink& link, uint8_t* buffer, int& count);

struct TransferHooks {
    // After each accepted data packet, and once with sent = 0 when the data
    // starts: data packets sent and their total.
    std::function<void(int sent, int total)> progress;
    // The pause after a data packet; returns false when the transfer is to
    // stop. Without it the pause is a plain sleep.
    std::function<bool(int milliseconds)> pause;
};

// The whole robot sequence: command packet, first reply, header, granting
// second reply, data packets. True only when every data packet was accepted.
// More than kMaxTransferBytes bytes cannot be announced and fail before
// anything is sent.
bool RunTransfer(ByteLink& link, const std::string& data, const TransferHooks& hooks = {});

} // namespace talvex
