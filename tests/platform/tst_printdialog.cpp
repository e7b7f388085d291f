#include "platform/widgets/WidgetPrintDialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

// The program's own print dialog, shown for real and answered by a timer.
class PrintDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        // No print system here: the dialog is looked at, nothing is printed.
        qputenv("CUPS_SERVER", QFile::encodeName(dir.filePath(QStringLiteral("no-cupsd.sock"))));
    }

    // Every page is printed and the notice counts them all, so the dialog
    // offers no page range and no set of pages, while the copies stay.
    void itOffersNoPageRange()
    {
        QStringList shown;
        bool looked = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            looked = true;
            // The options fold out as the Options button does it.
            if (auto* options = dialog->findChild<QWidget*>(QStringLiteral("QPrintSettingsOutput")))
                options->setVisible(true);
            for (const char* name :
                 {"gbPrintRange", "from", "to", "pagesLineEdit", "pageSetCombo", "pageSetLabel", "copies"})
                if (const auto* widget = dialog->findChild<QWidget*>(QLatin1String(name));
                    widget && widget->isVisibleTo(dialog))
                    shown << QLatin1String(name);
            dialog->close();
        });
        WidgetPrintDialogs dialogs;
        const PrintDialogs::Choice choice = dialogs.choosePrinter(PrinterDialogFlags);
        QVERIFY(looked);
        QCOMPARE(choice.outcome, PrintDialogs::Outcome::Cancelled);
        QCOMPARE(shown, QStringList{QStringLiteral("copies")});
    }
};

QTEST_MAIN(PrintDialogTest)
#include "tst_printdialog.moc"
