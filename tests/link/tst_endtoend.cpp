#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "link/CodeReadHandOver.h"
#include "link/EventRecorder.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "platform/AppError.h"
#include "platform/serial/SerialCommPort.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtTest>

namespace {

QByteArray codeRead(bool card, quint32 number, const QString& pin, uint8_t result, bool out, uint8_t high,
                    uint8_t low, uint8_t seq)
{
    PacketBuilder::CodeReadFields f;
    f.card = card;
    f.cardNumber = number;
    f.pin = pin;
    f.result = result;
    f.out = out;
    f.slotHigh = high;
    f.slotLow = low;
    f.sequence = seq;
    return PacketBuilder::codeRead(f);
}

QList<QStringList> rowsOf(const QString& sql)
{
    QList<QStringList> all;
    Recordset rs = Db().openSql(sql, {}, RecordsetType::Snapshot);
    for (; rs.recordCount() > 0 && !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row << (rs.field(i).isNull() ? QStringLiteral("<null>") : rs.field(i).variant().toString());
        all << row;
    }
    return all;
}

}

// The cable is a pseudo-terminal; the unit's bytes go through the real port,
// the framer, the dispatcher, the logs and the event recording into the
// database file.
class EndToEndTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<PtyPair> line;
    std::unique_ptr<SerialCommPort> port;
    std::unique_ptr<EventRecorder> monitor;
    std::unique_ptr<CodeReadSubscription> capture;
    QList<EventLine> lines;

    // Sends bytes down the line and waits (briefly, bounded) until the port holds them.
    void send(const QByteArray& bytes)
    {
        const int before = port->inBufferCount();
        QVERIFY(line->write(bytes));
        QDeadlineTimer deadline(2000);
        while (port->inBufferCount() < before + bytes.size() && !deadline.hasExpired())
            QThread::usleep(200);
        QCOMPARE(port->inBufferCount(), before + bytes.size());
    }

    // One 200 ms tick of the receive timer, then one of the monitor's timer.
    void tick()
    {
        env->clock.current = env->clock.current.addMSecs(200);
        ReceiveTick(*port);
        lines += monitor->RecordPending();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->createDatabase();
        OpenMainDatabase();
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Employee_Code) "
                                    "VALUES (12, 'Ann', 'Smith', '0000004660'), (13, 'Bob', 'Jones', '1234')"));
        line = std::make_unique<PtyPair>();
        QVERIFY(line->isOpen());
        QVERIFY(line->linkAs(env->folder(), 2));
        port = std::make_unique<SerialCommPort>();
        port->setCommPort(2);
        port->setPortOpen(true);
        port->clearInBuffer();
        monitor = std::make_unique<EventRecorder>();
        capture = std::make_unique<CodeReadSubscription>();
        lines.clear();
    }

    void cleanup()
    {
        capture.reset();
        monitor.reset();
        port.reset();
        line.reset();
        env.reset();
    }

    void aSessionAtTheDoor()
    {
        // The unit reports the door, then Ann's card opens it.
        send(PacketBuilder::doorStatus(DoorModeNormal, false));
        tick();
        const QByteArray ann = codeRead(true, 4660, {}, PacketBuilder::ResultOpened, false, 0x00, 0x0C, 1);
        send(ann);
        tick();
        // The unit sends the read again at once: dropped by the repeat guard.
        send(ann);
        tick();
        // Noise, a run of sync bytes, a broken packet, then an unknown PIN at lock strike 2,
        // its bytes split over two ticks.
        const QByteArray strike = codeRead(false, 0, QStringLiteral("999"), PacketBuilder::ResultUnknownCode, true,
                                           0xFF, 0xFE, 2);
        send(QByteArray("\x01\x02\x03", 3) + QByteArray(7, char(0xFF)) +
             PacketBuilder::withBadChecksum(codeRead(true, 1, {}, 0, false, 0, 1, 9)) + strike.left(9));
        tick();
        QVERIFY(lines.size() == 1);
        send(strike.mid(9));
        tick();
        // Secure mode with tamper, twice; the second gives no history row.
        send(PacketBuilder::doorStatus(DoorModeSecure, true));
        tick();
        QCOMPARE(linkState().DoorMode, DoorModeSecure);
        QVERIFY(linkState().TamperFlag);
        send(PacketBuilder::doorStatus(DoorModeSecure, true));
        tick();
        // Bob's PIN refused in secure mode, followed in the same read by a door status:
        // the read is recorded all the same.
        send(codeRead(false, 0, QStringLiteral("1234"), PacketBuilder::ResultSecureMode, false, 0x00, 0x0D, 3) +
             PacketBuilder::doorStatus(DoorModeNormal, false));
        tick();
        tick();

        QCOMPARE(rowsOf(QStringLiteral("SELECT Data, SlotNumber, Date_Date FROM ReadCard_Tbl ORDER BY rowid")),
                 (QList<QStringList>{
                     {"018521280012116", "12", "2026-03-02"},
                     {"091530252552542247", "-1", "2026-03-02"},
                     {"01852080133155", "13", "2026-03-02"},
                 }));
        QCOMPARE(rowsOf(QStringLiteral("SELECT Door_Number, Door_Status FROM DoorStatus_Tbl ORDER BY rowid")),
                 (QList<QStringList>{{"0", "1"}, {"0", "2"}, {"0", "1"}}));
        QCOMPARE(rowsOf(QStringLiteral("SELECT Employee_Number, Employee_Full_Name, sCard, sIn, sDoor, sReason, "
                                       "SlotNumber, CardNum, iLockStrike, iIn, iDoor, iReason, iCard "
                                       "FROM tblOnline ORDER BY rowid")),
                 (QList<QStringList>{
                     {"12", "12  Smith  Ann", "Card", "In", "Opened", "", "12", "0000004660", "<null>", "1", "1",
                      "<null>", "1"},
                     {"-1", "Unknown Employee", "PIN", "Out", "Not Opened", "Unknown Code", "-1", "999", "2", "2",
                      "2", "3", "2"},
                     {"13", "13  Jones  Bob", "PIN", "In", "Not Opened", "Secure Mode", "13", "1234", "<null>", "1",
                      "2", "1", "2"},
                 }));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1].name, QStringLiteral("Lock Strike 2"));
        QCOMPARE(capture->count(), 3);
        QVERIFY(env->prompts.boxes.isEmpty());
        // Nothing ever went the other way down the cable.
        QVERIFY(line->readFromSlave().isEmpty());
    }

    void theLineIsLostAndComesBack()
    {
        send(PacketBuilder::doorStatus(DoorModeBypass, false));
        tick();
        for (int i = 0; i < LinkLostTicks + 1; ++i)
            tick();
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);
        send(PacketBuilder::doorStatus(DoorModeBypass, false));
        tick();
        QCOMPARE(linkState().DoorMode, DoorModeBypass);
        QCOMPARE(rowsOf(QStringLiteral("SELECT Door_Status FROM DoorStatus_Tbl")), (QList<QStringList>{{"3"}}));
        QVERIFY(line->readFromSlave().isEmpty());
    }

    void thePortCannotBeTakenTwice()
    {
        SerialCommPort other;
        other.setCommPort(2);
        try {
            other.setPortOpen(true);
            QFAIL("opened twice");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), CommError::PortAlreadyOpen);
        }
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
