#pragma once

#include "link/PacketRecord.h"

#include <cstdint>

inline constexpr uint8_t DoorModeNotKnown = 99;

// The program-wide state of the link to the door unit.
struct LinkState {
    PacketRecord CurPacket;
    uint8_t RepeatGuard = 0;
    bool DoorStatusChanged = false;
    uint8_t DoorMode = DoorModeNotKnown;
    bool TamperFlag = false;
};

LinkState& linkState();
