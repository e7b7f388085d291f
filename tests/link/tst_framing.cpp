#include "core/AppState.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/PacketFraming.h"
#include "link/PacketReceiver.h"
#include "tests/support/CodeReads.h"
#include "tests/support/FailureOf.h"
#include "tests/support/FakeCommPort.h"
#include "tests/support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

// A frame whose checksum fails, with `inside` among its data bytes.
QByteArray badFrameHolding(const QByteArray& inside)
{
    return PacketBuilder::withBadChecksum(PacketBuilder::packet(0x20, bytes({1, 2, 3}) + inside + bytes({4, 5})));
}

// A sync announcing 250 where no frame starts.
const QByteArray syncOf250 = bytes({0xFF, 0xFF, 0xFF, 0x55, 1, 2, 3, 4, 5, 250, 0x20});

}

class FramingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    FakeCommPort port;

    QByteArray& accumulator() { return linkState().RxAccumulator; }

    void feed(const QByteArray& b) { port.waiting += b; }

    int overflowReports() const
    {
        int n = 0;
        for (const auto& box : env->prompts.boxes)
            n += box.text == QStringLiteral("Funcion error#: 863\rOverflow(6)") ? 1 : 0;
        return n;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        port = FakeCommPort{};
        port.open = true;
    }
    void cleanup() { env.reset(); }

    void checksumRule_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<bool>("good");
        const QByteArray good = cardRead(42, 1);
        QTest::newRow("built") << good << true;
        QTest::newRow("last byte off by one") << PacketBuilder::withBadChecksum(good) << false;
        QByteArray syncChanged = good;
        syncChanged[0] = 0x00; // the sync is not summed
        QTest::newRow("sync not summed") << syncChanged << true;
        QTest::newRow("sum wraps at 256") << PacketBuilder::packet(0x20, QByteArray(8, char(0xFF))) << true;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void checksumRule()
    {
        QFETCH(QByteArray, packet);
        QFETCH(bool, good);
        QCOMPARE(VerifyChecksum(packet), good);
    }

    // What one call of ExtractPacket leaves behind.
    void extractOnePass_data()
    {
        QTest::addColumn<QByteArray>("buffer");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QByteArray>("left");
        const QByteArray p = cardRead(7, 3);
        const QByteArray q = cardRead(8, 4);
        // A sync and a large N in noise: a frame that would run on for 211 bytes.
        const QByteArray falseSync = bytes({0xFF, 0xFF, 0xFF, 0x55, 1, 2, 3, 4, 5, 200, 0x20});
        QTest::newRow("exactly one packet") << p << true << QByteArray();
        QTest::newRow("junk before goes with it") << bytes({1, 2, 0xFF, 3}) + p << true << QByteArray();
        QTest::newRow("bytes behind stay") << p + q.left(5) << true << q.left(5);
        QTest::newRow("noise without a sync goes") << bytes({0x12, 0x34, 0x56}) << false << QByteArray();
        QTest::newRow("a trailing run of FF waits for its 55")
            << bytes({1, 0xFF, 2, 0xFF, 0xFF, 0xFF, 0xFF}) << false << bytes({0xFF, 0xFF, 0xFF});
        QTest::newRow("eleven bytes from the sync") << p.left(11) << false << p.left(11);
        QTest::newRow("junk before a frame coming in goes") << bytes({1, 2}) + p.left(11) << false << p.left(11);
        QTest::newRow("body incomplete") << p.left(p.size() - 1) << false << p.left(p.size() - 1);
        QTest::newRow("four FF") << bytes({0xFF}) + p << true << QByteArray();
        QTest::newRow("FF FF FF then other") << bytes({9, 0xFF, 0xFF, 0xFF, 0x00, 5}) << false << QByteArray();
        QTest::newRow("bad checksum is dropped") << PacketBuilder::withBadChecksum(p) + q.left(3) << false << q.left(3);
        QTest::newRow("a cut frame gives way to the read behind") << p.left(12) + q << true << QByteArray();
        QTest::newRow("a read inside a bad frame") << p.left(5) + q + p.mid(5, 2) << true << p.mid(5, 2);
        QTest::newRow("a false sync gives way to a read behind") << falseSync + q << true << QByteArray();
        QTest::newRow("a false sync with nothing good behind waits")
            << falseSync + q.left(15) << false << falseSync + q.left(15);
    }

    void extractOnePass()
    {
        QFETCH(QByteArray, buffer);
        QFETCH(bool, found);
        QFETCH(QByteArray, left);
        QByteArray packet;
        const QByteArray original = buffer;
        QCOMPARE(ExtractPacket(buffer, packet), found);
        QCOMPARE(buffer, left);
        if (found)
            QCOMPARE(packet, original.mid(original.size() - left.size() - packet.size(), packet.size()));
        else
            QVERIFY(packet.isEmpty());
    }

    void unpacksIntoCurPacket()
    {
        PacketBuilder::Header h{0x11, 0x22, 0x33, 0x44, 0x55};
        PacketBuilder::CodeReadFields f;
        f.cardNumber = 0x010203;
        f.out = true;
        f.result = PacketBuilder::ResultTimeZones;
        f.setSlot(500);
        f.sequence = 0x99;
        f.header = h;
        const QByteArray frame = PacketBuilder::codeRead(f);
        feed(frame);
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        const PacketRecord& p = linkState().CurPacket;
        QCOMPARE(p.Dest_System, uint8_t(0x11));
        QCOMPARE(p.Dest_Address, uint8_t(0x22));
        QCOMPARE(p.Src_System, uint8_t(0x33));
        QCOMPARE(p.Src_Address, uint8_t(0x44));
        QCOMPARE(p.Version, uint8_t(0x55));
        QCOMPARE(p.Number_Bytes, uint8_t(9));
        QCOMPARE(p.Action, uint8_t(0x20));
        QCOMPARE(p.Data, bytes({0, 1, 2, 3, 0x80, 17, 0x01, 0xF4, 0x99}) + frame.right(1));
        QCOMPARE(p.CheckSum, static_cast<uint8_t>(frame.back()));
        QCOMPARE(p.Received, env->clock.current);
        QVERIFY(accumulator().isEmpty());
    }

    void longSyncRunFramesWithinOneCall()
    {
        feed(bytes({0xFF}) + cardRead(1, 1));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        QVERIFY(accumulator().isEmpty());
    }

    void packetOverTwoTicks()
    {
        const QByteArray p = cardRead(1, 1);
        feed(p.left(6));
        QCOMPARE(GetPacket(port), uint8_t(0));
        QCOMPARE(accumulator(), p.left(6));
        feed(p.mid(6));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        QVERIFY(accumulator().isEmpty());
    }

    void byteByByte()
    {
        const QByteArray p = cardRead(5, 5);
        for (qsizetype i = 0; i + 1 < p.size(); ++i) {
            feed(p.mid(i, 1));
            QCOMPARE(GetPacket(port), uint8_t(0));
        }
        feed(p.right(1));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
    }

    void twoPacketsReadAtOnce()
    {
        feed(cardRead(1, 1) + PacketBuilder::doorStatus(DoorModeSecure, false));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        QCOMPARE(GetPacket(port), uint8_t(0x40));
        QCOMPARE(GetPacket(port), uint8_t(0));
        QVERIFY(accumulator().isEmpty());
    }

    void badChecksumThenGoodInOneCall()
    {
        feed(PacketBuilder::withBadChecksum(cardRead(1, 1)) + cardRead(2, 2));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        QCOMPARE(linkState().CurPacket.Data.at(3), char(2));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void otherActionsAreUnpackedToo()
    {
        feed(PacketBuilder::packet(0x7E, bytes({1, 2})));
        QCOMPARE(GetPacket(port), uint8_t(0x7E));
        QCOMPARE(linkState().CurPacket.Number_Bytes, uint8_t(3));
    }

    void lengthLimits_data()
    {
        QTest::addColumn<int>("dataBytes");
        QTest::newRow("no data bytes") << 0;
        QTest::newRow("largest N") << Framing::LargestN - 1;
    }

    void lengthLimits()
    {
        QFETCH(int, dataBytes);
        const QByteArray p = PacketBuilder::packet(0x40, QByteArray(dataBytes, 0x01));
        QCOMPARE(p.size(), dataBytes + 12);
        feed(p + bytes({0x00}));
        QCOMPARE(GetPacket(port), uint8_t(0x40));
        QCOMPARE(int(linkState().CurPacket.Number_Bytes), dataBytes + 1);
        QCOMPARE(linkState().CurPacket.Data.size(), dataBytes + 2);
        QCOMPARE(accumulator(), bytes({0x00}));
    }

    void smallestPacketWaitsForATwelfthByte()
    {
        // N = 0: the checksum stands where the Action would be.
        const QByteArray p = bytes({0xFF, 0xFF, 0xFF, 0x55, 1, 2, 3, 4, 5, 0, 15});
        feed(p);
        QCOMPARE(GetPacket(port), uint8_t(0));
        feed(bytes({0x00}));
        QCOMPARE(GetPacket(port), uint8_t(15));
        QCOMPARE(linkState().CurPacket.Data, bytes({0}));
    }

    // More than the accumulator holds: everything goes, with an overflow report.
    void accumulatorOverflow()
    {
        feed(QByteArray(Framing::AccumulatorLimit + 1, 0x01));
        QCOMPARE(GetPacket(port), uint8_t(0));
        QVERIFY(accumulator().isEmpty());
        QCOMPARE(overflowReports(), 1);
        QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("Warning"));
        // Framing goes on afterwards.
        feed(cardRead(3, 3));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
    }

    void extractThrowsOnAFalseLengthAndKeepsWhatFollows()
    {
        QByteArray buffer = PacketBuilder::withLength(250).left(12) + cardRead(2, 2);
        QByteArray packet;
        QCOMPARE(failureOf([&] { ExtractPacket(buffer, packet); }), Err::Overflow);
        QCOMPARE(buffer, PacketBuilder::withLength(250).left(12).mid(1) + cardRead(2, 2));
        QVERIFY(ExtractPacket(buffer, packet));
        QCOMPARE(packet, cardRead(2, 2));
    }

    void fullAccumulatorIsNoOverflow()
    {
        feed(QByteArray(Framing::AccumulatorLimit, 0x01));
        QCOMPARE(GetPacket(port), uint8_t(0));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // A minute of noise at line rate (a wrong baud rate, a floating line) keeps
    // nothing but a possible start of a sync, and the read behind it arrives.
    void noiseNeverFillsTheAccumulator()
    {
        QRandomGenerator noise(430);
        for (int tick = 0; tick < 60 * 5; ++tick) {
            QByteArray chunk(170, Qt::Uninitialized);
            for (char& b : chunk)
                b = static_cast<char>(noise.bounded(256));
            feed(chunk);
            QCOMPARE(GetPacket(port), uint8_t(0));
            QVERIFY(accumulator().size() < Framing::BytesBeforeN);
        }
        feed(cardRead(4, 4));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void aSyncSplitBetweenReadsLinesUp()
    {
        const QByteArray p = cardRead(6, 6);
        feed(bytes({0x31, 0x32}) + p.left(2));
        QCOMPARE(GetPacket(port), uint8_t(0));
        QCOMPARE(accumulator(), p.left(2));
        feed(p.mid(2));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
    }

    // A frame cut short, a false sync in noise or a header announcing more than
    // 244 bytes costs none of the ten reads that come behind it at the line's
    // pace (960 bytes a second: 192 bytes a receive tick). A false length is
    // reported as an overflow, once; nothing else is.
    void aBrokenFrameCostsNoReadBehindIt_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("overflows");
        const QByteArray cut = cardRead(99, 99);
        QTest::newRow("first twelve bytes of a read") << cut.left(12) << 0;
        QTest::newRow("a read cut after its first data byte") << cut.left(13) << 0;
        // Its length byte is then one of the next frame's sync bytes: 255.
        for (int n : {7, 8, 9})
            QTest::addRow("a read cut after %d bytes", n) << cut.left(n) << 1;
        for (int n : {3, 4, 5})
            QTest::addRow("a false sync and %d bytes", n) << bytes({0xFF, 0xFF, 0xFF, 0x55}) + QByteArray(n, 0x11) << 1;
        QTest::newRow("a header announcing 245") << PacketBuilder::withLength(245).left(12) << 1;
        QTest::newRow("a header announcing 255 with bytes behind") << PacketBuilder::withLength(255).left(20) << 1;
        QTest::newRow("a false sync announcing 244") << bytes({0xFF, 0xFF, 0xFF, 0x55, 9, 9, 9, 9, 9, 244, 7}) << 0;
        QTest::newRow("two false syncs") << bytes({0xFF, 0xFF, 0xFF, 0x55, 0, 0, 0, 0, 0, 100,
                                                   0xFF, 0xFF, 0xFF, 0x55, 0, 0, 0, 0, 0, 30})
                                         << 0;
        QTest::newRow("a bad frame, then a header announcing 250")
            << PacketBuilder::withBadChecksum(cardRead(1, 1)) + PacketBuilder::withLength(250).left(12) << 1;
        // A sync inside a frame already known to be false is noise.
        QTest::newRow("a sync announcing 250 inside a bad frame") << badFrameHolding(syncOf250) << 0;
        QTest::newRow("a sync announcing 255 inside a cut frame")
            << bytes({0xFF, 0xFF, 0xFF, 0x55, 9, 9, 9, 9, 9, 100, 7}) + PacketBuilder::withLength(255).left(12) << 0;
    }

    void aBrokenFrameCostsNoReadBehindIt()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, overflows);
        QByteArray line = before;
        for (int i = 1; i <= 10; ++i)
            line += cardRead(quint32(i), uint8_t(i));
        QList<int> arrived;
        for (qsizetype at = 0; at < line.size(); at += 192) {
            feed(line.mid(at, 192));
            while (GetPacket(port) == 0x20)
                arrived << static_cast<uint8_t>(linkState().CurPacket.Data.at(3));
        }
        QCOMPARE(arrived, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QVERIFY(accumulator().isEmpty());
        QCOMPARE(overflowReports(), overflows);
        QCOMPARE(env->prompts.boxes.size(), overflows);
    }

    // A false sync that begins inside a bad frame and announces its length
    // only behind the frame's end is noise however the line cuts it into reads.
    void aFalseSyncLeavingABadFrame_data()
    {
        QTest::addColumn<int>("cut");
        QTest::newRow("cut at the bad frame's end") << 21;
        QTest::newRow("cut before the announced length") << 23;
        QTest::newRow("cut inside the read behind") << 30;
    }

    void aFalseSyncLeavingABadFrame()
    {
        QFETCH(int, cut);
        // The bad frame is 21 bytes long; the sync at 14 announces 250 at 23.
        const QByteArray bad =
            PacketBuilder::withBadChecksum(PacketBuilder::packet(0x20, bytes({1, 2, 3, 0xFF, 0xFF, 0xFF, 0x55, 1, 2})));
        QCOMPARE(bad.size(), 21);
        const QByteArray stream = bad + bytes({3, 4, 250, 0x20}) + cardRead(2, 2);
        feed(stream.left(cut));
        QCOMPARE(GetPacket(port), uint8_t(0));
        feed(stream.mid(cut));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        QCOMPARE(linkState().CurPacket.Data.at(3), char(2));
        QVERIFY(accumulator().isEmpty());
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void longRunOfSyncBytesIsWorkedOffQuickly()
    {
        feed(QByteArray(30000, char(0xFF)) + cardRead(9, 9));
        QElapsedTimer t;
        t.start();
        QCOMPARE(GetPacket(port), uint8_t(0x20));
        QVERIFY(accumulator().isEmpty());
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
    }

    void accumulatorSurvivesReopening()
    {
        const QByteArray p = cardRead(1, 1);
        feed(p.left(7));
        QCOMPARE(GetPacket(port), uint8_t(0));
        port.setPortOpen(false);
        port.setPortOpen(true);
        feed(p.mid(7));
        QCOMPARE(GetPacket(port), uint8_t(0x20));
    }

    void closedPortIsReported()
    {
        port.open = false;
        QCOMPARE(GetPacket(port), uint8_t(0));
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 863\r")));
        QVERIFY(env->prompts.boxes.first().text.endsWith(QStringLiteral("(8012)")));
    }
};

QTEST_GUILESS_MAIN(FramingTest)
#include "tst_framing.moc"
