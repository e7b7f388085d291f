#include "app/ProgramSchema.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveLog.h"
#include "platform/ProgramFolder.h"
#include "tests/support/CodeReads.h"
#include "tests/support/DatabaseFaults.h"
#include "tests/support/ReceiveTicks.h"
#include "tests/support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

enum class Fault { RawTableGone, EventTableGone, DoorTableGone, CommitRefused, DiskFull, OtherProgram, WindowChange };

const QString toldText = QStringLiteral("What the door sends cannot be stored in the database now:");

}

Q_DECLARE_METATYPE(Fault)

// What the receive tick cannot store waits, in the order it came and with its
// own time, until a later tick can; a fault costs no row and no box a tick.
class ReceiveLogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<SmallFileSystem> disk;
    std::unique_ptr<ReceiveTicks> receive;

    void at(int hour, int minute, int second)
    {
        env->clock.current = QDateTime(QDate(2026, 3, 2), QTime(hour, minute, second));
    }

    QStringList column(const QString& sql)
    {
        QStringList values;
        Recordset rs = Db().openSql(sql);
        for (; rs.recordCount() > 0 && !rs.eof(); rs.moveNext())
            values << rs.field(0).variant().toString();
        return values;
    }

    QStringList rawTimes() { return column(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid")); }
    QStringList eventTimes()
    {
        return column(QStringLiteral("SELECT Time_CR || ' ' || CardNum FROM tblOnline ORDER BY rowid"));
    }
    QStringList doorRows()
    {
        return column(QStringLiteral("SELECT Door_Status || ' ' || Door_time FROM DoorStatus_Tbl ORDER BY rowid"));
    }

    int told() const { return static_cast<int>(env->prompts.texts().filter(toldText).size()); }

    // Starts the fault; the returned function ends it.
    std::function<void()> start(Fault fault)
    {
        const auto hide = [](const char* table) {
            Db().execute(QStringLiteral("ALTER TABLE %1 RENAME TO Hidden").arg(QLatin1String(table)));
            return
                [table] { Db().execute(QStringLiteral("ALTER TABLE Hidden RENAME TO %1").arg(QLatin1String(table))); };
        };
        switch (fault) {
        case Fault::RawTableGone: return hide("ReadCard_Tbl");
        case Fault::EventTableGone: return hide("tblOnline");
        case Fault::DoorTableGone: return hide("DoorStatus_Tbl");
        case Fault::CommitRefused: {
            auto refused = std::make_shared<RefusedCommits>(Db());
            return [refused]() mutable {
                QVERIFY(refused->refused() > 0);
                refused.reset();
            };
        }
        case Fault::DiskFull: disk->fill(); return [this] { disk->makeRoom(); };
        case Fault::OtherProgram: {
            auto other = std::make_shared<OtherProgramHoldsTheDatabase>(appState().DbPath);
            return [other] { other->letGo(); };
        }
        case Fault::WindowChange:
            // A window's change still open under a box of its own.
            Db().beginTransaction();
            return [] { Db().commit(); };
        }
        return [] {};
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        disk = std::make_unique<SmallFileSystem>();
        ProgramFolder::setPathForTests(disk->path());
        CreateProgramDatabase(disk->path() + QStringLiteral("/") + DatabaseFileName);
        OpenMainDatabase();
        // The times are the test's own.
        receive = std::make_unique<ReceiveTicks>(env->clock, 0);
    }
    void cleanup()
    {
        CloseMainDatabase();
        receive.reset();
        env.reset();
        disk.reset();
    }

    void aFaultKeepsTheRowsUntilTheDatabaseTakesThem_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("toldAtOnce");
        QTest::newRow("raw table gone") << Fault::RawTableGone << true;
        QTest::newRow("event table gone") << Fault::EventTableGone << true;
        QTest::newRow("door-status table gone") << Fault::DoorTableGone << true;
        QTest::newRow("commit refused") << Fault::CommitRefused << true;
        QTest::newRow("disk full") << Fault::DiskFull << true;
        // A lock is told only once it has lasted.
        QTest::newRow("another program holds the database") << Fault::OtherProgram << false;
        QTest::newRow("a window's change is open") << Fault::WindowChange << false;
    }

    void aFaultKeepsTheRowsUntilTheDatabaseTakesThem()
    {
        QFETCH(Fault, fault);
        QFETCH(bool, toldAtOnce);
        CodeReadSubscription monitor;
        const std::function<void()> end = start(fault);

        at(9, 0, 1);
        receive->tick(cardRead(101, 1) + PacketBuilder::doorStatus(DoorModeSecure, false));
        // The windows see the read and the door at once.
        QList<CodeRead> shown = monitor.takeAll();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().Event);
        QCOMPARE(shown.first().Event->row, qint64(0));
        QCOMPARE(shown.first().Event->line.sortKey, QStringLiteral("2026-03-02 09:00:01"));
        QCOMPARE(linkState().DoorMode, DoorModeSecure);
        receive->ticks(24);
        // The same packet again, once the repeat guard has run out: the log holds it already.
        at(9, 0, 6);
        receive->tick(cardRead(101, 1));
        QVERIFY(!monitor.pending());
        at(9, 0, 7);
        receive->tick(cardRead(102, 2));
        QCOMPARE(monitor.takeAll().size(), 1);
        QCOMPARE(receiveLog().waiting(), 3);
        QCOMPARE(told(), toldAtOnce ? 1 : 0);

        end();
        at(9, 0, 30);
        receive->tick();
        QCOMPARE(receiveLog().waiting(), 0);
        QCOMPARE(rawTimes(), (QStringList{"09:00:01", "09:00:07"}));
        QCOMPARE(eventTimes(), (QStringList{"09:00:01 0000000101", "09:00:07 0000000102"}));
        QCOMPARE(doorRows(), QStringList{"2 09:00:01"});
        QCOMPARE(told(), toldAtOnce ? 1 : 0);
        QVERIFY(!monitor.pending());
    }

    // A lock that lasts is told once, however long it lasts; its end goes to the log.
    void aLastingLockIsToldOnce()
    {
        OtherProgramHoldsTheDatabase other(appState().DbPath);
        at(9, 0, 1);
        receive->tick(cardRead(101, 1));
        receive->ticks(ReceiveLog::LockedTicksBeforeTelling - 2);
        QCOMPARE(told(), 0);
        receive->tick();
        QCOMPARE(told(), 1);
        QCOMPARE(env->prompts.texts().last(),
                 QStringLiteral("What the door sends cannot be stored in the database now:\r"
                                "Couldn't update; the database is locked.\r"
                                "It is kept and will be stored as soon as the database takes it again."));
        receive->ticks(3 * ReceiveLog::LockedTicksBeforeTelling);
        QCOMPARE(told(), 1);
        other.letGo();
        QTest::ignoreMessage(QtInfoMsg, "The database takes the door's rows again: the 1 that waited are stored");
        receive->tick();
        QCOMPARE(rawTimes(), QStringList{"09:00:01"});
        // A fault later on is told again.
        OtherProgramHoldsTheDatabase again(appState().DbPath);
        receive->tick(cardRead(102, 2));
        receive->ticks(ReceiveLog::LockedTicksBeforeTelling);
        QCOMPARE(told(), 2);
    }

    // The door's rows that wait keep only changes: the door's newest row decides when they are stored.
    void doorStatusesThatWait()
    {
        at(8, 0, 0);
        receive->tick(PacketBuilder::doorStatus(DoorModeNormal, false));
        OtherProgramHoldsTheDatabase other(appState().DbPath);
        const QList<uint8_t> modes{DoorModeNormal, DoorModeSecure, DoorModeSecure, DoorModeNormal, DoorModeNormal};
        for (int i = 0; i < modes.size(); ++i) {
            at(9, 0, i);
            receive->tick(PacketBuilder::doorStatus(modes.at(i), false));
        }
        QCOMPARE(receiveLog().waiting(), 3);
        other.letGo();
        receive->tick();
        QCOMPARE(doorRows(), (QStringList{"1 08:00:00", "2 09:00:01", "1 09:00:03"}));
    }

    // Beyond its limit the log takes nothing more in, says so once, and a read
    // it did not take is a new one when it comes again.
    void aFullLogTakesNothingMore()
    {
        receiveLog().setLimitForTests(2);
        CodeReadSubscription monitor;
        auto end = start(Fault::RawTableGone);
        at(9, 0, 1);
        receive->tick(cardRead(101, 1) + cardRead(102, 2) + cardRead(103, 3) + cardRead(104, 4));
        QCOMPARE(monitor.takeAll().size(), 2);
        QCOMPARE(receiveLog().waiting(), 2);
        QCOMPARE(env->prompts.texts().filter(QStringLiteral("no more can wait for it")).size(), 1);
        receive->tick(cardRead(105, 5));
        QCOMPARE(env->prompts.texts().filter(QStringLiteral("no more can wait for it")).size(), 1);
        end();
        QTest::ignoreMessage(QtInfoMsg, "The database takes the door's rows again: the 2 that waited are stored; 3 "
                                        "reads were not taken in meanwhile");
        receive->tick();
        receive->ticks(21);
        at(9, 0, 9);
        receive->tick(cardRead(104, 4));
        QCOMPARE(column(QStringLiteral("SELECT CardNum FROM tblOnline ORDER BY rowid")),
                 (QStringList{"0000000101", "0000000102", "0000000104"}));
    }

    // What waits goes in before the database closes (at the end of the
    // program, or for a compaction), as far as it takes it.
    void whatWaitsIsStoredBeforeTheDatabaseCloses()
    {
        auto end = start(Fault::WindowChange);
        at(9, 0, 1);
        receive->tick(cardRead(101, 1));
        end();
        const QString path = appState().DbPath;
        CloseMainDatabase();
        QCOMPARE(receiveLog().waiting(), 0);
        auto db = Database::open(path, {});
        QCOMPARE(db->openSql(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl")).field(0).toText(),
                 QStringLiteral("09:00:01"));
        db->close();
        OpenMainDatabase();
    }

    // The program closes the database for a moment (a compaction) while a
    // window's change holds the rows up: the log says they wait and, later,
    // that they are stored; the reads that come while it is closed wait
    // without a word or a box, however long it stays closed.
    void closedForAMomentTheRowsWaitAndTheLogSaysSo()
    {
        // The window's change goes with the connection when the database closes.
        start(Fault::WindowChange);
        at(9, 0, 1);
        receive->tick(cardRead(101, 1));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^1 rows of the door could not be stored before the "
                                                               "database closed \\(.*\\); they wait in memory and are "
                                                               "stored once it is open again$")));
        CloseMainDatabaseForAMoment();
        at(9, 0, 2);
        receive->tick(cardRead(102, 2));
        receive->ticks(2 * ReceiveLog::LockedTicksBeforeTelling);
        QCOMPARE(receiveLog().waiting(), 2);
        QVERIFY(env->prompts.boxes.isEmpty());
        ReopenMainDatabase();
        QTest::ignoreMessage(QtInfoMsg, "The database takes the door's rows again: the 2 that waited are stored");
        receive->tick();
        QCOMPARE(rawTimes(), (QStringList{"09:00:01", "09:00:02"}));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // A tick waits for a database another program holds only a moment.
    void aTickWaitsOnlyAMoment()
    {
        OtherProgramHoldsTheDatabase other(appState().DbPath);
        receive->tick(cardRead(101, 1));
        QElapsedTimer spent;
        spent.start();
        for (int i = 0; i < 10; ++i)
            receive->tick(cardRead(quint32(102 + i), uint8_t(2 + i)));
        // Ten ticks each waiting the usual 3 s would take half a minute.
        QVERIFY2(spent.elapsed() < 2000, qPrintable(QString::number(spent.elapsed())));
        QCOMPARE(receiveLog().waiting(), 11);
    }
};

QTEST_GUILESS_MAIN(ReceiveLogTest)
#include "tst_receivelog.moc"
