#include "link/RawLog.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "link/CodeDecoding.h"
#include "link/LinkState.h"
#include "link/ReceiveLog.h"
#include "platform/Clock.h"
#include "platform/text/DateTimeText.h"

namespace {

// The data bytes and the checksum in decimal, run together without separator.
QString dataText(const PacketRecord& p)
{
    QString text;
    text.reserve(3 * p.Data.size());
    for (int i = 1; i < p.Data.size(); ++i)
        text += QString::number(static_cast<uint8_t>(p.Data.at(i)));
    return text;
}

// When the packet came, or now for a packet that carries no time.
QDateTime receivedAt(const PacketRecord& p)
{
    return p.Received.isValid() ? p.Received : programClock().now();
}

}

bool LogReadCard()
{
    bool taken = false;
    guarded(880, [&] {
        LinkState& link = linkState();
        PacketRecord& p = link.CurPacket;
        if (ComparePacket(link.LastLogged, p))
            return;
        p.Received = receivedAt(p);
        if (!receiveLog().addRead(p, link.LastCode, link.LastSlot))
            return;
        CopyPacket(link.LastLogged, p);
        link.RepeatGuard = 10;
        taken = true;
    });
    return taken;
}

void LogDoorStatus(int door)
{
    guarded(883, [&] {
        LinkState& link = linkState();
        const uint8_t mode = GetDoorStatus();
        SetDoorMode(mode);
        link.DoorStatusChanged = true;
        receiveLog().addDoorStatus(door, mode, receivedAt(link.CurPacket));
    });
}

void StoreReadCardRow(const PacketRecord& p, uint16_t slot)
{
    Db().execute(
        QStringLiteral("INSERT INTO ReadCard_Tbl (Dest_System, Dest_Address, Date_Date, Date_Time, Src_System, "
                       "Src_Address, Version, Number_Bytes, Action, Data, CheckSum, SlotNumber) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {int(p.Dest_System), int(p.Dest_Address), DateTimeText::isoDate(p.Received.date()),
         DateTimeText::isoTime(p.Received.time()), int(p.Src_System), int(p.Src_Address), int(p.Version),
         int(p.Number_Bytes), int(p.Action), dataText(p), int(p.CheckSum), int(static_cast<int16_t>(slot))});
}

bool AddDoorStatusRecord(int door, uint8_t mode, const QDateTime& at)
{
    // One statement compares with the door's newest row and adds the new one;
    // rows of the same second are told apart by the order they were written in.
    return Db().execute(
               QStringLiteral("INSERT INTO DoorStatus_Tbl (Door_Number, Door_Status, Door_Date, Door_time) "
                              "SELECT ?, ?, ?, ? WHERE (SELECT Door_Status FROM DoorStatus_Tbl WHERE Door_Number = ? "
                              "ORDER BY Door_Date DESC, Door_time DESC, rowid DESC LIMIT 1) IS NOT ?"),
               {door - 1, int(mode), DateTimeText::isoDate(at.date()), DateTimeText::isoTime(at.time()), door - 1,
                int(mode)}) > 0;
}
