#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/DatabaseMaintenance.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/frmCompact.h"
#include "link/ReceiveLog.h"
#include "platform/forms/FormRegistry.h"
#include "platform/serial/CommPortFactory.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/StoredRows.h"
#include "tests/support/StreamingDoor.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sys/stat.h>
#include <thread>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The two logs as the link writes them; a no-op where the schema has them already.
void ensureLogs(Database& db)
{
    db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS ReadCard_Tbl (Date_Date TEXT, Date_Time TEXT)"));
    db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS DoorStatus_Tbl (Door_Date TEXT, Door_Time TEXT)"));
}

// `count` raw-log rows, all on one day, one second apart from 00:00:00.
void fillReadCard(Database& db, int count, const QString& day = QStringLiteral("2026-02-01"))
{
    db.execute(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x + 1 < ?) "
                              "INSERT INTO ReadCard_Tbl (Date_Date, Date_Time) "
                              "SELECT ?, time(x, 'unixepoch') FROM n"),
               {count, day});
}

// Another program that adds raw-log rows one at a time, each through a
// connection of its own, and keeps the numbers of the rows it was told were written.
class RowWriter {
public:
    explicit RowWriter(QString path) : m_path(std::move(path)), m_thread([this] { run(); }) {}
    ~RowWriter() { stop(); }

    // Waits until the writer has been told of one more written row than `seen`.
    int waitForRowAfter(int seen)
    {
        std::unique_lock lock(m_mutex);
        m_more.wait_for(lock, std::chrono::seconds(5), [&] { return m_written.size() > seen; });
        return static_cast<int>(m_written.size());
    }

    QList<int> stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_written;
    }

private:
    void run()
    {
        for (int n = 0; !m_stop; ++n) {
            const QString name = QStringLiteral("row-writer-%1").arg(n);
            bool written = false;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
                db.setDatabaseName(m_path);
                db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=20"));
                if (db.open()) {
                    QSqlQuery q(db);
                    q.prepare(
                        QStringLiteral("INSERT INTO ReadCard_Tbl (Date_Date, Date_Time) VALUES ('2026-03-01', ?)"));
                    q.addBindValue(n);
                    written = q.exec();
                }
            }
            QSqlDatabase::removeDatabase(name);
            if (written) {
                std::lock_guard lock(m_mutex);
                m_written << n;
                m_more.notify_all();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1)); // a door, not a bulk load
        }
    }

    QString m_path;
    std::atomic<bool> m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_more;
    QList<int> m_written;
    std::thread m_thread;
};

int rows(Database& db, const QString& table)
{
    return db.openSql(QStringLiteral("SELECT count(*) FROM ") + table).field(0).variant().toInt();
}

}

class MaintenanceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    // The program on a real line: its main window opens COM2, the door's pseudo-terminal.
    frmMain& startProgramOnTheLine()
    {
        setCommPortFactoryForTests(nullptr);
        startProgram();
        appState().CommPortIndex = 1;
        appState().StartupDone = true;
        frmMain& main = FormInstance<frmMain>::get();
        if (!appState().CommOpened)
            qFatal("COM2 did not open");
        return main;
    }

    void startProgram()
    {
        OpenMainDatabase();
        LoadIniSettings();
        ensureLogs(Db());
        appState().LoginPassword = appState().AdminPassword;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    void advice_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("readCardRows");
        QTest::addColumn<bool>("compact");
        QTest::addColumn<bool>("cut");
        QTest::newRow("at the limits") << qint64(10000000) << 500000 << false << false;
        QTest::newRow("one above") << qint64(10000001) << 500001 << true << true;
    }

    void advice()
    {
        QFETCH(qint64, size);
        QFETCH(int, readCardRows);
        QFETCH(bool, compact);
        QFETCH(bool, cut);
        QCOMPARE(DatabaseMaintenance::compactAdvised(size), compact);
        QCOMPARE(DatabaseMaintenance::cutAdvised(readCardRows), cut);
    }

    void theCutKeepsTheNewestRows_data()
    {
        QTest::addColumn<int>("readCard");
        QTest::addColumn<int>("doorStatus");
        QTest::newRow("one over") << 500001 << 53;
        QTest::newRow("many slices over") << 530000 << 53;
        QTest::newRow("at the limits") << 500000 << 50;
    }

    void theCutKeepsTheNewestRows()
    {
        QFETCH(int, readCard);
        QFETCH(int, doorStatus);
        startProgram();
        Database& db = Db();
        // The oldest row comes last in the file: the cut goes by date and time.
        fillReadCard(db, readCard - 1);
        db.execute(QStringLiteral("INSERT INTO ReadCard_Tbl (Date_Date, Date_Time) VALUES ('2026-01-31', '23:59:59')"));
        for (int i = 0; i < doorStatus; ++i)
            db.execute(QStringLiteral("INSERT INTO DoorStatus_Tbl (Door_Date, Door_Time) VALUES ('2026-03-01', ?)"),
                       {QTime(8, 0).addSecs(-60 * i).toString(QStringLiteral("HH:mm:ss"))});
        DatabaseMaintenance::cutDown(db);
        QCOMPARE(rows(db, QStringLiteral("ReadCard_Tbl")), 500000);
        QCOMPARE(rows(db, QStringLiteral("DoorStatus_Tbl")), 50);
        const bool oldestGone = readCard > 500000;
        QCOMPARE(rows(db, QStringLiteral("ReadCard_Tbl WHERE Date_Date = '2026-01-31'")), oldestGone ? 0 : 1);
        QCOMPARE(db.openSql(QStringLiteral("SELECT min(Door_Time) FROM DoorStatus_Tbl")).field(0).toText(),
                 QStringLiteral("07:11:00"));
    }

    void compactingReplacesTheFileAndKeepsTheRows()
    {
        startProgram();
        fillReadCard(Db(), 20000);
        Db().execute(QStringLiteral("DELETE FROM ReadCard_Tbl WHERE rowid > 10"));
        const QString path = appState().DbPath;
        QFile leftover(env->file(QStringLiteral("GT430_Clear.mdb")));
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.write("left from an earlier attempt");
        leftover.close();
        CloseMainDatabase();
        const qint64 before = QFileInfo(path).size();
        DatabaseMaintenance::compactFile(path);
        QVERIFY(!QFile::exists(leftover.fileName()));
        QVERIFY(QFileInfo(path).size() < before);
        auto db = Database::open(path, {});
        QCOMPARE(rows(*db, QStringLiteral("ReadCard_Tbl")), 10);
        QCOMPARE(rows(*db, QStringLiteral("tblIni")), 1);
    }

    void aFailedCompactionLeavesTheOriginal()
    {
        startProgram();
        const QString path = appState().DbPath;
        CloseMainDatabase();
        const QByteArray original = fileBytes(path);
        // A folder where the copy should go: it can be neither removed nor written.
        QVERIFY(QDir(env->folder()).mkpath(QStringLiteral("GT430_Clear.mdb/inside")));
        QVERIFY_THROWS_EXCEPTION(AppError, DatabaseMaintenance::compactFile(path));
        QCOMPARE(fileBytes(path), original);
    }

    // The disk fills up while the copy is written: the folder holds what it
    // held before, the original all its rows.
    void aCompactionOnAFullDiskLeavesNoFileOfItsOwn()
    {
        startProgram();
        // More than SQLite keeps in memory: the copy spills into its journal while it is written.
        fillReadCard(Db(), 80000);
        const QString path = appState().DbPath;
        CloseMainDatabase();
        const QStringList before = QDir(env->folder()).entryList(QDir::Files | QDir::Hidden);
        {
            FileSizeLimit full(static_cast<rlim_t>(QFileInfo(path).size() / 4));
            QVERIFY_THROWS_EXCEPTION(AppError, DatabaseMaintenance::compactFile(path));
        }
        QCOMPARE(QDir(env->folder()).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(Database::integrityCheck(path), QStringLiteral("ok"));
        auto db = Database::open(path, {});
        QCOMPARE(rows(*db, QStringLiteral("ReadCard_Tbl")), 80000);
    }

    void compactingLosesNoRowAnotherWriterCommitted()
    {
        startProgram();
        const QString path = appState().DbPath;
        CloseMainDatabase();
        RowWriter writer(path);
        int compactions = 0;
        int seen = 0;
        for (int attempt = 0; attempt < 200 && compactions < 30; ++attempt) {
            // Rows go in before and while the file is compacted.
            seen = writer.waitForRowAfter(seen);
            try {
                DatabaseMaintenance::compactFile(path);
                ++compactions;
            } catch (const AppError& error) {
                QCOMPARE(error.number(), int(Err::Locked)); // refused while the writer has the file
            }
        }
        const QList<int> written = writer.stop();
        QVERIFY(compactions > 0);
        QVERIFY(!written.isEmpty());
        auto db = Database::open(path, {});
        QSet<int> stored;
        Recordset rs = db->openSql(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl"));
        for (; !rs.eof(); rs.moveNext())
            stored.insert(rs.field(0).variant().toInt());
        int lost = 0;
        for (int n : written)
            lost += !stored.contains(n);
        QCOMPARE(lost, 0);
        QCOMPARE(stored.size(), written.size());
    }

    void compactingKeepsTheModeOfTheFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("owner only") << 0600;
        QTest::newRow("group may read") << 0640;
    }

    void compactingKeepsTheModeOfTheFile()
    {
        QFETCH(int, mode);
        startProgram();
        const QString path = appState().DbPath;
        CloseMainDatabase();
        QVERIFY(::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0);
        DatabaseMaintenance::compactFile(path);
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &info) == 0);
        QCOMPARE(int(info.st_mode & 0777), mode);
    }

    void aDatabaseStillInUseIsNotReplaced()
    {
        startProgram();
        const QString path = appState().DbPath;
        auto other = Database::open(path, {}); // another connection keeps writing
        other->execute(
            QStringLiteral("INSERT INTO ReadCard_Tbl (Date_Date, Date_Time) VALUES ('2026-03-01', '08:00:00')"));
        CloseMainDatabase();
        QVERIFY_THROWS_EXCEPTION(AppError, DatabaseMaintenance::compactFile(path));
        QVERIFY(!QFile::exists(env->file(QStringLiteral("GT430_Clear.mdb"))));
        QCOMPARE(rows(*other, QStringLiteral("ReadCard_Tbl")), 1);
    }

    // The database closes and opens again around the compaction; the port is
    // left as it was, open or not, and never opened again for it.
    void theWindowCompactsAndLeavesThePortAsItWas_data()
    {
        QTest::addColumn<bool>("portOpen");
        QTest::newRow("port open") << true;
        QTest::newRow("port could not be opened") << false;
    }

    void theWindowCompactsAndLeavesThePortAsItWas()
    {
        QFETCH(bool, portOpen);
        if (!portOpen)
            env->missingPorts = {1};
        startProgram();
        FormInstance<frmMain>::get();
        env->prompts.boxes.clear();
        frmCompact& window = FormInstance<frmCompact>::get();
        QCOMPARE(window.lblCompact->text(), QStringLiteral("Compact Data is not necessary."));
        QCOMPARE(window.lblCut->text(), QStringLiteral("Cut Down Data is not necessary."));
        const int opens = env->port->opens;
        window.cmdCompact->click();
        QCOMPARE(env->port->open, portOpen);
        QCOMPARE(env->port->opens, opens);
        QVERIFY(appState().Db->isOpen());
        QVERIFY(appState().rsEmployees.isOpen());
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("Compact Succeed"));
        QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("GT-430"));
        QVERIFY(!window.cmdCompact->isEnabled());
        QVERIFY(!QFile::exists(env->file(QStringLiteral("GT430_Clear.mdb"))));
    }

    void theWindowReportsAFailedCompactionAfterReopening()
    {
        startProgram();
        FormInstance<frmMain>::get();
        frmCompact& window = FormInstance<frmCompact>::get();
        QVERIFY(QDir(env->folder()).mkpath(QStringLiteral("GT430_Clear.mdb/inside")));
        window.cmdCompact->click();
        QCOMPARE(env->prompts.boxes.size(), 1);
        const QString text = env->prompts.boxes.first().text;
        QVERIFY(text.startsWith(QStringLiteral("Funcion error#: 2653\r")));
        QVERIFY(text.endsWith(QStringLiteral("\rCompact Database is failed. Try Again")));
        QVERIFY(appState().Db->isOpen());
        QVERIFY(env->port->open);
        QVERIFY(window.cmdCompact->isEnabled());
    }

    void theWindowCutsDown()
    {
        startProgram();
        fillReadCard(Db(), 500001);
        frmCompact& window = FormInstance<frmCompact>::get();
        QCOMPARE(window.lblCut->text(), QStringLiteral("Cut Down Data is advisable."));
        window.cmdCut->click();
        QCOMPARE(env->prompts.boxes.last().text, QStringLiteral("Cut Down Succeed!"));
        QCOMPARE(window.lblCut->text(), QStringLiteral("Cut Down Data is not necessary."));
        QVERIFY(!window.cmdCut->isEnabled());
        QCOMPARE(rows(Db(), QStringLiteral("ReadCard_Tbl")), 500000);
    }

    // The door sends a read every 120 ms (the port's reader takes what came
    // every 50 ms) while the database is compacted: the
    // port stays open, what comes while the database is closed waits, and every
    // read is stored once, with the second it came, once the database is back.
    void readsStreamingThroughACompactionAreEachStoredOnce()
    {
        StreamingDoor door(env->clock.current, env->folder(), 2);
        QVERIFY(door.isOpen());
        startProgramOnTheLine();
        fillReadCard(Db(), 300000);
        frmCompact& window = FormInstance<frmCompact>::get();
        door.start(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), 120, 40);
        bool waitedWhileAway = false;
        QTimer look;
        look.setInterval(5);
        connect(&look, &QTimer::timeout, [&] { waitedWhileAway |= MainDatabaseAway() && receiveLog().waiting() > 0; });
        look.start();
        QTimer::singleShot(400, [&] { window.cmdCompact->click(); });
        const auto storedTimes = [](const QString& sql) {
            QStringList times;
            for (const QStringList& row : StoredRows::rows(sql))
                times << row.first();
            return times;
        };
        const QString raw = QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl WHERE Date_Date = '2026-03-02' "
                                           "ORDER BY rowid");
        QVERIFY(runEventLoopUntil(
            [&] {
                return door.sent() == 40 && !env->prompts.boxes.isEmpty() && !MainDatabaseAway() &&
                       receiveLog().waiting() == 0 && StoredRows::count(QStringLiteral("tblOnline")) == 40;
            },
            30000));
        QVERIFY(waitedWhileAway);
        QCOMPARE(env->prompts.texts(), QStringList{QStringLiteral("Compact Succeed")});
        QCOMPARE(storedTimes(raw), door.sentTimes());
        QCOMPARE(storedTimes(QStringLiteral("SELECT Time_CR FROM tblOnline ORDER BY rowid")), door.sentTimes());
    }

    // While the file is compacted or the logs cut down, the window's timers
    // keep their pace and the reception goes on: the cut leaves the ticks
    // their turn to store, the compaction's ticks keep what comes.
    void theWindowKeepsItsPaceWhileItWorks_data()
    {
        QTest::addColumn<bool>("compact");
        QTest::newRow("compaction") << true;
        QTest::newRow("cut down") << false;
    }

    void theWindowKeepsItsPaceWhileItWorks()
    {
        QFETCH(bool, compact);
        StreamingDoor door(env->clock.current, env->folder(), 2);
        QVERIFY(door.isOpen());
        startProgramOnTheLine();
        fillReadCard(Db(), 900000);
        frmCompact& window = FormInstance<frmCompact>::get();
        door.start(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), 40, 100000);
        bool working = false;
        bool done = false;
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        int storedWhileWorking = 0;
        int ticksWhileWorking = 0;
        QTimer pace;
        pace.setInterval(20);
        connect(&pace, &QTimer::timeout, [&] {
            if (!working) {
                sinceTick.restart();
                return;
            }
            ++ticksWhileWorking;
            longestGap = std::max(longestGap, sinceTick.restart());
            if (!MainDatabaseAway())
                storedWhileWorking = std::max(storedWhileWorking, StoredRows::count(QStringLiteral("tblOnline")));
        });
        sinceTick.start();
        pace.start();
        QTimer::singleShot(300, [&] {
            const int before = StoredRows::count(QStringLiteral("tblOnline"));
            working = true;
            sinceTick.restart();
            (compact ? window.cmdCompact : window.cmdCut)->click();
            working = false;
            storedWhileWorking -= before;
            done = true;
        });
        QVERIFY(runEventLoopUntil([&] { return done; }, 60000));
        const int sent = door.stop();
        // Deaf for half a second would be a frozen window to whoever sits there.
        QVERIFY2(longestGap < 300, qPrintable(QString::number(longestGap)));
        QVERIFY(ticksWhileWorking > 10);
        QVERIFY(runEventLoopUntil([&] { return StoredRows::count(QStringLiteral("tblOnline")) == sent; }, 10000));
        QCOMPARE(env->prompts.texts(),
                 QStringList{compact ? QStringLiteral("Compact Succeed") : QStringLiteral("Cut Down Succeed!")});
        if (!compact)
            QVERIFY2(storedWhileWorking > 2, qPrintable(QString::number(storedWhileWorking)));
    }
};

QTEST_MAIN(MaintenanceTest)
#include "tst_maintenance.moc"
