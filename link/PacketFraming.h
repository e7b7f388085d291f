#pragma once

#include <QByteArray>
#include <cstdint>

// The unit's framing: FF FF FF 55, five header bytes, N, the Action, N - 1
// data bytes and a checksum over everything after the sync.
namespace Framing {
inline constexpr uint8_t SyncByte = 0xFF;
inline constexpr uint8_t StartByte = 0x55;
inline constexpr int HeaderLength = 11; // sync to Action; a packet is N + 11 bytes
inline constexpr int BytesBeforeN = 12; // N is read once this much is buffered from the sync
inline constexpr int LargestN = 244;
inline constexpr int AccumulatorLimit = 32768;
inline constexpr uint8_t ActionCodeRead = 0x20;
inline constexpr uint8_t ActionDoorStatus = 0x40;
}

// Where the first packet whose checksum holds stands in the received bytes,
// and how many bytes in front can go.
struct FrameScan {
    enum Kind {
        Packet,  // at start, length bytes (N + 11); the bytes up to its end can go
        Waiting, // no such packet yet; the bytes before `drop` can never be part of one
        TooLong  // a sync at a frame's start announces N above 244: an overflow; that sync's
                 // first byte and what stands before it go (`drop`), the bytes behind it stay
    };
    Kind kind = Waiting;
    qsizetype drop = 0;
    qsizetype start = 0;
    qsizetype length = 0;
};

// Bytes that cannot begin a sync are not worth keeping: only the frame that
// is still coming in and a trailing run of at most three 0xFF (a sync split
// between two reads) wait for more. A frame whose checksum fails loses only
// its first sync byte, so that a packet inside or behind it is still found;
// a frame still coming in gives way in the same manner once a good packet
// stands complete behind its sync. A sync inside such a false frame is noise
// whatever N it announces, so it costs no read behind it; what waits inside
// one keeps the false frame, so that the next read still knows it. A false
// header of N above 244 elsewhere is told (TooLong) and loses only its first
// sync byte, so that a read it cut into is still found behind it.
FrameScan ScanFrames(const char* bytes, qsizetype size);

// Cuts the first packet out of the receive accumulator: true with a packet
// whose checksum holds, false (and `packet` empty) when none is complete.
// The buffer loses the packet and what stood before it, or, without a
// packet, whatever can never be part of one. A sync followed by an N above
// 244, other than one inside a false frame, loses its first byte (with what
// stood before it) and throws overflow (6); the bytes behind it stay.
bool ExtractPacket(QByteArray& buffer, QByteArray& packet);

// The sum of the bytes after the sync up to the last one, modulo 256, equals
// the last byte. False for an empty packet.
bool VerifyChecksum(const QByteArray& packet);
