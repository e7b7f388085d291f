#include "core/AppState.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/UnauthorizedReport.h"
#include "reports/events/UnauthorizedReportFill.h"
#include "tests/reports/events/EventLog.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;
using namespace EventLog;

namespace {

ReportFilters days(const QDate& first, const QDate& last, SortDirection sort = SortDirection::Ascending)
{
    ReportFilters f;
    f.fromDate = first;
    f.toDate = last;
    f.sort = sort;
    return f;
}

ReportFilters week(SortDirection sort = SortDirection::Ascending)
{
    return days(QDate(2026, 3, 1), QDate(2026, 3, 7), sort);
}

QList<QStringList> tableRows()
{
    return rows(QStringLiteral("SELECT Employee_Number, date, time, InOut, Employee_Name, SlotNumber, Code, CardPin, "
                               "Door_Action, Reason FROM tblUnauthorized ORDER BY AutoNum"));
}

bool fill(const ReportFilters& filters = week())
{
    CountingFillShow show;
    return FillIn_Unauthorized_Tbl(filters, show);
}

void refused(int employee, const QString& date, const QString& time)
{
    add({.employee = employee, .date = date, .time = time, .door = 2, .reason = 2});
}

void unknownEntry(const QString& date, const QString& time, const QVariant& slot = 4, const QString& code = "1234")
{
    add({.employee = -1, .date = date, .time = time, .door = 1, .reason = 3, .slot = slot, .code = code});
}

}

class UnauthorizedReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    PrintRecord record;

    int print(const ReportFilters& filters = week())
    {
        UnauthorizedReport report;
        return fillAndPrint(report, filters, record);
    }

private slots:
    void init()
    {
        env = openWorld();
        record = PrintRecord{};
        Db().execute(QStringLiteral("UPDATE tblEmployees SET SlotNumber = Employee_Number + 10, "
                                    "Employee_Code = '00' || Employee_Number"));
    }
    void cleanup() { env.reset(); }

    // Refused passages of registered employees, then entries of unknown codes,
    // each as they happened; only on the days chosen, whatever the employees.
    void theIrregularPassagesOfTheDays()
    {
        unknownEntry(Monday, QStringLiteral("07:00:00"));
        refused(8, Tuesday, QStringLiteral("09:00:00"));
        add({.employee = 7,
             .date = Monday,
             .time = QStringLiteral("18:00:00"),
             .in = 2,
             .card = 2,
             .door = 2,
             .reason = 1,
             .slot = 99,
             .code = QStringLiteral("read")});
        refused(7, Monday, QStringLiteral("08:00:00"));
        add({.employee = 7, .date = Monday, .time = QStringLiteral("12:00:00")});             // opened
        add({.employee = -1, .date = Monday, .time = QStringLiteral("12:00:00"), .door = 2}); // unknown, refused
        add({.employee = -1, .date = Monday, .time = QStringLiteral("12:00:00"), .in = 2, .door = 1}); // unknown, out
        add({.employee = 9, .date = Monday, .time = QStringLiteral("12:00:00"), .door = 2}); // no register entry
        refused(7, QStringLiteral("2026-02-28"), QStringLiteral("08:00:00"));
        unknownEntry(QStringLiteral("2026-03-08"), QStringLiteral("08:00:00"));
        ReportFilters filters = week();
        filters.fromEmployee = filters.toEmployee = 7;
        QVERIFY(fill(filters));
        QCOMPARE(
            tableRows(),
            (QList<QStringList>{
                {"7", Monday, "08:00:00", "In", "7 Smith  John", "17", "007", "Card", "Not Opened", "Time Zones"},
                {"7", Monday, "18:00:00", "Out", "7 Smith  John", "17", "007", "PIN", "Not Opened", "Secure Mode"},
                {"8", Tuesday, "09:00:00", "In", "8 Lee  Ann", "18", "008", "Card", "Not Opened", "Time Zones"},
                {"-1", Monday, "07:00:00", "In", "Unknown Employee", "4", "1234", "Card", "Opened", "Unknown Code"},
            }));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void aReasonOfNoKnownCodeIsEmpty_data()
    {
        QTest::addColumn<QVariant>("reason");
        QTest::newRow("0") << QVariant(0);
        QTest::newRow("4") << QVariant(4);
        QTest::newRow("none") << QVariant();
    }

    void aReasonOfNoKnownCodeIsEmpty()
    {
        QFETCH(QVariant, reason);
        add({.employee = 7, .date = Monday, .time = QStringLiteral("08:00:00"), .door = 2, .reason = reason});
        QVERIFY(fill());
        QCOMPARE(rows(QStringLiteral("SELECT Reason FROM tblUnauthorized")), (QList<QStringList>{{""}}));
    }

    void daysWithoutIrregularPassagesFillNothing()
    {
        add({.employee = 7, .date = Monday, .time = QStringLiteral("08:00:00")});
        refused(7, QStringLiteral("2026-02-28"), QStringLiteral("08:00:00"));
        CountingFillShow show;
        QVERIFY(FillIn_Unauthorized_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblUnauthorized")), 0);
        QCOMPARE(show.starts, 0);
    }

    void aFailedFillIsReportedAndLeavesTheTableEmpty()
    {
        refused(7, Monday, QStringLiteral("08:00:00"));
        QVERIFY(fill());
        QCOMPARE(count(QStringLiteral("tblUnauthorized")), 1);
        Db().execute(QStringLiteral("CREATE TRIGGER fails BEFORE INSERT ON tblUnauthorized "
                                    "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        CountingFillShow show;
        QVERIFY(!FillIn_Unauthorized_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblUnauthorized")), 0);
        QCOMPARE(show.abruptEnds, 1);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 1052\r")));
    }

    // Of a log of millions, the few irregular passages are read by their own indexes.
    void theIrregularPassagesAreFoundThroughTheirIndexes_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("index");
        // clang-format off
        QTest::newRow("refused") << "qryForUnauthorized" << "tblOnline_Refused";
        QTest::newRow("unknown codes") << "qryUnauthorized2" << "tblOnline_Attendance";
        // clang-format on
    }

    void theIrregularPassagesAreFoundThroughTheirIndexes()
    {
        QFETCH(QString, query);
        QFETCH(QString, index);
        const QList<QStringList> plan =
            rows(QStringLiteral("EXPLAIN QUERY PLAN SELECT * FROM %1 WHERE Date_CR BETWEEN ? AND ? "
                                "ORDER BY Date_CR, Time_CR, EventNum")
                     .arg(query),
                 {Monday, Tuesday});
        QVERIFY2(plan.first().last().contains(index), qPrintable(plan.first().last()));
    }

    void thePreviewRunsByDateAndTime_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("times");
        QTest::newRow("ascending") << false << QStringList{"07:00:00", "08:00:00", "09:00:00"};
        QTest::newRow("descending") << true << QStringList{"09:00:00", "08:00:00", "07:00:00"};
    }

    void thePreviewRunsByDateAndTime()
    {
        QFETCH(bool, descending);
        QFETCH(QStringList, times);
        refused(7, Monday, QStringLiteral("08:00:00"));
        refused(7, Monday, QStringLiteral("09:00:00"));
        unknownEntry(Monday, QStringLiteral("07:00:00"));
        UnauthorizedReport report;
        const ReportFilters filters = week(descending ? SortDirection::Descending : SortDirection::Ascending);
        CountingFillShow show;
        QVERIFY(report.fill(filters, show));
        QStringList shown;
        for (const QStringList& row : rows(report.previewQuery(filters).sql))
            shown << row.at(3);
        QCOMPARE(shown, times);
    }

    // The file keeps the order the rows were found in (downwards, the unknown
    // codes first); the slot stands behind two blanks.
    void theTextFile_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::newRow("ascending") << false;
        QTest::newRow("descending") << true;
    }

    void theTextFile()
    {
        QFETCH(bool, descending);
        addEmployee(123, QStringLiteral("Alexandra"), QStringLiteral("Longname"));
        Db().execute(QStringLiteral("UPDATE tblEmployees SET SlotNumber = 133, Employee_Code = '00123' "
                                    "WHERE Employee_Number = 123"));
        refused(123, Tuesday, QStringLiteral("08:05:59"));
        unknownEntry(Monday, QStringLiteral("07:00:00"), 65535, QStringLiteral("123456789012"));
        UnauthorizedReport report;
        const ReportFilters filters = week(descending ? SortDirection::Descending : SortDirection::Ascending);
        CountingFillShow show;
        QVERIFY(report.fill(filters, show));
        const QString path = env->file(QStringLiteral("unauthorized.txt"));
        QCOMPARE(writeReportFile(path, report.textFileFor(filters), report.saveQuery(filters)), 2);
        const QByteArray known = line({{"3 Mar 2026", 13},
                                       {"08:05", 8},
                                       {"123 Longname  A", 15},
                                       {"  133", 6},
                                       {"00123", 11},
                                       {"Not Opened", 14},
                                       {"Time Zones", 14}});
        const QByteArray unknown = line({{"2 Mar 2026", 13},
                                         {"07:00", 8},
                                         {"Unknown Employee", 15},
                                         {"  65535", 6},
                                         {"123456789012", 11},
                                         {"Opened", 14},
                                         {"Unknown Code", 14}});
        const QByteArray expected =
            line({{"Unauthorized", 13}, {" Report", 8}, {"", 15}, {"", 6}, {"", 11}, {"", 14}, {"", 14}}) +
            QByteArray(75, '*') + QByteArray(6, ' ') + "\r\n" +
            line({{"Date", 13},
                  {"Time", 8},
                  {"Name", 15},
                  {"Slot#", 6},
                  {"Code#", 11},
                  {"Door Action", 14},
                  {"Reason", 14}}) +
            (descending ? unknown + known : known + unknown);
        QCOMPARE(fileBytes(path).split('\n'), expected.split('\n'));
        QCOMPARE(expected.size(), 5 * 83);
    }

    // The header's columns at X 300: Time 2580, Slot# 3660, Code# 4620, Door
    // Action 7020, Reason 8940, and last Name 11460.
    void thePrintout()
    {
        refused(7, Monday, QStringLiteral("08:05:59"));
        unknownEntry(Tuesday, QStringLiteral("07:00:00"));
        QCOMPARE(print(), 2);
        QCOMPARE(record.pages, 1);
        QCOMPARE(textsAt(record, 1, 300, 2000), (QStringList{"2 Mar 2026", "3 Mar 2026", "Page : 1"}));
        QCOMPARE(textsAt(record, 1, 2580, 2000), (QStringList{"08:05", "07:00"}));
        QCOMPARE(textsAt(record, 1, 3660, 2000), (QStringList{"17", "4"}));
        QCOMPARE(textsAt(record, 1, 4620, 2000), (QStringList{"007", "1234"}));
        QCOMPARE(textsAt(record, 1, 7020, 2000), (QStringList{"Not Opened", "Opened"}));
        QCOMPARE(textsAt(record, 1, 8940, 2000), (QStringList{"Time Zones", "Unknown Code"}));
        QCOMPARE(textsAt(record, 1, 11460, 2000), (QStringList{"7 Smith  John", "Unknown Employee"}));
        QCOMPARE(record.find(QStringLiteral("08:05"))->at.y(), 2078.0);
    }

    // The refused passage of the 5th is found before the unknown code of the
    // 3rd: paper and file list them in that order, downwards both turned.
    void thePrintoutKeepsTheOrderOfTheFile_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("ascending") << false << QStringList{"7 Smith  John", "Unknown Employee"};
        QTest::newRow("descending") << true << QStringList{"Unknown Employee", "7 Smith  John"};
    }

    void thePrintoutKeepsTheOrderOfTheFile()
    {
        QFETCH(bool, descending);
        QFETCH(QStringList, names);
        refused(7, Thursday, QStringLiteral("10:00:00"));
        unknownEntry(Tuesday, QStringLiteral("07:00:00"));
        const ReportFilters filters = week(descending ? SortDirection::Descending : SortDirection::Ascending);
        QCOMPARE(print(filters), 2);
        QCOMPARE(textsAt(record, 1, 11460, 2000), names);
        const QStringList thursdayFirst{"5 Mar 2026", "3 Mar 2026", "Page : 1"};
        const QStringList tuesdayFirst{"3 Mar 2026", "5 Mar 2026", "Page : 1"};
        QCOMPARE(textsAt(record, 1, 300, 2000), descending ? tuesdayFirst : thursdayFirst);
        UnauthorizedReport report;
        const QString path = env->file(QStringLiteral("unauthorized.txt"));
        QCOMPARE(writeReportFile(path, report.textFileFor(filters), report.saveQuery(filters)), 2);
        const QList<QByteArray> lines = fileBytes(path).split('\n');
        QCOMPARE(lines.size(), 6);
        QVERIFY(lines.at(3).startsWith(descending ? "3 Mar 2026 " : "5 Mar 2026 "));
        QVERIFY(lines.at(4).startsWith(descending ? "5 Mar 2026 " : "3 Mar 2026 "));
    }

    // 46 rows a page, the next on a page marked as a continuation; a page is
    // begun only for a row to go on it.
    void aFullPageContinuesOnlyWhenMoreFollows_data()
    {
        QTest::addColumn<int>("passages");
        QTest::addColumn<int>("pages");
        QTest::newRow("46") << 46 << 1;
        QTest::newRow("47") << 47 << 2;
    }

    void aFullPageContinuesOnlyWhenMoreFollows()
    {
        QFETCH(int, passages);
        QFETCH(int, pages);
        for (int i = 0; i < passages; ++i)
            refused(7, Monday, DateTimeText::isoTime(QTime(6, 0).addSecs(60 * i)));
        QCOMPARE(print(), passages);
        QCOMPARE(record.pages, pages);
        QCOMPARE(textsAt(record, 1, 2580, 2000).size(), 46);
        if (pages == 2) {
            QCOMPARE(record.onPage(2).first().text, QStringLiteral("Continue --- "));
            QCOMPARE(textsAt(record, 2, 2580, 1000), (QStringList{"Time", "06:46"}));
        }
    }
};

QTEST_MAIN(UnauthorizedReportTest)
#include "tst_unauthorizedreport.moc"
