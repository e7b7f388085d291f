#pragma once

#include "core/SharedLookups.h"
#include "link/OnlineEvent.h"
#include "link/PacketRecord.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

// One row of the reception on its way into the database (link/ReceiveLog.h):
// a code read (its raw row and its event) or a door status, with the time its
// packet was taken from the port, and its record in the journal of what
// waits. A record holds everything the row is stored with, the event's texts
// in the language of the run that took the read included.
struct WaitingRow {
    // Numbers the rows of every run, one after the other: the database
    // remembers the last one stored from the journal.
    qint64 sequence = 0;
    bool isRead = true;
    PacketRecord packet; // a read: the packet and its time; a door status: only its time
    QString code;
    uint16_t slot = 0;
    // The holder of the code, once looked up (number -1: nobody).
    std::optional<EmployeeWithCode> holder;
    bool lookedUp = false;
    bool handedOver = false;
    int door = 0;
    uint8_t mode = 0;
    // The event as an earlier run made it (a row from the journal); made from
    // the packet when the row is stored otherwise.
    std::shared_ptr<const OnlineEvent> event;

    // The event row the read is stored as.
    OnlineEvent onlineEvent() const;

    QByteArray toRecord() const;
    // Nothing when the record is not one of these.
    static std::optional<WaitingRow> fromRecord(const QByteArray& record);
};
