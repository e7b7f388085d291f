#pragma once

#include "link/PacketBuilder.h"

// A card read of the door unit, in: opened and at slot 0 unless said.
inline QByteArray cardRead(quint32 number, uint8_t sequence, uint8_t result = PacketBuilder::ResultOpened,
                           uint16_t slot = 0)
{
    PacketBuilder::CodeReadFields f;
    f.cardNumber = number;
    f.sequence = sequence;
    f.result = result;
    f.setSlot(slot);
    return PacketBuilder::codeRead(f);
}

// A PIN typed at the door unit's keypad, in and opened: at slot 0 unless said.
inline QByteArray pinRead(const QString& pin, uint8_t sequence, uint16_t slot = 0)
{
    PacketBuilder::CodeReadFields f;
    f.card = false;
    f.pin = pin;
    f.sequence = sequence;
    f.setSlot(slot);
    return PacketBuilder::codeRead(f);
}
