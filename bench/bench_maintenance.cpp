// Compaction and cut down of a site's database after one and after five years
// (500 employees, bench/AttendanceYear.h: about 520 000 code reads a year, each
// in the event log and, as the reception writes it, in the raw log), as the
// database window runs them beside the window's thread.
//
// Compaction: the program's database closes, the file is compacted into a copy
// (VACUUM INTO), synced, checked (check_ms: SQLite's integrity check alone)
// and put in its place, and the database opens again; window_ms is what of it
// the window's thread does itself (the closing and the opening), the rest runs
// beside it.
// CutDown: the oldest rows of the raw log beyond 500 000 go on a connection of
// its own, while the receive tick takes a read every 200 ms and stores it
// (the time is the cut's own; tick_max_ms: the longest tick; waited_max: the most reads that waited for
// the database at the end of a tick, 0 when every tick stored its read).
//
// Each repetition starts from the same file, copied into place untimed.

#include "app/JoinSubsystems.h"
#include "app/ProgramSchema.h"
#include "bench/AttendanceYear.h"
#include "bench/ChunkPort.h"
#include "bench/QuietPrompts.h"
#include "core/AppState.h"
#include "core/DatabaseMaintenance.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "link/ReceiveLog.h"
#include "platform/ProgramFolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <memory>
#include <thread>

namespace {

// A database of `years` of attendance up to the end of 2025, laid down once.
class Site {
public:
    explicit Site(int years)
    {
        ProgramFolder::setPathForTests(m_dir.path());
        JoinSubsystems();
        resetAppState();
        CreateProgramDatabase(path());
        OpenMainDatabase();
        AttendanceYear::Shape shape;
        shape.first = QDate(2026 - years, 1, 1);
        reads = AttendanceYear::write(Db(), shape);
        // The raw row of every read, as the reception writes it beside the event.
        Db().execute(QStringLiteral(
            "INSERT INTO ReadCard_Tbl (Dest_System, Dest_Address, Date_Date, Date_Time, Src_System, Src_Address, "
            "Version, Number_Bytes, Action, Data, CheckSum, SlotNumber) "
            "SELECT 1, 0, Date_CR, Time_CR, 2, 1, 1, 9, 32, "
            "'0' || (Employee_Number / 256) || (Employee_Number % 256) || '128' || (iIn - 1) || '0' || SlotNumber || "
            "(rowid % 250) || '77', 77, SlotNumber FROM tblOnline ORDER BY rowid"));
        CloseMainDatabase();
        QFile::copy(path(), pristine());
    }

    QString path() const { return m_dir.filePath(QStringLiteral("GT430.mdb")); }
    QString pristine() const { return m_dir.filePath(QStringLiteral("pristine.mdb")); }

    // The file as it was laid down, opened as the program's database.
    void restore()
    {
        ProgramFolder::setPathForTests(m_dir.path());
        resetAppState();
        receiveLog().reset();
        linkState() = LinkState{};
        Database::removeFiles(path());
        QFile::copy(pristine(), path());
        OpenMainDatabase();
    }

    qint64 reads = 0;

private:
    QTemporaryDir m_dir;
};

Site& site(int years)
{
    static std::map<int, std::unique_ptr<Site>> sites;
    std::unique_ptr<Site>& s = sites[years];
    if (!s)
        s = std::make_unique<Site>(years);
    return *s;
}

void Compaction(benchmark::State& state)
{
    QuietPrompts quiet;
    Site& s = site(static_cast<int>(state.range(0)));
    double windowMs = 0;
    double checkMs = 0;
    qint64 before = 0;
    qint64 after = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.restore();
        before = QFileInfo(s.path()).size();
        state.ResumeTiming();
        QElapsedTimer window;
        window.start();
        CloseMainDatabaseForAMoment();
        windowMs = static_cast<double>(window.nsecsElapsed()) / 1e6;
        DatabaseMaintenance::compactFile(s.path());
        window.restart();
        ReopenMainDatabase();
        windowMs += static_cast<double>(window.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        after = QFileInfo(s.path()).size();
        QElapsedTimer check;
        check.start();
        if (Database::integrityCheck(s.path()) != QLatin1String("ok"))
            state.SkipWithError("the compacted file is damaged");
        checkMs = static_cast<double>(check.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    state.counters["reads"] = static_cast<double>(s.reads);
    state.counters["window_ms"] = windowMs;
    state.counters["check_ms"] = checkMs;
    state.counters["file_MB"] = static_cast<double>(before) / 1e6;
    state.counters["compacted_MB"] = static_cast<double>(after) / 1e6;
    if (quiet.shown > 0)
        state.SkipWithError(qPrintable(quiet.last));
    CloseMainDatabase();
}

void CutDown(benchmark::State& state)
{
    QuietPrompts quiet;
    Site& s = site(static_cast<int>(state.range(0)));
    double tickMaxMs = 0;
    int waitedMax = 0;
    int ticks = 0;
    qint64 cut = 0;
    double cutMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.restore();
        cut = DatabaseMaintenance::readCardRows(Db()) - DatabaseMaintenance::ReadCardRowsKept;
        ChunkPort port;
        state.ResumeTiming();
        std::atomic<bool> done{false};
        std::thread beside([&] {
            UseDatabaseOnThisThread own(s.path());
            QElapsedTimer spent;
            spent.start();
            DatabaseMaintenance::cutDown(Db());
            cutMs = static_cast<double>(spent.nsecsElapsed()) / 1e6;
            done = true;
        });
        while (!done) {
            PacketBuilder::CodeReadFields read;
            read.cardNumber = static_cast<quint32>(900000 + ticks);
            read.sequence = static_cast<uint8_t>(ticks % 250 + 1);
            port.waiting += PacketBuilder::codeRead(read);
            QElapsedTimer tick;
            tick.start();
            ReceiveTick(port);
            tickMaxMs = std::max(tickMaxMs, static_cast<double>(tick.nsecsElapsed()) / 1e6);
            waitedMax = std::max(waitedMax, receiveLog().waiting());
            ++ticks;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        beside.join();
        state.SetIterationTime(cutMs / 1000.0);
        // The site's rows beyond the limit are gone; the ticks' reads stay.
        const int kept =
            Db().openSql(QStringLiteral("SELECT count(*) FROM ReadCard_Tbl WHERE Date_Date < '2026-01-01'"))
                .field(0)
                .variant()
                .toInt();
        if (kept > DatabaseMaintenance::ReadCardRowsKept || kept < DatabaseMaintenance::ReadCardRowsKept - ticks)
            state.SkipWithError("the cut kept another number of rows");
    }
    state.counters["rows_cut"] = static_cast<double>(cut);
    state.counters["tick_max_ms"] = tickMaxMs;
    state.counters["waited_max"] = waitedMax;
    state.counters["ticks"] = ticks;
    if (quiet.shown > 0)
        state.SkipWithError(qPrintable(quiet.last));
    CloseMainDatabase();
}

}

BENCHMARK(Compaction)
    ->ArgName("years")
    ->Arg(1)
    ->Arg(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(CutDown)
    ->ArgName("years")
    ->Arg(1)
    ->Arg(5)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3);
