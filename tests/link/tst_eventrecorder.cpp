#include "core/AppState.h"
#include "link/CodeReadHandOver.h"
#include "link/EventRecorder.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "platform/db/ForwardQuery.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/translation/MldFile.h"
#include "tests/support/ReceiveTicks.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QtTest>

namespace {

struct Read {
    bool card = true;
    quint32 number = 0;
    QString pin;
    int result = 0; // Data(5) as a whole
    int slotHigh = 0;
    int slotLow = 0;
};

QByteArray packetOf(const Read& r, uint8_t seq)
{
    PacketBuilder::CodeReadFields f;
    f.card = r.card;
    f.cardNumber = r.number;
    f.pin = r.pin;
    f.result = static_cast<uint8_t>(r.result & 0xFE);
    f.out = (r.result & 1) != 0;
    f.slotHigh = static_cast<uint8_t>(r.slotHigh);
    f.slotLow = static_cast<uint8_t>(r.slotLow);
    f.sequence = seq;
    return PacketBuilder::codeRead(f);
}

// The stored rows, each as its seventeen values in column order (Null as an invalid variant).
QList<QVariantList> onlineRows()
{
    QList<QVariantList> all;
    ForwardQuery rs(Db(), QStringLiteral("SELECT * FROM tblOnline ORDER BY rowid"));
    while (rs.next()) {
        QVariantList row;
        for (int i = 0; i < rs.columnCount(); ++i) {
            const QVariant v = rs.value(i);
            if (v.isNull())
                row << QVariant();
            else if (v.typeId() == QMetaType::LongLong)
                row << v.toInt();
            else
                row << v;
        }
        all << row;
    }
    return all;
}

}

class EventRecorderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<ReceiveTicks> receive;
    uint8_t seq = 0;
    // What the on-line monitor would take.
    std::unique_ptr<CodeReadSubscription> monitor;

    // The lines of the events recorded since the last call, oldest first.
    QList<EventLine> recordedLines()
    {
        QList<EventLine> lines;
        for (const CodeRead& read : monitor->takeAll()) {
            if (read.Event)
                lines << read.Event->line;
        }
        return lines;
    }

    void addEmployee(int num, const QString& first, const QString& last, const QString& code, const QVariant& picture)
    {
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Employee_Code, "
                                    "PictureFile) VALUES (?, ?, ?, ?, ?)"),
                     {num, first, last, code, picture});
    }

    void arrive(const Read& r) { receive->tick(packetOf(r, ++seq)); }

    void useGerman(const QString& unknownEmployee = QStringLiteral("Unbekannter Mitarbeiter"))
    {
        QFile f(QStringLiteral(GT430_BUILT_DICTIONARY));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        text += QStringLiteral("Unknown Employee\t") + unknownEmployee + QLatin1Char('\n');
        BinaryDict().setContents(MldFile::parse(text));
        BinaryDict().setLanguage(1);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        appState().DefaultPictureFile = QStringLiteral("/pictures/default.jpg");
        addEmployee(12, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("0000004660"),
                    QStringLiteral(" /pictures/ann.jpg "));
        addEmployee(13, QStringLiteral("Bob"), QStringLiteral("Jones"), QStringLiteral("1234"), QStringLiteral(""));
        addEmployee(14, QStringLiteral("Cy"), QStringLiteral("Null"), QStringLiteral("777"), QVariant());
        receive = std::make_unique<ReceiveTicks>(env->clock);
        seq = 0;
        monitor = std::make_unique<CodeReadSubscription>();
    }
    void cleanup()
    {
        monitor.reset();
        receive.reset();
        env.reset();
    }

    void unknownCardAtALockStrike()
    {
        env->clock.current = QDateTime(QDate(2026, 3, 4), QTime(7, 59, 0, 800));
        arrive({true, 0x00FFFF, {}, 24, 255, 255}); // stamped with the clock of its tick
        const QList<EventLine> lines = recordedLines();
        const QVariantList expected{QStringLiteral("07:59:01"),
                                    QStringLiteral("2026-03-04"),
                                    QStringLiteral("In"),
                                    QStringLiteral("Card"),
                                    -1,
                                    QVariant(),
                                    QStringLiteral("Not Opened"),
                                    QStringLiteral("Unknown Code"),
                                    QStringLiteral("Unknown Employee"),
                                    -1,
                                    QStringLiteral("0000065535"),
                                    1,
                                    QVariant(),
                                    1,
                                    2,
                                    3,
                                    1};
        QCOMPARE(onlineRows(), QList<QVariantList>{expected});
        QCOMPARE(lines.size(), 1);
        const EventLine& line = lines.first();
        QCOMPARE(line.doorAction, QStringLiteral("Not opened"));
        QCOMPARE(line.icon, 2);
        QCOMPARE(line.dateTime, QStringLiteral("4 Mar 2026 07:59:01"));
        QCOMPARE(line.name, QStringLiteral("Unknown Employee")); // a card, not "Lock Strike 1"
        QCOMPARE(line.inOut, QStringLiteral("In"));
        QCOMPARE(line.remark, QStringLiteral("Unknown Code"));
        QCOMPARE(line.employeeNumber, int16_t(-1));
        QCOMPARE(line.pictureFile, QStringLiteral("/pictures/default.jpg"));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void nameColumnOfUnknownCodes_data()
    {
        QTest::addColumn<bool>("card");
        QTest::addColumn<int>("slotHigh");
        QTest::addColumn<int>("slotLow");
        QTest::addColumn<QString>("unknownText");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("lockStrike");
        // clang-format off
        QTest::newRow("PIN at lock strike 2") << false << 255 << 254 << QString() << "Lock Strike 2" << QVariant(2);
        QTest::newRow("PIN at lock strike 1") << false << 255 << 255 << QString() << "Lock Strike 1" << QVariant(1);
        QTest::newRow("PIN in a slot") << false << 0 << 5 << QString() << "Unknown Employee" << QVariant();
        QTest::newRow("card, short translation") << true << 255 << 255 << "Wer?" << "Türöffner 1" << QVariant(1);
        QTest::newRow("card, long translation") << true << 255 << 255 << "Niemand" << "Niemand" << QVariant(1);
        // clang-format on
    }

    void nameColumnOfUnknownCodes()
    {
        QFETCH(bool, card);
        QFETCH(int, slotHigh);
        QFETCH(int, slotLow);
        QFETCH(QString, unknownText);
        QFETCH(QString, name);
        QFETCH(QVariant, lockStrike);
        if (!unknownText.isEmpty())
            useGerman(unknownText);
        arrive({card, 99, QStringLiteral("999"), 0, slotHigh, slotLow});
        const QList<EventLine> lines = recordedLines();
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().name, name);
        QCOMPARE(onlineRows().first().at(11), lockStrike);
    }

    void resultAndDirection_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("sIn");
        QTest::addColumn<QString>("sDoor");
        QTest::addColumn<QString>("sReason");
        QTest::addColumn<QVariant>("iReason");
        QTest::addColumn<QString>("doorAction");
        // clang-format off
        QTest::newRow("1 opened out") << 1 << "Out" << "Opened" << "" << QVariant() << "Opened";
        QTest::newRow("0 opened in") << 0 << "In" << "Opened" << "" << QVariant() << "Opened";
        QTest::newRow("9 secure out") << 9 << "Out" << "Not Opened" << "Secure Mode" << QVariant(1) << "Not opened";
        QTest::newRow("16 time zones") << 16 << "In" << "Not Opened" << "Time Zones" << QVariant(2) << "Not opened";
        QTest::newRow("3 no reason") << 3 << "Out" << "Not Opened" << "" << QVariant() << "Not opened";
        // clang-format on
    }

    void resultAndDirection()
    {
        QFETCH(int, result);
        QFETCH(QString, sIn);
        QFETCH(QString, sDoor);
        QFETCH(QString, sReason);
        QFETCH(QVariant, iReason);
        QFETCH(QString, doorAction);
        arrive({false, 0, QStringLiteral("1234"), result, 0, 9});
        const QList<EventLine> lines = recordedLines();
        const QVariantList row = onlineRows().first();
        QCOMPARE(row.at(2).toString(), sIn);
        QCOMPARE(row.at(13).toInt(), sIn == QLatin1String("In") ? 1 : 2);
        QCOMPARE(row.at(6).toString(), sDoor);
        QCOMPARE(row.at(14).toInt(), sDoor == QLatin1String("Opened") ? 1 : 2);
        QCOMPARE(row.at(7), QVariant(sReason)); // the empty text, not a missing value
        QCOMPARE(row.at(15), iReason);
        QCOMPARE(row.at(3).toString(), QStringLiteral("PIN"));
        QCOMPARE(row.at(16).toInt(), 2);
        QCOMPARE(lines.first().doorAction, doorAction);
        QCOMPARE(lines.first().icon, sDoor == QLatin1String("Opened") ? 1 : 2);
        QCOMPARE(lines.first().remark, sReason);
        QCOMPARE(lines.first().inOut, sIn);
    }

    void knownEmployee()
    {
        arrive({true, 4660, {}, 0, 0x01, 0xF4}); // card 4660 is employee 12's
        const EventLine line = recordedLines().value(0);
        const QVariantList row = onlineRows().first();
        QCOMPARE(row.at(4).toInt(), 12);
        QCOMPARE(row.at(8).toString(), QStringLiteral("12  Smith  Ann"));
        QCOMPARE(row.at(9).toInt(), 500);
        QCOMPARE(row.at(10).toString(), QStringLiteral("0000004660"));
        QCOMPARE(row.at(12).toString(), QStringLiteral(" /pictures/ann.jpg "));
        QCOMPARE(line.name, QStringLiteral("#12  Smith  Ann"));
        QCOMPARE(line.employeeNumber, int16_t(12));
        QCOMPARE(line.pictureFile, QStringLiteral("/pictures/ann.jpg"));
    }

    // An employee without a picture is no fault: the default picture, no report.
    void knownEmployeeWithoutPicture_data()
    {
        QTest::addColumn<QString>("pin");
        QTest::newRow("empty picture file") << "1234";
        QTest::newRow("picture file without a value") << "777";
    }

    void knownEmployeeWithoutPicture()
    {
        QFETCH(QString, pin);
        arrive({false, 0, pin, 0, 0, 1});
        arrive({false, 0, pin, 1, 0, 1});
        const QList<EventLine> lines = recordedLines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(onlineRows().first().at(12), QVariant());
        QCOMPARE(lines.first().pictureFile, QStringLiteral("/pictures/default.jpg"));
        QVERIFY(!lines.first().ownPicture);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void textsAreStoredInTheLanguageInEffect()
    {
        useGerman();
        arrive({true, 5, {}, 9, 0, 1});
        const EventLine line = recordedLines().value(0);
        const QVariantList row = onlineRows().first();
        QCOMPARE(row.at(2).toString(), QStringLiteral("Gehen"));
        QCOMPARE(row.at(3).toString(), QStringLiteral("Karte"));
        QCOMPARE(row.at(6).toString(), QStringLiteral("Nicht geöffnet"));
        QCOMPARE(row.at(7).toString(), QStringLiteral("Sicherheitsmodus"));
        QCOMPARE(row.at(8).toString(), QStringLiteral("Unbekannter Mitarbeiter"));
        QCOMPARE(line.inOut, QStringLiteral("Gehen"));
    }

    // Each read the link hands over is recorded once, with its own slot and code.
    void everyReadIsRecordedOnce()
    {
        CodeReadSubscription capture;
        arrive({true, 4660, {}, 0, 0, 7});
        receive->port.waiting += packetOf({false, 0, QStringLiteral("1234"), 1, 0, 8}, ++seq);
        receive->port.waiting += PacketBuilder::doorStatus(DoorModeSecure, false);
        ReceiveTick(receive->port);
        QCOMPARE(linkState().CurPacket.Action, uint8_t(0x40));
        QCOMPARE(linkState().LastSlot, uint16_t(8));
        QCOMPARE(recordedLines().size(), 2);
        QCOMPARE(recordedLines().size(), 0);
        const QList<QVariantList> rows = onlineRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].at(4).toInt(), 12);
        QCOMPARE(rows[0].at(9).toInt(), 7);
        QCOMPARE(rows[1].at(4).toInt(), 13);
        QCOMPARE(rows[1].at(9).toInt(), 8);
        // The capture dialog got the same two reads.
        QCOMPARE(capture.count(), 2);
        // A repeat the link drops is not recorded.
        receive->port.waiting += packetOf({false, 0, QStringLiteral("1234"), 1, 0, 8}, seq);
        ReceiveTick(receive->port);
        QCOMPARE(recordedLines().size(), 0);
        QCOMPARE(onlineRows().size(), 2);
    }

    // With no window open, each read lands on the tick that takes it in, with that tick's time.
    void readsAreRecordedWhateverWindowIsOpen()
    {
        monitor.reset();
        env->clock.current = QDateTime(QDate(2026, 3, 4), QTime(7, 59, 0));
        arrive({true, 4660, {}, 0, 0, 7});
        env->clock.current = QDateTime(QDate(2026, 3, 4), QTime(8, 30, 0));
        arrive({true, 4660, {}, 1, 0, 7});
        const QList<QVariantList> rows = onlineRows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].at(0).toString(), QStringLiteral("07:59:00"));
        QCOMPARE(rows[1].at(0).toString(), QStringLiteral("08:30:00"));
        QCOMPARE(rows[1].at(13).toInt(), 2);
        // A window opened later gets only what comes after it.
        monitor = std::make_unique<CodeReadSubscription>();
        QVERIFY(!monitor->pending());
    }

    // The tick that logs a read stores its event and hands it over with its row.
    void theReceiveTickRecords()
    {
        arrive({true, 4660, {}, 0, 0, 7});
        QCOMPARE(onlineRows().size(), 1);
        const QList<CodeRead> reads = monitor->takeAll();
        QCOMPARE(reads.size(), 1);
        QVERIFY(reads.first().Event);
        const qint64 row = reads.first().Event->row;
        QCOMPARE(Db().openSql(QStringLiteral("SELECT Employee_Number FROM tblOnline WHERE rowid = ?"), {row})
                     .field(0)
                     .toInt16(),
                 int16_t(12));
    }

    // The history line of a stored row is the line of the event as it was recorded,
    // except that the name is looked up again.
    void lineOfAStoredRow()
    {
        arrive({true, 4660, {}, 17, 0, 1});
        const EventLine recorded = recordedLines().value(0);
        Db().execute(QStringLiteral("UPDATE tblEmployees SET Last_Name = 'Brown' WHERE Employee_Number = 12"));
        Recordset rs = Db().openSql(QStringLiteral("SELECT * FROM tblOnline"));
        const EventLine stored = BuildEventLine(OnlineEventFromValues(onlineRows().value(0)));
        QCOMPARE(stored.doorAction, recorded.doorAction);
        QCOMPARE(stored.dateTime, recorded.dateTime);
        QCOMPARE(stored.inOut, recorded.inOut);
        QCOMPARE(stored.remark, QStringLiteral("Time Zones"));
        QCOMPARE(stored.pictureFile, recorded.pictureFile);
        QCOMPARE(stored.employeeNumber, int16_t(12));
        QCOMPARE(stored.name, QStringLiteral("#12  Brown  Ann"));
        QCOMPARE(rs.field(QStringLiteral("Employee_Full_Name")).toText(), QStringLiteral("12  Smith  Ann"));
    }
};

QTEST_GUILESS_MAIN(EventRecorderTest)
#include "tst_eventrecorder.moc"
