#include "platform/ProgramFonts.h"
#include "platform/printing/PdfPrintBackend.h"
#include "platform/printing/Printer.h"
#include "tests/support/FailureOf.h"
#include "tests/support/FileMode.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/PdfText.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/RecordingPrintDialogs.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

std::unique_ptr<Printer> recordingPrinter(PrintRecord& record)
{
    return std::make_unique<Printer>(std::make_unique<RecordingPrintBackend>(record));
}

}

class PrinterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ProgramFonts::install(); }

    // Whatever faces the machine has besides, the program's Arial is Arial or
    // its metric twin, so printed lines measure as on the Windows program.
    void arialIsArialOrItsMetricTwin()
    {
        const QString face = QFontInfo(QFont(QStringLiteral("Arial"), 12)).family();
        QVERIFY2(face == QLatin1String("Arial") || face == QLatin1String("Liberation Sans"), qPrintable(face));
    }

    // print() stays on the line after the text; printLine() goes back to X = 0
    // and down one line of the font in effect then.
    void theTwoRulesOfPrint()
    {
        PrintRecord record;
        auto printer = recordingPrinter(record);
        printer->setFontSize(12);
        printer->setCurrentX(600);
        printer->setCurrentY(100);
        printer->print(QStringLiteral("Ab"));
        QCOMPARE(printer->currentX(), 600 + 2 * 120.0);
        QCOMPARE(printer->currentY(), 100.0);
        printer->printLine(QStringLiteral("C"));
        QCOMPARE(printer->currentX(), 0.0);
        QCOMPARE(printer->currentY(), 100 + 276.0);
        printer->setFontSize(10);
        printer->printLine();
        QCOMPARE(printer->currentY(), 100 + 276.0 + 230.0);

        QCOMPARE(record.texts.size(), 2);
        QCOMPARE(record.texts[0].at, QPointF(600, 100));
        QCOMPARE(record.texts[1].at, QPointF(840, 100));
        QCOMPARE(record.texts[1].font.size, 12.0);
    }

    void fontsAndMeasures()
    {
        PrintRecord record;
        auto printer = recordingPrinter(record);
        printer->setFontName(QStringLiteral("Courier New"));
        printer->setFontSize(14);
        printer->setFontBold(true);
        printer->setFontUnderline(true);
        QCOMPARE(printer->textWidth(QStringLiteral("abc")), 3 * 140.0);
        QCOMPARE(printer->textHeight(QStringLiteral("W")), 322.0);
        QCOMPARE(printer->textHeight(QStringLiteral("one\ntwo")), 644.0);
        QCOMPARE(printer->scaleWidth(), 11520.0);
        QCOMPARE(printer->scaleHeight(), 15120.0);
        printer->print(QStringLiteral("x"));
        const PrintFont& font = record.texts.first().font;
        QCOMPARE(font.name, QStringLiteral("Courier New"));
        QVERIFY(font.bold && font.underline);
    }

    void nothingWraps()
    {
        PrintRecord record;
        auto printer = recordingPrinter(record);
        printer->setCurrentX(11000);
        const QString wide(300, QLatin1Char('x'));
        printer->print(wide);
        QCOMPARE(record.texts.size(), 1);
        QCOMPARE(record.texts.first().text, wide);
        QCOMPARE(printer->currentY(), 0.0);
        QVERIFY(printer->currentX() > printer->scaleWidth());
    }

    void pagesAndTheDocument()
    {
        PrintRecord record;
        {
            auto printer = recordingPrinter(record);
            printer->endDoc();
            QCOMPARE(record.documentsBegun, 0); // nothing printed, nothing sent

            QCOMPARE(printer->page(), int16_t(1));
            printer->setCurrentX(500);
            printer->printLine(QStringLiteral("one"));
            printer->setDrawWidth(4);
            printer->drawLine(300, 400, 2000, 400);
            printer->newPage();
            QCOMPARE(printer->page(), int16_t(2));
            QCOMPARE(printer->currentX(), 0.0);
            QCOMPARE(printer->currentY(), 0.0);
            printer->paintPicture(QImage(10, 20, QImage::Format_RGB32), 300, 500, 2250, 3000);
            printer->printLine(QStringLiteral("two"));
            printer->endDoc();
            QCOMPARE(printer->page(), int16_t(1));
        }
        QCOMPARE(record.documentsEnded, 1);
        QCOMPARE(record.documentsAbandoned, 0);
        QCOMPARE(record.pages, 2);
        QCOMPARE(record.textsOnPage(1), QStringList{QStringLiteral("one")});
        QCOMPARE(record.textsOnPage(2), QStringList{QStringLiteral("two")});
        QCOMPARE(record.lines.size(), 1);
        QCOMPARE(record.lines.first().width, 4);
        QCOMPARE(record.lines.first().page, 1);
        QCOMPARE(record.pictures.size(), 1);
        QCOMPARE(record.pictures.first().area, QRectF(300, 500, 2250, 3000));
        QCOMPARE(record.pictures.first().page, 2);
    }

    void anUnfinishedDocumentIsDropped()
    {
        PrintRecord record;
        recordingPrinter(record)->printLine(QStringLiteral("half"));
        QCOMPARE(record.documentsAbandoned, 1);
        QCOMPARE(record.documentsEnded, 0);
    }

    void aPdfCarriesTheTextWhereItWasPrinted()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        double line12 = 0;
        {
            Printer printer(dialogPdfBackend(path));
            // A4 less quarter-inch margins.
            QVERIFY(qAbs(printer.scaleWidth() - (210 / 25.4 - 0.5) * 1440) < 15);
            QVERIFY(qAbs(printer.scaleHeight() - (297 / 25.4 - 0.5) * 1440) < 15);

            printer.setFontName(QStringLiteral("Arial"));
            printer.setFontSize(12);
            line12 = printer.textHeight(QStringLiteral("W"));
            // Arial's line is 1.15 times its size: 276 twips at 12 points.
            QVERIFY2(qAbs(line12 - 276) <= 2, qPrintable(QString::number(line12)));
            QVERIFY(qAbs(printer.textWidth(QStringLiteral("WWWW")) - 4 * printer.textWidth(QStringLiteral("W"))) < 1);
            printer.setFontSize(24);
            QVERIFY(qAbs(printer.textHeight(QStringLiteral("W")) - 2 * line12) < 0.05 * line12);
            printer.setFontSize(12);

            printer.setCurrentX(600);
            printer.setCurrentY(100);
            printer.print(QStringLiteral("Left"));
            printer.setCurrentX(7000);
            printer.printLine(QStringLiteral("Right"));
            printer.setCurrentX(600);
            printer.printLine(QStringLiteral("Below"));
            printer.newPage();
            printer.printLine(QStringLiteral("Second page"));
            printer.endDoc();
        }
        const auto pages = pdfPages(path);
        const auto words = pdfWords(path);
        if (!pages || !words)
            QSKIP("pdftotext is not installed");
        QCOMPARE(pages->size(), 2);
        QVERIFY(pages->at(0).indexOf(QStringLiteral("Below")) > pages->at(0).indexOf(QStringLiteral("Right")));
        QVERIFY(pages->at(1).contains(QStringLiteral("Second page")));

        // Positions on the sheet: the printable area starts a quarter inch in.
        auto word = [&](const QString& text) {
            for (const PdfWord& w : *words)
                if (w.text == text)
                    return w;
            return PdfWord{0, QPointF(-1, -1), QString()};
        };
        const PdfWord left = word(QStringLiteral("Left"));
        const PdfWord right = word(QStringLiteral("Right"));
        const PdfWord below = word(QStringLiteral("Below"));
        QCOMPARE(left.page, 1);
        QVERIFY2(qAbs(left.at.x() - (360 + 600)) < 40, qPrintable(QString::number(left.at.x())));
        QVERIFY2(qAbs(right.at.x() - (360 + 7000)) < 40, qPrintable(QString::number(right.at.x())));
        QVERIFY(qAbs(left.at.y() - right.at.y()) < 1);
        QVERIFY(qAbs(below.at.y() - left.at.y() - line12) < 20);
        QVERIFY(left.at.y() > 360 + 100 - 20 && left.at.y() < 360 + 100 + line12);
        QCOMPARE(word(QStringLiteral("Second")).page, 2);
    }

    // A printed PDF holds names and times: a new one is its owner's alone
    // under the usual umask; one replaced keeps the mode its owner gave it.
    // The program's print dialog and the report tool make their PDFs alike.
    void aNewPdfIsTheOwnersAlone_data()
    {
        QTest::addColumn<bool>("dialogs");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("dialog, new") << true << -1 << 0600;
        QTest::newRow("dialog, replacing one readable by all") << true << 0644 << 0644;
        QTest::newRow("dialog, replacing one of the group") << true << 0640 << 0640;
        QTest::newRow("tool, new") << false << -1 << 0600;
        QTest::newRow("tool, replacing one readable by all") << false << 0644 << 0644;
    }

    void aNewPdfIsTheOwnersAlone()
    {
        QFETCH(bool, dialogs);
        QFETCH(int, before);
        QFETCH(int, after);
        const FixedUmask umask(022);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        if (before >= 0)
            QVERIFY(makeFile(path, before));
        {
            Printer printer(dialogs ? dialogPdfBackend(path) : std::make_unique<PdfPrintBackend>(path));
            printer.printLine(QStringLiteral("7 Smith  John"));
            printer.endDoc();
        }
        QCOMPARE(fileMode(path), after);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
    }

    void anAbandonedPdfLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("half.pdf"));
        {
            Printer printer(dialogPdfBackend(path));
            printer.printLine(QStringLiteral("half"));
        }
        QVERIFY(!QFile::exists(path));
    }

    // A PDF that cannot be written says which file and the system's reason;
    // what was there before stays, and nothing is left beside it.
    void aPdfThatCannotBeWrittenSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a missing folder") << "missing/out.pdf" << -1 << 1 << "No such file or directory";
        QTest::newRow("a full disk at the end") << "out.pdf" << 3000 << 1 << "File too large";
        QTest::newRow("a full disk at a new page") << "out.pdf" << 3000 << 400 << "File too large";
    }

    void aPdfThatCannotBeWrittenSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(int, room);
        QFETCH(int, pages);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QByteArray old("the printout of last week");
        if (room >= 0) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        int drawn = 0;
        QString failure;
        {
            std::optional<FileSizeLimit> full;
            if (room >= 0)
                full.emplace(static_cast<rlim_t>(room));
            failure = failureTextOf([&] {
                Printer printer(std::make_unique<PdfPrintBackend>(path));
                printer.beginDoc();
                for (int page = 1; page <= pages; ++page) {
                    if (page > 1)
                        printer.newPage();
                    for (int line = 1; line <= 40; ++line)
                        printer.printLine(QStringLiteral("Line %1 of page %2").arg(line).arg(page));
                    drawn = page;
                }
                printer.endDoc();
            });
        }
        QCOMPARE(failure, QStringLiteral("Cannot write the file ") + path + QStringLiteral(": ") + reason);
        // A page that could not be started ends the document there.
        QVERIFY(pages == 1 || drawn < pages);
        QFile kept(path);
        QCOMPARE(kept.open(QIODevice::ReadOnly) ? kept.readAll() : QByteArray(), room >= 0 ? old : QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), room >= 0 ? 1 : 0);
    }
};

QTEST_MAIN(PrinterTest)
#include "tst_printer.moc"
