#include "link/ReceiveDispatcher.h"

#include "core/Messages.h"
#include "link/CodeDecoding.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkLostHook.h"
#include "link/LinkState.h"
#include "link/PacketFraming.h"
#include "link/PacketReceiver.h"
#include "link/RawLog.h"
#include "platform/serial/CommPort.h"

#include <limits>

namespace {

// A packet too short for what its Action carries is refused before any of it is read.
void requireDataByte(const PacketRecord& p, int i)
{
    if (!p.hasByte(i))
        raiseError(Err::SubscriptOutOfRange);
}

void handleDoorStatus(LinkState& link)
{
    requireDataByte(link.CurPacket, 1);
    link.RxIdleTicks = 0;
    LogDoorStatus(1);
}

void handleCodeRead(LinkState& link)
{
    requireDataByte(link.CurPacket, 8);
    const uint8_t seq = link.CurPacket.byte(8);
    if (link.RepeatGuard > 0 && seq == link.LastSeq)
        return;
    link.RepeatGuard = 20;
    link.LastCode = CodeDecoding::paddedCode(GetCardCode(link.CurPacket.Data));
    link.LastSlot = GetSlotNumber();
    link.NewCodeEvent = LogReadCard();
    link.LastSeq = seq;
    if (link.NewCodeEvent)
        handOverCodeRead(CodeRead{link.CurPacket, link.LastCode, link.LastSlot});
}

}

void ReceiveTick(CommPort& port)
{
    // An error box runs its own event loop, in which the timer may tick again.
    static bool running = false;
    if (running)
        return;
    struct Running {
        Running() { running = true; }
        ~Running() { running = false; }
    } scope;
    guarded(6, [&] {
        LinkState& link = linkState();
        if (link.RepeatGuard > 0)
            --link.RepeatGuard;
        if (link.RxIdleTicks >= LinkLostTicks) {
            link.DoorMode = DoorModeNotKnown;
            notifyLinkLost();
        }
        ReceiveData(port);
    });
}

void ReceiveData(CommPort& port)
{
    guarded(861, [&] {
        LinkState& link = linkState();
        // A closed port holds nothing: the silence counts, without a report on every tick.
        if (!port.portOpen() || port.inBufferCount() == 0) {
            if (link.RxIdleTicks < std::numeric_limits<int16_t>::max())
                ++link.RxIdleTicks;
            return;
        }
        for (;;) {
            const uint8_t action = GetPacket(port);
            if (action == 0)
                return;
            if (action == Framing::ActionDoorStatus)
                handleDoorStatus(link);
            else if (action == Framing::ActionCodeRead)
                handleCodeRead(link);
        }
    });
}
