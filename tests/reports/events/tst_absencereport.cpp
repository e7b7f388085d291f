#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/MissingReport.h"
#include "reports/events/MissingReportFill.h"
#include "tests/reports/events/EventLog.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;
using namespace EventLog;

namespace {

const QString AllDays = QStringLiteral("--Absence All Days--");

ReportFilters range(int from, int to, const QDate& first = QDate(2026, 3, 1), const QDate& last = QDate(2026, 3, 7),
                    SortDirection sort = SortDirection::Ascending)
{
    ReportFilters f;
    f.fromEmployee = from;
    f.toEmployee = to;
    f.fromEmployeeText = QString::number(from);
    f.toEmployeeText = QString::number(to);
    f.fromDate = first;
    f.toDate = last;
    f.sort = sort;
    return f;
}

void present(int employee, const QString& date)
{
    EventLog::add({.employee = employee, .date = date, .time = QStringLiteral("08:00:00")});
}

QList<QStringList> tableRows()
{
    return rows(QStringLiteral("SELECT Employee_Number, Employee_Name, Date FROM tblMissingReport ORDER BY MissNum"));
}

bool fill(const ReportFilters& filters)
{
    CountingFillShow show;
    return FillIn_MissingReport_Tbl(filters, show);
}

}

class AbsenceReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    PrintRecord record;

    int print(const ReportFilters& filters)
    {
        MissingReport report;
        return EventLog::fillAndPrint(report, filters, record);
    }

private slots:
    void init()
    {
        env = EventLog::openWorld();
        record = PrintRecord{};
    }
    void cleanup() { env.reset(); }

    void theWorkingDaysWithoutAnEventOrOneRowForNoEventAtAll()
    {
        present(7, Monday);
        present(7, Wednesday);
        // A refused read at the door is presence too.
        EventLog::add({.employee = 7, .date = Thursday, .time = QStringLiteral("23:00:00"), .in = 2, .door = 2});
        present(9, Monday); // no register entry
        present(501, Tuesday);
        QVERIFY(fill(range(1, 500)));
        QCOMPARE(tableRows(), (QList<QStringList>{
                                  {"8", "8   Lee Ann", AllDays},
                                  {"7", "7   Smith John", Tuesday},
                                  {"7", "7   Smith John", Friday},
                              }));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void whichDaysAreWorkingDays_data()
    {
        QTest::addColumn<QVariant>("monThu");
        QTest::addColumn<QVariant>("fri");
        QTest::addColumn<QVariant>("sat");
        QTest::addColumn<QVariant>("sun");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("Monday to Thursday even without a start time")
            << QVariant(QString()) << QVariant(QString()) << QVariant() << QVariant(QString())
            << QStringList{Tuesday, Wednesday, Thursday};
        QTest::newRow("a weekend day with a start time")
            << QVariant(QStringLiteral("08:00")) << QVariant() << QVariant(QStringLiteral("09:00"))
            << QVariant(QStringLiteral("10:00")) << QStringList{"2026-03-01", Tuesday, Wednesday, Thursday, Saturday};
    }

    void whichDaysAreWorkingDays()
    {
        QFETCH(QVariant, monThu);
        QFETCH(QVariant, fri);
        QFETCH(QVariant, sat);
        QFETCH(QVariant, sun);
        QFETCH(QStringList, absent);
        setGroupStartTimes(monThu, fri, sat, sun);
        present(7, Monday);
        QVERIFY(fill(range(7, 7)));
        QStringList days;
        for (const QStringList& row : tableRows())
            days << row.at(2);
        QCOMPARE(days, absent);
    }

    void aHolidayIsNoWorkingDayInAnyYear()
    {
        Db().execute(QStringLiteral("INSERT INTO tblHolidays (Date) VALUES ('2000-03-03'), ('2000-03-05')"));
        present(7, Monday);
        QVERIFY(fill(range(7, 7)));
        QCOMPARE(tableRows(),
                 (QList<QStringList>{{"7", "7   Smith John", Wednesday}, {"7", "7   Smith John", Friday}}));
    }

    // Alone in the range or among others, an employee without events is absent on all days.
    void anEmployeeWithoutEventsIsAbsentAllDays_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QDate>("last");
        QTest::newRow("alone in the range") << 8 << 8 << QDate(2026, 3, 7);
        QTest::newRow("with others") << 1 << 500 << QDate(2026, 3, 7);
        QTest::newRow("a weekend only") << 8 << 8 << QDate(2026, 3, 1);
    }

    void anEmployeeWithoutEventsIsAbsentAllDays()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QDate, last);
        present(7, Monday);
        CountingFillShow show;
        QVERIFY(FillIn_MissingReport_Tbl(range(from, to, QDate(2026, 3, 1), last), show));
        QVERIFY(tableRows().contains(QStringList{"8", "8   Lee Ann", AllDays}));
        QCOMPARE(show.starts, 1);
    }

    void aRangeWithoutEmployeesFillsNothing()
    {
        present(20, Monday);
        CountingFillShow show;
        QVERIFY(FillIn_MissingReport_Tbl(range(10, 30), show));
        QCOMPARE(count(QStringLiteral("tblMissingReport")), 0);
        QCOMPARE(show.starts, 0);
    }

    // Filters that never passed the filter window's checks end, with no day listed.
    void aRangeWithoutItsDatesEnds()
    {
        ReportFilters undated = range(7, 7);
        undated.fromDate = QDate();
        QVERIFY(fill(undated));
        QCOMPARE(rows(QStringLiteral("SELECT count(*) FROM tblMissingReport WHERE Date LIKE '2%'")),
                 QList<QStringList>{{QStringLiteral("0")}});
    }

    void theOnlyDayWorkedGivesNoRow()
    {
        present(7, Monday);
        QVERIFY(fill(range(7, 7, QDate(2026, 3, 2), QDate(2026, 3, 2))));
        QCOMPARE(count(QStringLiteral("tblMissingReport")), 0);
    }

    void aNameWithoutOneOfItsPartsAddsNothing()
    {
        Db().execute(QStringLiteral(
            "INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name) VALUES (12, NULL, 'Nye')"));
        QVERIFY(fill(range(12, 12)));
        QCOMPARE(tableRows(), (QList<QStringList>{{"12", "12   Nye ", AllDays}}));
    }

    // Without the settings row the days keep their holidays; it is said once.
    void aMissingSettingsRowIsReportedOnce()
    {
        Db().execute(QStringLiteral("DELETE FROM DoorsNames_Tbl"));
        present(7, Monday);
        QVERIFY(fill(range(7, 7)));
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 2901\r")));
        QCOMPARE(count(QStringLiteral("tblMissingReport")), 3);
    }

    void aFailedFillIsReportedAndLeavesTheTableEmpty()
    {
        QVERIFY(fill(range(1, 500)));
        QCOMPARE(count(QStringLiteral("tblMissingReport")), 2);
        Db().execute(QStringLiteral("CREATE TRIGGER fails BEFORE INSERT ON tblMissingReport "
                                    "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        CountingFillShow show;
        QVERIFY(!FillIn_MissingReport_Tbl(range(1, 500), show));
        QCOMPARE(count(QStringLiteral("tblMissingReport")), 0);
        QCOMPARE(show.abruptEnds, 1);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 952\r")));
    }

    // Downwards, each employee's days run from the last; the employees stay in
    // order. The preview, the file and the printout read the same order.
    void theSortTurnsTheDaysOfEachEmployee_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::newRow("preview") << "preview";
        QTest::newRow("save") << "save";
        QTest::newRow("print") << "print";
    }

    void theSortTurnsTheDaysOfEachEmployee()
    {
        QFETCH(QString, reading);
        present(7, Monday);
        present(8, Friday);
        MissingReport report;
        const ReportFilters down = range(1, 500, QDate(2026, 3, 1), QDate(2026, 3, 7), SortDirection::Descending);
        CountingFillShow show;
        QVERIFY(report.fill(down, show));
        const ReportQuery query = reading == QLatin1String("preview") ? report.previewQuery(down)
                                  : reading == QLatin1String("save")  ? report.saveQuery(down)
                                                                      : report.printQuery(down);
        QCOMPARE(rows(query.sql, query.params), (QList<QStringList>{
                                                    {"7   Smith John", Friday},
                                                    {"7   Smith John", Thursday},
                                                    {"7   Smith John", Wednesday},
                                                    {"7   Smith John", Tuesday},
                                                    {"8   Lee Ann", Thursday},
                                                    {"8   Lee Ann", Wednesday},
                                                    {"8   Lee Ann", Tuesday},
                                                    {"8   Lee Ann", Monday},
                                                }));
    }

    // The saved lines in that order, as they stand in the file.
    void theTextFileDownwards()
    {
        present(7, Monday);
        present(8, Tuesday);
        const ReportFilters down = range(1, 500, QDate(2026, 3, 2), QDate(2026, 3, 4), SortDirection::Descending);
        MissingReport report;
        CountingFillShow show;
        QVERIFY(report.fill(down, show));
        const QString path = env->file(QStringLiteral("absence.txt"));
        QCOMPARE(writeReportFile(path, report.textFileFor(down), report.saveQuery(down)), 4);
        const QByteArray expected =
            line({{"Absence Report", 40}, {"", 40}}) + QByteArray(80, '*') + "\r\n" +
            line({{"Name", 40}, {"Date", 40}}) + line({{"7   Smith John", 40}, {"4 Mar 2026", 40}}) +
            line({{"7   Smith John", 40}, {"3 Mar 2026", 40}}) + line({{"8   Lee Ann", 40}, {"4 Mar 2026", 40}}) +
            line({{"8   Lee Ann", 40}, {"2 Mar 2026", 40}});
        QCOMPARE(fileBytes(path), expected);
    }

    void theTextFile()
    {
        addEmployee(123, QStringLiteral("Maximiliane Alexandra"), QStringLiteral("Oberhausen-Rheinhausen"));
        present(7, Monday);
        const ReportFilters filters = range(1, 500, QDate(2026, 3, 2), QDate(2026, 3, 3));
        MissingReport report;
        CountingFillShow show;
        QVERIFY(report.fill(filters, show));
        const QString path = env->file(QStringLiteral("absence.txt"));
        QCOMPARE(writeReportFile(path, report.textFileFor(filters), report.saveQuery(filters)), 3);
        const QByteArray expected = line({{"Absence Report", 40}, {"", 40}}) + QByteArray(80, '*') + "\r\n" +
                                    line({{"Name", 40}, {"Date", 40}}) +
                                    line({{"7   Smith John", 40}, {"3 Mar 2026", 40}}) +
                                    line({{"8   Lee Ann", 40}, {AllDays, 40}}) +
                                    // Cut at 40.
                                    line({{"123   Oberhausen-Rheinhausen Maximiliane", 40}, {AllDays, 40}});
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(expected.size(), 6 * 82);
    }

    // The days at X 1000; each name bold and underlined after a blank, an
    // empty line above every name but the first.
    void thePrintoutListsTheDaysUnderEachName()
    {
        present(7, Monday);
        QCOMPARE(print(range(1, 500, QDate(2026, 3, 2), QDate(2026, 3, 3))), 2);
        QCOMPARE(record.pages, 1);
        const PrintRecord::Text* first = record.find(QStringLiteral("7   Smith John"));
        const PrintRecord::Text* second = record.find(QStringLiteral("8   Lee Ann"));
        QVERIFY(first && second);
        QVERIFY(first->font.bold && first->font.underline);
        QCOMPARE(first->at.x(), 1120.0);
        QCOMPARE(first->at.y(), 1802.0);
        QCOMPARE(EventLog::textsAt(record, 1, 1000, 1802), (QStringList{"3 Mar 2026", AllDays, "Page : 1"}));
        const PrintRecord::Text* day = record.find(QStringLiteral("3 Mar 2026"));
        QVERIFY(!day->font.bold);
        QCOMPARE(day->at.y(), 1802.0 + 276);
        QCOMPARE(second->at.y(), 1802.0 + 3 * 276);
        QCOMPARE(record.findStarting(QStringLiteral("Page : "))->at.x(), 1000.0);
    }

    // Under its name, a first page holds 45 days; a page is begun only for a
    // line to go on it, and the name is not repeated there.
    void aFullPageContinuesOnlyWhenMoreFollows_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("pages");
        QTest::newRow("45 days") << 45 << 1;
        QTest::newRow("46 days") << 46 << 2;
    }

    void aFullPageContinuesOnlyWhenMoreFollows()
    {
        QFETCH(int, days);
        QFETCH(int, pages);
        // Present on the first working day, absent on the next `days`.
        const QDate first(2026, 1, 5);
        present(7, DateTimeText::isoDate(first));
        QDate last = first;
        for (int absent = 0; absent < days;) {
            last = last.addDays(1);
            absent += last.dayOfWeek() <= 5;
        }
        QCOMPARE(print(range(7, 7, first, last)), days);
        QCOMPARE(record.pages, pages);
        QCOMPARE(EventLog::textsAt(record, 1, 1000, 1802).size(), 45 + 1);
        if (pages == 2) {
            QCOMPARE(record.onPage(2).first().text, QStringLiteral("Continue --- "));
            const QStringList rest = EventLog::textsAt(record, 2, 1000, 1200);
            QCOMPARE(rest, (QStringList{"10 Mar 2026", "Page : 2"}));
            QVERIFY(!record.find(QStringLiteral("10 Mar 2026"))->font.bold);
            QVERIFY(!record.textsOnPage(2).contains(QStringLiteral("7   Smith John")));
        }
    }
};

QTEST_MAIN(AbsenceReportTest)
#include "tst_absencereport.moc"
