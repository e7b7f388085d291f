#include "platform/AppError.h"
#include "platform/serial/SerialCommPort.h"
#include "tests/support/FailureOf.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <QtTest>

#include <termios.h>

namespace {

// Waits (a little, never seconds) until the port holds at least `count` bytes.
int waitForBytes(CommPort& port, int count)
{
    QDeadlineTimer deadline(2000);
    int waiting = 0;
    while ((waiting = port.inBufferCount()) < count && !deadline.hasExpired())
        QThread::usleep(500);
    return waiting;
}

}

class SerialPortTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<PtyPair> line;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        line = std::make_unique<PtyPair>();
        QVERIFY(line->isOpen());
        QVERIFY(line->linkAs(env->folder(), 3));
    }
    void cleanup()
    {
        line.reset();
        env.reset();
    }

    void portNumberToDevice()
    {
        QCOMPARE(SerialCommPort::devicePath(3), env->file(QStringLiteral("COM3")));
        QCOMPARE(SerialCommPort::devicePath(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(SerialCommPort::devicePath(8), QStringLiteral("/dev/ttyS7"));
    }

    void readsRawBytesThroughTheLink()
    {
        SerialCommPort port;
        port.setCommPort(3);
        port.setPortOpen(true);
        QVERIFY(port.portOpen());
        QCOMPARE(port.inBufferCount(), 0);
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(static_cast<char>(i));
        all += all; // CR, LF, XON, XOFF, ^C and 0xFF pass untouched
        QVERIFY(line->write(all));
        QCOMPARE(waitForBytes(port, int(all.size())), int(all.size()));
        QCOMPARE(port.readInput(), all);
        QCOMPARE(port.inBufferCount(), 0);
        QVERIFY(port.readInput().isEmpty());
        QVERIFY(line->readFromSlave().isEmpty());
    }

    void lineSettings()
    {
        SerialCommPort port;
        port.setCommPort(3);
        port.setPortOpen(true);
        termios tio{};
        QCOMPARE(tcgetattr(line->masterFd(), &tio), 0);
        QCOMPARE(cfgetispeed(&tio), speed_t(B9600));
        QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(tio.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
        QCOMPARE(tio.c_iflag & (IXON | ICRNL | ISTRIP), tcflag_t(0));
    }

    void clearDropsWhatWaits()
    {
        SerialCommPort port;
        port.setCommPort(3);
        port.setPortOpen(true);
        QVERIFY(line->write(QByteArray(10, 'x')));
        QCOMPARE(waitForBytes(port, 10), 10);
        port.clearInBuffer();
        QCOMPARE(port.inBufferCount(), 0);
    }

    void secondOpenIsRefused()
    {
        SerialCommPort first;
        first.setCommPort(3);
        first.setPortOpen(true);
        SerialCommPort second;
        second.setCommPort(3);
        QCOMPARE(failureOf([&] { second.setPortOpen(true); }), CommError::PortAlreadyOpen);
        QVERIFY(!second.portOpen());
        first.setPortOpen(false);
        second.setPortOpen(true);
        QVERIFY(second.portOpen());
    }

    void unusablePorts_data()
    {
        QTest::addColumn<QString>("target"); // what COM4 points at; empty: no link at all
        QTest::addColumn<int>("number");
        QTest::newRow("dangling link") << "/nonexistent/tty" << 4;
        QTest::newRow("regular file") << "FILE" << 4;
        QTest::newRow("not a terminal") << "/dev/null" << 4;
        QTest::newRow("a folder") << "/" << 4;
        QTest::newRow("number 0") << "" << 0;
        QTest::newRow("no such device") << "" << 99;
    }

    void unusablePorts()
    {
        QFETCH(QString, target);
        QFETCH(int, number);
        if (target == QLatin1String("FILE")) {
            target = env->file(QStringLiteral("plain"));
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("abc");
        }
        if (!target.isEmpty())
            QVERIFY(QFile::link(target, env->file(QStringLiteral("COM4"))));
        SerialCommPort port;
        port.setCommPort(static_cast<int16_t>(number));
        QCOMPARE(failureOf([&] { port.setPortOpen(true); }), CommError::InvalidPortNumber);
        QVERIFY(!port.portOpen());
    }

    void closedPort()
    {
        SerialCommPort port;
        port.setCommPort(3);
        QCOMPARE(failureOf([&] { port.inBufferCount(); }), CommError::PortNotOpen);
        QCOMPARE(failureOf([&] { port.readInput(); }), CommError::PortNotOpen);
        port.clearInBuffer();
        port.setPortOpen(false);
        port.setPortOpen(true);
        QCOMPARE(failureOf([&] { port.setCommPort(4); }), CommError::PortAlreadyOpen);
        QCOMPARE(port.commPort(), int16_t(3));
        port.setPortOpen(false);
        port.setCommPort(4);
        QCOMPARE(port.commPort(), int16_t(4));
    }

    // A line that goes away (an adapter pulled out) is reported once and the port closes.
    void hungUpLineClosesThePort()
    {
        SerialCommPort port;
        port.setCommPort(3);
        port.setPortOpen(true);
        line->closeMaster();
        int failure = 0;
        for (int i = 0; i < 100 && failure == 0; ++i) {
            failure = failureOf([&] {
                port.inBufferCount();
                port.readInput();
            });
            QThread::usleep(500);
        }
        QCOMPARE(failure, CommError::PortNotOpen);
        QVERIFY(!port.portOpen());
    }
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "tst_serialport.moc"
