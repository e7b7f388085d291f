#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Builds the packets the door unit sends, with the sync, N and the checksum
// filled in: for the unit simulator, the tests and the benchmark.
namespace PacketBuilder {

struct Header {
    uint8_t destSystem = 0x01;
    uint8_t destAddress = 0x00;
    uint8_t srcSystem = 0x02;
    uint8_t srcAddress = 0x01;
    uint8_t version = 0x10;
};

// Data(5) without its direction bit.
inline constexpr uint8_t ResultOpened = 0;
inline constexpr uint8_t ResultSecureMode = 8;
inline constexpr uint8_t ResultTimeZones = 16;
inline constexpr uint8_t ResultUnknownCode = 24;

struct CodeReadFields {
    bool card = true;
    quint32 cardNumber = 0; // 24 bits
    QString pin;            // up to six of 0-9 and B-F
    bool out = false;
    uint8_t result = ResultOpened;
    uint8_t slotHigh = 0; // 255: no slot (with slotLow 255 or 254 a lock strike)
    uint8_t slotLow = 0;
    uint8_t sequence = 0;
    Header header;

    void setSlot(uint16_t slot)
    {
        slotHigh = static_cast<uint8_t>(slot >> 8);
        slotLow = static_cast<uint8_t>(slot & 0xFF);
    }
};

// Any packet: N is the number of data bytes plus one (at most 243 data bytes).
QByteArray packet(uint8_t action, const QByteArray& dataBytes, const Header& header = {});
QByteArray codeRead(const CodeReadFields& fields);
// Data(1): bit 1 tamper, bit 5 Secure, bit 6 Bypass.
QByteArray doorStatus(uint8_t mode, bool tamper, const Header& header = {});

// Data(1) to Data(3) of a card number, most significant byte first.
QByteArray cardBytes(quint32 number);
// Data(1) to Data(3) of a PIN: keypad nibbles, high first, right-aligned;
// the digit 0 travels as 0xA. Characters other than 0-9 and B-F are refused (empty).
QByteArray pinBytes(const QString& pin);

// Faults the line may carry.
QByteArray withBadChecksum(QByteArray packet);
// A sync and header announcing N (e.g. 245, which no packet may carry), with `n` bytes after it.
QByteArray withLength(uint8_t n, uint8_t action = 0x20, const Header& header = {});

}
