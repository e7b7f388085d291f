#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/RawLog.h"
#include "link/ReceiveDispatcher.h"
#include "tests/support/FakeCommPort.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

QByteArray card(quint32 number, uint8_t seq)
{
    PacketBuilder::CodeReadFields f;
    f.cardNumber = number;
    f.sequence = seq;
    return PacketBuilder::codeRead(f);
}

Recordset table(const QString& name)
{
    return Db().openSql(QStringLiteral("SELECT * FROM ") + name + QStringLiteral(" ORDER BY rowid"), {},
                        RecordsetType::Snapshot);
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
    FakeCommPort port;

    void tick(const QByteArray& input = {})
    {
        port.waiting += input;
        env->clock.current = env->clock.current.addMSecs(200);
        ReceiveTick(port);
        // Its boxes come once it has returned to the event loop.
        QCoreApplication::sendPostedEvents();
    }

    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            tick();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->createDatabase();
        OpenMainDatabase();
        port = FakeCommPort{};
        port.open = true;
    }
    void cleanup() { env.reset(); }

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
        port.waiting = frame;
        ReceiveTick(port);
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
        tick(card(42, 1));
        ticks(100);
        tick(card(42, 1));
        env->clock.current = env->clock.current.addDays(1);
        ticks(30);
        tick(card(42, 1));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 1);
    }

    // True only for a read the log takes as a new row.
    void logReadCardSaysWhetherItTookTheRead()
    {
        linkState().CurPacket = PacketRecord::fromFrame(card(42, 1), env->clock.current);
        QVERIFY(LogReadCard());
        QVERIFY(!LogReadCard());
        linkState().CurPacket = PacketRecord::fromFrame(card(42, 2), env->clock.current);
        QVERIFY(LogReadCard());
    }

    void packetsDifferingInTheSequenceByteGiveTwoRows()
    {
        tick(card(42, 1));
        tick(card(42, 2));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 2);
    }

    void aNewRunLogsItsFirstReadAgain()
    {
        tick(card(42, 1));
        linkState() = LinkState{}; // the program started again
        tick(card(42, 1));
        QCOMPARE(rows(QStringLiteral("ReadCard_Tbl")), 2);
    }

    void compareIgnoresOnlyTheReceiveTime()
    {
        const QDateTime then = env->clock.current;
        PacketRecord a = PacketRecord::fromFrame(card(1, 1), then);
        PacketRecord b = PacketRecord::fromFrame(card(1, 1), then.addSecs(5));
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
            port.waiting += PacketBuilder::doorStatus(static_cast<uint8_t>(m), false);
            ReceiveTick(port);
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
        tick(PacketBuilder::doorStatus(DoorModeBypass, false)); // the newest row of door 1 is Bypass
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 3);
        linkState().DoorMode = DoorModeNotKnown; // a loss is not compared with
        tick(PacketBuilder::doorStatus(DoorModeBypass, false));
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 3);
        tick(PacketBuilder::doorStatus(DoorModeNormal, false));
        QCOMPARE(rows(QStringLiteral("DoorStatus_Tbl")), 4);
    }
};

QTEST_GUILESS_MAIN(RawLogTest)
#include "tst_rawlog.moc"
