// libFuzzer target over the receive side: framing, the receive tick and the
// decoding of code reads and door status. No database is open, so the rows
// wait in the receive log and its report goes to the (silent) prompts; what
// is checked is that nothing crashes, reads out of bounds or hangs, and that
// the framer keeps its promises.
//
// An input with an even first byte is the raw byte stream, cut into reads of
// the port at varying sizes. With an odd first byte the rest is a small
// program that builds well-formed and damaged packets (noise, frames cut
// short, bad checksums, false syncs and false lengths between good frames),
// so that valid frames turn up without a corpus, and the framer's promise
// about them can be checked: every good frame that overlaps no other frame
// the framer accepted is delivered exactly once, and the good frames come in
// the order they were sent.

#include "core/Messages.h"
#include "link/CodeDecoding.h"
#include "link/LinkState.h"
#include "link/OnlineEvent.h"
#include "link/PacketBuilder.h"
#include "link/PacketFraming.h"
#include "link/PacketReceiver.h"
#include "link/ReceiveDispatcher.h"
#include "link/ReceiveLog.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/serial/CommPort.h"

#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>

namespace {

class FuzzPort final : public CommPort {
public:
    void setCommPort(int16_t) override {}
    int16_t commPort() const override { return 1; }
    void setPortOpen(bool open) override { m_open = open; }
    bool portOpen() const override { return m_open; }
    int inBufferCount() override { return static_cast<int>(waiting.size()); }
    void clearInBuffer() override { waiting.clear(); }
    QByteArray readInput() override { return std::exchange(waiting, {}); }
    QByteArray waiting;

private:
    bool m_open = true;
};

class SilentPrompts final : public Prompts {
public:
    int messageBox(const QString&, const QString&, int, int) override { return MsgBox::Ok; }
    std::optional<int> chooseLanguage(const QString&, const QStringList&, int) override { return std::nullopt; }
};

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)); }
    void waitUntil(const QDateTime&) override {}
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// What waits for more can still be part of a packet: a frame coming in, or
// a run of at most three 0xFF that may begin a sync.
bool onlyWhatMayBeAPacket(const QByteArray& rest)
{
    if (rest.size() < 2 || rest.startsWith(QByteArray("\xFF\xFF\xFF\x55", 4)))
        return true;
    return rest.size() <= 3 && rest.count(static_cast<char>(0xFF)) == rest.size();
}

// The reads of the port, each one chunk.
QList<QByteArray> rawChunks(const uint8_t* data, size_t size)
{
    QList<QByteArray> chunks;
    uint32_t state = static_cast<uint32_t>(size) * 2654435761u;
    for (size_t i = 0; i < size;) {
        state = state * 1103515245u + 12345u;
        const size_t n = std::min<size_t>(size - i, 1 + (state >> 16) % 48);
        chunks << QByteArray(reinterpret_cast<const char*>(data + i), static_cast<qsizetype>(n));
        i += n;
    }
    return chunks;
}

// A frame's place in the whole stream: from its first sync byte to past its checksum.
struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
    bool overlaps(const Span& o) const { return start < o.end && o.start < end; }
};

struct Stream {
    QList<QByteArray> chunks;
    QList<Span> good; // the well-formed frames, in the order sent
};

Stream builtChunks(const uint8_t* data, size_t size)
{
    Stream stream;
    QList<QByteArray>& chunks = stream.chunks;
    chunks << QByteArray();
    qsizetype sent = 0; // bytes in the chunks before the last
    size_t i = 0;
    const auto next = [&]() -> uint8_t { return i < size ? data[i++] : 0; };
    while (i < size) {
        const uint8_t op = next();
        QByteArray& out = chunks.last();
        const auto good = [&](const QByteArray& frame) {
            const qsizetype start = sent + out.size();
            stream.good << Span{start, start + frame.size()};
            out += frame;
        };
        switch (op % 8) {
        case 0:
        case 1: {
            PacketBuilder::CodeReadFields f;
            f.card = (op & 0x10) != 0;
            f.cardNumber = (quint32(next()) << 16) | (quint32(next()) << 8) | next();
            f.pin = QString::number(f.cardNumber % 1000000);
            f.result = next();
            f.slotHigh = next();
            f.slotLow = next();
            f.sequence = next();
            QByteArray p = PacketBuilder::codeRead(f);
            const bool damaged = (op & 0x60) != 0;
            if (op & 0x20)
                p = PacketBuilder::withBadChecksum(p);
            if (op & 0x40)
                p.truncate(next() % p.size());
            if (damaged)
                out += p;
            else
                good(p);
            break;
        }
        case 2: good(PacketBuilder::doorStatus(next() % 4, (op & 0x10) != 0)); break;
        case 3: {
            const int n = next() % 40;
            QByteArray d;
            for (int k = 0; k < n; ++k)
                d.append(static_cast<char>(next()));
            good(PacketBuilder::packet(next(), d));
            break;
        }
        case 4: out += PacketBuilder::withLength(next()).left(12 + next() % 8); break;
        case 5: out += QByteArray(next(), static_cast<char>(0xFF)); break;
        case 6:
            for (int k = 0, n = next() % 16; k < n; ++k)
                out.append(static_cast<char>(next()));
            break;
        default: // the next tick
            sent += out.size();
            chunks << QByteArray();
            break;
        }
    }
    return stream;
}

void decode(const PacketRecord& p)
{
    GetCardCode(p.Data);
    try {
        const CodeReadMeaning m = meaningOf(p.Data);
        check(m.reason >= 0 && m.reason <= 3 && m.lockStrike >= 0 && m.lockStrike <= 2);
    } catch (const AppError& e) {
        check(e.number() == Err::SubscriptOutOfRange && !p.hasByte(7));
    }
    if (p.Action == Framing::ActionCodeRead && p.hasByte(8)) {
        check(CodeDecoding::paddedCode(GetCardCode(p.Data)).size() == 12);
        GetSlotNumber();
    }
    if (p.Action == Framing::ActionDoorStatus && p.hasByte(1)) {
        const uint8_t mode = GetDoorStatus();
        check(mode >= 1 && mode <= 3);
    }
}

// Framing and decoding, packet by packet; the frames accepted, where they stood.
QList<Span> frameAndDecode(const QList<QByteArray>& chunks)
{
    linkState() = LinkState{};
    receiveLog().reset();
    FuzzPort port;
    QList<Span> accepted;
    qsizetype base = 0; // where the accumulator's first byte stood in the stream
    const auto frame = [&] {
        for (int guard = 0;; ++guard) {
            // Emptied before each call, so that a packet whose Action is 0 (which
            // ends the calls as "nothing" does) is told from nothing at all.
            linkState().CurPacket = PacketRecord{};
            const qsizetype had = linkState().RxAccumulator.size() + port.waiting.size();
            const uint8_t action = GetPacket(port);
            const PacketRecord& p = linkState().CurPacket;
            const qsizetype consumed = had - linkState().RxAccumulator.size();
            if (p.hasData()) {
                check(p.Action == action);
                check(p.Data.size() == p.Number_Bytes + 1 && p.Data.at(0) == 0);
                check(p.CheckSum == static_cast<uint8_t>(p.Data.back()) || p.Number_Bytes == 0);
                // A packet goes with everything before it, and nothing behind it.
                accepted << Span{base + consumed - (p.Number_Bytes + Framing::HeaderLength), base + consumed};
                decode(p);
            }
            base += consumed;
            if (!p.hasData())
                break;
            check(guard <= Framing::AccumulatorLimit);
        }
    };
    for (const QByteArray& chunk : chunks) {
        port.waiting += chunk;
        frame();
        const QByteArray& rest = linkState().RxAccumulator;
        check(rest.size() <= Framing::AccumulatorLimit);
        // Behind "nothing", the framer has already dropped whatever it can.
        const FrameScan scan = ScanFrames(rest.constData(), rest.size());
        check(rest.size() < 2 || (scan.kind == FrameScan::Waiting && scan.drop == 0));
        check(onlyWhatMayBeAPacket(rest));
    }
    return accepted;
}

// Every good frame that no other accepted frame overlaps is delivered once, in order.
void checkGoodFramesArrive(const QList<Span>& good, const QList<Span>& accepted)
{
    for (qsizetype k = 1; k < accepted.size(); ++k)
        check(accepted.at(k - 1).end <= accepted.at(k).start);
    for (const Span& g : good) {
        bool hidden = false;
        int delivered = 0;
        for (const Span& a : accepted) {
            if (a.start == g.start && a.end == g.end)
                ++delivered;
            else if (a.overlaps(g))
                hidden = true;
        }
        check(hidden || delivered == 1);
    }
}

// The framer alone, over the whole stream at once.
void extractAll(const QList<QByteArray>& chunks)
{
    QByteArray buffer;
    for (const QByteArray& c : chunks)
        buffer += c;
    const qsizetype total = buffer.size();
    for (qsizetype passes = 0; buffer.size() >= 2; ++passes) {
        const qsizetype before = buffer.size();
        QByteArray packet;
        bool found = false;
        try {
            found = ExtractPacket(buffer, packet);
        } catch (const AppError& e) {
            // A false length: its first byte goes, the bytes behind it stay.
            check(e.number() == Err::Overflow && buffer.size() < before);
            continue;
        }
        if (found) {
            check(VerifyChecksum(packet));
            check(packet.size() == static_cast<uint8_t>(packet.at(9)) + Framing::HeaderLength);
            check(static_cast<uint8_t>(packet.at(0)) == 0xFF && static_cast<uint8_t>(packet.at(3)) == 0x55);
        } else {
            check(packet.isEmpty());
        }
        check(buffer.size() <= before);
        if (!found)
            check(onlyWhatMayBeAPacket(buffer));
        if (buffer.size() == before)
            return;
        check(passes <= total); // every pass consumes a byte at least
    }
}

// The whole receive tick, with the logs failing for want of a database.
void dispatch(const QList<QByteArray>& chunks)
{
    linkState() = LinkState{};
    receiveLog().reset();
    FuzzPort port;
    for (const QByteArray& chunk : chunks) {
        port.waiting += chunk;
        ReceiveTick(port);
        check(linkState().RxAccumulator.size() <= Framing::AccumulatorLimit);
    }
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A fixed zone: local time is then worked out without reading the zone file every time.
    setenv("TZ", "UTC", 1);
    // Without a database every input's rows wait, and the log would say so for each.
    QLoggingCategory::setFilterRules(QStringLiteral("gt430.warning=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SilentPrompts prompts;
    static FixedClock clock;
    setPrompts(&prompts);
    setProgramClock(&clock);
    if (size == 0)
        return 0;
    Stream stream;
    if (data[0] % 2 == 0)
        stream.chunks = rawChunks(data + 1, size - 1);
    else
        stream = builtChunks(data + 1, size - 1);
    checkGoodFramesArrive(stream.good, frameAndDecode(stream.chunks));
    extractAll(stream.chunks);
    dispatch(stream.chunks);
    return 0;
}
