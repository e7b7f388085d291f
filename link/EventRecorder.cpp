#include "link/EventRecorder.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "link/CodeDecoding.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/VbText.h"

namespace {

QVariant optionalValue(std::optional<int16_t> v)
{
    return v ? QVariant(int(*v)) : QVariant();
}

// The empty text is stored as such, not as a missing value.
QString text(const QString& s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

}

OnlineEvent OnlineEventOf(const PacketRecord& packet, uint16_t slot, const std::optional<EmployeeWithCode>& holder)
{
    const CodeReadMeaning m = meaningOf(packet.Data);
    OnlineEvent e;
    e.Date_CR = DateTimeText::isoDate(packet.Received.date());
    e.Time_CR = DateTimeText::isoTime(packet.Received.time());
    e.CardNum = VbText::trim(GetCardCode(packet.Data));
    e.sCard = m.card ? Translate(QStringLiteral("Card")) : Translate(QStringLiteral("PIN"));
    e.iCard = m.card ? 1 : 2;
    SetEventHolder(e, holder);
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
    e.SlotNumber = static_cast<int16_t>(slot);
    return e;
}

void SetEventHolder(OnlineEvent& e, const std::optional<EmployeeWithCode>& holder)
{
    e.Employee_Number = holder ? holder->number : int16_t(-1);
    if (e.Employee_Number > 0) {
        e.Employee_Full_Name = QString::number(e.Employee_Number) + QStringLiteral("  ") + holder->name;
        e.EmpPictureFile = holder->pictureFile;
    } else {
        e.Employee_Full_Name = Translate(QStringLiteral("Unknown Employee"));
        e.EmpPictureFile.clear();
    }
}

qint64 SaveOnlineEvent(const OnlineEvent& e)
{
    // Position 5 stays empty.
    return Db().insert(
        QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, sIn, sCard, Employee_Number, sDoor, sReason, "
                       "Employee_Full_Name, SlotNumber, CardNum, iLockStrike, EmpPictureFile, iIn, iDoor, iReason, "
                       "iCard) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {e.Time_CR, e.Date_CR, text(e.sIn), text(e.sCard), int(e.Employee_Number), text(e.sDoor), text(e.sReason),
         text(e.Employee_Full_Name), int(e.SlotNumber), text(e.CardNum), optionalValue(e.iLockStrike),
         e.EmpPictureFile.isEmpty() ? QVariant() : QVariant(e.EmpPictureFile), int(e.iIn), int(e.iDoor),
         optionalValue(e.iReason), int(e.iCard)});
}
