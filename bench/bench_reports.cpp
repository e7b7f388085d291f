// The fills of the seven reports over a year of 500 employees, about 520 000
// code reads (a few of them refused, and entries of unknown codes), without
// the 2 s pauses; and for each the same result computed by one hand-written
// SQL statement over the same data: sql_ms is its time, x_sql the fill's time
// as a multiple of it. fold_ms is the copy of the fill's pages from the
// database's log into its file, which the program does during the pause.

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
#include "reports/framework/FillShow.h"
#include "reports/framework/Report.h"
#include "reports/framework/ReportCatalog.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The year of data, laid down once for the benchmarks of this file.
struct Year {
    QTemporaryDir dir;
    qint64 reads = 0;
    ReportFilters filters;

    Year()
    {
        ProgramFolder::setPathForTests(dir.path());
        JoinSubsystems();
        resetAppState();
        CreateProgramDatabase(dir.filePath(QStringLiteral("GT430.mdb")));
        OpenMainDatabase();
        reads = AttendanceYear::write(Db());
        // Refused reads and unknown codes change nothing of the working hours.
        IrregularPassages::write(Db(), AttendanceYear::Shape{}.employees, 0);
        appState().DefaultStartTime = QStringLiteral("08:00");
        appState().DefaultWorkHours = 8;
        filters.fromDate = QDate(2025, 1, 1);
        filters.toDate = QDate(2025, 12, 31);
    }

    QVariantList params() const
    {
        return filters.rangeParams() + QVariantList{QStringLiteral("Total"), appState().DefaultStartTime};
    }
};

Year& year()
{
    static Year y;
    return y;
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
    Year& y = year();
    QuietPrompts prompts;
    const int kind = static_cast<int>(state.range(0));
    const auto report = makeReport(kind);
    NoFillShow show;
    QElapsedTimer timer;
    qint64 fillNs = 0;
    qint64 foldNs = 0;
    int fills = 0;
    for (auto _ : state) {
        timer.start();
        if (!report->fill(y.filters, show))
            break;
        fillNs += timer.nsecsElapsed();
        ++fills;
        state.PauseTiming();
        timer.start();
        DeferredCheckpoint::foldLog(Db());
        foldNs += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    if (fills > 0)
        state.counters["fold_ms"] = static_cast<double>(foldNs) / fills / 1e6;
    state.counters["reads"] = static_cast<double>(y.reads);
    const ReportQuery saved = report->saveQuery(y.filters);
    state.counters["rows"] = static_cast<double>(readAll(saved.sql, saved.params));
    timer.start();
    bySql(kind);
    const qint64 sqlNs = timer.nsecsElapsed();
    state.counters["sql_ms"] = static_cast<double>(sqlNs) / 1e6;
    if (fills > 0 && sqlNs > 0)
        state.counters["x_sql"] = static_cast<double>(fillNs) / fills / static_cast<double>(sqlNs);
    if (prompts.shown > 0)
        state.SkipWithError(qPrintable(prompts.last));
}
BENCHMARK(ReportFill)
    ->ArgName("kind")
    ->DenseRange(ReportKinds::OnLine, ReportKinds::HoursTotal)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}
