#include "core/AppState.h"
#include "core/PrintBesideTheWindow.h"
#include "core/PrintGuard.h"
#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "core/ReportKind.h"
#include "core/frmPrint.h"
#include "platform/BusyPointer.h"
#include "platform/printing/PrintDialogs.h"
#include "platform/printing/Printer.h"
#include "tests/support/CupsFixture.h"
#include "tests/support/PdfText.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ShortAnswerBound.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TimerPace.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSemaphore>
#include <QtTest>
#include <atomic>

namespace {

QString rowText(int n)
{
    return QStringLiteral("Row %1").arg(n);
}

// A small printout as the program's lists are written: a header with its
// continuation mark, one body line a row, the shared driver.
void printRows(Printer& printer, int rows, const PrintoutLayout& layout = {})
{
    Printout printout(
        printer,
        [&printer](bool continued) {
            printer.setCurrentX(600);
            printer.setCurrentY(100);
            printer.setFontSize(10);
            if (continued)
                printer.print(QStringLiteral("Continue --- "));
            printer.printLine(QStringLiteral("Printed at: today"));
            printer.setFontSize(12);
            printer.setCurrentX(600);
            PrintColumnHeading(printer, QStringLiteral("Number"), QString());
            printer.printLine();
            printer.printLine();
        },
        layout);
    for (int n = 1; n <= rows; ++n) {
        printout.bodyLine([&] {
            printer.setCurrentX(600);
            printer.printLine(rowText(n));
        });
    }
    printout.finish();
}

// A list of `rows` named as the employee list is; `before(n)` is called
// before row n, and with rows + 1 before the document is sent.
void printEmployeesList(Printer& printer, int rows, const std::function<void(int)>& before = {})
{
    printer.setDocumentName(QStringLiteral("Employees' List"));
    Printout printout(printer, [&](bool) { printer.printLine(QStringLiteral("Employees' List")); });
    for (int n = 1; n <= rows + 1; ++n) {
        if (before)
            before(n);
        if (n <= rows)
            printout.bodyLine([&] { printer.printLine(rowText(n)); });
    }
    printout.finish();
}

// Writes each box into `shown` with whether a notice stood over the windows.
class BoxesSeen final : public Prompts {
public:
    BoxesSeen(RecordingPrompts& recording, QStringList& shown) : m_recording(recording), m_shown(shown)
    {
        setPrompts(this);
    }
    ~BoxesSeen() override { setPrompts(&m_recording); }

    int messageBox(const QString& text, const QString& title, int kind, int buttons) override
    {
        const bool noticeUp = qobject_cast<frmPrint*>(QApplication::activeModalWidget()) != nullptr;
        m_shown << (noticeUp ? QStringLiteral("box over the notice: ") : QStringLiteral("box, no notice up: ")) + text;
        return m_recording.messageBox(text, title, kind, buttons);
    }
    std::optional<int> chooseLanguage(const QString& title, const QStringList& languages, int current) override
    {
        return m_recording.chooseLanguage(title, languages, current);
    }

private:
    RecordingPrompts& m_recording;
    QStringList& m_shown;
};

QList<int> rowsPerPage(const PrintRecord& record)
{
    QList<int> counts;
    for (int page = 1; page <= record.pages; ++page) {
        int rows = 0;
        for (const QString& text : record.textsOnPage(page))
            rows += text.startsWith(QLatin1String("Row ")) ? 1 : 0;
        counts << rows;
    }
    return counts;
}

// What the notice showed, and the state of things while it was up.
struct NoticeSeen {
    int times = 0;
    QString text;
    bool busy = true;
    int documentsEnded = -1;

    explicit NoticeSeen(const PrintRecord* record = nullptr)
    {
        setPrintNoticeWatcherForTests([this, record](const frmPrint& notice) {
            ++times;
            text = notice.lblNumPrint->text();
            busy = busyPointerShown();
            if (record)
                documentsEnded = record->documentsEnded;
        });
    }
};

}

class PrintoutTest : public QObject {
    Q_OBJECT

private slots:
    void pageBreaks_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("one row") << 1 << QList<int>{1};
        QTest::newRow("46 rows") << 46 << QList<int>{46};
        QTest::newRow("47 rows fill one page") << 47 << QList<int>{47};
        QTest::newRow("48 rows") << 48 << QList<int>{47, 1};
        QTest::newRow("47 + 46 rows") << 93 << QList<int>{47, 46};
        QTest::newRow("47 + 46 + 1 rows") << 94 << QList<int>{47, 46, 1};
    }

    // A new page only when another line follows: no page is a header and a
    // footer alone, and every page has both.
    void pageBreaks()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, pages);
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice(&record);
        {
            Printer printer(std::make_unique<RecordingPrintBackend>(record));
            printRows(printer, rows);
        }
        QCOMPARE(rowsPerPage(record), pages);
        QCOMPARE(record.documentsEnded, 1);
        QCOMPARE(record.documentsAbandoned, 0);
        for (int page = 1; page <= record.pages; ++page) {
            const QStringList texts = record.textsOnPage(page);
            QCOMPARE(texts.count(QStringLiteral("Page : %1").arg(page)), 1);
            QCOMPARE(texts.contains(QStringLiteral("Continue --- ")), page > 1);
            QCOMPARE(texts.count(QStringLiteral("Number")), 1);
        }
        QVERIFY(record.find(rowText(rows)));
        QCOMPARE(record.find(rowText(rows))->page, int(pages.size()));
        QCOMPARE(appState().PrintedPage, int16_t(pages.size()));

        // The notice comes after the document was sent and the pointer restored.
        QCOMPARE(notice.times, 1);
        QCOMPARE(notice.text, QStringLiteral(" %1 Page is Printing ").arg(pages.size()));
        QVERIFY(!notice.busy);
        QCOMPARE(notice.documentsEnded, 1);
    }

    void theFirstRowOfAPageStandsBelowItsHeader()
    {
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice;
        {
            Printer printer(std::make_unique<RecordingPrintBackend>(record));
            printRows(printer, 48);
        }
        const double line10 = RecordingPrintBackend::lineHeightOf(10);
        const double line12 = RecordingPrintBackend::lineHeightOf(12);
        const double firstRowY = 100 + line10 + 2 * line12;
        QCOMPARE(record.find(rowText(1))->at, QPointF(600, firstRowY));
        QCOMPARE(record.find(rowText(47))->at, QPointF(600, firstRowY + 46 * line12));
        QCOMPARE(record.find(rowText(48))->at, QPointF(600, firstRowY));
    }

    void theHourglassIsShownWhileThePrintoutIsComposed()
    {
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice;
        Printer printer(std::make_unique<RecordingPrintBackend>(record));
        bool busyInHeader = false, busyInBody = false;
        Printout printout(printer, [&](bool) { busyInHeader = busyPointerShown(); });
        printout.bodyLine([&] { busyInBody = busyPointerShown(); });
        printout.finish();
        QVERIFY(busyInHeader && busyInBody);
        QVERIFY(!busyPointerShown());
    }

    void reportCounting_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("44 rows") << 44 << QList<int>{44};
        QTest::newRow("45 rows") << 45 << QList<int>{44, 1};
        QTest::newRow("44 + 47 rows") << 91 << QList<int>{44, 47};
        QTest::newRow("44 + 47 + 1 rows") << 92 << QList<int>{44, 47, 1};
    }

    // The reports count before each row, their first header counting two
    // lines more, and restart at 1 on every new page.
    void reportCounting()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, pages);
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice;
        {
            Printer printer(std::make_unique<RecordingPrintBackend>(record));
            PrintoutLayout layout;
            layout.check = PageCheck::BeforeEachLine;
            Printout printout(
                printer, [](bool) {}, layout);
            printout.lineCounter() += 2;
            for (int n = 1; n <= rows; ++n)
                printout.bodyLine([&] { printer.printLine(rowText(n)); });
            printout.finish();
        }
        QCOMPARE(rowsPerPage(record), pages);
    }

    // A report that breaks by group: the header of the new page shows the
    // group of the row that opens it.
    void groupBreaks()
    {
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice;
        {
            Printer printer(std::make_unique<RecordingPrintBackend>(record));
            PrintoutLayout layout;
            layout.check = PageCheck::BeforeEachLine;
            QString group = QStringLiteral("Smith");
            Printout printout(
                printer, [&](bool) { printer.printLine(QStringLiteral("Employee ") + group); }, layout);
            const QStringList groups{QStringLiteral("Smith"), QStringLiteral("Smith"), QStringLiteral("Smith"),
                                     QStringLiteral("Jones"), QStringLiteral("Jones")};
            // A break asked for before the first row makes no empty page.
            printout.breakBeforeNextLine();
            for (int n = 0; n < groups.size(); ++n) {
                if (groups[n] != group) {
                    group = groups[n];
                    printout.breakBeforeNextLine();
                }
                printout.bodyLine([&] { printer.printLine(rowText(n + 1)); });
            }
            printout.finish();
        }
        QCOMPARE(rowsPerPage(record), (QList<int>{3, 2}));
        QCOMPARE(record.find(QStringLiteral("Employee Smith"))->page, 1);
        QCOMPARE(record.find(QStringLiteral("Employee Jones"))->page, 2);
    }

    // The details sheet draws its frames after the footer, and its notice
    // has a text of its own.
    void drawingAfterTheLastFooterAndAnotherNotice()
    {
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice;
        int endedAtHook = -1;
        {
            Printer printer(std::make_unique<RecordingPrintBackend>(record));
            PrintoutLayout layout;
            layout.afterLastFooter = [&] {
                endedAtHook = record.documentsEnded;
                printer.drawLine(300, 1000, 11220, 1000);
            };
            layout.noticeText = [] { return QString::number(appState().PrintedPage) + QStringLiteral(" sent"); };
            printRows(printer, 48, layout);
        }
        QCOMPARE(endedAtHook, 0);
        QCOMPARE(record.lines.size(), 1);
        QCOMPARE(record.lines.first().page, 2);
        QCOMPARE(notice.text, QStringLiteral("2 sent"));
    }

    void aFailureWhileComposing()
    {
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice;
        guardedPrinting(506, [&] {
            Printer printer(std::make_unique<RecordingPrintBackend>(record));
            Printout printout(printer, [](bool) {});
            for (int n = 1; n <= 60; ++n)
                printout.bodyLine([&] {
                    if (n == 50)
                        raiseError(Err::PathFileAccess);
                    printer.printLine(rowText(n));
                });
            printout.finish();
        });
        QCOMPARE(env.prompts.boxes.size(), 1);
        QCOMPARE(env.prompts.boxes.first().text, QStringLiteral("Funcion error#: 506\rPath/File access error(75)"));
        // Composing stops: the half document is dropped, no notice, normal pointer.
        QCOMPARE(record.documentsEnded, 0);
        QCOMPARE(record.documentsAbandoned, 1);
        QCOMPARE(notice.times, 0);
        QVERIFY(!busyPointerShown());
    }

    void thePrinterDialog_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("printed");
        QTest::newRow("a printer chosen") << QStringLiteral("printer") << true;
        QTest::newRow("cancelled") << QStringLiteral("cancel") << false;
        QTest::newRow("no default printer") << QStringLiteral("none") << false;
        QTest::newRow("not answered") << QString() << false;
    }

    // Cancelling and a missing printer end the command quietly.
    void thePrinterDialog()
    {
        QFETCH(QString, answer);
        QFETCH(bool, printed);
        TestEnvironment env;
        PrintRecord record;
        NoticeSeen notice;
        if (answer == QLatin1String("printer"))
            env.printDialogs.answerRecording(record);
        else if (answer == QLatin1String("cancel"))
            env.printDialogs.answerCancel();
        else if (answer == QLatin1String("none"))
            env.printDialogs.answerNoPrinter();

        guardedPrinting(154, [&] {
            showBusyPointer();
            PrintBesideTheWindow(ShowPrinter(), [](Printer& printer) { printRows(printer, 3); });
        });

        QCOMPARE(env.printDialogs.flagsShown, QList<int>{2368});
        QCOMPARE(record.documentsEnded, printed ? 1 : 0);
        QCOMPARE(notice.times, printed ? 1 : 0);
        QVERIFY(env.prompts.boxes.isEmpty());
        QVERIFY(!busyPointerShown());
    }

    void theDialogsFailuresAsErrors_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("number");
        QTest::newRow("cancelled") << true << 32755;
        QTest::newRow("no default printer") << false << 28663;
    }

    void theDialogsFailuresAsErrors()
    {
        QFETCH(bool, cancel);
        QFETCH(int, number);
        TestEnvironment env;
        if (cancel)
            env.printDialogs.answerCancel();
        else
            env.printDialogs.answerNoPrinter();
        try {
            ShowPrinter();
            QFAIL("no printer, yet no failure");
        } catch (const AppError& error) {
            QCOMPARE(error.number(), number);
            QVERIFY(isQuietPrintEnd(error));
        }
    }

    // A printout goes to a real print system's queue, which writes it as a
    // PDF (cups-pdf). Whatever the print system answers reaches the user: a
    // job taken gives the notice; a queue refusing jobs, a daemon not running,
    // or one that goes away while the document is sent gives one error report
    // with the reason, and no notice.
    void aPrintoutThroughThePrintSystem_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("accepted") << "" << false << "";
        QTest::newRow("held by a disabled queue") << "disable" << false << "";
        QTest::newRow("refused") << "reject" << false << "Destination \"gt430pdf\" is not accepting jobs.";
        QTest::newRow("daemon not running") << "gone" << false << "The print system is not running.";
        QTest::newRow("daemon not running, German") << "gone" << true << "Das Drucksystem läuft nicht.";
        QTest::newRow("daemon gone while printing") << "gone while printing" << false << "";
        // clang-format on
    }

    void aPrintoutThroughThePrintSystem()
    {
        QFETCH(QString, trouble);
        QFETCH(bool, german);
        QFETCH(QString, reason);
        CupsFixture cups;
        if (!cups.unavailable().isEmpty())
            QSKIP(qPrintable(QStringLiteral("No print system of the test's own: ") + cups.unavailable()));
        TestEnvironment env;
        if (german)
            TestEnvironment::useGerman();
        if (trouble == QLatin1String("reject"))
            QVERIFY(cups.reject(QStringLiteral("closed for the test")));
        if (trouble == QLatin1String("disable"))
            QVERIFY(cups.disable());
        env.printDialogs.answerQueue(CupsFixture::queue());
        NoticeSeen notice;
        guardedPrinting(506, [&] {
            const ChosenPrinter chosen = ShowPrinter();
            // Gone after the printer was chosen, before the job is made.
            if (trouble == QLatin1String("gone"))
                cups.stop();
            PrintBesideTheWindow(chosen, [&](Printer& printer) {
                printEmployeesList(printer, 60, [&](int n) {
                    if (n == 50 && trouble == QLatin1String("gone while printing"))
                        cups.stopFromAnyThread();
                });
            });
        });
        QVERIFY(!busyPointerShown());
        if (trouble.isEmpty() || trouble == QLatin1String("disable")) {
            QVERIFY2(env.prompts.boxes.isEmpty(), qPrintable(env.prompts.texts().join(QLatin1Char('|'))));
            QCOMPARE(notice.text, QStringLiteral(" 2 Page is Printing "));
            // A disabled queue takes the job and holds it.
            if (trouble == QLatin1String("disable")) {
                QCOMPARE(cups.heldJobNames(), QStringList{QStringLiteral("Employees' List")});
                return;
            }
            QCOMPARE(cups.jobNames(), QStringList{QStringLiteral("Employees' List")});
            const QStringList pdfs = cups.waitForPdfs(1);
            QCOMPARE(pdfs.size(), 1);
            // cups-pdf titles its PDF with the job's name in parentheses: "()" for a job without one.
            QCOMPARE(pdfTitle(pdfs.first()), QStringLiteral("(Employees' List)"));
            // Its text is redrawn in fonts of its own, which pdftotext cannot read back: the pages can be counted.
            const auto pages = pdfPages(pdfs.first());
            QVERIFY(pages);
            QCOMPARE(pages->size(), 2);
            return;
        }
        QCOMPARE(notice.times, 0);
        QCOMPARE(env.prompts.boxes.size(), 1);
        const QString said = env.prompts.boxes.first().text;
        const QString start = german ? QStringLiteral("Funcion error#: 506\rDer Drucker gt430pdf hat den Auftrag "
                                                      "\"Employees' List\" nicht angenommen: ")
                                     : QStringLiteral("Funcion error#: 506\rThe printer gt430pdf did not take the job "
                                                      "\"Employees' List\": ");
        QVERIFY2(said.startsWith(start) && said.endsWith(QStringLiteral("(75)")), qPrintable(said));
        if (!reason.isEmpty())
            QCOMPARE(said, start + reason + QStringLiteral("(75)"));
        if (trouble == QLatin1String("reject"))
            QVERIFY(cups.jobNames().isEmpty());
    }

    // While a printout is composed and sent beside the window, the notice
    // stands over the windows with the hourglass, counts the pages sent and
    // cannot be closed; the window's timers tick meanwhile. Once the document
    // has gone, the normal pointer is back and the notice shows the count.
    void theNoticeStandsWhileThePrintoutIsSent()
    {
        TestEnvironment env;
        PrintRecord record;
        env.printDialogs.answerRecording(record);
        NoticeSeen notice(&record);
        QStringList texts;
        bool busyMeanwhile = true;
        bool closedWithEsc = false;
        QSemaphore seen;
        TimerPace pace(10, [&] {
            auto* standing = qobject_cast<frmPrint*>(QApplication::activeModalWidget());
            if (!standing)
                return;
            const QString text = standing->lblNumPrint->text();
            if (!texts.isEmpty() && texts.last() == text)
                return;
            texts << text;
            busyMeanwhile &= busyPointerShown();
            QTest::keyClick(standing, Qt::Key_Escape);
            closedWithEsc |= !standing->isVisible();
            seen.release();
        });
        guardedPrinting(506, [&] {
            PrintBesideTheWindow(ShowPrinter(), [&](Printer& printer) {
                // The composing waits until the window's thread has shown each text.
                printEmployeesList(printer, 60, [&](int n) {
                    if (n == 1 || n == 49)
                        seen.tryAcquire(1, 10000);
                });
            });
        });
        pace.stop();
        QCOMPARE(texts, (QStringList{QStringLiteral("Page is Printing"), QStringLiteral(" 1 Page is Printing ")}));
        QVERIFY(busyMeanwhile);
        QVERIFY(!closedWithEsc);
        QCOMPARE(notice.times, 1);
        QCOMPARE(notice.text, QStringLiteral(" 2 Page is Printing "));
        QVERIFY(!notice.busy);
        QCOMPARE(notice.documentsEnded, 1);
        QVERIFY(!qobject_cast<frmPrint*>(QApplication::activeModalWidget()));
    }

    // A helper's failure while the printout is composed shows once the
    // notice standing has gone; the printout goes on, and its notice follows.
    void theComposingsReportsShowAfterTheNoticeHasGone()
    {
        TestEnvironment env;
        PrintRecord record;
        env.printDialogs.answerRecording(record);
        QStringList shown;
        setPrintNoticeWatcherForTests([&](const frmPrint& notice) { shown << notice.lblNumPrint->text(); });
        BoxesSeen boxes(env.prompts, shown);
        guardedPrinting(506, [&] {
            PrintBesideTheWindow(ShowPrinter(), [&](Printer& printer) {
                printEmployeesList(printer, 3, [](int n) {
                    if (n == 2)
                        guarded(1022, [] { raiseError(Err::Overflow, QStringLiteral("Overflow")); });
                });
            });
        });
        setPrintNoticeWatcherForTests(nullptr);
        QCOMPARE(shown, (QStringList{QStringLiteral("box, no notice up: Funcion error#: 1022\rOverflow(6)"),
                                     QStringLiteral(" 1 Page is Printing ")}));
        QCOMPARE(record.documentsEnded, 1);
    }

    void aPrintSystemThatStopsAnswering_data()
    {
        QTest::addColumn<int>("stopAt"); // the row before which the daemon stops; 0 before the job is made
        // clang-format off
        QTest::newRow("before the job is made") << 0;
        QTest::newRow("while the document is sent") << 400;
        QTest::newRow("once the last page is drawn") << 4001;
        // clang-format on
    }

    // A print system that stops answering (its daemon stopped) while a
    // printout goes to it holds nothing up: the window's timers keep their
    // pace under the printing notice, and once the print system has been
    // silent for the answer bound, one box names it and the printout ends.
    // Once it answers again, the next printout goes through.
    void aPrintSystemThatStopsAnswering()
    {
        QFETCH(int, stopAt);
        CupsFixture cups;
        if (!cups.unavailable().isEmpty())
            QSKIP(qPrintable(QStringLiteral("No print system of the test's own: ") + cups.unavailable()));
        TestEnvironment env;
        const ShortAnswerBound bound(2000);
        env.printDialogs.answerQueue(CupsFixture::queue());
        env.printDialogs.answerQueue(CupsFixture::queue());
        NoticeSeen notice;
        QElapsedTimer clock;
        std::atomic<qint64> stoppedAt{-1};
        auto stopBefore = [&](int n) {
            if (n == stopAt) {
                cups.pause();
                stoppedAt = clock.elapsed();
            }
        };
        bool noticeStood = false;
        clock.start();
        TimerPace pace(20,
                       [&] { noticeStood |= qobject_cast<frmPrint*>(QApplication::activeModalWidget()) != nullptr; });
        guardedPrinting(506, [&] {
            PrintBesideTheWindow(ShowPrinter(), [&](Printer& printer) {
                stopBefore(0);
                printEmployeesList(printer, 4000, stopBefore);
            });
        });
        const qint64 ended = clock.elapsed();
        pace.stop();
        cups.resume();

        QCOMPARE(env.prompts.texts(), QStringList{QStringLiteral(
                                          "Funcion error#: 506\rThe printer gt430pdf did not take the job \"Employees' "
                                          "List\": The print system does not answer.(75)")});
        QCOMPARE(notice.times, 0);
        QVERIFY(stoppedAt >= 0);
        const qint64 waited = ended - stoppedAt;
        QVERIFY2(waited >= 1800 && waited < 5000, qPrintable(QString::number(waited)));
        QVERIFY(noticeStood);
        QVERIFY2(pace.longestGapMs() < 1000, qPrintable(QString::number(pace.longestGapMs())));
        QVERIFY(pace.ticks() >= waited / 20 / 4);
        QVERIFY(!busyPointerShown());

        guardedPrinting(506, [&] {
            PrintBesideTheWindow(ShowPrinter(), [](Printer& printer) { printEmployeesList(printer, 3); });
        });
        QCOMPARE(env.prompts.boxes.size(), 1);
        QCOMPARE(notice.text, QStringLiteral(" 1 Page is Printing "));
    }

    // Printing to a file from the print dialog names the file and the
    // system's reason, once, and shows no notice.
    void aFileThatCannotBePrintedIntoIsNamedOnce()
    {
        TestEnvironment env;
        const QString path = env.file(QStringLiteral("missing/out.pdf"));
        env.printDialogs.answerPdf(path);
        NoticeSeen notice;
        guardedPrinting(505,
                        [&] { PrintBesideTheWindow(ShowPrinter(), [](Printer& printer) { printRows(printer, 3); }); });
        QCOMPARE(env.prompts.texts(), QStringList{QStringLiteral("Funcion error#: 505\rCannot write the file ") + path +
                                                  QStringLiteral(": No such file or directory(75)")});
        QCOMPARE(notice.times, 0);
    }

    // The end-to-end printout on paper: a PDF read back with pdftotext.
    void aPrintoutAsPdf()
    {
        TestEnvironment env;
        appState().FooterText = QStringLiteral("Footer of the program");
        ReportKind = 3;
        const QString path = env.file(QStringLiteral("printout.pdf"));
        env.printDialogs.answerPdf(path);
        NoticeSeen notice;
        guardedPrinting(154,
                        [&] { PrintBesideTheWindow(ShowPrinter(), [](Printer& printer) { printRows(printer, 48); }); });
        QVERIFY(env.prompts.boxes.isEmpty());
        QCOMPARE(notice.text, QStringLiteral(" 2 Page is Printing "));

        const auto pages = pdfPages(path);
        if (!pages)
            QSKIP("pdftotext is not installed");
        QCOMPARE(pages->size(), 2);
        const QString first = pages->at(0);
        const QString second = pages->at(1);
        QVERIFY(!first.contains(QStringLiteral("Continue")));
        QVERIFY(first.contains(QStringLiteral("Printed at: today")));
        QVERIFY(first.indexOf(QStringLiteral("Row 1\n")) < first.indexOf(QStringLiteral("Row 47\n")));
        QVERIFY(!first.contains(QStringLiteral("Row 48")));
        QVERIFY(second.contains(QStringLiteral("Continue --- ")));
        QVERIFY(second.contains(QStringLiteral("Row 48")));
        QVERIFY(!second.contains(QStringLiteral("Row 47\n")));
        for (int page = 0; page < 2; ++page) {
            const QString text = pages->at(page);
            const qsizetype legend = text.indexOf(QStringLiteral("(*) Incompleted Data"));
            const qsizetype number = text.indexOf(QStringLiteral("Page : %1").arg(page + 1));
            QVERIFY(legend >= 0 && number > legend);
            // The footer text on the page number's line.
            const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), number);
            QVERIFY(text.mid(number, lineEnd - number).contains(QStringLiteral("Footer of the program")));
        }
    }
};

QTEST_MAIN(PrintoutTest)
#include "tst_printout.moc"
