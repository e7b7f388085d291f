#include "app/JoinSubsystems.h"
#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveLog.h"
#include "platform/JournalFile.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/serial/CommPortFactory.h"
#include "tests/support/CodeReads.h"
#include "tests/support/DatabaseFaults.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/PtyPair.h"
#include "tests/support/StoredRows.h"
#include "tests/support/StreamingDoor.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QtTest>
#include <csignal>
#include <unistd.h>

namespace {

// The program itself, started as a process of its own in the test's folder
// (its program folder is where its executable lies).
class ProgramProcess {
public:
    explicit ProgramProcess(const QString& folder)
    {
        const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/gt430");
        m_executable = folder + QStringLiteral("/gt430");
        if (::link(QFile::encodeName(built).constData(), QFile::encodeName(m_executable).constData()) != 0)
            QFile::copy(built, m_executable);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }
    ~ProgramProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    bool start()
    {
        m_process.start(m_executable, {});
        return m_process.waitForStarted(10000);
    }
    void send(int number) { ::kill(static_cast<pid_t>(m_process.processId()), number); }
    bool waitForEnd() { return m_process.waitForFinished(30000); }
    QProcess& process() { return m_process; }
    // What it wrote to its standard error (its log).
    QString output() { return QString::fromLocal8Bit(m_process.readAll()); }

private:
    QString m_executable;
    QProcess m_process;
};

// Polls, between short sleeps, for what another process does; bounded.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

int count(Database& db, const QString& table)
{
    return db.openSql(QStringLiteral("SELECT count(*) FROM ") + table).field(0).variant().toInt();
}

QStringList column(Database& db, const QString& sql)
{
    QStringList values;
    for (Recordset rs = db.openSql(sql); !rs.eof(); rs.moveNext())
        values << rs.field(0).textOrEmpty();
    return values;
}

}

// The end of the program with reads waiting for a database another program
// holds: View > Exit, a signal (a shutdown, the end of the session, Ctrl-C) or
// a kill. Every read is stored once, with its own time, by the next start.
class ProgramEndTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    QString journal() const { return env->file(QStringLiteral("GT430.waiting")); }
    int journalled() const { return static_cast<int>(JournalFile::read(journal()).records.size()); }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        KeepWhatWaitsInAJournal();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    // View > Exit keeps its box for the settings row the database does not
    // take; after OK the program ends with the reads in the journal.
    void exitWithReadsWaitingKeepsThemForTheNextStart()
    {
        setCommPortFactoryForTests(nullptr);
        StreamingDoor door(env->clock.current, env->folder(), 2);
        QVERIFY(door.isOpen());
        env->logInAsAdministrator();
        appState().CommPortIndex = 1;
        frmMain& main = FormInstance<frmMain>::get();
        QVERIFY(appState().CommOpened);
        {
            OtherProgramHoldsTheDatabase other(appState().DbPath);
            door.start(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), 120, 5);
            QVERIFY(runEventLoopUntil([&] { return door.sent() == 5 && receiveLog().waiting() == 5; }));
            // One more that the port's reader has taken and no tick has framed yet.
            main.ReceiveTimer->setEnabled(false);
            door.start(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 5)), 0, 1);
            QVERIFY(runEventLoopUntil([&] { return door.sent() == 6; }));
            runEventLoopFor(150);
            QCOMPARE(receiveLog().waiting(), 5);
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^6 rows of the door could not be stored before the "
                                                                   "end .* they wait in the journal")));
            try {
                main.ShowInfo_Click(5);
                QFAIL("the program did not end");
            } catch (const ProgramEnded& end) {
                QCOMPARE(end.status, 0);
            }
            QCOMPARE(env->prompts.texts(), QStringList{QStringLiteral(
                                               "Funcion error#: 979\rCouldn't update; the database is locked.(3260)")});
            QCOMPARE(journalled(), 6);
        }
        // The next start, the database free again.
        resetAppState();
        receiveLog().reset();
        linkState() = LinkState{};
        OpenMainDatabase();
        QCOMPARE(receiveLog().waiting(), 0);
        QCOMPARE(
            StoredRows::rows(QStringLiteral("SELECT Time_CR FROM tblOnline ORDER BY rowid")),
            (QList<QStringList>{{"09:00:00"}, {"09:00:01"}, {"09:00:02"}, {"09:00:03"}, {"09:00:04"}, {"09:00:05"}}));
        QCOMPARE(
            StoredRows::rows(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid")),
            (QList<QStringList>{{"09:00:00"}, {"09:00:01"}, {"09:00:02"}, {"09:00:03"}, {"09:00:04"}, {"09:00:05"}}));
        CloseMainDatabase();
    }

    // The program itself, on a pseudo-terminal as COM1, ended while another
    // program holds its database and reads wait; then started again without
    // the lock and ended by the same signal.
    void aSignalOrAKillWithReadsWaitingLosesNone_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("kill -9") << int(SIGKILL);
    }

    void aSignalOrAKillWithReadsWaitingLosesNone()
    {
        QFETCH(int, signal);
        env->writePasswords(QString(), QString(), QStringLiteral("medek"));
        PtyPair line;
        QVERIFY(line.linkAs(env->folder(), 1));
        const QString path = env->file(DatabaseFileName);
        auto db = Database::open(path, {});
        ProgramProcess program(env->folder());
        QVERIFY(program.start());
        // Up with its port open: the door's status is stored (what came before the port opened is dropped).
        QVERIFY(waitFor([&] {
            line.write(PacketBuilder::doorStatus(DoorModeNormal, false));
            QThread::msleep(100);
            return count(*db, QStringLiteral("DoorStatus_Tbl")) == 1;
        }));

        constexpr int reads = 4;
        QStringList seconds[reads];
        {
            OtherProgramHoldsTheDatabase other(path);
            for (int i = 0; i < reads; ++i) {
                const QDateTime before = QDateTime::currentDateTime();
                QVERIFY(line.write(cardRead(quint32(700 + i), uint8_t(i + 1))));
                // The port's reader stamps what it takes within a moment.
                seconds[i] << before.toString(QStringLiteral("HH:mm:ss"))
                           << before.addMSecs(300).toString(QStringLiteral("HH:mm:ss"));
                QThread::msleep(350);
            }
            // A door status of the start's that the program framed late may wait too.
            QVERIFY2(waitFor([&] { return journalled() >= reads; }), qPrintable(program.output()));
            QElapsedTimer ending;
            ending.start();
            program.send(signal);
            QVERIFY(program.waitForEnd());
            // The settings row waits for the database as a window does (3 s); what
            // waits goes into the journal after a moment's wait, not another 3 s
            // in which the port is shut and the process not yet gone.
            if (signal != SIGKILL)
                QVERIFY2(ending.elapsed() < 5000, qPrintable(QStringLiteral("%1 ms").arg(ending.elapsed())));
        }
        const QString firstRun = program.output();
        if (signal == SIGKILL) {
            QCOMPARE(program.process().exitStatus(), QProcess::CrashExit);
        } else {
            QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.process().exitCode(), 0);
            QVERIFY2(firstRun.contains(QStringLiteral("could not be stored before the end")), qPrintable(firstRun));
            // Nobody was there to close a box: the settings row's failure went to the log.
            QVERIFY2(firstRun.contains(QStringLiteral("Funcion error#: 979")), qPrintable(firstRun));
        }
        QCOMPARE(count(*db, QStringLiteral("tblOnline")), 0);
        const int waited = journalled();
        QVERIFY(waited >= reads);

        db->execute(QStringLiteral("UPDATE tblIni SET Ini_Spare = 5"));
        QVERIFY(program.start());
        QVERIFY2(waitFor([&] { return count(*db, QStringLiteral("tblOnline")) == reads; }),
                 qPrintable(program.output()));
        // The main window is up once the port is open again.
        QVERIFY(waitFor([&] {
            line.write(PacketBuilder::doorStatus(DoorModeSecure, false));
            QThread::msleep(100);
            return count(*db, QStringLiteral("DoorStatus_Tbl")) == 2;
        }));
        program.send(signal == SIGKILL ? SIGTERM : signal);
        QVERIFY(program.waitForEnd());
        const QString secondRun = program.output();
        QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
        QVERIFY2(secondRun.contains(QStringLiteral("The %1 rows of the door that waited when GT-430 last ended are "
                                                   "stored from the journal")
                                        .arg(waited)),
                 qPrintable(secondRun));
        // The signal ended it as View > Exit does: the settings row is written back.
        QCOMPARE(column(*db, QStringLiteral("SELECT Ini_Spare FROM tblIni")), QStringList{"0"});
        const QStringList events = column(*db, QStringLiteral("SELECT Time_CR FROM tblOnline ORDER BY rowid"));
        const QStringList raw = column(*db, QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid"));
        QCOMPARE(events.size(), reads);
        QCOMPARE(raw, events);
        for (int i = 0; i < reads; ++i)
            QVERIFY2(seconds[i].contains(events.at(i)),
                     qPrintable(events.at(i) + QLatin1Char(' ') + seconds[i].join(',')));
        QCOMPARE(column(*db, QStringLiteral("SELECT CardNum FROM tblOnline ORDER BY rowid")),
                 (QStringList{"0000000700", "0000000701", "0000000702", "0000000703"}));
        QCOMPARE(QFileInfo(journal()).size(), 0);
    }
};

QTEST_MAIN(ProgramEndTest)
#include "tst_programend.moc"
