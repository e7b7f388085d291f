#include "link/PacketFraming.h"

#include "platform/AppError.h"

#include <algorithm>
#include <cstring>

namespace {

uint8_t at(const char* bytes, qsizetype i)
{
    return static_cast<uint8_t>(bytes[i]);
}

// The first FF FF FF 55 from `from` on: the start byte is rare in noise and
// comes once a packet, so it is looked for first.
qsizetype findSync(const char* bytes, qsizetype size, qsizetype from)
{
    for (qsizetype i = from + 3; i < size;) {
        const void* hit = std::memchr(bytes + i, Framing::StartByte, static_cast<size_t>(size - i));
        if (!hit)
            return -1;
        const qsizetype p = static_cast<const char*>(hit) - bytes;
        if (at(bytes, p - 1) == Framing::SyncByte && at(bytes, p - 2) == Framing::SyncByte &&
            at(bytes, p - 3) == Framing::SyncByte)
            return p - 3;
        i = p + 1;
    }
    return -1;
}

bool checksumHolds(const char* packet, qsizetype length)
{
    unsigned sum = 0;
    for (qsizetype i = 4; i <= length - 2; ++i)
        sum += at(packet, i);
    return (sum & 0xFFu) == at(packet, length - 1);
}

qsizetype lengthAt(const char* bytes, qsizetype sync)
{
    return at(bytes, sync + 9) + Framing::HeaderLength;
}

// Whether a packet whose checksum holds stands complete somewhere behind the sync at s.
bool goodPacketBehind(const char* bytes, qsizetype size, qsizetype s)
{
    for (qsizetype q = findSync(bytes, size, s + 1); q >= 0; q = findSync(bytes, size, q + 1)) {
        if (size - q < Framing::BytesBeforeN || at(bytes, q + 9) > Framing::LargestN)
            continue;
        const qsizetype length = lengthAt(bytes, q);
        if (q + length <= size && checksumHolds(bytes + q, length))
            return true;
    }
    return false;
}

}

FrameScan ScanFrames(const char* bytes, qsizetype size)
{
    FrameScan scan;
    // Once a good packet is known to stand behind, every frame still coming in
    // before it is a false one: it would have to hold that packet.
    bool goodBehind = false;
    // The run of frames known to be false: a sync inside it is noise, whatever
    // length it announces.
    qsizetype falseFrom = 0;
    qsizetype falseUntil = 0;
    const auto waitAt = [&](qsizetype p) {
        scan.drop = p < falseUntil ? falseFrom : p;
        return scan;
    };
    const auto falseFrame = [&](qsizetype s, qsizetype end) {
        if (s >= falseUntil)
            falseFrom = s;
        falseUntil = std::max(falseUntil, end);
    };
    qsizetype from = 0;
    for (;;) {
        const qsizetype s = findSync(bytes, size, from);
        if (s < 0) {
            qsizetype keep = 0;
            while (keep < 3 && size - 1 - keep >= from && at(bytes, size - 1 - keep) == Framing::SyncByte)
                ++keep;
            return waitAt(size - keep);
        }
        if (size - s < Framing::BytesBeforeN)
            return waitAt(s);
        if (at(bytes, s + 9) > Framing::LargestN) {
            if (s < falseUntil) {
                from = s + 1;
                continue;
            }
            // Everything before it is known to be no packet; what comes after the
            // false header may still be one, a read it was cut into above all.
            scan.kind = FrameScan::TooLong;
            scan.drop = s + 1;
            return scan;
        }
        const qsizetype length = lengthAt(bytes, s);
        if (s + length <= size) {
            if (checksumHolds(bytes + s, length)) {
                scan.kind = FrameScan::Packet;
                scan.start = s;
                scan.length = length;
                scan.drop = s + length;
                return scan;
            }
        } else {
            goodBehind = goodBehind || goodPacketBehind(bytes, size, s);
            if (!goodBehind)
                return waitAt(s);
        }
        falseFrame(s, s + length);
        from = s + 1;
    }
}

bool ExtractPacket(QByteArray& buffer, QByteArray& packet)
{
    packet.clear();
    const FrameScan scan = ScanFrames(buffer.constData(), buffer.size());
    if (scan.kind == FrameScan::Packet)
        packet = buffer.mid(scan.start, scan.length);
    buffer.remove(0, scan.drop);
    if (scan.kind == FrameScan::TooLong)
        raiseError(Err::Overflow);
    return scan.kind == FrameScan::Packet;
}

bool VerifyChecksum(const QByteArray& packet)
{
    return packet.size() >= 5 && checksumHolds(packet.constData(), packet.size());
}
