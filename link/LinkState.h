#pragma once

#include "link/OverflowFault.h"
#include "link/PacketRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>

inline constexpr uint8_t DoorModeNormal = 1;
inline constexpr uint8_t DoorModeSecure = 2;
inline constexpr uint8_t DoorModeBypass = 3;
inline constexpr uint8_t DoorModeUnknown = 4;
inline constexpr uint8_t DoorModeNotKnown = 99;

// No slot: the unit sent 255 in the slot's high byte (stored as -1).
inline constexpr uint16_t NoSlot = 65535;

// Where a piece of the receive accumulator that was taken from the port at
// one time ends (the offset past its last byte).
struct RxArrival {
    qsizetype end = 0;
    QDateTime at;
};

// The program-wide state of the link to the door unit.
struct LinkState {
    PacketRecord CurPacket;
    uint8_t RepeatGuard = 0;
    // Raised by every door-status packet, cleared by a window that shows it.
    // Each window that shows the door also redraws, at its own next tick,
    // whenever the door differs from what it shows, whoever cleared the flag.
    bool DoorStatusChanged = false;
    // Written only by SetDoorMode: from a door-status packet, NotKnown when the
    // link is lost (a long silence, a closed port) and at the start, and
    // Unknown by the on-line monitor for a mode its panel cannot show.
    uint8_t DoorMode = DoorModeNotKnown;
    bool TamperFlag = false;

    // The last accepted code read: its code (trimmed, blank-padded to 12) and
    // slot. Every read logged reaches the windows through its own hand-over
    // (link/CodeReadHandOver.h), not through these.
    QString LastCode = QString(12, QLatin1Char(' '));
    // Written only by SetLastSlot: GetSlotNumber for every read accepted, and
    // the capture dialog, which leaves the slot of the read it captured here
    // for the employee editor, whatever reads came after it.
    uint16_t LastSlot = 0;
    // What the capture dialog took for the employee editor: whether it took a
    // code, the code as LastCode, and its kind, 2 card or 1 PIN.
    bool CodeCaptured = false;
    QString CapturedCode;
    int16_t CapturedCodeType = 0;
    // Receive ticks that found nothing waiting since the last door-status packet.
    int16_t RxIdleTicks = 0;

    // Private to the link: the bytes read and not yet framed with the times
    // they were taken from the port, the sequence byte of the last read that
    // passed the repeat guard, and the last packet logged (stored, or waiting
    // in the receive log to be stored).
    QByteArray RxAccumulator;
    QList<RxArrival> RxArrivals;
    uint8_t LastSeq = 0;
    PacketRecord LastLogged;
    // The run of overflows going on, told once (link/OverflowFault.h).
    OverflowFault Overflows;
};

LinkState& linkState();

// The one way DoorMode and LastSlot change.
void SetDoorMode(uint8_t mode);
void SetLastSlot(uint16_t slot);

// What a start puts back: no repeat guard running, no door status known or
// changed, no packet.
void ResetLinkAtStart();
