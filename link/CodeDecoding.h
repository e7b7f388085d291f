#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The data bytes of code-read and door-status packets, decoded here alone
// (but the sequence byte, which only the repeat guard compares). `data` is a
// packet's Data array: index 0 unused, 1..N-1 the data bytes, N the checksum.

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

// What a code read says, from its data bytes 4 to 7.
struct CodeReadMeaning {
    bool card = false;      // Data(4) bit 7: a card, else a PIN
    bool out = false;       // Data(5) bit 0
    bool opened = false;    // Data(5) 0 or 1
    int16_t reason = 0;     // 1 Secure Mode, 2 Time Zones, 3 Unknown Code, 0 none
    int16_t lockStrike = 0; // slot bytes 255, 255 give 1; 255, 254 give 2
};

// "Subscript out of range" (9) when the packet has no Data(7).
CodeReadMeaning meaningOf(const QByteArray& data);

// The door mode of the door-status packet in CurPacket; sets TamperFlag.
uint8_t GetDoorStatus();

namespace CodeDecoding {
// Data(4) of a code read: bit 7 set for a card ("prox"), clear for a PIN
// typed on the keypad; its other bits are not read.
inline constexpr uint8_t CardBit = 0x80;
bool isCard(uint8_t kind);
// The slot from its two bytes; throws overflow (6) for a high byte of 128 to 254.
uint16_t slotOf(uint8_t high, uint8_t low);
// Mode 2 Secure when bit 5 is set, else 3 Bypass when bit 6 is set, else 1 Normal.
uint8_t doorModeOf(uint8_t status);
bool tamperOf(uint8_t status);
// LastCode: the code trimmed, then padded with blanks to 12 characters.
QString paddedCode(const QString& code);
}
