#include "bench/AttendanceYear.h"
#include "bench/EventReportsInOneStatement.h"
#include "bench/IrregularPassages.h"
#include "core/AppState.h"
#include "reports/events/ExceptReportFill.h"
#include "reports/events/MissingReportFill.h"
#include "reports/events/OnlineReportFill.h"
#include "reports/events/UnauthorizedReportFill.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;

namespace {

const QVariantList Words{QStringLiteral("In"),           QStringLiteral("Out"),
                         QStringLiteral("Card"),         QStringLiteral("PIN"),
                         QStringLiteral("Opened"),       QStringLiteral("Not Opened"),
                         QStringLiteral("Secure Mode"),  QStringLiteral("Time Zones"),
                         QStringLiteral("Unknown Code"), QStringLiteral("Unknown Employee")};

QList<QStringList> firstColumns(QList<QStringList> rows, int columns)
{
    for (QStringList& row : rows)
        row = row.mid(0, columns);
    return rows;
}

}

// The fills against the same results written as single SQL statements, over a
// quarter of generated attendance with refused passages, unknown codes,
// holidays and employees who never came.
class EventFillsAgainstSqlTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    ReportFilters filters;

private slots:
    void initTestCase()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        AttendanceYear::Shape shape;
        shape.employees = 40;
        shape.first = QDate(2024, 12, 2);
        shape.last = QDate(2025, 3, 31);
        QVERIFY(AttendanceYear::write(Db(), shape) > 40 * 60 * 3);
        IrregularPassages::write(Db(), shape.employees);
        // Fridays have no hours of their own; a few employees have theirs.
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET Fri_Hours = '', Sat_Start = '09:00', Sat_Hours = '4'"));
        Db().execute(QStringLiteral("UPDATE tblEmployees SET WorkingHours = 9 WHERE Employee_Number % 7 = 0"));
        appState().DefaultWorkHours = 7;
        filters.fromEmployee = 3;
        filters.toEmployee = 43;
        filters.fromDate = QDate(2024, 12, 16);
        filters.toDate = QDate(2025, 3, 28);
    }
    void cleanupTestCase() { env.reset(); }

    // Most of the register is read by day, a few employees by their index.
    void onlineEvents_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("most of the register") << 3 << 43;
        QTest::newRow("a few employees") << 5 << 9;
    }

    void onlineEvents()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        ReportFilters some = filters;
        some.fromEmployee = from;
        some.toEmployee = to;
        CountingFillShow show;
        QVERIFY(FillIn_OnlineReport_Tbl(some, show));
        const QList<QStringList> filled =
            rows(QStringLiteral("SELECT Employee_Name, Date_CR, Time_CR, Ext_Int_Door, Key_ProxCard, Door_Action "
                                "FROM tblOnlineReport ORDER BY AutoNumber"));
        QVERIFY(filled.size() > 1000);
        QCOMPARE(filled, rows(EventReportsInOneStatement::onlineReport(), some.rangeParams() + Words));
    }

    void absence()
    {
        CountingFillShow show;
        QVERIFY(FillIn_MissingReport_Tbl(filters, show));
        const QList<QStringList> filled =
            rows(QStringLiteral("SELECT Employee_Number, Employee_Name, Date FROM tblMissingReport ORDER BY MissNum"));
        QVERIFY(filled.size() > 100);
        QVERIFY(filled.contains(QStringList{"41", "41   Absent41 Away", "--Absence All Days--"}));
        QCOMPARE(filled,
                 firstColumns(rows(EventReportsInOneStatement::missingReport(),
                                   filters.rangeParams() + QVariantList{QStringLiteral("--Absence All Days--")}),
                              3));
    }

    void incompleteHours()
    {
        CountingFillShow show;
        QVERIFY(FillIn_ExceptReport_Tbl(filters, show));
        const QList<QStringList> filled =
            rows(QStringLiteral("SELECT Employee_Number, Employee_Name, Date, NumHourNeed, NumHourDid, ExceptHours, "
                                "Total, GlobalHours, IsTotal FROM tblExceptReport ORDER BY AutoNumber"));
        QVERIFY(filled.size() > 500);
        QCOMPARE(filled, rows(EventReportsInOneStatement::exceptReport(),
                              filters.rangeParams() + QVariantList{QStringLiteral("Total"), 7}));
    }

    void unauthorizedAccess()
    {
        CountingFillShow show;
        QVERIFY(FillIn_Unauthorized_Tbl(filters, show));
        const QList<QStringList> filled =
            rows(QStringLiteral("SELECT Employee_Number, date, time, InOut, Employee_Name, SlotNumber, Code, CardPin, "
                                "Door_Action, Reason FROM tblUnauthorized ORDER BY AutoNum"));
        QVERIFY(filled.size() > 50);
        QCOMPARE(filled,
                 firstColumns(
                     rows(EventReportsInOneStatement::unauthorizedReport(), filters.rangeParams().mid(2) + Words), 10));
        QVERIFY(env->prompts.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(EventFillsAgainstSqlTest)
#include "tst_eventfillsagainstsql.moc"
