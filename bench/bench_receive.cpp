// Bytes a second through the framer, and code reads a second through the
// whole receive path (framing, decoding, the raw log row, the lookup of the
// code's holder and the event row, committed once a tick to a database file),
// each also as a multiple of what a 9600 baud 8N1 line can carry: 960 bytes,
// 48 code-read packets a second (counter x_line). Then the on-line monitor's
// history over a busy door's two days: the time to load it and the memory
// the program holds, before and after 2000 more reads.
//
// Each benchmark runs three repetitions and prints their median, mean and
// spread; a busy machine shows in the spread and in real time above CPU time.

#include "app/JoinSubsystems.h"
#include "app/ProgramSchema.h"
#include "bench/ChunkPort.h"
#include "bench/QuietPrompts.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/OnlineHistoryModel.h"
#include "link/PacketBuilder.h"
#include "link/PacketReceiver.h"
#include "link/ReceiveDispatcher.h"
#include "link/ReceiveLog.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/text/DateTimeText.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr double LineBytesPerSecond = 960.0;
constexpr double LineCodeReadsPerSecond = LineBytesPerSecond / 20.0; // a code read is 20 bytes

// The card number of employee n.
quint32 cardOf(int n)
{
    return static_cast<quint32>(1000000 + n * 7);
}

// Three reads in four are of employees of the register, the rest of codes nobody holds.
QByteArray codeRead(int i, int employees)
{
    PacketBuilder::CodeReadFields f;
    const bool known = i % 4 != 3;
    f.card = known || i % 8 == 3;
    f.cardNumber = known ? cardOf(1 + (i * 7919) % employees) : static_cast<quint32>(9000000 + i % 1000);
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
        bytes += codeRead(i, 500);
        if (i % 10 == 0)
            bytes += PacketBuilder::doorStatus(static_cast<uint8_t>(1 + i % 3), i % 20 == 0);
        if (i % 7 == 0)
            bytes += QByteArray("\x12\xFF\xFF\x00\x55\xFF\xFF\xFF\x31", 9);
    }
    return bytes;
}

void lineCounter(benchmark::State& state, double amount, double lineLimit)
{
    state.counters["x_line"] = benchmark::Counter(amount / lineLimit, benchmark::Counter::kIsRate);
}

// The framer as the receive tick drives it: the bytes of one read of the port
// carry the one time they were taken.
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
    state.SetBytesProcessed(bytes);
    lineCounter(state, static_cast<double>(bytes), LineBytesPerSecond);
    if (quiet.shown > 0)
        state.SkipWithError(qPrintable(quiet.last));
}

// A fresh program database in `dir` with a register of `employees` (every
// tenth code stored with blanks around it).
void openProgramDatabase(const QTemporaryDir& dir, int employees)
{
    ProgramFolder::setPathForTests(dir.path());
    JoinSubsystems();
    // What waits goes into the journal, as in the program.
    KeepWhatWaitsInAJournal();
    resetAppState();
    linkState() = LinkState{};
    receiveLog().reset();
    CreateProgramDatabase(dir.filePath(QStringLiteral("GT430.mdb")));
    OpenMainDatabase();
    Transaction t(Db());
    for (int n = 1; n <= employees; ++n) {
        QString code = QStringLiteral("%1").arg(cardOf(n), 10, 10, QLatin1Char('0'));
        if (n % 10 == 0)
            code = QStringLiteral(" ") + code + QStringLiteral("  ");
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, "
                                    "Employee_Code, PictureFile) VALUES (?, 'First', 'Last', ?, ?)"),
                     {n, code, n % 2 ? QVariant() : QVariant(QStringLiteral("/pictures/%1.jpg").arg(n))});
    }
    t.commit();
}

// The whole road of a code read, recorded whatever window is open, and the
// copy a window takes of it, over a register of range(0) employees, with
// range(1) reads arriving together in each tick.
void ReceivePath(benchmark::State& state)
{
    QuietPrompts quiet;
    QTemporaryDir dir;
    const int employees = static_cast<int>(state.range(0));
    openProgramDatabase(dir, employees);
    ChunkPort port;
    CodeReadSubscription monitor;
    const int perTick = static_cast<int>(state.range(1));
    int i = 0;
    int64_t reads = 0;
    for (auto _ : state) {
        for (int k = 0; k < perTick; ++k)
            port.waiting += codeRead(i++, employees);
        ReceiveTick(port);
        for (const CodeRead& read : monitor.takeAll())
            reads += read.Event ? 1 : 0;
    }
    state.counters["reads_per_s"] = benchmark::Counter(static_cast<double>(reads), benchmark::Counter::kIsRate);
    lineCounter(state, static_cast<double>(reads), LineCodeReadsPerSecond);
    state.counters["employees"] = employees;
    if (quiet.shown > 0)
        state.SkipWithError(qPrintable(quiet.last));
    if (reads != i)
        state.SkipWithError("a read was not recorded");
    resetAppState();
    ProgramFolder::setPathForTests({});
}

// What the receive tick costs while another program holds the database's
// write lock: the reads are framed, looked up, shown and kept waiting; the
// tick's try to store them gives up after a moment. range(0) reads arrive a tick.
void ReceivePathWhileLocked(benchmark::State& state)
{
    QuietPrompts quiet;
    QTemporaryDir dir;
    openProgramDatabase(dir, 500);
    receiveLog().setLimitForTests(100000000);
    auto other = Database::open(appState().DbPath, {});
    other->execute(QStringLiteral("BEGIN IMMEDIATE"));
    ChunkPort port;
    CodeReadSubscription monitor;
    const int perTick = static_cast<int>(state.range(0));
    int i = 0;
    int64_t shown = 0;
    for (auto _ : state) {
        for (int k = 0; k < perTick; ++k)
            port.waiting += codeRead(i++, 500);
        ReceiveTick(port);
        shown += monitor.takeAll().size();
    }
    state.counters["reads_per_s"] = benchmark::Counter(static_cast<double>(shown), benchmark::Counter::kIsRate);
    state.counters["waiting"] = receiveLog().waiting();
    if (shown != i)
        state.SkipWithError("a read was not shown");
    other->execute(QStringLiteral("ROLLBACK"));
    other->close();
    receiveLog().reset();
    resetAppState();
    ProgramFolder::setPathForTests({});
}

// Once the lock ends: range(0) reads that waited go in, as the receive ticks
// store them (each for as long as its budget allows). Timed is the storing
// alone, tick after tick, until nothing waits.
void StoringWhatWaited(benchmark::State& state)
{
    QuietPrompts quiet;
    QTemporaryDir dir;
    openProgramDatabase(dir, 500);
    const int rows = static_cast<int>(state.range(0));
    ChunkPort port;
    int ticks = 0;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            auto other = Database::open(appState().DbPath, {});
            other->execute(QStringLiteral("BEGIN IMMEDIATE"));
            while (receiveLog().waiting() < rows) {
                for (int k = 0; k < 100; ++k)
                    port.waiting += codeRead(i++, 500);
                ReceiveTick(port);
            }
            other->execute(QStringLiteral("ROLLBACK"));
            other->close();
        }
        state.ResumeTiming();
        while (receiveLog().waiting() > 0) {
            ReceiveTick(port);
            ++ticks;
        }
    }
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(rows) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["rows_per_tick"] = static_cast<double>(rows) * static_cast<double>(state.iterations()) / ticks;
    receiveLog().reset();
    resetAppState();
    ProgramFolder::setPathForTests({});
}

// The resident memory of this process, in MB.
double residentMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// The memory that range(0) reads waiting for the database hold, taken in
// while another program holds its write lock (a register of 500), with the
// on-line monitor closed (range(1) 0) or open (1): the monitor keeps the line
// of every read that waits, as there is nothing yet to read it back from.
void WaitingMemory(benchmark::State& state)
{
    QuietPrompts quiet;
    QTemporaryDir dir;
    openProgramDatabase(dir, 500);
    const int reads = static_cast<int>(state.range(0));
    const bool monitorOpen = state.range(1) != 0;
    receiveLog().setLimitForTests(reads);
    ChunkPort port;
    double before = 0;
    double after = 0;
    for (auto _ : state) {
        OnlineHistoryModel model;
        model.load(programClock().now().date());
        std::optional<CodeReadSubscription> monitor;
        if (monitorOpen)
            monitor.emplace();
        const auto show = [&] {
            if (!monitor)
                return;
            for (const CodeRead& read : monitor->takeAll()) {
                if (read.Event)
                    model.addRecorded(*read.Event);
            }
        };
        auto other = Database::open(appState().DbPath, {});
        other->execute(QStringLiteral("BEGIN IMMEDIATE"));
        // A first tick, so that what the tick itself builds up is in before the count.
        port.waiting += codeRead(0, 500);
        ReceiveTick(port);
        show();
        before = residentMB();
        for (int i = 1; receiveLog().waiting() < reads; ++i) {
            for (int k = 0; k < 100; ++k)
                port.waiting += codeRead(i * 100 + k, 500);
            ReceiveTick(port);
            show();
        }
        after = residentMB();
        if (monitorOpen && model.rowCount() != reads)
            state.SkipWithError("a read is not in the monitor");
        other->execute(QStringLiteral("ROLLBACK"));
        other->close();
        receiveLog().reset();
    }
    state.counters["waiting_MB"] = after - before;
    state.counters["bytes_per_read"] = (after - before) * 1024.0 * 1024.0 / reads;
    state.counters["monitor"] = monitorOpen ? 1 : 0;
    resetAppState();
    ProgramFolder::setPathForTests({});
}

// The on-line monitor's history over range(0) events of yesterday and today
// (half each, a register of 500): its load, with the first screen of lines
// built, is what is timed. Then, once: the memory the process holds with the
// history loaded, and what 2000 more reads through the receive path into the
// open history add to it.
void MonitorHistory(benchmark::State& state)
{
    QuietPrompts quiet;
    QTemporaryDir dir;
    openProgramDatabase(dir, 500);
    const int events = static_cast<int>(state.range(0));
    const QDate today = programClock().now().date();
    Db().execute(
        QStringLiteral(
            "INSERT INTO tblOnline (Time_CR, Date_CR, sIn, sCard, Employee_Number, sDoor, sReason, "
            "Employee_Full_Name, SlotNumber, CardNum, iLockStrike, EmpPictureFile, iIn, iDoor, iReason, iCard) "
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ? - 1) "
            "SELECT time((i % (? / 2)) * 86400 / (? / 2), 'unixepoch'), CASE WHEN i < ? / 2 THEN ? ELSE ? END, "
            "CASE i % 2 WHEN 0 THEN 'In' ELSE 'Out' END, 'Card', 1 + i % 500, 'Opened', '', "
            "(1 + i % 500) || '  Last  First', i % 500, printf('%010d', 1000000 + (1 + i % 500) * 7), NULL, NULL, "
            "1 + i % 2, 1, NULL, 1 FROM n"),
        {events, events, events, events, DateTimeText::isoDate(today.addDays(-1)), DateTimeText::isoDate(today)});
    const auto screenful = [](const OnlineHistoryModel& model) {
        for (int r = 0; r < 30 && r < model.rowCount(); ++r)
            benchmark::DoNotOptimize(model.lineAt(r));
    };
    const double before = residentMB();
    for (auto _ : state) {
        OnlineHistoryModel model;
        model.load(today);
        screenful(model);
    }
    OnlineHistoryModel model;
    model.load(today);
    screenful(model);
    const double loaded = residentMB();
    ChunkPort port;
    CodeReadSubscription monitor;
    for (int i = 0; i < 2000; ++i) {
        port.waiting += codeRead(i, 500);
        ReceiveTick(port);
        for (const CodeRead& read : monitor.takeAll()) {
            if (read.Event)
                model.addRecorded(*read.Event);
        }
        screenful(model);
    }
    const double afterReads = residentMB();
    state.counters["lines"] = model.rowCount();
    state.counters["rss_MB"] = loaded;
    state.counters["load_MB"] = loaded - before;
    state.counters["reads2000_MB"] = afterReads - loaded;
    if (quiet.shown > 0)
        state.SkipWithError(qPrintable(quiet.last));
    if (model.rowCount() != events + 2000)
        state.SkipWithError("a line is missing");
    resetAppState();
    ProgramFolder::setPathForTests({});
}

}

BENCHMARK(Framer)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(ReceivePath)
    ->ArgNames({"employees", "reads_per_tick"})
    ->Args({500, 1})
    ->Args({500, 10})
    ->Args({10000, 1})
    ->Args({10000, 10})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK(ReceivePathWhileLocked)
    ->ArgName("reads_per_tick")
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(StoringWhatWaited)
    ->ArgName("rows")
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(WaitingMemory)
    ->ArgNames({"reads", "monitor"})
    ->Args({200000, 0})
    ->Args({200000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(MonitorHistory)
    ->ArgName("events")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The faults the benchmarks bring about on purpose are told in the log, every repetition.
    QLoggingCategory::setFilterRules(QStringLiteral("gt430.warning=false\ngt430.info=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The last benchmark's database is closed while Qt's database registry still
    // exists; left to the end of the process, its connection outlives it.
    resetAppState();
    return 0;
}
