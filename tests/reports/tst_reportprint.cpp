#include "core/AppState.h"
#include "core/ReportKind.h"
#include "core/frmPrint.h"
#include "platform/printing/Printer.h"
#include "reports/framework/Report.h"
#include "reports/framework/ReportCatalog.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QLabel>
#include <QtTest>

using namespace ReportFixture;

namespace {

const QString Monday = QStringLiteral("2026-03-02");
const QString Tuesday = QStringLiteral("2026-03-03");

ReportFilters range(const QDate& from, const QDate& to, SortDirection sort = SortDirection::Ascending)
{
    ReportFilters f;
    f.fromDate = from;
    f.toDate = to;
    f.sort = sort;
    return f;
}

ReportFilters week()
{
    return range(QDate(2026, 3, 1), QDate(2026, 3, 7));
}

void pairs(int employee, const QString& date, const QStringList& times)
{
    for (qsizetype i = 0; i < times.size(); ++i)
        addEvent(employee, date, times[i], i % 2 == 0 ? 1 : 2);
}

// The body texts of a page: 12 points, not bold, below the header.
QList<PrintRecord::Text> body(const PrintRecord& record, int page, double below)
{
    QList<PrintRecord::Text> texts;
    for (const PrintRecord::Text& t : record.onPage(page))
        if (t.font.size == 12 && !t.font.bold && t.at.y() > below && !t.text.trimmed().isEmpty())
            texts << t;
    return texts;
}

QStringList textsAt(const QList<PrintRecord::Text>& texts, double x)
{
    QStringList list;
    for (const PrintRecord::Text& t : texts)
        if (t.at.x() == x)
            list << t.text;
    return list;
}

}

class ReportPrintTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    PrintRecord record;

    int print(int kind, const ReportFilters& filters, bool notice = false)
    {
        const auto report = makeReport(kind);
        CountingFillShow show;
        if (!report->fill(filters, show))
            return -1;
        Printer printer(std::make_unique<RecordingPrintBackend>(record));
        return printReport(*report, printer, filters, {QDateTime(QDate(2026, 3, 9), QTime(10, 30)), notice});
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        appState().DefaultStartTime = QStringLiteral("08:00");
        record = PrintRecord{};
        addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        addEmployee(8, QStringLiteral("Ann"), QStringLiteral("Lee"));
    }
    void cleanup() { env.reset(); }

    void detailsPrintEachEmployeeOnPagesOfHisOwn()
    {
        pairs(7, Monday, {"08:00:00", "12:00:00", "13:00:00", "17:00:00"});
        pairs(8, Monday, {"09:00:00", "15:30:00"});
        QCOMPARE(print(ReportKinds::HoursDetails, week()), 5);
        QCOMPARE(record.pages, 2);
        QCOMPARE(record.documentsEnded, 1);
        // The header's title is the employee of the page, its columns those measured: In 3780, Out 6420, Sub Total 9180.
        QVERIFY(record.textsOnPage(1).contains(QStringLiteral("7 Smith  John")));
        QVERIFY(record.textsOnPage(2).contains(QStringLiteral("8 Lee  Ann")));
        const QList<PrintRecord::Text> page1 = body(record, 1, 1296);
        QCOMPARE(textsAt(page1, 300), (QStringList{"2 Mar 2026", "2 Mar 2026", "Total"}));
        QCOMPARE(textsAt(page1, 3780), (QStringList{"08:00", "13:00"}));
        QCOMPARE(textsAt(page1, 6420), (QStringList{"12:00", "17:00"}));
        QCOMPARE(textsAt(page1, 9180), (QStringList{" 4:00", " 4:00", " 8:00"}));
        // The rule stands on the line above the total row.
        for (int page : {1, 2}) {
            const QList<PrintRecord::Text> rows = body(record, page, 1296);
            QCOMPARE(textsAt(rows, 0), QStringList{QString(51, QLatin1Char('='))});
            QCOMPARE(textsAt(rows, 300).last(), QStringLiteral("Total"));
        }
        QCOMPARE(record.findStarting(QStringLiteral("Page : "))->at.x(), 300.0);
    }

    // The first page holds 44 counted rows, a later one 47.
    void detailsBreakAfter44RowsOnTheFirstPage()
    {
        QDate d(2026, 1, 1);
        for (int i = 0; i < 22; ++i, d = d.addDays(1))
            pairs(7, d.toString(Qt::ISODate), {"08:00:00", "12:00:00", "13:00:00", "17:00:00"});
        QCOMPARE(print(ReportKinds::HoursDetails, range(QDate(2026, 1, 1), QDate(2026, 3, 7))), 45);
        QCOMPARE(record.pages, 2);
        QCOMPARE(textsAt(body(record, 1, 1296), 3780).size(), 44);
        QCOMPARE(textsAt(body(record, 2, 1296), 300), (QStringList{"Total"}));
        // Every page carries the first page's header with the employee's name.
        QVERIFY(record.textsOnPage(2).contains(QStringLiteral("7 Smith  John")));
        QVERIFY(!record.findStarting(QStringLiteral("Continue")));
    }

    void lateArrivalPrintsABlockPerLateEmployee()
    {
        addEmployee(9, QStringLiteral("Bo"), QStringLiteral("Nye"));
        pairs(7, Monday, {"08:10:00", "17:00:00"});
        pairs(7, Tuesday, {"08:20:00", "17:00:00"});
        pairs(8, Monday, {"07:50:00", "17:00:00"}); // never late: not printed
        pairs(9, Tuesday, {"09:00:00", "17:00:00"});
        QCOMPARE(print(ReportKinds::LateArrival, week()), 5);
        QCOMPARE(record.pages, 1);
        const PrintRecord::Text* first = record.find(QStringLiteral("7 Smith  John"));
        const PrintRecord::Text* second = record.find(QStringLiteral("9 Nye  Bo"));
        QVERIFY(first && second);
        QVERIFY(first->font.bold && first->font.underline);
        QCOMPARE(first->at.x(), 620.0); // after one blank at X 500
        QVERIFY(!record.find(QStringLiteral("8 Lee  Ann")));
        // Columns of the late header at X 500: Schedule Start 2780, Actual Start 5060, Late 7100.
        const QList<PrintRecord::Text> rows = body(record, 1, 1802);
        QCOMPARE(textsAt(rows, 2780), (QStringList{"    08:00", "    08:00", "    08:00"}));
        QCOMPARE(textsAt(rows, 5060), (QStringList{"08:10:00", "08:20:00", "09:00:00"}));
        QCOMPARE(textsAt(rows, 7100), (QStringList{" 0:10", " 0:20", " 1:00"}));
        QCOMPARE(textsAt(rows, 500).filter(QStringLiteral("Late")),
                 (QStringList{"7 Smith  John Late  0:30 Hours.", "9 Nye  Bo Late  1:00 Hours."}));
        QCOMPARE(textsAt(rows, 500).filter(QString(66, QLatin1Char('='))).size(), 2);
        // An empty line stands between the first block and the second name.
        const PrintRecord::Text* total = record.find(QStringLiteral("7 Smith  John Late  0:30 Hours."));
        QCOMPARE(second->at.y(), total->at.y() + 2 * 276);
    }

    void lateArrivalContinuesOnAMarkedPage()
    {
        QDate d(2026, 1, 1);
        for (int i = 0; i < 50; ++i, d = d.addDays(1))
            pairs(7, d.toString(Qt::ISODate), {"08:30:00", "17:00:00"});
        QCOMPARE(print(ReportKinds::LateArrival, range(QDate(2026, 1, 1), QDate(2026, 3, 7))), 51);
        QCOMPARE(record.pages, 2);
        QCOMPARE(textsAt(body(record, 1, 1802), 7100).size(), 44);
        QCOMPARE(textsAt(body(record, 2, 1250), 7100).size(), 6);
        QCOMPARE(record.onPage(2).first().text, QStringLiteral("Continue --- "));
        int filterLines = 0;
        for (const PrintRecord::Text& t : record.onPage(2))
            filterLines += t.text.startsWith(QStringLiteral("Dates : "));
        QCOMPARE(filterLines, 0);
    }

    void lateArrivalKeepsTheTotalLastWhenSortedDownwards()
    {
        pairs(7, Monday, {"08:10:00", "17:00:00"});
        pairs(7, Tuesday, {"08:20:00", "17:00:00"});
        QCOMPARE(
            print(ReportKinds::LateArrival, range(QDate(2026, 3, 1), QDate(2026, 3, 7), SortDirection::Descending)), 3);
        const QList<PrintRecord::Text> rows = body(record, 1, 1802);
        QCOMPARE(textsAt(rows, 7100), (QStringList{" 0:20", " 0:10"}));
        QCOMPARE(textsAt(rows, 500).last(), QStringLiteral("7 Smith  John Late  0:30 Hours."));
    }

    void totalsPrintEachEmployeeOnAPageWithTheLegend()
    {
        pairs(7, Monday, {"08:00:00", "17:00:00"});
        pairs(7, Tuesday, {"08:00:00", "16:00:00"});
        pairs(8, Monday, {"09:00:00"});
        QCOMPARE(print(ReportKinds::HoursTotal, week()), 5);
        QCOMPARE(record.pages, 2);
        // Columns of the totals header at X 700: Actual Hours 3580, Global Hours 6220.
        const QList<PrintRecord::Text> page1 = body(record, 1, 1250);
        QCOMPARE(textsAt(page1, 3580), (QStringList{"         9:00", "         8:00", "       17:00"}));
        QCOMPARE(textsAt(page1, 700).last(), QStringLiteral("Total"));
        QCOMPARE(textsAt(page1, 0), (QStringList{QString(51, QLatin1Char('='))}));
        QVERIFY(record.textsOnPage(2).contains(QStringLiteral("8 Lee  Ann")));
        QVERIFY(record.textsOnPage(2).contains(QStringLiteral("(*) Incompleted Data")));
        QCOMPARE(record.findStarting(QStringLiteral("Page : "))->at.x(), 700.0);
    }

    void theNoticeCountsThePages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("notice");
        QTest::newRow("details") << ReportKinds::HoursDetails << " 2 Page is Printing ";
        QTest::newRow("late") << ReportKinds::LateArrival << " 1 Page is Printing ";
        QTest::newRow("totals") << ReportKinds::HoursTotal << " 2 Page is Printing ";
    }

    void theNoticeCountsThePages()
    {
        QFETCH(int, kind);
        QFETCH(QString, notice);
        pairs(7, Monday, {"08:10:00", "17:00:00"});
        pairs(8, Monday, {"08:20:00", "17:00:00"});
        QString shown;
        setPrintNoticeWatcherForTests([&](const frmPrint& n) { shown = n.lblNumPrint->text(); });
        QVERIFY(print(kind, week(), true) > 0);
        QCOMPARE(shown, notice);
    }
};

QTEST_MAIN(ReportPrintTest)
#include "tst_reportprint.moc"
