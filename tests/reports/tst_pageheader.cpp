#include "core/AppState.h"
#include "platform/printing/Printer.h"
#include "platform/translation/BinaryDictionary.h"
#include "reports/framework/ReportPageHeader.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

struct Sheet {
    PrintRecord record;
    Printer printer{std::make_unique<RecordingPrintBackend>(record)};
};

ReportFilters filters()
{
    ReportFilters f;
    f.fromDate = QDate(2026, 2, 23);
    f.toDate = QDate(2026, 3, 2);
    f.fromEmployeeText = QStringLiteral("1");
    f.toEmployeeText = QStringLiteral("500");
    return f;
}

// Prints the header of a report at its callers' X and hands back its outputs in parameter order.
QList<int> printHeader(const QString& kind, Printer& p, bool continued, const ReportFilters& f = filters())
{
    const QString title = QStringLiteral("Title");
    const QString right = QStringLiteral("Printed at: 3/2/26 09:00");
    int o[6] = {-1, -1, -1, -1, -1, -1};
    QList<int> outputs;
    if (kind == QLatin1String("on-line")) {
        PrintOnLineReportHeader(p, 300, 100, title, right, o[0], o[1], o[2], o[3], continued, f);
        outputs = {o[0], o[1], o[2], o[3]};
    } else if (kind == QLatin1String("incomplete")) {
        PrintExceptReportHeader(p, 300, 100, title, right, o[0], o[1], o[2], o[3], continued, f);
        outputs = {o[0], o[1], o[2], o[3]};
    } else if (kind == QLatin1String("late")) {
        PrintLateReportHeader(p, 500, 100, title, right, o[0], o[1], o[2], continued, f);
        outputs = {o[0], o[1], o[2]};
    } else if (kind == QLatin1String("absence")) {
        PrintMissingReportHeader(p, 1000, 100, title, right, continued, f);
    } else if (kind == QLatin1String("details")) {
        PrintHoursReportHeader(p, 300, 100, title, right, o[0], o[1], o[2], continued, f);
        outputs = {o[0], o[1], o[2]};
    } else if (kind == QLatin1String("unauthorized")) {
        PrintUnauthReportHeader(p, 300, 100, title, right, o[0], o[1], o[2], o[3], o[4], o[5], continued, f);
        outputs = {o[0], o[1], o[2], o[3], o[4], o[5]};
    } else if (kind == QLatin1String("totals")) {
        PrintTotalReportHeader(p, 700, 100, title, right, o[0], o[1], continued, f);
        outputs = {o[0], o[1]};
    }
    return outputs;
}

}

// The recording printer's metrics: a character is a tenth of its points in
// twips times 100 (120 at 12 points); a line is 23 twips a point.
class PageHeaderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        appState().CompanyName = QStringLiteral("Acme");
    }
    void cleanup() { env.reset(); }

    void everyHeaderMeasuresItsColumns_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("continued");
        QTest::addColumn<QList<int>>("outputs");
        QTest::addColumn<double>("headingsY");
        QTest::addColumn<double>("endY");
        // Title ends at 974; a 12-point line is 276, a 14-point line 322.
        QTest::newRow("on-line") << "on-line" << false << QList<int>{2460, 4620, 6300, 8100} << 1802.0 << 2354.0;
        QTest::newRow("on-line continued")
            << "on-line" << true << QList<int>{2460, 4620, 6300, 8100} << 1250.0 << 1802.0;
        QTest::newRow("incomplete") << "incomplete" << false << QList<int>{2580, 4860, 6900, 9060} << 1802.0 << 2354.0;
        QTest::newRow("late") << "late" << false << QList<int>{2780, 5060, 7100} << 1802.0 << 2630.0;
        QTest::newRow("absence") << "absence" << false << QList<int>{} << -1.0 << 1802.0;
        QTest::newRow("details") << "details" << false << QList<int>{3780, 6420, 9180} << 1296.0 << 1572.0;
        // "Name" comes last on the line and second among the outputs.
        QTest::newRow("unauthorized") << "unauthorized" << false << QList<int>{2580, 11460, 3660, 4620, 7020, 8940}
                                      << 1802.0 << 2078.0;
        QTest::newRow("totals") << "totals" << false << QList<int>{3580, 6220} << 1250.0 << 1526.0;
    }

    void everyHeaderMeasuresItsColumns()
    {
        QFETCH(QString, kind);
        QFETCH(bool, continued);
        QFETCH(QList<int>, outputs);
        QFETCH(double, headingsY);
        QFETCH(double, endY);
        Sheet s;
        QCOMPARE(printHeader(kind, s.printer, continued), outputs);
        if (headingsY >= 0) {
            const PrintRecord::Text* date = s.record.find(QStringLiteral("Date"));
            QVERIFY(date);
            QCOMPARE(date->at.y(), headingsY);
            QVERIFY(date->font.bold && date->font.underline);
            QCOMPARE(date->font.size, 12.0);
        }
        QCOMPARE(s.printer.currentY(), endY);
        QCOMPARE(s.printer.currentX(), 0.0);
        QCOMPARE(s.printer.fontSize(), 12.0);
        QVERIFY(!s.printer.fontUnderline());
        // Only the absence header, which prints no heading, leaves bold on.
        QCOMPARE(s.printer.fontBold(), kind == QLatin1String("absence"));
    }

    void theFirstLineCarriesNameOrMarkAndTheTimeAtTheRightEdge_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("continued");
        QTest::addColumn<QString>("left");
        QTest::newRow("first page") << "late" << false << QString();
        QTest::newRow("later page") << "late" << true << "Continue --- ";
        QTest::newRow("details, every page") << "details" << true << "Working Hours - Details Report";
        QTest::newRow("totals, every page") << "totals" << false << "Working Hours - Total Report";
    }

    void theFirstLineCarriesNameOrMarkAndTheTimeAtTheRightEdge()
    {
        QFETCH(QString, kind);
        QFETCH(bool, continued);
        QFETCH(QString, left);
        Sheet s;
        printHeader(kind, s.printer, continued);
        const QList<PrintRecord::Text> first = [&] {
            QList<PrintRecord::Text> line;
            for (const PrintRecord::Text& t : s.record.texts)
                if (t.at.y() == 100)
                    line << t;
            return line;
        }();
        QCOMPARE(first.size(), left.isEmpty() ? 1 : 2);
        const PrintRecord::Text& right = first.last();
        QCOMPARE(right.text, QStringLiteral("Printed at: 3/2/26 09:00"));
        QCOMPARE(right.at.x() + static_cast<double>(right.text.size()) * 100.0, s.record.printable.width());
        if (!left.isEmpty())
            QCOMPARE(first.first().text, left);
        for (const PrintRecord::Text& t : first)
            QCOMPARE(t.font.size, 10.0);
    }

    void theFilterLinesShowTheFiltersAsTheyStand()
    {
        Sheet s;
        printHeader(QStringLiteral("on-line"), s.printer, false);
        const PrintRecord::Text* dates = s.record.findStarting(QStringLiteral("Dates : "));
        QVERIFY(dates);
        QCOMPARE(dates->text, QStringLiteral("Dates : 23 Feb 2026 - 2 Mar 2026"));
        QVERIFY(dates->font.bold && !dates->font.underline);
        const PrintRecord::Text* employees = s.record.find(QStringLiteral("Employees : 1 - 500"));
        QVERIFY(employees);
        QVERIFY(employees->font.bold && employees->font.underline);
        QCOMPARE(employees->at.x(), 300.0);
        Sheet later;
        printHeader(QStringLiteral("on-line"), later.printer, true);
        QVERIFY(!later.record.findStarting(QStringLiteral("Dates")));
    }

    void theCompanyAndTitleAreCentredAndAnEmptyCompanyStillTakesItsLine()
    {
        Sheet s;
        printHeader(QStringLiteral("totals"), s.printer, false);
        const PrintRecord::Text* company = s.record.find(QStringLiteral("Acme"));
        QVERIFY(company);
        QCOMPARE(company->at.x(), s.record.printable.width() / 2 - 4 * 140 / 2);
        QCOMPARE(company->at.y(), 330.0);
        QVERIFY(company->font.bold && !company->font.underline);
        const PrintRecord::Text* title = s.record.find(QStringLiteral("Title"));
        QVERIFY(title && title->font.underline);
        QCOMPARE(title->at.y(), 652.0);

        appState().CompanyName.clear();
        Sheet empty;
        printHeader(QStringLiteral("totals"), empty.printer, false);
        QCOMPARE(empty.record.find(QStringLiteral("Title"))->at.y(), 652.0);
    }

    // The rows follow the headings, whatever their length in the language chosen.
    void aLongerTranslationMovesTheLaterColumns()
    {
        DictionaryContents german;
        german.languages = {QStringLiteral("English"), QStringLiteral("Deutsch")};
        german.entries.insert(QStringLiteral("Date"), {QStringLiteral("Datum")});
        german.entries.insert(QStringLiteral("In"), {QStringLiteral("Kommen")});
        BinaryDict().setContents(german);
        BinaryDict().setLanguage(1);
        Sheet s;
        QCOMPARE(printHeader(QStringLiteral("details"), s.printer, false), (QList<int>{3900, 7020, 9780}));
    }
};

QTEST_MAIN(PageHeaderTest)
#include "tst_pageheader.moc"
