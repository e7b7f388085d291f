#include "core/AppState.h"
#include "reports/framework/LateReportFill.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;

namespace {

const QString Monday = QStringLiteral("2026-03-02");
const QString Tuesday = QStringLiteral("2026-03-03");
const QString Friday = QStringLiteral("2026-03-06");

ReportFilters week()
{
    ReportFilters f;
    f.fromDate = QDate(2026, 3, 1);
    f.toDate = QDate(2026, 3, 7);
    return f;
}

void day(int employee, const QString& date, const QString& firstIn)
{
    addEvent(employee, date, firstIn, 1);
    addEvent(employee, date, QStringLiteral("17:00:00"), 2);
}

QList<QStringList> lateRows()
{
    return rows(QStringLiteral("SELECT Employee_Number, Date, StartTimeNeed, StartTimeDid, LateMinute, TotalDays, "
                               "TotalHours, TotalMinutes, IsTotal FROM tblLateReport ORDER BY AutoNumber"));
}

bool fill()
{
    CountingFillShow show;
    return FillIn_LateReport_Tbl(week(), show);
}

}

class LateFillTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        appState().DefaultStartTime = QStringLiteral("08:00");
        setGroupStartTimes(QStringLiteral("08:00"), QStringLiteral(""), QStringLiteral(""), QStringLiteral(""));
        addEmployee(1, QStringLiteral("A"), QStringLiteral("Able"));
    }
    void cleanup() { env.reset(); }

    void lateness_data()
    {
        QTest::addColumn<QString>("firstIn");
        QTest::addColumn<QString>("late"); // empty: on time
        // clang-format off
        QTest::newRow("at the minute") << "08:00:00" << "";
        QTest::newRow("seconds into the minute") << "08:00:45" << "";
        QTest::newRow("early") << "07:40:00" << "";
        QTest::newRow("a minute") << "08:01:00" << " 0:01";
        QTest::newRow("75 minutes") << "09:15:59" << " 1:15";
        QTest::newRow("ten hours") << "18:00:00" << " 10:00";
        // clang-format on
    }

    void lateness()
    {
        QFETCH(QString, firstIn);
        QFETCH(QString, late);
        addEvent(1, Monday, firstIn, 1);
        QVERIFY(fill());
        QList<QStringList> expected;
        if (!late.isEmpty())
            expected << QStringList{"1", Monday, "08:00", firstIn, late, "1", "<null>", "<null>", "0"};
        expected << QStringList{
            "1",
            "Total",
            "<null>",
            "<null>",
            late.isEmpty() ? " 0:00" : late,
            late.isEmpty() ? "0" : "1",
            late.isEmpty() ? " 0" : late.section(':', 0, 0),
            late.isEmpty() ? " 0" : QString(QLatin1Char(' ') + QString::number(late.section(':', 1).toInt())),
            "1"};
        QCOMPARE(lateRows(), expected);
    }

    void eachEmployeeGetsItsTotalRightAfterItsDays()
    {
        addEmployee(2, QStringLiteral("B"), QStringLiteral("Baker"));
        addEmployee(3, QStringLiteral("C"), QStringLiteral("Cole"));
        day(1, Monday, QStringLiteral("08:05:00"));
        day(1, Tuesday, QStringLiteral("09:10:00"));
        day(2, Monday, QStringLiteral("07:55:00"));
        day(3, Tuesday, QStringLiteral("08:30:00"));
        QVERIFY(fill());
        QCOMPARE(lateRows(), (QList<QStringList>{
                                 {"1", Monday, "08:00", "08:05:00", " 0:05", "1", "<null>", "<null>", "0"},
                                 {"1", Tuesday, "08:00", "09:10:00", " 1:10", "2", "<null>", "<null>", "0"},
                                 {"1", "Total", "<null>", "<null>", " 1:15", "2", " 1", " 15", "1"},
                                 {"2", "Total", "<null>", "<null>", " 0:00", "0", " 0", " 0", "1"},
                                 {"3", Tuesday, "08:00", "08:30:00", " 0:30", "1", "<null>", "<null>", "0"},
                                 {"3", "Total", "<null>", "<null>", " 0:30", "1", " 0", " 30", "1"},
                             }));
        QCOMPARE(rows(QStringLiteral(
                     "SELECT Employee_Name, PresentHours, GlobalWorked FROM tblLateReport WHERE AutoNumber = "
                     "(SELECT min(AutoNumber) FROM tblLateReport)")),
                 (QList<QStringList>{{"1 Able  A", "         8:55", "         8:55"}}));
    }

    void theScheduledStart_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QVariant>("own");
        QTest::addColumn<QString>("scheduled");
        QTest::newRow("the group's start beats the employee's own")
            << Monday << QVariant(QStringLiteral("07:30")) << "08:00";
        QTest::newRow("the employee's own where the group has none")
            << Friday << QVariant(QStringLiteral("07:30")) << "07:30";
        QTest::newRow("an empty own start") << Friday << QVariant(QStringLiteral("__:__")) << "06:45";
        QTest::newRow("no own start") << Friday << QVariant(QStringLiteral("")) << "06:45";
        QTest::newRow("a Null own start") << Friday << QVariant() << "06:45";
    }

    void theScheduledStart()
    {
        QFETCH(QString, date);
        QFETCH(QVariant, own);
        QFETCH(QString, scheduled);
        appState().DefaultStartTime = QStringLiteral("06:45");
        addEmployee(4, QStringLiteral("D"), QStringLiteral("Dunn"), own);
        addEvent(4, date, QStringLiteral("09:00:00"), 1);
        QVERIFY(fill());
        QCOMPARE(rows(QStringLiteral("SELECT StartTimeNeed FROM tblLateReport WHERE IsTotal = 0")),
                 (QList<QStringList>{{scheduled}}));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void holidaysDoNotExcuseLateness()
    {
        Db().execute(QStringLiteral("INSERT INTO tblHolidays (Date) VALUES ('2020-03-02')"));
        addEvent(1, Monday, QStringLiteral("08:20:00"), 1);
        QVERIFY(fill());
        QCOMPARE(rows(QStringLiteral("SELECT LateMinute FROM tblLateReport WHERE IsTotal = 0")),
                 (QList<QStringList>{{" 0:20"}}));
    }

    void daysWithoutAnInAreNoLateDays()
    {
        addEvent(1, Monday, QStringLiteral("12:00:00"), 2);
        QVERIFY(fill());
        QCOMPARE(count(QStringLiteral("tblLateReport")), 0);
        QVERIFY(count(QStringLiteral("tblHoursReport")) > 0);
    }

    void nothingInTheLogLeavesTheTableEmpty()
    {
        day(1, Monday, QStringLiteral("09:00:00"));
        QVERIFY(fill());
        QVERIFY(count(QStringLiteral("tblLateReport")) > 0);
        CountingFillShow show;
        ReportFilters later = week();
        later.fromDate = later.toDate = QDate(2026, 3, 7);
        QVERIFY(FillIn_LateReport_Tbl(later, show));
        QCOMPARE(count(QStringLiteral("tblLateReport")), 0);
        QCOMPARE(show.starts, 0);
    }

    // A year's lateness is more minutes than 16 bits hold.
    void aYearsLatenessDoesNotOverflow()
    {
        QDate d(2025, 1, 1);
        for (int i = 0; i < 41; ++i, d = d.addDays(1))
            addEvent(1, d.toString(Qt::ISODate), QStringLiteral("22:00:00"), 1);
        ReportFilters year = week();
        year.fromDate = QDate(2025, 1, 1);
        year.toDate = QDate(2025, 12, 31);
        appState().DefaultStartTime = QStringLiteral("08:00");
        setGroupStartTimes(QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), QStringLiteral(""));
        CountingFillShow show;
        QVERIFY(FillIn_LateReport_Tbl(year, show));
        QCOMPARE(rows(QStringLiteral(
                     "SELECT LateMinute, TotalDays, TotalHours, TotalMinutes FROM tblLateReport WHERE IsTotal = 1")),
                 (QList<QStringList>{{" 574:00", "41", " 574", " 0"}}));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // Without a settings row the days have no group start: one report for the whole fill.
    void aMissingSettingsRowIsReportedOnce()
    {
        Db().execute(QStringLiteral("DELETE FROM DoorsNames_Tbl"));
        addEmployee(2, QStringLiteral("B"), QStringLiteral("Baker"));
        for (int e : {1, 2})
            for (const QString& date : {Monday, Tuesday, Friday})
                day(e, date, QStringLiteral("08:10:00"));
        QVERIFY(fill());
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 2903\r")));
        QCOMPARE(count(QStringLiteral("tblLateReport")), 8);
    }

    // An own start time another program wrote, read on a day whose group has
    // none, fails the fill naming whose it is and the day.
    void anUnreadableOwnStartTimeNamesItsEmployee()
    {
        addEmployee(4, QStringLiteral("D"), QStringLiteral("Dunn"), QStringLiteral("7.30"));
        addEvent(4, Friday, QStringLiteral("09:00:00"), 1);
        QVERIFY(!fill());
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("Funcion error#: 902\rType mismatch (start time '7.30' of employee "
                                            "4 Dunn  D on 6 Mar 2026)(13)")});
    }

    void aFailedFillLeavesNoRowsOfTheLastOne()
    {
        day(1, Monday, QStringLiteral("09:00:00"));
        QVERIFY(fill());
        QVERIFY(count(QStringLiteral("tblLateReport")) > 0);
        appState().DefaultStartTime = QStringLiteral("soon");
        setGroupStartTimes(QStringLiteral(""), QStringLiteral(""), QStringLiteral(""), QStringLiteral(""));
        CountingFillShow show;
        QVERIFY(!FillIn_LateReport_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblLateReport")), 0);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 902\r")));
        QCOMPARE(show.abruptEnds, 1);

        // A working-hours fill that fails leaves no late rows either.
        QVERIFY(fill() == false);
        appState().DefaultStartTime = QStringLiteral("08:00");
        QVERIFY(fill());
        QVERIFY(count(QStringLiteral("tblLateReport")) > 0);
        addEvent(1, Tuesday, QStringLiteral("later"), 1);
        QVERIFY(!fill());
        QCOMPARE(count(QStringLiteral("tblLateReport")), 0);
    }
};

QTEST_GUILESS_MAIN(LateFillTest)
#include "tst_latefill.moc"
