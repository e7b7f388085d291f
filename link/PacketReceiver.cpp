#include "link/PacketReceiver.h"

#include "core/Messages.h"
#include "link/LinkState.h"
#include "link/PacketFraming.h"
#include "platform/Clock.h"
#include "platform/serial/CommPort.h"

uint8_t GetPacket(CommPort& port, const QDateTime& now)
{
    uint8_t action = 0;
    guarded(863, [&] {
        LinkState& link = linkState();
        QByteArray& buffer = link.RxAccumulator;
        if (port.inBufferCount() > 0)
            buffer.append(port.readInput());
        if (buffer.size() > Framing::AccumulatorLimit) {
            buffer.clear();
            raiseError(Err::Overflow);
        }
        if (buffer.size() < 2)
            return;
        const FrameScan scan = ScanFrames(buffer.constData(), buffer.size());
        if (scan.kind == FrameScan::TooLong) {
            buffer.clear();
            raiseError(Err::Overflow);
        }
        if (scan.kind == FrameScan::Packet) {
            link.CurPacket = PacketRecord::fromFrame(buffer.constData() + scan.start, scan.length, now);
            action = link.CurPacket.Action;
        }
        buffer.remove(0, scan.drop);
    });
    return action;
}

uint8_t GetPacket(CommPort& port)
{
    return GetPacket(port, programClock().now());
}
