#include "bench/AttendanceYear.h"
#include "bench/ReportsInOneStatement.h"
#include "core/AppState.h"
#include "reports/framework/HoursReportFill.h"
#include "reports/framework/LateReportFill.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;

// The fills against the same results written as single SQL statements, over a
// quarter of generated attendance with its untidy days.
class FillsAgainstSqlTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    ReportFilters filters;

    QVariantList params() const
    {
        return filters.rangeParams() + QVariantList{QStringLiteral("Total"), appState().DefaultStartTime};
    }

private slots:
    void initTestCase()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        AttendanceYear::Shape shape;
        shape.employees = 40;
        shape.first = QDate(2025, 1, 1);
        shape.last = QDate(2025, 3, 31);
        QVERIFY(AttendanceYear::write(Db(), shape) > 40 * 60 * 3);
        // Fridays fall back to the employee's own start time or the default.
        setGroupStartTimes(QStringLiteral("08:00"), QStringLiteral(""), QStringLiteral(""), QStringLiteral(""));
        appState().DefaultStartTime = QStringLiteral("08:05");
        filters.fromEmployee = 3;
        filters.toEmployee = 37;
        filters.fromDate = QDate(2025, 1, 6);
        filters.toDate = QDate(2025, 3, 28);
    }
    void cleanupTestCase() { env.reset(); }

    void workingHours()
    {
        CountingFillShow show;
        QVERIFY(FillIn_HoursReport_Tbl(filters, show));
        const QList<QStringList> filled =
            rows(QStringLiteral("SELECT Employee_Number, Employee_Name, Date, StartTime, EndTime, SumDay, DayTotal, "
                                "DayHours, DayMinutes, Incomplete, FirstIn, GlobalTotal, GlobalH, GlobalM, IsTotal "
                                "FROM tblHoursReport ORDER BY AutoNumber"));
        QList<QStringList> computed = rows(ReportsInOneStatement::hoursReport(), params());
        for (QStringList& row : computed)
            row = row.mid(0, 15);
        QVERIFY(filled.size() > 3000);
        QCOMPARE(filled, computed);
    }

    void totals()
    {
        CountingFillShow show;
        QVERIFY(FillIn_HoursReport_Tbl(filters, show));
        QCOMPARE(rows(QStringLiteral("SELECT Employee_Name, Date, DayTotal, GlobalTotal FROM qryForTotalReport "
                                     "ORDER BY Employee_Number, IsTotal, AutoNumber")),
                 [&] {
                     QList<QStringList> computed = rows(ReportsInOneStatement::totalReport(), params());
                     for (QStringList& row : computed)
                         row = row.mid(0, 4);
                     return computed;
                 }());
    }

    void lateArrival()
    {
        CountingFillShow show;
        QVERIFY(FillIn_LateReport_Tbl(filters, show));
        const QList<QStringList> filled =
            rows(QStringLiteral("SELECT Employee_Number, Employee_Name, Date, StartTimeNeed, StartTimeDid, LateMinute, "
                                "PresentHours, GlobalWorked, TotalDays, TotalHours, TotalMinutes, IsTotal "
                                "FROM tblLateReport ORDER BY AutoNumber"));
        QVERIFY(filled.size() > 500);
        QCOMPARE(filled, rows(ReportsInOneStatement::lateReport(), params()));
    }
};

QTEST_GUILESS_MAIN(FillsAgainstSqlTest)
#include "tst_fillsagainstsql.moc"
