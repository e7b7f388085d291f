#include "platform/BackgroundTask.h"
#include "platform/printing/Printer.h"
#include "platform/widgets/PrinterDialog.h"
#include "platform/widgets/WidgetPrintDialogs.h"
#include "tests/support/CupsFixture.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/ShortAnswerBound.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TimerPace.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <optional>

namespace {

// Shows the print dialog as the program does (modal) and works it through
// `work` once it stands; a dialog `work` leaves open is cancelled.
PrintDialogs::Choice runDialog(const std::function<void(PrinterDialog&)>& work)
{
    bool found = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<PrinterDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        found = true;
        work(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    WidgetPrintDialogs dialogs;
    PrintDialogs::Choice choice = dialogs.choosePrinter(PrinterDialogFlags);
    if (!found)
        qWarning("The print dialog was not shown");
    return choice;
}

bool askingForQueues(const PrinterDialog& dialog)
{
    return dialog.lblNote->text().startsWith(QLatin1String("Asking")) ||
           dialog.lblNote->text().startsWith(QLatin1String("Das Drucksystem wird"));
}

// A socket where no print system listens.
class NoPrintSystem {
public:
    NoPrintSystem() : m_old(qgetenv("CUPS_SERVER"))
    {
        qputenv("CUPS_SERVER", QFile::encodeName(m_dir.filePath(QStringLiteral("no-cupsd.sock"))));
    }
    ~NoPrintSystem() { qputenv("CUPS_SERVER", m_old); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

}

class PrintDialogTest : public QObject {
    Q_OBJECT

private slots:
    // The end of the program waits for the asking; so does each test, and
    // lets the thread that asked go.
    void cleanup()
    {
        BackgroundTask::waitForAll();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The queues come from the print system beside the window's thread; once
    // they are there the printer is chosen, and Enter prints to it.
    void theQueuesComeAndEnterPrints()
    {
        CupsFixture cups;
        if (!cups.unavailable().isEmpty())
            QSKIP(qPrintable(QStringLiteral("No print system of the test's own: ") + cups.unavailable()));
        TestEnvironment env;
        QStringList queues;
        bool printerChosen = false;
        bool copiesOpen = false;
        QString note;
        const PrintDialogs::Choice choice = runDialog([&](PrinterDialog& dialog) {
            QVERIFY(runEventLoopUntil([&] { return !askingForQueues(dialog); }, 10000));
            for (int i = 0; i < dialog.cmbPrinters->count(); ++i)
                queues << dialog.cmbPrinters->itemText(i);
            printerChosen = dialog.optPrinter->isChecked() && dialog.cmbPrinters->isEnabled();
            copiesOpen = dialog.txtCopies->isEnabled();
            note = dialog.lblNote->text();
            QTest::keyClick(dialog.cmbPrinters, Qt::Key_Return);
        });
        QCOMPARE(queues, QStringList{CupsFixture::queue()});
        QVERIFY(printerChosen && copiesOpen);
        QCOMPARE(note, QString());
        QCOMPARE(choice.outcome, PrintDialogs::Outcome::Chosen);
        {
            Printer printer(choice.printer.makeDevice());
            printer.setDocumentName(QStringLiteral("Chosen with Enter"));
            printer.printLine(QStringLiteral("one line"));
            printer.endDoc();
        }
        QCOMPARE(cups.jobNames(), QStringList{QStringLiteral("Chosen with Enter")});
    }

    void aPrintSystemItCannotUse_data()
    {
        QTest::addColumn<QString>("daemon");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("note");
        // clang-format off
        QTest::newRow("not running") << "none" << false << "The print system is not running.\nOnly a PDF file can be printed.";
        QTest::newRow("not running, German") << "none" << true << "Das Drucksystem läuft nicht.\nEs kann nur in eine PDF-Datei gedruckt werden.";
        QTest::newRow("stopped") << "stopped" << false << "The print system does not answer.\nOnly a PDF file can be printed.";
        QTest::newRow("without queues") << "empty" << false << "The print system has no printers.\nOnly a PDF file can be printed.";
        // clang-format on
    }

    // A print system that is not running, does not answer (its daemon
    // stopped) or has no queues is named beside the file choice, which is
    // then the only one; meanwhile the dialog stands and the window's timers
    // keep their pace, and a silent one is given up within the answer bound.
    // Esc cancels.
    void aPrintSystemItCannotUse()
    {
        QFETCH(QString, daemon);
        QFETCH(bool, german);
        QFETCH(QString, note);
        const bool stopped = daemon == QLatin1String("stopped");
        std::optional<CupsFixture> cups;
        std::optional<NoPrintSystem> none;
        if (daemon == QLatin1String("none")) {
            none.emplace();
        } else {
            cups.emplace();
            if (!cups->unavailable().isEmpty())
                QSKIP(qPrintable(QStringLiteral("No print system of the test's own: ") + cups->unavailable()));
            if (stopped)
                cups->pause();
            else
                QVERIFY(cups->removeQueue());
        }
        TestEnvironment env;
        if (german)
            TestEnvironment::useGerman();
        const ShortAnswerBound bound(2000);
        QString shown, title, printerText;
        bool printerOffered = true, fileChosen = false;
        qint64 answeredAfter = -1;
        std::optional<TimerPace> pace;
        const PrintDialogs::Choice choice = runDialog([&](PrinterDialog& dialog) {
            QElapsedTimer clock;
            clock.start();
            pace.emplace();
            QVERIFY(runEventLoopUntil([&] { return !askingForQueues(dialog); }, 10000));
            answeredAfter = clock.elapsed();
            pace->stop();
            shown = dialog.lblNote->text();
            title = dialog.windowTitle();
            printerText = dialog.optPrinter->text();
            printerOffered = dialog.optPrinter->isEnabled() || dialog.cmbPrinters->isEnabled();
            fileChosen = dialog.optFile->isChecked();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        if (stopped)
            cups->resume();
        QCOMPARE(choice.outcome, PrintDialogs::Outcome::Cancelled);
        QCOMPARE(shown, note);
        QVERIFY(!printerOffered && fileChosen);
        QCOMPARE(title, german ? QStringLiteral("Drucken") : QStringLiteral("Print"));
        QCOMPARE(printerText, german ? QStringLiteral("&Drucker") : QStringLiteral("&Printer"));
        QVERIFY2(answeredAfter < (stopped ? 5000 : 1000), qPrintable(QString::number(answeredAfter)));
        if (stopped)
            QVERIFY2(answeredAfter >= 1800, qPrintable(QString::number(answeredAfter)));
        QVERIFY2(pace->longestGapMs() < 1000, qPrintable(QString::number(pace->longestGapMs())));
    }

    void aPdfFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("chosen");
        // clang-format off
        QTest::newRow("typed") << "typed" << true;
        QTest::newRow("asked for when none is typed") << "asked" << true;
        QTest::newRow("none typed and none chosen") << "cancelled" << false;
        // clang-format on
    }

    // A PDF file, typed or chosen in the file dialog, is printed into; Enter
    // without one asks for one, and a file dialog cancelled leaves the print
    // dialog standing.
    void aPdfFile()
    {
        QFETCH(QString, how);
        QFETCH(bool, chosen);
        const NoPrintSystem none;
        TestEnvironment env;
        const QString path = env.file(QStringLiteral("list.pdf"));
        if (how == QLatin1String("asked"))
            env.saveDialogs.answer(path);
        else if (how == QLatin1String("cancelled"))
            env.saveDialogs.answerCancel();
        bool standing = false;
        const PrintDialogs::Choice choice = runDialog([&](PrinterDialog& dialog) {
            if (how == QLatin1String("typed")) {
                QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
                QTest::keyClicks(dialog.txtFile, path);
            }
            QTest::keyClick(dialog.txtFile, Qt::Key_Return);
            standing = dialog.isVisible();
        });
        QCOMPARE(env.saveDialogs.shown.size(), how == QLatin1String("typed") ? 0 : 1);
        QCOMPARE(standing, !chosen);
        if (!chosen) {
            QCOMPARE(choice.outcome, PrintDialogs::Outcome::Cancelled);
            return;
        }
        if (how == QLatin1String("asked"))
            QCOMPARE(env.saveDialogs.shown.first().filter, QStringLiteral("PDF files (*.pdf)"));
        QCOMPARE(choice.outcome, PrintDialogs::Outcome::Chosen);
        {
            Printer printer(choice.printer.makeDevice());
            printer.printLine(QStringLiteral("one line"));
            printer.endDoc();
        }
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
    }
};

QTEST_MAIN(PrintDialogTest)
#include "tst_printdialog.moc"
