#include "platform/AppError.h"
#include "platform/BackgroundTask.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QTimer>
#include <QtTest>
#include <atomic>

// The window's own timer goes on while work runs beside it: the work below
// waits for five of its ticks, which a wait that held the window's thread
// would never let come (the work then gives up after 10 s and says so).
class BackgroundTaskTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowsTimersFireWhileTheWorkRuns()
    {
        QSemaphore fiveTicks;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (++ticks == 5)
                fiveTicks.release();
        });
        timer.start(10);
        const bool sawThem = BackgroundTask::runAndWait([&] { return fiveTicks.tryAcquire(1, 10000); });
        QVERIFY(sawThem);
        QVERIFY(ticks >= 5);
    }

    void whatTheWorkThrowsIsThrownToTheCaller()
    {
        try {
            BackgroundTask::runAndWait([] { raiseError(Err::Locked, QStringLiteral("held")); });
            QFAIL("nothing thrown");
        } catch (const AppError& error) {
            QCOMPARE(error.number(), 3260);
            QCOMPARE(error.description(), QStringLiteral("held"));
        }
        QVERIFY(!BackgroundTask::anyRunning());
    }

    // A window closed while its work runs gets no call back; the work still
    // ends, and the end of the program waits for it.
    void aContextGoneGetsNoCallBack()
    {
        QSemaphore go;
        std::atomic<bool> ended{false};
        bool called = false;
        auto* window = new QObject;
        BackgroundTask::runThen(
            window,
            [&] {
                go.acquire();
                ended = true;
            },
            [&](std::exception_ptr) { called = true; });
        QVERIFY(BackgroundTask::anyRunning());
        delete window;
        go.release();
        BackgroundTask::waitForAll();
        QVERIFY(ended);
        QVERIFY(!BackgroundTask::anyRunning());
        // The thread's end is delivered, and nobody is there for it.
        QCoreApplication::sendPostedEvents();
        QVERIFY(!called);
    }

    void theCallBackComesOnTheWindowsThreadWithTheFailure()
    {
        QObject window;
        QEventLoop loop;
        QThread* calledOn = nullptr;
        int number = 0;
        BackgroundTask::runThen(
            &window, [] { raiseError(Err::PathFileAccess, QStringLiteral("full")); },
            [&](std::exception_ptr failure) {
                calledOn = QThread::currentThread();
                try {
                    std::rethrow_exception(failure);
                } catch (const AppError& error) {
                    number = error.number();
                }
                loop.quit();
            });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(calledOn, QThread::currentThread());
        QCOMPARE(number, 75);
    }

    // The end of the program asks the work that watches a stop request to
    // stop between its steps, rather than waiting for all of it (the work
    // below would go on for 10 s); only that work's thread is asked.
    void theEndOfTheProgramAsksWorkToStopEarly()
    {
        QObject window;
        QSemaphore watching;
        std::atomic<bool> stoppedEarly{false};
        BackgroundTask::StopRequest stop;
        BackgroundTask::runThen(
            &window,
            [&] {
                const BackgroundTask::StopRequest::Watch watch(stop);
                watching.release();
                QElapsedTimer since;
                since.start();
                while (since.elapsed() < 10000) {
                    if (BackgroundTask::stopRequested()) {
                        stoppedEarly = true;
                        return;
                    }
                    QThread::msleep(1);
                }
            },
            [](std::exception_ptr) {});
        QVERIFY(watching.tryAcquire(1, 10000));
        QVERIFY(!BackgroundTask::stopRequested());
        BackgroundTask::waitForAll();
        QVERIFY(stoppedEarly);
        QVERIFY(stop.requested());
        // The thread's end is delivered, and its thread object goes.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(BackgroundTaskTest)
#include "tst_backgroundtask.moc"
