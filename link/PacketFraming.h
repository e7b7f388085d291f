#pragma once

#include <QByteArray>
#include <cstdint>

// The unit's framing: FF FF FF 55, five header bytes, N, the Action, N - 1
// data bytes and a checksum over everything after the sync.
namespace Framing {
inline constexpr uint8_t SyncByte = 0xFF;
inline constexpr uint8_t StartByte = 0x55;
inline constexpr int HeaderLength = 11;        // sync to Action; a packet is N + 11 bytes
inline constexpr int BytesBeforeN = 12;        // N is read once this much is buffered from the sync
inline constexpr int LargestN = 244;
inline constexpr int AccumulatorLimit = 32768;
inline constexpr uint8_t ActionCodeRead = 0x20;
inline constexpr uint8_t ActionDoorStatus = 0x40;
}

// Cuts the first packet out of the receive accumulator. True with a packet
// whose checksum holds; false otherwise, with `packet` empty. The buffer loses
// what was consumed: a packet (good or bad) and whatever stood before it, or
// the first byte of a run of more than three 0xFF. An incomplete packet stays.
// A sync followed by an N above 244 empties the buffer and throws overflow (6).
bool ExtractPacket(QByteArray& buffer, QByteArray& packet);

// The sum of the bytes after the sync up to the last one, modulo 256, equals
// the last byte. False for an empty packet.
bool VerifyChecksum(const QByteArray& packet);
