#include "link/CodeDecoding.h"

#include "core/Messages.h"
#include "link/LinkState.h"
#include "platform/text/VbText.h"

namespace {

uint8_t dataByte(const QByteArray& data, int i)
{
    if (i < 0 || i >= data.size())
        raiseError(Err::SubscriptOutOfRange);
    return static_cast<uint8_t>(data.at(i));
}

QString nibbleDigit(unsigned nibble)
{
    if (nibble == 0)
        return {};
    if (nibble <= 9)
        return QString(QLatin1Char(static_cast<char>('0' + nibble)));
    if (nibble == 0xA)
        return QStringLiteral("0");
    return QString(QLatin1Char(static_cast<char>('B' + (nibble - 0xB))));
}

}

QString GetCardCode(const QByteArray& data)
{
    QString code;
    guarded(875, [&] {
        if (data.size() < 5)
            return;
        const auto at = [&data](int i) { return static_cast<uint8_t>(data.at(i)); };
        if (CodeDecoding::isCard(at(4))) {
            const quint32 number = (quint32(at(1)) << 16) | (quint32(at(2)) << 8) | at(3);
            code = QString::number(number).rightJustified(10, QLatin1Char('0'));
        } else {
            code = ByteToCodeDigits(at(1)) + ByteToCodeDigits(at(2)) + ByteToCodeDigits(at(3));
        }
    });
    return code;
}

QString ByteToCodeDigits(uint8_t b)
{
    QString digits;
    guarded(877, [&] {
        if (b == 0)
            return;
        digits = nibbleDigit(b >> 4) + nibbleDigit(b & 0x0F);
    });
    return digits;
}

uint16_t GetSlotNumber()
{
    uint16_t slot = 0;
    guarded(862, [&] {
        const PacketRecord& p = linkState().CurPacket;
        slot = CodeDecoding::slotOf(p.byte(6), p.byte(7));
    });
    SetLastSlot(slot);
    return slot;
}

CodeReadMeaning meaningOf(const QByteArray& data)
{
    CodeReadMeaning m;
    const uint8_t kind = dataByte(data, 4);
    const uint8_t result = dataByte(data, 5);
    const uint8_t slotHigh = dataByte(data, 6);
    const uint8_t slotLow = dataByte(data, 7);
    m.card = CodeDecoding::isCard(kind);
    m.out = (result & 0x01) != 0;
    switch (result) {
    case 0:
    case 1: m.opened = true; break;
    case 8:
    case 9: m.reason = 1; break;
    case 16:
    case 17: m.reason = 2; break;
    case 24:
    case 25: m.reason = 3; break;
    default: break;
    }
    if (slotHigh == 0xFF && slotLow == 0xFF)
        m.lockStrike = 1;
    else if (slotHigh == 0xFF && slotLow == 0xFE)
        m.lockStrike = 2;
    return m;
}

uint8_t GetDoorStatus()
{
    uint8_t mode = 0;
    guarded(1901, [&] {
        LinkState& link = linkState();
        const uint8_t status = link.CurPacket.byte(1);
        link.TamperFlag = CodeDecoding::tamperOf(status);
        mode = CodeDecoding::doorModeOf(status);
    });
    return mode;
}

bool CodeDecoding::isCard(uint8_t kind)
{
    return (kind & CardBit) != 0;
}

uint16_t CodeDecoding::slotOf(uint8_t high, uint8_t low)
{
    if (high == 0xFF)
        return NoSlot;
    // The slot is held as a signed 16-bit number.
    if (high >= 0x80)
        raiseError(Err::Overflow);
    return static_cast<uint16_t>(high * 256 + low);
}

uint8_t CodeDecoding::doorModeOf(uint8_t status)
{
    if (status & 0x20)
        return DoorModeSecure;
    if (status & 0x40)
        return DoorModeBypass;
    return DoorModeNormal;
}

bool CodeDecoding::tamperOf(uint8_t status)
{
    return (status & 0x02) != 0;
}

QString CodeDecoding::paddedCode(const QString& code)
{
    return VbText::trim(code).leftJustified(12, QLatin1Char(' '), true);
}
