#include "link/PacketReceiver.h"

#include "core/Messages.h"
#include "link/LinkState.h"
#include "link/OverflowFault.h"
#include "link/PacketFraming.h"
#include "platform/serial/CommPort.h"

namespace {

void append(LinkState& link, const PortInput& input)
{
    if (input.bytes.isEmpty())
        return;
    link.RxAccumulator.append(input.bytes);
    link.RxArrivals.append(RxArrival{link.RxAccumulator.size(), input.at});
}

void drop(LinkState& link, qsizetype count)
{
    if (count <= 0)
        return;
    link.RxAccumulator.remove(0, count);
    qsizetype gone = 0;
    while (gone < link.RxArrivals.size() && link.RxArrivals.at(gone).end <= count)
        ++gone;
    link.RxArrivals.remove(0, gone);
    for (RxArrival& a : link.RxArrivals)
        a.end -= count;
}

void clear(LinkState& link)
{
    link.RxAccumulator.clear();
    link.RxArrivals.clear();
}

// When the byte at `offset` of the accumulator was taken from the port.
QDateTime arrivalOf(const LinkState& link, qsizetype offset)
{
    for (const RxArrival& a : link.RxArrivals) {
        if (offset < a.end)
            return a.at;
    }
    return {};
}

}

uint8_t GetPacket(CommPort& port)
{
    uint8_t action = 0;
    guarded(863, [&] {
        LinkState& link = linkState();
        // A false header, or more input than the accumulator holds.
        bool overflow = false;
        for (;;) {
            if (port.inBufferCount() > 0) {
                for (const PortInput& input : port.readArrivals())
                    append(link, input);
            }
            if (link.RxAccumulator.size() > Framing::AccumulatorLimit) {
                clear(link);
                overflow = true;
                break;
            }
            if (link.RxAccumulator.size() < 2)
                break;
            const char* bytes = link.RxAccumulator.constData();
            const FrameScan scan = ScanFrames(bytes, link.RxAccumulator.size());
            if (scan.kind == FrameScan::Packet) {
                link.CurPacket = PacketRecord::fromFrame(bytes + scan.start, scan.length,
                                                         arrivalOf(link, scan.start + scan.length - 1));
                action = link.CurPacket.Action;
            }
            drop(link, scan.drop);
            if (scan.kind != FrameScan::TooLong)
                break;
            overflow = true;
        }
        // Told once the packet behind it is out, which the report does not hold up.
        if (overflow)
            ReportOverflow();
    });
    return action;
}
