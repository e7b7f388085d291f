#include "core/AppState.h"
#include "core/PrintHelpers.h"
#include "core/ReportKind.h"
#include "platform/printing/Printer.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

// A printer on a recording device, at the state a printout's body leaves it.
struct Sheet {
    PrintRecord record;
    Printer printer{std::make_unique<RecordingPrintBackend>(record)};
    Sheet() { printer.setFontSize(12); }
};

}

class PrintHelpersTest : public QObject {
    Q_OBJECT

private slots:
    void checkNewPage_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("full");
        QTest::addColumn<int>("after");
        QTest::newRow("start of a page") << 1 << false << 2;
        QTest::newRow("46 is not full yet") << 46 << false << 47;
        QTest::newRow("47 breaks and restarts at 2") << 47 << true << 2;
        QTest::newRow("past the limit") << 48 << true << 2;
        QTest::newRow("the highest count") << 32767 << true << 2;
        QTest::newRow("zero") << 0 << false << 1;
        QTest::newRow("negative") << -3 << false << -2;
    }

    void checkNewPage()
    {
        QFETCH(int, before);
        QFETCH(bool, full);
        QFETCH(int, after);
        TestEnvironment env;
        int16_t lines = static_cast<int16_t>(before);
        QCOMPARE(CheckNewPage(lines), full);
        QCOMPARE(lines, static_cast<int16_t>(after));
        QCOMPARE(appState().ProcId, int16_t(1020));
    }

    void countingFromOneGives47LinesThenEvery46()
    {
        TestEnvironment env;
        int16_t lines = 1;
        QList<int> pageLengths;
        int onPage = 0;
        for (int line = 0; line < 47 + 46 + 46; ++line) {
            ++onPage;
            if (CheckNewPage(lines)) {
                pageLengths << onPage;
                onPage = 0;
            }
        }
        QCOMPARE(pageLengths, (QList<int>{47, 46, 46}));
    }

    void pagePrintingMsg_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("text");
        QTest::newRow("three pages") << 3 << false << QStringLiteral(" 3 Page is Printing ");
        QTest::newRow("before any printout") << 0 << false << QStringLiteral(" 0 Page is Printing ");
        QTest::newRow("a negative number has its sign") << -1 << false << QStringLiteral("-1 Page is Printing ");
        QTest::newRow("translated") << 12 << true << QStringLiteral(" 12 Seite(n) werden gedruckt ");
    }

    void pagePrintingMsg()
    {
        QFETCH(int, pages);
        QFETCH(bool, german);
        QFETCH(QString, text);
        TestEnvironment env;
        if (german)
            TestEnvironment::useGerman();
        appState().PrintedPage = static_cast<int16_t>(pages);
        QCOMPARE(PagePrintingMsg(), text);
    }

    void footer_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("legend");
        for (int kind = 0; kind <= 6; ++kind)
            QTest::addRow("report kind %d", kind) << kind << (kind == 3 || kind == 6);
    }

    // The footer stands two "W" heights (in the font in effect before it) above
    // the bottom; the legend, when printed, takes the first of its lines.
    void footer()
    {
        QFETCH(int, kind);
        QFETCH(bool, legend);
        TestEnvironment env;
        appState().FooterText = QStringLiteral("(c) Footer");
        ReportKind = static_cast<int16_t>(kind);
        Sheet sheet;
        sheet.printer.setFontSize(14);
        sheet.printer.setFontUnderline(true);
        sheet.printer.printLine(QStringLiteral("body"));

        PrintPageFooter(sheet.printer, 600);

        const double top = 15120 - 2 * RecordingPrintBackend::lineHeightOf(14);
        const double line10 = RecordingPrintBackend::lineHeightOf(10);
        const PrintRecord::Text* mark = sheet.record.find(QStringLiteral("(*) Incompleted Data"));
        QCOMPARE(mark != nullptr, legend);
        if (mark) {
            QCOMPARE(mark->at, QPointF(600, top));
            QCOMPARE(mark->font.size, 10.0);
            QVERIFY(!mark->font.underline);
        }
        const double pageY = legend ? top + line10 : top;
        const PrintRecord::Text* page = sheet.record.find(QStringLiteral("Page : 1"));
        QVERIFY(page);
        QCOMPARE(page->at, QPointF(600, pageY));
        QCOMPARE(page->font.size, 10.0);
        QVERIFY(!page->font.underline);
        const PrintRecord::Text* footer = sheet.record.find(QStringLiteral("(c) Footer"));
        QVERIFY(footer);
        QCOMPARE(footer->at, QPointF(11520 - 10 * RecordingPrintBackend::charWidth(10), pageY));

        QCOMPARE(sheet.printer.fontSize(), 12.0);
        QCOMPARE(sheet.printer.currentX(), 0.0);
        QCOMPARE(sheet.printer.currentY(), pageY + line10);
        QCOMPARE(appState().PrintedPage, int16_t(1));
    }

    void footerOfALaterPage()
    {
        TestEnvironment env;
        TestEnvironment::useGerman();
        ReportKind = 6;
        Sheet sheet;
        sheet.printer.newPage();
        sheet.printer.newPage();
        PrintPageFooter(sheet.printer, 300);
        QVERIFY(sheet.record.find(QStringLiteral("(*) Unvollständige Daten")));
        const PrintRecord::Text* page = sheet.record.find(QStringLiteral("Page : 3"));
        QVERIFY(page);
        QCOMPARE(page->page, 3);
        QCOMPARE(page->at.x(), 300.0);
        QCOMPARE(appState().PrintedPage, int16_t(3));
    }

    // Nothing wraps: a footer text wider than the page is one text that starts
    // left of the printable area, on the page number's line.
    void aFooterTextWiderThanThePage()
    {
        TestEnvironment env;
        appState().FooterText = QString(1500, QLatin1Char('F'));
        Sheet sheet;
        PrintPageFooter(sheet.printer, 600);
        QCOMPARE(sheet.record.texts.size(), 2);
        const PrintRecord::Text& page = sheet.record.texts[0];
        const PrintRecord::Text& footer = sheet.record.texts[1];
        QCOMPARE(footer.text, appState().FooterText);
        QCOMPARE(footer.at.x(), 11520 - 1500 * RecordingPrintBackend::charWidth(10));
        QVERIFY(footer.at.x() < 0);
        QCOMPARE(footer.at.y(), page.at.y());
    }

    void columnHeading_data()
    {
        QTest::addColumn<QString>("fontName");
        QTest::addColumn<QString>("expectedFont");
        QTest::newRow("no font name") << QString() << QStringLiteral("Arial");
        QTest::newRow("blank font name") << QStringLiteral("   ") << QStringLiteral("Arial");
        QTest::newRow("a font name") << QStringLiteral("Courier New") << QStringLiteral("Courier New");
    }

    void columnHeading()
    {
        QFETCH(QString, fontName);
        QFETCH(QString, expectedFont);
        TestEnvironment env;
        Sheet sheet;
        sheet.printer.setCurrentX(3500);
        sheet.printer.setCurrentY(900);

        PrintColumnHeading(sheet.printer, QStringLiteral("In/Out"), fontName);

        QCOMPARE(sheet.record.texts.size(), 1);
        const PrintRecord::Text& heading = sheet.record.texts.first();
        QCOMPARE(heading.at, QPointF(3500, 900));
        QCOMPARE(heading.font.name, expectedFont);
        QVERIFY(heading.font.bold);
        QVERIFY(heading.font.underline);
        // It stays on the line, and only bold and underline are switched back.
        QCOMPARE(sheet.printer.currentX(), 3500 + 6 * RecordingPrintBackend::charWidth(12));
        QCOMPARE(sheet.printer.currentY(), 900.0);
        QVERIFY(!sheet.printer.fontBold());
        QVERIFY(!sheet.printer.fontUnderline());
        QCOMPARE(sheet.printer.fontName(), expectedFont);
    }

    void headerStart_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("a first page") << QString() << QStringLiteral("Printed at: 3/2/26 09:00")
                                      << QStringList{"Printed at: 3/2/26 09:00"};
        QTest::newRow("a later page") << QStringLiteral("Continue --- ") << QStringLiteral("Printed at: 3/2/26 09:00")
                                      << QStringList{"Continue --- ", "Printed at: 3/2/26 09:00"};
        QTest::newRow("no right-hand text") << QStringLiteral("Name") << QString() << QStringList{"Name"};
    }

    // Whatever font the page left, the first line is Arial 10, plain; only a
    // right-hand text ends it.
    void headerStart()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(QStringList, printed);
        TestEnvironment env;
        Sheet sheet;
        sheet.printer.setFontName(QStringLiteral("Courier New"));
        sheet.printer.setFontBold(true);
        sheet.printer.setFontUnderline(true);

        PrintHeaderStart(sheet.printer, 600, 100, left, right);

        QStringList texts;
        for (const PrintRecord::Text& t : sheet.record.texts) {
            texts << t.text;
            QCOMPARE(t.font.name, QStringLiteral("Arial"));
            QCOMPARE(t.font.size, 10.0);
            QVERIFY(!t.font.bold && !t.font.underline);
            QCOMPARE(t.at.y(), 100.0);
        }
        QCOMPARE(texts, printed);
        if (!left.isEmpty())
            QCOMPARE(sheet.record.find(left)->at.x(), 600.0);
        if (right.isEmpty()) {
            QCOMPARE(sheet.printer.currentY(), 100.0);
        } else {
            QCOMPARE(sheet.record.find(right)->at.x(), 11520 - 24 * RecordingPrintBackend::charWidth(10));
            QCOMPARE(sheet.printer.currentX(), 0.0);
            QCOMPARE(sheet.printer.currentY(), 100 + RecordingPrintBackend::lineHeightOf(10));
        }
    }

    void centredLine()
    {
        TestEnvironment env;
        Sheet sheet;
        sheet.printer.setCurrentY(500);
        PrintCentredLine(sheet.printer, QStringLiteral("Employees' List"));
        // 15 characters of 120 twips about the middle of 11520.
        QCOMPARE(sheet.record.texts.first().at, QPointF(4860, 500));
        QCOMPARE(sheet.printer.currentY(), 500 + RecordingPrintBackend::lineHeightOf(12));
    }

    // Each column at its own left edge whatever the one before it printed; the
    // line ends after the last.
    void row()
    {
        TestEnvironment env;
        Sheet sheet;
        sheet.printer.setFontBold(true);
        sheet.printer.setCurrentY(900);
        PrintRow(
            sheet.printer,
            {{600, QStringLiteral("a text longer than its column")}, {1000, QString()}, {3500, QStringLiteral("Out")}});
        QCOMPARE(sheet.record.texts.size(), 2);
        QCOMPARE(sheet.record.texts[0].at, QPointF(600, 900));
        QCOMPARE(sheet.record.texts[1].at, QPointF(3500, 900));
        QVERIFY(sheet.record.texts[1].font.bold);
        QCOMPARE(sheet.printer.currentX(), 0.0);
        QCOMPARE(sheet.printer.currentY(), 900 + RecordingPrintBackend::lineHeightOf(12));

        // A row of one column is a line at its left edge; an empty one ends the line all the same.
        PrintRow(sheet.printer, {{300, QString()}});
        QCOMPARE(sheet.printer.currentY(), 900 + 2 * RecordingPrintBackend::lineHeightOf(12));
    }
};

QTEST_GUILESS_MAIN(PrintHelpersTest)
#include "tst_printhelpers.moc"
