#pragma once

#include <QDateTime>

// Writes CurPacket (a code read) to ReadCard_Tbl unless it is the packet
// logged last; true when a new row was stored. The packet counts as logged
// only once its row is stored, so a read whose row failed is written when it
// comes again.
bool LogReadCard();

// Takes the door mode of the door-status packet in CurPacket into DoorMode,
// raises DoorStatusChanged, and adds a DoorStatus_Tbl row for the door
// (1-based) when the mode differs from the door's newest row.
void LogDoorStatus(int door);

// Appends a row for the door with DoorMode, dated `at`.
void AddDoorStatusRecord(int door, const QDateTime& at);
