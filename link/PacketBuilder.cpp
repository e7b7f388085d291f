#include "link/PacketBuilder.h"

#include "link/CodeDecoding.h"
#include "link/LinkState.h"
#include "link/PacketFraming.h"

namespace {

QByteArray headerBytes(const PacketBuilder::Header& h, uint8_t n, uint8_t action)
{
    QByteArray bytes;
    bytes.reserve(Framing::HeaderLength);
    bytes.append(3, static_cast<char>(Framing::SyncByte));
    bytes.append(static_cast<char>(Framing::StartByte));
    for (uint8_t b : {h.destSystem, h.destAddress, h.srcSystem, h.srcAddress, h.version, n, action})
        bytes.append(static_cast<char>(b));
    return bytes;
}

uint8_t checksumOf(const QByteArray& bytes)
{
    unsigned sum = 0;
    for (qsizetype i = 4; i < bytes.size(); ++i)
        sum += static_cast<uint8_t>(bytes.at(i));
    return static_cast<uint8_t>(sum & 0xFF);
}

int nibbleOf(QChar c)
{
    if (c == QLatin1Char('0'))
        return 0xA;
    if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    const QChar u = c.toUpper();
    if (u >= QLatin1Char('B') && u <= QLatin1Char('F'))
        return 0xB + (u.unicode() - 'B');
    return -1;
}

}

QByteArray PacketBuilder::packet(uint8_t action, const QByteArray& dataBytes, const Header& header)
{
    const qsizetype count = qMin<qsizetype>(dataBytes.size(), Framing::LargestN - 1);
    QByteArray bytes = headerBytes(header, static_cast<uint8_t>(count + 1), action);
    bytes.append(dataBytes.left(count));
    bytes.append(static_cast<char>(checksumOf(bytes)));
    return bytes;
}

QByteArray PacketBuilder::codeRead(const CodeReadFields& f)
{
    QByteArray data = f.card ? cardBytes(f.cardNumber) : pinBytes(f.pin);
    if (data.isEmpty())
        data = QByteArray(3, '\0');
    data.append(static_cast<char>(f.card ? CodeDecoding::CardBit : 0x00));
    data.append(static_cast<char>(f.result | (f.out ? 0x01 : 0x00)));
    data.append(static_cast<char>(f.slotHigh));
    data.append(static_cast<char>(f.slotLow));
    data.append(static_cast<char>(f.sequence));
    return packet(Framing::ActionCodeRead, data, f.header);
}

QByteArray PacketBuilder::doorStatus(uint8_t mode, bool tamper, const Header& header)
{
    uint8_t status = tamper ? 0x02 : 0x00;
    if (mode == DoorModeSecure)
        status |= 0x20;
    else if (mode == DoorModeBypass)
        status |= 0x40;
    return packet(Framing::ActionDoorStatus, QByteArray(1, static_cast<char>(status)), header);
}

QByteArray PacketBuilder::cardBytes(quint32 number)
{
    QByteArray bytes;
    bytes.append(static_cast<char>((number >> 16) & 0xFF));
    bytes.append(static_cast<char>((number >> 8) & 0xFF));
    bytes.append(static_cast<char>(number & 0xFF));
    return bytes;
}

QByteArray PacketBuilder::pinBytes(const QString& pin)
{
    if (pin.size() > 6)
        return {};
    QList<int> nibbles(6 - pin.size(), 0);
    for (QChar c : pin) {
        const int n = nibbleOf(c);
        if (n < 0)
            return {};
        nibbles << n;
    }
    QByteArray bytes;
    for (int i = 0; i < 6; i += 2)
        bytes.append(static_cast<char>((nibbles[i] << 4) | nibbles[i + 1]));
    return bytes;
}

QByteArray PacketBuilder::withBadChecksum(QByteArray packet)
{
    if (!packet.isEmpty())
        packet[packet.size() - 1] = static_cast<char>(static_cast<uint8_t>(packet.back()) + 1);
    return packet;
}

QByteArray PacketBuilder::withLength(uint8_t n, uint8_t action, const Header& header)
{
    QByteArray bytes = headerBytes(header, n, action);
    bytes.append(QByteArray(n, '\0'));
    return bytes;
}
