#include "core/AppState.h"
#include "employees/Holidays.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

// The yearly holidays.
class HolidaysTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    static QStringList shown()
    {
        QStringList texts;
        for (const Holiday& h : Holidays::list(Db()))
            texts << Holidays::dayMonthText(h.date) + QLatin1Char(' ') + h.description;
        return texts;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
    }

    void cleanup() { env.reset(); }

    void holidaysComeInTheOrderOfTheYear()
    {
        using H = Holidays::AddResult;
        QCOMPARE(Holidays::add(Db(), QDate(2000, 12, 25), QStringLiteral("Christmas")), H::Added);
        QCOMPARE(Holidays::add(Db(), QDate(2000, 2, 29), QStringLiteral("Leap day")), H::Added);
        QCOMPARE(Holidays::add(Db(), QDate(2000, 10, 3), QStringLiteral("O'Day")), H::Added);
        QCOMPARE(Holidays::add(Db(), QDate(2000, 1, 1), QString()), H::Added);
        QCOMPARE(shown(), (QStringList{"01-Jan ", "29-Feb Leap day", "03-Oct O'Day", "25-Dec Christmas"}));
        // Stored as ISO text the reports read back.
        Recordset rs = Db().openSql(QStringLiteral("SELECT Date FROM tblHolidays ORDER BY Date"));
        QCOMPARE(rs.field(0).textOrEmpty(), QStringLiteral("2000-01-01"));
    }

    void aDayIsAHolidayOnce()
    {
        QCOMPARE(Holidays::add(Db(), QDate(2000, 12, 25), QStringLiteral("Christmas")), Holidays::AddResult::Added);
        // Another year is the same day.
        QCOMPARE(Holidays::add(Db(), QDate(2026, 12, 25), QStringLiteral("Again")), Holidays::AddResult::AlreadyThere);
        QCOMPARE(shown(), QStringList{"25-Dec Christmas"});
    }

    void removeTakesOnlyItsRow()
    {
        Holidays::add(Db(), QDate(2000, 5, 1), QStringLiteral("May Day"));
        Holidays::add(Db(), QDate(2000, 12, 25), QStringLiteral("Christmas"));
        const QList<Holiday> all = Holidays::list(Db());
        QVERIFY(Holidays::remove(Db(), all.first().id));
        QVERIFY(!Holidays::remove(Db(), all.first().id));
        QCOMPARE(shown(), QStringList{"25-Dec Christmas"});
    }
};

QTEST_GUILESS_MAIN(HolidaysTest)
#include "tst_holidays.moc"
