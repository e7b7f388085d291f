// The fills of the seven reports for the whole register, without the 2 s
// pauses, over a log of one year of 500 employees (2025, about 520 000 code
// reads, a few of them refused, and entries of unknown codes) and over five
// (2021 to 2025, about 2.6 million):
// - ReportFill: the whole log. Over the year each is held against the same
//   result computed by one hand-written SQL statement: sql_ms is its time,
//   x_sql the fill's time as a multiple of it. fold_ms is the copy of the
//   fill's pages from the database's log into its file, which the program does
//   during the pause.
// - ReportMonth: March 2025, which must cost as much over five years as over one.
// - ReportFile: the text file of the year's report, which must cost no more
//   than its fill (x_fill).
// read_ms is the time SQLite takes to read the events of the fill's employees
// and days from the attendance index, employee by employee; x_read the fill's
// time as a multiple of it.

#include "app/JoinSubsystems.h"
#include "app/ProgramSchema.h"
#include "bench/AttendanceYear.h"
#include "bench/EventReportsInOneStatement.h"
#include "bench/IrregularPassages.h"
#include "bench/QuietPrompts.h"
#include "bench/ReportsInOneStatement.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/ReportKind.h"
#include "platform/ProgramFolder.h"
#include "platform/db/DeferredCheckpoint.h"
#include "platform/db/ForwardQuery.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/Report.h"
#include "reports/framework/ReportCatalog.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A log of `years` years up to the end of 2025, laid down once for the
// benchmarks of this file.
struct Log {
    QTemporaryDir dir;
    qint64 reads = 0;
    ReportFilters filters;

    explicit Log(int years)
    {
        ProgramFolder::setPathForTests(dir.path());
        JoinSubsystems();
        resetAppState();
        CreateProgramDatabase(dir.filePath(DatabaseFileName));
        OpenMainDatabase();
        AttendanceYear::Shape shape;
        shape.first = QDate(2026 - years, 1, 1);
        reads = AttendanceYear::write(Db(), shape);
        // Refused reads and unknown codes change nothing of the working hours.
        IrregularPassages::write(Db(), shape.employees, 0);
        filters.fromDate = shape.first;
        filters.toDate = shape.last;
    }

    // The program's database from now on.
    void use()
    {
        if (appState().DbPath != dir.filePath(DatabaseFileName)) {
            resetAppState();
            ProgramFolder::setPathForTests(dir.path());
            OpenMainDatabase();
        }
        appState().DefaultStartTime = QStringLiteral("08:00");
        appState().DefaultWorkHours = 8;
    }

    QVariantList params() const
    {
        return filters.rangeParams() + QVariantList{QStringLiteral("Total"), appState().DefaultStartTime};
    }
};

Log& logOf(int years)
{
    static std::map<int, std::unique_ptr<Log>> logs;
    std::unique_ptr<Log>& log = logs[years];
    if (!log)
        log = std::make_unique<Log>(years);
    log->use();
    return *log;
}

Log& year()
{
    return logOf(1);
}

// March 2025.
ReportFilters march()
{
    ReportFilters f;
    f.fromDate = QDate(2025, 3, 1);
    f.toDate = QDate(2025, 3, 31);
    return f;
}

// The time SQLite takes to read the events of the filters' employees and
// days from the attendance index, employee by employee, in ns.
qint64 readEvents(const ReportFilters& filters)
{
    QElapsedTimer timer;
    timer.start();
    ForwardQuery events(Db(),
                        QStringLiteral("SELECT o.Employee_Number, o.Date_CR, o.Time_CR, o.iIn "
                                       "FROM tblEmployees e CROSS JOIN tblOnline o INDEXED BY tblOnline_Attendance "
                                       "ON o.Employee_Number = e.Employee_Number "
                                       "WHERE e.Employee_Number BETWEEN ? AND ? AND o.Date_CR BETWEEN ? AND ?"),
                        filters.rangeParams());
    qint64 n = 0;
    while (events.next())
        n += events.integer(0);
    benchmark::DoNotOptimize(n);
    return timer.nsecsElapsed();
}

// Fills of the report with the filters, timed, the fold of each left out; the
// fills' mean time in ns, or -1 when a fill failed. A first fill, not timed,
// leaves the work tables as the same report before it would: each timed fill
// empties them of as many rows as it writes.
qint64 timedFills(benchmark::State& state, Report& report, const ReportFilters& filters, qint64* foldNs = nullptr)
{
    NoFillShow show;
    if (!report.fill(filters, show))
        return -1;
    DeferredCheckpoint::foldLog(Db());
    QElapsedTimer timer;
    qint64 fillNs = 0;
    qint64 folded = 0;
    int fills = 0;
    for (auto _ : state) {
        timer.start();
        if (!report.fill(filters, show))
            return -1;
        fillNs += timer.nsecsElapsed();
        ++fills;
        state.PauseTiming();
        timer.start();
        DeferredCheckpoint::foldLog(Db());
        folded += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    if (foldNs)
        *foldNs = fills > 0 ? folded / fills : 0;
    return fills > 0 ? fillNs / fills : -1;
}

qint64 rowsOf(const ReportQuery& query);

// The counters every fill shows: the reads of the log, the rows of its text
// file, and the time SQLite takes to read the fill's events.
void countFill(benchmark::State& state, const Log& log, Report& report, const ReportFilters& filters, qint64 fillNs)
{
    state.counters["reads"] = static_cast<double>(log.reads);
    state.counters["rows"] = static_cast<double>(rowsOf(report.saveQuery(filters)));
    const qint64 readNs = readEvents(filters);
    state.counters["read_ms"] = static_cast<double>(readNs) / 1e6;
    if (fillNs > 0 && readNs > 0)
        state.counters["x_read"] = static_cast<double>(fillNs) / static_cast<double>(readNs);
}

// The statement's rows written into the work table, as a fill writes them.
void writeAll(const QString& table, const QString& columns, const QString& statement,
              const QVariantList& params = year().params())
{
    Transaction t(Db());
    Db().execute(QStringLiteral("DELETE FROM ") + table);
    Db().execute(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM (%3)").arg(table, columns, statement), params);
    t.commit();
}

// The words the event reports write, as the fills write them in English.
const QVariantList Words{QStringLiteral("In"),           QStringLiteral("Out"),
                         QStringLiteral("Card"),         QStringLiteral("PIN"),
                         QStringLiteral("Opened"),       QStringLiteral("Not Opened"),
                         QStringLiteral("Secure Mode"),  QStringLiteral("Time Zones"),
                         QStringLiteral("Unknown Code"), QStringLiteral("Unknown Employee")};

qint64 readAll(const QString& statement, const QVariantList& params)
{
    ForwardQuery rows(Db(), statement, params);
    qint64 n = 0;
    while (rows.next())
        ++n;
    return n;
}

qint64 rowsOf(const ReportQuery& query)
{
    return readAll(query.sql, query.params);
}

// The working-hours and late tables are written as their fills write them; the
// totals, which have no table of their own, are read as the report reads them.
void bySql(int kind)
{
    const ReportFilters& f = year().filters;
    switch (kind) {
    case ReportKinds::OnLine:
        writeAll(QStringLiteral("tblOnlineReport"),
                 QStringLiteral("Employee_Name, Date_CR, Time_CR, Ext_Int_Door, Key_ProxCard, Door_Action"),
                 EventReportsInOneStatement::onlineReport(), f.rangeParams() + Words);
        break;
    case ReportKinds::Absence:
        writeAll(QStringLiteral("tblMissingReport"), QStringLiteral("Employee_Number, Employee_Name, Date"),
                 QStringLiteral("SELECT n AS Employee_Number, name AS Employee_Name, day AS Date FROM (%1)")
                     .arg(EventReportsInOneStatement::missingReport()),
                 f.rangeParams() + QVariantList{QStringLiteral("--Absence All Days--")});
        break;
    case ReportKinds::IncompleteHours:
        writeAll(QStringLiteral("tblExceptReport"),
                 QStringLiteral("Employee_Number, Employee_Name, Date, NumHourNeed, NumHourDid, ExceptHours, Total, "
                                "GlobalHours, IsTotal"),
                 EventReportsInOneStatement::exceptReport(),
                 f.rangeParams() + QVariantList{QStringLiteral("Total"), appState().DefaultWorkHours});
        break;
    case ReportKinds::Unauthorized:
        writeAll(QStringLiteral("tblUnauthorized"),
                 QStringLiteral("Employee_Number, date, time, InOut, Employee_Name, SlotNumber, Code, CardPin, "
                                "Door_Action, Reason"),
                 EventReportsInOneStatement::unauthorizedReport(), f.rangeParams().mid(2) + Words);
        break;
    case ReportKinds::HoursDetails:
        writeAll(QStringLiteral("tblHoursReport"),
                 QStringLiteral("Employee_Number, Employee_Name, Date, StartTime, EndTime, SumDay, DayTotal, DayHours, "
                                "DayMinutes, Incomplete, FirstIn, GlobalTotal, GlobalH, GlobalM, IsTotal"),
                 ReportsInOneStatement::hoursReport());
        break;
    case ReportKinds::LateArrival:
        writeAll(QStringLiteral("tblLateReport"),
                 QStringLiteral("Employee_Number, Employee_Name, Date, StartTimeNeed, StartTimeDid, LateMinute, "
                                "PresentHours, GlobalWorked, TotalDays, TotalHours, TotalMinutes, IsTotal"),
                 ReportsInOneStatement::lateReport());
        break;
    default: benchmark::DoNotOptimize(readAll(ReportsInOneStatement::totalReport(), year().params())); break;
    }
}

void ReportFill(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    const int years = static_cast<int>(state.range(1));
    Log& log = logOf(years);
    QuietPrompts prompts;
    const auto report = makeReport(kind);
    qint64 foldNs = 0;
    const qint64 fillNs = timedFills(state, *report, log.filters, &foldNs);
    state.counters["fold_ms"] = static_cast<double>(foldNs) / 1e6;
    countFill(state, log, *report, log.filters, fillNs);
    // The statements take minutes over five years: they are held against the year alone.
    if (years == 1) {
        QElapsedTimer timer;
        timer.start();
        bySql(kind);
        const qint64 sqlNs = timer.nsecsElapsed();
        state.counters["sql_ms"] = static_cast<double>(sqlNs) / 1e6;
        if (fillNs > 0 && sqlNs > 0)
            state.counters["x_sql"] = static_cast<double>(fillNs) / static_cast<double>(sqlNs);
    }
    if (prompts.shown > 0)
        state.SkipWithError(qPrintable(prompts.last));
}
BENCHMARK(ReportFill)
    ->ArgNames({"kind", "years"})
    ->ArgsProduct({benchmark::CreateDenseRange(ReportKinds::OnLine, ReportKinds::HoursTotal, 1), {1, 5}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void ReportMonth(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    Log& log = logOf(static_cast<int>(state.range(1)));
    QuietPrompts prompts;
    const auto report = makeReport(kind);
    const qint64 fillNs = timedFills(state, *report, march());
    countFill(state, log, *report, march(), fillNs);
    if (prompts.shown > 0)
        state.SkipWithError(qPrintable(prompts.last));
}
BENCHMARK(ReportMonth)
    ->ArgNames({"kind", "years"})
    ->ArgsProduct({benchmark::CreateDenseRange(ReportKinds::OnLine, ReportKinds::HoursTotal, 1), {1, 5}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

void ReportFile(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    Log& log = year();
    QuietPrompts prompts;
    const auto report = makeReport(kind);
    NoFillShow show;
    QElapsedTimer timer;
    timer.start();
    if (!report->fill(log.filters, show)) {
        state.SkipWithError("the fill failed");
        return;
    }
    const qint64 fillNs = timer.nsecsElapsed();
    const QString path = log.dir.filePath(QStringLiteral("report.txt"));
    const TextFileLayout layout = report->textFileFor(log.filters);
    const ReportQuery rows = report->saveQuery(log.filters);
    qint64 fileNs = 0;
    int files = 0;
    int written = 0;
    for (auto _ : state) {
        timer.start();
        written = writeReportFile(path, layout, rows);
        fileNs += timer.nsecsElapsed();
        ++files;
    }
    state.counters["rows"] = written;
    state.counters["fill_ms"] = static_cast<double>(fillNs) / 1e6;
    if (files > 0 && fillNs > 0)
        state.counters["x_fill"] = static_cast<double>(fileNs) / files / static_cast<double>(fillNs);
    if (prompts.shown > 0)
        state.SkipWithError(qPrintable(prompts.last));
}
BENCHMARK(ReportFile)
    ->ArgName("kind")
    ->DenseRange(ReportKinds::OnLine, ReportKinds::HoursTotal)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}
