#include "bench/AttendanceYear.h"
#include "bench/IrregularPassages.h"
#include "core/AppState.h"
#include "core/ReportKind.h"
#include "platform/db/Connection.h"
#include "reports/framework/Report.h"
#include "reports/framework/ReportCatalog.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>
#include <sqlite3.h>

namespace {

// The database's own measure of its work: the steps of its virtual machine,
// in tens, while the fill of March 2025 runs over a log that begins on
// `first` and ends with 2025.
qint64 marchCost(int kind, const QDate& first)
{
    TestEnvironment env;
    env.openNewDatabase();
    AttendanceYear::Shape shape;
    shape.employees = 20;
    shape.first = first;
    AttendanceYear::write(Db(), shape);
    IrregularPassages::write(Db(), shape.employees, 0);
    appState().DefaultStartTime = QStringLiteral("08:00");
    appState().DefaultWorkHours = 8;
    ReportFilters march;
    march.fromDate = QDate(2025, 3, 1);
    march.toDate = QDate(2025, 3, 31);
    qint64 tens = 0;
    sqlite3_progress_handler(
        Db().connection()->handle(), 10,
        [](void* counted) {
            ++*static_cast<qint64*>(counted);
            return 0;
        },
        &tens);
    CountingFillShow show;
    const bool filled = makeReport(kind)->fill(march, show);
    sqlite3_progress_handler(Db().connection()->handle(), 0, nullptr, nullptr);
    return filled ? tens : -1;
}

}

// A month's fill reads that month of the log, never the years before it.
class FillCostTest : public QObject {
    Q_OBJECT

private slots:
    void aMonthCostsAsMuchOverFiveYearsAsOverOne_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("on-line events") << ReportKinds::OnLine;
        QTest::newRow("absence") << ReportKinds::Absence;
        QTest::newRow("working hours, details") << ReportKinds::HoursDetails;
        QTest::newRow("incomplete hours") << ReportKinds::IncompleteHours;
        QTest::newRow("late arrival") << ReportKinds::LateArrival;
        QTest::newRow("unauthorized access") << ReportKinds::Unauthorized;
        QTest::newRow("working hours, totals") << ReportKinds::HoursTotal;
    }

    void aMonthCostsAsMuchOverFiveYearsAsOverOne()
    {
        QFETCH(int, kind);
        const qint64 oneYear = marchCost(kind, QDate(2025, 1, 1));
        const qint64 fiveYears = marchCost(kind, QDate(2021, 1, 1));
        QVERIFY(oneYear > 0);
        QVERIFY2(fiveYears * 10 <= oneYear * 13,
                 qPrintable(QStringLiteral("%1 over five years, %2 over one").arg(fiveYears).arg(oneYear)));
    }
};

QTEST_MAIN(FillCostTest)
#include "tst_fillcost.moc"
