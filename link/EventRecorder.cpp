#include "link/EventRecorder.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/SharedLookups.h"
#include "link/CodeDecoding.h"
#include "link/LinkState.h"
#include "platform/Clock.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/VbText.h"

namespace {

QVariant optionalValue(std::optional<int16_t> v)
{
    return v ? QVariant(int(*v)) : QVariant();
}

OnlineEvent eventOf(const CodeRead& read)
{
    const CodeReadMeaning m = meaningOf(read.Packet.Data);
    const QDateTime now = programClock().now();
    OnlineEvent e;
    e.Date_CR = DateTimeText::isoDate(now.date());
    e.Time_CR = DateTimeText::isoTime(now.time());
    e.CardNum = VbText::trim(GetCardCode(read.Packet.Data));
    e.sCard = m.card ? Translate(QStringLiteral("Card")) : Translate(QStringLiteral("PIN"));
    e.iCard = m.card ? 1 : 2;
    e.Employee_Number = GetEmployeeNumberByCode(e.CardNum);
    if (e.Employee_Number > 0) {
        e.Employee_Full_Name =
            QString::number(e.Employee_Number) + QStringLiteral("  ") + GetEmployeeName(e.Employee_Number);
        e.EmpPictureFile = GetEmpPictureFile(e.Employee_Number);
    } else {
        e.Employee_Full_Name = Translate(QStringLiteral("Unknown Employee"));
    }
    e.sIn = m.out ? Translate(QStringLiteral("Out")) : Translate(QStringLiteral("In"));
    e.iIn = m.out ? 2 : 1;
    e.sDoor = m.opened ? Translate(QStringLiteral("Opened")) : Translate(QStringLiteral("Not Opened"));
    e.iDoor = m.opened ? 1 : 2;
    switch (m.reason) {
    case 1: e.sReason = Translate(QStringLiteral("Secure Mode")); break;
    case 2: e.sReason = Translate(QStringLiteral("Time Zones")); break;
    case 3: e.sReason = Translate(QStringLiteral("Unknown Code")); break;
    default: break;
    }
    if (m.reason != 0)
        e.iReason = m.reason;
    if (m.lockStrike != 0)
        e.iLockStrike = m.lockStrike;
    e.SlotNumber = static_cast<int16_t>(read.Slot);
    return e;
}

void storeEvent(const OnlineEvent& e)
{
    Recordset rs = Db().openTableForAppend(QStringLiteral("tblOnline"));
    rs.addNew();
    rs.setField(0, e.Time_CR);
    rs.setField(1, e.Date_CR);
    rs.setField(2, e.sIn);
    rs.setField(3, e.sCard);
    rs.setField(4, int(e.Employee_Number));
    rs.setField(6, e.sDoor);
    rs.setField(7, e.sReason);
    rs.setField(8, e.Employee_Full_Name);
    rs.setField(9, int(e.SlotNumber));
    rs.setField(10, e.CardNum);
    if (e.iLockStrike)
        rs.setField(11, optionalValue(e.iLockStrike));
    if (!e.EmpPictureFile.isEmpty())
        rs.setField(12, e.EmpPictureFile);
    rs.setField(13, int(e.iIn));
    rs.setField(14, int(e.iDoor));
    if (e.iReason)
        rs.setField(15, optionalValue(e.iReason));
    rs.setField(16, int(e.iCard));
    rs.update();
    rs.close();
}

}

QString GetEmpPictureFile(int16_t num)
{
    QString file;
    guarded(165, [&] {
        if (num == 0)
            return;
        Recordset rs = Db().openSql(
            QStringLiteral("SELECT [PictureFile],[Employee_Number] FROM tblEmployees WHERE [Employee_Number] = ?"),
            {int(num)}, RecordsetType::Snapshot);
        if (rs.recordCount() > 0)
            file = rs.field(0).toText();
        rs.close();
    });
    return file;
}

std::optional<EventLine> SaveOnlineEvent(const CodeRead& read)
{
    std::optional<EventLine> line;
    guarded(172, [&] {
        const OnlineEvent e = eventOf(read);
        // The row is stored before the window shows anything of it, so that
        // a picture that cannot be shown does not cost the event.
        storeEvent(e);
        line = BuildEventLine(e);
    });
    return line;
}

QList<EventLine> EventRecorder::RecordPending()
{
    QList<EventLine> lines;
    while (std::optional<CodeRead> read = m_reads.take()) {
        if (std::optional<EventLine> line = SaveOnlineEvent(*read))
            lines << *line;
        linkState().NewCodeEvent = false;
    }
    return lines;
}
