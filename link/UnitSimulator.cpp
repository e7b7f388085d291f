#include "link/UnitSimulator.h"

#include "link/PacketFraming.h"

namespace {

const QList<std::pair<UnitSimulator::Fault, QString>>& faultNames()
{
    static const QList<std::pair<UnitSimulator::Fault, QString>> names{
        {UnitSimulator::Fault::Split, QStringLiteral("split")},
        {UnitSimulator::Fault::Junk, QStringLiteral("junk")},
        {UnitSimulator::Fault::SyncRun, QStringLiteral("ffrun")},
        {UnitSimulator::Fault::BadChecksum, QStringLiteral("badsum")},
        {UnitSimulator::Fault::Overlong, QStringLiteral("n245")},
        {UnitSimulator::Fault::Truncated, QStringLiteral("truncate")},
    };
    return names;
}

QString resultName(int result)
{
    switch (result) {
    case 0: return QStringLiteral("opened");
    case 8: return QStringLiteral("secure mode");
    case 16: return QStringLiteral("time zones");
    case 24: return QStringLiteral("unknown code");
    default: return QStringLiteral("result %1").arg(result);
    }
}

}

UnitSimulator::UnitSimulator(Options options) : m_options(std::move(options)), m_random(m_options.seed)
{
    if (m_options.cards.isEmpty() && m_options.pins.isEmpty())
        m_options.cards << 4660;
    if (m_options.faultEvery < 1)
        m_options.faultEvery = 1;
}

bool UnitSimulator::done() const
{
    return m_options.count > 0 && m_reads >= m_options.count;
}

UnitSimulator::Transmission UnitSimulator::next()
{
    const qint64 readAt = static_cast<qint64>(m_reads) * m_options.intervalMs;
    const qint64 statusAt = m_options.statusEveryMs > 0 ? static_cast<qint64>(m_statuses) * m_options.statusEveryMs
                                                        : (m_statuses == 0 ? 0 : -1);
    if (statusAt >= 0 && statusAt <= readAt)
        return doorStatus();
    return codeRead();
}

UnitSimulator::Transmission UnitSimulator::doorStatus()
{
    Transmission t;
    t.atMs = static_cast<qint64>(m_statuses) * m_options.statusEveryMs;
    ++m_statuses;
    t.chunks << PacketBuilder::doorStatus(m_options.mode, m_options.tamper, m_options.header);
    static const char* modes[] = {"?", "normal", "secure", "bypass"};
    t.description = QStringLiteral("door status %1%2")
                        .arg(QLatin1String(m_options.mode <= 3 ? modes[m_options.mode] : "?"),
                             m_options.tamper ? QStringLiteral(", tamper") : QString());
    return t;
}

UnitSimulator::Transmission UnitSimulator::codeRead()
{
    Transmission t;
    t.codeRead = true;
    t.atMs = static_cast<qint64>(m_reads) * m_options.intervalMs;
    const int index = m_reads++;
    const int codes = static_cast<int>(m_options.cards.size() + m_options.pins.size());
    const int which = index % codes;

    PacketBuilder::CodeReadFields f;
    f.header = m_options.header;
    f.card = which < m_options.cards.size();
    QString code;
    if (f.card) {
        f.cardNumber = m_options.cards.at(which) & 0xFFFFFF;
        code = QStringLiteral("card %1").arg(f.cardNumber);
    } else {
        f.pin = m_options.pins.at(which - m_options.cards.size());
        code = QStringLiteral("PIN %1").arg(f.pin);
    }
    f.out = m_options.direction == Direction::Out || (m_options.direction == Direction::Alternate && index % 2 == 1);
    f.result = static_cast<uint8_t>(m_options.result < 0 ? 0 : (m_options.result & 0xFE));
    if (m_options.lockStrike == 1 || m_options.lockStrike == 2) {
        f.slotHigh = 0xFF;
        f.slotLow = m_options.lockStrike == 1 ? 0xFF : 0xFE;
    } else {
        f.setSlot(static_cast<uint16_t>(m_options.slot >= 0 ? m_options.slot : which + 1));
    }
    f.sequence = static_cast<uint8_t>(index + 1);
    const QByteArray packet = PacketBuilder::codeRead(f);
    t.description = QStringLiteral("code read %1: %2, %3, %4, slot %5, sequence %6")
                        .arg(index + 1)
                        .arg(code, f.out ? QStringLiteral("out") : QStringLiteral("in"), resultName(f.result))
                        .arg(f.slotHigh * 256 + f.slotLow)
                        .arg(f.sequence);
    t.chunks << packet;
    if (!m_options.faults.isEmpty() && (index + 1) % m_options.faultEvery == 0) {
        const int n = (index + 1) / m_options.faultEvery - 1;
        applyFault(m_options.faults.at(n % m_options.faults.size()), t, packet);
    }
    return t;
}

void UnitSimulator::applyFault(Fault fault, Transmission& t, const QByteArray& packet)
{
    QByteArray before;
    switch (fault) {
    case Fault::Split: {
        const qsizetype cut = 1 + m_random.bounded(static_cast<int>(packet.size() - 1));
        t.chunks = {packet.left(cut), packet.mid(cut)};
        break;
    }
    case Fault::Junk:
        for (int i = 0, n = 1 + m_random.bounded(12); i < n; ++i)
            before.append(static_cast<char>(m_random.bounded(0xFF))); // never 0xFF
        t.chunks = {before + packet};
        break;
    case Fault::SyncRun:
        t.chunks = {QByteArray(1 + m_random.bounded(40), static_cast<char>(Framing::SyncByte)) + packet};
        break;
    case Fault::BadChecksum:
        t.chunks = {PacketBuilder::withBadChecksum(packet)};
        t.intact = false;
        break;
    case Fault::Overlong:
        // The program reports the false header as an overflow; the read behind it arrives.
        t.chunks = {PacketBuilder::withLength(245, Framing::ActionCodeRead, m_options.header).left(12) + packet};
        break;
    case Fault::Truncated:
        // A frame cut short, the read sent again whole behind it: that one arrives.
        t.chunks = {packet.left(Framing::BytesBeforeN + m_random.bounded(6)) + packet};
        break;
    }
    t.description += QStringLiteral(" [") + faultName(fault) + QLatin1Char(']');
}

bool UnitSimulator::parseFault(const QString& name, Fault& fault)
{
    for (const auto& [f, n] : faultNames()) {
        if (n == name) {
            fault = f;
            return true;
        }
    }
    return false;
}

QString UnitSimulator::faultName(Fault fault)
{
    for (const auto& [f, n] : faultNames()) {
        if (f == fault)
            return n;
    }
    return {};
}
