// Bytes a second through the framer, and code reads a second through the
// whole receive path (framing, decoding, the raw log row and the event row,
// each committed to a database file), each also as a multiple of what a
// 9600 baud 8N1 line can carry: 960 bytes, 48 code-read packets a second.

#include "bench/QuietPrompts.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/ProgramSchema.h"
#include "link/EventRecorder.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/PacketReceiver.h"
#include "link/ReceiveDispatcher.h"
#include "platform/ProgramFolder.h"
#include "platform/serial/CommPort.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr double LineBytesPerSecond = 960.0;
constexpr double LineCodeReadsPerSecond = LineBytesPerSecond / 20.0; // a code read is 20 bytes

// A port that hands out a prepared chunk on every read.
class ChunkPort final : public CommPort {
public:
    void setCommPort(int16_t) override {}
    int16_t commPort() const override { return 1; }
    void setPortOpen(bool) override {}
    bool portOpen() const override { return true; }
    int inBufferCount() override { return static_cast<int>(waiting.size()); }
    void clearInBuffer() override { waiting.clear(); }
    QByteArray readInput() override { return std::exchange(waiting, {}); }
    QByteArray waiting;
};

QByteArray codeRead(int i)
{
    PacketBuilder::CodeReadFields f;
    f.card = i % 3 != 0;
    f.cardNumber = static_cast<quint32>(1000 + i % 400);
    f.pin = QString::number(1000 + i % 400);
    f.result = static_cast<uint8_t>((i % 4) * 8);
    f.out = i % 2 != 0;
    f.setSlot(static_cast<uint16_t>(i % 500));
    f.sequence = static_cast<uint8_t>(i);
    return PacketBuilder::codeRead(f);
}

// A second of a busy line: code reads, a door status, and some noise between packets.
QByteArray trafficSample()
{
    QByteArray bytes;
    for (int i = 0; i < 40; ++i) {
        bytes += codeRead(i);
        if (i % 10 == 0)
            bytes += PacketBuilder::doorStatus(static_cast<uint8_t>(1 + i % 3), i % 20 == 0);
        if (i % 7 == 0)
            bytes += QByteArray("\x12\xFF\xFF\x00", 4);
    }
    return bytes;
}

void ratio(benchmark::State& state, const char* name, double amount, double lineLimit)
{
    state.counters[name] = benchmark::Counter(amount, benchmark::Counter::kIsRate);
    state.counters["x_line"] = benchmark::Counter(amount / lineLimit, benchmark::Counter::kIsRate);
}

void Framer(benchmark::State& state)
{
    QuietPrompts quiet;
    ChunkPort port;
    const QByteArray sample = trafficSample();
    linkState() = LinkState{};
    int64_t bytes = 0;
    int64_t packets = 0;
    for (auto _ : state) {
        port.waiting = sample;
        while (GetPacket(port) != 0)
            ++packets;
        bytes += sample.size();
    }
    benchmark::DoNotOptimize(packets);
    ratio(state, "bytes_per_s", static_cast<double>(bytes), LineBytesPerSecond);
    if (quiet.shown > 0)
        state.SkipWithError(qPrintable(quiet.last));
}
BENCHMARK(Framer)->UseRealTime();

// The whole road of a code read with the monitor open: one read a tick, as
// many as the line can bring in one tick arrive together at range(0) > 1.
void ReceivePath(benchmark::State& state)
{
    QuietPrompts quiet;
    QTemporaryDir dir;
    ProgramFolder::setPathForTests(dir.path());
    resetAppState();
    CreateProgramDatabase(dir.filePath(QStringLiteral("GT430.mdb")));
    OpenMainDatabase();
    {
        Transaction t(Db());
        for (int n = 1; n <= 200; ++n)
            Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, "
                                        "Employee_Code, PictureFile) VALUES (?, 'First', 'Last', ?, '')"),
                         {n, QStringLiteral("%1").arg(1000 + n * 2, 10, 10, QLatin1Char('0'))});
        t.commit();
    }
    ChunkPort port;
    EventRecorder monitor;
    const int perTick = static_cast<int>(state.range(0));
    int i = 0;
    int64_t reads = 0;
    for (auto _ : state) {
        for (int k = 0; k < perTick; ++k)
            port.waiting += codeRead(i++);
        ReceiveTick(port);
        reads += monitor.RecordPending().size();
    }
    ratio(state, "reads_per_s", static_cast<double>(reads), LineCodeReadsPerSecond);
    if (quiet.shown > 0)
        state.SkipWithError(qPrintable(quiet.last));
    resetAppState();
    ProgramFolder::setPathForTests({});
}
BENCHMARK(ReceivePath)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond)->UseRealTime();

}

int main(int argc, char** argv)
{
    // The employee list's refill is measured on a real window, drawn nowhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
