#include "core/AppState.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/ReceiveDispatcher.h"
#include "link/UnitSimulator.h"
#include "platform/serial/SerialCommPort.h"
#include "tests/support/FakeCommPort.h"
#include "tests/support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <csignal>

Q_DECLARE_METATYPE(QList<UnitSimulator::Fault>)

class SimulatorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    // Starts the simulator on a pseudo-terminal linked as `link`; the slave it
    // names, empty when it did not start.
    static QString startLinked(QProcess& sim, const QString& link)
    {
        sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/gt430-simulator"),
                  {QStringLiteral("--link"), link});
        if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000))
            return {};
        return QString::fromUtf8(sim.readLine()).mid(7).trimmed();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
    }
    void cleanup() { env.reset(); }

    void timeline()
    {
        UnitSimulator::Options o;
        o.count = 4;
        o.intervalMs = 1000;
        o.statusEveryMs = 2500;
        UnitSimulator unit(o);
        QList<std::pair<qint64, bool>> seen;
        while (!unit.done()) {
            const auto t = unit.next();
            seen << std::pair{t.atMs, t.codeRead};
        }
        QCOMPARE(seen, (QList<std::pair<qint64, bool>>{
                           {0, false}, {0, true}, {1000, true}, {2000, true}, {2500, false}, {3000, true}}));
    }

    // What the simulator marks as framable is exactly what the program accepts.
    void faultsAgainstTheFramer_data()
    {
        QTest::addColumn<QList<UnitSimulator::Fault>>("faults");
        QTest::addColumn<int>("arriving");
        using F = UnitSimulator::Fault;
        QTest::newRow("every fault") << QList<F>{F::Split,       F::Junk,     F::SyncRun,
                                                 F::BadChecksum, F::Overlong, F::Truncated}
                                     << 20;
        QTest::newRow("harmless ones") << QList<F>{F::Split, F::Junk, F::SyncRun, F::Truncated} << 24;
        QTest::newRow("a false length before each read") << QList<F>{F::Overlong} << 24;
        QTest::newRow("the losing one") << QList<F>{F::BadChecksum} << 0;
    }

    void faultsAgainstTheFramer()
    {
        QFETCH(QList<UnitSimulator::Fault>, faults);
        QFETCH(int, arriving);
        UnitSimulator::Options o;
        o.count = 24;
        o.faults = faults;
        o.faultEvery = 1;
        o.pins = {QStringLiteral("1234")};
        UnitSimulator unit(o);
        FakeCommPort port;
        port.open = true;
        CodeReadSubscription monitor;
        int intact = 0;
        int recorded = 0;
        while (!unit.done()) {
            const auto t = unit.next();
            intact += t.codeRead && t.intact ? 1 : 0;
            for (const QByteArray& chunk : t.chunks) {
                port.waiting += chunk;
                ReceiveTick(port);
            }
            ReceiveTick(port); // a tick with nothing waiting works off what is left
            recorded += static_cast<int>(monitor.takeAll().size());
        }
        QCOMPARE(intact, arriving);
        QCOMPARE(recorded, intact);
        for (const auto& box : env->prompts.boxes)
            QCOMPARE(box.text, QStringLiteral("Funcion error#: 863\rOverflow(6)"));
    }

    // The program itself, on a pseudo-terminal of its own, linked as COM1.
    void theSimulatorProgram()
    {
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/gt430-simulator");
        QVERIFY2(QFile::exists(program), qPrintable(program));
        QProcess sim;
        sim.start(program,
                  {QStringLiteral("--fast"), QStringLiteral("--count"), QStringLiteral("6"), QStringLiteral("--cards"),
                   QStringLiteral("4660,77"), QStringLiteral("--faults"), QStringLiteral("split,junk,ffrun,badsum"),
                   QStringLiteral("--fault-every"), QStringLiteral("1"), QStringLiteral("--link"),
                   env->file(QStringLiteral("COM1")), QStringLiteral("--mode"), QStringLiteral("secure")});
        QVERIFY(sim.waitForStarted(5000));
        QVERIFY(sim.waitForReadyRead(5000));
        QVERIFY(sim.readLine().startsWith("slave: /dev/pts/"));
        SerialCommPort port;
        port.setCommPort(1);
        port.setPortOpen(true);
        CodeReadSubscription monitor;
        QDeadlineTimer deadline(5000);
        int recorded = 0;
        while (recorded < 5 && !deadline.hasExpired()) {
            ReceiveTick(port);
            recorded += static_cast<int>(monitor.takeAll().size());
            QThread::msleep(2);
        }
        QCOMPARE(recorded, 5); // the read with the bad checksum is lost
        QCOMPARE(linkState().DoorMode, DoorModeSecure);
        QVERIFY(env->prompts.boxes.isEmpty());
        sim.kill();
        sim.waitForFinished(5000);
    }

    // Stopped with Ctrl-C or by the system, the simulator takes its link
    // away, so that COM 1 is no longer a line nobody sends on.
    void theLinkGoesWithTheSimulator_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("Ctrl-C") << int(SIGINT);
        QTest::newRow("terminated") << int(SIGTERM);
    }

    void theLinkGoesWithTheSimulator()
    {
        QFETCH(int, signal);
        const QString link = env->file(QStringLiteral("COM1"));
        QProcess sim;
        const QString slave = startLinked(sim, link);
        QVERIFY(!slave.isEmpty());
        QCOMPARE(QFileInfo(link).symLinkTarget(), slave);
        QCOMPARE(::kill(static_cast<pid_t>(sim.processId()), signal), 0);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitStatus(), QProcess::CrashExit);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // A link made anew by another run is not this run's to remove.
    void aLinkMadeAnewStays()
    {
        const QString link = env->file(QStringLiteral("COM1"));
        QProcess sim;
        QVERIFY(!startLinked(sim, link).isEmpty());
        QVERIFY(QFile::remove(link));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), link));
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(QFileInfo(link).symLinkTarget(), QStringLiteral("/dev/null"));
    }

    void helpListsTheOptions()
    {
        QProcess sim;
        sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/gt430-simulator"),
                  {QStringLiteral("--help")});
        QVERIFY(sim.waitForFinished(5000));
        const QString help = QString::fromUtf8(sim.readAllStandardOutput());
        for (const char* option : {"--device", "--fast", "--faults", "--mode", "--tamper", "--status-every", "--cards",
                                   "--pins", "--result", "--lock-strike"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
    }
};

QTEST_GUILESS_MAIN(SimulatorTest)
#include "tst_simulator.moc"
