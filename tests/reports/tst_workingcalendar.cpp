#include "core/AppState.h"
#include "reports/framework/WorkingCalendar.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;

namespace {

const QDate Monday(2026, 3, 2);
const QDate Thursday(2026, 3, 5);
const QDate Friday(2026, 3, 6);
const QDate Saturday(2026, 3, 7);
const QDate Sunday(2026, 3, 8);

void addHoliday(const QString& date)
{
    Db().execute(QStringLiteral("INSERT INTO tblHolidays (Date, Description) VALUES (?, 'Holiday')"), {date});
}

void setHours(const QVariant& monThu, const QVariant& fri, const QVariant& sat, const QVariant& sun)
{
    Db().execute(
        QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Hours = ?, Fri_Hours = ?, Sat_Hours = ?, Sun_Hours = ?"),
        {monThu, fri, sat, sun});
}

}

class WorkingCalendarTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
    }
    void cleanup() { env.reset(); }

    void workingDays_data()
    {
        QTest::addColumn<QVariant>("monThu");
        QTest::addColumn<QVariant>("fri");
        QTest::addColumn<QVariant>("sat");
        QTest::addColumn<QVariant>("sun");
        QTest::addColumn<QList<bool>>("working"); // Monday, Thursday, Friday, Saturday, Sunday
        QTest::newRow("Monday to Thursday even without a start time")
            << QVariant(QStringLiteral("")) << QVariant(QStringLiteral("")) << QVariant(QStringLiteral(""))
            << QVariant(QStringLiteral("")) << QList<bool>{true, true, false, false, false};
        QTest::newRow("a start time makes the day")
            << QVariant(QStringLiteral("08:00")) << QVariant(QStringLiteral("07:30"))
            << QVariant(QStringLiteral("09:00")) << QVariant(QStringLiteral("10:00"))
            << QList<bool>{true, true, true, true, true};
        QTest::newRow("Null is no start time")
            << QVariant(QStringLiteral("08:00")) << QVariant() << QVariant() << QVariant(QStringLiteral("10:00"))
            << QList<bool>{true, true, false, false, true};
    }

    void workingDays()
    {
        QFETCH(QVariant, monThu);
        QFETCH(QVariant, fri);
        QFETCH(QVariant, sat);
        QFETCH(QVariant, sun);
        QFETCH(QList<bool>, working);
        setGroupStartTimes(monThu, fri, sat, sun);
        const QList<QDate> days{Monday, Thursday, Friday, Saturday, Sunday};
        for (qsizetype i = 0; i < days.size(); ++i)
            QCOMPARE(IsWorkingDay(days[i]), working[i]);
        // The time of day plays no part; the start time of the group is its text.
        QCOMPARE(GetScheduledStartTime(Friday), fri.isNull() ? QString() : fri.toString());
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void holidaysRecurEveryYear()
    {
        setGroupStartTimes(QStringLiteral("08:00"), QStringLiteral("08:00"), QStringLiteral("08:00"),
                           QStringLiteral("08:00"));
        addHoliday(QStringLiteral("2019-12-25"));
        addHoliday(QStringLiteral("2024-02-29"));
        addHoliday(QStringLiteral("2020-03-02"));
        QVERIFY(!IsWorkingDay(QDate(2026, 12, 25)));
        QVERIFY(!IsWorkingDay(QDate(2031, 12, 25)));
        QVERIFY(!IsWorkingDay(Monday));
        QVERIFY(!IsWorkingDay(QDate(2028, 2, 29)));
        QVERIFY(IsWorkingDay(QDate(2027, 2, 28)));
        QVERIFY(IsWorkingDay(QDate(2027, 3, 1)));
        // The hours and the start time of a holiday are those of its weekday.
        setHours(8, QStringLiteral("6"), QStringLiteral(""), QVariant());
        QCOMPARE(GetScheduledHours(Monday), int16_t(8));
        QCOMPARE(GetScheduledStartTime(Monday), QStringLiteral("08:00"));
    }

    void scheduledHours_data()
    {
        QTest::addColumn<QVariant>("fri");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("reports");
        QTest::newRow("whole hours as text") << QVariant(QStringLiteral("6")) << 6 << 0;
        QTest::newRow("empty") << QVariant(QStringLiteral("")) << 0 << 0;
        QTest::newRow("Null") << QVariant() << 0 << 0;
        QTest::newRow("a half goes to the even hour") << QVariant(QStringLiteral("6.5")) << 6 << 0;
        QTest::newRow("no number") << QVariant(QStringLiteral("six")) << 0 << 1;
    }

    void scheduledHours()
    {
        QFETCH(QVariant, fri);
        QFETCH(int, hours);
        QFETCH(int, reports);
        setHours(8, fri, QVariant(), QVariant());
        QCOMPARE(GetScheduledHours(Friday), int16_t(hours));
        QCOMPARE(GetScheduledHours(Thursday), int16_t(8));
        QCOMPARE(env->prompts.boxes.size(), reports);
        if (reports)
            QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 2902\r")));
    }

    void withoutTheSettingsRowOnlyHolidaysAreKnown()
    {
        Db().execute(QStringLiteral("DELETE FROM DoorsNames_Tbl"));
        addHoliday(QStringLiteral("2020-03-02"));
        QVERIFY(!IsWorkingDay(Monday)); // a holiday needs no settings
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(!IsWorkingDay(Thursday));
        QCOMPARE(GetScheduledStartTime(Thursday), QString());
        QCOMPARE(env->prompts.boxes.size(), 2);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 2901\r")));
        QVERIFY(env->prompts.boxes.last().text.startsWith(QStringLiteral("Funcion error#: 2903\r")));
    }
};

QTEST_GUILESS_MAIN(WorkingCalendarTest)
#include "tst_workingcalendar.moc"
