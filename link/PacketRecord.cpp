#include "link/PacketRecord.h"

#include "core/Messages.h"
#include "platform/AppError.h"

PacketRecord PacketRecord::fromFrame(const char* frame, qsizetype length, const QDateTime& received)
{
    // Offsets from the first sync byte: 4..8 header, 9 N, 10 Action, 11.. data, last the checksum.
    const auto at = [frame](qsizetype i) { return static_cast<uint8_t>(frame[i]); };
    PacketRecord p;
    p.Received = received;
    p.Dest_System = at(4);
    p.Dest_Address = at(5);
    p.Src_System = at(6);
    p.Src_Address = at(7);
    p.Version = at(8);
    p.Number_Bytes = at(9);
    p.Action = at(10);
    const int n = p.Number_Bytes;
    // Data(0) carries nothing; Data(1) to Data(N) are the bytes from offset 11 on.
    p.Data.reserve(n + 1);
    p.Data.append('\0');
    p.Data.append(frame + 11, n);
    p.CheckSum = at(length - 1);
    return p;
}

PacketRecord PacketRecord::fromFrame(const QByteArray& frame, const QDateTime& received)
{
    return fromFrame(frame.constData(), frame.size(), received);
}

uint8_t PacketRecord::byte(int i) const
{
    if (!hasByte(i))
        raiseError(Err::SubscriptOutOfRange);
    return static_cast<uint8_t>(Data.at(i));
}

bool ComparePacket(const PacketRecord& a, const PacketRecord& b)
{
    bool same = false;
    guarded(882, [&] {
        if (!a.hasData() || a.Data.size() != b.Data.size())
            return;
        same = a.Data.sliced(1) == b.Data.sliced(1) && a.Number_Bytes == b.Number_Bytes &&
               a.Dest_System == b.Dest_System && a.Dest_Address == b.Dest_Address && a.Src_System == b.Src_System &&
               a.Src_Address == b.Src_Address && a.Version == b.Version && a.Action == b.Action &&
               a.CheckSum == b.CheckSum;
    });
    return same;
}

void CopyPacket(PacketRecord& target, const PacketRecord& source)
{
    guarded(881, [&] {
        target.Dest_System = source.Dest_System;
        target.Dest_Address = source.Dest_Address;
        target.Src_System = source.Src_System;
        target.Src_Address = source.Src_Address;
        target.Version = source.Version;
        target.Number_Bytes = source.Number_Bytes;
        target.Action = source.Action;
        target.Data = source.Data;
        target.CheckSum = source.CheckSum;
    });
}
