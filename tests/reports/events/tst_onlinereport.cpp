#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/translation/MldFile.h"
#include "reports/events/OnlineReport.h"
#include "reports/events/OnlineReportFill.h"
#include "tests/reports/events/EventLog.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;
using namespace EventLog;

namespace {

ReportFilters week(int from = 1, int to = 500)
{
    ReportFilters f;
    f.fromEmployee = from;
    f.toEmployee = to;
    f.fromEmployeeText = QString::number(from);
    f.toEmployeeText = QString::number(to);
    f.fromDate = QDate(2026, 3, 1);
    f.toDate = QDate(2026, 3, 7);
    return f;
}

QList<QStringList> reportRows()
{
    return rows(QStringLiteral("SELECT Employee_Name, Date_CR, Time_CR, Ext_Int_Door, Key_ProxCard, Door_Action "
                               "FROM tblOnlineReport ORDER BY AutoNumber"));
}

bool fill(const ReportFilters& filters = week())
{
    CountingFillShow show;
    return FillIn_OnlineReport_Tbl(filters, show);
}

}

class OnlineReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    PrintRecord record;

    int print(const ReportFilters& filters = week())
    {
        OnlineReport report;
        return EventLog::fillAndPrint(report, filters, record);
    }

private slots:
    void init()
    {
        env = EventLog::openWorld();
        record = PrintRecord{};
    }
    void cleanup() { env.reset(); }

    void theReadsOfRegisteredEmployeesInEmployeeDayAndTimeOrder()
    {
        EventLog::add({.employee = 8, .date = Monday, .time = QStringLiteral("09:00:00")});
        EventLog::add({.employee = 7, .date = Tuesday, .time = QStringLiteral("08:00:00")});
        EventLog::add(
            {.employee = 7, .date = Monday, .time = QStringLiteral("17:00:00"), .in = 2, .card = 2, .door = 2});
        EventLog::add({.employee = 7, .date = Monday, .time = QStringLiteral("08:00:00")});
        EventLog::add({.employee = -1, .date = Monday, .time = QStringLiteral("10:00:00")});
        EventLog::add({.employee = 9, .date = Monday, .time = QStringLiteral("10:00:00")}); // no register entry
        EventLog::add({.employee = 7, .date = QStringLiteral("2026-02-28"), .time = QStringLiteral("10:00:00")});
        EventLog::add({.employee = 7, .date = QStringLiteral("2026-03-08"), .time = QStringLiteral("10:00:00")});
        QVERIFY(fill());
        QCOMPARE(reportRows(), (QList<QStringList>{
                                   {"7 Smith  John", Monday, "08:00:00", "In", "Card", "Opened"},
                                   {"7 Smith  John", Monday, "17:00:00", "Out", "PIN", "Not Opened"},
                                   {"7 Smith  John", Tuesday, "08:00:00", "In", "Card", "Opened"},
                                   {"8 Lee  Ann", Monday, "09:00:00", "In", "Card", "Opened"},
                               }));
        QVERIFY(fill(week(8, 8)));
        QCOMPARE(reportRows().size(), 1);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void codesOtherThanOneGiveTheOtherWord_data()
    {
        QTest::addColumn<QVariant>("code");
        QTest::newRow("2") << QVariant(2);
        QTest::newRow("0") << QVariant(0);
        QTest::newRow("none") << QVariant();
    }

    void codesOtherThanOneGiveTheOtherWord()
    {
        QFETCH(QVariant, code);
        EventLog::add({.employee = 7,
                       .date = Monday,
                       .time = QStringLiteral("08:00:00"),
                       .in = code,
                       .card = code,
                       .door = code});
        QVERIFY(fill());
        QCOMPARE(reportRows().first().mid(3), (QStringList{"Out", "PIN", "Not Opened"}));
    }

    void readsOfUnregisteredNumbersAloneLeaveTheTableEmpty()
    {
        EventLog::add({.employee = -1, .date = Monday, .time = QStringLiteral("10:00:00")});
        EventLog::add({.employee = 9, .date = Monday, .time = QStringLiteral("10:00:00")});
        CountingFillShow show;
        QVERIFY(FillIn_OnlineReport_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblOnlineReport")), 0);
        QCOMPARE(show.starts, 1);
        QCOMPARE(show.pausedEnds, 1);

        CountingFillShow none;
        QVERIFY(FillIn_OnlineReport_Tbl(week(1, 5), none));
        QCOMPARE(none.starts, 0);
        QCOMPARE(none.pausedEnds + none.abruptEnds, 0);
    }

    // The register decides who is known: a name that reads as the unknown
    // employee's text is still an employee's.
    void anEmployeeNamedLikeTheUnknownIsListed()
    {
        BinaryDict().setContents(MldFile::parse(
            QStringLiteral("LANGUAGES\tEnglish\tDeutsch\nUnknown Employee\tNiemand  Bekannt\nIn\tKommen\n")));
        BinaryDict().setLanguage(1);
        addEmployee(12, QStringLiteral("Bekannt"), QStringLiteral("Niemand"));
        EventLog::add({.employee = 12, .date = Monday, .time = QStringLiteral("08:00:00")});
        QVERIFY(fill());
        QCOMPARE(reportRows(),
                 (QList<QStringList>{{"12 Niemand  Bekannt", Monday, "08:00:00", "Kommen", "Card", "Opened"}}));
    }

    // A fill that fails leaves nothing of the earlier one to pass for its rows.
    void aFailedFillIsReportedAndLeavesTheTableEmpty()
    {
        EventLog::add({.employee = 7, .date = Monday, .time = QStringLiteral("08:00:00")});
        QVERIFY(fill());
        QCOMPARE(count(QStringLiteral("tblOnlineReport")), 1);
        Db().execute(QStringLiteral("CREATE TRIGGER fails BEFORE INSERT ON tblOnlineReport "
                                    "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        CountingFillShow show;
        QVERIFY(!FillIn_OnlineReport_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblOnlineReport")), 0);
        QCOMPARE(show.abruptEnds, 1);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 965\r")));
    }

    void theTextFile()
    {
        addEmployee(123, QStringLiteral("Alexandra"), QStringLiteral("Longname"));
        EventLog::add({.employee = 7, .date = Monday, .time = QStringLiteral("08:05:59")});
        EventLog::add(
            {.employee = 123, .date = Tuesday, .time = QStringLiteral("17:30:00"), .in = 2, .card = 2, .door = 2});
        OnlineReport report;
        CountingFillShow show;
        QVERIFY(report.fill(week(), show));
        const QString path = env->file(QStringLiteral("online.txt"));
        QCOMPARE(writeReportFile(path, report.textFileFor(week()), report.saveQuery(week())), 2);
        const QByteArray expected =
            line({{"On Line Report", 17}, {"", 14}, {"", 12}, {"", 8}, {"", 10}, {"", 12}}) + QByteArray(73, '*') +
            "\r\n" +
            line({{"Name", 17}, {"Date", 14}, {"Time", 12}, {"In/Out", 8}, {"PIN/Card", 10}, {"Door Action", 12}}) +
            line({{"7 Smith  John", 17}, {"2 Mar 2026", 14}, {"08:05", 12}, {"In", 8}, {"Card", 10}, {"Opened", 12}}) +
            // The label is cut at 17 characters.
            line({{"123 Longname  Ale", 17},
                  {"3 Mar 2026", 14},
                  {"17:30", 12},
                  {"Out", 8},
                  {"PIN", 10},
                  {"Not Opened", 12}});
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(expected.size(), 5 * 75);
    }

    // Rows at X 300; the header's columns at 12 points: Time 2460, In/Out 4620,
    // PIN/Card 6300, Door Action 8100.
    void thePrintoutGroupsTheReadsUnderEachEmployee()
    {
        EventLog::add({.employee = 7, .date = Monday, .time = QStringLiteral("08:05:59")});
        EventLog::add({.employee = 7, .date = Monday, .time = QStringLiteral("17:00:00"), .in = 2, .door = 2});
        EventLog::add({.employee = 8, .date = Tuesday, .time = QStringLiteral("09:00:00"), .card = 2});
        QCOMPARE(print(), 3);
        QCOMPARE(record.pages, 1);
        QCOMPARE(EventLog::textsAt(record, 1, 2460), (QStringList{"Time", "08:05", "17:00", "09:00"}));
        QCOMPARE(EventLog::textsAt(record, 1, 4620), (QStringList{"In/Out", "In", "Out", "In"}));
        QCOMPARE(EventLog::textsAt(record, 1, 6300), (QStringList{"PIN/Card", "Card", "Card", "PIN"}));
        QCOMPARE(EventLog::textsAt(record, 1, 8100), (QStringList{"Door Action", "Opened", "Not Opened", "Opened"}));
        QCOMPARE(EventLog::textsAt(record, 1, 300, 2354),
                 (QStringList{"2 Mar 2026", "2 Mar 2026", "3 Mar 2026", "Page : 1"}));
        // Each label bold and underlined after three blanks; an empty line under
        // it, and one above every label but the first.
        const PrintRecord::Text* first = record.find(QStringLiteral("7 Smith  John"));
        const PrintRecord::Text* second = record.find(QStringLiteral("8 Lee  Ann"));
        QVERIFY(first && second);
        QVERIFY(first->font.bold && first->font.underline);
        QCOMPARE(first->at.x(), 660.0);
        QCOMPARE(first->at.y(), 2354.0);
        QCOMPARE(record.find(QStringLiteral("08:05"))->at.y(), 2354.0 + 2 * 276);
        QCOMPARE(second->at.y(), 2354.0 + 5 * 276);
        QCOMPARE(record.find(QStringLiteral("09:00"))->at.y(), 2354.0 + 7 * 276);
    }

    // With its heading, a first page holds 44 reads; a page is begun only for a
    // line to go on it.
    void aFullPageContinuesOnlyWhenMoreFollows_data()
    {
        QTest::addColumn<int>("reads");
        QTest::addColumn<int>("pages");
        QTest::newRow("44 reads") << 44 << 1;
        QTest::newRow("45 reads") << 45 << 2;
    }

    void aFullPageContinuesOnlyWhenMoreFollows()
    {
        QFETCH(int, reads);
        QFETCH(int, pages);
        for (int i = 0; i < reads; ++i)
            EventLog::add({.employee = 7, .date = Monday, .time = DateTimeText::isoTime(QTime(6, 0).addSecs(60 * i))});
        QCOMPARE(print(), reads);
        QCOMPARE(record.pages, pages);
        QCOMPARE(EventLog::textsAt(record, 1, 2460, 1802).size(), 44);
        if (pages == 2) {
            QCOMPARE(record.onPage(2).first().text, QStringLiteral("Continue --- "));
            QCOMPARE(EventLog::textsAt(record, 2, 2460, 1250), QStringList{"06:44"});
            QVERIFY(!record.textsOnPage(2).contains(QStringLiteral("7 Smith  John")));
        }
    }

    void aNewEmployeeAtTheTopOfAPageHasItsEmptyLineAbove()
    {
        for (int i = 0; i < 44; ++i)
            EventLog::add({.employee = 7, .date = Monday, .time = DateTimeText::isoTime(QTime(6, 0).addSecs(60 * i))});
        EventLog::add({.employee = 8, .date = Monday, .time = QStringLiteral("09:00:00")});
        QCOMPARE(print(), 45);
        QCOMPARE(record.pages, 2);
        const PrintRecord::Text* label = record.find(QStringLiteral("8 Lee  Ann"));
        QCOMPARE(label->page, 2);
        QCOMPARE(label->at.y(), 1802.0 + 276);
    }
};

QTEST_MAIN(OnlineReportTest)
#include "tst_onlinereport.moc"
