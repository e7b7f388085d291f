#include "core/AppState.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "tests/support/CodeReads.h"
#include "tests/support/ReceiveTicks.h"
#include "tests/support/TestEnvironment.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

int rows(const QString& table)
{
    Recordset rs = Db().openSql(QStringLiteral("SELECT count(*) FROM ") + table);
    return rs.field(0).toInt16();
}

// The rows another connection sees: what a crash now would leave.
int committedRows(const QString& table)
{
    auto other = Database::open(appState().DbPath, {});
    Recordset rs = other->openSql(QStringLiteral("SELECT count(*) FROM ") + table);
    const int n = rs.field(0).toInt16();
    rs.close();
    other->close();
    return n;
}

}

class DispatcherTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<ReceiveTicks> receive;

    LinkState& link() { return linkState(); }

    QStringList boxes() const { return env->prompts.texts(); }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        receive = std::make_unique<ReceiveTicks>(env->clock);
    }
    void cleanup()
    {
        receive.reset();
        env.reset();
    }

    void acceptedReadIsDecodedLoggedAndHandedOver()
    {
        CodeReadSubscription reads;
        receive->tick(cardRead(42, 1));
        QCOMPARE(link().LastCode, QStringLiteral("0000000042  "));
        QCOMPARE(link().LastSlot, uint16_t(0));
        QCOMPARE(link().LastSeq, uint8_t(1));
        QCOMPARE(link().RepeatGuard, uint8_t(10)); // 20, then 10 once logged
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 1);
        QCOMPARE(reads.count(), 1);
        const CodeRead r = *reads.take();
        QCOMPARE(r.Code, link().LastCode);
        QCOMPARE(r.Slot, uint16_t(0));
        QCOMPARE(r.Packet.Data, link().CurPacket.Data);
        QVERIFY(boxes().isEmpty());
    }

    void repeatGuard_data()
    {
        QTest::addColumn<int>("ticksBetween");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<bool>("accepted");
        // The repeat comes on the tick after the gap; the guard of 10 counts down first.
        QTest::newRow("1 s later: dropped") << 4 << 1 << false;
        QTest::newRow("last tick of the guard: dropped") << 8 << 1 << false;
        QTest::newRow("guard just run out: accepted") << 9 << 1 << true;
        QTest::newRow("3 s later: accepted, no row") << 14 << 1 << true;
    }

    void repeatGuard()
    {
        QFETCH(int, ticksBetween);
        QFETCH(int, rowsAfter);
        QFETCH(bool, accepted);
        CodeReadSubscription reads;
        receive->tick(cardRead(42, 7));
        receive->ticks(ticksBetween);
        receive->tick(cardRead(42, 7));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), rowsAfter);
        // An accepted repeat of the logged packet writes nothing and hands nothing over.
        QCOMPARE(reads.count(), 1);
        QCOMPARE(link().RepeatGuard, uint8_t(accepted ? 20 : 10 - ticksBetween - 1));
    }

    void newSequenceByteIsNoRepeat()
    {
        CodeReadSubscription reads;
        receive->tick(cardRead(42, 7) + cardRead(43, 8));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 2);
        QCOMPARE(link().LastCode, QStringLiteral("0000000043  "));
        QCOMPARE(reads.count(), 2);
        QCOMPARE(reads.take()->Code, QStringLiteral("0000000042  "));
        QCOMPARE(reads.take()->Code, QStringLiteral("0000000043  "));
    }

    void sameSequenceByteOfAnotherCodeInTheGuardIsDropped()
    {
        receive->tick(cardRead(42, 7));
        receive->tick(pinRead(QStringLiteral("1234"), 7, NoSlot));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 1);
        QCOMPARE(link().LastCode, QStringLiteral("0000000042  "));
    }

    void otherActionsAreIgnored()
    {
        CodeReadSubscription reads;
        receive->tick(PacketBuilder::packet(0x7E, QByteArray(8, 1)));
        QCOMPARE(link().CurPacket.Action, uint8_t(0x7E));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 0);
        QCOMPARE(link().DoorMode, DoorModeNotKnown);
        QVERIFY(!reads.pending());
    }

    // Every read logged while a consumer lives reaches it, whatever came after it.
    void handOverKeepsEveryRead_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("reads");
        QTest::newRow("door status after the read") << cardRead(1, 1) + PacketBuilder::doorStatus(1, false) << 1;
        QTest::newRow("second read before the consumer")
            << cardRead(1, 1) + pinRead(QStringLiteral("99"), 2, NoSlot) << 2;
        QTest::newRow("repeat in the guard") << cardRead(1, 1) + cardRead(1, 1) << 1;
        QTest::newRow("bad checksum") << PacketBuilder::withBadChecksum(cardRead(1, 1)) << 0;
    }

    void handOverKeepsEveryRead()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, reads);
        CodeReadSubscription monitor;
        CodeReadSubscription capture;
        receive->tick(input);
        QCOMPARE(monitor.count(), reads);
        QCOMPARE(capture.count(), reads);
        // One consumer taking its copy leaves the other's.
        monitor.takeAll();
        QCOMPARE(capture.count(), reads);
    }

    void consumerSeesOnlyReadsAfterItCame()
    {
        receive->tick(cardRead(1, 1));
        CodeReadSubscription late;
        QVERIFY(!late.pending());
        receive->tick(cardRead(2, 2));
        QCOMPARE(late.count(), 1);
        QCOMPARE(late.take()->Code.trimmed(), QStringLiteral("0000000002"));
    }

    void doorStatusPacket()
    {
        link().RxIdleTicks = 500;
        receive->tick(PacketBuilder::doorStatus(DoorModeBypass, true));
        QCOMPARE(link().DoorMode, DoorModeBypass);
        QVERIFY(link().TamperFlag);
        QVERIFY(link().DoorStatusChanged);
        QCOMPARE(link().RxIdleTicks, int16_t(0));
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 1);
    }

    void codeReadsDoNotResetTheIdleCount()
    {
        link().RxIdleTicks = 500;
        receive->tick(cardRead(1, 1));
        QCOMPARE(link().RxIdleTicks, int16_t(500));
        receive->tick();
        QCOMPARE(link().RxIdleTicks, int16_t(501));
    }

    void linkLostAfterLongSilence()
    {
        receive->tick(PacketBuilder::doorStatus(DoorModeSecure, false));
        receive->ticks(LinkLostTicks);
        // The check comes before the count: the tick that finds 801 silent ticks counted sets 99.
        QCOMPARE(link().RxIdleTicks, int16_t(LinkLostTicks));
        QCOMPARE(link().DoorMode, DoorModeSecure);
        receive->tick();
        QCOMPARE(link().DoorMode, DoorModeNotKnown);
        link().DoorMode = DoorModeUnknown; // the monitor's panel stores 4
        receive->tick();
        QCOMPARE(link().DoorMode, DoorModeNotKnown);
        // The next door status links again: the counter and the mode come back.
        receive->tick(PacketBuilder::doorStatus(DoorModeNormal, false));
        QCOMPARE(link().DoorMode, DoorModeNormal);
        QCOMPARE(link().RxIdleTicks, int16_t(0));
        receive->tick();
        QCOMPARE(link().DoorMode, DoorModeNormal);
        // The loss wrote no row.
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 2);
        QVERIFY(boxes().isEmpty());
    }

    void idleCountStopsAt32767()
    {
        link().RxIdleTicks = 32767;
        receive->tick();
        QCOMPARE(link().RxIdleTicks, int16_t(32767));
        QVERIFY(boxes().isEmpty());
    }

    void closedPortCountsAsSilenceWithoutReports()
    {
        receive->port.open = false;
        receive->ticks(3);
        QCOMPARE(link().RxIdleTicks, int16_t(3));
        QVERIFY(boxes().isEmpty());
    }

    void guardCountsDownBeforeThePacketsOfItsTick()
    {
        receive->tick(cardRead(1, 1));
        link().RepeatGuard = 1;
        receive->tick(cardRead(1, 1));
        QCOMPARE(link().RepeatGuard, uint8_t(20)); // accepted: the guard had run out first
    }

    void shortPacketsAreReportedNotRead_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("code read without a sequence byte") << PacketBuilder::packet(0x20, QByteArray(6, 1));
        // N = 0: the checksum stands in the Action's place, so the header sums to 0x40.
        const QByteArray noData("\xFF\xFF\xFF\x55\x40\x00\x00\x00\x00\x00\x40", 11);
        QTest::newRow("door status without a data byte") << noData;
    }

    void shortPacketsAreReportedNotRead()
    {
        QFETCH(QByteArray, packet);
        CodeReadSubscription reads;
        receive->tick(packet + cardRead(5, 5));
        QCOMPARE(boxes(), QStringList{QStringLiteral("Funcion error#: 861\rSubscript out of range(9)")});
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 0);
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 0);
        QCOMPARE(link().DoorMode, DoorModeNotKnown);
        QVERIFY(!link().DoorStatusChanged);
        QVERIFY(!reads.pending());
        // The packet behind waits for a tick that finds new input.
        receive->tick();
        QVERIFY(!reads.pending());
        receive->tick(PacketBuilder::packet(0x7E, {}));
        QCOMPARE(reads.count(), 1);
    }

    void shortestCodeReadUsesItsChecksumAsSequence()
    {
        const QByteArray seven("\x00\x00\x05\x80\x00\x00\x03", 7);
        CodeReadSubscription reads;
        receive->tick(PacketBuilder::packet(0x20, seven));
        QVERIFY(boxes().isEmpty());
        QCOMPARE(reads.count(), 1);
        QCOMPARE(link().LastSeq, static_cast<uint8_t>(link().CurPacket.CheckSum));
    }

    // What a tick stored is committed when it ends, also when a fault ended its dispatching.
    void aFinishedTickLeavesItsRowsCommitted()
    {
        CodeReadSubscription monitor;
        receive->tick(cardRead(1, 1) + PacketBuilder::doorStatus(DoorModeSecure, false) +
                      PacketBuilder::packet(0x20, QByteArray(6, 1)));
        QCOMPARE(boxes(), QStringList{QStringLiteral("Funcion error#: 861\rSubscript out of range(9)")});
        QCOMPARE(committedRows(QStringLiteral("ReadCard_Tbl")), 1);
        QCOMPARE(committedRows(QStringLiteral("DoorStatus_Tbl")), 1);
        QCOMPARE(committedRows(QStringLiteral("tblOnline")), 1);
    }

    // A minute of noise at line rate between reads at full speed costs no read.
    void noiseOnTheLineLosesNoRead()
    {
        QRandomGenerator noise(847);
        int sent = 0;
        for (int i = 0; i < 300; ++i) {
            QByteArray chunk(170, Qt::Uninitialized);
            for (char& b : chunk)
                b = static_cast<char>(noise.bounded(256));
            if (i % 5 == 0) {
                ++sent;
                chunk += cardRead(quint32(1000 + sent), uint8_t(sent));
            }
            receive->tick(chunk);
        }
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), sent);
        QVERIFY(boxes().isEmpty());
    }
};

QTEST_GUILESS_MAIN(DispatcherTest)
#include "tst_dispatcher.moc"
