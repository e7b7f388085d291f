#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The data bytes of code-read and door-status packets. `data` is a packet's
// Data array: index 0 unused, 1..N-1 the data bytes, N the checksum.

// The code of a code read from Data(1) to Data(4): a card's 24-bit number in
// ten digits, or the keypad characters of a PIN. Empty when the packet carries
// fewer than four data bytes.
QString GetCardCode(const QByteArray& data);

// The keypad characters of one PIN byte, high nibble first: 1-9 that digit,
// 0xA the digit 0, 0xB-0xF the letters B-F, 0 nothing.
QString ByteToCodeDigits(uint8_t b);

// The slot of the code read in CurPacket, also kept in LastSlot. NoSlot when
// the high byte is 255; a high byte of 128 to 254 is reported as an overflow
// and counts as slot 0.
uint16_t GetSlotNumber();

// The door mode of the door-status packet in CurPacket; sets TamperFlag.
uint8_t GetDoorStatus();

namespace CodeDecoding {
// The slot from its two bytes; throws overflow (6) for a high byte of 128 to 254.
uint16_t slotOf(uint8_t high, uint8_t low);
// Mode 2 Secure when bit 5 is set, else 3 Bypass when bit 6 is set, else 1 Normal.
uint8_t doorModeOf(uint8_t status);
bool tamperOf(uint8_t status);
// LastCode: the code trimmed, then padded with blanks to 12 characters.
QString paddedCode(const QString& code);
}
