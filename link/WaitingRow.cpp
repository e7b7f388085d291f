#include "link/WaitingRow.h"

#include "link/EventRecorder.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint8 RecordVersion = 1;
constexpr quint8 KindRead = 1;
constexpr quint8 KindDoorStatus = 2;

// The wall-clock time as the rows store it, whatever the zone of a later run.
void writeTime(QDataStream& out, const QDateTime& at)
{
    out << static_cast<qint64>(at.date().toJulianDay()) << static_cast<qint32>(at.time().msecsSinceStartOfDay());
}

QDateTime readTime(QDataStream& in)
{
    qint64 day = 0;
    qint32 ms = 0;
    in >> day >> ms;
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(ms));
}

void writeOptional(QDataStream& out, const std::optional<int16_t>& v)
{
    out << v.has_value() << static_cast<qint16>(v.value_or(0));
}

std::optional<int16_t> readOptional(QDataStream& in)
{
    bool has = false;
    qint16 v = 0;
    in >> has >> v;
    return has ? std::optional<int16_t>(v) : std::nullopt;
}

void writeEvent(QDataStream& out, const OnlineEvent& e)
{
    out << e.Time_CR << e.Date_CR << e.sIn << e.sCard << static_cast<qint16>(e.Employee_Number) << e.sDoor << e.sReason
        << e.Employee_Full_Name << static_cast<qint16>(e.SlotNumber) << e.CardNum;
    writeOptional(out, e.iLockStrike);
    out << e.EmpPictureFile << static_cast<qint16>(e.iIn) << static_cast<qint16>(e.iDoor);
    writeOptional(out, e.iReason);
    out << static_cast<qint16>(e.iCard);
}

OnlineEvent readEvent(QDataStream& in)
{
    OnlineEvent e;
    qint16 number = 0;
    qint16 slot = 0;
    in >> e.Time_CR >> e.Date_CR >> e.sIn >> e.sCard >> number >> e.sDoor >> e.sReason >> e.Employee_Full_Name >>
        slot >> e.CardNum;
    e.Employee_Number = number;
    e.SlotNumber = slot;
    e.iLockStrike = readOptional(in);
    qint16 in_ = 0;
    qint16 door = 0;
    in >> e.EmpPictureFile >> in_ >> door;
    e.iIn = in_;
    e.iDoor = door;
    e.iReason = readOptional(in);
    qint16 card = 0;
    in >> card;
    e.iCard = card;
    return e;
}

}

OnlineEvent WaitingRow::onlineEvent() const
{
    return event ? *event : OnlineEventOf(packet, slot, holder);
}

QByteArray WaitingRow::toRecord() const
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << RecordVersion << (isRead ? KindRead : KindDoorStatus) << sequence;
    if (!isRead) {
        out << static_cast<qint32>(door) << mode;
        writeTime(out, packet.Received);
        return record;
    }
    const PacketRecord& p = packet;
    out << p.Dest_System << p.Dest_Address << p.Src_System << p.Src_Address << p.Version << p.Number_Bytes << p.Action
        << p.CheckSum << p.Data;
    writeTime(out, p.Received);
    out << code << slot << lookedUp << holder.has_value();
    if (holder)
        out << static_cast<qint16>(holder->number) << holder->name << holder->pictureFile;
    writeEvent(out, onlineEvent());
    return record;
}

std::optional<WaitingRow> WaitingRow::fromRecord(const QByteArray& record)
{
    QDataStream in(record);
    in.setVersion(QDataStream::Qt_6_0);
    quint8 version = 0;
    quint8 kind = 0;
    WaitingRow row;
    in >> version >> kind >> row.sequence;
    if (version != RecordVersion || (kind != KindRead && kind != KindDoorStatus))
        return std::nullopt;
    row.isRead = kind == KindRead;
    row.handedOver = true;
    if (!row.isRead) {
        qint32 door = 0;
        in >> door >> row.mode;
        row.door = door;
        row.packet.Received = readTime(in);
    } else {
        PacketRecord& p = row.packet;
        in >> p.Dest_System >> p.Dest_Address >> p.Src_System >> p.Src_Address >> p.Version >> p.Number_Bytes >>
            p.Action >> p.CheckSum >> p.Data;
        p.Received = readTime(in);
        bool hasHolder = false;
        in >> row.code >> row.slot >> row.lookedUp >> hasHolder;
        if (hasHolder) {
            EmployeeWithCode holder;
            qint16 number = 0;
            in >> number >> holder.name >> holder.pictureFile;
            holder.number = number;
            row.holder = holder;
        }
        row.event = std::make_shared<const OnlineEvent>(readEvent(in));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd() || !row.packet.Received.isValid())
        return std::nullopt;
    return row;
}
