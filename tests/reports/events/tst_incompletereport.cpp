#include "core/AppState.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/ExceptReport.h"
#include "reports/events/ExceptReportFill.h"
#include "tests/reports/events/EventLog.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;
using namespace EventLog;

namespace {

ReportFilters week(SortDirection sort = SortDirection::Ascending)
{
    ReportFilters f;
    f.fromDate = QDate(2026, 3, 1);
    f.toDate = QDate(2026, 3, 7);
    f.sort = sort;
    return f;
}

// In and out again, as many times as times are given.
void worked(int employee, const QString& date, const QStringList& times)
{
    for (qsizetype i = 0; i < times.size(); ++i)
        addEvent(employee, date, times[i] + QStringLiteral(":00"), i % 2 == 0 ? 1 : 2);
}

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

QList<QStringList> tableRows()
{
    return rows(
        QStringLiteral("SELECT Employee_Number, Date, NumHourNeed, NumHourDid, ExceptHours, Total, GlobalHours, "
                       "IsTotal FROM tblExceptReport ORDER BY AutoNumber"));
}

bool fill(const ReportFilters& filters = week())
{
    CountingFillShow show;
    return FillIn_ExceptReport_Tbl(filters, show);
}

}

class IncompleteReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    PrintRecord record;

    int print(const ReportFilters& filters = week())
    {
        ExceptReport report;
        return EventLog::fillAndPrint(report, filters, record);
    }

private slots:
    void init()
    {
        env = EventLog::openWorld();
        record = PrintRecord{};
        appState().DefaultWorkHours = 8;
    }
    void cleanup()
    {
        env.reset();
        QLocale::setDefault(QLocale::c());
    }

    void theShortDaysOfEachEmployeeAndHisClosingRow()
    {
        worked(7, Monday, {"08:00", "12:00", "13:00", "16:20"});
        worked(7, Tuesday, {"08:00", "17:00"});
        worked(7, Wednesday, {"08:00"}); // no time worked
        worked(7, Thursday, {"08:00", "14:30"});
        worked(8, Monday, {"08:00", "16:00"});
        QVERIFY(fill());
        QCOMPARE(tableRows(),
                 (QList<QStringList>{
                     {"7", Monday, "8", blanks(9) + "7:20", blanks(6) + "0:40", "1", blanks(9) + "8:20", "0"},
                     {"7", Thursday, "8", blanks(9) + "6:30", blanks(6) + "1:30", "2", blanks(9) + "6:30", "0"},
                     {"7", "Total", "", "", blanks(6) + "2:10", "2", "", "1"},
                     {"8", "Total", "", "", blanks(6) + "0:00", "0", "", "1"},
                 }));
        QCOMPARE(rows(QStringLiteral("SELECT DISTINCT Employee_Name FROM tblExceptReport")),
                 (QList<QStringList>{{"7 Smith  John"}, {"8 Lee  Ann"}}));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void theScheduledHours_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QVariant>("own");
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QString>("need");
        QTest::addColumn<QString>("missing");
        const QStringList twoHours{"08:00", "10:00"};
        // clang-format off
        QTest::newRow("the group's hours beat the employee's own") << Monday << QVariant(4) << twoHours << "8" << blanks(6) + "6:00";
        QTest::newRow("the employee's own where the group has none") << Saturday << QVariant(6) << twoHours << "6" << blanks(6) + "4:00";
        QTest::newRow("the default where neither has any") << Saturday << QVariant(0) << twoHours << "12" << blanks(4) + "10:00";
        QTest::newRow("no own hours at all") << Saturday << QVariant() << twoHours << "12" << blanks(4) + "10:00";
        // More hours than any group schedules, fewer than the default.
        QTest::newRow("short of the default above every group's hours") << Saturday << QVariant(0) << QStringList{"08:00", "18:00"} << "12" << blanks(6) + "2:00";
        // clang-format on
    }

    void theScheduledHours()
    {
        QFETCH(QString, date);
        QFETCH(QVariant, own);
        QFETCH(QStringList, times);
        QFETCH(QString, need);
        QFETCH(QString, missing);
        appState().DefaultWorkHours = 12;
        Db().execute(QStringLiteral("UPDATE tblEmployees SET WorkingHours = ? WHERE Employee_Number = 7"), {own});
        worked(7, date, times);
        QVERIFY(fill());
        QCOMPARE(rows(QStringLiteral("SELECT NumHourNeed, ExceptHours FROM tblExceptReport WHERE IsTotal = 0")),
                 (QList<QStringList>{{need, missing}}));
    }

    // Only whole hours count: a day short of a whole hour by a minute is short.
    void onlyWholeHoursAreCompared_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QString>("missing"); // empty: not listed
        QTest::newRow("7:59") << QStringList{"08:00", "15:59"} << blanks(6) + "0:01";
        QTest::newRow("8:00") << QStringList{"08:00", "16:00"} << "";
        QTest::newRow("8:10") << QStringList{"08:00", "16:10"} << "";
        QTest::newRow("a few minutes") << QStringList{"08:00", "08:05"} << blanks(6) + "7:55";
        QTest::newRow("no pair") << QStringList{"08:00"} << "";
    }

    void onlyWholeHoursAreCompared()
    {
        QFETCH(QStringList, times);
        QFETCH(QString, missing);
        worked(7, Monday, times);
        QVERIFY(fill());
        const QList<QStringList> days =
            rows(QStringLiteral("SELECT ExceptHours FROM tblExceptReport WHERE IsTotal = 0"));
        QCOMPARE(days, missing.isEmpty() ? QList<QStringList>{} : QList<QStringList>{{missing}});
    }

    void aHolidayWorkedShortIsListed()
    {
        Db().execute(QStringLiteral("INSERT INTO tblHolidays (Date) VALUES ('2000-03-02')"));
        worked(7, Monday, {"08:00", "12:00"});
        QVERIFY(fill());
        QCOMPARE(count(QStringLiteral("tblExceptReport")), 2);
    }

    // A year's missing time is more minutes than 16 bits hold.
    void aYearsMissingTimeDoesNotOverflow()
    {
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Hours = 24, Fri_Hours = '24'"));
        QDate d(2025, 1, 6);
        for (int i = 0; i < 41; ++i, d = d.addDays(d.dayOfWeek() == 5 ? 3 : 1))
            worked(7, DateTimeText::isoDate(d), {"08:00", "09:00"});
        ReportFilters year = week();
        year.fromDate = QDate(2025, 1, 1);
        year.toDate = QDate(2025, 12, 31);
        CountingFillShow show;
        QVERIFY(FillIn_ExceptReport_Tbl(year, show));
        QCOMPARE(rows(QStringLiteral(
                     "SELECT ExceptHours, Total FROM tblExceptReport WHERE IsTotal = 1 AND Employee_Number = 7")),
                 (QList<QStringList>{{blanks(4) + "943:00", "41"}}));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // Hours of a group that are no number are said once; that group then has none.
    void badGroupHoursAreReportedOnce()
    {
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET Fri_Hours = 'eight'"));
        Db().execute(QStringLiteral("UPDATE tblEmployees SET WorkingHours = 6 WHERE Employee_Number = 7"));
        worked(7, QStringLiteral("2026-02-27"), {"08:00", "13:00"});
        worked(7, QStringLiteral("2026-03-06"), {"08:00", "13:00"});
        worked(7, Monday, {"08:00", "13:00"});
        ReportFilters twoWeeks = week();
        twoWeeks.fromDate = QDate(2026, 2, 23);
        QVERIFY(fill(twoWeeks));
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 2902\r")));
        QCOMPARE(rows(QStringLiteral("SELECT Date, NumHourNeed FROM tblExceptReport WHERE IsTotal = 0")),
                 (QList<QStringList>{{"2026-02-27", "6"}, {Monday, "8"}, {"2026-03-06", "6"}}));
    }

    void aFailedFillIsReportedAndLeavesTheTableEmpty()
    {
        worked(7, Monday, {"08:00", "12:00"});
        QVERIFY(fill());
        QVERIFY(count(QStringLiteral("tblExceptReport")) > 0);
        Db().execute(QStringLiteral("CREATE TRIGGER fails BEFORE INSERT ON tblExceptReport "
                                    "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        CountingFillShow show;
        QVERIFY(!FillIn_ExceptReport_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblExceptReport")), 0);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 852\r")));
        QCOMPARE(show.abruptEnds, 1);
    }

    // A working-hours fill that fails leaves no incomplete hours either.
    void aFailedWorkingHoursFillLeavesTheTableEmpty()
    {
        worked(7, Monday, {"08:00", "12:00"});
        QVERIFY(fill());
        QVERIFY(count(QStringLiteral("tblExceptReport")) > 0);
        addEvent(7, Tuesday, QStringLiteral("later"), 1);
        QVERIFY(!fill());
        QCOMPARE(count(QStringLiteral("tblExceptReport")), 0);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 1012\r")));
    }

    // Every row, employees never short included; each closing row last in
    // its employee's rows in either direction; the legend cut at 17.
    void theTextFile_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::newRow("ascending") << false;
        QTest::newRow("descending") << true;
    }

    void theTextFile()
    {
        QFETCH(bool, descending);
        worked(7, Monday, {"08:00", "15:00"});
        worked(7, Tuesday, {"08:00", "12:00"});
        worked(8, Monday, {"08:00", "16:00"});
        ExceptReport report;
        ReportFilters filters = week(descending ? SortDirection::Descending : SortDirection::Ascending);
        filters.fromEmployeeText = QStringLiteral("1");
        filters.toEmployeeText = QStringLiteral("500");
        CountingFillShow show;
        QVERIFY(report.fill(filters, show));
        const QString path = env->file(QStringLiteral("incomplete.txt"));
        QCOMPARE(writeReportFile(path, report.textFileFor(filters), report.saveQuery(filters)), 4);
        const QByteArray monday = line(
            {{"7 Smith  John", 17}, {"2 Mar 2026", 14}, {"8", 17}, {blanks(9) + "7:00", 16}, {blanks(6) + "1:00", 16}});
        const QByteArray tuesday = line(
            {{"7 Smith  John", 17}, {"3 Mar 2026", 14}, {"8", 17}, {blanks(9) + "4:00", 16}, {blanks(6) + "4:00", 16}});
        const QByteArray expected =
            line({{"Incomplete Hours", 17},
                  {" Report", 14},
                  {"Date: 1 Mar 2026", 17},
                  {" - 7 Mar 2026", 16},
                  {"Emp : 1 - 500", 16}}) +
            QByteArray(80, '*') + "\r\n" +
            line({{"Name", 17}, {"Date", 14}, {"Schedual Hours", 17}, {"Actual Hours", 16}, {"Missing Hours", 16}}) +
            (descending ? tuesday + monday : monday + tuesday) +
            line({{"7 Smith  John", 17}, {"Total", 14}, {"", 17}, {"", 16}, {blanks(6) + "5:00", 16}}) +
            line({{"8 Lee  Ann", 17}, {"Total", 14}, {"", 17}, {"", 16}, {blanks(6) + "0:00", 16}}) +
            line({{"(*)Incompleted Da", 17}, {"", 14}, {"", 17}, {"", 16}, {"", 16}});
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(expected.size(), 8 * 82);
    }

    // In German under de_DE: the days with four-digit years, and the first day
    // of the range whole beside its word in the title.
    void theTextFileInGerman()
    {
        TestEnvironment::useGerman();
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        worked(7, Monday, {"08:00", "15:00"});
        ExceptReport report;
        ReportFilters filters = week();
        filters.fromEmployeeText = QStringLiteral("1");
        filters.toEmployeeText = QStringLiteral("500");
        CountingFillShow show;
        QVERIFY(report.fill(filters, show));
        const QString path = env->file(QStringLiteral("incomplete.txt"));
        QCOMPARE(writeReportFile(path, report.textFileFor(filters), report.saveQuery(filters)), 2);
        const QList<QByteArray> lines = fileBytes(path).split('\n');
        // The title's dates, after the report's name (17) and word (14).
        QCOMPARE(lines.at(0).mid(31, 33), QByteArray("Datum: 01.03.2026 - 07.03.2026   "));
        QCOMPARE(lines.at(3) + '\n', line({{"7 Smith  John", 17},
                                           {"02.03.2026", 14},
                                           {"8", 17},
                                           {blanks(9) + "7:00", 16},
                                           {blanks(6) + "1:00", 16}}));
    }

    // The header's columns at X 300: Schedule Hours 2580, Actual Hours 4860,
    // Missing Hours 6900, Global Hours 9060.
    void thePrintoutShowsTheShortDaysAndTheirTotals()
    {
        worked(7, Monday, {"08:00", "15:00"});
        worked(7, Tuesday, {"08:00", "12:00"});
        worked(8, Monday, {"08:00", "16:00"}); // never short: not printed
        addEmployee(9, QStringLiteral("Bo"), QStringLiteral("Nye"));
        worked(9, Monday, {"09:00", "16:30"});
        QCOMPARE(print(), 5);
        QCOMPARE(record.pages, 1);
        QVERIFY(!record.find(QStringLiteral("8 Lee  Ann")));
        QCOMPARE(EventLog::textsAt(record, 1, 2580, 2354), (QStringList{"     8", "     8", "     8"}));
        QCOMPARE(EventLog::textsAt(record, 1, 4860, 2354),
                 (QStringList{blanks(9) + "7:00", blanks(9) + "4:00", blanks(9) + "7:30"}));
        QCOMPARE(EventLog::textsAt(record, 1, 6900, 2354),
                 (QStringList{blanks(6) + "1:00", blanks(6) + "4:00", blanks(6) + "0:30"}));
        QCOMPARE(EventLog::textsAt(record, 1, 9060, 2354),
                 (QStringList{blanks(9) + "7:00", blanks(9) + "4:00", blanks(9) + "7:30"}));
        const QString rule(65, QLatin1Char('='));
        QCOMPARE(EventLog::textsAt(record, 1, 300, 2300),
                 (QStringList{"7 Smith  John", "2 Mar 2026", "3 Mar 2026", rule,
                              "7 Smith  John Incompleted      5:00 Hours.", "9 Nye  Bo", "2 Mar 2026", rule,
                              "9 Nye  Bo Incompleted      0:30 Hours.", "(*) Incompleted Data", "Page : 1"}));
        const PrintRecord::Text* name = record.find(QStringLiteral("9 Nye  Bo"));
        QVERIFY(name->font.bold && name->font.underline);
        // An empty line stands between the first block and the second name.
        QCOMPARE(name->at.y(),
                 record.find(QStringLiteral("7 Smith  John Incompleted      5:00 Hours."))->at.y() + 2 * 276);
    }

    void thePrintedTotalStaysLastWhenSortedDownwards()
    {
        worked(7, Monday, {"08:00", "15:00"});
        worked(7, Tuesday, {"08:00", "12:00"});
        QCOMPARE(print(week(SortDirection::Descending)), 3);
        QCOMPARE(EventLog::textsAt(record, 1, 6900, 2354), (QStringList{blanks(6) + "4:00", blanks(6) + "1:00"}));
        QCOMPARE(EventLog::textsAt(record, 1, 300, 2300).at(4),
                 QStringLiteral("7 Smith  John Incompleted      5:00 Hours."));
    }
};

QTEST_MAIN(IncompleteReportTest)
#include "tst_incompletereport.moc"
