#include "core/frmPrint.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

class PrintNoticeTest : public QObject {
    Q_OBJECT

private slots:
    // Shown modally, translated, it waits one second on the program's clock and
    // closes itself; only then does the printout go on.
    void theNoticeClosesItselfAfterASecond()
    {
        TestEnvironment env;
        TestEnvironment::useGerman();
        const QDateTime start = env.clock.current;

        int shown = 0;
        QString title, text;
        bool modal = false, visible = false;
        setPrintNoticeWatcherForTests([&](const frmPrint& notice) {
            ++shown;
            title = notice.windowTitle();
            text = notice.lblNumPrint->text();
            modal = notice.isModal();
            visible = notice.isVisible();
        });
        ShowPrintNotice(QStringLiteral(" 2 Seite(n) werden gedruckt "));

        QCOMPARE(shown, 1);
        QCOMPARE(title, QStringLiteral("Drucken..."));
        QCOMPARE(text, QStringLiteral(" 2 Seite(n) werden gedruckt "));
        QVERIFY(modal && visible);
        QVERIFY(start.msecsTo(env.clock.current) >= 1000);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<frmPrint*>(w));
        QVERIFY(env.prompts.boxes.isEmpty());
    }

    // The window the notice stands over may go while the notice waits; the
    // notice goes with it and the printout ends normally.
    void theWindowUnderTheNoticeGoesMeanwhile()
    {
        TestEnvironment env;
        auto* owner = new QWidget;
        owner->show();
        QApplication::setActiveWindow(owner);
        QVERIFY(QApplication::activeWindow() == owner);
        const QPointer<QWidget> gone(owner);
        bool underTheOwner = false;
        setPrintNoticeWatcherForTests([&](const frmPrint& notice) {
            underTheOwner = notice.parentWidget() == owner;
            QTimer::singleShot(0, owner, [owner] { delete owner; });
        });
        ShowPrintNotice(QStringLiteral(" 1 Page is Printing "));
        QVERIFY(underTheOwner);
        QVERIFY(!gone);
        QCOMPARE(env.clock.waits, 1);
    }

    void thePicture_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("shown");
        QTest::newRow("a picture") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                                                 "<rect width='10' height='10' fill='black'/></svg>")
                                   << true;
        QTest::newRow("not a picture") << QByteArray("this is no drawing") << false;
        QTest::newRow("missing") << QByteArray() << false;
    }

    void thePicture()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, shown);
        TestEnvironment env;
        const QString path = env.file(QStringLiteral("printer.svg"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        if (!content.isEmpty() && !shown)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot read file")));
        frmPrint notice(nullptr, path);
        QCOMPARE(!notice.Image1->pixmap().isNull(), shown);
    }
};

QTEST_MAIN(PrintNoticeTest)
#include "tst_printnotice.moc"
