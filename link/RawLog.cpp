#include "link/RawLog.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "link/CodeDecoding.h"
#include "link/LinkState.h"
#include "platform/Clock.h"
#include "platform/text/DateTimeText.h"

namespace {

// The data bytes and the checksum in decimal, run together without separator.
QString dataText(const PacketRecord& p)
{
    QString text;
    for (int i = 1; i < p.Data.size(); ++i)
        text += QString::number(static_cast<uint8_t>(p.Data.at(i)));
    return text;
}

}

bool LogReadCard()
{
    bool written = false;
    guarded(880, [&] {
        LinkState& link = linkState();
        const PacketRecord& p = link.CurPacket;
        if (ComparePacket(link.LastLogged, p))
            return;
        const QDateTime received = p.Received.isValid() ? p.Received : programClock().now();
        Db().execute(QStringLiteral("INSERT INTO ReadCard_Tbl (Dest_System, Dest_Address, Date_Date, Date_Time, "
                                    "Src_System, Src_Address, Version, Number_Bytes, Action, Data, CheckSum, "
                                    "SlotNumber) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {int(p.Dest_System), int(p.Dest_Address), DateTimeText::isoDate(received.date()),
                      DateTimeText::isoTime(received.time()), int(p.Src_System), int(p.Src_Address),
                      int(p.Version), int(p.Number_Bytes), int(p.Action), dataText(p), int(p.CheckSum),
                      int(static_cast<int16_t>(link.LastSlot))});
        CopyPacket(link.LastLogged, p);
        link.RepeatGuard = 10;
        written = true;
    });
    return written;
}

void LogDoorStatus(int door)
{
    guarded(883, [&] {
        LinkState& link = linkState();
        const uint8_t mode = GetDoorStatus();
        link.DoorMode = mode;
        link.DoorStatusChanged = true;
        ++link.DoorStatusCount;
        // Rows of the same second are told apart by the order they were written in.
        Recordset newest = Db().openSql(
            QStringLiteral("SELECT Door_Status FROM DoorStatus_Tbl WHERE Door_Number = ? "
                           "ORDER BY Door_Date DESC, Door_time DESC, rowid DESC LIMIT 1"),
            {door - 1}, RecordsetType::Snapshot);
        bool add = newest.recordCount() == 0;
        if (!add) {
            const FieldValue stored = newest.field(0);
            add = stored.isNull() || stored.variant().toInt() != mode;
        }
        newest.close();
        if (add) {
            Recordset rs = Db().openTableForAppend(QStringLiteral("DoorStatus_Tbl"));
            AddDoorStatusRecord(rs, door);
            rs.close();
        }
    });
}

void AddDoorStatusRecord(Recordset& rs, int door)
{
    guarded(884, [&] {
        const QDateTime now = programClock().now();
        rs.addNew();
        rs.setField(QStringLiteral("Door_Number"), door - 1);
        rs.setField(QStringLiteral("Door_Status"), int(linkState().DoorMode));
        rs.setField(QStringLiteral("Door_Date"), DateTimeText::isoDate(now.date()));
        rs.setField(QStringLiteral("Door_time"), DateTimeText::isoTime(now.time()));
        rs.update();
    });
}
