#include "core/AppState.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/RawLog.h"
#include "link/ReceiveDispatcher.h"
#include "tests/support/CodeReads.h"
#include "tests/support/ReceiveTicks.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

Recordset table(const QString& name)
{
    return Db().openSql(QStringLiteral("SELECT * FROM ") + name + QStringLiteral(" ORDER BY rowid"));
}

int rows(const QString& name)
{
    return table(name).recordCount();
}

QList<int> doorStatuses()
{
    QList<int> modes;
    Recordset rs = table(QStringLiteral("DoorStatus_Tbl"));
    for (; rs.recordCount() > 0 && !rs.eof(); rs.moveNext())
        modes << rs.field(QStringLiteral("Door_Status")).toInt16();
    return modes;
}

}

class RawLogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<ReceiveTicks> receive;

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

    void rawRowHoldsThePacket()
    {
        PacketBuilder::CodeReadFields f;
        f.cardNumber = 0x01021E; // data bytes 1, 2, 30
        f.header = {7, 8, 9, 10, 11};
        f.result = 17;
        f.slotHigh = 255;
        f.slotLow = 255;
        f.sequence = 3;
        const QByteArray frame = PacketBuilder::codeRead(f);
        env->clock.current = QDateTime(QDate(2026, 3, 2), QTime(22, 5, 25));
        receive->port.waiting = frame;
        ReceiveTick(receive->port);
        Recordset rs = table(QStringLiteral("ReadCard_Tbl"));
        QCOMPARE(rs.recordCount(), 1);
        const auto value = [&](const char* name) { return rs.field(QLatin1String(name)).variant().toString(); };
        QCOMPARE(value("Dest_System"), QStringLiteral("7"));
        QCOMPARE(value("Dest_Address"), QStringLiteral("8"));
        QCOMPARE(value("Src_System"), QStringLiteral("9"));
        QCOMPARE(value("Src_Address"), QStringLiteral("10"));
        QCOMPARE(value("Version"), QStringLiteral("11"));
        QCOMPARE(value("Number_Bytes"), QStringLiteral("9"));
        QCOMPARE(value("Action"), QStringLiteral("32"));
        const int checksum = static_cast<uint8_t>(frame.back());
        QCOMPARE(value("Data"), QStringLiteral("1230128172552553") + QString::number(checksum));
        QCOMPARE(value("CheckSum"), QString::number(checksum));
        QCOMPARE(value("SlotNumber"), QStringLiteral("-1"));
        QCOMPARE(value("Date_Date"), QStringLiteral("2026-03-02"));
        QCOMPARE(value("Date_Time"), QStringLiteral("22:05:25"));
    }

    void identicalPacketsGiveOneRowHoweverFarApart()
    {
        receive->tick(cardRead(42, 1));
        receive->ticks(100);
        receive->tick(cardRead(42, 1));
        env->clock.current = env->clock.current.addDays(1);
        receive->ticks(30);
        receive->tick(cardRead(42, 1));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 1);
    }

    // True only for a read the log takes as a new row.
    void logReadCardSaysWhetherItTookTheRead()
    {
        linkState().CurPacket = PacketRecord::fromFrame(cardRead(42, 1), env->clock.current);
        QVERIFY(LogReadCard());
        QVERIFY(!LogReadCard());
        linkState().CurPacket = PacketRecord::fromFrame(cardRead(42, 2), env->clock.current);
        QVERIFY(LogReadCard());
    }

    void packetsDifferingInTheSequenceByteGiveTwoRows()
    {
        receive->tick(cardRead(42, 1));
        receive->tick(cardRead(42, 2));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 2);
    }

    void aNewRunLogsItsFirstReadAgain()
    {
        receive->tick(cardRead(42, 1));
        linkState() = LinkState{}; // the program started again
        receive->tick(cardRead(42, 1));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 2);
    }

    void compareIgnoresOnlyTheReceiveTime()
    {
        const QDateTime then = env->clock.current;
        PacketRecord a = PacketRecord::fromFrame(cardRead(1, 1), then);
        PacketRecord b = PacketRecord::fromFrame(cardRead(1, 1), then.addSecs(5));
        QVERIFY(!ComparePacket(PacketRecord{}, b)); // nothing logged yet
        QVERIFY(ComparePacket(a, b));
        b.Version = 1;
        QVERIFY(!ComparePacket(a, b));
        b = a;
        b.Data[9] = 0;
        QVERIFY(!ComparePacket(a, b));
        QVERIFY(!ComparePacket(a, PacketRecord::fromFrame(PacketBuilder::packet(0x20, QByteArray(9, 0)))));
        PacketRecord copy = PacketRecord::fromFrame(PacketBuilder::doorStatus(1, false), then.addSecs(5));
        CopyPacket(copy, a);
        QVERIFY(ComparePacket(copy, a));
        QCOMPARE(copy.Received, then.addSecs(5));
    }

    void doorStatusHistory_data()
    {
        QTest::addColumn<QList<int>>("modes");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("first on an empty table") << QList<int>{1} << QList<int>{1};
        QTest::newRow("same mode again") << QList<int>{2, 2, 2} << QList<int>{2};
        QTest::newRow("changes") << QList<int>{1, 2, 2, 3, 1} << QList<int>{1, 2, 3, 1};
    }

    // Every packet within the same second: the newest row is the one written last.
    void doorStatusHistory()
    {
        QFETCH(QList<int>, modes);
        QFETCH(QList<int>, stored);
        // Without the index the sort alone decides which of equal times comes first.
        Db().execute(QStringLiteral("DROP INDEX DoorStatus_Tbl_Newest"));
        for (int m : modes) {
            receive->port.waiting += PacketBuilder::doorStatus(static_cast<uint8_t>(m), false);
            ReceiveTick(receive->port);
        }
        QCOMPARE(doorStatuses(), stored);
        Recordset rs = table(QStringLiteral("DoorStatus_Tbl"));
        QCOMPARE(rs.field(QStringLiteral("Door_Number")).toInt16(), int16_t(0));
        QCOMPARE(rs.field(QStringLiteral("Door_Date")).toText(), QStringLiteral("2026-03-02"));
        QCOMPARE(rs.field(QStringLiteral("Door_time")).toText(), QStringLiteral("09:00:00"));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void historyComparesWithTheNewestStoredRow()
    {
        Db().execute(QStringLiteral("INSERT INTO DoorStatus_Tbl VALUES (0, 3, '2026-03-01', '23:59:59')"));
        Db().execute(QStringLiteral("INSERT INTO DoorStatus_Tbl VALUES (0, 2, '2026-02-28', '10:00:00')"));
        Db().execute(QStringLiteral("INSERT INTO DoorStatus_Tbl VALUES (1, 1, '2026-03-02', '08:00:00')"));
        receive->tick(PacketBuilder::doorStatus(DoorModeBypass, false)); // the newest row of door 1 is Bypass
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 3);
        linkState().DoorMode = DoorModeNotKnown; // a loss is not compared with
        receive->tick(PacketBuilder::doorStatus(DoorModeBypass, false));
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 3);
        receive->tick(PacketBuilder::doorStatus(DoorModeNormal, false));
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 4);
    }
};

QTEST_GUILESS_MAIN(RawLogTest)
#include "tst_rawlog.moc"
