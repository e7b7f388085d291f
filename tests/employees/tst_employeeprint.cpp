#include "core/AppState.h"
#include "core/IniSettings.h"
#include "employees/EmployeeListPrint.h"
#include "employees/EmployeeSheetPrint.h"
#include "platform/BusyPointer.h"
#include "platform/printing/Printer.h"
#include "tests/support/HeadingsFit.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

// The employee list and the details sheet on paper.
class EmployeePrintTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    PrintRecord record;

    std::unique_ptr<Printer> printer()
    {
        return std::make_unique<Printer>(std::make_unique<RecordingPrintBackend>(record));
    }

    static QList<EmployeeListLine> lines(int n)
    {
        QList<EmployeeListLine> all;
        for (int i = 1; i <= n; ++i)
            all << EmployeeListLine{QString::number(i), QStringLiteral("Last%1").arg(i), QStringLiteral("First"),
                                    QStringLiteral("0"), QStringLiteral("Unallowed")};
        return all;
    }

    QList<int> rowsPerPage() const
    {
        QList<int> counts;
        for (int page = 1; page <= record.pages; ++page)
            counts << int(record.textsOnPage(page).filter(QRegularExpression(QStringLiteral("^Last\\d+$"))).size());
        return counts;
    }

    static EmployeeSheet sheet()
    {
        EmployeeSheet s;
        s.number = QStringLiteral(" 12 ");
        s.firstName = QStringLiteral("Ann ");
        s.lastName = QStringLiteral(" Smith");
        s.position = QStringLiteral("Clerk");
        s.birthDate = QStringLiteral("__/__/__");
        s.gender = QStringLiteral("Female");
        s.address = QStringLiteral("Main St 4\r\nSpringfield\nUS");
        return s;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        record = PrintRecord{};
        appState().PrintTopLines = 2;
        appState().FooterText = footerCopyright();
    }

    void cleanup() { env.reset(); }

    // A full page is followed by a new one only when a row is left for it.
    void pagesCarry47Then46Rows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("one") << 1 << QList<int>{1};
        QTest::newRow("47") << 47 << QList<int>{47};
        QTest::newRow("48") << 48 << QList<int>{47, 1};
        QTest::newRow("93") << 93 << QList<int>{47, 46};
        QTest::newRow("94") << 94 << QList<int>{47, 46, 1};
    }

    void pagesCarry47Then46Rows()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, pages);
        PrintEmployeeList(*printer(), lines(rows));
        QCOMPARE(rowsPerPage(), pages);
        QCOMPARE(record.documentsEnded, 1);
        QVERIFY(!busyPointerShown());
        if (pages.size() > 1) {
            QVERIFY(record.textsOnPage(2).first().startsWith(QLatin1String("Continue --- ")));
            QVERIFY(!record.textsOnPage(1).first().startsWith(QLatin1String("Continue")));
        }
    }

    // "Mitarbeiter-Nr." ran into "Nachname".
    void theHeadingsFitTheirColumns_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }

    void theHeadingsFitTheirColumns()
    {
        QFETCH(bool, german);
        if (german)
            TestEnvironment::useGerman();
        PrintEmployeeList(*printer(), {EmployeeListLine{"7", "Smith", "John", "3", "Allowed"}});
        QCOMPARE(headingsRunningOn(record, 1).join(QLatin1Char(';')), QString());
    }

    void aListRowPrintsInItsColumns()
    {
        PrintEmployeeList(*printer(), {EmployeeListLine{"7", "Smith", "John", "3", "Allowed"}});
        const std::pair<const char*, double> columns[5] = {
            {"7", 600}, {"Smith", 2000}, {"John", 4000}, {"3", 6000}, {"Allowed", 7000}};
        const PrintRecord::Text* heading = record.find(QStringLiteral("Employee#"));
        QVERIFY(heading);
        for (const auto& [text, x] : columns) {
            const PrintRecord::Text* t = record.find(QString::fromLatin1(text));
            QVERIFY2(t, text);
            QCOMPARE(t->at.x(), x);
            QVERIFY(t->at.y() > heading->at.y());
            QVERIFY(!t->font.bold);
        }
        const PrintRecord::Text* title = record.find(QStringLiteral("Employees' List"));
        QVERIFY(title);
        QCOMPARE(title->at.x(), record.printable.width() / 2 - RecordingPrintBackend::charWidth(12) * 15 / 2);
        const PrintRecord::Text* date = record.findStarting(QStringLiteral("Printed at: "));
        QCOMPARE(date->at.x() + RecordingPrintBackend::charWidth(10) * static_cast<double>(date->text.size()),
                 record.printable.width());
    }

    void theSheetFramesItsBlocks_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<double>("frameLeft");
        QTest::addColumn<double>("labelLeft");
        QTest::addColumn<double>("rightColumn");
        QTest::newRow("without a picture") << false << 300.0 << 600.0 << 11520.0 / 2;
        QTest::newRow("with a picture") << true << 2850.0 << 3150.0 << 11520.0 / 2 + 1125;
    }

    void theSheetFramesItsBlocks()
    {
        QFETCH(bool, picture);
        QFETCH(double, frameLeft);
        QFETCH(double, labelLeft);
        QFETCH(double, rightColumn);
        EmployeeSheet s = sheet();
        if (picture) {
            s.pictureFile = QStringLiteral("/pics/ann.jpg");
            s.picture = QImage(10, 10, QImage::Format_RGB32);
        }
        PrintDetailsSheet(*printer(), s);
        QCOMPARE(record.pages, 1);
        QCOMPARE(record.documentsEnded, 1);
        QCOMPARE(record.pictures.size(), picture ? 1 : 0);
        QCOMPARE(record.find(QStringLiteral("Employee No. :"))->at.x(), labelLeft);
        QCOMPARE(record.find(QStringLiteral("Position :"))->at.x(), rightColumn);
        QCOMPARE(record.find(QStringLiteral("  12"))->font.bold, true);
        QVERIFY(record.find(QStringLiteral("Smith Ann")));
        QCOMPARE(record.lines.size(), 8);
        const PrintRecord::Line& top = record.lines.at(0);
        QCOMPARE(top.from.x(), frameLeft);
        QCOMPARE(top.to.x(), 11520.0 - 300);
        QCOMPARE(record.lines.at(1).from.y() - top.from.y(), 3000.0);
        QCOMPARE(top.width, 4);
        if (picture) {
            // A square picture stays square, in the middle of its frame.
            QCOMPARE(record.pictures.first().area, QRectF(300, top.from.y() + 375, 2250, 2250));
        }
        // The personal frame encloses its rows.
        const double personalTop = record.lines.at(4).from.y();
        const double personalBottom = record.lines.at(5).from.y();
        const PrintRecord::Text* email = record.find(QStringLiteral("Email: :"));
        QVERIFY(email->at.y() > personalTop && email->at.y() < personalBottom);
        QVERIFY(record.find(QStringLiteral("Personal Details:"))->at.y() < personalTop);
    }

    void theSheetPrintsValuesOnOneLine()
    {
        PrintDetailsSheet(*printer(), sheet());
        QVERIFY(record.find(QStringLiteral("  Main St 4  Springfield US")));
        // An unfilled date prints no value.
        const PrintRecord::Text* birth = record.find(QStringLiteral("Birth Date :"));
        QVERIFY(birth);
        for (const PrintRecord::Text& t : record.texts)
            QVERIFY(!t.text.contains(QLatin1String("__/")));
        QCOMPARE(ReplaceLineBreaks(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a  b c d"));
    }
};

QTEST_MAIN(EmployeePrintTest)
#include "tst_employeeprint.moc"
