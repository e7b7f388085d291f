#include "link/PollingUsers.h"

#include <QtTest>

class PollingUsersTest : public QObject {
    Q_OBJECT

private slots:
    // Closing one window no longer stops the polling another one needs.
    void pollsWhileAnyWindowNeedsTheLink()
    {
        PollingUsers users;
        QList<bool> changes;
        users.setChangedHandler([&](bool on) { changes << on; });
        QVERIFY(!users.shouldPoll());
        auto monitor = std::make_unique<PollingLease>(users);
        auto capture = std::make_unique<PollingLease>(users);
        auto doors = std::make_unique<PollingLease>(users);
        QCOMPARE(users.users(), 3);
        capture.reset();
        QVERIFY(users.shouldPoll());
        doors.reset();
        QVERIFY(users.shouldPoll());
        monitor.reset();
        QVERIFY(!users.shouldPoll());
        QCOMPARE(changes, (QList<bool>{true, false}));
    }

    void applyingAPortSwitchesPollingOn()
    {
        PollingUsers users;
        users.switchOn();
        QVERIFY(users.shouldPoll());
        {
            PollingLease monitor(users);
            users.switchOn();
        }
        // As before, the last window closing stops the polling.
        QVERIFY(!users.shouldPoll());
        users.switchOn();
        users.switchOff();
        QVERIFY(!users.shouldPoll());
    }

    void unbalancedLeavingIsHarmless()
    {
        PollingUsers users;
        users.switchOn();
        users.removeUser();
        QCOMPARE(users.users(), 0);
        QVERIFY(users.shouldPoll());
        users.addUser();
        QCOMPARE(users.users(), 1);
    }
};

QTEST_GUILESS_MAIN(PollingUsersTest)
#include "tst_pollingusers.moc"
