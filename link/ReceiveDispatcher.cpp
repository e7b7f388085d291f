#include "link/ReceiveDispatcher.h"

#include "core/AppState.h"
#include "core/HeldReports.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "link/CodeDecoding.h"
#include "link/CodeReadHandOver.h"
#include "link/EventRecorder.h"
#include "link/LinkLostHook.h"
#include "link/LinkState.h"
#include "link/PacketFraming.h"
#include "link/PacketReceiver.h"
#include "link/RawLog.h"
#include "platform/Clock.h"
#include "platform/serial/CommPort.h"

#include <algorithm>
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

void handleCodeRead(LinkState& link, const QDateTime& now, QList<CodeRead>& reads)
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
    if (!link.NewCodeEvent)
        return;
    // Every read logged is an event of the tick that took it in, whatever window is open.
    CodeRead read{link.CurPacket, link.LastCode, link.LastSlot, std::nullopt};
    read.Event = SaveOnlineEvent(read, now);
    reads << read;
}

// The windows get the tick's reads once its rows are stored; when the store
// failed, they get the reads without events that are not there.
void handOver(QList<CodeRead>& reads, bool stored)
{
    for (CodeRead& read : reads) {
        if (!stored)
            read.Event.reset();
        handOverCodeRead(read);
    }
}

// The port closed under the reception (its device went away): the door is
// not known from now on, as after a long silence, and the main window takes
// care of the port.
void portWentAway()
{
    LinkState& link = linkState();
    link.RxIdleTicks = std::max<int16_t>(link.RxIdleTicks, LinkLostTicks);
    link.DoorMode = DoorModeNotKnown;
    notifyLinkLost();
    if (MainWindowService* main = mainWindow())
        main->portLost();
}

// The tick's rows in one transaction: a commit a tick, not one a row. Without
// an open database, or inside a transaction already open, the rows go as
// they would without it. Both statements are kept prepared, as every tick
// runs them.
class TickTransaction {
public:
    TickTransaction()
    {
        Database* db = appState().Db.get();
        if (!db || !db->isOpen())
            return;
        try {
            db->executePrepared(QStringLiteral("BEGIN"));
            m_db = db;
        } catch (const AppError&) {
        }
    }
    ~TickTransaction()
    {
        if (m_db)
            m_db->rollback();
    }
    TickTransaction(const TickTransaction&) = delete;
    TickTransaction& operator=(const TickTransaction&) = delete;

    void commit()
    {
        if (!m_db)
            return;
        try {
            m_db->executePrepared(QStringLiteral("COMMIT"));
            m_db = nullptr;
        } catch (const AppError&) {
            // Leaves no transaction standing behind for the next tick to write into.
            std::exchange(m_db, nullptr)->rollback();
            throw;
        }
    }

private:
    Database* m_db = nullptr;
};

}

void ReceiveTick(CommPort& port)
{
    {
        ReportHold hold;
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
    // Its boxes come once the tick has returned, so that the timer fires again while they are up.
    ShowHeldReports();
}

void ReceiveData(CommPort& port)
{
    const bool wasOpen = port.portOpen();
    guarded(861, [&] {
        LinkState& link = linkState();
        // A closed port holds nothing: the silence counts, without a report on every tick.
        if (!port.portOpen() || port.inBufferCount() == 0) {
            if (link.RxIdleTicks < std::numeric_limits<int16_t>::max())
                ++link.RxIdleTicks;
            return;
        }
        const QDateTime now = programClock().now();
        TickTransaction transaction;
        // A failure ends the dispatching, but what the tick handled before it is kept.
        std::optional<AppError> failure;
        QList<CodeRead> reads;
        try {
            for (;;) {
                const uint8_t action = GetPacket(port, now);
                if (action == 0)
                    break;
                if (action == Framing::ActionDoorStatus)
                    handleDoorStatus(link);
                else if (action == Framing::ActionCodeRead)
                    handleCodeRead(link, now, reads);
            }
        } catch (const AppError& error) {
            failure = error;
        }
        try {
            transaction.commit();
        } catch (const AppError&) {
            handOver(reads, false);
            throw;
        }
        handOver(reads, true);
        if (failure)
            throw *failure;
    });
    if (wasOpen && !port.portOpen())
        portWentAway();
}
