#include "platform/BackgroundTask.h"
#include "platform/EndSignals.h"
#include "tests/support/EventLoopWait.h"

#include <QSemaphore>
#include <QTimer>
#include <QtTest>
#include <csignal>

// The end signals reach the program through its event loop, never in the
// middle of a handler, and wait for work under way.
class EndSignalsTest : public QObject {
    Q_OBJECT

    int ended = 0;
    bool mayEnd = true;

private slots:
    void init()
    {
        ended = 0;
        mayEnd = true;
        EndSignals::install([this] { return mayEnd; }, [this](int signal) { ended = signal; });
    }

    void aSignalEndsFromTheEventLoop_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void aSignalEndsFromTheEventLoop()
    {
        QFETCH(int, signal);
        bool endedInTheHandler = true;
        // The signal comes while a handler of the window runs (a tick).
        QTimer::singleShot(0, [&] {
            std::raise(signal);
            endedInTheHandler = ended != 0;
        });
        QVERIFY(runEventLoopUntil([&] { return ended != 0; }));
        QVERIFY(!endedInTheHandler);
        QCOMPARE(ended, signal);
    }

    void theEndWaitsForWorkUnderWay()
    {
        QSemaphore finish;
        bool workDone = false;
        BackgroundTask::runThen(
            this, [&] { finish.tryAcquire(1, 10000); }, [&](std::exception_ptr) { workDone = true; });
        std::raise(SIGTERM);
        runEventLoopFor(200);
        QCOMPARE(ended, 0);
        finish.release();
        QVERIFY(runEventLoopUntil([&] { return ended != 0 && workDone; }));
    }

    // The database closed for a moment (a compaction): the end comes once it is open again.
    void theEndWaitsUntilItMayEnd()
    {
        mayEnd = false;
        std::raise(SIGHUP);
        runEventLoopFor(200);
        QCOMPARE(ended, 0);
        mayEnd = true;
        QVERIFY(runEventLoopUntil([&] { return ended != 0; }));
        QCOMPARE(ended, int(SIGHUP));
    }

    void aSecondSignalChangesNothing()
    {
        int ends = 0;
        EndSignals::install([] { return true; }, [&](int) { ++ends; });
        std::raise(SIGTERM);
        QVERIFY(runEventLoopUntil([&] { return ends > 0; }));
        std::raise(SIGINT);
        runEventLoopFor(100);
        QCOMPARE(ends, 1);
    }
};

QTEST_GUILESS_MAIN(EndSignalsTest)
#include "tst_endsignals.moc"
