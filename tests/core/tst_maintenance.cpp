#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/DatabaseMaintenance.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/frmCompact.h"
#include "platform/forms/FormRegistry.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QAction>
#include <QDir>
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

    void theWindowCompactsAndReopensWhatWasOpen_data()
    {
        QTest::addColumn<bool>("portOpen");
        QTest::newRow("port open") << true;
        QTest::newRow("port could not be opened") << false;
    }

    void theWindowCompactsAndReopensWhatWasOpen()
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
        QCOMPARE(env->port->opens, opens + (portOpen ? 1 : 0));
        QVERIFY(appState().Db->isOpen());
        QVERIFY(appState().rsEmployees.isOpen());
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("Compact Succeed"));
        QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("GT-430"));
        QVERIFY(!window.cmdCompact->isEnabled());
        QVERIFY(!QFile::exists(env->file(QStringLiteral("GT430_Clear.mdb"))));
    }

    // The compaction is done; that the port stayed shut afterwards is said as
    // for any port that does not open, and the link's commands go off.
    void aPortThatDoesNotComeBackIsAFailedOpenAfterASuccess()
    {
        startProgram();
        frmMain& main = FormInstance<frmMain>::get();
        QVERIFY(appState().CommOpened);
        env->prompts.boxes.clear();
        env->port->missing = {1};
        FormInstance<frmCompact>::get().cmdCompact->click();
        QCOMPARE(env->prompts.boxes.size(), 2);
        QCOMPARE(env->prompts.boxes[0].text, QStringLiteral("Compact Succeed"));
        QCOMPARE(env->prompts.boxes[1].text,
                 QStringLiteral("Invalid Port! Please enter to Configuration Setting and fix it."));
        QCOMPARE(env->prompts.boxes[1].title, QStringLiteral("Warning"));
        QVERIFY(!appState().CommOpened);
        QVERIFY(!main.ShowInfo[0]->isEnabled() && !main.ShowInfo[2]->isEnabled());
        QVERIFY(!main.ToolbarButton[1]->isEnabled() && !main.ToolbarButton[3]->isEnabled());
        QVERIFY(main.ShowInfo[1]->isEnabled());
        QVERIFY(appState().Db->isOpen());
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
};

QTEST_MAIN(MaintenanceTest)
#include "tst_maintenance.moc"
