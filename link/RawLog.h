#pragma once

#include "link/PacketRecord.h"

#include <QDateTime>
#include <cstdint>

// Takes CurPacket (a code read) into the log unless it is the packet taken
// last; true when it is a new row. Its row and its event are stored with the
// time the packet came, at once or, while the database does not take them,
// by a later tick (link/ReceiveLog.h); the packet counts as the last one
// logged from the moment the log holds it. A read the log has no room for
// is not taken, and moves neither the last packet nor the repeat guard.
bool LogReadCard();

// Takes the door mode of the door-status packet in CurPacket into DoorMode,
// raises DoorStatusChanged, and logs it for the door (1-based): a
// DoorStatus_Tbl row is stored when the mode differs from the door's newest.
void LogDoorStatus(int door);

// The rows themselves, as the log stores them; both fail as the database does.
void StoreReadCardRow(const PacketRecord& packet, uint16_t slot);
// Appends a row for the door with the mode, dated `at`, unless the door's
// newest row holds that mode already; true when it did.
bool AddDoorStatusRecord(int door, uint8_t mode, const QDateTime& at);
