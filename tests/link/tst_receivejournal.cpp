#include "app/JoinSubsystems.h"
#include "app/ProgramSchema.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveLog.h"
#include "platform/JournalFile.h"
#include "platform/ProgramFolder.h"
#include "tests/support/CodeReads.h"
#include "tests/support/DatabaseFaults.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileMode.h"
#include "tests/support/ReceiveTicks.h"
#include "tests/support/StoredRows.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QtTest>

// What waits for the database is kept in a journal beside it: it outlives the
// program however it ends, and the next start stores it once, with its own
// times, before anything else.
class ReceiveJournalTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<ReceiveTicks> receive;
    QString journal;

    void at(int hour, int minute, int second)
    {
        env->clock.current = QDateTime(QDate(2026, 3, 2), QTime(hour, minute, second));
    }

    // A start of the program: nothing of the last run is in memory; the
    // database opens, then the settings are read, as the start-up window does.
    void startProgram()
    {
        receiveLog().reset();
        linkState() = LinkState{};
        OpenMainDatabase();
        LoadIniSettings();
        receive = std::make_unique<ReceiveTicks>(env->clock, 0);
    }

    // The program is killed: the database closes without a word, nothing in
    // memory survives, the journal is as the disk holds it.
    void kill()
    {
        resetAppState();
        receiveLog().reset();
    }

    int journalled() const { return static_cast<int>(JournalFile::read(journal).records.size()); }

    bool waitForJournal(int records)
    {
        return runEventLoopUntil([&] { return journalled() == records; });
    }

    // Three reads and a door status, each at a second of its own, while another program holds the database.
    void readsWaitUnderALock(OtherProgramHoldsTheDatabase&)
    {
        at(9, 0, 1);
        receive->tick(cardRead(101, 1));
        at(9, 0, 2);
        receive->tick(PacketBuilder::doorStatus(DoorModeSecure, false) + pinRead(QStringLiteral("1234"), 2));
        at(9, 0, 3);
        receive->tick(cardRead(103, 3, PacketBuilder::ResultUnknownCode));
        QCOMPARE(receiveLog().waiting(), 4);
    }

    QList<QStringList> storedRows()
    {
        QList<QStringList> rows = StoredRows::rows(QStringLiteral("SELECT 'raw', Date_Date, Date_Time, Data "
                                                                  "FROM ReadCard_Tbl ORDER BY rowid"));
        rows +=
            StoredRows::rows(QStringLiteral("SELECT 'event', Date_CR, Time_CR, CardNum, Employee_Full_Name, sReason "
                                            "FROM tblOnline ORDER BY rowid"));
        rows += StoredRows::rows(
            QStringLiteral("SELECT 'door', Door_Date, Door_time, Door_Status FROM DoorStatus_Tbl ORDER BY rowid"));
        return rows;
    }

    static QList<QStringList> theRowsOfTheThreeReads()
    {
        return {
            {"raw", "2026-03-02", "09:00:01", "00101128000135"},
            {"raw", "2026-03-02", "09:00:02", "0185200002133"},
            {"raw", "2026-03-02", "09:00:03", "001031282400363"},
            {"event", "2026-03-02", "09:00:01", "0000000101", "Unknown Employee", ""},
            {"event", "2026-03-02", "09:00:02", "1234", "7  Smith  Ann", ""},
            {"event", "2026-03-02", "09:00:03", "0000000103", "Unknown Employee", "Unknown Code"},
            {"door", "2026-03-02", "09:00:02", "2"},
        };
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        KeepWhatWaitsInAJournal();
        env->openNewDatabase();
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Employee_Code) "
                                    "VALUES (7, 'Ann', 'Smith', '1234')"));
        journal = env->file(QStringLiteral("GT430.waiting"));
        QCOMPARE(receiveLog().journalPath(), journal);
        receive = std::make_unique<ReceiveTicks>(env->clock, 0);
    }

    void cleanup()
    {
        receive.reset();
        CloseMainDatabase();
        env.reset();
    }

    // The common case: a read stored in the tick it came never touches the journal.
    void aReadStoredAtOnceLeavesNoJournal()
    {
        at(9, 0, 1);
        receive->tick(cardRead(101, 1));
        receive->tick(PacketBuilder::doorStatus(DoorModeNormal, false));
        QCOMPARE(StoredRows::count(QStringLiteral("tblOnline")), 1);
        runEventLoopFor(50);
        QVERIFY(!QFile::exists(journal));
    }

    void whatWaitsOutlivesAKillAndTheNextStartStoresItOnce()
    {
        {
            // Only its owner reads it, whatever the umask.
            FixedUmask open(0);
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            readsWaitUnderALock(other);
            QVERIFY(waitForJournal(4));
            kill();
        }
        QCOMPARE(fileMode(journal), 0600);
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral(
                                            "^The 4 rows of the door that waited when GT-430 last ended are stored")));
        startProgram();
        QCOMPARE(storedRows(), theRowsOfTheThreeReads());
        QCOMPARE(receiveLog().waiting(), 0);
        QVERIFY(runEventLoopUntil([&] { return QFileInfo(journal).size() == 0; }));
        // Started once more: nothing is stored twice.
        kill();
        startProgram();
        QCOMPARE(storedRows(), theRowsOfTheThreeReads());
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // The rows went into the database, and the program was killed before the
    // journal was emptied: the next start finds them stored already.
    void aKillBetweenTheCommitAndTheEmptyingStoresNothingTwice()
    {
        QByteArray kept;
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            readsWaitUnderALock(other);
            QVERIFY(waitForJournal(4));
            kept = fileBytes(journal);
        }
        at(9, 0, 10);
        receive->tick(cardRead(110, 10));
        QCOMPARE(receiveLog().waiting(), 0);
        QVERIFY(runEventLoopUntil([&] { return QFileInfo(journal).size() == 0; }));
        kill();
        QFile file(journal);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kept) == kept.size());
        file.close();
        startProgram();
        QCOMPARE(StoredRows::count(QStringLiteral("ReadCard_Tbl")), 4);
        QCOMPARE(StoredRows::count(QStringLiteral("tblOnline")), 4);
        QCOMPARE(StoredRows::count(QStringLiteral("DoorStatus_Tbl")), 1);
        // What follows is numbered after what the journal held.
        OtherProgramHoldsTheDatabase other(appState().DbPath);
        at(9, 0, 20);
        receive->tick(cardRead(120, 20));
        QVERIFY(waitForJournal(1));
        other.letGo();
        kill();
        startProgram();
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid")),
                 (QList<QStringList>{{"09:00:01"}, {"09:00:02"}, {"09:00:03"}, {"09:00:10"}, {"09:00:20"}}));
    }

    // The power went while a record was written: it is dropped, the records before it are kept.
    void aRecordCutShortAtTheEndIsDropped_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<int>("cut");
        QTest::newRow("half a record") << QByteArray() << 9;
        QTest::newRow("the length of a record alone") << QByteArray() << 4;
        QTest::newRow("zeros the disk never wrote") << QByteArray(64, '\0') << 0;
    }

    void aRecordCutShortAtTheEndIsDropped()
    {
        QFETCH(QByteArray, tail);
        QFETCH(int, cut);
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            readsWaitUnderALock(other);
            at(9, 0, 4);
            receive->tick(cardRead(104, 4));
            QVERIFY(waitForJournal(5));
            kill();
        }
        QByteArray bytes = fileBytes(journal);
        const QByteArray last = JournalFile::frame(JournalFile::read(journal).records.last());
        bytes.chop(last.size());
        bytes += last.left(cut) + tail;
        QFile file(journal);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("was cut short")));
        startProgram();
        QCOMPARE(storedRows(), theRowsOfTheThreeReads());
        QVERIFY(env->prompts.boxes.isEmpty());
        // The journal goes on from the last whole record.
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            at(9, 0, 30);
            receive->tick(cardRead(130, 30));
            QVERIFY(waitForJournal(1));
        }
        kill();
        startProgram();
        QCOMPARE(StoredRows::count(QStringLiteral("ReadCard_Tbl")), 4);
    }

    // A journal that cannot be read is set aside under another name and named
    // in one box; what could be read of it is stored, and the start goes on.
    void aJournalThatCannotBeReadIsSetAside_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("kept");
        QTest::newRow("no journal at all") << "garbage" << 0;
        QTest::newRow("of another version") << "version" << 0;
        QTest::newRow("a record damaged before the end") << "middle" << 2;
    }

    void aJournalThatCannotBeReadIsSetAside()
    {
        QFETCH(QString, damage);
        QFETCH(int, kept);
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            readsWaitUnderALock(other);
            QVERIFY(waitForJournal(4));
            kill();
        }
        QByteArray bytes = fileBytes(journal);
        if (damage == QLatin1String("garbage"))
            bytes = QByteArray(300, 'x');
        else if (damage == QLatin1String("version"))
            bytes.replace("journal 1", "journal 9");
        else
            bytes[JournalFile::header().size() + JournalFile::frame(JournalFile::read(journal).records.first()).size() +
                  JournalFile::frame(JournalFile::read(journal).records.at(1)).size() + 12] ^= 0x20;
        QFile file(journal);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be read .* it is kept as")));
        startProgram();
        const QString aside = journal + QStringLiteral(".unreadable");
        QCOMPARE(fileBytes(aside), bytes);
        QCOMPARE(StoredRows::count(QStringLiteral("ReadCard_Tbl")), kept == 0 ? 0 : 1);
        QCOMPARE(StoredRows::count(QStringLiteral("tblOnline")), kept == 0 ? 0 : 1);
        // The box comes from the event loop, once the start has its dictionary.
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(runEventLoopUntil([&] { return !env->prompts.boxes.isEmpty(); }));
        runEventLoopFor(20);
        QCOMPARE(env->prompts.boxes.size(), 1);
        const QString text = env->prompts.boxes.first().text;
        QVERIFY2(text.startsWith(QStringLiteral("The rows of the door that waited for the database when GT-430 "
                                                "last ended cannot be read:\r") +
                                 journal + QStringLiteral(" (")),
                 qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral(")\rThe file is kept as:\r") + aside), qPrintable(text));
        // A new journal keeps what waits from now on.
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            at(9, 0, 30);
            receive->tick(cardRead(130, 30));
            QVERIFY(waitForJournal(1));
        }
        kill();
        startProgram();
        QCOMPARE(StoredRows::count(QStringLiteral("ReadCard_Tbl")), kept == 0 ? 1 : 2);
        QCOMPARE(env->prompts.boxes.size(), 1);
    }

    // Another program holds the database when the program starts: the rows
    // stay in the journal and in memory, and the ticks store them afterwards.
    void aDatabaseHeldAtTheStartTakesTheRowsLater()
    {
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            readsWaitUnderALock(other);
            QVERIFY(waitForJournal(4));
            kill();
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                                   "^The 4 rows .* cannot be stored now .* they wait in the journal")));
            startProgram();
            QCOMPARE(receiveLog().waiting(), 4);
            QCOMPARE(receiveLog().waitingReads().size(), 3);
            at(9, 0, 40);
            receive->tick(cardRead(140, 40));
            QVERIFY(waitForJournal(5));
        }
        QTest::ignoreMessage(QtInfoMsg, "The database takes the door's rows again: the 5 that waited are stored");
        receive->tick();
        QList<QStringList> expected = theRowsOfTheThreeReads();
        expected.insert(3, {"raw", "2026-03-02", "09:00:40", "0014012800040113"});
        expected.insert(7, {"event", "2026-03-02", "09:00:40", "0000000140", "Unknown Employee", ""});
        QCOMPARE(storedRows(), expected);
        QVERIFY(runEventLoopUntil([&] { return QFileInfo(journal).size() == 0; }));
        kill();
        startProgram();
        QCOMPARE(StoredRows::count(QStringLiteral("ReadCard_Tbl")), 4);
    }

    // Some ends close the database before the end of the program frames what
    // the port's reader took last (the guard closing the monitor, the exit of
    // the administrator's prompt): those reads go into the journal too, beside
    // the ones already there, and the end says once what waits.
    void readsFramedAfterTheEndClosedTheDatabaseGoIntoTheJournal()
    {
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            readsWaitUnderALock(other);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                                   "^4 rows of the door could not be stored before the end")));
            CloseMainDatabase();
            at(9, 0, 4);
            receive->tick(cardRead(104, 4));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                                   "^5 rows of the door could not be stored before the end")));
            CloseMainDatabase();
            CloseMainDatabase();
            QCOMPARE(journalled(), 5);
            kill();
        }
        startProgram();
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid")),
                 (QList<QStringList>{{"09:00:01"}, {"09:00:02"}, {"09:00:03"}, {"09:00:04"}}));
    }

    // A journal the disk does not take: the rows wait in memory, the log says
    // so once, and the journal catches up once there is room.
    void aFullDiskIsToldOnceInTheLog()
    {
        SmallFileSystem disk;
        CloseMainDatabase();
        receiveLog().reset();
        ProgramFolder::setPathForTests(disk.path());
        CreateProgramDatabase(disk.path() + QStringLiteral("/") + DatabaseFileName);
        startProgram();
        journal = ReceiveLog::journalPathOf(appState().DbPath);
        OtherProgramHoldsTheDatabase other(appState().DbPath);
        disk.fill();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^The journal .* cannot be written")));
        for (int i = 0; i < 5; ++i) {
            at(9, 0, i);
            receive->tick(cardRead(quint32(100 + i), uint8_t(i + 1)));
            runEventLoopFor(20);
        }
        QCOMPARE(receiveLog().waiting(), 5);
        QVERIFY(journalled() == 0);
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("^The journal .* is written again")));
        disk.makeRoom();
        QVERIFY(waitForJournal(5));
        other.letGo();
        receive->tick();
        QCOMPARE(StoredRows::count(QStringLiteral("tblOnline")), 5);
        QVERIFY(env->prompts.boxes.isEmpty());
        CloseMainDatabase();
    }
};

QTEST_GUILESS_MAIN(ReceiveJournalTest)
#include "tst_receivejournal.moc"
