#pragma once

#include "link/PacketBuilder.h"

// A card read of the door unit: opened, in, slot 0.
inline QByteArray cardRead(quint32 number, uint8_t sequence)
{
    PacketBuilder::CodeReadFields f;
    f.cardNumber = number;
    f.sequence = sequence;
    return PacketBuilder::codeRead(f);
}
