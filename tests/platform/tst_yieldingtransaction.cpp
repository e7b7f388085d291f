#include "platform/db/Database.h"
#include "platform/db/YieldingTransaction.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QThread>
#include <QtTest>
#include <atomic>

namespace {

const Schema logSchema = {SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS log (n INTEGER)"))};

int rowsIn(Database& db, const QString& condition)
{
    return db.openSql(QStringLiteral("SELECT count(*) FROM log WHERE ") + condition).field(0).variant().toInt();
}

}

// A long write on a thread of its own, in steps of 2 ms, while the window's
// connection writes as the receive tick does: with a short wait of 20 ms.
class YieldingTransactionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    QString path;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        path = env->file(QStringLiteral("GT430.mdb"));
        Database::create(path, logSchema);
    }
    void cleanup() { env.reset(); }

    // Nobody in a hurry: the long write stays one transaction, none of it seen
    // before its commit. The tick's write then gets the file within a step or
    // two of the long write, and the long write goes on after it.
    void aShortWaitingWriterGetsTheFileBetweenTwoSteps()
    {
        auto window = Database::open(path, {});
        QSemaphore writing;
        std::atomic<bool> done{false};
        std::atomic<bool> gaveWay{false};
        std::atomic<int> steps{0};
        QThread* longWrite = QThread::create([&] {
            auto db = Database::open(path, {});
            YieldingTransaction t(*db);
            QElapsedTimer since;
            since.start();
            while (!done && since.elapsed() < 10000) {
                db->execute(QStringLiteral("INSERT INTO log (n) VALUES (1)"));
                if (++steps == 10)
                    writing.release();
                QThread::msleep(2);
                if (t.giveWay())
                    gaveWay = true;
            }
            t.commit();
            db->close();
        });
        longWrite->start();
        QVERIFY(writing.tryAcquire(1, 10000));
        QCOMPARE(rowsIn(*window, QStringLiteral("n = 1")), 0);

        int tickNumber = 0;
        {
            Database::ShortWait moment(*window, 20);
            tickNumber = failureOf([&] { window->execute(QStringLiteral("INSERT INTO log (n) VALUES (2)")); });
        }
        const int stepsAfterTheTick = steps;
        QTRY_VERIFY_WITH_TIMEOUT(steps > stepsAfterTheTick + 5, 10000);
        done = true;
        longWrite->wait();
        delete longWrite;

        QCOMPARE(tickNumber, 0);
        QVERIFY(gaveWay);
        QCOMPARE(rowsIn(*window, QStringLiteral("n = 2")), 1);
        QCOMPARE(rowsIn(*window, QStringLiteral("n = 1")), int(steps));
    }
};

QTEST_MAIN(YieldingTransactionTest)
#include "tst_yieldingtransaction.moc"
