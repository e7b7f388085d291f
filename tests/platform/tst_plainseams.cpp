#include "platform/Prompts.h"
#include "platform/help/HelpService.h"
#include "platform/printing/PrintDialogs.h"
#include "tests/support/FailureOf.h"

#include <QtTest>

// Without windows (the benchmark, the tools) nothing may block or vanish: a
// box is answered at once and its text goes to the log.
class PlainSeamsTest : public QObject {
    Q_OBJECT

private slots:
    void aBoxIsLoggedAndAnsweredAsIfClosed_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("answer");
        QTest::newRow("warning") << MsgBox::KindWarning << MsgBox::Ok;
        QTest::newRow("notice") << MsgBox::KindNotice << MsgBox::Ok;
        QTest::newRow("question") << MsgBox::KindQuestion << MsgBox::No;
    }

    void aBoxIsLoggedAndAnsweredAsIfClosed()
    {
        QFETCH(int, kind);
        QFETCH(int, answer);
        QTest::ignoreMessage(QtWarningMsg, "Warning - Funcion error#: 7\rNo current record.(3021)");
        QCOMPARE(prompts().messageBox(QStringLiteral("Funcion error#: 7\rNo current record.(3021)"),
                                      QStringLiteral("Warning"), kind, 4),
                 answer);
        QCOMPARE(prompts().chooseLanguage(QStringLiteral("Change Language"), {QStringLiteral("English")}, 0),
                 std::nullopt);
    }

    void thereIsNoPrinterToChoose()
    {
        QTest::ignoreMessage(QtWarningMsg, "No printer dialog without windows");
        QCOMPARE(failureOf([] { ShowPrinter(); }), Err::NoDefaultPrinter);
    }

    void helpIsOnlyLogged()
    {
        QTest::ignoreMessage(QtWarningMsg, "No help window for \"frmOnline\"");
        helpService().showTopic(QStringLiteral("frmOnline"));
    }
};

QTEST_GUILESS_MAIN(PlainSeamsTest)
#include "tst_plainseams.moc"
