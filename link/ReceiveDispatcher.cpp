#include "link/ReceiveDispatcher.h"

#include "core/AppState.h"
#include "core/HeldReports.h"
#include "core/Messages.h"
#include "link/CodeDecoding.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/OverflowFault.h"
#include "link/PacketFraming.h"
#include "link/PacketReceiver.h"
#include "link/RawLog.h"
#include "link/ReceiveLog.h"
#include "platform/serial/CommPort.h"

#include <limits>
#include <optional>

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
    GetSlotNumber();
    // Every read logged is an event with the time it came, whatever window is open.
    LogReadCard();
    link.LastSeq = seq;
}

}

void ReceiveTick(CommPort& port)
{
    {
        ReportHold hold;
        // The tick looks codes up and stores rows, but never keeps the window
        // waiting for a database another program holds: what it cannot store
        // now waits for a later tick.
        std::optional<Database::ShortWait> moment;
        if (Database* db = appState().Db.get(); db && db->isOpen())
            moment.emplace(*db, ReceiveLog::WaitMs);
        guarded(6, [&] {
            LinkState& link = linkState();
            if (link.RepeatGuard > 0)
                --link.RepeatGuard;
            // The windows that show the door see the change at their own next tick.
            if (link.RxIdleTicks >= LinkLostTicks)
                SetDoorMode(DoorModeNotKnown);
            ReceiveData(port);
            EndQuietOverflowFault();
        });
        // What the tick took and what waits from before.
        receiveLog().store();
    }
    // Its boxes come once the tick has returned, so that the timer fires again while they are up.
    ShowHeldReports();
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
                break;
            if (action == Framing::ActionDoorStatus)
                handleDoorStatus(link);
            else if (action == Framing::ActionCodeRead)
                handleCodeRead(link);
        }
    });
}
