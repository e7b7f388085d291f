#include "app/ProgramSchema.h"
#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "link/CodeReadHandOver.h"
#include "link/PacketBuilder.h"
#include "platform/ProgramFolder.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "tests/support/BoxesLeftUp.h"
#include "tests/support/CodeReads.h"
#include "tests/support/DatabaseFaults.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest>

namespace {

// The pace of the test's ticks: the program's 200 ms, twenty times quicker.
constexpr int TickMs = 10;

}

// The main window's receive timer itself, run by the event loop, with boxes
// that stay up as long as the guard leaves them.
class ReceiveTimerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmMain& openMain()
    {
        env->logInAsAdministrator();
        return FormInstance<frmMain>::get();
    }

    QStringList loggedTimes()
    {
        QStringList times;
        Recordset rs = Db().openSql(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid"));
        for (; rs.recordCount() > 0 && !rs.eof(); rs.moveNext())
            times << rs.field(0).textOrEmpty();
        return times;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }
    void cleanup()
    {
        setPrompts(&env->prompts);
        env.reset();
    }

    // The unit sends something every five ticks, each at a second of its own,
    // while the reception's own reports stay on the screen until it has sent
    // everything. Every read is logged once, stamped with the second it came; a
    // second overflow while the first is up is not raised again, and another
    // report waits for the first box to close.
    void noBoxStopsTheReception()
    {
        frmMain& main = openMain();
        QVERIFY(env->port && env->port->open);
        BoxesLeftUp boxes(env->prompts, 0);
        setPrompts(&boxes);
        main.ReceiveTimer->setIntervalForTests(TickMs);
        main.ReceiveTimer->setEnabled(true);

        const QByteArray overflow = PacketBuilder::withLength(250).left(12);
        const QByteArray tooShort = PacketBuilder::packet(0x20, QByteArray(6, 1));
        QList<QByteArray> arrivals{overflow, cardRead(101, 1), cardRead(102, 2), cardRead(103, 3),
                                   overflow, cardRead(105, 5), tooShort};
        for (int i = 7; i <= 15; ++i)
            arrivals << cardRead(quint32(100 + i), uint8_t(i));

        const QDateTime start(QDate(2026, 3, 2), QTime(9, 0, 0));
        qsizetype sent = 0;
        int quietSteps = 0;
        QEventLoop door;
        QTimer unit;
        unit.setInterval(5 * TickMs);
        connect(&unit, &QTimer::timeout, &door, [&] {
            if (sent < arrivals.size()) {
                env->clock.current = start.addSecs(sent);
                env->port->waiting += arrivals.at(sent++);
                return;
            }
            // Somebody at the screen at last: one box a step.
            if (boxes.up > 0) {
                boxes.closeBox();
                return;
            }
            if (env->port->waiting.isEmpty() && ++quietSteps > 4)
                door.quit();
        });
        unit.start();
        QTimer::singleShot(30000, &door, &QEventLoop::quit);
        door.exec();
        unit.stop();

        QCOMPARE(sent, arrivals.size());
        QCOMPARE(boxes.mostUpAtOnce, 1);
        QCOMPARE(env->prompts.texts(), (QStringList{QStringLiteral("Funcion error#: 863\rOverflow(6)"),
                                                    QStringLiteral("Funcion error#: 861\rSubscript out of range(9)")}));
        QCOMPARE(loggedTimes(),
                 (QStringList{"09:00:01", "09:00:02", "09:00:03", "09:00:05", "09:00:07", "09:00:08", "09:00:09",
                              "09:00:10", "09:00:11", "09:00:12", "09:00:13", "09:00:14", "09:00:15"}));
    }

    // Five minutes of noise between good reads, every box closed soon after it
    // came: one box for the fault, the rest counted in the log (a line a
    // minute), its end logged once the line has been quiet for a minute, and
    // a box again for the next fault. Every read is stored with its second.
    void aNoisyLineGivesOneBoxAFault()
    {
        frmMain& main = openMain();
        BoxesLeftUp boxes(env->prompts, 3 * TickMs);
        setPrompts(&boxes);
        main.ReceiveTimer->setIntervalForTests(TickMs);
        main.ReceiveTimer->setEnabled(true);

        const QByteArray falseHeader = PacketBuilder::withLength(250).left(12);
        const QDateTime start(QDate(2026, 3, 2), QTime(9, 0, 0));
        // Every ten seconds noise and a read; then a read after a quiet minute; then noise again.
        QList<std::pair<QDateTime, QByteArray>> arrivals;
        for (int i = 0; i < 30; ++i)
            arrivals.append({start.addSecs(10 * i), falseHeader + cardRead(quint32(100 + i), uint8_t(i + 1))});
        arrivals.append({start.addSecs(351), cardRead(200, 100)});
        arrivals.append({start.addSecs(360), falseHeader + cardRead(201, 101)});

        for (const char* line :
             {"Overflow again (Funcion error#: 863): 2 since 2026-03-02 09:00:00; only the first was shown, the rest "
              "are counted here until the line has been quiet for a minute",
              "Overflow again (Funcion error#: 863): 8 since 2026-03-02 09:00:00; only the first was shown, the rest "
              "are counted here until the line has been quiet for a minute",
              "Overflow again (Funcion error#: 863): 14 since 2026-03-02 09:00:00; only the first was shown, the rest "
              "are counted here until the line has been quiet for a minute",
              "Overflow again (Funcion error#: 863): 20 since 2026-03-02 09:00:00; only the first was shown, the rest "
              "are counted here until the line has been quiet for a minute",
              "Overflow again (Funcion error#: 863): 26 since 2026-03-02 09:00:00; only the first was shown, the rest "
              "are counted here until the line has been quiet for a minute"})
            QTest::ignoreMessage(QtWarningMsg, line);
        QTest::ignoreMessage(QtInfoMsg,
                             "The line is quiet again: 30 overflows from 2026-03-02 09:00:00 to 2026-03-02 09:04:50");

        qsizetype sent = 0;
        QEventLoop door;
        QTimer unit;
        unit.setInterval(5 * TickMs);
        connect(&unit, &QTimer::timeout, &door, [&] {
            if (!env->port->waiting.isEmpty())
                return;
            if (sent < arrivals.size()) {
                env->clock.current = arrivals.at(sent).first;
                env->port->waiting += arrivals.at(sent++).second;
                return;
            }
            if (boxes.up == 0)
                door.quit();
        });
        unit.start();
        QTimer::singleShot(30000, &door, &QEventLoop::quit);
        door.exec();
        unit.stop();

        QCOMPARE(sent, arrivals.size());
        QCOMPARE(env->prompts.texts(), (QStringList{QStringLiteral("Funcion error#: 863\rOverflow(6)"),
                                                    QStringLiteral("Funcion error#: 863\rOverflow(6)")}));
        const QStringList times = loggedTimes();
        QCOMPARE(times.size(), 32);
        QCOMPARE(times.mid(0, 3), (QStringList{"09:00:00", "09:00:10", "09:00:20"}));
        QCOMPARE(times.mid(28), (QStringList{"09:04:40", "09:04:50", "09:05:51", "09:06:00"}));
    }

    // The database does not take the door's rows for a while: another program
    // holds it, the disk is full, or its commits fail. The receive timer keeps
    // its pace all the while, every read is shown as it comes and stored
    // afterwards with its own second, and a fault that is told at all is told
    // in one box.
    void aDatabaseFaultCostsNoRead_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("boxes");
        QTest::newRow("another program holds the database") << "lock" << 0;
        QTest::newRow("the disk is full") << "disk" << 1;
        QTest::newRow("commits fail") << "commit" << 1;
    }

    void aDatabaseFaultCostsNoRead()
    {
        QFETCH(QString, fault);
        QFETCH(int, boxes);
        SmallFileSystem disk;
        ProgramFolder::setPathForTests(disk.path());
        CreateProgramDatabase(disk.path() + QStringLiteral("/") + DatabaseFileName);
        frmMain& main = openMain();
        BoxesLeftUp leftUp(env->prompts, 40 * TickMs);
        setPrompts(&leftUp);
        main.ReceiveTimer->setIntervalForTests(TickMs);
        main.ReceiveTimer->setEnabled(true);
        CodeReadSubscription monitor;

        std::unique_ptr<OtherProgramHoldsTheDatabase> other;
        std::unique_ptr<RefusedCommits> refused;
        if (fault == QLatin1String("lock"))
            other = std::make_unique<OtherProgramHoldsTheDatabase>(appState().DbPath);
        else if (fault == QLatin1String("disk"))
            disk.fill();
        else
            refused = std::make_unique<RefusedCommits>(Db());
        const auto endFault = [&] {
            other.reset();
            disk.makeRoom();
            refused.reset();
        };

        const QDateTime start(QDate(2026, 3, 2), QTime(9, 0, 0));
        constexpr int reads = 10;
        constexpr int duringFault = 6;
        int sent = 0;
        int shown = 0;
        int pollsAtStart = env->port->polls;
        int pollsDuringFault = 0;
        QStringList shownLate;
        QEventLoop door;
        QTimer unit;
        unit.setInterval(10 * TickMs);
        connect(&unit, &QTimer::timeout, &door, [&] {
            shown += static_cast<int>(monitor.takeAll().size());
            if (shown < sent)
                shownLate << QString::number(sent);
            if (sent == duringFault) {
                pollsDuringFault = env->port->polls - pollsAtStart;
                endFault();
            }
            if (sent < reads) {
                env->clock.current = start.addSecs(sent);
                env->port->waiting += cardRead(quint32(100 + sent), uint8_t(sent + 1));
                ++sent;
                return;
            }
            if (leftUp.up == 0 && loggedTimes().size() == reads)
                door.quit();
        });
        unit.start();
        QTimer::singleShot(30000, &door, &QEventLoop::quit);
        door.exec();
        unit.stop();
        endFault();

        QCOMPARE(sent, reads);
        QVERIFY2(shownLate.isEmpty(), qPrintable(shownLate.join(QLatin1Char(' '))));
        // Six unit steps of ten ticks each: a tick waiting seconds for the database would give one or none.
        QVERIFY2(pollsDuringFault >= 10, qPrintable(QString::number(pollsDuringFault)));
        QCOMPARE(loggedTimes(), (QStringList{"09:00:00", "09:00:01", "09:00:02", "09:00:03", "09:00:04", "09:00:05",
                                             "09:00:06", "09:00:07", "09:00:08", "09:00:09"}));
        QCOMPARE(env->prompts.texts().size(), boxes);
        QCOMPARE(leftUp.mostUpAtOnce, boxes);
        CloseMainDatabase();
    }
};

QTEST_MAIN(ReceiveTimerTest)
#include "tst_receivetimer.moc"
