#include "link/PacketFraming.h"

#include "platform/AppError.h"

bool ExtractPacket(QByteArray& buffer, QByteArray& packet)
{
    packet.clear();
    const qsizetype length = buffer.size();
    int state = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const auto b = static_cast<uint8_t>(buffer.at(i));
        if (state < 3) {
            state = b == Framing::SyncByte ? state + 1 : 0;
            continue;
        }
        if (b != Framing::StartByte) {
            // Keep the last two 0xFF of the run and this byte: a longer run is
            // worked off one byte a pass until FF FF FF 55 lines up.
            buffer.remove(0, i - 2);
            return false;
        }
        const qsizetype start = i - 3;
        if (length - start < Framing::BytesBeforeN)
            return false;
        const int n = static_cast<uint8_t>(buffer.at(start + 9));
        if (n > Framing::LargestN) {
            buffer.clear();
            raiseError(Err::Overflow);
        }
        const qsizetype last = start + n + 10;
        if (last >= length)
            return false;
        QByteArray candidate = buffer.mid(start, n + Framing::HeaderLength);
        buffer.remove(0, last + 1);
        if (!VerifyChecksum(candidate))
            return false;
        packet = std::move(candidate);
        return true;
    }
    return false;
}

bool VerifyChecksum(const QByteArray& packet)
{
    const qsizetype n = packet.size();
    if (n < 5)
        return false;
    unsigned sum = 0;
    for (qsizetype i = 4; i <= n - 2; ++i)
        sum += static_cast<uint8_t>(packet.at(i));
    return (sum & 0xFFu) == static_cast<uint8_t>(packet.at(n - 1));
}
