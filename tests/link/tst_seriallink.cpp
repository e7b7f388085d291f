#include "core/AppState.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/SerialLink.h"
#include "platform/AppError.h"
#include "platform/serial/SerialCommPort.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/FailureOf.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UnprivilegedThread.h"

#include <QFile>
#include <QtTest>
#include <unistd.h>

// The one owner of the serial port: why a port does not open, a port not
// there yet, a device that goes away, and a port closed for a compaction.
class SerialLinkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<PtyPair> line;
    std::unique_ptr<SerialLink> link;
    int changes = 0;

    QString com(int n) const { return env->file(QStringLiteral("COM%1").arg(n)); }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        line = std::make_unique<PtyPair>();
        QVERIFY(line->linkAs(env->folder(), 1));
        link = std::make_unique<SerialLink>(std::make_unique<SerialCommPort>());
        changes = 0;
        link->setFollower([this] { ++changes; });
        SerialLink::setRetryIntervalForTests(50);
    }
    void cleanup()
    {
        link.reset();
        line.reset();
        env.reset();
        SerialLink::setRetryIntervalForTests(0);
    }

    // The box says "Invalid Port!"; the log says which device and why.
    void whyAPortDoesNotOpenGoesToTheLog_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("logged");
        QTest::newRow("no such device") << "dangling link" << int(CommError::InvalidPortNumber)
                                        << "Invalid port number: %1 (No such file or directory)";
        QTest::newRow("not a serial device")
            << "plain file" << int(CommError::InvalidPortNumber) << "Not a serial port: %1";
        QTest::newRow("in use") << "held" << int(CommError::PortAlreadyOpen)
                                << "Port already open: %1 (Resource temporarily unavailable)";
        QTest::newRow("no permission") << "ordinary user" << int(CommError::InvalidPortNumber)
                                       << "Invalid port number: %1 (Permission denied)";
    }

    void whyAPortDoesNotOpenGoesToTheLog()
    {
        QFETCH(QString, setUp);
        QFETCH(int, failure);
        QFETCH(QString, logged);
        SerialCommPort holder;
        std::unique_ptr<UnprivilegedThread> user;
        if (setUp == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(env->file(QStringLiteral("nothing-here")), com(3)));
        } else if (setUp == QLatin1String("plain file")) {
            QFile file(com(3));
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(line->linkAs(env->folder(), 3));
            if (setUp == QLatin1String("held")) {
                holder.setCommPort(3);
                holder.setPortOpen(true);
            } else {
                if (::geteuid() != 0)
                    QSKIP("Only root can act as another user here; this user may read its own terminal");
                // The folder is open to everyone; the terminal is its owner's (root's) and its group's.
                QVERIFY(QFile::setPermissions(env->folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                                 QFile::ExeGroup | QFile::ExeOther));
                user = std::make_unique<UnprivilegedThread>();
                QVERIFY(user->ok());
            }
        }
        linkState().DoorMode = DoorModeSecure;
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("The serial port COM3 does not open: ") + logged.arg(com(3))));
        QCOMPARE(failureOf([&] { link->open(3); }), failure);
        user.reset();
        QVERIFY(!link->isOpen());
        QVERIFY(!appState().CommOpened);
        // Whatever it showed, the door is not known without its port.
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);
        QCOMPARE(changes, 1);
    }

    // COM1 was a link whose device went away, and the link with it (a folder
    // restored from a backup): the port waits for that link and reads the
    // device it names once it is back, never /dev/ttyS0 in its place.
    void aLostLinkIsWaitedForNeverReplaced()
    {
        link->open(1);
        QCOMPARE(changes, 1);
        QVERIFY(line->write(PacketBuilder::doorStatus(DoorModeBypass, false)));
        QVERIFY(runEventLoopUntil([&] {
            link->tick();
            return linkState().DoorMode == DoorModeBypass;
        }));
        QFile::remove(com(1));
        line->closeMaster();
        QTest::ignoreMessage(QtWarningMsg, "The serial port COM1 is gone; it is tried again every 50 ms");
        QVERIFY(runEventLoopUntil([&] {
            link->tick();
            return !link->isOpen();
        }));
        QVERIFY(link->isWaitingForDevice());
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);
        runEventLoopFor(300);
        QVERIFY(!link->isOpen());
        QVERIFY(!appState().CommOpened);
        // What it tries is the link.
        QCOMPARE(failureTextOf([&] { link->port().reopen(); }),
                 QStringLiteral("Invalid port number: %1 (No such file or directory)").arg(com(1)));

        line = std::make_unique<PtyPair>();
        QVERIFY(line->linkAs(env->folder(), 1));
        QTest::ignoreMessage(QtInfoMsg, "The serial port COM1 is open again");
        QVERIFY(runEventLoopUntil([&] { return link->isOpen(); }));
        QVERIFY(!link->isWaitingForDevice());
        QVERIFY(appState().CommOpened);
        QVERIFY(line->write(PacketBuilder::doorStatus(DoorModeSecure, false)));
        QVERIFY(runEventLoopUntil([&] {
            link->tick();
            return linkState().DoorMode == DoorModeSecure;
        }));
    }

    // The port asked to be kept trying is not there yet (an adapter not ready
    // at the start): it is tried until it opens, and what the unit sent
    // meanwhile is read. A port that was no link takes a link made meanwhile.
    void aPortNotThereYetIsTriedUntilItOpens_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("dangling");
        QTest::newRow("a link to nothing yet") << 1 << true;
        QTest::newRow("no link yet, no such device") << 99 << false;
    }

    void aPortNotThereYetIsTriedUntilItOpens()
    {
        QFETCH(int, number);
        QFETCH(bool, dangling);
        const auto n = static_cast<int16_t>(number);
        QFile::remove(com(1));
        if (dangling)
            QVERIFY(QFile::link(env->file(QStringLiteral("adapter")), com(n)));
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable(QStringLiteral("The serial port COM%1 does not open: Invalid port number: %2 (No "
                                                    "such file or directory); it is tried again every 50 ms")
                                         .arg(number)
                                         .arg(dangling ? com(n) : QStringLiteral("/dev/ttyS98"))));
        QCOMPARE(failureOf([&] { link->open(n, SerialLink::IfNotOpen::KeepTrying); }),
                 int(CommError::InvalidPortNumber));
        QVERIFY(link->isWaitingForDevice());
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);
        runEventLoopFor(200);
        QVERIFY(!link->isOpen());
        QCOMPARE(changes, 1);

        // The unit sends before the program has the device open.
        PtyPair adapter;
        QVERIFY(adapter.write(PacketBuilder::doorStatus(DoorModeBypass, false)));
        QTest::ignoreMessage(QtInfoMsg, qPrintable(QStringLiteral("The serial port COM%1 is open").arg(number)));
        QVERIFY(adapter.linkAs(env->folder(), number));
        QVERIFY(runEventLoopUntil([&] { return link->isOpen(); }));
        QVERIFY(!link->isWaitingForDevice());
        QVERIFY(appState().CommOpened);
        QCOMPARE(changes, 2);
        QVERIFY(runEventLoopUntil([&] {
            link->tick();
            return linkState().DoorMode == DoorModeBypass;
        }));
    }

    // Another port asked for ends the waiting for the one before.
    void anotherPortEndsTheWaiting()
    {
        QFile::remove(com(1));
        QVERIFY(QFile::link(env->file(QStringLiteral("adapter")), com(1)));
        QVERIFY(QFile::link(env->file(QStringLiteral("adapter")), com(2)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("COM1 does not open")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("COM2 does not open")));
        QVERIFY(failureOf([&] { link->open(1, SerialLink::IfNotOpen::KeepTrying); }) != 0);
        QVERIFY(failureOf([&] { link->open(2); }) != 0);
        QVERIFY(!link->isWaitingForDevice());
        QVERIFY(line->linkAs(env->folder(), 1));
        runEventLoopFor(200);
        QVERIFY(!link->isOpen());
    }

    // A link made or moved after the port was opened names another device.
    void aLinkMovedNamesAnotherDevice()
    {
        link->open(1);
        QVERIFY(!link->namesAnotherDevice());
        PtyPair other;
        QVERIFY(other.linkAs(env->folder(), 1));
        QVERIFY(link->namesAnotherDevice());
        link->open(1);
        QVERIFY(!link->namesAnotherDevice());
        QFile::remove(com(1));
        QVERIFY(link->namesAnotherDevice()); // COM1 is /dev/ttyS0 now
    }
};

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "tst_seriallink.moc"
