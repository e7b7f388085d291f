#include "core/AppState.h"
#include "employees/DoorSettings.h"
#include "tests/employees/EmployeeTestWorld.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

DoorSettingsBoxes boxes(const QStringList& starts, const QStringList& hours)
{
    DoorSettingsBoxes b;
    b.door = QStringLiteral("Front");
    b.company = QStringLiteral("Acme");
    for (int p = 0; p < DoorSettingsBoxes::Periods; ++p) {
        b.start[p] = starts.value(p);
        b.hours[p] = hours.value(p);
    }
    return b;
}

}

// The settings row of the door settings window.
class DoorSettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
    }

    void cleanup() { env.reset(); }

    void loadFillsTheBoxesAndTheDefaults()
    {
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET DOOR_DESCRIPTION = '  ', MonThu_Start = '07:30', "
                                    "MonThu_Hours = 9, Fri_Start = '', Fri_Hours = '4', Sat_Hours = NULL"));
        appState().CompanyName = QStringLiteral("Acme");
        DoorSettingsBoxes b;
        b.hours[2] = QStringLiteral("kept");
        DoorSettings::load(Db(), b);
        QCOMPARE(b.door, QString());
        QCOMPARE(b.start[0], QStringLiteral("07:30"));
        QCOMPARE(b.hours[0], QStringLiteral("9"));
        QCOMPARE(b.start[1], QStringLiteral("__:__"));
        QCOMPARE(b.hours[1], QStringLiteral("4"));
        QCOMPARE(b.hours[2], QStringLiteral("kept")); // no value: the box keeps what it had
        QCOMPARE(b.company, QStringLiteral("Acme"));
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("07:30"));
        QCOMPARE(appState().DefaultWorkHours, int16_t(9));
    }

    void anEmptyStartTimeKeepsTheDefault()
    {
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Start = ''"));
        appState().DefaultStartTime = QStringLiteral("06:00");
        DoorSettingsBoxes b;
        DoorSettings::load(Db(), b);
        QCOMPARE(b.start[0], QStringLiteral("__:__"));
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("06:00"));
    }

    void saveCompletesTheLaterPeriods_data()
    {
        QTest::addColumn<QStringList>("starts");
        QTest::addColumn<QStringList>("hours");
        QTest::addColumn<QStringList>("stored"); // MonThu start, hours, Fri start, hours, Sat..., Sun...
        QTest::newRow("Friday takes the hours")
            << QStringList{"08:00", "08:00", "__:__", "__:__"} << QStringList{"9", "0", "0", "0"}
            << QStringList{"08:00", "9", "08:00", "9", "", "0", "", "0"};
        QTest::newRow("Saturday takes the start time")
            << QStringList{"07:30", "__:__", "__:__", "__:__"} << QStringList{"8", "0", "5", "0"}
            << QStringList{"07:30", "8", "", "0", "07:30", "5", "", "0"};
        QTest::newRow("no start time to take")
            << QStringList{"__:__", "__:__", "__:__", "__:__"} << QStringList{"8", "0", "5", "0"}
            << QStringList{"", "8", "", "0", "", "5", "", "0"};
        QTest::newRow("an empty period stays empty")
            << QStringList{"08:00", "__:__", "__:__", "__:__"} << QStringList{"8", "0", "", "0"}
            << QStringList{"08:00", "8", "", "0", "", "0", "", "0"};
        QTest::newRow("hours with blanks")
            << QStringList{"08:00", "09:00", "__:__", "__:__"} << QStringList{" 24 ", "3", "0", "0"}
            << QStringList{"08:00", "24", "09:00", "3", "", "0", "", "0"};
    }

    void saveCompletesTheLaterPeriods()
    {
        QFETCH(QStringList, starts);
        QFETCH(QStringList, hours);
        QFETCH(QStringList, stored);
        DoorSettingsBoxes b = boxes(starts, hours);
        DoorSettings::save(Db(), b);
        QCOMPARE(doorSettingsRow().mid(1, 8), stored);
        // The boxes show what was stored.
        for (int p = 0; p < DoorSettingsBoxes::Periods; ++p) {
            const QString start = stored.at(2 * p).isEmpty() ? QStringLiteral("__:__") : stored.at(2 * p);
            QCOMPARE(b.start[p], start);
            QCOMPARE(b.hours[p], stored.at(2 * p + 1));
        }
        QCOMPARE(appState().DefaultStartTime, stored.at(0));
        QCOMPARE(appState().DefaultWorkHours, int16_t(stored.at(1).toInt()));
    }

    // Names with quotes go in as they are: every value is bound.
    void theNamesAreStoredAsTyped()
    {
        DoorSettingsBoxes b = boxes({"08:00", "__:__", "__:__", "__:__"}, {"8", "0", "0", "0"});
        b.door = QStringLiteral(" O'Hare gate ");
        b.company = QStringLiteral("Smith's \"Best\"; DROP TABLE tblOnline");
        DoorSettings::save(Db(), b);
        QCOMPARE(doorSettingsRow().first(), QStringLiteral(" O'Hare gate "));
        QCOMPARE(doorSettingsRow().last(), b.company);
        QCOMPARE(appState().CompanyName, b.company);
        b.door = QStringLiteral("   ");
        DoorSettings::save(Db(), b);
        QCOMPARE(b.door, QStringLiteral("Door 1"));
        QCOMPARE(doorSettingsRow().first(), QStringLiteral("Door 1"));
    }

    void hours_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("hours"); // -1: refused
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("most") << "24" << 24;
        QTest::newRow("plus sign") << "+5" << 5;
        QTest::newRow("too many") << "30" << -1;
        QTest::newRow("fraction") << "7.5" << -1;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("letters") << "eight" << -1;
    }

    void hours()
    {
        QFETCH(QString, typed);
        QFETCH(int, hours);
        QCOMPARE(int(DoorSettings::hoursValue(typed).value_or(-1)), hours);
    }

    // A box the save refuses stops it before anything is written.
    void refusedBoxesStoreNothing_data()
    {
        QTest::addColumn<QStringList>("starts");
        QTest::addColumn<QStringList>("hours");
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("period");
        const int time = int(DoorSettings::Problem::Box::StartTime);
        const int hrs = int(DoorSettings::Problem::Box::Hours);
        QTest::newRow("half typed time") << QStringList{"08:__", "__:__", "__:__", "__:__"}
                                         << QStringList{"8", "0", "0", "0"} << time << 0;
        QTest::newRow("hours over 24") << QStringList{"08:00", "__:__", "__:__", "__:__"}
                                       << QStringList{"8", "0", "0", "30"} << hrs << 3;
        QTest::newRow("hours not a number")
            << QStringList{"08:00", "__:__", "__:__", "__:__"} << QStringList{"8", "x", "0", "0"} << hrs << 1;
    }

    void refusedBoxesStoreNothing()
    {
        QFETCH(QStringList, starts);
        QFETCH(QStringList, hours);
        QFETCH(int, box);
        QFETCH(int, period);
        const QStringList before = doorSettingsRow();
        DoorSettingsBoxes b = boxes(starts, hours);
        b.door = QStringLiteral("Changed");
        const auto problem = DoorSettings::check(b);
        QVERIFY(problem);
        QCOMPARE(int(problem->box), box);
        QCOMPARE(problem->period, period);
        QVERIFY(failureOf([&] { DoorSettings::save(Db(), b); }) != 0);
        QCOMPARE(doorSettingsRow(), before);
    }

    void withoutTheRowNothingIsStored()
    {
        Db().execute(QStringLiteral("DELETE FROM DoorsNames_Tbl"));
        DoorSettingsBoxes b = boxes({"08:00", "__:__", "__:__", "__:__"}, {"8", "0", "0", "0"});
        QCOMPARE(failureOf([&] { DoorSettings::load(Db(), b); }), Err::NoCurrentRecord);
        appState().DefaultWorkHours = 3;
        QCOMPARE(failureOf([&] { DoorSettings::save(Db(), b); }), Err::NoCurrentRecord);
        QCOMPARE(appState().DefaultWorkHours, int16_t(3));
    }
};

QTEST_GUILESS_MAIN(DoorSettingsTest)
#include "tst_doorsettings.moc"
