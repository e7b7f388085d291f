#include "core/HeldReports.h"
#include "core/Messages.h"
#include "tests/support/AwayPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

void report(int procId)
{
    ReportError(static_cast<int16_t>(procId), AppError(Err::Overflow, QStringLiteral("Overflow")));
}

QString textOf(int procId)
{
    return QStringLiteral("Funcion error#: %1\rOverflow(6)").arg(procId);
}

}

class HeldReportsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QStringList shown() const { return env->prompts.texts(); }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void withoutAHoldAReportShowsAtOnce()
    {
        report(1);
        QCOMPARE(shown(), QStringList{textOf(1)});
    }

    void heldReportsComeOnceEachInTheirOrder()
    {
        {
            ReportHold hold;
            report(2);
            report(1);
            report(2);
            ShowHeldReports(); // the work is not done yet
            QCoreApplication::sendPostedEvents();
            QVERIFY(shown().isEmpty());
        }
        ShowHeldReports();
        // Not inside the handler that held them: once it has returned.
        QVERIFY(shown().isEmpty());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(shown(), (QStringList{textOf(2), textOf(1)}));
    }

    // While a box is up, work goes on: its own report is not raised again,
    // another waits, and a hold inside the box shows nothing by itself.
    void noBoxStacksOnAnother()
    {
        AwayPrompts away(env->prompts, [] {
            report(1);
            {
                ReportHold hold;
                report(3);
            }
            ShowHeldReports();
            report(2);
            report(1);
        });
        setPrompts(&away);
        report(1);
        setPrompts(&env->prompts);
        QCOMPARE(away.mostUpAtOnce, 1);
        QCOMPARE(shown(), (QStringList{textOf(1), textOf(3), textOf(2)}));
        report(1); // once the box is down it is raised again
        QCOMPARE(shown().size(), 4);
    }
};

QTEST_GUILESS_MAIN(HeldReportsTest)
#include "tst_heldreports.moc"
